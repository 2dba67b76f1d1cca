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

uint32_t runningSections(const CallSettings& s) {
    const int hp = s.highPassSlope, lp = s.lowPassSlope;
    const bool runs[kSectionCount] = {s.analog,
                                      s.lowBand,
                                      s.lowBand,
                                      s.lowBand,
                                      s.midBand,
                                      s.highBand,
                                      s.highBand,
                                      s.highPass && (hp == 0 || hp == 2),
                                      s.highPass && hp != 0,
                                      s.highPass && hp > 2,
                                      s.lowPass && (lp == 0 || lp == 2),
                                      s.lowPass && lp != 0,
                                      s.lowPass && lp > 2};
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) bits |= runs[i] ? sectionBit(static_cast<Section>(i)) : 0u;
    return bits;
}

}  // namespace dsp
