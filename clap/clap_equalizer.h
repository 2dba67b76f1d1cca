// One CLAP instance of the equalizer, apart from the C tables that hosts call: the parameter
// values the engine reads, the engine, activation, parameter events at their frame, and the
// audio in either precision. Parameter events carry real units (clap_parameters.h); they are
// mapped to the normalized values the engine reads, and the engine redesigns what they concern
// on the calling thread, as in the LV2 edition.
#pragma once

#include <clap/events.h>
#include <clap/process.h>

#include <atomic>
#include <cstdint>

#include "editor_edits.h"
#include "equalizer_engine.h"
#include "parameter_table.h"

namespace clap_edition {

class ClapEqualizer {
public:
    // The rates an instance runs at: from 1 kHz to twice 768 kHz (for hosts that oversample the
    // fastest interfaces). Outside, or not a number, activation is refused.
    static constexpr double kLowestRate = 1000.0;
    static constexpr double kHighestRate = 1536000.0;

    explicit ClapEqualizer(uint32_t noiseSeed);

    // Designs everything for `sampleRate` and clears the sections' history; false, with nothing
    // changed, for a rate outside the range above.
    bool activate(double sampleRate);
    void deactivate() { active_ = false; }
    bool isActive() const { return active_; }
    // Forgets the audio so far (the sections' states).
    void reset() { engine_.clearStates(); }

    float normalized(int index) const { return values_[index].load(std::memory_order_relaxed); }
    const std::atomic<float> (&values() const)[param::count] { return values_; }
    // Takes a whole set of normalized values (a loaded state) and redesigns every section.
    void setAll(const float (&normalized)[param::count]);

    // Applies every parameter value event of the list, in order; other events, of other
    // namespaces too, are ignored. Answers whether a value changed.
    bool applyEvents(const clap_input_events_t* events);
    // Runs the audio, split at the frames of the parameter events that change a value: each
    // takes effect from its own frame (an event placed beyond the block, or before an earlier one, takes effect from
    // the end, or the earlier one's frame). Buffers must be one stereo input and one stereo
    // output, both 32-bit or both 64-bit; otherwise the events are still taken and the call
    // answers CLAP_PROCESS_ERROR.
    clap_process_status process(const clap_process_t& process, bool& valuesChanged);

    // The editor's edits, for the interface thread to push.
    EditorEdits& editorEdits() { return edits_; }
    // Applies the editor's edits and tells the host of them as gesture and value events (at
    // frame 0) in `out` (may be null). Runs at the start of process and in flush. Answers
    // whether a value changed.
    bool takeEditorEdits(const clap_output_events_t* out);

    // While metering, the audio raises the output peak, for the editor's clip lamp.
    void setMetering(bool on) { metering_.store(on, std::memory_order_relaxed); }
    // The highest output level since the last call.
    double takeOutputPeak() { return outputPeak_.exchange(0.0, std::memory_order_relaxed); }

    // Frames of output after the input falls silent: unbounded while the Analog stage adds noise,
    // else an estimate of how long the lowest active section rings.
    uint32_t tailFrames() const;

private:
    struct Change {
        int index;
        float normalized;
    };
    // The change a parameter value event makes; false for other events, unknown ids, values that
    // are not a number, and values already set.
    bool decodeEvent(const clap_event_header_t* header, Change& change) const;
    void apply(const Change& change);
    bool applyEvent(const clap_event_header_t* header);

    std::atomic<float> values_[param::count];
    dsp::EqualizerEngine engine_;
    EditorEdits edits_;
    std::atomic<bool> metering_{false};
    std::atomic<double> outputPeak_{0.0};
    double sampleRate_ = 44100.0;
    bool active_ = false;
};

}  // namespace clap_edition
