#include "byte_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "render_errors.h"

namespace qx71::render {

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw RenderError("cannot read '" + path + "': " + std::strerror(errno));
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw RenderError("cannot write '" + path + "': " + std::strerror(errno));
    }
}

bool sameFile(const std::string& first, const std::string& second) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(first, error) && fs::exists(second, error)) {
        return fs::equivalent(first, second, error);
    }
    return fs::weakly_canonical(first, error) == fs::weakly_canonical(second, error);
}

}  // namespace qx71::render
