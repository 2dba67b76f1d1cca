#include "plugin_instance.h"

#include <climits>
#include <cstdio>

namespace qx71::host {

namespace {

// Larger than any text limit of the interface, so that a plug-in overstepping its limit still
// writes into host memory.
constexpr std::size_t kTextBufferSize = 512;

VstInt32 arrangementType(VstInt32 channels) {
    switch (channels) {
        case 0: return kSpeakerArrEmpty;
        case 1: return kSpeakerArrMono;
        case 2: return kSpeakerArrStereo;
        default: return kSpeakerArrUserDefined;
    }
}

VstSpeakerArrangement arrangement(VstInt32 channels) {
    VstSpeakerArrangement result{};
    result.type = arrangementType(channels);
    result.numChannels = channels;
    return result;
}

template <typename Sample>
bool sameLength(const ChannelBuffers<Sample>& channels, std::size_t frames) {
    for (const std::vector<Sample>& channel : channels) {
        if (channel.size() != frames) {
            return false;
        }
    }
    return true;
}

template <typename Sample>
std::vector<Sample*> pointers(ChannelBuffers<Sample>& channels) {
    std::vector<Sample*> result;
    for (std::vector<Sample>& channel : channels) {
        result.push_back(channel.data());
    }
    return result;
}

template <typename Sample, typename Callback>
bool process(AEffect* effect, Callback callback, ChannelBuffers<Sample>& inputs, ChannelBuffers<Sample>& outputs) {
    if (callback == nullptr || inputs.size() < static_cast<std::size_t>(effect->numInputs) ||
        outputs.size() < static_cast<std::size_t>(effect->numOutputs)) {
        return false;
    }
    const std::size_t frames = !inputs.empty() ? inputs[0].size() : !outputs.empty() ? outputs[0].size() : 0;
    if (frames > static_cast<std::size_t>(INT32_MAX) || !sameLength(inputs, frames) || !sameLength(outputs, frames)) {
        return false;
    }
    std::vector<Sample*> in = pointers(inputs);
    std::vector<Sample*> out = pointers(outputs);
    callback(effect, in.data(), out.data(), static_cast<VstInt32>(frames));
    return true;
}

}  // namespace

Instance::Instance(std::shared_ptr<PluginLibrary> library, HostRecorder& host, AEffect* effect)
    : library_(std::move(library)), host_(host), effect_(effect) {
    host_.attach(effect_);
}

std::unique_ptr<Instance> Instance::create(std::shared_ptr<PluginLibrary> library, HostRecorder& host,
                                           std::string& error) {
    AEffect* effect = host.callEntry(library->entry());
    if (effect == nullptr) {
        error = "plug-in refused to load: its entry returned no effect";
        return nullptr;
    }
    if (effect->magic != kEffectMagic) {
        // Nothing is known about such a record, so it is left alone rather than closed.
        char magic[16];
        std::snprintf(magic, sizeof magic, "0x%08X", static_cast<unsigned>(effect->magic));
        error = "'" + library->path() + "' is not a VST 2.4 plug-in: its effect record has magic " + magic;
        return nullptr;
    }
    if (effect->dispatcher == nullptr) {
        error = "'" + library->path() + "' is not a usable VST 2.4 plug-in: its effect record has no dispatcher";
        return nullptr;
    }
    return std::unique_ptr<Instance>(new Instance(std::move(library), host, effect));
}

Instance::~Instance() {
    if (!isClosed()) {
        close();
    }
}

VstIntPtr Instance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_ != nullptr ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr Instance::open() { return dispatch(effOpen); }

VstIntPtr Instance::close() {
    const VstIntPtr answer = dispatch(effClose);
    host_.detach(effect_);
    effect_ = nullptr;
    return answer;
}

void Instance::setSampleRate(float sampleRate) {
    host_.setSampleRate(sampleRate);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
}

void Instance::setBlockSize(VstInt32 blockSize) {
    host_.setBlockSize(blockSize);
    dispatch(effSetBlockSize, 0, blockSize);
}

void Instance::mainsChanged(bool on) { dispatch(effMainsChanged, 0, on ? 1 : 0); }

std::string Instance::text(VstInt32 opcode, VstInt32 index) {
    char buffer[kTextBufferSize] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBufferSize - 1] = '\0';
    return buffer;
}

std::string Instance::effectName() { return text(effGetEffectName); }
std::string Instance::vendorString() { return text(effGetVendorString); }
std::string Instance::productString() { return text(effGetProductString); }
std::string Instance::programName() { return text(effGetProgramName); }
std::string Instance::paramName(VstInt32 index) { return text(effGetParamName, index); }
std::string Instance::paramLabel(VstInt32 index) { return text(effGetParamLabel, index); }
std::string Instance::paramDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
VstIntPtr Instance::vendorVersion() { return dispatch(effGetVendorVersion); }
VstIntPtr Instance::vstVersion() { return dispatch(effGetVstVersion); }
VstIntPtr Instance::plugCategory() { return dispatch(effGetPlugCategory); }

VstIntPtr Instance::canDo(const std::string& capability) {
    return dispatch(effCanDo, 0, 0, const_cast<char*>(capability.c_str()));
}

float Instance::getParameter(VstInt32 index) const {
    return effect_ != nullptr && effect_->getParameter != nullptr ? effect_->getParameter(effect_, index) : 0.0f;
}

void Instance::setParameter(VstInt32 index, float value) {
    if (effect_ != nullptr && effect_->setParameter != nullptr) {
        effect_->setParameter(effect_, index, value);
    }
}

VstIntPtr Instance::getChunkRaw(bool preset, void** data) {
    *data = nullptr;
    return dispatch(effGetChunk, preset ? 1 : 0, 0, data);
}

std::vector<std::uint8_t> Instance::getChunk(bool preset) {
    void* data = nullptr;
    const VstIntPtr size = getChunkRaw(preset, &data);
    if (data == nullptr || size <= 0) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

VstIntPtr Instance::setChunk(const std::vector<std::uint8_t>& bytes, bool preset) {
    // The plug-in only reads the block, but the interface passes it as a mutable pointer.
    std::vector<std::uint8_t> block = bytes;
    return dispatch(effSetChunk, preset ? 1 : 0, static_cast<VstIntPtr>(block.size()), block.data());
}

VstIntPtr Instance::setSpeakerArrangement(VstInt32 inputChannels, VstInt32 outputChannels) {
    VstSpeakerArrangement input = arrangement(inputChannels);
    VstSpeakerArrangement output = arrangement(outputChannels);
    return dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output);
}

bool Instance::processReplacing(ChannelBuffers<float>& inputs, ChannelBuffers<float>& outputs) {
    return effect_ != nullptr && process(effect_, effect_->processReplacing, inputs, outputs);
}

bool Instance::processDoubleReplacing(ChannelBuffers<double>& inputs, ChannelBuffers<double>& outputs) {
    return effect_ != nullptr && process(effect_, effect_->processDoubleReplacing, inputs, outputs);
}

}  // namespace qx71::host
