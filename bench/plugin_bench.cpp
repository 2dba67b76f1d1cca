// Processing cost of a VST 2.4 plug-in binary, measured through the project's host harness:
// ns per stereo frame of the single-precision callback on a -2 dBFS sine pair.
//
//   qx71_plugin_bench PLUGIN [--block N] [--rate HZ] [--seconds S] [NAME=VALUE | INDEX=VALUE]...
//
// Prints one line: "<ns per frame> ns/frame": processor time of the whole process (all its
// threads) per frame, the best of five runs of S seconds each, so that other work on the
// machine disturbs the figure as little as possible.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include <time.h>

#include "parameter_lookup.h"
#include "plugin_instance.h"

namespace {
using qx71::host::ChannelBuffers;

struct Options {
    std::string plugin;
    int block = 512;
    double rate = 48000.0;
    double seconds = 0.5;
    std::vector<std::pair<std::string, float>> settings;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--block" && i + 1 < argc) {
            o.block = std::atoi(argv[++i]);
        } else if (arg == "--rate" && i + 1 < argc) {
            o.rate = std::atof(argv[++i]);
        } else if (arg == "--seconds" && i + 1 < argc) {
            o.seconds = std::atof(argv[++i]);
        } else if (arg.find('=') != std::string::npos) {
            o.settings.emplace_back(arg.substr(0, arg.find('=')),
                                    std::strtof(arg.c_str() + arg.find('=') + 1, nullptr));
        } else if (o.plugin.empty()) {
            o.plugin = arg;
        } else {
            throw std::runtime_error("unexpected argument '" + arg + "'");
        }
    }
    if (o.plugin.empty() || o.block <= 0 || o.seconds <= 0) {
        throw std::runtime_error(
            "usage: qx71_plugin_bench PLUGIN [--block N] [--rate HZ] [--seconds S] [NAME=VALUE]...");
    }
    return o;
}

double processNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

double bestNanosecondsPerFrame(qx71::host::Instance& instance, const Options& o) {
    ChannelBuffers<float> in(2, std::vector<float>(o.block)), out(2, std::vector<float>(o.block));
    for (int n = 0; n < o.block; ++n) {
        in[0][n] = static_cast<float>(0.8 * std::sin(n * 0.031));
        in[1][n] = static_cast<float>(0.8 * std::sin(n * 0.017));
    }
    double best = 1e300;
    for (int run = 0; run < 6; ++run) {  // the first run only warms up
        long frames = 0;
        const double start = processNanoseconds();
        double now;
        do {
            for (int i = 0; i < 16; ++i) instance.processReplacing(in, out);
            frames += 16L * o.block;
            now = processNanoseconds();
        } while (now - start < o.seconds * 1e9);
        const double ns = (now - start) / frames;
        if (run > 0 && ns < best) best = ns;
    }
    return best;
}
}  // namespace

int main(int argc, char** argv) {
    try {
        const Options o = parse(argc, argv);
        std::string error;
        auto library = qx71::host::PluginLibrary::open(o.plugin, error);
        if (!library) throw std::runtime_error(error);
        qx71::host::HostRecorder host;
        auto instance = qx71::host::Instance::create(library, host, error);
        if (!instance) throw std::runtime_error(error);
        instance->open();
        instance->setSampleRate(static_cast<float>(o.rate));
        instance->setBlockSize(o.block);
        for (const auto& [key, value] : o.settings) {
            instance->setParameter(qx71::render::findParameter(*instance, key), value);
        }
        instance->mainsChanged(true);
        std::printf("%.2f ns/frame\n", bestNanosecondsPerFrame(*instance, o));
        instance->mainsChanged(false);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qx71_plugin_bench: %s\n", e.what());
        return 1;
    }
}
