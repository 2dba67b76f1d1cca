// Loads the plug-in binary under test (its path is compiled in) through the host harness.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "plugin_instance.h"
#include "plugin_library.h"

namespace conformance {

inline std::shared_ptr<qx71::host::PluginLibrary> pluginLibrary() {
    static std::shared_ptr<qx71::host::PluginLibrary> library = [] {
        std::string error;
        auto opened = qx71::host::PluginLibrary::open(QX71_PLUGIN_PATH, error);
        if (!opened) ADD_FAILURE() << error;
        return opened;
    }();
    return library;
}

// One instance with its own recording host.
struct LoadedPlugin {
    qx71::host::HostRecorder host;
    std::unique_ptr<qx71::host::Instance> instance;

    LoadedPlugin() {
        std::string error;
        auto library = pluginLibrary();
        if (library) instance = qx71::host::Instance::create(library, host, error);
        if (!instance) ADD_FAILURE() << "cannot instantiate " << QX71_PLUGIN_PATH << ": " << error;
    }
    AEffect* effect() const { return instance->effect(); }
    qx71::host::Instance* operator->() const { return instance.get(); }
};

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plugin.instance) << "plug-in did not load"; }
    LoadedPlugin plugin;
};

constexpr bool kExpectEditor = QX71_EXPECT_EDITOR != 0;

}  // namespace conformance
