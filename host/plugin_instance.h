// One instance of a VST 2.4 plug-in, driven through its AEffect record with typed dispatcher calls.
// Closes the instance (effClose) on destruction unless it was closed explicitly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_recorder.h"
#include "plugin_library.h"
#include "vst_abi.h"

namespace qx71::host {

template <typename Sample>
using ChannelBuffers = std::vector<std::vector<Sample>>;

class Instance {
public:
    // Calls the library's entry with host's callback. On failure returns null and sets error to one
    // line: the plug-in refused to load (null record), or the record lacks the VST 2.4 magic or a
    // dispatcher.
    // host must outlive the instance.
    static std::unique_ptr<Instance> create(std::shared_ptr<PluginLibrary> library, HostRecorder& host,
                                            std::string& error);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // The record, for raw access; null once closed.
    AEffect* effect() const { return effect_; }
    HostRecorder& host() const { return host_; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    VstIntPtr open();
    // effClose: the plug-in frees the instance, so the record must not be used afterwards.
    VstIntPtr close();
    bool isClosed() const { return effect_ == nullptr; }

    // Also tells the host recorder, so that the plug-in's own questions get the same answer.
    void setSampleRate(float sampleRate);
    void setBlockSize(VstInt32 blockSize);
    void mainsChanged(bool on);

    std::string effectName();
    std::string vendorString();
    std::string productString();
    std::string programName();
    std::string paramName(VstInt32 index);
    std::string paramLabel(VstInt32 index);
    std::string paramDisplay(VstInt32 index);
    VstIntPtr vendorVersion();
    VstIntPtr vstVersion();
    VstIntPtr plugCategory();
    VstIntPtr canDo(const std::string& capability);

    float getParameter(VstInt32 index) const;
    void setParameter(VstInt32 index, float value);

    // effGetChunk: the plug-in's block (it stays the plug-in's) and its size, as answered.
    VstIntPtr getChunkRaw(bool preset, void** data);
    // A copy of the chunk; empty when the plug-in answers no block.
    std::vector<std::uint8_t> getChunk(bool preset);
    VstIntPtr setChunk(const std::vector<std::uint8_t>& bytes, bool preset);

    // Builds an input and an output arrangement with these channel counts.
    VstIntPtr setSpeakerArrangement(VstInt32 inputChannels, VstInt32 outputChannels);

    // Processes as many frames as the buffers hold. Returns false, without calling the plug-in, when
    // it lacks that callback, the buffers provide fewer channels than the record declares, or the
    // channels differ in length.
    bool processReplacing(ChannelBuffers<float>& inputs, ChannelBuffers<float>& outputs);
    bool processDoubleReplacing(ChannelBuffers<double>& inputs, ChannelBuffers<double>& outputs);

private:
    Instance(std::shared_ptr<PluginLibrary> library, HostRecorder& host, AEffect* effect);
    std::string text(VstInt32 opcode, VstInt32 index = 0);

    std::shared_ptr<PluginLibrary> library_;
    HostRecorder& host_;
    AEffect* effect_;
};

}  // namespace qx71::host
