// The editor's bitmap resources as the editor expects them: number, file, frame size and count,
// and PNG kind.
#pragma once

#include <iterator>
#include <string>

enum class PngKind { OpaquePalette, PaletteWithTransparency, Rgba };

struct ArtworkEntry {
    int id;
    const char* file;
    int width;
    int frameHeight;
    int frames;
    PngKind kind;
};

inline constexpr ArtworkEntry kArtwork[] = {
    {101, "101_background.png", 290, 660, 1, PngKind::OpaquePalette},
    {102, "102_gain_knob.png", 60, 60, 101, PngKind::PaletteWithTransparency},
    {103, "103_band_selector_knob.png", 80, 80, 8, PngKind::PaletteWithTransparency},
    {104, "104_hi_pass_knob.png", 80, 80, 6, PngKind::PaletteWithTransparency},
    {105, "105_lo_pass_knob.png", 60, 60, 6, PngKind::PaletteWithTransparency},
    {106, "106_side_knob.png", 80, 80, 101, PngKind::PaletteWithTransparency},
    {107, "107_type_switch.png", 40, 30, 2, PngKind::Rgba},
    {108, "108_slope_switch.png", 60, 30, 4, PngKind::PaletteWithTransparency},
    {109, "109_mode_button.png", 40, 30, 2, PngKind::PaletteWithTransparency},
    {110, "110_phase_button.png", 40, 30, 2, PngKind::PaletteWithTransparency},
    {111, "111_section_lamp.png", 28, 28, 2, PngKind::PaletteWithTransparency},
    {112, "112_clip_lamp.png", 28, 28, 2, PngKind::Rgba},
    {113, "113_analog_button.png", 40, 30, 2, PngKind::PaletteWithTransparency},
};

inline const ArtworkEntry& artworkEntry(int id) { return kArtwork[id - kArtwork[0].id]; }

// The same thirteen pictures drawn at 2x and 3x: numbered 201-213 and 301-313, files named like
// "201_background_2x.png", every size multiplied by the scale.
inline constexpr int kArtworkScales[] = {1, 2, 3};

inline ArtworkEntry scaledArtwork(const ArtworkEntry& art, int scale) {
    static std::string names[std::size(kArtwork)][std::size(kArtworkScales)];
    if (scale == 1) return art;
    std::string& name = names[&art - kArtwork][scale - 1];
    if (name.empty()) {
        std::string base = art.file;
        name = std::to_string(art.id + 100 * (scale - 1)) + base.substr(3, base.size() - 7) + "_" +
               std::to_string(scale) + "x.png";
    }
    return {art.id + 100 * (scale - 1), name.c_str(), art.width * scale, art.frameHeight * scale, art.frames, art.kind};
}
