// A small Windows host for the editor's end-to-end test:
//   qx71-editor-host PLUGIN.dll REPORT STOPFILE [SCALE]
// loads the plug-in with the host harness, passes SCALE the way DPI-aware hosts do (the
// 'PreS'/'AeCs' vendor message) if given, opens its editor as the child of a borderless
// top-level window at the screen's top-left corner, idles it every 20 ms until STOPFILE appears
// (or two minutes pass), closes the editor and the instance, and writes REPORT: the 26 parameter
// values and, in order, the automation and begin/end edit calls the plug-in made.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "edit_report.h"
#include "host_recorder.h"
#include "plugin_instance.h"
#include "running_plugin.h"

namespace {

constexpr char kWindowTitle[] = "QX71G e2e host";
constexpr UINT_PTR kIdleTimer = 1;
constexpr DWORD kLongestRunMs = 120000;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createHostWindow(int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "QX71GEditorHost";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}

bool fileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Runs the window's messages and the editor's idle until the stop file appears.
void runUntilStopped(qx71::host::Instance& instance, HWND window, const char* stopFile) {
    SetTimer(window, kIdleTimer, 20, nullptr);
    const DWORD start = GetTickCount();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == window) {
            instance.dispatch(effEditIdle);
            if (fileExists(stopFile) || GetTickCount() - start > kLongestRunMs) break;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(window, kIdleTimer);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s PLUGIN.dll REPORT STOPFILE [SCALE]\n", argv[0]);
        return 2;
    }
    qx71::host::HostRecorder recorder;
    auto instance = openRunningPlugin(argv[1], recorder);
    if (!instance) {
        return 1;
    }
    if (argc == 5) {
        float scale = std::strtof(argv[4], nullptr);
        if (instance->dispatch(effVendorSpecific, kScaleMessageIndex, kScaleMessageValue, nullptr, scale) != 1) {
            std::fprintf(stderr, "the plug-in did not take the scale %s\n", argv[4]);
            return 1;
        }
    }

    ERect* rect = nullptr;
    if (!instance->dispatch(effEditGetRect, 0, 0, &rect) || !rect) {
        std::fprintf(stderr, "no editor rectangle\n");
        return 1;
    }
    HWND window = createHostWindow(rect->right - rect->left, rect->bottom - rect->top);
    if (!window || !instance->dispatch(effEditOpen, 0, 0, window)) {
        std::fprintf(stderr, "the editor did not open\n");
        return 1;
    }
    UpdateWindow(window);
    runUntilStopped(*instance, window, argv[3]);

    instance->dispatch(effEditClose);
    bool written = qx71::host::writeEditReport(argv[2], *instance, recorder);
    instance->close();
    DestroyWindow(window);
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
