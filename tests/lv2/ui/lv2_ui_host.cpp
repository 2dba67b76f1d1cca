// A small LV2 UI host for the X11 UI's tests:
//   qx71-lv2-ui-host UI.so REPORT COMMANDS   shows the UI in a borderless window at the screen's
//       top-left corner, idles it about 30 times a second, and runs the command files that appear
//       at COMMANDS (see runCommands) until one says "stop". REPORT gets a line per host call:
//       "write PORT VALUE", "touch PORT 1|0", "resize WIDTH HEIGHT".
//   qx71-lv2-ui-host UI.so --cycles N        instantiates, feeds, idles and cleans up the UI N
//       times in one window, then checks that hosts without a parent window, without the idle
//       interface, without a display, or for another plug-in get no instance.
// The features are the ones hosts offer: ui:parent, ui:idleInterface, urid:map, ui:touch,
// ui:resize, and opts:options with ui:scaleFactor.
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "lv2_ports.h"
#include "real_values.h"

namespace {

struct Host {
    const LV2UI_Descriptor* descriptor = nullptr;
    Display* display = nullptr;
    Window window = 0;
    FILE* report = nullptr;
    std::vector<std::string> uris;
    float levelPort = 0.0f;  // sent with every idle, as hosts forward an output port
    int width = 0, height = 0;  // the latest size the UI asked for
};

LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto& uris = static_cast<Host*>(handle)->uris;
    for (size_t i = 0; i < uris.size(); ++i) {
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris.push_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

void record(Host& host, const char* format, double a, double b) {
    if (!host.report) return;
    std::fprintf(host.report, format, a, b);
    std::fflush(host.report);
}

void writePort(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer) {
    auto& host = *static_cast<Host*>(controller);
    if (size == sizeof(float) && protocol == 0)
        record(host, "write %g %.9g\n", port, *static_cast<const float*>(buffer));
}

void touch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
    record(*static_cast<Host*>(handle), "touch %g %g\n", port, grabbed ? 1 : 0);
}

int resize(LV2UI_Feature_Handle handle, int width, int height) {
    auto& host = *static_cast<Host*>(handle);
    record(host, "resize %g %g\n", width, height);
    host.width = width;
    host.height = height;
    XResizeWindow(host.display, host.window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    return 0;
}

// The features, with any of ui:parent, ui:idleInterface left out on request.
struct Features {
    Features(Host& host, bool withParent, bool withIdle, float scaleFactor = 1.0f) : scale(scaleFactor) {
        map = {&host, mapUri};
        touchFeature = {&host, touch};
        resizeFeature = {&host, resize};
        options[0] = {LV2_OPTIONS_INSTANCE,           0,     mapUri(&host, LV2_UI__scaleFactor), sizeof(float),
                      mapUri(&host, LV2_ATOM__Float), &scale};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        all = {{LV2_URID__map, &map},
               {LV2_UI__touch, &touchFeature},
               {LV2_UI__resize, &resizeFeature},
               {LV2_OPTIONS__options, options}};
        if (withParent) all.push_back({LV2_UI__parent, reinterpret_cast<void*>(host.window)});
        if (withIdle) all.push_back({LV2_UI__idleInterface, nullptr});
        for (const LV2_Feature& feature : all) list.push_back(&feature);
        list.push_back(nullptr);
    }
    LV2_URID_Map map;
    LV2UI_Touch touchFeature;
    LV2UI_Resize resizeFeature;
    float scale;
    LV2_Options_Option options[2];
    std::vector<LV2_Feature> all;
    std::vector<const LV2_Feature*> list;
};

LV2UI_Handle instantiate(Host& host, const Features& features, const char* plugin = QX71_LV2_URI) {
    LV2UI_Widget widget = nullptr;
    return host.descriptor->instantiate(host.descriptor, plugin, "", writePort, &host, &widget, features.list.data());
}

void portEvent(Host& host, LV2UI_Handle ui, uint32_t port, float value, uint32_t format = 0) {
    host.descriptor->port_event(ui, port, sizeof value, format, &value);
}

// As hosts do after instantiate: every control at its value, here the defaults.
void sendDefaults(Host& host, LV2UI_Handle ui) {
    for (int i = 0; i < param::count; ++i) portEvent(host, ui, i, param::realDefault(param::kTable[i]));
}

int idle(Host& host, LV2UI_Handle ui) {
    while (XPending(host.display) > 0) {
        XEvent event;
        XNextEvent(host.display, &event);
    }
    portEvent(host, ui, lv2port::kOutputLevel, host.levelPort);
    auto* interface = static_cast<const LV2UI_Idle_Interface*>(host.descriptor->extension_data(LV2_UI__idleInterface));
    return interface ? interface->idle(ui) : 1;
}

// A command file holds lines "port INDEX VALUE [FORMAT]" (a port event), "level VALUE" (the
// output level port from now on) or "stop". Taken files are removed. False once stopped.
bool runCommands(Host& host, LV2UI_Handle ui, const std::string& path) {
    const std::string taken = path + ".taken";
    if (std::rename(path.c_str(), taken.c_str()) != 0) return true;
    std::ifstream in(taken);
    std::string line, word;
    bool running = true;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        fields >> word;
        // Values through strtof, which also reads "nan".
        std::string value;
        if (word == "port") {
            uint32_t port = 0, format = 0;
            fields >> port >> value;
            if (!(fields >> format)) format = 0;
            portEvent(host, ui, port, std::strtof(value.c_str(), nullptr), format);
        } else if (word == "level") {
            fields >> value;
            host.levelPort = std::strtof(value.c_str(), nullptr);
        } else if (word == "stop") {
            running = false;
        }
    }
    std::remove(taken.c_str());
    return running;
}

int runWindow(Host& host, const std::string& reportPath, const std::string& commands) {
    host.report = std::fopen(reportPath.c_str(), "w");
    if (!host.report) return 1;
    Features features(host, true, true);
    LV2UI_Handle ui = instantiate(host, features);
    if (!ui) {
        std::fprintf(stderr, "the UI did not instantiate\n");
        return 1;
    }
    sendDefaults(host, ui);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    auto next = std::chrono::steady_clock::now();
    int status = 0;
    while (runCommands(host, ui, commands)) {
        if (idle(host, ui) != 0 || std::chrono::steady_clock::now() > giveUp) {
            status = 1;
            break;
        }
        next += std::chrono::milliseconds(33);
        std::this_thread::sleep_until(next);
    }
    host.descriptor->cleanup(ui);
    std::fclose(host.report);
    return status;
}

int runCycles(Host& host, int cycles) {
    int failures = 0;
    Features features(host, true, true);
    for (int i = 0; i < cycles; ++i) {
        LV2UI_Handle ui = instantiate(host, features);
        if (!ui) {
            ++failures;
            continue;
        }
        sendDefaults(host, ui);
        host.levelPort = i % 2 ? 1.5f : 0.5f;
        for (int n = 0; n < 2; ++n) failures += idle(host, ui);
        host.descriptor->cleanup(ui);
    }
    const Features noParent(host, false, true), noIdle(host, true, false);
    const char* refused[] = {"no parent", "no idle interface", "another plug-in", "no display"};
    LV2UI_Handle wrong[4] = {instantiate(host, noParent), instantiate(host, noIdle),
                             instantiate(host, features, "urn:another:plugin"), nullptr};
    const std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    wrong[3] = instantiate(host, features);
    setenv("DISPLAY", display.c_str(), 1);
    for (int i = 0; i < 4; ++i) {
        if (wrong[i] == nullptr) continue;
        std::fprintf(stderr, "an instance for a host with %s\n", refused[i]);
        host.descriptor->cleanup(wrong[i]);
        ++failures;
    }
    // The host's scale factor sizes the window: 2.0 doubles it, one outside 1 to 3 is ignored.
    for (const float scale : {2.0f, 0.5f}) {
        const Features scaled(host, true, true, scale);
        LV2UI_Handle ui = instantiate(host, scaled);
        const int expectedWidth = scale == 2.0f ? 580 : 290, expectedHeight = scale == 2.0f ? 1320 : 660;
        if (!ui || host.width != expectedWidth || host.height != expectedHeight) {
            std::fprintf(stderr, "scale factor %g: size %d x %d\n", scale, host.width, host.height);
            ++failures;
        }
        if (ui) host.descriptor->cleanup(ui);
    }
    std::printf("%d instantiate/cleanup cycles, %d failures\n", cycles, failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s UI.so REPORT COMMANDS | %s UI.so --cycles N\n", argv[0], argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    auto entry =
        library ? reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2ui_descriptor")) : nullptr;
    Host host;
    host.descriptor = entry ? entry(0) : nullptr;
    host.display = XOpenDisplay(nullptr);
    if (!host.descriptor || !host.display) {
        std::fprintf(stderr, "no UI descriptor in %s or no display\n", argv[1]);
        return 1;
    }
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(host.display, DefaultScreen(host.display));
    host.window = XCreateWindow(host.display, DefaultRootWindow(host.display), 0, 0, 100, 100, 0, CopyFromParent,
                                InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XStoreName(host.display, host.window, "QX71 LV2 UI host");
    XMapWindow(host.display, host.window);
    XSync(host.display, False);
    const int status =
        std::strcmp(argv[2], "--cycles") == 0 ? runCycles(host, std::atoi(argv[3])) : runWindow(host, argv[2], argv[3]);
    XDestroyWindow(host.display, host.window);
    XCloseDisplay(host.display);
    dlclose(library);
    return status;
}
