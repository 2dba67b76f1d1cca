// Lookup in the "PNG" resources of the module that contains this code (the plug-in DLL, not the
// host executable), read once and kept for the module's lifetime.
#include "embedded_resources.h"

#include <windows.h>

namespace {

HMODULE ownModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ownModule), &module);
    return module;
}

struct ResourceTable {
    EmbeddedResource entries[kLastArtworkId - kFirstArtworkId + 1] = {};

    ResourceTable() {
        HMODULE module = ownModule();
        for (int id = kFirstArtworkId; id <= kLastArtworkId; ++id) {
            EmbeddedResource& entry = entries[id - kFirstArtworkId];
            entry.id = id;
            HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
            HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
            entry.data = handle ? static_cast<const unsigned char*>(LockResource(handle)) : nullptr;
            entry.size = entry.data ? SizeofResource(module, info) : 0;
        }
    }
};

}  // namespace

const EmbeddedResource* findEmbeddedResource(int id) {
    static const ResourceTable table;  // initialised once, thread-safe
    if (id < kFirstArtworkId || id > kLastArtworkId) {
        return nullptr;
    }
    const EmbeddedResource& entry = table.entries[id - kFirstArtworkId];
    return entry.data ? &entry : nullptr;
}
