#include "render_session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "byte_file.h"
#include "parameter_lookup.h"
#include "plugin_instance.h"
#include "render_errors.h"
#include "wav_file.h"

namespace qx71::render {

namespace {

using host::ChannelBuffers;
using host::Instance;

constexpr int kDefaultSampleRate = 44100;
// effSetProcessPrecision values.
constexpr VstIntPtr kPrecision32 = 0;
constexpr VstIntPtr kPrecision64 = 1;

void refuseOverwritingInputs(const RenderOptions& options) {
    const std::pair<const char*, std::string> inputs[] = {
        {"--in", options.inputPath}, {"--load-state", options.loadStatePath}, {"--plugin", options.pluginPath}};
    const std::pair<const char*, std::string> outputs[] = {{"--out", options.outputPath},
                                                           {"--save-state", options.saveStatePath}};
    for (const auto& [outputOption, output] : outputs) {
        for (const auto& [inputOption, input] : inputs) {
            if (!output.empty() && !input.empty() && sameFile(output, input)) {
                throw UsageError(std::string(outputOption) + " '" + output + "' is the file given to " + inputOption +
                                 "; qx71-render never overwrites its input");
            }
        }
    }
    if (!options.outputPath.empty() && !options.saveStatePath.empty() &&
        sameFile(options.outputPath, options.saveStatePath)) {
        throw UsageError("--out and --save-state name the same file");
    }
}

Audio loadInput(const RenderOptions& options, std::ostream& report) {
    Audio audio;
    if (!options.inputPath.empty()) {
        audio = readWav(options.inputPath);
        if (options.sampleRate && *options.sampleRate != audio.sampleRate) {
            throw UsageError("--rate " + std::to_string(*options.sampleRate) + " differs from the input's " +
                             std::to_string(audio.sampleRate) + " Hz; qx71-render does not resample");
        }
        report << "input: '" << options.inputPath << "', " << audio.channels.size() << " channel(s), "
               << audio.frames() << " frames at " << audio.sampleRate << " Hz\n";
    } else if (options.signal) {
        audio.sampleRate = options.sampleRate.value_or(kDefaultSampleRate);
        const long frames = std::lround(options.seconds * audio.sampleRate);
        audio.channels.push_back(generateSignal(*options.signal, frames, audio.sampleRate));
        report << "input: " << signalName(*options.signal) << ", " << frames << " frames at " << audio.sampleRate
               << " Hz\n";
    }
    return audio;
}

std::unique_ptr<Instance> loadPlugin(const std::string& path, host::HostRecorder& host, std::ostream& report) {
    std::string error;
    std::shared_ptr<host::PluginLibrary> library = host::PluginLibrary::open(path, error);
    std::unique_ptr<Instance> instance = library ? Instance::create(library, host, error) : nullptr;
    if (!instance) {
        throw RenderError(error);
    }
    const AEffect* effect = instance->effect();
    report << "plug-in: '" << instance->effectName() << "' by '" << instance->vendorString() << "' from '" << path
           << "', " << effect->numParams << " parameters, " << effect->numInputs << " in / " << effect->numOutputs
           << " out\n";
    return instance;
}

void loadState(Instance& instance, const std::string& path, std::ostream& report) {
    const std::vector<std::uint8_t> chunk = readBytes(path);
    if (chunk.empty()) {
        throw RenderError("state file '" + path + "' is empty");
    }
    if ((instance.effect()->flags & effFlagsProgramChunks) == 0) {
        throw RenderError("the plug-in does not take its state as a chunk");
    }
    instance.setChunk(chunk, false);
    report << "loaded state: " << chunk.size() << " bytes from '" << path << "'\n";
}

void saveState(Instance& instance, const std::string& path, std::ostream& report) {
    const std::vector<std::uint8_t> chunk = instance.getChunk(false);
    if (chunk.empty()) {
        throw RenderError("the plug-in handed out no state chunk");
    }
    writeBytes(path, chunk);
    report << "saved state: " << chunk.size() << " bytes to '" << path << "'\n";
}

void applySettings(Instance& instance, const std::vector<ParameterSetting>& settings, std::ostream& report) {
    for (const ParameterSetting& setting : settings) {
        const VstInt32 index = findParameter(instance, setting.key);
        instance.setParameter(index, setting.value);
        report << "set " << index << " '" << instance.paramName(index) << "' = " << instance.getParameter(index)
               << " (shown as " << instance.paramDisplay(index) << " " << instance.paramLabel(index) << ")\n";
    }
}

void listParameters(Instance& instance, std::ostream& report) {
    for (VstInt32 index = 0; index < instance.effect()->numParams; ++index) {
        char line[160];
        std::snprintf(line, sizeof line, "%4d  %-10s %-6s %.6f  %s\n", index, instance.paramName(index).c_str(),
                      instance.paramLabel(index).c_str(), static_cast<double>(instance.getParameter(index)),
                      instance.paramDisplay(index).c_str());
        report << line;
    }
}

// Feeds the input through the plug-in block by block. Plug-in input c reads input channel c
// (wrapping, so mono feeds every input); the result is the plug-in's first two outputs.
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

Audio render(Instance& instance, const Audio& input, const RenderOptions& options) {
    const AEffect* effect = instance.effect();
    if (effect->numOutputs < 1) {
        throw RenderError("the plug-in has no audio outputs");
    }
    if (options.doublePrecision && ((effect->flags & effFlagsCanDoubleReplacing) == 0 ||
                                    effect->processDoubleReplacing == nullptr)) {
        throw RenderError("the plug-in does not offer double-precision processing");
    }
    if (!options.doublePrecision && effect->processReplacing == nullptr) {
        throw RenderError("the plug-in does not offer single-precision replacing processing");
    }
    instance.dispatch(effSetProcessPrecision, 0, options.doublePrecision ? kPrecision64 : kPrecision32);
    instance.mainsChanged(true);
    instance.dispatch(effStartProcess);
    Audio output = options.doublePrecision
                       ? process<double>(instance, input, options.blockSize, &Instance::processDoubleReplacing)
                       : process<float>(instance, input, options.blockSize, &Instance::processReplacing);
    instance.dispatch(effStopProcess);
    instance.mainsChanged(false);
    return output;
}

std::string peakText(const Audio& audio) {
    double peak = 0.0;
    for (const std::vector<double>& channel : audio.channels) {
        for (double sample : channel) peak = std::max(peak, std::fabs(sample));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dBFS", 20.0 * std::log10(peak));
    return text;
}

}  // namespace

void runRender(const RenderOptions& options, std::ostream& report) {
    refuseOverwritingInputs(options);
    const Audio input = loadInput(options, report);
    host::HostRecorder host;
    std::unique_ptr<Instance> instance = loadPlugin(options.pluginPath, host, report);
    const int sampleRate = input.sampleRate != 0 ? input.sampleRate : options.sampleRate.value_or(kDefaultSampleRate);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(options.blockSize);
    if (!options.loadStatePath.empty()) {
        loadState(*instance, options.loadStatePath, report);
    }
    applySettings(*instance, options.settings, report);
    if (options.listParameters) {
        listParameters(*instance, report);
    }
    if (!options.outputPath.empty()) {
        const Audio output = render(*instance, input, options);
        writeFloatWav(options.outputPath, output);
        report << "output: '" << options.outputPath << "', " << output.frames() << " frames, stereo 32-bit float, "
               << (options.doublePrecision ? "double" : "single") << " precision in blocks of " << options.blockSize
               << ", peak " << peakText(output) << "\n";
    }
    if (!options.saveStatePath.empty()) {
        saveState(*instance, options.saveStatePath, report);
    }
}

}  // namespace qx71::render
