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

}  // namespace dsp
