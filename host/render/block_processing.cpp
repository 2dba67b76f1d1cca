#include "block_processing.h"

#include <algorithm>

#include "render_errors.h"

namespace qx71::render {

namespace {

using host::ChannelBuffers;
using host::Instance;

// effSetProcessPrecision values.
constexpr VstIntPtr kPrecision32 = 0;
constexpr VstIntPtr kPrecision64 = 1;

template <typename Sample>
Audio process(Instance& instance, const Audio& input, int blockSize,
              bool (Instance::*callback)(ChannelBuffers<Sample>&, ChannelBuffers<Sample>&)) {
    const std::size_t inputCount = static_cast<std::size_t>(instance.effect()->numInputs);
    const std::size_t outputCount = static_cast<std::size_t>(instance.effect()->numOutputs);
    const long frames = input.frames();
    Audio output;
    output.sampleRate = input.sampleRate;
    output.channels.assign(2, std::vector<double>(static_cast<std::size_t>(frames)));
    ChannelBuffers<Sample> in(inputCount, std::vector<Sample>(static_cast<std::size_t>(blockSize)));
    ChannelBuffers<Sample> out(outputCount, std::vector<Sample>(static_cast<std::size_t>(blockSize)));
    for (long start = 0; start < frames; start += blockSize) {
        const std::size_t count = static_cast<std::size_t>(std::min<long>(blockSize, frames - start));
        for (std::size_t c = 0; c < inputCount; ++c) {
            const std::vector<double>& source = input.channels[c % input.channels.size()];
            in[c].resize(count);
            std::transform(source.begin() + start, source.begin() + start + static_cast<long>(count), in[c].begin(),
                           [](double s) { return static_cast<Sample>(s); });
        }
        for (std::vector<Sample>& channel : out) {
            channel.resize(count);
        }
        if (!(instance.*callback)(in, out)) {
            throw RenderError("the plug-in could not be called to process audio");
        }
        for (std::size_t c = 0; c < 2; ++c) {
            const std::vector<Sample>& result = out[std::min(c, outputCount - 1)];
            std::copy(result.begin(), result.end(), output.channels[c].begin() + start);
        }
    }
    return output;
}

}  // namespace

bool offersDoublePrecision(const Instance& instance) {
    const AEffect* effect = instance.effect();
    return (effect->flags & effFlagsCanDoubleReplacing) != 0 && effect->processDoubleReplacing != nullptr;
}

void startProcessing(Instance& instance, bool doublePrecision) {
    const AEffect* effect = instance.effect();
    if (effect->numOutputs < 1) {
        throw RenderError("the plug-in has no audio outputs");
    }
    if (doublePrecision && !offersDoublePrecision(instance)) {
        throw RenderError("the plug-in does not offer double-precision processing");
    }
    if (!doublePrecision && effect->processReplacing == nullptr) {
        throw RenderError("the plug-in does not offer single-precision replacing processing");
    }
    instance.dispatch(effSetProcessPrecision, 0, doublePrecision ? kPrecision64 : kPrecision32);
    instance.mainsChanged(true);
    instance.dispatch(effStartProcess);
}

void stopProcessing(Instance& instance) {
    instance.dispatch(effStopProcess);
    instance.mainsChanged(false);
}

Audio processBlocks(Instance& instance, const Audio& input, int blockSize, bool doublePrecision) {
    return doublePrecision ? process<double>(instance, input, blockSize, &Instance::processDoubleReplacing)
                           : process<float>(instance, input, blockSize, &Instance::processReplacing);
}

}  // namespace qx71::render
