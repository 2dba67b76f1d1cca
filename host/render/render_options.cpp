#include "render_options.h"

#include "render_errors.h"

namespace qx71::render {

namespace {

constexpr double kLongestSignal = 3600.0;

void check(const RenderOptions& options) {
    if (options.help) {
        return;
    }
    if (!options.inputPath.empty() && options.signal) {
        throw UsageError("give either --in or --signal, not both");
    }
    const bool hasInput = !options.inputPath.empty() || options.signal;
    if (hasInput && options.outputPath.empty()) {
        throw UsageError("--out FILE.wav is needed to render the input");
    }
    if (!options.outputPath.empty() && !hasInput) {
        throw UsageError("--out needs an input: --in FILE.wav or --signal sweep|noise|impulse");
    }
    if (options.outputPath.empty() && options.saveStatePath.empty() && !options.listParameters) {
        throw UsageError("nothing to do: give --out, --save-state or --list (see --help)");
    }
    if (options.pluginPath.empty()) {
        throw UsageError("no plug-in given: use --plugin PATH");
    }
}

}  // namespace

RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath) {
    RenderOptions options;
    options.pluginPath = defaultPluginPath;
    takeToolArguments(arguments, options, [&options](const std::string& option, ArgumentCursor& cursor) {
        if (option == "--in") {
            options.inputPath = cursor.valueOf(option);
        } else if (option == "--signal") {
            const std::string& name = cursor.valueOf(option);
            SignalKind kind;
            if (!signalKindFromName(name, kind)) {
                throw UsageError("--signal needs sweep, noise or impulse, not '" + name + "'");
            }
            options.signal = kind;
        } else if (option == "--seconds") {
            const std::string& text = cursor.valueOf(option);
            options.seconds = parseNumber(text, option);
            if (options.seconds <= 0.0 || options.seconds > kLongestSignal) {
                throw UsageError("--seconds needs a duration above 0 and at most 3600, not '" + text + "'");
            }
        } else if (option == "--out") {
            options.outputPath = cursor.valueOf(option);
        } else if (option == "--double") {
            options.doublePrecision = true;
        } else if (option == "--save-state") {
            options.saveStatePath = cursor.valueOf(option);
        } else {
            return false;
        }
        return true;
    });
    check(options);
    return options;
}

std::string renderUsage() {
    return std::string(
               "usage: qx71-render [--plugin PATH] (--in FILE.wav | --signal sweep|noise|impulse [--seconds S])\n"
               "                   --out FILE.wav [--rate HZ] [--block N] [--double]\n"
               "                   [--set NAME=V | --set INDEX=V]... [--load-state FILE] [--save-state FILE] [--list]\n"
               "Runs audio through a VST 2.4 plug-in and writes a 32-bit float stereo WAV.\n"
               "  --in FILE.wav       a mono or stereo WAV input (mono is fed to both channels)\n"
               "  --signal KIND       a generated input: sweep (20 Hz to 20 kHz), noise or impulse\n"
               "  --seconds S         length of a generated input (default 1)\n"
               "  --out FILE.wav      where to write the result; never the input file\n"
               "  --rate HZ           sample rate (default: the input file's, else 44100)\n"
               "  --double            process in double precision\n") +
           setupOptionsHelp() + "  --save-state FILE   save the state chunk after the --set values are applied\n";
}

}  // namespace qx71::render
