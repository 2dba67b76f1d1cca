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

constexpr int kSetSize = kLastArtworkId - kFirstArtworkId + 1;

// The slot of an artwork number in the table, or -1.
int slotOf(int id) {
    for (int scale = 1; scale <= kArtworkMaxScale; ++scale) {
        int offset = id - scaledArtworkId(kFirstArtworkId, scale);
        if (offset >= 0 && offset < kSetSize) return (scale - 1) * kSetSize + offset;
    }
    return -1;
}

struct ResourceTable {
    EmbeddedResource entries[kSetSize * kArtworkMaxScale] = {};

    ResourceTable() {
        HMODULE module = ownModule();
        for (int slot = 0; slot < kSetSize * kArtworkMaxScale; ++slot) {
            int id = scaledArtworkId(kFirstArtworkId + slot % kSetSize, slot / kSetSize + 1);
            EmbeddedResource& entry = entries[slot];
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
    int slot = slotOf(id);
    if (slot < 0) {
        return nullptr;
    }
    const EmbeddedResource& entry = table.entries[slot];
    return entry.data ? &entry : nullptr;
}
