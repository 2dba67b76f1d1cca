#include "call_settings.h"

#include <array>
#include <cmath>

#include "parameter_decoding.h"

namespace dsp {

CallSettings decodeCallSettings(const float* x, bool mono) {
    CallSettings s;
    s.outputGain = std::exp(outputGainDb(x[param::output]) * 0.11512925464970228);
    s.polarity = x[param::phase] > 0.5f ? -1.0 : 1.0;
    s.analog = x[param::analog] > 0.5f;
    s.lowBand = x[param::muteLf] < 0.5f;
    s.midBand = x[param::muteMf] < 0.5f;
    s.highBand = x[param::muteHf] < 0.5f;
    s.highPass = passFilterSelected(x[param::highPass]) && x[param::muteHighPass] < 0.5f;
    s.lowPass = passFilterSelected(x[param::lowPass]) && x[param::muteLowPass] < 0.5f;
    s.highPassSlope = slopePosition(x[param::highSlope]);
    s.lowPassSlope = slopePosition(x[param::lowSlope]);
    s.mono = mono;
    return s;
}

bool partRuns(const CallSettings& s, ChainPart part) {
    switch (part) {
        case ChainPart::analog: return s.analog;
        case ChainPart::lowBand: return s.lowBand;
        case ChainPart::midBand: return s.midBand;
        case ChainPart::highBand: return s.highBand;
        case ChainPart::highPass: return s.highPass;
        case ChainPart::lowPass: return s.lowPass;
    }
    return false;
}

int slopeOf(const CallSettings& s, ChainPart filter) {
    return filter == ChainPart::highPass ? s.highPassSlope : s.lowPassSlope;
}

namespace {
// Per part and pass-filter slope, the sections the part runs (the same at every slope for a part
// that is no pass filter).
using PartSections = std::array<std::array<uint32_t, kSlopeCount>, kChainPartCount>;
constexpr PartSections partSections() {
    PartSections table{};
    for (int i = 0; i < kSectionCount; ++i) {
        for (int slope = 0; slope < kSlopeCount; ++slope) {
            if (runsAtSlope(sectionAt(i), slope)) {
                table[static_cast<int>(kSectionTraits[i].part)][slope] |= sectionBit(sectionAt(i));
            }
        }
    }
    return table;
}
constexpr PartSections kPartSections = partSections();
}  // namespace

uint32_t runningSections(const CallSettings& s) {
    uint32_t bits = 0;
    for (int p = 0; p < kChainPartCount; ++p) {
        const ChainPart part = static_cast<ChainPart>(p);
        if (!partRuns(s, part)) continue;
        const int slope = isPassFilter(part) ? slopeOf(s, part) & (kSlopeCount - 1) : 0;
        bits |= kPartSections[p][slope];
    }
    return bits;
}

}  // namespace dsp
