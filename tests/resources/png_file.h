// Test helpers: a PNG file's chunk structure, and its pixels decoded to RGBA.
#pragma once

#include <string>
#include <vector>

std::vector<unsigned char> readFile(const std::string& path);

struct PngChunks {
    int width = 0, height = 0, bitDepth = 0, colourType = 0, interlace = 0;
    std::vector<std::string> types;  // in file order
    bool crcsValid = true;
    bool has(const std::string& type) const;
};

// Throws std::runtime_error when the bytes are not a PNG.
PngChunks readPngChunks(const std::vector<unsigned char>& bytes);

struct RgbaImage {
    int width = 0, height = 0;
    int sourceChannels = 0;             // what the decoder reports the file holds (3 or 4 for this artwork)
    std::vector<unsigned char> pixels;  // RGBA, top row first

    const unsigned char* at(int x, int y) const { return &pixels[4 * (static_cast<size_t>(y) * width + x)]; }
    double luminance(int x, int y) const;  // 0..255, of the colour over black (alpha applied)
};

// Decodes with the same decoder the editor's loader uses; empty image on failure.
RgbaImage decodePng(const std::vector<unsigned char>& bytes);
