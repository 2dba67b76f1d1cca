#include "response_options.h"

#include <cmath>

#include "impulse_recording.h"
#include "render_errors.h"

namespace qx71::response {

namespace {

using render::UsageError;

constexpr long kFewestPoints = 2;
constexpr long kMostPoints = 100000;
constexpr double kLevelLimitDb = 60.0;

void check(const ResponseOptions& options) {
    if (options.help) {
        return;
    }
    if (options.outputPath.empty() && !options.listParameters) {
        throw UsageError("nothing to do: give --out FILE.csv or --list (see --help)");
    }
    if (options.pluginPath.empty()) {
        throw UsageError("no plug-in given: use --plugin PATH");
    }
}

}  // namespace

ResponseOptions parseResponseOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath) {
    ResponseOptions options;
    options.pluginPath = defaultPluginPath;
    render::takeToolArguments(
        arguments, options, [&options](const std::string& option, render::ArgumentCursor& cursor) {
            if (option == "--out") {
                options.outputPath = cursor.valueOf(option);
            } else if (option == "--precision") {
                const std::string& name = cursor.valueOf(option);
                if (name == "single") {
                    options.precision = Precision::single;
                } else if (name == "double") {
                    options.precision = Precision::doublePrecision;
                } else {
                    throw UsageError("--precision needs single or double, not '" + name + "'");
                }
            } else if (option == "--length") {
                options.length = render::parseWhole(cursor.valueOf(option), option, 1, kLongestRecording);
            } else if (option == "--points") {
                options.points =
                    static_cast<int>(render::parseWhole(cursor.valueOf(option), option, kFewestPoints, kMostPoints));
            } else if (option == "--level") {
                const std::string& text = cursor.valueOf(option);
                options.levelDb = render::parseNumber(text, option);
                if (std::fabs(options.levelDb) > kLevelLimitDb) {
                    throw UsageError("--level needs a level from -60 to 60 dBFS, not '" + text + "'");
                }
            } else {
                return false;
            }
            return true;
        });
    check(options);
    return options;
}

std::string responseUsage() {
    return std::string(
               "usage: qx71-response [--plugin PATH] --out FILE.csv [--rate HZ] [--precision single|double]\n"
               "                     [--length FRAMES] [--points N] [--level DBFS] [--block N]\n"
               "                     [--set NAME=V | --set INDEX=V]... [--load-state FILE] [--list]\n"
               "Measures the frequency response of a VST 2.4 plug-in from its impulse response and writes it as\n"
               "CSV. After 100 ms of silence (so that plug-ins that smooth parameter changes have settled), a\n"
               "single impulse enters every input at once; each of the first two outputs is recorded (a plug-in\n"
               "that mixes its channels is measured with a centred mono signal) and transformed.\n"
               "  --out FILE.csv      where to write the curve; never the plug-in or the state file. Columns:\n"
               "                      frequency_hz, then per channel (left_, right_) magnitude_db,\n"
               "                      phase_deg (wrapped to -180..180) and group_delay_ms\n"
               "  --rate HZ           sample rate (default 44100)\n"
               "  --precision P       single or double processing (default: double when the plug-in offers it)\n"
               "  --length FRAMES     frames of impulse response to transform (default: until the tail has\n"
               "                      decayed below -150 dB relative to its peak, at most 10 seconds)\n"
               "  --points N          log-spaced frequencies from 10 Hz to just below half the sample rate\n"
               "                      (default 1000)\n"
               "  --level DBFS        level of the impulse, from -60 to 60 (default 0); the curve is scaled\n"
               "                      back, so only a plug-in's noise and non-linearity see the level\n") +
           render::setupOptionsHelp() +
           "  --help              print this text\n"
           "Phase and group delay include any latency the plug-in has (the report shows what it declares).\n"
           "Noise: a plug-in that adds noise, such as QX71 with its Analog stage on (a trace at about\n"
           "-106 dBFS), has a tail that never decays below -150 dB. The recording then stops shortly after\n"
           "the tail reaches its noise floor, and the report says so. The noise shows as a ripple on the\n"
           "curve: QX71 adds it ahead of its filters, so it follows the curve and stays within about\n"
           "+-0.01 dB down to some 60 dB below 0 dB, while the group delay turns ragged where it is\n"
           "small; noise that a plug-in adds after its filters weighs more where the response is low.\n"
           "--level 40 lowers the ripple a hundredfold.\n";
}

}  // namespace qx71::response
