#include "frequency_analysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>

namespace qx71::response {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kLowestFrequency = 10.0;
// At least this many transform bins per grid step at 10 Hz, where the grid is densest.
constexpr double kBinsPerGridStep = 2.0;
constexpr std::size_t kLargestTransform = std::size_t{1} << 23;

using Complex = std::complex<double>;

struct FftwFree {
    void operator()(void* memory) const { fftw_free(memory); }
};

// A real-to-complex transform of one size, run on several inputs.
class RealTransform {
public:
    explicit RealTransform(std::size_t size)
        : size_(size),
          input_(static_cast<double*>(fftw_malloc(sizeof(double) * size))),
          output_(static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * (size / 2 + 1)))) {
        if (!input_ || !output_) throw std::bad_alloc();
        plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(size), input_.get(), output_.get(), FFTW_ESTIMATE);
    }
    ~RealTransform() { fftw_destroy_plan(plan_); }
    RealTransform(const RealTransform&) = delete;
    RealTransform& operator=(const RealTransform&) = delete;

    // The spectrum (bins 0 to size/2) of signal[n] × weight(n), zero-padded to the size.
    template <class Weight>
    std::vector<Complex> spectrum(const std::vector<double>& signal, Weight weight) {
        std::fill(input_.get(), input_.get() + size_, 0.0);
        for (std::size_t n = 0; n < signal.size(); ++n) input_.get()[n] = signal[n] * weight(n);
        fftw_execute(plan_);
        std::vector<Complex> bins(size_ / 2 + 1);
        for (std::size_t k = 0; k < bins.size(); ++k) bins[k] = Complex(output_.get()[k][0], output_.get()[k][1]);
        return bins;
    }

private:
    std::size_t size_;
    std::unique_ptr<double, FftwFree> input_;
    std::unique_ptr<fftw_complex, FftwFree> output_;
    fftw_plan plan_;
};

std::size_t transformSize(std::size_t frames, double sampleRate, const std::vector<double>& grid) {
    const double step = grid.size() > 1 ? grid[1] - grid[0] : grid[0];
    const double wanted = std::max(4.0 * static_cast<double>(frames), kBinsPerGridStep * sampleRate / step);
    std::size_t size = 1024;
    while (static_cast<double>(size) < wanted && size < kLargestTransform) size *= 2;
    return size;
}

double wrapRadians(double angle) { return angle - 2.0 * kPi * std::round(angle / (2.0 * kPi)); }

}  // namespace

std::vector<double> logFrequencyGrid(int points, double sampleRate) {
    const double ratio = std::pow(0.5 * sampleRate / kLowestFrequency, 1.0 / points);
    std::vector<double> grid(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i) grid[static_cast<std::size_t>(i)] = kLowestFrequency * std::pow(ratio, i);
    return grid;
}

ChannelResponse analyseImpulseResponse(const std::vector<double>& impulse, double sampleRate,
                                       const std::vector<double>& grid) {
    const std::size_t size = transformSize(impulse.size(), sampleRate, grid);
    RealTransform transform(size);
    // H is the transform of h[n], G that of n·h[n]; the group delay in samples is Re(G/H).
    const std::vector<Complex> h = transform.spectrum(impulse, [](std::size_t) { return 1.0; });
    const std::vector<Complex> g = transform.spectrum(impulse, [](std::size_t n) { return static_cast<double>(n); });

    ChannelResponse response;
    for (double frequency : grid) {
        const double position = frequency * static_cast<double>(size) / sampleRate;
        const std::size_t k = std::min(static_cast<std::size_t>(position), h.size() - 2);
        const double t = position - static_cast<double>(k);
        const double magnitude = std::abs(h[k]) * (1.0 - t) + std::abs(h[k + 1]) * t;
        const double phase = wrapRadians(std::arg(h[k]) + t * wrapRadians(std::arg(h[k + 1]) - std::arg(h[k])));
        const double delay0 = (g[k] / h[k]).real();
        const double delay1 = (g[k + 1] / h[k + 1]).real();
        response.magnitudeDb.push_back(20.0 * std::log10(magnitude));
        response.phaseDegrees.push_back(phase * 180.0 / kPi);
        response.groupDelayMs.push_back((delay0 * (1.0 - t) + delay1 * t) * 1000.0 / sampleRate);
    }
    return response;
}

}  // namespace qx71::response
