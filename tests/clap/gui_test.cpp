// The CLAP edition's editor in an X11 window of the test host, under Xvfb: the host offers timer
// and file-descriptor support and drives the editor only through them; real pointer input
// (xdotool) on the editor reaches the host as gesture and value events; values the host sets do
// not come back; and 100 create/destroy cycles leave no timer, descriptor or connection behind.
#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None and Bool as macros.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "clap_test_support.h"
#include "open_files.h"

namespace clap_test {
namespace {

// Xvfb refuses some connections opened right after another one closed (xdotool's, the
// editor's); a host would try again.
Display* openDisplay() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
        usleep(50000);
    }
    return nullptr;
}

// A host window at the screen's top-left corner, so editor and screen coordinates agree.
struct HostWindow {
    Display* display = openDisplay();
    Window window = 0;

    HostWindow() {
        if (display == nullptr) return;
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 290, 660, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
    }
    ~HostWindow() {
        if (display == nullptr) return;
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
};

class Editor {
public:
    explicit Editor(Instance& instance) : instance_(instance) {
        gui_ = instance.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
        timers_ = instance.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
        fds_ = instance.extension<clap_plugin_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
    }
    const clap_plugin_gui_t* gui() const { return gui_; }

    bool open(Window parent) {
        if (!gui_->create(instance_.plugin(), CLAP_WINDOW_API_X11, false)) return false;
        clap_window_t window{CLAP_WINDOW_API_X11, {}};
        window.x11 = parent;
        return gui_->set_parent(instance_.plugin(), &window) && gui_->show(instance_.plugin());
    }
    // What a host's event loop does: the timers fire and readable descriptors are reported.
    void tick(int count) {
        for (int n = 0; n < count; ++n) {
            const HostRecord& record = instance_.record();
            for (const auto& timer : std::vector(record.timers)) timers_->on_timer(instance_.plugin(), timer.first);
            for (int fd : std::vector(record.fds)) fds_->on_fd(instance_.plugin(), fd, CLAP_POSIX_FD_READ);
            usleep(10000);
        }
    }
    // Runs xdotool with these arguments, then lets the editor take the events.
    void pointer(const std::string& arguments) {
        ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
        tick(5);
    }

private:
    Instance& instance_;
    const clap_plugin_gui_t* gui_;
    const clap_plugin_timer_support_t* timers_;
    const clap_plugin_posix_fd_support_t* fds_;
};

TEST(ClapGui, RefusedWhereNothingWouldDriveItAndForOtherWindowKinds) {
    Instance neither(HostOffers{false, false});
    Editor refused(neither);
    EXPECT_FALSE(refused.gui()->create(neither.plugin(), CLAP_WINDOW_API_X11, false));
    HostWindow host;
    ASSERT_NE(host.display, nullptr) << "no X display";
    Instance refusing(HostOffers{true, true, true});
    EXPECT_FALSE(Editor(refusing).open(host.window));
    for (HostOffers offers : {HostOffers{true, false}, HostOffers{false, true}}) {
        Instance i(offers);
        Editor editor(i);
        EXPECT_FALSE(editor.gui()->is_api_supported(i.plugin(), CLAP_WINDOW_API_X11, true));
        EXPECT_FALSE(editor.gui()->is_api_supported(i.plugin(), CLAP_WINDOW_API_WIN32, false));
        EXPECT_FALSE(editor.gui()->create(i.plugin(), CLAP_WINDOW_API_X11, true));
        EXPECT_FALSE(editor.gui()->create(i.plugin(), nullptr, false));
        ASSERT_TRUE(editor.gui()->create(i.plugin(), CLAP_WINDOW_API_X11, false));
        EXPECT_FALSE(editor.gui()->create(i.plugin(), CLAP_WINDOW_API_X11, false));  // one at a time
        clap_window_t notAWindow{CLAP_WINDOW_API_X11, {}};
        notAWindow.x11 = 0x7fffffff;
        EXPECT_FALSE(editor.gui()->set_parent(i.plugin(), &notAWindow));
        EXPECT_FALSE(editor.gui()->set_parent(i.plugin(), nullptr));
        editor.gui()->destroy(i.plugin());
    }
}

TEST(ClapGui, HostScaleSizesTheEditor) {
    Instance i;
    Editor editor(i);
    EXPECT_FALSE(editor.gui()->set_scale(i.plugin(), 2.0));  // no editor yet
    ASSERT_TRUE(editor.gui()->create(i.plugin(), CLAP_WINDOW_API_X11, false));
    for (double unusable : {std::nan(""), 0.5, 3.5}) EXPECT_FALSE(editor.gui()->set_scale(i.plugin(), unusable));
    ASSERT_TRUE(editor.gui()->set_scale(i.plugin(), 2.0));
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(editor.gui()->get_size(i.plugin(), &width, &height));
    EXPECT_EQ(width, 580u);
    EXPECT_EQ(height, 1320u);
    EXPECT_TRUE(editor.gui()->set_size(i.plugin(), 580, 1320));
    clap_gui_resize_hints_t hints{true, true, false, 0, 0};
    ASSERT_TRUE(editor.gui()->get_resize_hints(i.plugin(), &hints));
    EXPECT_FALSE(hints.can_resize_horizontally || hints.can_resize_vertically);
    EXPECT_EQ(hints.aspect_ratio_width * 1320, hints.aspect_ratio_height * 580u);
    EXPECT_FALSE(editor.gui()->get_resize_hints(i.plugin(), nullptr));
    editor.gui()->destroy(i.plugin());
}

TEST(ClapGui, ClickAndDragReachTheHostAsGesturesAndValues) {
    HostWindow host;
    ASSERT_NE(host.display, nullptr) << "no X display";
    Instance i;
    Editor editor(i);
    ASSERT_TRUE(editor.open(host.window));
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(editor.gui()->get_size(i.plugin(), &width, &height));
    EXPECT_EQ(width, 290u);
    EXPECT_EQ(height, 660u);
    EXPECT_TRUE(editor.gui()->set_size(i.plugin(), 290, 660));
    EXPECT_FALSE(editor.gui()->set_size(i.plugin(), 400, 660));
    ASSERT_EQ(i.record().timers.size(), 1u);
    EXPECT_EQ(i.record().timers[0].second, 33u);
    ASSERT_EQ(i.record().fds.size(), 1u);
    editor.tick(5);

    // A click on the polarity button: one gesture around one value.
    editor.pointer("mousemove 210 596 click 1");
    EXPECT_GE(i.record().flushRequests, 1);
    i.flush(EventList());
    using Sent = std::vector<std::pair<uint16_t, clap_id>>;
    Sent kinds;
    for (const SentEvent& e : i.record().sent) kinds.emplace_back(e.type, e.id);
    EXPECT_EQ(kinds, (Sent{{CLAP_EVENT_PARAM_GESTURE_BEGIN, param::phase},
                           {CLAP_EVENT_PARAM_VALUE, param::phase},
                           {CLAP_EVENT_PARAM_GESTURE_END, param::phase}}));
    EXPECT_EQ(i.value(param::phase), 1.0);

    // A drag up on the output knob, reported to a processing instance: a gesture with the values
    // it passes, the last one the instance's.
    ASSERT_TRUE(i.activate(48000));
    i.record().sent.clear();
    editor.pointer("mousemove 210 540 mousedown 1");
    editor.pointer("mousemove 210 520");
    editor.pointer("mousemove 210 490");
    editor.pointer("mouseup 1");
    auto audio = testSignal<float>(256);
    ASSERT_EQ(i.process(audio, audio), CLAP_PROCESS_CONTINUE);
    const std::vector<SentEvent>& sent = i.record().sent;
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(sent.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    for (const SentEvent& e : sent) EXPECT_EQ(e.id, static_cast<clap_id>(param::output));
    EXPECT_EQ(sent[sent.size() - 2].type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_GT(sent[sent.size() - 2].value, 0.0);  // up is louder
    EXPECT_EQ(i.value(param::output), sent[sent.size() - 2].value);

    // Values from the host reach the editor without coming back.
    i.record().sent.clear();
    i.process(audio, audio, settingsAt(0, {{param::hfFreq, 12000}, {param::output, -6}}));
    editor.tick(5);
    i.process(audio, audio);
    EXPECT_TRUE(i.record().sent.empty());

    editor.gui()->destroy(i.plugin());
    EXPECT_TRUE(i.record().timers.empty());
    EXPECT_TRUE(i.record().fds.empty());
}

TEST(ClapGui, HundredCreateDestroyCyclesLeaveNothingBehind) {
    HostWindow host;
    ASSERT_NE(host.display, nullptr) << "no X display";
    Instance i;
    Editor editor(i);
    ASSERT_TRUE(editor.open(host.window));
    editor.tick(2);
    editor.gui()->destroy(i.plugin());
    const int files = openFileCount();
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_TRUE(editor.open(host.window)) << "cycle " << cycle;
        editor.tick(2);
        editor.gui()->destroy(i.plugin());
        ASSERT_TRUE(i.record().timers.empty() && i.record().fds.empty()) << "cycle " << cycle;
    }
    EXPECT_EQ(openFileCount(), files) << "an X connection outlived its editor";
    // And an instance destroyed with its editor open closes it.
    auto open = std::make_unique<Instance>();
    Editor last(*open);
    ASSERT_TRUE(last.open(host.window));
    last.tick(2);
    open.reset();
    EXPECT_EQ(openFileCount(), files);
}

}  // namespace
}  // namespace clap_test
