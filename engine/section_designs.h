// Coefficient designs shared by the bands, the pass filters and the Analog stage. Every
// design caps its frequency below half the sample rate (see cappedFrequency).
#pragma once

#include "filter_sections.h"

namespace dsp {

enum class ShelfForm { high, low };

// The frequency a design actually uses: at most 0.45 × fs. At 44100 Hz and above every
// table frequency is below the cap; at lower rates the tangent and the bell formulas would
// otherwise reach or pass half the sample rate and give unstable or meaningless sections.
double cappedFrequency(double frequency, double sampleRate);

// 10^(dB/40), the peaking amplitude for a bell of dB at its centre.
double peakingAmplitude(double dB);
// ln(2)/2 × octaves: the bandwidth factor of the octave-bandwidth alpha.
double bandwidthFactor(double octaves);
// Peaking (bell) biquad of amplitude A; beta is a bandwidth factor (see bandwidthFactor).
Biquad<double> designPeaking(double frequency, double amplitude, double beta, double sampleRate);
// First-order shelf, separate boost and cut coefficients.
Shelf<double> designShelf(double frequency, double dB, ShelfForm form, double sampleRate);
// Second-order low shelf with a fixed 2.35-octave slope, amplitude A = 10^(dB/40).
Biquad<double> designLowShelf(double frequency, double amplitude, double sampleRate);

// Bell bandwidth in octaves from the gain knob a, the bandwidth knob b and the band's
// constants P (bandwidth at 0 dB) and Q (how much it narrows towards ±18 dB).
double bandwidthLaw(float a, float b, double dB, bool typeB, double p, double q);

FirstOrder<double> designFirstOrderLowPass(double frequency, double sampleRate);
FirstOrder<double> designFirstOrderHighPass(double frequency, double sampleRate);
// Second-order pass sections; alphaDivisor is twice the quality factor.
Biquad<double> designSecondOrderLowPass(double frequency, double alphaDivisor, double sampleRate);
Biquad<double> designSecondOrderHighPass(double frequency, double alphaDivisor, double sampleRate);

}  // namespace dsp
