// The command line of qx71-render.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "test_signal.h"

namespace qx71::render {

struct ParameterSetting {
    std::string key;  // a parameter name as the plug-in reports it, or an index
    float value;      // within [0, 1]
};

struct RenderOptions {
    std::string pluginPath;
    std::string inputPath;              // empty unless --in
    std::optional<SignalKind> signal;   // unless --in
    double seconds = 1.0;
    std::string outputPath;             // empty: nothing is rendered
    std::optional<int> sampleRate;      // default: the input file's rate, else 44100
    int blockSize = 512;
    bool doublePrecision = false;
    std::vector<ParameterSetting> settings;
    std::string loadStatePath;
    std::string saveStatePath;
    bool listParameters = false;
    bool help = false;
};

// Parses the arguments after the program name; defaultPluginPath may be empty when the build knows
// no plug-in. Throws UsageError with one line describing the first problem found.
RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath);

// Parses "NAME=V" or "INDEX=V" (split at the last '='); V must be a number within [0, 1].
ParameterSetting parseParameterSetting(const std::string& text);

const char* renderUsage();

}  // namespace qx71::render
