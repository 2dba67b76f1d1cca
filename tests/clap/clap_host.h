// A small CLAP host for the tests: loads the built QX71.clap through its clap_entry, creates
// instances for a host that records what the plug-in tells it, and runs blocks with event lists
// and buffers of either precision. It uses only the published CLAP interface.
#pragma once

#include <clap/clap.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace clap_test {

template <class Sample>
using Stereo = std::array<std::vector<Sample>, 2>;

// The entry of the library at QX71_CLAP_PATH, loaded and initialized once for the process; null
// (with a test failure) when it cannot be loaded.
const clap_plugin_entry_t* entry();
const clap_plugin_factory_t* factory();

// Input events of any kind, in the order added.
class EventList {
public:
    EventList& value(uint32_t time, clap_id id, double value);
    // A raw event: any space, type and size (at least a header's).
    EventList& raw(uint32_t time, uint16_t space, uint16_t type, uint32_t size);
    // The list as a host hands it over (valid while this object lives and is not moved).
    const clap_input_events_t* list() const {
        list_.ctx = const_cast<EventList*>(this);
        return &list_;
    }
    bool empty() const { return events_.empty(); }

private:
    static uint32_t size(const clap_input_events_t* list);
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index);

    std::vector<std::vector<std::uint64_t>> events_;  // 8-byte aligned storage for each event
    mutable clap_input_events_t list_{nullptr, size, get};
};

// An event the plug-in sent to its host.
struct SentEvent {
    uint16_t type;
    clap_id id;
    double value;  // for parameter values
};

// What the host offers beyond the basics (parameters, tail, thread checks).
struct HostOffers {
    bool timers = true;
    bool fds = true;
    bool refuseRegistrations = false;  // offered, yet every timer and descriptor is refused
};

// What the plug-in told its host.
struct HostRecord {
    HostOffers offers;
    int rescans = 0;
    int tailChanges = 0;
    int flushRequests = 0;
    bool processing = false;  // inside process(), for the thread checks
    std::vector<SentEvent> sent;
    std::vector<std::pair<clap_id, uint32_t>> timers;  // registered: id, period in ms
    std::vector<int> fds;                              // registered
    clap_id nextTimer = 1;
};

// One instance with its own host.
class Instance {
public:
    // Creates and initializes the plug-in; failures are test failures and leave plugin() null.
    explicit Instance(HostOffers offers = HostOffers());
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    const clap_plugin_t* plugin() const { return plugin_; }
    const clap_host_t* host() const { return &host_; }
    HostRecord& record() { return record_; }
    template <class Extension>
    const Extension* extension(const char* id) const {
        return static_cast<const Extension*>(plugin_->get_extension(plugin_, id));
    }
    const clap_plugin_params_t* params() const { return extension<clap_plugin_params_t>(CLAP_EXT_PARAMS); }
    const clap_plugin_state_t* state() const { return extension<clap_plugin_state_t>(CLAP_EXT_STATE); }

    bool activate(double sampleRate, uint32_t maxFrames = 16384);
    double value(clap_id id) const;
    // Sets values through flush, as a host does when it is not processing.
    void flush(const EventList& events);

    // Runs a block: `out` may be `in` (in place). Frames: the length of in[0].
    template <class Sample>
    clap_process_status process(Stereo<Sample>& in, Stereo<Sample>& out, const EventList& events = EventList());
    // Runs a raw process record (for malformed buffers).
    clap_process_status process(const clap_process_t& process);
    // The list the plug-in's events to the host go to (recorded in record().sent).
    const clap_output_events_t* sink() const { return &sink_; }

    // The state as saved, empty when saving fails.
    std::vector<uint8_t> saveState();
    // Loads `bytes` through a stream that hands out at most `perRead` bytes per read; a negative
    // `failAfter` never fails, else the read after `failAfter` bytes answers -1.
    bool loadState(const std::vector<uint8_t>& bytes, size_t perRead = SIZE_MAX, long failAfter = -1);

private:
    clap_host_t host_{};
    HostRecord record_;
    const clap_plugin_t* plugin_ = nullptr;
    clap_output_events_t sink_{};
    int64_t steadyTime_ = 0;
};

// A deterministic stereo test signal of `frames` frames from frame `start` of an endless one.
template <class Sample>
Stereo<Sample> testSignal(int frames, int start = 0);

}  // namespace clap_test
