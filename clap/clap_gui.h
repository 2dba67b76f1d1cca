// The editor of a CLAP instance: the QX71G editor through the shared hosted-editor bridge,
// embedded in the host's window (X11 on Linux, Win32 on Windows). The user's edits go to the
// instance's edit ring, which the audio thread (or flush) applies and reports to the host; the
// values the host sets reach the editor on its next tick. A CLAP plug-in on Linux has no idle
// call: the editor ticks from the host's timer-support (about 30 times a second) and from its X
// connection through posix-fd-support, and a GUI is refused when the host offers neither.
#pragma once

#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/posix-fd-support.h>
#include <clap/ext/timer-support.h>
#include <clap/host.h>

#include <memory>

#include "clap_equalizer.h"
#include "hosted_editor.h"

namespace clap_edition {

class ClapGui : public gui::HostedEditorListener {
public:
    static constexpr uint32_t kTickMs = 33;

    ClapGui(ClapEqualizer& equalizer, const clap_host_t* host);
    ~ClapGui();
    ClapGui(const ClapGui&) = delete;
    ClapGui& operator=(const ClapGui&) = delete;

    static bool isApiSupported(const char* api, bool floating);
    bool create(const char* api, bool floating);
    void destroy();
    bool setScale(double scale);
    bool size(uint32_t* width, uint32_t* height) const;
    bool setSize(uint32_t width, uint32_t height) const;
    bool setParent(const clap_window_t* window);
    bool isOpen() const { return editor_ != nullptr && editor_->isOpen(); }

    // The host's timer and file-descriptor callbacks.
    void onTimer(clap_id timer);
    void onFd(int fd);

    void parameterEdited(int index, float normalized) override;
    void gestureBegan(int index) override;
    void gestureEnded(int index) override;
    bool sizeRequested(int width, int height) override;

private:
    // Host values into the editor, the output peak to its clip lamp, then its events and drawing.
    void tick();
    void push(const EditorEdit& edit);
    void stopTicking();

    ClapEqualizer& equalizer_;
    const clap_host_t* host_;
    const clap_host_timer_support_t* timers_ = nullptr;
    const clap_host_posix_fd_support_t* fds_ = nullptr;
    const clap_host_gui_t* hostGui_ = nullptr;
    const clap_host_params_t* hostParams_ = nullptr;
    std::unique_ptr<gui::HostedEditor> editor_;
    clap_id timer_ = CLAP_INVALID_ID;
    bool threadTimer_ = false;  // Windows: timer_ is a thread timer of our own, not the host's
    int fd_ = -1;
    float shown_[param::count] = {};   // the instance's values as the editor last saw them
    float edited_[param::count] = {};  // the editor's last edit of each parameter
    bool gesture_[param::count] = {};  // a gesture on the parameter is under way
};

// The gui, timer-support and posix-fd-support extensions; null for other ids.
const void* guiExtension(const char* id);
// The instance's editor (defined with the instance), null for a plug-in that is not ours.
ClapGui* guiOf(const clap_plugin_t* plugin);

}  // namespace clap_edition
