#include "equalizer_engine.h"

#include <cmath>

#include "call_settings.h"
#include "chain_kernel.h"
#include "coefficient_exchange.h"
#include "group_designs.h"
#include "parameter_table.h"

namespace dsp {

namespace {
constexpr uint32_t kAllGroups = (1u << kDesignGroupCount) - 1;

// Distinguishes the audio thread (the thread of the latest processing call) from others.
thread_local const char tThreadMarker = 0;

void loadValues(const std::atomic<float>* stored, float* values) {
    for (int i = 0; i < param::count; ++i) values[i] = stored[i].load(std::memory_order_relaxed);
}
}  // namespace

struct EqualizerEngine::Impl {
    explicit Impl(const std::atomic<float>* values) : stored(values) {}

    // Marks `groups` for design and designs everything pending, unless another thread
    // holds the designer lock and `mayWait` is false: that thread then designs them.
    void designPending(uint32_t groups, bool mayWait) {
        pending.fetch_or(groups, std::memory_order_acq_rel);
        for (;;) {
            if (mayWait) {
                designerLock.lock();
            } else if (!designerLock.tryLock()) {
                return;
            }
            for (uint32_t due; (due = pending.exchange(0, std::memory_order_acq_rel)) != 0;) {
                float values[param::count];
                loadValues(stored, values);
                const double rate = sampleRate.load(std::memory_order_relaxed);
                for (int g = 0; g < kDesignGroupCount; ++g) {
                    if (due & (1u << g)) designGroup(static_cast<DesignGroup>(g), values, rate, designed);
                }
                exchange.back() = designed;
                exchange.publish();
            }
            designerLock.unlock();
            // A request that failed to get the lock after our last look is ours to design.
            if (pending.load(std::memory_order_acquire) == 0) return;
        }
    }

    bool onAudioThread() const { return audioThread.load(std::memory_order_relaxed) == &tThreadMarker; }

    // Start of a processing call: finish designs left to the audio thread, then take the
    // newest record and apply the state resets it carries.
    void takeNewestDesign() {
        audioThread.store(&tThreadMarker, std::memory_order_relaxed);
        if (pending.load(std::memory_order_acquire) != 0) designPending(0, false);
        if (!exchange.takeNewest()) return;
        const DesignedChain& record = exchange.front();
        kernel.setCoefficients(record.coefficients);
        for (int s = 0; s < kSectionCount; ++s) {
            if (record.resetCount[s] != appliedResets[s]) {
                kernel.clearStates(static_cast<Section>(s));
                appliedResets[s] = record.resetCount[s];
            }
        }
    }

    template <class Sample>
    void process(const Sample* const* inputs, Sample* const* outputs, int32_t frames, bool mono,
                 std::atomic<double>* peakLevel) {
        takeNewestDesign();
        float values[param::count];
        loadValues(stored, values);
        CallSettings settings = decodeCallSettings(values, mono);
        settings.measurePeak = peakLevel != nullptr;
        offset = -offset;
        if (frames <= 0) return;
        uint32_t seed = noiseSeed.load(std::memory_order_relaxed);
        const double level = kernel.process(inputs, outputs, frames, settings, offset, seed);
        noiseSeed.store(seed, std::memory_order_relaxed);
        if (peakLevel != nullptr) raise(*peakLevel, level);
    }

    static void raise(std::atomic<double>& peak, double level) {
        double current = peak.load(std::memory_order_relaxed);
        while (level > current && !peak.compare_exchange_weak(current, level, std::memory_order_relaxed)) {
        }
    }

    const std::atomic<float>* const stored;
    std::atomic<double> sampleRate{44100.0};
    std::atomic<uint32_t> noiseSeed{0};

    // Designer side: guarded by designerLock.
    DesignerLock designerLock;
    std::atomic<uint32_t> pending{0};
    DesignedChain designed;
    TripleBuffer<DesignedChain> exchange;
    std::atomic<const void*> audioThread{nullptr};

    // Audio side.
    ChainKernel kernel;
    uint32_t appliedResets[kSectionCount] = {};
    double offset = 1e-15;
};

EqualizerEngine::EqualizerEngine(const std::atomic<float>* storedValues) : impl_(new Impl(storedValues)) {}

EqualizerEngine::~EqualizerEngine() { delete impl_; }

void EqualizerEngine::setNoiseSeed(uint32_t seed) { impl_->noiseSeed.store(seed, std::memory_order_relaxed); }

uint32_t EqualizerEngine::noiseSeed() const { return impl_->noiseSeed.load(std::memory_order_relaxed); }

void EqualizerEngine::updateAllSections(double sampleRate) {
    if (std::isfinite(sampleRate) && sampleRate > 0.0) impl_->sampleRate.store(sampleRate, std::memory_order_relaxed);
    impl_->designPending(kAllGroups, !impl_->onAudioThread());
}

void EqualizerEngine::parameterChanged(int index) {
    DesignGroup group;
    if (!groupOfParameter(index, group)) return;
    impl_->designPending(1u << static_cast<int>(group), !impl_->onAudioThread());
}

void EqualizerEngine::processReplacing(const float* const* inputs, float* const* outputs, int32_t frames, bool mono,
                                       std::atomic<double>* peakLevel) {
    impl_->process(inputs, outputs, frames, mono, peakLevel);
}

void EqualizerEngine::processDoubleReplacing(const double* const* inputs, double* const* outputs, int32_t frames,
                                             bool mono, std::atomic<double>* peakLevel) {
    impl_->process(inputs, outputs, frames, mono, peakLevel);
}

void EqualizerEngine::clearStates() {
    for (int s = 0; s < kSectionCount; ++s) impl_->kernel.clearStates(static_cast<Section>(s));
}

DesignedChain EqualizerEngine::designedChain() const {
    impl_->designerLock.lock();
    DesignedChain copy = impl_->designed;
    impl_->designerLock.unlock();
    return copy;
}

ChainCoefficients<double> EqualizerEngine::activeCoefficients() const { return impl_->kernel.coefficients(); }

ChainStates<double> EqualizerEngine::channelStates(int channel) const { return impl_->kernel.states(channel); }

}  // namespace dsp
