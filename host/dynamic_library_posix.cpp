#include "dynamic_library.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace qx71::host {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = "'" + path + "' not found";
        return nullptr;
    }
    // Without a slash dlopen would search the library path instead of opening this file.
    const std::string explicitPath = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(explicitPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = "'" + path + "' is not a loadable library: " + (reason != nullptr ? reason : "unknown reason");
        return nullptr;
    }
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { dlclose(handle_); }

DynamicLibrary::Symbol DynamicLibrary::symbol(const char* name) const {
    return reinterpret_cast<Symbol>(dlsym(handle_, name));
}

}  // namespace qx71::host
