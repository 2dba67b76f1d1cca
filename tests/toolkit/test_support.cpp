#include "test_support.h"

#include "bitmap_loader.h"
#include "clock.h"
#include "png_writer.h"

namespace toolkit_test {
namespace {

RecordingEffect* recorder = nullptr;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    if (recorder) recorder->calls.push_back({opcode, index});
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

RecordingEffect::RecordingEffect() : AudioEffectX(recordingHost, 1, 26) { recorder = this; }

RecordingEffect::~RecordingEffect() { recorder = nullptr; }

std::vector<VstInt32> RecordingEffect::opcodes() const {
    std::vector<VstInt32> out;
    for (const Call& call : calls) out.push_back(call.opcode);
    return out;
}

std::vector<std::uint8_t> makePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    return VSTGUI::encodePng(pixels.data(), width, height, channels);
}

std::map<long, std::vector<std::uint8_t>> FakeResources::resources;

FakeResources::FakeResources() {
    resources.clear();
    qx71::setResourceLookup([](long id, qx71::ResourceBytes& bytes) {
        auto it = resources.find(id);
        if (it == resources.end()) return false;
        bytes.data = it->second.data();
        bytes.size = it->second.size();
        return true;
    });
}

FakeResources::~FakeResources() {
    qx71::setResourceLookup(nullptr);
    resources.clear();
}

std::uint32_t FakeClock::now = 0;

FakeClock::FakeClock(std::uint32_t start) {
    now = start;
    qx71::setClock([] { return now; });
}

FakeClock::~FakeClock() { qx71::setClock(nullptr); }

}  // namespace toolkit_test
