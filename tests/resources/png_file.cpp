#include "png_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace {

uint32_t bigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

uint32_t crc32(const unsigned char* data, size_t size) {
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

}  // namespace

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        throw std::runtime_error("cannot open " + path);
    }
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

bool PngChunks::has(const std::string& type) const {
    return std::find(types.begin(), types.end(), type) != types.end();
}

PngChunks readPngChunks(const std::vector<unsigned char>& bytes) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 8 || !std::equal(signature, signature + 8, bytes.begin())) {
        throw std::runtime_error("no PNG signature");
    }
    PngChunks chunks;
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        uint32_t length = bigEndian32(&bytes[at]);
        if (length > bytes.size() - at - 12) {
            throw std::runtime_error("chunk runs past the end of the file");
        }
        const unsigned char* type = &bytes[at + 4];
        const unsigned char* data = type + 4;
        chunks.types.emplace_back(reinterpret_cast<const char*>(type), 4);
        chunks.crcsValid = chunks.crcsValid && crc32(type, length + 4) == bigEndian32(data + length);
        if (chunks.types.back() == "IHDR" && length == 13) {
            chunks.width = static_cast<int>(bigEndian32(data));
            chunks.height = static_cast<int>(bigEndian32(data + 4));
            chunks.bitDepth = data[8];
            chunks.colourType = data[9];
            chunks.interlace = data[12];
        }
        at += 12 + length;
    }
    return chunks;
}

double RgbaImage::luminance(int x, int y) const {
    const unsigned char* p = at(x, y);
    return (0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) * p[3] / 255.0;
}

RgbaImage decodePng(const std::vector<unsigned char>& bytes) {
    RgbaImage image;
    unsigned char* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &image.width,
                                                  &image.height, &image.sourceChannels, 4);
    if (pixels != nullptr) {
        image.pixels.assign(pixels, pixels + 4 * static_cast<size_t>(image.width) * image.height);
        stbi_image_free(pixels);
    }
    return image;
}
