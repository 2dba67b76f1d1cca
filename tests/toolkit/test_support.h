// Helpers of the toolkit tests: a recording listener and effect, PNG bytes made on the fly and
// served through the loader's lookup hook, and a fake clock.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "audio_effect_x.h"
#include "ccontrol.h"

namespace toolkit_test {

struct RecordingListener : VSTGUI::CControlListener {
    void valueChanged(VSTGUI::CDrawContext*, VSTGUI::CControl* control) override {
        values.push_back(control->getValue());
    }
    std::vector<float> values;
};

// A VST effect whose host callback records every opcode with its index.
class RecordingEffect : public AudioEffectX {
public:
    RecordingEffect();
    ~RecordingEffect() override;
    void processReplacing(float**, float**, VstInt32) override {}

    struct Call {
        VstInt32 opcode;
        VstInt32 index;
    };
    std::vector<Call> calls;
    std::vector<VstInt32> opcodes() const;
};

// PNG bytes of a width x height image with the given channel count, pixel by pixel.
std::vector<std::uint8_t> makePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);

// Serves these PNGs by number through the loader's lookup hook for the life of the object.
class FakeResources {
public:
    FakeResources();
    ~FakeResources();
    void add(long id, std::vector<std::uint8_t> bytes) { resources[id] = std::move(bytes); }

private:
    static std::map<long, std::vector<std::uint8_t>> resources;
};

// A clock the test moves by hand, installed for the life of the object.
class FakeClock {
public:
    explicit FakeClock(std::uint32_t start);
    ~FakeClock();
    void advance(std::uint32_t ms) { now += ms; }

private:
    static std::uint32_t now;
};

}  // namespace toolkit_test
