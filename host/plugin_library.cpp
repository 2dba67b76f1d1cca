#include "plugin_library.h"

namespace qx71::host {

PluginLibrary::PluginLibrary(std::unique_ptr<DynamicLibrary> library, std::string path, VstPluginMainProc entry,
                             std::string entryName)
    : library_(std::move(library)), path_(std::move(path)), entry_(entry), entryName_(std::move(entryName)) {}

std::shared_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error) {
    std::unique_ptr<DynamicLibrary> library = DynamicLibrary::open(path, error);
    if (!library) {
        return nullptr;
    }
    // Hosts look for VSTPluginMain first; older plug-ins export only main.
    for (const char* name : {"VSTPluginMain", "main"}) {
        if (DynamicLibrary::Symbol symbol = library->symbol(name)) {
            const auto entry = reinterpret_cast<VstPluginMainProc>(symbol);
            return std::shared_ptr<PluginLibrary>(new PluginLibrary(std::move(library), path, entry, name));
        }
    }
    error = "'" + path + "' is not a VST 2.4 plug-in: it exports neither VSTPluginMain nor main";
    return nullptr;
}

}  // namespace qx71::host
