// WAV input and output through libsndfile.
#pragma once

#include <string>
#include <vector>

namespace qx71::render {

struct Audio {
    int sampleRate = 0;
    std::vector<std::vector<double>> channels;  // all of the same length

    long frames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};

// Reads a mono or stereo WAV file (any sample format; integer formats scaled to [-1, 1)).
// Throws RenderError for a missing file, a file that is not WAV, or more than two channels.
Audio readWav(const std::string& path);

// Writes the audio as a 32-bit float WAV file. Throws RenderError when the file cannot be written.
void writeFloatWav(const std::string& path, const Audio& audio);

}  // namespace qx71::render
