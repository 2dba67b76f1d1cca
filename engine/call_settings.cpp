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
// The sections slope `slope` of a pass filter runs.
constexpr uint32_t slopeSections(ChainPart filter, int slope) {
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        const SectionTraits& t = kSectionTraits[i];
        bits |= t.part == filter && (t.slopes & slopeBit(slope)) != 0 ? sectionBit(sectionAt(i)) : 0u;
    }
    return bits;
}
struct PartSections {
    uint32_t always;                // Analog's and the bands' sections
    uint32_t bySlope[kSlopeCount];  // a pass filter's, per slope
};
constexpr PartSections partSections(ChainPart part) {
    PartSections p{isPassFilter(part) ? 0u : sectionsOf(part), {}};
    for (int slope = 0; slope < kSlopeCount; ++slope)
        p.bySlope[slope] = isPassFilter(part) ? slopeSections(part, slope) : 0u;
    return p;
}
constexpr std::array<PartSections, kChainPartCount> allPartSections() {
    std::array<PartSections, kChainPartCount> all{};
    for (int p = 0; p < kChainPartCount; ++p) all[p] = partSections(static_cast<ChainPart>(p));
    return all;
}
constexpr std::array<PartSections, kChainPartCount> kPartSections = allPartSections();
}  // namespace

uint32_t runningSections(const CallSettings& s) {
    uint32_t bits = 0;
    for (int p = 0; p < kChainPartCount; ++p) {
        const ChainPart part = static_cast<ChainPart>(p);
        if (!partRuns(s, part)) continue;
        const PartSections& sections = kPartSections[p];
        bits |= isPassFilter(part) ? sections.bySlope[slopeOf(s, part) & (kSlopeCount - 1)] : sections.always;
    }
    return bits;
}

}  // namespace dsp
