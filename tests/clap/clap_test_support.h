// What the CLAP tests share beside the host: settings as event lists and buffer comparisons.
#pragma once

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "clap_host.h"
#include "parameter_table.h"

namespace clap_test {

using Setting = std::pair<int, double>;  // parameter id, value in real units

inline EventList settingsAt(uint32_t time, const std::vector<Setting>& settings) {
    EventList events;
    for (const Setting& s : settings) events.value(time, static_cast<clap_id>(s.first), s.second);
    return events;
}

// Every band and pass filter on, with the Analog stage off (its noise would differ between instances
// whose noise seeds differ).
inline const std::vector<Setting>& everySection() {
    using namespace param;
    static const std::vector<Setting> settings = {
        {hfFreq, 8200}, {hfGain, 4.5},    {hfMode, 1},    {mfFreq, 1600}, {mfGain, -3.25}, {lfFreq, 110},  {lfGain, 7},
        {lfType, 1},    {lowPass, 14000}, {lowSlope, 24}, {highPass, 70}, {highSlope, 18}, {output, -2.5}, {phase, 1}};
    return settings;
}

template <class Sample>
bool sameBits(const Stereo<Sample>& a, const Stereo<Sample>& b) {
    return a[0].size() == b[0].size() && a[1].size() == b[1].size() &&
           std::memcmp(a[0].data(), b[0].data(), a[0].size() * sizeof(Sample)) == 0 &&
           std::memcmp(a[1].data(), b[1].data(), a[1].size() * sizeof(Sample)) == 0;
}

template <class Sample>
bool finiteAndAudible(const Stereo<Sample>& audio) {
    double energy = 0.0;
    for (const auto& channel : audio) {
        for (Sample s : channel) {
            if (!std::isfinite(s)) return false;
            energy += static_cast<double>(s) * s;
        }
    }
    return energy > 0.0;
}

template <class Sample>
Stereo<Sample> silence(size_t frames) {
    return {std::vector<Sample>(frames), std::vector<Sample>(frames)};
}

}  // namespace clap_test
