// Writes the bundle's manifest.ttl and the description of the plug-in and its X11 UI (qx71.ttl)
// into the bundle folder given as the argument. Ports, ranges, defaults, units and scale points
// come from the parameter table, so the description cannot drift from what the plug-in does with
// the values.
#include <cstdio>
#include <fstream>
#include <string>

#include "identity.h"
#include "lv2_equalizer.h"
#include "lv2_ports.h"
#include "real_values.h"

namespace {

constexpr const char* kPrefixes =
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A Turtle decimal: always with a point, so every range value reads as a number of the same kind.
std::string decimal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    std::string result = text;
    if (result.find_first_of(".e") == std::string::npos) result += ".0";
    return result;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The unit of the port's value; a selector's unit is the one of its step values.
std::string unitOf(const param::Description& d) {
    const std::string unit = d.unit;
    if (unit == "dB") return "units:db";
    if (unit == "Hz") return "units:hz";
    if (unit == "dB/oct") {
        return "[ a units:Unit ; rdfs:label \"decibels per octave\" ; units:symbol \"dB/oct\" ; "
               "units:render \"%f dB/oct\" ]";
    }
    return d.stepped() ? "" : "units:coef";  // the bandwidth factor
}

void writeControlPort(std::ostream& out, int index) {
    const param::Description& d = param::kTable[index];
    out << "    [\n"
        << "        a lv2:InputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << index << " ;\n"
        << "        lv2:symbol " << quoted(param::symbolOf(d)) << " ;\n"
        << "        lv2:name " << quoted(d.name) << " ;\n"
        << "        lv2:default " << decimal(param::realDefault(d)) << " ;\n"
        << "        lv2:minimum " << decimal(param::realMinimum(d)) << " ;\n"
        << "        lv2:maximum " << decimal(param::realMaximum(d)) << " ;\n";
    const std::string unit = unitOf(d);
    if (!unit.empty()) out << "        units:unit " << unit << " ;\n";
    if (d.stepped()) {
        out << "        lv2:portProperty lv2:integer , " << (param::isSwitch(d) ? "lv2:toggled" : "lv2:enumeration")
            << " ;\n";
        out << "        lv2:scalePoint";
        for (int i = 0; i <= d.steps; ++i) {
            out << (i == 0 ? " " : " ,\n            ") << "[ rdfs:label " << quoted(d.positions[i].label)
                << " ; rdf:value " << decimal(param::realOfPosition(d, i)) << " ]";
        }
        out << " ;\n";
    }
    out << "    ] ,\n";
}

void writeAudioPort(std::ostream& out, uint32_t index, const char* direction, const char* symbol, const char* name) {
    out << "    [\n"
        << "        a lv2:" << direction << " , lv2:AudioPort ;\n"
        << "        lv2:index " << index << " ;\n"
        << "        lv2:symbol " << quoted(symbol) << " ;\n"
        << "        lv2:name " << quoted(name) << "\n"
        << "    ]";
}

// The output level: a hint of 0 to 2 (full scale is 1.0), though a run's level may be higher.
void writeLevelPort(std::ostream& out) {
    out << "    [\n"
        << "        a lv2:OutputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << lv2port::kOutputLevel << " ;\n"
        << "        lv2:symbol \"output_level\" ;\n"
        << "        lv2:name \"Output Level\" ;\n"
        << "        lv2:default 0.0 ;\n"
        << "        lv2:minimum 0.0 ;\n"
        << "        lv2:maximum 2.0 ;\n"
        << "        units:unit units:coef\n"
        << "    ]";
}

// The UI works only through ports and does all its X11 work in idle().
void writeUi(std::ostream& out) {
    out << "<" QX71_LV2_UI_URI ">\n"
        << "    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:parent , ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:resize , ui:noUserResize , ui:touch , opts:options , urid:map ;\n"
        << "    lv2:extensionData ui:idleInterface ;\n"
        << "    opts:supportedOption ui:scaleFactor ;\n"
        << "    ui:portNotification [\n"
        << "        ui:plugin <" QX71_LV2_URI "> ;\n"
        << "        lv2:symbol \"output_level\" ;\n"
        << "        ui:protocol ui:floatProtocol\n"
        << "    ] .\n";
}

void writePlugin(std::ostream& out) {
    out << kPrefixes << "<" QX71_LV2_URI ">\n"
        << "    a lv2:Plugin , lv2:EQPlugin ;\n"
        << "    doap:name " << quoted(QX71_EFFECT_NAME_PLAIN) << " ;\n"
        << "    lv2:minorVersion " << QX71_LV2_MINOR_VERSION << " ;\n"
        << "    lv2:microVersion " << QX71_LV2_MICRO_VERSION << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable ;\n"
        << "    ui:ui <" QX71_LV2_UI_URI "> ;\n"
        << "    lv2:port\n";
    for (int i = 0; i < param::count; ++i) writeControlPort(out, i);
    const uint32_t in = Lv2Equalizer::kFirstAudioInput, outPort = Lv2Equalizer::kFirstAudioOutput;
    writeAudioPort(out, in, "InputPort", "in_l", "In L");
    out << " ,\n";
    writeAudioPort(out, in + 1, "InputPort", "in_r", "In R");
    out << " ,\n";
    writeAudioPort(out, outPort, "OutputPort", "out_l", "Out L");
    out << " ,\n";
    writeAudioPort(out, outPort + 1, "OutputPort", "out_r", "Out R");
    out << " ,\n";
    writeLevelPort(out);
    out << " .\n\n";
    writeUi(out);
}

void writeManifest(std::ostream& out) {
    out << kPrefixes << "<" QX71_LV2_URI ">\n"
        << "    a lv2:Plugin ;\n"
        << "    lv2:binary <" QX71_LV2_BINARY "> ;\n"
        << "    rdfs:seeAlso <qx71.ttl> .\n\n"
        << "<" QX71_LV2_UI_URI ">\n"
        << "    a ui:X11UI ;\n"
        << "    ui:binary <" QX71_LV2_UI_BINARY "> ;\n"
        << "    rdfs:seeAlso <qx71.ttl> .\n";
}

bool writeFile(const std::string& path, void (*write)(std::ostream&)) {
    std::ofstream out(path);
    write(out);
    out.close();
    if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s BUNDLE_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string bundle = argv[1];
    return writeFile(bundle + "/manifest.ttl", writeManifest) && writeFile(bundle + "/qx71.ttl", writePlugin) ? 0 : 1;
}
