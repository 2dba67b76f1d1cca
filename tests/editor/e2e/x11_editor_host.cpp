// A small Linux host for the editor's end-to-end test under X11:
//   qx71-x11-editor-host PLUGIN.so REPORT STOPFILE
// loads the plug-in with the host harness, opens its editor in a borderless top-level window at
// the screen's top-left corner, idles it about 30 times a second until STOPFILE appears (or two
// minutes pass), closes the editor and the instance, and writes REPORT (see edit_report.h).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "edit_report.h"
#include "host_recorder.h"
#include "plugin_instance.h"
#include "running_plugin.h"
#include "x11_editor_window.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PLUGIN.so REPORT STOPFILE\n", argv[0]);
        return 2;
    }
    qx71::host::HostRecorder recorder;
    auto instance = openRunningPlugin(argv[1], recorder);
    if (!instance) {
        return 1;
    }
    std::string error;

    auto window = qx71::host::X11EditorWindow::open(*instance, "QX71G e2e host", error);
    if (!window) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    const char* stopFile = argv[3];
    window->idleUntil([&] { return access(stopFile, F_OK) == 0 || std::chrono::steady_clock::now() > giveUp; });
    window.reset();

    bool written = qx71::host::writeEditReport(argv[2], *instance, recorder);
    instance->close();
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
