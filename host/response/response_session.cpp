#include "response_session.h"

#include <cmath>
#include <cstdio>

#include "block_processing.h"
#include "frequency_analysis.h"
#include "impulse_recording.h"
#include "response_csv.h"

namespace qx71::response {

namespace {

constexpr int kDefaultSampleRate = 44100;

std::string decibels(double value) {
    if (!std::isfinite(value)) {
        return "silence";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", value);
    return text;
}

void describeRecording(const ImpulseRecording& recording, int sampleRate, std::ostream& report,
                       std::ostream& warnings) {
    const std::size_t frames = recording.channels[0].size();
    report << "impulse response: " << frames << " frames (" << static_cast<double>(frames) / sampleRate << " s), ";
    switch (recording.end) {
        case TailEnd::stated: report << "the stated length; its last part is at " << decibels(recording.tailDb); break;
        case TailEnd::decayed: report << "decayed to " << decibels(recording.tailDb); break;
        case TailEnd::noiseFloor:
            report << "cut where the tail reached a noise floor at about " << decibels(recording.tailDb);
            break;
        case TailEnd::timeLimit: report << "still at " << decibels(recording.tailDb) << " when cut"; break;
    }
    report << " relative to its peak\n";
    if (recording.end == TailEnd::timeLimit) {
        warnings << "qx71-response: warning: the impulse response had not decayed below " << kDecayedDb << " dB after "
                 << kLongestAutomaticSeconds
                 << " s; the curve is of the truncated response (give --length to choose)\n";
    }
}

}  // namespace

void runResponse(const ResponseOptions& options, std::ostream& report, std::ostream& warnings) {
    render::refuseOverwriting({{"--out", options.outputPath}},
                              {{"--load-state", options.loadStatePath}, {"--plugin", options.pluginPath}},
                              "qx71-response");
    const int sampleRate = options.sampleRate.value_or(kDefaultSampleRate);
    host::HostRecorder host;
    std::unique_ptr<host::Instance> instance = render::preparePlugin(options, sampleRate, host, report);
    if (options.outputPath.empty()) {
        return;
    }
    const bool doublePrecision =
        options.precision ? *options.precision == Precision::doublePrecision : render::offersDoublePrecision(*instance);
    report << "measuring at " << sampleRate << " Hz in " << (doublePrecision ? "double" : "single")
           << " precision, blocks of " << options.blockSize << ", impulse at " << options.levelDb
           << " dBFS; declared latency " << instance->effect()->initialDelay << " frames\n";
    ImpulseRun run;
    run.sampleRate = sampleRate;
    run.blockSize = options.blockSize;
    run.doublePrecision = doublePrecision;
    run.amplitude = std::pow(10.0, options.levelDb / 20.0);
    run.length = options.length;
    const ImpulseRecording recording = recordImpulseResponse(*instance, run);
    describeRecording(recording, sampleRate, report, warnings);

    const std::vector<double> grid = logFrequencyGrid(options.points, sampleRate);
    const ChannelResponse channels[2] = {analyseImpulseResponse(recording.channels[0], sampleRate, grid),
                                         analyseImpulseResponse(recording.channels[1], sampleRate, grid)};
    writeResponseCsv(options.outputPath, grid, channels);
    report << "output: '" << options.outputPath << "', " << grid.size() << " frequencies from " << grid.front()
           << " to " << grid.back() << " Hz\n";
}

}  // namespace qx71::response
