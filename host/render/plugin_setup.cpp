#include "plugin_setup.h"

#include <cstdio>

#include "byte_file.h"
#include "parameter_lookup.h"
#include "render_errors.h"

namespace qx71::render {

namespace {

using host::Instance;

constexpr long kLowestRate = 8000;
constexpr long kHighestRate = 768000;
constexpr long kLargestBlock = 1 << 20;

std::unique_ptr<Instance> loadPlugin(const std::string& path, host::HostRecorder& host, std::ostream& report) {
    std::string error;
    std::shared_ptr<host::PluginLibrary> library = host::PluginLibrary::open(path, error);
    std::unique_ptr<Instance> instance = library ? Instance::create(library, host, error) : nullptr;
    if (!instance) {
        throw RenderError(error);
    }
    const AEffect* effect = instance->effect();
    report << "plug-in: '" << instance->effectName() << "' by '" << instance->vendorString() << "' from '" << path
           << "', " << effect->numParams << " parameters, " << effect->numInputs << " in / " << effect->numOutputs
           << " out\n";
    return instance;
}

void loadState(Instance& instance, const std::string& path, std::ostream& report) {
    const std::vector<std::uint8_t> chunk = readBytes(path);
    if (chunk.empty()) {
        throw RenderError("state file '" + path + "' is empty");
    }
    if ((instance.effect()->flags & effFlagsProgramChunks) == 0) {
        throw RenderError("the plug-in does not take its state as a chunk");
    }
    instance.setChunk(chunk, false);
    report << "loaded state: " << chunk.size() << " bytes from '" << path << "'\n";
}

void applySettings(Instance& instance, const std::vector<ParameterSetting>& settings, std::ostream& report) {
    for (const ParameterSetting& setting : settings) {
        const VstInt32 index = findParameter(instance, setting.key);
        instance.setParameter(index, setting.value);
        report << "set " << index << " '" << instance.paramName(index) << "' = " << instance.getParameter(index)
               << " (shown as " << instance.paramDisplay(index) << " " << instance.paramLabel(index) << ")\n";
    }
}

void listParameters(Instance& instance, std::ostream& report) {
    for (VstInt32 index = 0; index < instance.effect()->numParams; ++index) {
        char line[160];
        std::snprintf(line, sizeof line, "%4d  %-10s %-6s %.6f  %s\n", index, instance.paramName(index).c_str(),
                      instance.paramLabel(index).c_str(), static_cast<double>(instance.getParameter(index)),
                      instance.paramDisplay(index).c_str());
        report << line;
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

bool takeSetupOption(const std::string& option, ArgumentCursor& cursor, PluginSetup& setup) {
    if (option == "--plugin") {
        setup.pluginPath = cursor.valueOf(option);
    } else if (option == "--rate") {
        setup.sampleRate = static_cast<int>(parseWhole(cursor.valueOf(option), option, kLowestRate, kHighestRate));
    } else if (option == "--block") {
        setup.blockSize = static_cast<int>(parseWhole(cursor.valueOf(option), option, 1, kLargestBlock));
    } else if (option == "--set") {
        setup.settings.push_back(parseParameterSetting(cursor.valueOf(option)));
    } else if (option == "--load-state") {
        setup.loadStatePath = cursor.valueOf(option);
    } else if (option == "--list") {
        setup.listParameters = true;
    } else {
        return false;
    }
    return true;
}

const char* setupOptionsHelp() {
    return "  --plugin PATH       the plug-in binary (default: the QX71 built with this tool)\n"
           "  --block N           frames per processing call (default 512)\n"
           "  --set NAME=V        set a parameter, by name as the plug-in reports it or by index, to V in [0, 1]\n"
           "  --load-state FILE   load a state chunk before the --set values are applied\n"
           "  --list              print the plug-in's parameters\n";
}

std::unique_ptr<host::Instance> preparePlugin(const PluginSetup& setup, int sampleRate, host::HostRecorder& host,
                                              std::ostream& report) {
    std::unique_ptr<Instance> instance = loadPlugin(setup.pluginPath, host, report);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(setup.blockSize);
    if (!setup.loadStatePath.empty()) {
        loadState(*instance, setup.loadStatePath, report);
    }
    applySettings(*instance, setup.settings, report);
    if (setup.listParameters) {
        listParameters(*instance, report);
    }
    return instance;
}

void refuseOverwriting(const std::vector<PathOption>& outputs, const std::vector<PathOption>& inputs,
                       const std::string& tool) {
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        const auto& [outputOption, output] = outputs[o];
        if (output.empty()) {
            continue;
        }
        for (const auto& [inputOption, input] : inputs) {
            if (!input.empty() && sameFile(output, input)) {
                throw UsageError(std::string(outputOption) + " '" + output + "' is the file given to " + inputOption +
                                 "; " + tool + " never overwrites its input");
            }
        }
        for (std::size_t other = o + 1; other < outputs.size(); ++other) {
            if (!outputs[other].second.empty() && sameFile(output, outputs[other].second)) {
                throw UsageError(std::string(outputOption) + " and " + outputs[other].first + " name the same file");
            }
        }
    }
}

}  // namespace qx71::render
