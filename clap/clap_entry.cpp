// The CLAP entry: the one plug-in of the factory, its descriptor, and instance creation.
#include <clap/entry.h>
#include <clap/factory/plugin-factory.h>
#include <clap/plugin-features.h>

#include <cstring>

#include "clap_plugin.h"
#include "identity.h"

namespace {

const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_EQUALIZER,
                                 CLAP_PLUGIN_FEATURE_STEREO, nullptr};

const clap_plugin_descriptor_t kDescriptor = {
    CLAP_VERSION_INIT,
    QX71_CLAP_ID,
    QX71_EFFECT_NAME_PLAIN,
    QX71_VENDOR,
    "",
    "",
    "",
    QX71_CLAP_VERSION,
    "Stereo console-channel equalizer",
    kFeatures,
};

uint32_t pluginCount(const clap_plugin_factory_t*) { return 1; }

const clap_plugin_descriptor_t* pluginDescriptor(const clap_plugin_factory_t*, uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host, const char* id) {
    if (host == nullptr || id == nullptr || std::strcmp(id, kDescriptor.id) != 0 ||
        !clap_version_is_compatible(host->clap_version)) {
        return nullptr;
    }
    return clap_edition::createPlugin(&kDescriptor, host);
}

const clap_plugin_factory_t kFactory = {pluginCount, pluginDescriptor, createPlugin};

bool entryInit(const char*) { return true; }
void entryDeinit() {}

const void* factory(const char* id) {
    return id != nullptr && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION_INIT, entryInit, entryDeinit, factory};
