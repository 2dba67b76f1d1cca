// PNG encoding of 8-bit pixel rows (stb_image_write), for screenshots and test images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {

// rows: height rows of width x channels bytes, top row first (channels 1 to 4: grey, grey+alpha,
// RGB, RGBA). Empty result on failure.
std::vector<std::uint8_t> encodePng(const std::uint8_t* rows, int width, int height, int channels);
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace VSTGUI
