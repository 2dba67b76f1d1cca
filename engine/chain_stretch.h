// The SSE2 kernel's pipeline (chain_kernel.cpp): its stages, its switchable parts, and the
// stretches of a call in which every stage has a frame, which the AVX2 kernel runs with two
// stages per register (chain_stretch_avx2.cpp) and the SSE2 kernel with one.
#pragma once

#include <array>
#include <cstdint>

#include "call_settings.h"
#include "chain_layout.h"
#include "frame_io.h"
#include "stereo_pair.h"

namespace dsp {

// The chain as a pipeline of stages: one per section of Analog and the bands, then one per slot
// of each pass filter, in processing order (chain_layout.h). Each loop iteration runs every
// stage once, stage k on frame n − k, so the stages of one iteration do not wait for each
// other and the processor overlaps them. Every stage still sees its frames in order, so the
// results are those of running each frame through the whole chain before the next.
struct PipelineStage {
    ChainPart part;
    Section section;  // kNoSection for a pass-filter slot, whose section follows the slope
    int slot;         // the pass-filter slot, else 0
};
constexpr int countStages() {
    int stages = 0;
    for (const SectionTraits& t : kSectionTraits) stages += isPassFilter(t.part) ? 0 : 1;
    return stages + 2 * kPassSlots;
}
constexpr int kStages = countStages();
constexpr int kLatency = kStages - 1;
constexpr PipelineStage pipelineStage(int k) {
    int stage = 0;
    ChainPart lastFilter = ChainPart::analog;
    for (int i = 0; i < kSectionCount; ++i) {
        const SectionTraits& t = kSectionTraits[i];
        if (!isPassFilter(t.part)) {
            if (stage++ == k) return {t.part, sectionAt(i), 0};
        } else if (t.part != lastFilter) {
            lastFilter = t.part;
            for (int slot = 0; slot < kPassSlots; ++slot) {
                if (stage++ == k) return {t.part, kNoSection, slot};
            }
        }
    }
    return {ChainPart::analog, kNoSection, -1};
}
// The stage of a section of Analog or a band.
constexpr int stageOf(Section section) {
    for (int k = 0; k < kStages; ++k) {
        if (pipelineStage(k).section == section) return k;
    }
    return -1;
}

// The chain's switchable parts, one bit each. A frame loop is compiled for every set of them, so
// that a part which is off, or whose sections all pass as the identity, costs nothing: its
// stages, states and branches are not in the loop.
constexpr unsigned partBit(ChainPart part) { return 1u << static_cast<int>(part); }
constexpr unsigned kPartSets = 1u << kChainPartCount;

// The section stage k runs with these settings (for a pass-filter slot, the one its slope puts
// there), or kNoSection.
// (Tables, so that a call's set-up does not walk the description.)
struct StageSections {
    PipelineStage stage[kStages];
    Section slot[kChainPartCount][kSlopeCount][kPassSlots];  // passSlotSection
};
constexpr StageSections stageSections() {
    StageSections t{};
    for (int k = 0; k < kStages; ++k) t.stage[k] = pipelineStage(k);
    for (int part = 0; part < kChainPartCount; ++part) {
        for (int slope = 0; slope < kSlopeCount; ++slope) {
            for (int slot = 0; slot < kPassSlots; ++slot) {
                t.slot[part][slope][slot] = passSlotSection(static_cast<ChainPart>(part), slope, slot);
            }
        }
    }
    return t;
}
constexpr StageSections kStageSections = stageSections();
// passSlotSection from the table.
inline Section slotSection(ChainPart filter, int slope, int slot) {
    return kStageSections.slot[static_cast<int>(filter)][slope & (kSlopeCount - 1)][slot];
}
inline Section stageSection(int k, const CallSettings& settings) {
    const PipelineStage& stage = kStageSections.stage[k];
    if (stage.section != kNoSection) return stage.section;
    return slotSection(stage.part, slopeOf(settings, stage.part), stage.slot);
}
// Which stages compute their section: those that run, except sections passing as the identity.
using StageFlags = std::array<bool, kStages>;

// v[k] is stage k's input before its offset (v[0] the frame read, v[kStages] the frame to write).
using StageValues = std::array<Pair, kStages + 1>;
// Per stage, the offset added in front of it: the call's where its section runs and takes one,
// else −0 (x + (−0) is x for every x).
using StageOffsets = std::array<Pair, kStages>;

// Iterations [n, end) of a call, all with every stage on an existing frame: stage k computes
// when `computing` says so, else passes its input on.
template <class Sample>
struct Stretch {
    const ChainCoefficients<Pair>& c;
    ChainStates<Pair>& s;
    StageValues& v;
    const Sample* const* inputs;
    Sample* const* outputs;
    FrameWriter<Sample>& writer;  // writes to outputs
    uint32_t& seed;
    const StageFlags& computing;
    const CallSettings& settings;
    const StageOffsets& offsets;
};

// The AVX2 stretch loop for the stages `computing`, or null where the SSE2 loop is faster;
// only for processors with AVX2.
template <class Sample>
using StretchLoop = void (*)(Stretch<Sample>& stretch, int32_t n, int32_t end);
template <class Sample>
StretchLoop<Sample> avx2StretchLoop(const StageFlags& computing);

}  // namespace dsp
