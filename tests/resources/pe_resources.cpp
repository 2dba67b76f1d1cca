#include "pe_resources.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

class Bytes {
public:
    explicit Bytes(const std::vector<unsigned char>& data) : data_(data) {}

    uint32_t u16(size_t at) const { return byte(at) | (byte(at + 1) << 8); }
    uint32_t u32(size_t at) const { return u16(at) | (u16(at + 2) << 16); }
    size_t size() const { return data_.size(); }

    uint32_t byte(size_t at) const {
        if (at >= data_.size()) {
            throw std::runtime_error("read past the end of the data");
        }
        return data_[at];
    }

    // UTF-16LE text of `count` units, kept only if it is plain ASCII.
    std::string utf16(size_t at, size_t count) const {
        std::string text;
        for (size_t i = 0; i < count; ++i) {
            uint32_t unit = u16(at + 2 * i);
            if (unit > 0x7f) {
                throw std::runtime_error("non-ASCII text");
            }
            text.push_back(static_cast<char>(unit));
        }
        return text;
    }

    // Zero-terminated UTF-16LE text; returns the offset just past the terminator.
    size_t utf16z(size_t at, std::string& text) const {
        size_t count = 0;
        while (u16(at + 2 * count) != 0) {
            ++count;
        }
        text = utf16(at, count);
        return at + 2 * (count + 1);
    }

    std::vector<unsigned char> slice(size_t at, size_t count) const {
        if (at + count > data_.size() || at + count < at) {
            throw std::runtime_error("slice past the end of the data");
        }
        return std::vector<unsigned char>(data_.begin() + at, data_.begin() + at + count);
    }

private:
    const std::vector<unsigned char>& data_;
};

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

constexpr uint32_t kSubdirectory = 0x80000000u;
constexpr int kResourceDataDirectory = 2;

size_t rvaToOffset(const std::vector<Section>& sections, uint32_t rva) {
    for (const Section& s : sections) {
        if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize)) {
            return s.rawOffset + (rva - s.virtualAddress);
        }
    }
    throw std::runtime_error("address outside every section");
}

struct Walker {
    const Bytes& file;
    const std::vector<Section>& sections;
    size_t base;  // file offset of the resource directory's root
    std::vector<PeResource>& out;

    // Entries of the directory at `offset`: (name-or-id word, target word).
    std::vector<std::pair<uint32_t, uint32_t>> entries(uint32_t offset) const {
        size_t at = base + offset;
        uint32_t count = file.u16(at + 12) + file.u16(at + 14);
        std::vector<std::pair<uint32_t, uint32_t>> list;
        for (uint32_t i = 0; i < count; ++i) {
            list.emplace_back(file.u32(at + 16 + 8 * i), file.u32(at + 20 + 8 * i));
        }
        return list;
    }

    std::string typeName(uint32_t word) const {
        if (word & kSubdirectory) {
            size_t at = base + (word & ~kSubdirectory);
            return file.utf16(at + 2, file.u16(at));
        }
        return "#" + std::to_string(word);
    }

    void walk() const {
        for (auto [typeWord, typeTarget] : entries(0)) {
            for (auto [nameWord, nameTarget] : entries(typeTarget & ~kSubdirectory)) {
                if (nameWord & kSubdirectory) {
                    continue;
                }
                for (auto [language, leaf] : entries(nameTarget & ~kSubdirectory)) {
                    size_t at = base + leaf;
                    PeResource resource;
                    resource.type = typeName(typeWord);
                    resource.id = static_cast<int>(nameWord);
                    resource.language = static_cast<int>(language);
                    resource.data = file.slice(rvaToOffset(sections, file.u32(at)), file.u32(at + 4));
                    out.push_back(std::move(resource));
                }
            }
        }
    }
};

}  // namespace

std::vector<PeResource> readPeResources(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    Bytes file(data);
    size_t pe = file.u32(0x3c);
    if (file.u32(pe) != 0x4550) {
        throw std::runtime_error("no PE signature");
    }
    size_t coff = pe + 4;
    uint32_t sectionCount = file.u16(coff + 2);
    size_t optional = coff + 20;
    size_t optionalSize = file.u16(coff + 16);
    uint32_t magic = file.u16(optional);
    size_t directories = optional + (magic == 0x20b ? 112 : 96);
    uint32_t resourceRva = file.u32(directories + 8 * kResourceDataDirectory);

    std::vector<Section> sections;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        size_t at = optional + optionalSize + 40 * i;
        sections.push_back({file.u32(at + 12), file.u32(at + 8), file.u32(at + 20), file.u32(at + 16)});
    }
    std::vector<PeResource> resources;
    if (resourceRva != 0) {
        Walker{file, sections, rvaToOffset(sections, resourceRva), resources}.walk();
    }
    return resources;
}

namespace {

// One node of the version resource: length, value length, type, key, value, children.
struct VersionBlock {
    std::string key;
    size_t valueAt = 0, valueBytes = 0;
    std::vector<VersionBlock> children;
};

size_t align4(size_t at) { return (at + 3) & ~size_t(3); }

VersionBlock parseBlock(const Bytes& bytes, size_t at) {
    VersionBlock block;
    size_t length = bytes.u16(at);
    size_t valueLength = bytes.u16(at + 2);
    bool text = bytes.u16(at + 4) == 1;
    size_t end = at + length;
    size_t next = align4(bytes.utf16z(at + 6, block.key));
    block.valueAt = next;
    block.valueBytes = text ? 2 * valueLength : valueLength;
    next = align4(next + block.valueBytes);
    while (next < end) {
        VersionBlock child = parseBlock(bytes, next);
        size_t childLength = bytes.u16(next);
        if (childLength == 0) {
            throw std::runtime_error("empty version block");
        }
        block.children.push_back(std::move(child));
        next = align4(next + childLength);
    }
    return block;
}

}  // namespace

VersionInfo parseVersionInfo(const std::vector<unsigned char>& data) {
    Bytes bytes(data);
    VersionBlock root = parseBlock(bytes, 0);
    if (root.key != "VS_VERSION_INFO" || root.valueBytes != 52 || bytes.u32(root.valueAt) != 0xFEEF04BDu) {
        throw std::runtime_error("not a version resource");
    }
    VersionInfo info;
    info.fileVersionMs = bytes.u32(root.valueAt + 8);
    info.fileVersionLs = bytes.u32(root.valueAt + 12);
    info.productVersionMs = bytes.u32(root.valueAt + 16);
    info.productVersionLs = bytes.u32(root.valueAt + 20);
    for (const VersionBlock& group : root.children) {
        for (const VersionBlock& child : group.children) {
            if (group.key == "StringFileInfo") {
                info.stringTableKey = child.key;
                for (const VersionBlock& entry : child.children) {
                    std::string value;
                    bytes.utf16z(entry.valueAt, value);
                    info.strings[entry.key] = value;
                }
            } else if (group.key == "VarFileInfo" && child.key == "Translation") {
                for (size_t i = 0; i < child.valueBytes; i += 2) {
                    info.translation.push_back(static_cast<uint16_t>(bytes.u16(child.valueAt + i)));
                }
            }
        }
    }
    return info;
}
