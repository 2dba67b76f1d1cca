// Reading input frames into a Pair and writing output frames (gain, polarity, mono copy and the
// level meter), shared by every chain kernel.
#pragma once

#include <cmath>
#include <cstdint>

#include "call_settings.h"
#include "stereo_pair.h"

namespace dsp {

template <class Sample>
Pair loadFrame(const Sample* const* inputs, int32_t n) {
    return Pair(static_cast<double>(inputs[0][n]), static_cast<double>(inputs[1][n]));
}

template <class Sample>
class FrameWriter {
public:
    FrameWriter(Sample* const* outputs, const CallSettings& settings)
        : outputs_(outputs),
          gain_(settings.outputGain),
          polarity_(settings.polarity),
          mono_(settings.mono),
          measurePeak_(settings.measurePeak) {}

    void write(int32_t frame, Pair y) {
        const Pair scaled = y * gain_;
        const Pair signedOut = scaled * polarity_;
        const double left = signedOut.left();
        const double right = mono_ ? left : signedOut.right();
        outputs_[0][frame] = static_cast<Sample>(left);
        outputs_[1][frame] = static_cast<Sample>(right);
        if (!measurePeak_) return;
        raisePeak(mono_ ? std::fabs(scaled.left()) : (std::fabs(scaled.left()) + std::fabs(scaled.right())) * 0.5);
    }
    // Takes a frame level measured elsewhere (a NaN never raises the peak).
    void raisePeak(double level) { peak_ = level > peak_ ? level : peak_; }
    // The largest frame level written so far (0 unless the settings asked for it).
    double peak() const { return peak_; }

private:
    Sample* const* outputs_;
    const Pair gain_;
    const Pair polarity_;
    const bool mono_;
    const bool measurePeak_;
    double peak_ = 0.0;
};

}  // namespace dsp
