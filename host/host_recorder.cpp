#include "host_recorder.h"

#include <cstring>
#include <map>
#include <mutex>

namespace qx71::host {

namespace {

// Which recorder answers which effect. The plug-in cannot be trusted to leave effect->user alone,
// so the host keeps its own map; the recorder of a running entry answers effects not yet mapped.
struct Routing {
    std::mutex lock;
    std::map<AEffect*, HostRecorder*> byEffect;
    HostRecorder* inEntry = nullptr;
};

Routing& routing() {
    static Routing instance;
    return instance;
}

// Serialises entry calls so that inEntry is unambiguous.
std::mutex& entryLock() {
    static std::mutex lock;
    return lock;
}

HostRecorder* findRecorder(AEffect* effect) {
    Routing& r = routing();
    std::lock_guard<std::mutex> guard(r.lock);
    const auto found = r.byEffect.find(effect);
    return found != r.byEffect.end() ? found->second : r.inEntry;
}

VstIntPtr VSTCALLBACK recordingCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                        float opt) {
    if (HostRecorder* recorder = findRecorder(effect)) {
        return recorder->answer(effect, opcode, index, value, ptr, opt);
    }
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

// The capability question, read with a bound in case the plug-in passes unterminated text.
std::string canDoText(const void* ptr) {
    if (ptr == nullptr) {
        return {};
    }
    const char* text = static_cast<const char*>(ptr);
    constexpr std::size_t kLongestQuestion = 256;
    const void* end = std::memchr(text, 0, kLongestQuestion);
    return std::string(text, end != nullptr ? static_cast<const char*>(end) - text : kLongestQuestion);
}

}  // namespace

void HostRecorder::setVersionAnswer(VstIntPtr version) {
    std::lock_guard<std::mutex> guard(lock_);
    versionAnswer_ = version;
}

void HostRecorder::setSampleRate(float sampleRate) {
    std::lock_guard<std::mutex> guard(lock_);
    sampleRate_ = sampleRate;
}

void HostRecorder::setBlockSize(VstInt32 blockSize) {
    std::lock_guard<std::mutex> guard(lock_);
    blockSize_ = blockSize;
}

void HostRecorder::setCanDo(const std::string& capability) {
    std::lock_guard<std::mutex> guard(lock_);
    capabilities_.insert(capability);
}

audioMasterCallback HostRecorder::callback() { return &recordingCallback; }

AEffect* HostRecorder::callEntry(VstPluginMainProc entry) {
    std::lock_guard<std::mutex> serialised(entryLock());
    Routing& r = routing();
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.inEntry = this;
    }
    AEffect* effect = entry(&recordingCallback);
    std::lock_guard<std::mutex> guard(r.lock);
    r.inEntry = nullptr;
    return effect;
}

void HostRecorder::attach(AEffect* effect) {
    Routing& r = routing();
    std::lock_guard<std::mutex> guard(r.lock);
    r.byEffect[effect] = this;
    effect->user = this;
}

void HostRecorder::detach(AEffect* effect) {
    Routing& r = routing();
    std::lock_guard<std::mutex> guard(r.lock);
    const auto found = r.byEffect.find(effect);
    if (found != r.byEffect.end() && found->second == this) {
        r.byEffect.erase(found);
    }
}

VstIntPtr HostRecorder::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    const std::string text = opcode == audioMasterCanDo ? canDoText(ptr) : std::string();
    std::lock_guard<std::mutex> guard(lock_);
    calls_.push_back(HostCall{effect, opcode, index, value, opt, text});
    switch (opcode) {
        case audioMasterVersion: return versionAnswer_;
        case audioMasterGetSampleRate: return static_cast<VstIntPtr>(sampleRate_);
        case audioMasterGetBlockSize: return blockSize_;
        case audioMasterCanDo: return capabilities_.count(text) != 0 ? 1 : 0;
        default: return 0;
    }
}

std::vector<HostCall> HostRecorder::calls() const {
    std::lock_guard<std::mutex> guard(lock_);
    return calls_;
}

std::vector<HostCall> HostRecorder::callsWith(VstInt32 opcode) const {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<HostCall> matching;
    for (const HostCall& call : calls_) {
        if (call.opcode == opcode) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::size_t HostRecorder::count(VstInt32 opcode) const { return callsWith(opcode).size(); }

void HostRecorder::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.clear();
}

}  // namespace qx71::host
