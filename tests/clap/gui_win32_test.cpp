// The CLAP edition's editor in a Win32 window of the test host (under Wine and Xvfb): it opens
// and closes again and again, ticking from the host's timer or, without one, from a thread timer
// of its own, and a click on it reaches the host as a gesture around a value.
#include <gtest/gtest.h>
#include <windows.h>

#include "clap_test_support.h"

namespace clap_test {
namespace {

// Handles the thread's messages (the editor's, its own timer's) for about `ms` milliseconds and
// fires the timers the host was asked for, as a host's message loop does.
void pump(Instance& i, int ms) {
    const auto* timers = i.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    for (int waited = 0; waited < ms; waited += 10) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        for (const auto& timer : std::vector(i.record().timers)) timers->on_timer(i.plugin(), timer.first);
        Sleep(10);
    }
}

bool openEditor(Instance& i, HWND parent) {
    const auto* gui = i.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    clap_window_t window{CLAP_WINDOW_API_WIN32, {}};
    window.win32 = parent;
    return gui->create(i.plugin(), CLAP_WINDOW_API_WIN32, false) && gui->set_parent(i.plugin(), &window);
}

TEST(ClapGuiWin32, OpensAgainAndAgainAndReportsAClick) {
    HWND parent = CreateWindowExA(0, "STATIC", "QX71 CLAP test host", WS_POPUP | WS_VISIBLE, 0, 0, 290, 660, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    for (HostOffers offers : {HostOffers{true, false}, HostOffers{false, false}}) {
        Instance i(offers);
        const auto* gui = i.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
        EXPECT_FALSE(gui->is_api_supported(i.plugin(), CLAP_WINDOW_API_X11, false));
        for (int cycle = 0; cycle < 20; ++cycle) {
            ASSERT_TRUE(openEditor(i, parent)) << "cycle " << cycle;
            pump(i, 20);
            gui->destroy(i.plugin());
            ASSERT_EQ(GetWindow(parent, GW_CHILD), nullptr) << "cycle " << cycle;
        }
        ASSERT_TRUE(openEditor(i, parent));
        EXPECT_EQ(i.record().timers.size(), offers.timers ? 1u : 0u);
        HWND editor = GetWindow(parent, GW_CHILD);
        ASSERT_NE(editor, nullptr);
        pump(i, 100);
        const LPARAM polarityButton = MAKELPARAM(210, 596);
        PostMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, polarityButton);
        PostMessageA(editor, WM_LBUTTONUP, 0, polarityButton);
        pump(i, 100);
        i.flush(EventList());
        std::vector<std::pair<uint16_t, clap_id>> kinds;
        for (const SentEvent& e : i.record().sent) kinds.emplace_back(e.type, e.id);
        EXPECT_EQ(kinds, (std::vector<std::pair<uint16_t, clap_id>>{{CLAP_EVENT_PARAM_GESTURE_BEGIN, param::phase},
                                                                    {CLAP_EVENT_PARAM_VALUE, param::phase},
                                                                    {CLAP_EVENT_PARAM_GESTURE_END, param::phase}}));
        EXPECT_EQ(i.value(param::phase), 1.0);
        gui->destroy(i.plugin());
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace clap_test
