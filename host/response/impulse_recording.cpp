#include "impulse_recording.h"

#include <algorithm>
#include <cmath>

#include "block_processing.h"
#include "render_errors.h"

namespace qx71::response {

namespace {

using render::Audio;

constexpr double kPrerollSeconds = 0.1;
// Frames per part of the recording; the tail is judged part by part.
constexpr long kPartFrames = 4096;
// A tail that falls by less than 1 dB over this many parts has reached a floor.
constexpr int kFloorParts = 8;
const double kOneDbDown = std::pow(10.0, -1.0 / 20.0);

double peakOf(const Audio& audio) {
    double peak = 0.0;
    for (const std::vector<double>& channel : audio.channels) {
        for (double sample : channel) peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

Audio silence(long frames, int sampleRate) {
    Audio audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(1, std::vector<double>(static_cast<std::size_t>(frames), 0.0));
    return audio;
}

// Appends parts of the response and judges the tail after each one.
class TailWatch {
public:
    TailWatch(std::optional<long> length, long partFrames) : length_(length), partFrames_(partFrames) {}

    // True when the recording may stop after this part.
    bool add(const Audio& part, ImpulseRecording& recording, int sampleRate) {
        for (int c = 0; c < 2; ++c) {
            recording.channels[c].insert(recording.channels[c].end(), part.channels[c].begin(), part.channels[c].end());
        }
        const long frames = static_cast<long>(recording.channels[0].size());
        const double level = peakOf(part);
        levels_.push_back(level);
        if (level > peak_) {
            peak_ = level;
            peakPart_ = levels_.size() - 1;
        }
        if (length_) {
            return frames >= *length_;
        }
        if (peak_ > 0.0 && level <= peak_ * std::pow(10.0, kDecayedDb / 20.0)) {
            recording.end = TailEnd::decayed;
            return true;
        }
        const std::size_t last = levels_.size() - 1;
        if (peak_ > 0.0 && last >= peakPart_ + kFloorParts && level >= levels_[last - kFloorParts] * kOneDbDown) {
            recording.end = TailEnd::noiseFloor;
            return true;
        }
        if (frames >= std::min<long>(kLongestRecording, std::lround(kLongestAutomaticSeconds * sampleRate))) {
            recording.end = TailEnd::timeLimit;
            return true;
        }
        return false;
    }

    // Frames to keep: the stated length, or on a noise floor everything up to the first part
    // that came within 6 dB of the floor (more of the floor adds only noise).
    long framesToKeep(const ImpulseRecording& recording) const {
        if (length_) {
            return *length_;
        }
        if (recording.end != TailEnd::noiseFloor) {
            return static_cast<long>(recording.channels[0].size());
        }
        const double floor = *std::max_element(levels_.end() - kFloorParts, levels_.end());
        std::size_t part = peakPart_;
        while (levels_[part] > 2.0 * floor) ++part;
        return static_cast<long>(part + 1) * partFrames_;
    }

    double tailDb() const {
        return peak_ > 0.0 && levels_.back() > 0.0 ? 20.0 * std::log10(levels_.back() / peak_) : -INFINITY;
    }
    double peak() const { return peak_; }

private:
    std::optional<long> length_;
    long partFrames_;
    std::vector<double> levels_;
    double peak_ = 0.0;
    std::size_t peakPart_ = 0;
};

}  // namespace

ImpulseRecording recordImpulseResponse(host::Instance& instance, const ImpulseRun& run) {
    const int sampleRate = run.sampleRate;
    const int blockSize = run.blockSize;
    const bool doublePrecision = run.doublePrecision;
    render::startProcessing(instance, doublePrecision);
    render::processBlocks(instance, silence(std::lround(kPrerollSeconds * sampleRate), sampleRate), blockSize,
                          doublePrecision);
    // Whole blocks per part, so that every processing call has the tool's block size.
    const long partFrames = ((kPartFrames + blockSize - 1) / blockSize) * blockSize;
    Audio part = silence(partFrames, sampleRate);
    part.channels[0][0] = run.amplitude;
    ImpulseRecording recording;
    TailWatch watch(run.length, partFrames);
    while (!watch.add(render::processBlocks(instance, part, blockSize, doublePrecision), recording, sampleRate)) {
        part.channels[0][0] = 0.0;
    }
    render::stopProcessing(instance);
    for (const std::vector<double>& channel : recording.channels) {
        const auto bad = std::find_if(channel.begin(), channel.end(), [](double s) { return !std::isfinite(s); });
        if (bad != channel.end()) {
            throw render::RenderError("the plug-in's output is not a finite number at frame " +
                                      std::to_string(bad - channel.begin()) + " after the impulse");
        }
    }
    if (watch.peak() == 0.0) {
        throw render::RenderError("the plug-in's output stayed silent for " +
                                  std::to_string(recording.channels[0].size()) + " frames after the impulse");
    }
    const long keep = watch.framesToKeep(recording);
    for (std::vector<double>& channel : recording.channels) {
        channel.resize(static_cast<std::size_t>(keep));
        for (double& sample : channel) sample /= run.amplitude;
    }
    recording.tailDb = watch.tailDb();
    return recording;
}

}  // namespace qx71::response
