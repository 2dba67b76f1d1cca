// The plug-in an end-to-end host drives: loaded from `path`, opened at 44.1 kHz with blocks of
// 512 and switched on. Prints why and answers null when it cannot be loaded.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "host_recorder.h"
#include "plugin_instance.h"
#include "plugin_library.h"

inline std::unique_ptr<qx71::host::Instance> openRunningPlugin(const char* path, qx71::host::HostRecorder& recorder) {
    std::string error;
    auto library = qx71::host::PluginLibrary::open(path, error);
    auto instance = library ? qx71::host::Instance::create(library, recorder, error) : nullptr;
    if (!instance) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, error.c_str());
        return nullptr;
    }
    instance->open();
    instance->setSampleRate(44100.0f);
    instance->setBlockSize(512);
    instance->mainsChanged(true);
    return instance;
}
