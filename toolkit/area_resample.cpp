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
    // Row by row: the source rows an output row covers, each reduced across and weighted, so that
    // only one row of sums is held however tall the strip.
    std::vector<float> sum(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (const Tap& row : rows[y]) {
            const std::uint8_t* in = source.rowFromTop(row.index);
            for (int x = 0; x < width; ++x) {
                for (const Tap& column : columns[x]) {
                    auto weight = static_cast<float>(row.weight * column.weight);
                    const std::uint8_t* pixel = in + column.index * 4;
                    for (int c = 0; c < 4; ++c) sum[x * 4 + c] += weight * pixel[c];
                }
            }
        }
        std::uint8_t* out = result->rowFromTop(y);
        for (int i = 0; i < width * 4; ++i) {
            out[i] = static_cast<std::uint8_t>(std::clamp(std::floor(sum[i] + 0.5f), 0.0f, 255.0f));
        }
    }
    return result;
}

}  // namespace VSTGUI
