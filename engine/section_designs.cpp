#include "section_designs.h"

#include <cmath>

namespace dsp {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kLn10Over20 = 0.11512925464970228;
constexpr double kLn10Over40 = 0.05756462732485114;
constexpr double kHalfLn2 = 0.34657359027997264;
constexpr double kLowShelfBeta = 0.8144479371579357;  // 2.35 octaves
constexpr double kHighestDesignFraction = 0.45;

double angularFrequency(double frequency, double sampleRate) {
    return cappedFrequency(frequency, sampleRate) * kTwoPi / sampleRate;
}

double halfAngleTangent(double frequency, double sampleRate) {
    return std::tan(cappedFrequency(frequency, sampleRate) * kPi / sampleRate);
}

// Alpha of the octave-bandwidth definition: sinh(beta × w0 / sin w0) × sin w0.
double octaveAlpha(double beta, double w0, double sn) { return std::sinh(beta * w0 / sn) * sn; }
}  // namespace

double cappedFrequency(double frequency, double sampleRate) {
    const double highest = sampleRate * kHighestDesignFraction;
    return frequency < highest ? frequency : highest;
}

double peakingAmplitude(double dB) { return std::exp(dB * kLn10Over40); }

double bandwidthFactor(double octaves) { return octaves * kHalfLn2; }

Biquad<double> designPeaking(double frequency, double amplitude, double beta, double sampleRate) {
    const double w0 = angularFrequency(frequency, sampleRate);
    const double sn = std::sin(w0);
    const double cs = std::cos(w0);
    const double alpha = octaveAlpha(beta, w0, sn);
    Biquad<double> r;
    r.a0 = alpha / amplitude + 1.0;
    r.b0 = (alpha * amplitude + 1.0) / r.a0;
    r.b1 = -2.0 * cs / r.a0;
    r.b2 = (1.0 - alpha * amplitude) / r.a0;
    r.a1 = r.b1;
    r.a2 = (1.0 - alpha / amplitude) / r.a0;
    return r;
}

Shelf<double> designShelf(double frequency, double dB, ShelfForm form, double sampleRate) {
    const double t = halfAngleTangent(frequency, sampleRate);
    const double v = std::exp(dB * kLn10Over20);
    Shelf<double> r;
    r.k = (v - 1.0) * 0.5;
    if (form == ShelfForm::high) {
        const double g = dB >= 0.0 ? t : v * t;
        r.c = (g - 1.0) / (g + 1.0);
    } else {
        r.c = dB >= 0.0 ? (t - 1.0) / (t + 1.0) : (t - v) / (v + t);
    }
    return r;
}

Biquad<double> designLowShelf(double frequency, double amplitude, double sampleRate) {
    const double a = amplitude;
    const double w0 = angularFrequency(frequency, sampleRate);
    const double sn = std::sin(w0);
    const double cs = std::cos(w0);
    const double alpha = octaveAlpha(kLowShelfBeta, w0, sn);
    const double r = 2.0 * std::sqrt(a) * alpha;
    Biquad<double> q;
    q.a0 = (a + 1.0) + (a - 1.0) * cs + r;
    const double a1 = -2.0 * ((a - 1.0) + (a + 1.0) * cs);
    const double a2 = (a + 1.0) + (a - 1.0) * cs - r;
    const double b0 = a * ((a + 1.0) - (a - 1.0) * cs + r);
    const double b1 = 2.0 * a * ((a - 1.0) - (a + 1.0) * cs);
    const double b2 = a * ((a + 1.0) - (a - 1.0) * cs - r);
    q.a1 = a1 / q.a0;
    q.a2 = a2 / q.a0;
    q.b0 = b0 / q.a0;
    q.b1 = b1 / q.a0;
    q.b2 = b2 / q.a0;
    return q;
}

double bandwidthLaw(float a, float b, double dB, bool typeB, double p, double q) {
    const float gainDistance = a < 0.5f ? 0.5f - a : a - 0.5f;
    const float widthDistance = b < 0.5f ? 0.5f - b : b - 0.5f;
    const double e = gainDistance;
    const double f = widthDistance;
    double bw0 = p - q * e * 2.0;
    if (typeB && dB < 0.0) bw0 = ((1.0 - dB / -18.0) * 0.28 + 0.163) * bw0;
    if (b < 0.5f) return bw0 - bw0 * (f * 1.25);
    return bw0 * (f * 1.25) + bw0;
}

FirstOrder<double> designFirstOrderLowPass(double frequency, double sampleRate) {
    const double u = 1.0 / halfAngleTangent(frequency, sampleRate);
    FirstOrder<double> r;
    r.b0 = 1.0 / (u + 1.0);
    r.b1 = r.b0;
    r.a1 = (1.0 - u) / (u + 1.0);
    return r;
}

FirstOrder<double> designFirstOrderHighPass(double frequency, double sampleRate) {
    const double u = 1.0 / halfAngleTangent(frequency, sampleRate);
    FirstOrder<double> r;
    r.b0 = u / (u + 1.0);
    r.b1 = -r.b0;
    r.a1 = (1.0 - u) / (u + 1.0);
    return r;
}

namespace {
// The shared denominator of the second-order pass sections; cs receives cos w0.
Biquad<double> passDenominator(double frequency, double alphaDivisor, double sampleRate, double& cs) {
    const double w0 = angularFrequency(frequency, sampleRate);
    cs = std::cos(w0);
    const double alpha = std::sin(w0) / alphaDivisor;
    Biquad<double> r;
    r.a0 = alpha + 1.0;
    r.a1 = -2.0 * cs / r.a0;
    r.a2 = (1.0 - alpha) / r.a0;
    return r;
}
}  // namespace

Biquad<double> designSecondOrderLowPass(double frequency, double alphaDivisor, double sampleRate) {
    double cs;
    Biquad<double> r = passDenominator(frequency, alphaDivisor, sampleRate, cs);
    r.b0 = (1.0 - cs) * 0.5 / r.a0;
    r.b1 = (1.0 - cs) / r.a0;
    r.b2 = r.b0;
    return r;
}

Biquad<double> designSecondOrderHighPass(double frequency, double alphaDivisor, double sampleRate) {
    double cs;
    Biquad<double> r = passDenominator(frequency, alphaDivisor, sampleRate, cs);
    r.b0 = (1.0 + cs) * 0.5 / r.a0;
    r.b1 = -(1.0 + cs) / r.a0;
    r.b2 = r.b0;
    return r;
}

}  // namespace dsp
