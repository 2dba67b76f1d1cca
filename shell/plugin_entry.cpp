// The library's entry, exported as VSTPluginMain and as main: one call per instance.
#include <new>

#include "equalizer_plugin.h"

#if defined(_WIN32)
#define QX71_EXPORT extern "C"  // exported through the module definition file
#else
#define QX71_EXPORT extern "C" __attribute__((visibility("default")))
#endif

QX71_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    // A host that cannot be asked, or answers 0 to the version question, gets nothing.
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        // A failure while building frees whatever was already made; nothing escapes to the host.
        return (new vst::EqualizerPlugin(audioMaster))->getAeffect();
    } catch (...) {
        return nullptr;
    }
}
