#include "clap_plugin.h"

#include <clap/ext/audio-ports.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/render.h>
#include <clap/ext/state.h>
#include <clap/ext/tail.h>
#include <clap/ext/thread-check.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "clap_equalizer.h"
#include "clap_gui.h"
#include "clap_parameters.h"
#include "millisecond_ticks.h"
#include "state_stream.h"

namespace clap_edition {

namespace {

struct Instance {
    Instance(const clap_plugin_descriptor_t* descriptor, const clap_host_t* host)
        : host(host), equalizer(dsp::millisecondTicks()) {
        plugin.desc = descriptor;
        plugin.plugin_data = this;
    }

    template <class Extension>
    const Extension* hostExtension(const char* id) const {
        return host->get_extension != nullptr ? static_cast<const Extension*>(host->get_extension(host, id)) : nullptr;
    }
    // The host's answer where it checks threads; true where it does not.
    bool offAudioThread() const {
        return threadCheck == nullptr || threadCheck->is_audio_thread == nullptr || !threadCheck->is_audio_thread(host);
    }
    // On the audio thread, after values changed there or since the last call: tells the host
    // when the tail differs from the one it was last told of (the host hears of it there only).
    void reportTail(bool changedHere) {
        if (!changedHere && !valuesChangedElsewhere.exchange(false, std::memory_order_acquire)) return;
        const uint32_t frames = equalizer.tailFrames();
        if (frames == reportedTail) return;
        reportedTail = frames;
        if (hostTail != nullptr && hostTail->changed != nullptr) hostTail->changed(host);
    }

    clap_plugin_t plugin{};
    const clap_host_t* host;
    const clap_host_thread_check_t* threadCheck = nullptr;
    const clap_host_params_t* hostParams = nullptr;
    const clap_host_tail_t* hostTail = nullptr;
    ClapEqualizer equalizer;
    std::unique_ptr<ClapGui> gui;  // made by init; goes before the equalizer it edits
    std::atomic<bool> valuesChangedElsewhere{false};
    uint32_t reportedTail = 0;  // what the defaults ring for: nothing
};

Instance* instanceOf(const clap_plugin_t* plugin) {
    return plugin != nullptr ? static_cast<Instance*>(plugin->plugin_data) : nullptr;
}

// --- the plug-in ---

bool init(const clap_plugin_t* plugin) {
    Instance* self = instanceOf(plugin);
    if (self == nullptr) return false;
    self->threadCheck = self->hostExtension<clap_host_thread_check_t>(CLAP_EXT_THREAD_CHECK);
    self->hostParams = self->hostExtension<clap_host_params_t>(CLAP_EXT_PARAMS);
    self->hostTail = self->hostExtension<clap_host_tail_t>(CLAP_EXT_TAIL);
    try {
        self->gui = std::make_unique<ClapGui>(self->equalizer, self->host);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void destroy(const clap_plugin_t* plugin) { delete instanceOf(plugin); }

bool activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t) {
    Instance* self = instanceOf(plugin);
    return self != nullptr && !self->equalizer.isActive() && self->offAudioThread() &&
           self->equalizer.activate(sampleRate);
}

void deactivate(const clap_plugin_t* plugin) {
    if (Instance* self = instanceOf(plugin)) self->equalizer.deactivate();
}

bool startProcessing(const clap_plugin_t* plugin) {
    Instance* self = instanceOf(plugin);
    return self != nullptr && self->equalizer.isActive();
}

void stopProcessing(const clap_plugin_t*) {}

void reset(const clap_plugin_t* plugin) {
    if (Instance* self = instanceOf(plugin)) self->equalizer.reset();
}

clap_process_status process(const clap_plugin_t* plugin, const clap_process_t* process) {
    Instance* self = instanceOf(plugin);
    if (self == nullptr || process == nullptr) return CLAP_PROCESS_ERROR;
    bool changed = false;
    const clap_process_status status = self->equalizer.process(*process, changed);
    self->reportTail(changed);
    return status;
}

void onMainThread(const clap_plugin_t*) {}

// --- audio-ports ---

uint32_t audioPortCount(const clap_plugin_t* plugin, bool) { return instanceOf(plugin) != nullptr ? 1 : 0; }

bool audioPortInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput, clap_audio_port_info_t* info) {
    if (instanceOf(plugin) == nullptr || index != 0 || info == nullptr) return false;
    std::memset(info, 0, sizeof *info);
    info->id = 0;
    std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Main In" : "Main Out");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = 0;  // the other side's port, id 0
    return true;
}

const clap_plugin_audio_ports_t kAudioPorts = {audioPortCount, audioPortInfo};

// --- params ---

uint32_t parameterCount(const clap_plugin_t* plugin) { return instanceOf(plugin) != nullptr ? param::count : 0; }

bool parameterInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) {
    return instanceOf(plugin) != nullptr && info != nullptr && clap_edition::parameterInfo(index, *info);
}

bool parameterValue(const clap_plugin_t* plugin, clap_id id, double* value) {
    Instance* self = instanceOf(plugin);
    if (self == nullptr || value == nullptr || !param::isValid(static_cast<int>(id))) return false;
    *value = realOfNormalized(static_cast<int>(id), self->equalizer.normalized(static_cast<int>(id)));
    return true;
}

bool parameterText(const clap_plugin_t* plugin, clap_id id, double value, char* text, uint32_t capacity) {
    return instanceOf(plugin) != nullptr && valueToText(id, value, text, capacity);
}

bool parameterFromText(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
    return instanceOf(plugin) != nullptr && value != nullptr && textToValue(id, text, *value);
}

void flush(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out) {
    Instance* self = instanceOf(plugin);
    if (self == nullptr) return;
    const bool edited = self->equalizer.takeEditorEdits(out);
    if (self->equalizer.applyEvents(in) || edited) self->valuesChangedElsewhere.store(true, std::memory_order_release);
}

const clap_plugin_params_t kParams = {parameterCount, parameterInfo,     parameterValue,
                                      parameterText,  parameterFromText, flush};

// --- state ---

bool saveState(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
    Instance* self = instanceOf(plugin);
    return self != nullptr && clap_edition::saveState(stream, self->equalizer.values());
}

bool loadState(const clap_plugin_t* plugin, const clap_istream_t* stream) {
    Instance* self = instanceOf(plugin);
    float values[param::count];
    if (self == nullptr || !self->offAudioThread() || !clap_edition::loadState(stream, values)) return false;
    self->equalizer.setAll(values);
    if (self->hostParams != nullptr && self->hostParams->rescan != nullptr) {
        self->hostParams->rescan(self->host, CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT);
    }
    self->valuesChangedElsewhere.store(true, std::memory_order_release);
    return true;
}

const clap_plugin_state_t kState = {saveState, loadState};

// --- latency, tail, render ---

uint32_t latency(const clap_plugin_t*) { return 0; }
const clap_plugin_latency_t kLatency = {latency};

uint32_t tail(const clap_plugin_t* plugin) {
    Instance* self = instanceOf(plugin);
    return self != nullptr ? self->equalizer.tailFrames() : 0;
}
const clap_plugin_tail_t kTail = {tail};

// The sound is the same in both modes, and nothing in it needs real time.
bool hardRealtime(const clap_plugin_t*) { return false; }
bool setRenderMode(const clap_plugin_t* plugin, clap_plugin_render_mode mode) {
    return instanceOf(plugin) != nullptr && (mode == CLAP_RENDER_REALTIME || mode == CLAP_RENDER_OFFLINE);
}
const clap_plugin_render_t kRender = {hardRealtime, setRenderMode};

const void* extension(const clap_plugin_t* plugin, const char* id) {
    if (instanceOf(plugin) == nullptr || id == nullptr) return nullptr;
    if (std::strcmp(id, CLAP_EXT_AUDIO_PORTS) == 0) return &kAudioPorts;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &kState;
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) return &kLatency;
    if (std::strcmp(id, CLAP_EXT_TAIL) == 0) return &kTail;
    if (std::strcmp(id, CLAP_EXT_RENDER) == 0) return &kRender;
    return guiExtension(id);
}

}  // namespace

ClapGui* guiOf(const clap_plugin_t* plugin) {
    Instance* self = instanceOf(plugin);
    return self != nullptr ? self->gui.get() : nullptr;
}

const clap_plugin_t* createPlugin(const clap_plugin_descriptor_t* descriptor, const clap_host_t* host) {
    Instance* self;
    try {
        self = new Instance(descriptor, host);
    } catch (const std::bad_alloc&) {
        return nullptr;  // the host learns of the failure from the null plug-in
    }
    clap_plugin_t& plugin = self->plugin;
    plugin.init = init;
    plugin.destroy = destroy;
    plugin.activate = activate;
    plugin.deactivate = deactivate;
    plugin.start_processing = startProcessing;
    plugin.stop_processing = stopProcessing;
    plugin.reset = reset;
    plugin.process = process;
    plugin.get_extension = extension;
    plugin.on_main_thread = onMainThread;
    return &plugin;
}

}  // namespace clap_edition
