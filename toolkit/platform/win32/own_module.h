// The module (DLL or program) that this code is linked into, so resources and window classes
// belong to the plug-in rather than to the host.
#pragma once

#include <windows.h>

namespace VSTGUI {

inline HMODULE ownModule() {
    static const char anchor = 0;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, &anchor,
                       &module);
    return module;
}

}  // namespace VSTGUI
