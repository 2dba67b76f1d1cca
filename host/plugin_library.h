// A VST 2.4 plug-in binary opened for instantiation: the library and its entry function.
#pragma once

#include <memory>
#include <string>

#include "dynamic_library.h"
#include "vst_abi.h"

namespace qx71::host {

class PluginLibrary {
public:
    // Opens the binary at path and finds its entry (VSTPluginMain, else main). On failure returns
    // null and sets error to one line: file not found, not a loadable library, or no entry export.
    // Shared because every instance keeps its library loaded.
    static std::shared_ptr<PluginLibrary> open(const std::string& path, std::string& error);

    const std::string& path() const { return path_; }
    VstPluginMainProc entry() const { return entry_; }
    // The export name the entry was found under.
    const std::string& entryName() const { return entryName_; }

private:
    PluginLibrary(std::unique_ptr<DynamicLibrary> library, std::string path, VstPluginMainProc entry,
                  std::string entryName);

    std::unique_ptr<DynamicLibrary> library_;
    std::string path_;
    VstPluginMainProc entry_;
    std::string entryName_;
};

}  // namespace qx71::host
