#include "wav_file.h"

#include <sndfile.h>
#include <sys/stat.h>

#include "render_errors.h"

namespace qx71::render {

namespace {

// Closes the libsndfile handle however the function is left.
struct SoundFile {
    SNDFILE* handle;
    ~SoundFile() {
        if (handle != nullptr) sf_close(handle);
    }
};

bool isWav(int format) {
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

}  // namespace

Audio readWav(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        throw RenderError("input '" + path + "' not found");
    }
    SF_INFO info{};
    SoundFile file{sf_open(path.c_str(), SFM_READ, &info)};
    if (file.handle == nullptr || !isWav(info.format)) {
        throw RenderError("input '" + path + "' is not a WAV file");
    }
    if (info.channels < 1 || info.channels > 2) {
        throw RenderError("input '" + path + "' has " + std::to_string(info.channels) +
                          " channels; only mono and stereo are supported");
    }
    std::vector<double> interleaved(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_double(file.handle, interleaved.data(), info.frames);
    if (read != info.frames) {
        throw RenderError("input '" + path + "' is truncated: read " + std::to_string(read) + " of " +
                          std::to_string(info.frames) + " frames");
    }
    Audio audio;
    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<std::size_t>(info.channels), std::vector<double>(info.frames));
    for (sf_count_t frame = 0; frame < info.frames; ++frame) {
        for (int channel = 0; channel < info.channels; ++channel) {
            audio.channels[channel][frame] = interleaved[frame * info.channels + channel];
        }
    }
    return audio;
}

void writeFloatWav(const std::string& path, const Audio& audio) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = static_cast<int>(audio.channels.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SoundFile file{sf_open(path.c_str(), SFM_WRITE, &info)};
    if (file.handle == nullptr) {
        throw RenderError("cannot write '" + path + "': " + sf_strerror(nullptr));
    }
    const long frames = audio.frames();
    std::vector<double> interleaved(static_cast<std::size_t>(frames) * audio.channels.size());
    for (long frame = 0; frame < frames; ++frame) {
        for (std::size_t channel = 0; channel < audio.channels.size(); ++channel) {
            interleaved[frame * audio.channels.size() + channel] = audio.channels[channel][frame];
        }
    }
    if (sf_writef_double(file.handle, interleaved.data(), frames) != frames) {
        throw RenderError("cannot write '" + path + "': " + sf_strerror(file.handle));
    }
}

}  // namespace qx71::render
