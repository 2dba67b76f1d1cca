// The per-pixel arithmetic of GDI AlphaBlend (source over destination), on pixels packed as
// 0xAARRGGBB (the little-endian reading of blue, green, red, alpha bytes).
#pragma once

#include <cstdint>

namespace VSTGUI {
namespace blend {

inline std::uint32_t channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

// v * a / 255, rounded to nearest.
inline std::uint32_t scale(std::uint32_t v, std::uint32_t a) { return (v * a + 127) / 255; }

// Premultiplied source with per-pixel alpha, after the constant alpha has scaled every source
// channel: each channel = source + destination * (255 - source alpha) / 255.
inline std::uint32_t sourceOver(std::uint32_t dst, std::uint32_t src, std::uint32_t constantAlpha) {
    std::uint32_t srcAlpha = channel(src, 24);
    if (constantAlpha != 255) srcAlpha = scale(srcAlpha, constantAlpha);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t s = shift == 24 ? srcAlpha : channel(src, shift);
        if (shift != 24 && constantAlpha != 255) s = scale(s, constantAlpha);
        std::uint32_t v = s + scale(channel(dst, shift), 255 - srcAlpha);
        out |= (v > 255 ? 255 : v) << shift;
    }
    return out;
}

// No per-pixel alpha: every channel moves towards the source by the constant alpha.
inline std::uint32_t constantOver(std::uint32_t dst, std::uint32_t src, std::uint32_t constantAlpha) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t v =
            (channel(src, shift) * constantAlpha + channel(dst, shift) * (255 - constantAlpha) + 127) / 255;
        out |= v << shift;
    }
    return out;
}

}  // namespace blend
}  // namespace VSTGUI
