// What the host tools share to get a plug-in ready: the options that name it and set it up
// (--plugin, --rate, --block, --set, --load-state, --list), and the steps that load it, load a
// state, apply the settings and list the parameters, each described on the report.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "plugin_instance.h"
#include "render_errors.h"

namespace qx71::render {

struct ParameterSetting {
    std::string key;  // a parameter name as the plug-in reports it, or an index
    float value;      // within [0, 1]
};

struct PluginSetup {
    std::string pluginPath;
    std::optional<int> sampleRate;
    int blockSize = 512;
    std::vector<ParameterSetting> settings;
    std::string loadStatePath;
    bool listParameters = false;
};

// Parses "NAME=V" or "INDEX=V" (split at the last '='); V must be a number within [0, 1].
ParameterSetting parseParameterSetting(const std::string& text);

// When `option` is one of the setup options, reads its value from the cursor into setup and
// answers true; otherwise answers false and takes nothing. Throws UsageError for a bad value.
bool takeSetupOption(const std::string& option, ArgumentCursor& cursor, PluginSetup& setup);

// Reads a host tool's arguments into `options` (a PluginSetup with a `help` flag): the setup
// options, the tool's own through takeOwn(option, cursor), which answers false for an option it
// does not know, and --help or -h. Throws UsageError for an unknown option or a bad value.
template <class Options, class TakeOwn>
void takeToolArguments(const std::vector<std::string>& arguments, Options& options, TakeOwn takeOwn) {
    ArgumentCursor cursor(arguments);
    while (!cursor.done()) {
        const std::string option = cursor.take();
        if (takeSetupOption(option, cursor, options) || takeOwn(option, cursor)) {
            continue;
        }
        if (option != "--help" && option != "-h") {
            throw UsageError("unknown option '" + option + "' (see --help)");
        }
        options.help = true;
    }
}

// The --help lines of --plugin, --block, --set, --load-state and --list.
const char* setupOptionsHelp();

// Loads the plug-in, opens it at this sample rate and the setup's block size, loads the state
// file, applies the settings in order and lists the parameters when asked. host must outlive the
// instance. Throws RenderError for a plug-in, state file or parameter that cannot be used.
std::unique_ptr<host::Instance> preparePlugin(const PluginSetup& setup, int sampleRate, host::HostRecorder& host,
                                              std::ostream& report);

// An option and the path given to it.
using PathOption = std::pair<const char*, std::string>;
// Throws UsageError when an output names the same file as an input or as another output, so
// that a tool never overwrites a file it was only told to read. Empty paths are not given.
void refuseOverwriting(const std::vector<PathOption>& outputs, const std::vector<PathOption>& inputs,
                       const std::string& tool);

}  // namespace qx71::render
