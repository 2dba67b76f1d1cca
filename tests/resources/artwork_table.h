// The editor's bitmap resources as the editor expects them: number, file, frame size and count,
// and PNG kind.
#pragma once

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
