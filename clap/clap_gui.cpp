#include "clap_gui.h"

#include <cstring>
#include <new>

#ifdef _WIN32
#include <windows.h>

#include <map>
#endif

namespace clap_edition {

namespace {

#ifdef _WIN32
constexpr const char* kApi = CLAP_WINDOW_API_WIN32;

// Without the host's timer-support a Windows editor ticks from a thread timer of its own.
std::map<UINT_PTR, ClapGui*>& threadTimers() {
    static std::map<UINT_PTR, ClapGui*> timers;
    return timers;
}
void CALLBACK threadTimerFired(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = threadTimers().find(id);
    if (found != threadTimers().end()) found->second->onTimer(static_cast<clap_id>(id));
}
#else
constexpr const char* kApi = CLAP_WINDOW_API_X11;
#endif

template <class Extension>
const Extension* hostExtension(const clap_host_t* host, const char* id) {
    return host->get_extension != nullptr ? static_cast<const Extension*>(host->get_extension(host, id)) : nullptr;
}

}  // namespace

ClapGui::ClapGui(ClapEqualizer& equalizer, const clap_host_t* host)
    : equalizer_(equalizer),
      host_(host),
      timers_(hostExtension<clap_host_timer_support_t>(host, CLAP_EXT_TIMER_SUPPORT)),
      fds_(hostExtension<clap_host_posix_fd_support_t>(host, CLAP_EXT_POSIX_FD_SUPPORT)),
      hostGui_(hostExtension<clap_host_gui_t>(host, CLAP_EXT_GUI)),
      hostParams_(hostExtension<clap_host_params_t>(host, CLAP_EXT_PARAMS)) {
    if (timers_ != nullptr && (timers_->register_timer == nullptr || timers_->unregister_timer == nullptr)) {
        timers_ = nullptr;
    }
    if (fds_ != nullptr && (fds_->register_fd == nullptr || fds_->unregister_fd == nullptr)) fds_ = nullptr;
}

ClapGui::~ClapGui() { destroy(); }

bool ClapGui::isApiSupported(const char* api, bool floating) {
    return api != nullptr && !floating && std::strcmp(api, kApi) == 0;
}

bool ClapGui::create(const char* api, bool floating) {
    if (editor_ != nullptr || !isApiSupported(api, floating)) return false;
#ifndef _WIN32
    // Nothing would ever handle the editor's events.
    if (timers_ == nullptr && fds_ == nullptr) return false;
#endif
    try {
        editor_ = std::make_unique<gui::HostedEditor>(*this);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < param::count; ++i) {
        shown_[i] = equalizer_.normalized(i);
        edited_[i] = -1.0f;  // no value of the editor's yet
        gesture_[i] = false;
        editor_->setParameter(i, shown_[i]);
    }
    return true;
}

void ClapGui::destroy() {
    stopTicking();
    equalizer_.setMetering(false);
    editor_.reset();
}

// The host's scale lives in the editor from create to destroy; without a call the editor takes
// the display's own.
bool ClapGui::setScale(double scale) { return editor_ != nullptr && editor_->setScale(scale); }

bool ClapGui::size(uint32_t* width, uint32_t* height) const {
    if (editor_ == nullptr || width == nullptr || height == nullptr) return false;
    *width = static_cast<uint32_t>(editor_->width());
    *height = static_cast<uint32_t>(editor_->height());
    return *width > 0 && *height > 0;
}

// The editor has one size: only that one is accepted.
bool ClapGui::setSize(uint32_t width, uint32_t height) const {
    uint32_t w, h;
    return size(&w, &h) && width == w && height == h;
}

bool ClapGui::setParent(const clap_window_t* window) {
    if (editor_ == nullptr || editor_->isOpen() || window == nullptr || std::strcmp(window->api, kApi) != 0) {
        return false;
    }
#ifdef _WIN32
    void* parent = window->win32;
#else
    void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window->x11));
#endif
    if (parent == nullptr || !editor_->open(parent)) return false;
    equalizer_.setMetering(true);
    if (timers_ != nullptr && !timers_->register_timer(host_, kTickMs, &timer_)) timer_ = CLAP_INVALID_ID;
#ifdef _WIN32
    if (timer_ == CLAP_INVALID_ID) {
        if (const UINT_PTR id = SetTimer(nullptr, 0, kTickMs, threadTimerFired)) {
            threadTimers()[id] = this;
            timer_ = static_cast<clap_id>(id);
            threadTimer_ = true;
        }
    }
#endif
    const int fd = editor_->eventDescriptor();
    if (fds_ != nullptr && fd >= 0 && fds_->register_fd(host_, fd, CLAP_POSIX_FD_READ)) fd_ = fd;
    if (timer_ == CLAP_INVALID_ID && fd_ < 0) {
        // The host took neither: an editor that never handles its events would freeze.
        editor_->close();
        equalizer_.setMetering(false);
        return false;
    }
    return true;
}

void ClapGui::stopTicking() {
#ifdef _WIN32
    if (threadTimer_) {
        KillTimer(nullptr, static_cast<UINT_PTR>(timer_));
        threadTimers().erase(static_cast<UINT_PTR>(timer_));
        threadTimer_ = false;
        timer_ = CLAP_INVALID_ID;
    }
#endif
    if (timer_ != CLAP_INVALID_ID) timers_->unregister_timer(host_, timer_);
    if (fd_ >= 0) fds_->unregister_fd(host_, fd_);
    timer_ = CLAP_INVALID_ID;
    fd_ = -1;
}

void ClapGui::onTimer(clap_id timer) {
    if (timer == timer_ && timer_ != CLAP_INVALID_ID) tick();
}

void ClapGui::onFd(int fd) {
    if (fd == fd_ && fd_ >= 0) tick();
}

void ClapGui::tick() {
    if (!isOpen()) return;
    for (int i = 0; i < param::count; ++i) {
        const float value = equalizer_.normalized(i);
        // During a gesture, and once the instance has taken the editor's own last value, there
        // is nothing new to show; setting it would pull a knob back while it is being dragged.
        if (value == shown_[i] || gesture_[i]) continue;
        shown_[i] = value;
        if (value != edited_[i]) editor_->setParameter(i, value);
        edited_[i] = -1.0f;  // caught up, or overridden by the host
    }
    editor_->feedOutputLevel(equalizer_.takeOutputPeak());
    editor_->idle();
}

void ClapGui::push(const EditorEdit& edit) {
    // A full ring means the host has taken no edits for hundreds of them; the newest are dropped.
    if (!equalizer_.editorEdits().push(edit)) return;
    if (hostParams_ != nullptr && hostParams_->request_flush != nullptr) hostParams_->request_flush(host_);
}

void ClapGui::parameterEdited(int index, float normalized) {
    if (!param::isValid(index)) return;
    edited_[index] = normalized;
    push({EditorEdit::value, index, normalized});
}
void ClapGui::gestureBegan(int index) {
    if (!param::isValid(index)) return;
    gesture_[index] = true;
    push({EditorEdit::begin, index, 0.0f});
}
void ClapGui::gestureEnded(int index) {
    if (!param::isValid(index)) return;
    gesture_[index] = false;
    push({EditorEdit::end, index, 0.0f});
}

bool ClapGui::sizeRequested(int width, int height) {
    return hostGui_ != nullptr && hostGui_->request_resize != nullptr && width > 0 && height > 0 &&
           hostGui_->request_resize(host_, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

// --- the C tables ---

namespace {

bool guiApiSupported(const clap_plugin_t* plugin, const char* api, bool floating) {
    return guiOf(plugin) != nullptr && ClapGui::isApiSupported(api, floating);
}
bool guiPreferredApi(const clap_plugin_t* plugin, const char** api, bool* floating) {
    if (guiOf(plugin) == nullptr || api == nullptr || floating == nullptr) return false;
    *api = kApi;
    *floating = false;
    return true;
}
bool guiCreate(const clap_plugin_t* plugin, const char* api, bool floating) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->create(api, floating);
}
void guiDestroy(const clap_plugin_t* plugin) {
    if (ClapGui* g = guiOf(plugin)) g->destroy();
}
bool guiSetScale(const clap_plugin_t* plugin, double scale) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->setScale(scale);
}
bool guiSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->size(width, height);
}
bool guiCanResize(const clap_plugin_t*) { return false; }
// Fixed size at its scale: hosts that ask (Qtractor does, and logs a refusal) learn that.
bool guiResizeHints(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints) {
    ClapGui* g = guiOf(plugin);
    uint32_t width = 0, height = 0;
    if (g == nullptr || hints == nullptr || !g->size(&width, &height)) return false;
    *hints = {false, false, true, width, height};
    return true;
}
bool guiAdjustSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->size(width, height);
}
bool guiSetSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->setSize(width, height);
}
bool guiSetParent(const clap_plugin_t* plugin, const clap_window_t* window) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->setParent(window);
}
// Floating windows are not offered.
bool guiSetTransient(const clap_plugin_t*, const clap_window_t*) { return false; }
void guiSuggestTitle(const clap_plugin_t*, const char*) {}
// The editor is a child of the host's window and shows and hides with it.
bool guiShow(const clap_plugin_t* plugin) {
    ClapGui* g = guiOf(plugin);
    return g != nullptr && g->isOpen();
}
bool guiHide(const clap_plugin_t* plugin) { return guiShow(plugin); }

const clap_plugin_gui_t kGui = {guiApiSupported, guiPreferredApi, guiCreate,       guiDestroy,    guiSetScale,
                                guiSize,         guiCanResize,    guiResizeHints,  guiAdjustSize, guiSetSize,
                                guiSetParent,    guiSetTransient, guiSuggestTitle, guiShow,       guiHide};

void timerFired(const clap_plugin_t* plugin, clap_id timer) {
    if (ClapGui* g = guiOf(plugin)) g->onTimer(timer);
}
const clap_plugin_timer_support_t kTimerSupport = {timerFired};

#ifndef _WIN32
void fdReady(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t) {
    if (ClapGui* g = guiOf(plugin)) g->onFd(fd);
}
const clap_plugin_posix_fd_support_t kFdSupport = {fdReady};
#endif

}  // namespace

const void* guiExtension(const char* id) {
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kGui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimerSupport;
#ifndef _WIN32
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kFdSupport;
#endif
    return nullptr;
}

}  // namespace clap_edition
