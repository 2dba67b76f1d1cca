#include "call_settings.h"

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

uint32_t runningSections(const CallSettings& s) {
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        const SectionTraits& t = kSectionTraits[i];
        const bool slopeRuns = !isPassFilter(t.part) || (t.slopes & slopeBit(slopeOf(s, t.part))) != 0;
        bits |= partRuns(s, t.part) && slopeRuns ? sectionBit(sectionAt(i)) : 0u;
    }
    return bits;
}

}  // namespace dsp
