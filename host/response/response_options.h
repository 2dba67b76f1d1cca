// The command line of qx71-response.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plugin_setup.h"

namespace qx71::response {

enum class Precision { single, doublePrecision };

// sampleRate defaults to 44100.
struct ResponseOptions : render::PluginSetup {
    std::string outputPath;              // the CSV file
    std::optional<Precision> precision;  // default: double when the plug-in offers it
    std::optional<long> length;          // frames of impulse response; default: until it has decayed
    int points = 1000;
    double levelDb = 0.0;  // of the impulse, dBFS
    bool help = false;
};

// Parses the arguments after the program name; defaultPluginPath may be empty when the build knows
// no plug-in. Throws render::UsageError with one line describing the first problem found.
ResponseOptions parseResponseOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath);

std::string responseUsage();

}  // namespace qx71::response
