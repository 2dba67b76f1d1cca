#include "area_resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VSTGUI {
namespace {

struct Tap {
    int index;
    double weight;
};

// For each of count output cells, the source cells it covers and their share of it.
std::vector<std::vector<Tap>> coverage(int sourceCount, int count) {
    std::vector<std::vector<Tap>> taps(count);
    double step = static_cast<double>(sourceCount) / count;
    for (int i = 0; i < count; ++i) {
        double from = i * step, to = (i + 1) * step;
        for (int s = static_cast<int>(std::floor(from)); s < std::min(sourceCount, static_cast<int>(std::ceil(to)));
             ++s) {
            double overlap = std::min(to, s + 1.0) - std::max(from, static_cast<double>(s));
            if (overlap > 0) taps[i].push_back({s, overlap / step});
        }
    }
    return taps;
}

}  // namespace

std::unique_ptr<PixelImage> resampleArea(const PixelImage& source, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto result = PixelImage::create(width, height);
    if (!result) return nullptr;
    source.synchronize();
    std::vector<std::vector<Tap>> columns = coverage(source.width(), width);
    std::vector<std::vector<Tap>> rows = coverage(source.height(), height);
    // Horizontal pass into doubles, then vertical pass into bytes.
    std::vector<double> across(static_cast<std::size_t>(source.height()) * width * 4);
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.rowFromTop(y);
        double* out = &across[static_cast<std::size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x) {
            for (const Tap& tap : columns[x]) {
                for (int c = 0; c < 4; ++c) out[x * 4 + c] += tap.weight * in[tap.index * 4 + c];
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = result->rowFromTop(y);
        for (int x = 0; x < width * 4; ++x) {
            double sum = 0;
            for (const Tap& tap : rows[y])
                sum += tap.weight * across[static_cast<std::size_t>(tap.index) * width * 4 + x];
            out[x] = static_cast<std::uint8_t>(std::clamp(std::floor(sum + 0.5), 0.0, 255.0));
        }
    }
    return result;
}

}  // namespace VSTGUI
