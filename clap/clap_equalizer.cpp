#include "clap_equalizer.h"

#include <cmath>
#include <limits>

#include "clap_parameters.h"
#include "real_values.h"
#include "stereo_range.h"

namespace clap_edition {

namespace {

// The tail estimate: this many periods of the lowest active section frequency. A bell at its
// narrowest decays by 120 dB within about 18 periods; the pass filters sooner.
constexpr double kRingPeriods = 25.0;

struct Band {
    int frequency;
    int mute;
};
constexpr Band kBands[] = {{param::hfFreq, param::muteHf},
                           {param::mfFreq, param::muteMf},
                           {param::lfFreq, param::muteLf},
                           {param::lowPass, param::muteLowPass},
                           {param::highPass, param::muteHighPass}};

void tellHost(const clap_output_events_t* out, const clap_event_header_t& event) {
    if (out != nullptr && out->try_push != nullptr) out->try_push(out, &event);
}

int position(const std::atomic<float>* values, int index) {
    return param::positionOfNormalized(param::kTable[index], values[index].load(std::memory_order_relaxed));
}

}  // namespace

ClapEqualizer::ClapEqualizer(uint32_t noiseSeed) : engine_(values_) {
    for (int i = 0; i < param::count; ++i) values_[i].store(param::kTable[i].defaultValue, std::memory_order_relaxed);
    engine_.setNoiseSeed(noiseSeed);
}

bool ClapEqualizer::activate(double sampleRate) {
    if (!(sampleRate >= kLowestRate && sampleRate <= kHighestRate)) return false;
    sampleRate_ = sampleRate;
    // The VST 2.4 edition receives its rate in single precision; the same rounding keeps the
    // editions' designs identical.
    engine_.updateAllSections(static_cast<float>(sampleRate));
    engine_.clearStates();
    active_ = true;
    return true;
}

void ClapEqualizer::setAll(const float (&normalized)[param::count]) {
    for (int i = 0; i < param::count; ++i) values_[i].store(normalized[i], std::memory_order_relaxed);
    for (int i = 0; i < param::count; ++i) engine_.parameterChanged(i);
}

bool ClapEqualizer::decodeEvent(const clap_event_header_t* header, Change& change) const {
    if (header == nullptr || header->space_id != CLAP_CORE_EVENT_SPACE_ID || header->type != CLAP_EVENT_PARAM_VALUE ||
        header->size < sizeof(clap_event_param_value_t)) {
        return false;
    }
    const auto* event = reinterpret_cast<const clap_event_param_value_t*>(header);
    if (!param::isValid(static_cast<int>(event->param_id))) return false;
    change.index = static_cast<int>(event->param_id);
    change.normalized = param::normalizedOfReal(param::kTable[change.index], static_cast<float>(event->value));
    // A NaN is refused, as the other editions refuse it, so it never reaches the filters.
    return !std::isnan(change.normalized) && change.normalized != values_[change.index].load(std::memory_order_relaxed);
}

void ClapEqualizer::apply(const Change& change) {
    values_[change.index].store(change.normalized, std::memory_order_relaxed);
    engine_.parameterChanged(change.index);
}

bool ClapEqualizer::applyEvent(const clap_event_header_t* header) {
    Change change;
    if (!decodeEvent(header, change)) return false;
    apply(change);
    return true;
}

bool ClapEqualizer::applyEvents(const clap_input_events_t* events) {
    if (events == nullptr || events->size == nullptr || events->get == nullptr) return false;
    bool changed = false;
    const uint32_t count = events->size(events);
    for (uint32_t i = 0; i < count; ++i) changed |= applyEvent(events->get(events, i));
    return changed;
}

bool ClapEqualizer::takeEditorEdits(const clap_output_events_t* out) {
    bool changed = false;
    EditorEdit edit;
    while (edits_.pop(edit)) {
        const auto id = static_cast<clap_id>(edit.index);
        if (edit.kind != EditorEdit::value) {
            clap_event_param_gesture_t gesture{};
            gesture.header = {sizeof gesture, 0, CLAP_CORE_EVENT_SPACE_ID,
                              edit.kind == EditorEdit::begin ? uint16_t{CLAP_EVENT_PARAM_GESTURE_BEGIN}
                                                             : uint16_t{CLAP_EVENT_PARAM_GESTURE_END},
                              0};
            gesture.param_id = id;
            tellHost(out, gesture.header);
            continue;
        }
        if (edit.normalized != values_[edit.index].load(std::memory_order_relaxed)) {
            apply({edit.index, edit.normalized});
            changed = true;
        }
        clap_event_param_value_t event{};
        event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        event.param_id = id;
        event.note_id = -1, event.port_index = -1, event.channel = -1, event.key = -1;
        event.value = realOfNormalized(edit.index, edit.normalized);
        tellHost(out, event.header);
    }
    return changed;
}

clap_process_status ClapEqualizer::process(const clap_process_t& process, bool& valuesChanged) {
    valuesChanged = takeEditorEdits(process.out_events);
    const clap_input_events_t* events = process.in_events;
    const bool readable = events != nullptr && events->size != nullptr && events->get != nullptr;
    const uint32_t eventCount = readable ? events->size(events) : 0;
    const uint32_t frames = process.frames_count;

    const bool ports = process.audio_inputs != nullptr && process.audio_outputs != nullptr &&
                       process.audio_inputs_count >= 1 && process.audio_outputs_count >= 1 &&
                       process.audio_inputs[0].channel_count >= 2 && process.audio_outputs[0].channel_count >= 2;
    const clap_audio_buffer_t* in = ports ? &process.audio_inputs[0] : nullptr;
    clap_audio_buffer_t* out = ports ? &process.audio_outputs[0] : nullptr;
    const bool doubles = ports && in->data64 != nullptr && out->data64 != nullptr && in->data64[0] && in->data64[1] &&
                         out->data64[0] && out->data64[1];
    const bool floats = ports && !doubles && in->data32 != nullptr && out->data32 != nullptr && in->data32[0] &&
                        in->data32[1] && out->data32[0] && out->data32[1];
    if (!active_ || !(doubles || floats)) {
        for (uint32_t i = 0; i < eventCount; ++i) valuesChanged |= applyEvent(events->get(events, i));
        if (!active_ || frames > 0) return CLAP_PROCESS_ERROR;
        // An empty block needs no buffers; it still makes its engine call, as below.
        const float* const none[2] = {};
        engine_.processReplacing(none, nullptr, 0, false, nullptr);
        return CLAP_PROCESS_CONTINUE;
    }
    std::atomic<double>* peak = metering_.load(std::memory_order_relaxed) ? &outputPeak_ : nullptr;
    auto runTo = [&](uint32_t begin, uint32_t end) {
        if (doubles) {
            dsp::processStereoRange(engine_, in->data64, out->data64, begin, end, peak);
        } else {
            dsp::processStereoRange(engine_, in->data32, out->data32, begin, end, peak);
        }
    };
    // An empty block still makes one engine call, as an empty call does in the other editions.
    uint32_t done = 0;
    bool ran = false;
    // Only changes split the block: other events leave the engine's calls as they would be
    // without them.
    for (uint32_t i = 0; i < eventCount; ++i) {
        const clap_event_header_t* header = events->get(events, i);
        Change change;
        if (!decodeEvent(header, change)) continue;
        const uint32_t at = header->time < frames ? header->time : frames;
        if (at > done) {
            runTo(done, at);
            done = at;
            ran = true;
        }
        apply(change);
        valuesChanged = true;
    }
    if (done < frames || !ran) runTo(done, frames);
    out->constant_mask = 0;
    return CLAP_PROCESS_CONTINUE;
}

uint32_t ClapEqualizer::tailFrames() const {
    if (position(values_, param::analog) != 0) return std::numeric_limits<uint32_t>::max();
    double lowest = 0.0;
    for (const Band& band : kBands) {
        const int step = position(values_, band.frequency);
        if (step == 0 || position(values_, band.mute) != 0) continue;  // off or muted
        const double frequency = param::kTable[band.frequency].positions[step].value;
        if (lowest == 0.0 || frequency < lowest) lowest = frequency;
    }
    if (lowest == 0.0) return 0;
    return static_cast<uint32_t>(std::ceil(kRingPeriods * sampleRate_ / lowest));
}

}  // namespace clap_edition
