// The host side of the VST 2.4 callback: answers what a plug-in asks of its host and records every
// call in order, so tests can check which notifications a plug-in sent and with what arguments.
#pragma once

#include <cstddef>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "vst_abi.h"

namespace qx71::host {

// One call of the host callback as the plug-in made it.
struct HostCall {
    AEffect* effect;  // null for the version question asked inside the entry
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    std::string text;  // the question of audioMasterCanDo; empty for other opcodes
};

class HostRecorder {
public:
    HostRecorder() = default;
    HostRecorder(const HostRecorder&) = delete;
    HostRecorder& operator=(const HostRecorder&) = delete;

    // Answers: audioMasterVersion (default 2400; 0 makes a well-behaved plug-in refuse to load),
    // audioMasterGetSampleRate, audioMasterGetBlockSize, and audioMasterCanDo (1 for the listed
    // capabilities, 0 "don't know" otherwise). Every other opcode answers 0.
    void setVersionAnswer(VstIntPtr version);
    void setSampleRate(float sampleRate);
    void setBlockSize(VstInt32 blockSize);
    void setCanDo(const std::string& capability);

    // The callback function to hand to a plug-in entry. It finds the recorder of the calling
    // effect; calls from an effect that no recorder has attached get the default answers.
    static audioMasterCallback callback();

    // Runs a plug-in entry with this recorder answering (also for the null-effect calls made
    // inside the entry). Entries run one at a time, so every call during one reaches its recorder.
    AEffect* callEntry(VstPluginMainProc entry);
    // Routes an effect's later calls here; sets effect->user, the host's pointer, to this recorder.
    void attach(AEffect* effect);
    void detach(AEffect* effect);

    // Records the call and returns the answer (what callback() does once it found the recorder).
    VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    std::vector<HostCall> calls() const;
    std::vector<HostCall> callsWith(VstInt32 opcode) const;
    std::size_t count(VstInt32 opcode) const;
    std::vector<HostCall> automations() const { return callsWith(audioMasterAutomate); }
    std::vector<HostCall> beginEdits() const { return callsWith(audioMasterBeginEdit); }
    std::vector<HostCall> endEdits() const { return callsWith(audioMasterEndEdit); }
    std::vector<HostCall> idles() const { return callsWith(audioMasterIdle); }
    void clear();

private:
    mutable std::mutex lock_;
    std::vector<HostCall> calls_;
    VstIntPtr versionAnswer_ = kVstVersion;
    float sampleRate_ = 44100.0f;
    VstInt32 blockSize_ = 1024;
    std::set<std::string> capabilities_;
};

}  // namespace qx71::host
