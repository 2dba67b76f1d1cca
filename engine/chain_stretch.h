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

// The chain as a pipeline of stages: Analog, the three low band sections, mid, the two high
// band sections, two high-pass slots and two low-pass slots. Each loop iteration runs every
// stage once, stage k on frame n − k, so the stages of one iteration do not wait for each
// other and the processor overlaps them. Every stage still sees its frames in order, so the
// results are those of running each frame through the whole chain before the next.
constexpr int kStages = 11;
constexpr int kLatency = kStages - 1;

// The chain's switchable parts, one bit each. A frame loop is compiled for every set of them, so
// that a part which is off, or whose sections all pass as the identity, costs nothing: its
// stages, states and branches are not in the loop.
enum Part : unsigned { analogPart = 1, lowPart = 2, midPart = 4, highPart = 8, highPassPart = 16, lowPassPart = 32 };
constexpr unsigned kPartSets = 64;
constexpr unsigned kStagePart[kStages] = {analogPart, lowPart,      lowPart,      lowPart,     midPart,    highPart,
                                          highPart,   highPassPart, highPassPart, lowPassPart, lowPassPart};

// Which stages compute their section: those that run, except sections passing as the identity.
using StageFlags = std::array<bool, kStages>;

// v[k] is stage k's input (v[0] the frame read, v[kStages] the frame to write).
using StageValues = std::array<Pair, kStages + 1>;

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
    Pair offset;
    Pair passOffset[2];  // in front of the mid band, and in front of and behind the high shelf
};

// The AVX2 stretch loop for the stages `computing`, or null where the SSE2 loop is faster;
// only for processors with AVX2.
template <class Sample>
using StretchLoop = void (*)(Stretch<Sample>& stretch, int32_t n, int32_t end);
template <class Sample>
StretchLoop<Sample> avx2StretchLoop(const StageFlags& computing);

}  // namespace dsp
