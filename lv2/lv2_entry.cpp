// The LV2 entry: the plug-in's descriptor and the callbacks that forward to Lv2Equalizer.
#include <lv2/core/lv2.h>

#include <new>

#include "lv2_equalizer.h"
#include "millisecond_ticks.h"

namespace {

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const*) {
    if (!Lv2Equalizer::usableRate(sampleRate)) return nullptr;
    try {
        return new Lv2Equalizer(sampleRate, dsp::millisecondTicks());
    } catch (const std::bad_alloc&) {
        return nullptr;  // the host learns of the failure from the null instance
    }
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) {
    static_cast<Lv2Equalizer*>(instance)->connect(port, data);
}

void activate(LV2_Handle instance) { static_cast<Lv2Equalizer*>(instance)->activate(); }

void run(LV2_Handle instance, uint32_t frames) { static_cast<Lv2Equalizer*>(instance)->run(frames); }

void cleanup(LV2_Handle instance) { delete static_cast<Lv2Equalizer*>(instance); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {
    QX71_LV2_URI, instantiate, connectPort, activate, run, nullptr, cleanup, extensionData,
};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
