// A reader of the resource table of a Windows PE file (DLL or EXE), so that tests can check what a
// built module carries without loading it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct PeResource {
    std::string type;  // the type's name, or "#<number>" for a numbered type
    int id = 0;        // numbered resources only; named ones are skipped
    int language = 0;
    std::vector<unsigned char> data;
};

// All numbered resources of the file; throws std::runtime_error on a malformed file.
std::vector<PeResource> readPeResources(const std::string& path);

// The fixed part and the string table of a VS_VERSIONINFO resource.
struct VersionInfo {
    uint32_t fileVersionMs = 0, fileVersionLs = 0, productVersionMs = 0, productVersionLs = 0;
    std::string stringTableKey;                  // e.g. "000004B0"
    std::map<std::string, std::string> strings;  // ASCII keys and values
    std::vector<uint16_t> translation;           // words of the "Translation" value
};

VersionInfo parseVersionInfo(const std::vector<unsigned char>& data);
