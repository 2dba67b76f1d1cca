// The command line of qx71-render.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plugin_setup.h"
#include "test_signal.h"

namespace qx71::render {

// sampleRate defaults to the input file's rate, else 44100.
struct RenderOptions : PluginSetup {
    std::string inputPath;             // empty unless --in
    std::optional<SignalKind> signal;  // unless --in
    double seconds = 1.0;
    std::string outputPath;  // empty: nothing is rendered
    bool doublePrecision = false;
    std::string saveStatePath;
    bool help = false;
};

// Parses the arguments after the program name; defaultPluginPath may be empty when the build knows
// no plug-in. Throws UsageError with one line describing the first problem found.
RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath);

std::string renderUsage();

}  // namespace qx71::render
