#include "clap_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dynamic_library.h"

namespace clap_test {

namespace {

struct LoadedEntry {
    std::unique_ptr<qx71::host::DynamicLibrary> library;
    const clap_plugin_entry_t* entry = nullptr;

    LoadedEntry() {
        std::string error;
        library = qx71::host::DynamicLibrary::open(QX71_CLAP_PATH, error);
        if (!library) {
            ADD_FAILURE() << error;
            return;
        }
        entry = reinterpret_cast<const clap_plugin_entry_t*>(library->symbol("clap_entry"));
        if (entry == nullptr || !entry->init(QX71_CLAP_PATH)) {
            ADD_FAILURE() << "no clap_entry, or it refuses to start";
            entry = nullptr;
        }
    }
    ~LoadedEntry() {
        if (entry != nullptr) entry->deinit();
    }
};

// --- the host's extensions ---

HostRecord& recordOf(const clap_host_t* host) { return *static_cast<HostRecord*>(host->host_data); }

bool isMainThread(const clap_host_t* host) { return !recordOf(host).processing; }
bool isAudioThread(const clap_host_t* host) { return recordOf(host).processing; }
const clap_host_thread_check_t kThreadCheck = {isMainThread, isAudioThread};

void rescan(const clap_host_t* host, clap_param_rescan_flags) { ++recordOf(host).rescans; }
void clear(const clap_host_t*, clap_id, clap_param_clear_flags) {}
void requestFlush(const clap_host_t* host) { ++recordOf(host).flushRequests; }
const clap_host_params_t kParams = {rescan, clear, requestFlush};

void tailChanged(const clap_host_t* host) { ++recordOf(host).tailChanges; }
const clap_host_tail_t kTail = {tailChanged};

bool registerTimer(const clap_host_t* host, uint32_t period, clap_id* id) {
    HostRecord& record = recordOf(host);
    if (record.offers.refuseRegistrations) return false;
    *id = record.nextTimer++;
    record.timers.emplace_back(*id, period);
    return true;
}
bool unregisterTimer(const clap_host_t* host, clap_id id) {
    auto& timers = recordOf(host).timers;
    const auto found = std::find_if(timers.begin(), timers.end(), [id](const auto& t) { return t.first == id; });
    if (found == timers.end()) return false;
    timers.erase(found);
    return true;
}
const clap_host_timer_support_t kTimers = {registerTimer, unregisterTimer};

bool registerFd(const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
    if (recordOf(host).offers.refuseRegistrations) return false;
    recordOf(host).fds.push_back(fd);
    return true;
}
bool modifyFd(const clap_host_t*, int, clap_posix_fd_flags_t) { return true; }
bool unregisterFd(const clap_host_t* host, int fd) {
    auto& fds = recordOf(host).fds;
    const auto found = std::find(fds.begin(), fds.end(), fd);
    if (found == fds.end()) return false;
    fds.erase(found);
    return true;
}
const clap_host_posix_fd_support_t kFds = {registerFd, modifyFd, unregisterFd};

const void* hostExtension(const clap_host_t* host, const char* id) {
    const HostOffers& offers = recordOf(host).offers;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &kThreadCheck;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_TAIL) == 0) return &kTail;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0 && offers.timers) return &kTimers;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0 && offers.fds) return &kFds;
    return nullptr;
}
void hostRequest(const clap_host_t*) {}

// --- streams ---

struct ReadStream {
    const std::vector<uint8_t>& bytes;
    size_t perRead;
    long failAfter;
    size_t position = 0;
};

int64_t readBytes(const clap_istream_t* stream, void* buffer, uint64_t size) {
    auto& s = *static_cast<ReadStream*>(stream->ctx);
    if (s.failAfter >= 0 && s.position >= static_cast<size_t>(s.failAfter)) return -1;
    size_t count = std::min<uint64_t>({size, s.perRead, s.bytes.size() - s.position});
    if (count > 0) std::memcpy(buffer, s.bytes.data() + s.position, count);
    s.position += count;
    return static_cast<int64_t>(count);
}

int64_t writeBytes(const clap_ostream_t* stream, const void* buffer, uint64_t size) {
    auto& bytes = *static_cast<std::vector<uint8_t>*>(stream->ctx);
    const auto* data = static_cast<const uint8_t*>(buffer);
    const uint64_t count = std::min<uint64_t>(size, 5);  // a few bytes per call, as some hosts take them
    bytes.insert(bytes.end(), data, data + count);
    return static_cast<int64_t>(count);
}

bool tryPush(const clap_output_events_t* list, const clap_event_header_t* event) {
    auto& sent = static_cast<HostRecord*>(list->ctx)->sent;
    if (event->type == CLAP_EVENT_PARAM_VALUE) {
        const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
        sent.push_back({event->type, value->param_id, value->value});
    } else if (event->type == CLAP_EVENT_PARAM_GESTURE_BEGIN || event->type == CLAP_EVENT_PARAM_GESTURE_END) {
        sent.push_back({event->type, reinterpret_cast<const clap_event_param_gesture_t*>(event)->param_id, 0.0});
    }
    return true;
}

}  // namespace

const clap_plugin_entry_t* entry() {
    static LoadedEntry loaded;
    return loaded.entry;
}

const clap_plugin_factory_t* factory() {
    const clap_plugin_entry_t* e = entry();
    return e != nullptr ? static_cast<const clap_plugin_factory_t*>(e->get_factory(CLAP_PLUGIN_FACTORY_ID)) : nullptr;
}

// --- events ---

EventList& EventList::value(uint32_t time, clap_id id, double value) {
    raw(time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, sizeof(clap_event_param_value_t));
    auto* event = reinterpret_cast<clap_event_param_value_t*>(events_.back().data());
    event->param_id = id;
    event->note_id = -1, event->port_index = -1, event->channel = -1, event->key = -1;
    event->value = value;
    return *this;
}

EventList& EventList::raw(uint32_t time, uint16_t space, uint16_t type, uint32_t size) {
    events_.emplace_back((std::max<uint32_t>(size, sizeof(clap_event_param_value_t)) + 7) / 8, 0);
    auto* header = reinterpret_cast<clap_event_header_t*>(events_.back().data());
    *header = {size, time, space, type, 0};
    return *this;
}

uint32_t EventList::size(const clap_input_events_t* list) {
    return static_cast<uint32_t>(static_cast<const EventList*>(list->ctx)->events_.size());
}

const clap_event_header_t* EventList::get(const clap_input_events_t* list, uint32_t index) {
    const auto& events = static_cast<const EventList*>(list->ctx)->events_;
    return index < events.size() ? reinterpret_cast<const clap_event_header_t*>(events[index].data()) : nullptr;
}

// --- instances ---

Instance::Instance(HostOffers offers) {
    record_.offers = offers;
    sink_ = {&record_, tryPush};
    host_ = {CLAP_VERSION_INIT, &record_,    "QX71 test host", "Quorvane", "", "1.0",
             hostExtension,     hostRequest, hostRequest,      hostRequest};
    const clap_plugin_factory_t* f = factory();
    if (f == nullptr) return;
    plugin_ = f->create_plugin(f, &host_, f->get_plugin_descriptor(f, 0)->id);
    if (plugin_ == nullptr || !plugin_->init(plugin_)) ADD_FAILURE() << "the plug-in does not start";
}

Instance::~Instance() {
    if (plugin_ == nullptr) return;
    plugin_->deactivate(plugin_);
    plugin_->destroy(plugin_);
}

bool Instance::activate(double sampleRate, uint32_t maxFrames) {
    return plugin_->activate(plugin_, sampleRate, 1, maxFrames) && plugin_->start_processing(plugin_);
}

double Instance::value(clap_id id) const {
    double v = std::nan("");
    params()->get_value(plugin_, id, &v);
    return v;
}

void Instance::flush(const EventList& events) { params()->flush(plugin_, events.list(), &sink_); }

template <class Sample>
clap_process_status Instance::process(Stereo<Sample>& in, Stereo<Sample>& out, const EventList& events) {
    Sample* inputs[2] = {in[0].data(), in[1].data()};
    Sample* outputs[2] = {out[0].data(), out[1].data()};
    clap_audio_buffer_t input{}, output{};
    input.channel_count = output.channel_count = 2;
    if constexpr (sizeof(Sample) == sizeof(float)) {
        input.data32 = inputs, output.data32 = outputs;
    } else {
        input.data64 = inputs, output.data64 = outputs;
    }
    clap_process_t p{};
    p.steady_time = steadyTime_;
    p.frames_count = static_cast<uint32_t>(in[0].size());
    p.audio_inputs = &input;
    p.audio_outputs = &output;
    p.audio_inputs_count = p.audio_outputs_count = 1;
    p.in_events = events.list();
    p.out_events = &sink_;
    steadyTime_ += p.frames_count;
    return process(p);
}
template clap_process_status Instance::process(Stereo<float>&, Stereo<float>&, const EventList&);
template clap_process_status Instance::process(Stereo<double>&, Stereo<double>&, const EventList&);

clap_process_status Instance::process(const clap_process_t& process) {
    record_.processing = true;
    const clap_process_status status = plugin_->process(plugin_, &process);
    record_.processing = false;
    return status;
}

std::vector<uint8_t> Instance::saveState() {
    std::vector<uint8_t> bytes;
    clap_ostream_t stream{&bytes, writeBytes};
    if (!state()->save(plugin_, &stream)) bytes.clear();
    return bytes;
}

bool Instance::loadState(const std::vector<uint8_t>& bytes, size_t perRead, long failAfter) {
    ReadStream context{bytes, perRead, failAfter};
    clap_istream_t stream{&context, readBytes};
    return state()->load(plugin_, &stream);
}

template <class Sample>
Stereo<Sample> testSignal(int frames, int start) {
    Stereo<Sample> signal;
    for (int c = 0; c < 2; ++c) {
        signal[c].resize(frames);
        for (int i = 0; i < frames; ++i) {
            const int n = start + i;
            uint32_t hash = static_cast<uint32_t>(n) * 2654435761u + 97u * static_cast<uint32_t>(c);
            hash ^= hash >> 15;
            hash *= 2246822519u;
            hash ^= hash >> 13;
            const double noise = static_cast<double>(hash >> 8) / 16777216.0 - 0.5;
            signal[c][i] = static_cast<Sample>(0.6 * std::sin(0.013 * (c + 1) * n) + 0.4 * noise);
        }
    }
    return signal;
}
template Stereo<float> testSignal(int, int);
template Stereo<double> testSignal(int, int);

}  // namespace clap_test
