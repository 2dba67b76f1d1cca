// A loaded shared library (dlopen on POSIX, LoadLibraryA on Windows), unloaded on destruction.
#pragma once

#include <memory>
#include <string>

namespace qx71::host {

class DynamicLibrary {
public:
    // A generic function pointer: callers cast it to the symbol's real type.
    using Symbol = void (*)();

    // Loads the library at path. On failure returns null and sets error to one line that says
    // whether the file is missing or is not a loadable library (with the loader's reason).
    static std::unique_ptr<DynamicLibrary> open(const std::string& path, std::string& error);

    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The exported function of that name, or null.
    Symbol symbol(const char* name) const;

private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace qx71::host
