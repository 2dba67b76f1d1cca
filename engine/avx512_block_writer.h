// The AVX-512 kernel's output writer and its eight-lane loads and stores. Part of the AVX-512
// kernel: include only from chain_kernel_avx512.cpp, inside its AVX-512 target region and the
// dsp namespace, after the wide type W.
#pragma once

#include <algorithm>

#include "frame_io.h"  // included by the kernel before its target region

namespace {

// Eight samples of one channel as doubles, and back.
W loadEight(const float* p) { return _mm512_cvtps_pd(_mm256_loadu_ps(p)); }
W loadEight(const double* p) { return _mm512_loadu_pd(p); }
void storeEight(float* p, W v) { _mm256_storeu_ps(p, _mm512_cvtpd_ps(v)); }
void storeEight(double* p, W v) { _mm512_storeu_pd(p, v); }

// Eight frames as pairs (two registers) from the two channels, and the other way round.
template <int kFirst>
W interleave(W left, W right) {
    const __m512i index =
        _mm512_set_epi64(kFirst + 11, kFirst + 3, kFirst + 10, kFirst + 2, kFirst + 9, kFirst + 1, kFirst + 8, kFirst);
    return _mm512_permutex2var_pd(left, index, right);
}
template <int kChannel>
W channelOf(W firstFour, W lastFour) {
    const __m512i index = _mm512_set_epi64(14 + kChannel, 12 + kChannel, 10 + kChannel, 8 + kChannel, 6 + kChannel,
                                           4 + kChannel, 2 + kChannel, kChannel);
    return _mm512_permutex2var_pd(firstFour, index, lastFour);
}

// FrameWriter for eight frames at a time: the same operations lane by lane.
template <class Sample>
class BlockWriter {
public:
    BlockWriter(Sample* const* outputs, const CallSettings& settings)
        : frames_(outputs, settings),
          outputs_(outputs),
          gain_(_mm512_set1_pd(settings.outputGain)),
          polarity_(_mm512_set1_pd(settings.polarity)),
          mono_(settings.mono),
          measurePeak_(settings.measurePeak) {}

    // Writes frames [first, end) from pairs (pairs[0] is frame first).
    void write(const double* pairs, int32_t first, int32_t end) {
        int32_t frame = first;
        for (; frame + 8 <= end; frame += 8, pairs += 16) {
            const W scaledFirst = _mm512_loadu_pd(pairs) * gain_;
            const W scaledLast = _mm512_loadu_pd(pairs + 8) * gain_;
            const W left = channelOf<0>(scaledFirst * polarity_, scaledLast * polarity_);
            const W right = mono_ ? left : channelOf<1>(scaledFirst * polarity_, scaledLast * polarity_);
            storeEight(outputs_[0] + frame, left);
            storeEight(outputs_[1] + frame, right);
            if (measurePeak_) peak_ = _mm512_max_pd(level(scaledFirst, scaledLast), peak_);
        }
        for (; frame < end; ++frame, pairs += 2) frames_.write(frame, Pair(_mm_loadu_pd(pairs)));
    }
    double peak() const { return std::max(frames_.peak(), _mm512_reduce_max_pd(peak_)); }

private:
    // The frame levels; a NaN level, as in FrameWriter, never raises the peak (max_pd then
    // returns its second operand).
    W level(W scaledFirst, W scaledLast) const {
        const W left = _mm512_abs_pd(channelOf<0>(scaledFirst, scaledLast));
        if (mono_) return left;
        const W right = _mm512_abs_pd(channelOf<1>(scaledFirst, scaledLast));
        return (left + right) * _mm512_set1_pd(0.5);
    }

    FrameWriter<Sample> frames_;
    Sample* const* outputs_;
    const W gain_;
    const W polarity_;
    const bool mono_;
    const bool measurePeak_;
    W peak_ = _mm512_setzero_pd();
};

}  // namespace
