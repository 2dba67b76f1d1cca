// Whole-file binary reads and writes, for state chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qx71::render {

// Throws RenderError when the file is missing or unreadable.
std::vector<std::uint8_t> readBytes(const std::string& path);
// Throws RenderError when the file cannot be written completely.
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// True when both paths name the same file: the same device and inode when both exist, else the
// same normalised absolute path.
bool sameFile(const std::string& first, const std::string& second);

}  // namespace qx71::render
