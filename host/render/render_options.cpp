#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "render_errors.h"

namespace qx71::render {

namespace {

constexpr int kLowestRate = 8000;
constexpr int kHighestRate = 768000;
constexpr int kLargestBlock = 1 << 20;
constexpr double kLongestSignal = 3600.0;

double parseNumber(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value)) {
        throw UsageError(what + " needs a number, not '" + text + "'");
    }
    return value;
}

int parseWhole(const std::string& text, const std::string& option, int lowest, int highest) {
    const double value = parseNumber(text, option);
    if (value != std::floor(value) || value < lowest || value > highest) {
        throw UsageError(option + " needs a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + text + "'");
    }
    return static_cast<int>(value);
}

// Walks the arguments, handing out the value that follows an option.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : arguments_(arguments) {}
    bool done() const { return next_ >= arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    const std::string& valueOf(const std::string& option) {
        if (done()) {
            throw UsageError(option + " needs a value");
        }
        return take();
    }

private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
};

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

ParameterSetting parseParameterSetting(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        throw UsageError("--set needs NAME=VALUE or INDEX=VALUE, not '" + text + "'");
    }
    const std::string key = text.substr(0, equals);
    const double value = parseNumber(text.substr(equals + 1), "--set " + key);
    if (value < 0.0 || value > 1.0) {
        throw UsageError("--set " + key + ": the value " + text.substr(equals + 1) + " is outside [0, 1]");
    }
    return ParameterSetting{key, static_cast<float>(value)};
}

RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath) {
    RenderOptions options;
    options.pluginPath = defaultPluginPath;
    ArgumentCursor cursor(arguments);
    while (!cursor.done()) {
        const std::string option = cursor.take();
        if (option == "--plugin") {
            options.pluginPath = cursor.valueOf(option);
        } else if (option == "--in") {
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
        } else if (option == "--rate") {
            options.sampleRate = parseWhole(cursor.valueOf(option), option, kLowestRate, kHighestRate);
        } else if (option == "--block") {
            options.blockSize = parseWhole(cursor.valueOf(option), option, 1, kLargestBlock);
        } else if (option == "--double") {
            options.doublePrecision = true;
        } else if (option == "--set") {
            options.settings.push_back(parseParameterSetting(cursor.valueOf(option)));
        } else if (option == "--load-state") {
            options.loadStatePath = cursor.valueOf(option);
        } else if (option == "--save-state") {
            options.saveStatePath = cursor.valueOf(option);
        } else if (option == "--list") {
            options.listParameters = true;
        } else if (option == "--help" || option == "-h") {
            options.help = true;
        } else {
            throw UsageError("unknown option '" + option + "' (see --help)");
        }
    }
    check(options);
    return options;
}

const char* renderUsage() {
    return "usage: qx71-render [--plugin PATH] (--in FILE.wav | --signal sweep|noise|impulse [--seconds S])\n"
           "                   --out FILE.wav [--rate HZ] [--block N] [--double]\n"
           "                   [--set NAME=V | --set INDEX=V]... [--load-state FILE] [--save-state FILE] [--list]\n"
           "Runs audio through a VST 2.4 plug-in and writes a 32-bit float stereo WAV.\n"
           "  --plugin PATH       the plug-in binary (default: the QX71 built with this tool)\n"
           "  --in FILE.wav       a mono or stereo WAV input (mono is fed to both channels)\n"
           "  --signal KIND       a generated input: sweep (20 Hz to 20 kHz), noise or impulse\n"
           "  --seconds S         length of a generated input (default 1)\n"
           "  --out FILE.wav      where to write the result; never the input file\n"
           "  --rate HZ           sample rate (default: the input file's, else 44100)\n"
           "  --block N           frames per processing call (default 512)\n"
           "  --double            process in double precision\n"
           "  --set NAME=V        set a parameter, by name as the plug-in reports it or by index, to V in [0, 1]\n"
           "  --load-state FILE   load a state chunk before the --set values are applied\n"
           "  --save-state FILE   save the state chunk after the --set values are applied\n"
           "  --list              print the plug-in's parameters\n";
}

}  // namespace qx71::render
