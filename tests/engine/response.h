// Magnitude responses evaluated from designed coefficients, as a listener would measure them.
#pragma once

#include <cmath>
#include <complex>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "filter_sections.h"

using namespace dsp;  // the engine's names, unqualified in the tests

inline constexpr double kPi = 3.141592653589793;

inline std::complex<double> unitDelay(double frequency, double sampleRate) {
    return std::polar(1.0, -2.0 * kPi * frequency / sampleRate);  // z^-1 on the unit circle
}

inline double magnitudeDb(const std::complex<double>& h) { return 20.0 * std::log10(std::abs(h)); }

inline std::complex<double> response(const Biquad<double>& c, double f, double fs) {
    const auto z1 = unitDelay(f, fs);
    return (c.b0 + c.b1 * z1 + c.b2 * z1 * z1) / (1.0 + c.a1 * z1 + c.a2 * z1 * z1);
}
inline std::complex<double> response(const FirstOrder<double>& c, double f, double fs) {
    const auto z1 = unitDelay(f, fs);
    return (c.b0 + c.b1 * z1) / (1.0 + c.a1 * z1);
}
inline std::complex<double> allpass(const Shelf<double>& c, double f, double fs) {
    const auto z1 = unitDelay(f, fs);
    return (c.c + z1) / (1.0 + c.c * z1);
}
inline std::complex<double> highShelfResponse(const Shelf<double>& c, double f, double fs) {
    return 1.0 + c.k * (1.0 - allpass(c, f, fs));
}
inline std::complex<double> lowShelfResponse(const Shelf<double>& c, double f, double fs) {
    return 1.0 + c.k * (1.0 + allpass(c, f, fs));
}

// Both poles inside the unit circle (the stability triangle of a0-normalised biquads).
inline bool isStable(const Biquad<double>& c) {
    return std::isfinite(c.a1) && std::isfinite(c.a2) && std::isfinite(c.b0) && std::isfinite(c.b1) &&
           std::isfinite(c.b2) && std::fabs(c.a2) < 1.0 && std::fabs(c.a1) < 1.0 + c.a2;
}

// |actual − printed| within half a unit of the printed value's last digit.
inline ::testing::AssertionResult matchesPrinted(double actual, const char* printed) {
    const std::string text(printed);
    const size_t exponentAt = text.find_first_of("eE");
    const std::string mantissa = text.substr(0, exponentAt);
    const int exponent = exponentAt == std::string::npos ? 0 : std::atoi(text.c_str() + exponentAt + 1);
    const size_t point = mantissa.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const double halfUnit = 0.5 * std::pow(10.0, exponent - decimals) * (1.0 + 1e-9);
    const double expected = std::strtod(printed, nullptr);
    if (std::fabs(actual - expected) <= halfUnit) return ::testing::AssertionSuccess();
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.12g does not print as %s", actual, printed);
    return ::testing::AssertionFailure() << buffer;
}
