// Processor time of an LV2 plug-in's run(), measured the way qx71_plugin_bench measures a VST 2.4
// plug-in: lilv loads the plug-in by URI, the controls get their defaults and then the given
// values, a -2 dBFS sine pair at 48 kHz is processed out of place in blocks of the given size,
// and the best of five half-second runs of process CPU time is printed as ns per frame.
// lv2bench reports wall-clock time, which other processes on the machine inflate.
//   qx71_lv2_host_bench URI BLOCK [SYMBOL=VALUE]...
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

// The URID map that plug-ins such as LSP's require: URIs numbered in the order they are asked for.
LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto& uris = *static_cast<std::vector<std::string>*>(handle);
    for (size_t i = 0; i < uris.size(); ++i) {
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

// An atom sequence port's buffer: empty input, or output space that run() may fill.
struct AtomBuffer {
    static constexpr uint32_t kCapacity = 8192;
    alignas(8) unsigned char bytes[kCapacity];
    LV2_Atom_Sequence* sequence() { return reinterpret_cast<LV2_Atom_Sequence*>(bytes); }
    void reset(bool input, LV2_URID sequenceType, LV2_URID chunkType) {
        sequence()->atom.size = input ? sizeof(LV2_Atom_Sequence_Body) : kCapacity - sizeof(LV2_Atom);
        sequence()->atom.type = input ? sequenceType : chunkType;
        sequence()->body.unit = 0;
        sequence()->body.pad = 0;
    }
};

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: %s URI BLOCK [SYMBOL=VALUE]...\n", argv[0]);
        return 2;
    }
    const uint32_t block = static_cast<uint32_t>(std::atoi(argv[2]));
    LilvWorld* world = lilv_world_new();
    lilv_world_load_all(world);
    LilvNode* uri = lilv_new_uri(world, argv[1]);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    std::vector<std::string> uris;
    LV2_URID_Map map{&uris, mapUri};
    const LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    LilvInstance* instance = plugin ? lilv_plugin_instantiate(plugin, 48000.0, features) : nullptr;
    if (instance == nullptr) {
        std::fprintf(stderr, "cannot load or instantiate %s\n", argv[1]);
        return 1;
    }
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    std::vector<float> controls(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, controls.data());
    for (int a = 3; a < argc; ++a) {
        const std::string setting = argv[a];
        const size_t equals = setting.find('=');
        LilvNode* symbol = lilv_new_string(world, setting.substr(0, equals).c_str());
        const LilvPort* port = equals == std::string::npos ? nullptr : lilv_plugin_get_port_by_symbol(plugin, symbol);
        lilv_node_free(symbol);
        if (port == nullptr) {
            std::fprintf(stderr, "no control '%s'\n", argv[a]);
            return 2;
        }
        controls[lilv_port_get_index(plugin, port)] = std::strtof(setting.c_str() + equals + 1, nullptr);
    }
    LilvNode* audioClass = lilv_new_uri(world, LILV_URI_AUDIO_PORT);
    LilvNode* inputClass = lilv_new_uri(world, LILV_URI_INPUT_PORT);
    LilvNode* atomClass = lilv_new_uri(world, LV2_ATOM__AtomPort);
    const LV2_URID sequenceType = mapUri(&uris, LV2_ATOM__Sequence), chunkType = mapUri(&uris, LV2_ATOM__Chunk);
    std::vector<std::vector<float>> buffers;
    buffers.reserve(ports);
    std::vector<AtomBuffer> atoms(ports);
    std::vector<bool> atomInput(ports, false), atomOutput(ports, false);
    int inputs = 0;
    for (uint32_t i = 0; i < ports; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        if (lilv_port_is_a(plugin, port, atomClass)) {
            (lilv_port_is_a(plugin, port, inputClass) ? atomInput : atomOutput)[i] = true;
            lilv_instance_connect_port(instance, i, atoms[i].bytes);
            continue;
        }
        if (!lilv_port_is_a(plugin, port, audioClass)) {
            lilv_instance_connect_port(instance, i, &controls[i]);  // controls, and outputs such as meters
            continue;
        }
        buffers.emplace_back(block, 0.0f);
        if (lilv_port_is_a(plugin, port, inputClass)) {
            const double step = (inputs++ == 0 ? 997.0 : 1499.0) / 48000.0;
            for (uint32_t n = 0; n < block; ++n) {
                buffers.back()[n] = static_cast<float>(0.794 * std::sin(6.283185307 * step * n));
            }
        }
        lilv_instance_connect_port(instance, i, buffers.back().data());
    }
    lilv_instance_activate(instance);
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const double start = cpuSeconds();
        long frames = 0;
        while (cpuSeconds() - start < 0.5) {
            for (int k = 0; k < 16; ++k) {
                for (uint32_t i = 0; i < ports; ++i) {
                    if (atomInput[i] || atomOutput[i]) atoms[i].reset(atomInput[i], sequenceType, chunkType);
                }
                lilv_instance_run(instance, block);
            }
            frames += 16L * block;
        }
        const double perFrame = (cpuSeconds() - start) * 1e9 / static_cast<double>(frames);
        if (perFrame < best) best = perFrame;
    }
    std::printf("%.2f ns/frame\n", best);
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    lilv_node_free(atomClass);
    lilv_node_free(inputClass);
    lilv_node_free(audioClass);
    lilv_node_free(uri);
    lilv_world_free(world);
    return 0;
}
