#include "render_session.h"

#include <cmath>
#include <cstdio>

#include "block_processing.h"
#include "byte_file.h"
#include "plugin_setup.h"
#include "render_errors.h"
#include "wav_file.h"

namespace qx71::render {

namespace {

using host::Instance;

constexpr int kDefaultSampleRate = 44100;

Audio loadInput(const RenderOptions& options, std::ostream& report) {
    Audio audio;
    if (!options.inputPath.empty()) {
        audio = readWav(options.inputPath);
        if (options.sampleRate && *options.sampleRate != audio.sampleRate) {
            throw UsageError("--rate " + std::to_string(*options.sampleRate) + " differs from the input's " +
                             std::to_string(audio.sampleRate) + " Hz; qx71-render does not resample");
        }
        report << "input: '" << options.inputPath << "', " << audio.channels.size() << " channel(s), " << audio.frames()
               << " frames at " << audio.sampleRate << " Hz\n";
    } else if (options.signal) {
        audio.sampleRate = options.sampleRate.value_or(kDefaultSampleRate);
        const long frames = std::lround(options.seconds * audio.sampleRate);
        audio.channels.push_back(generateSignal(*options.signal, frames, audio.sampleRate));
        report << "input: " << signalName(*options.signal) << ", " << frames << " frames at " << audio.sampleRate
               << " Hz\n";
    }
    return audio;
}

void saveState(Instance& instance, const std::string& path, std::ostream& report) {
    const std::vector<std::uint8_t> chunk = instance.getChunk(false);
    if (chunk.empty()) {
        throw RenderError("the plug-in handed out no state chunk");
    }
    writeBytes(path, chunk);
    report << "saved state: " << chunk.size() << " bytes to '" << path << "'\n";
}

Audio render(Instance& instance, const Audio& input, const RenderOptions& options) {
    startProcessing(instance, options.doublePrecision);
    Audio output = processBlocks(instance, input, options.blockSize, options.doublePrecision);
    stopProcessing(instance);
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
    refuseOverwriting(
        {{"--out", options.outputPath}, {"--save-state", options.saveStatePath}},
        {{"--in", options.inputPath}, {"--load-state", options.loadStatePath}, {"--plugin", options.pluginPath}},
        "qx71-render");
    const Audio input = loadInput(options, report);
    host::HostRecorder host;
    const int sampleRate = input.sampleRate != 0 ? input.sampleRate : options.sampleRate.value_or(kDefaultSampleRate);
    std::unique_ptr<Instance> instance = preparePlugin(options, sampleRate, host, report);
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
