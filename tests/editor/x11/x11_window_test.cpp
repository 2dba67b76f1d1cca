// The built QX71G.so's editor in X11 windows of the host harness, run under Xvfb (and under the
// sanitizers in their builds): open/close storms, many instances at once, a host that destroys
// its window first, parents that are not windows, no display, and the editor open while an
// audio and an automation thread run.
#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None and Bool as macros.
#include <X11/Xlib.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "host_recorder.h"
#include "open_files.h"
#include "plugin_instance.h"
#include "plugin_library.h"
#include "x11_editor_window.h"

namespace {

using qx71::host::Instance;
using qx71::host::X11EditorWindow;

struct LoadedPlugin {
    qx71::host::HostRecorder host;
    std::unique_ptr<Instance> instance;

    LoadedPlugin() {
        std::string error;
        auto library = qx71::host::PluginLibrary::open(QX71G_PATH, error);
        if (library) instance = Instance::create(library, host, error);
        EXPECT_NE(instance, nullptr) << error;
        if (instance) instance->open();
    }
    ~LoadedPlugin() {
        if (instance) instance->close();
    }
};

std::unique_ptr<X11EditorWindow> openEditor(Instance& instance) {
    std::string error;
    auto window = X11EditorWindow::open(instance, "QX71G test host", error);
    EXPECT_NE(window, nullptr) << error;
    return window;
}

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

TEST(X11Editor, OpenCloseStormsLeaveNoConnectionOrWindowBehind) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.instance);
    auto window = openEditor(*plugin.instance);
    ASSERT_TRUE(window);
    window->idleTicks(2);
    const int filesOpen = openFileCount();
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_TRUE(window->reopenEditor()) << "cycle " << cycle;
        window->idleTicks(2);
    }
    EXPECT_EQ(openFileCount(), filesOpen) << "a display connection was left open";
    plugin.instance->dispatch(effEditClose);
    EXPECT_EQ(openFileCount(), filesOpen - 1) << "the editor's display connection outlived it";
}

TEST(X11Editor, ManyInstancesOpenAtOnce) {
    std::vector<std::unique_ptr<LoadedPlugin>> plugins;
    std::vector<std::unique_ptr<X11EditorWindow>> windows;
    for (int i = 0; i < 8; ++i) {
        plugins.push_back(std::make_unique<LoadedPlugin>());
        ASSERT_TRUE(plugins.back()->instance);
        windows.push_back(openEditor(*plugins.back()->instance));
        ASSERT_TRUE(windows.back());
    }
    for (int round = 0; round < 5; ++round) {
        for (auto& window : windows) window->idleTicks(1);
    }
    // effClose with the editor still open, for half of them; the others close it first.
    for (int i = 0; i < 8; i += 2) {
        plugins[i]->instance->close();
        windows[i].reset();  // its effEditClose now reaches no plug-in
    }
    for (auto& window : windows) {
        if (window) window->idleTicks(1);
    }
}

TEST(X11Editor, AHostWindowDestroyedFirstRaisesNoErrorInTheHost) {
    XErrorHandler before = XSetErrorHandler(&countHostError);
    hostErrors = 0;
    {
        LoadedPlugin plugin;
        ASSERT_TRUE(plugin.instance);
        // Before the editor hears of it: a value shown and the editor closed in a window that is gone.
        auto window = openEditor(*plugin.instance);
        ASSERT_TRUE(window);
        window->idleTicks(2);
        window->destroyParentFirst();
        plugin.instance->setParameter(0, 0.25f);
        plugin.instance->dispatch(effEditClose);
        // After it has heard of it.
        window = openEditor(*plugin.instance);
        ASSERT_TRUE(window);
        window->idleTicks(2);
        window->destroyParentFirst();
        window->idleTicks(3);
    }
    EXPECT_EQ(hostErrors, 0) << "an error of the plug-in's connection reached the host's handler";
    EXPECT_EQ(XSetErrorHandler(before), &countHostError) << "the host's error handler was not restored";
}

TEST(X11Editor, RefusesParentsThatAreNotWindowsAndMissingDisplays) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.instance);
    openEditor(*plugin.instance).reset();
    const int filesBefore = openFileCount();
    // An id no client has made.
    EXPECT_EQ(plugin.instance->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x7ffffff0)), 0);
    std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(plugin.instance->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x7ffffff0)), 0);
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(openFileCount(), filesBefore) << "a refused open left its connection behind";
    // The editor still opens in a real window afterwards.
    auto window = openEditor(*plugin.instance);
    ASSERT_TRUE(window);
    window->idleTicks(1);
}

TEST(X11EditorThreads, OpenWhileAudioAndAutomationRun) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.instance);
    Instance& instance = *plugin.instance;
    instance.setSampleRate(44100.0f);
    instance.setBlockSize(64);
    instance.mainsChanged(true);
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        qx71::host::ChannelBuffers<float> in(2, std::vector<float>(64, 0.9f)), out(2, std::vector<float>(64));
        while (!stop.load()) instance.processReplacing(in, out);
    });
    std::thread automation([&] {
        for (int i = 0; !stop.load(); ++i) instance.setParameter(i % 26, static_cast<float>(i % 7) / 6.0f);
    });
    auto window = openEditor(instance);
    for (int cycle = 0; window && cycle < 4 && window->reopenEditor(); ++cycle) window->idleTicks(10);
    stop.store(true);
    audio.join();
    automation.join();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->reopenEditor());
}

}  // namespace
