#include "clap_parameters.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "real_values.h"

namespace clap_edition {

namespace {

void copyName(char* target, size_t size, const char* source) { std::snprintf(target, size, "%s", source); }

bool sameWords(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// A number with an optional unit after it: the parameter's own unit, or kHz for a unit of Hz.
bool parseNumber(const param::Description& d, std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return false;
    const std::string_view unit = trimmed(text.substr(static_cast<size_t>(end - text.data())));
    if (unit.empty() || sameWords(unit, d.unit)) return true;
    if (std::strcmp(d.unit, "Hz") == 0 && sameWords(unit, "kHz")) {
        value *= 1000.0;
        return true;
    }
    return false;
}

}  // namespace

bool parameterInfo(uint32_t index, clap_param_info_t& info) {
    if (!param::isValid(static_cast<int>(index))) return false;
    const param::Description& d = param::kTable[index];
    std::memset(&info, 0, sizeof info);
    info.id = index;
    info.flags = CLAP_PARAM_IS_AUTOMATABLE;
    if (d.stepped())
        info.flags |= CLAP_PARAM_IS_STEPPED | (param::isSwitch(d) ? 0u : static_cast<uint32_t>(CLAP_PARAM_IS_ENUM));
    copyName(info.name, sizeof info.name, d.name);
    info.min_value = param::realMinimum(d);
    info.max_value = param::realMaximum(d);
    info.default_value = param::realDefault(d);
    return true;
}

double realOfNormalized(int index, float normalized) {
    const param::Description& d = param::kTable[index];
    if (!d.stepped()) return d.engineValue(normalized);
    return param::realOfPosition(d, param::positionOfNormalized(d, normalized));
}

bool valueToText(clap_id id, double value, char* text, uint32_t capacity) {
    if (!param::isValid(static_cast<int>(id)) || text == nullptr || capacity == 0 || !std::isfinite(value)) {
        return false;
    }
    const param::Description& d = param::kTable[id];
    int length;
    if (d.stepped()) {
        length =
            std::snprintf(text, capacity, "%s", d.positions[param::positionOfReal(d, static_cast<float>(value))].label);
    } else {
        const double clamped = std::fmin(std::fmax(value, d.minimum), d.maximum);
        length = d.unit[0] != '\0' ? std::snprintf(text, capacity, "%.2f %s", clamped, d.unit)
                                   : std::snprintf(text, capacity, "%.3f", clamped);
    }
    if (length < 0 || static_cast<uint32_t>(length) >= capacity) {
        text[0] = '\0';
        return false;
    }
    return true;
}

bool textToValue(clap_id id, const char* text, double& value) {
    if (!param::isValid(static_cast<int>(id)) || text == nullptr) return false;
    const param::Description& d = param::kTable[id];
    const std::string_view words = trimmed(text);
    double number;
    if (d.stepped()) {
        for (int i = 0; i <= d.steps; ++i) {
            if (sameWords(words, d.positions[i].label)) {
                value = param::realOfPosition(d, i);
                return true;
            }
        }
        if (!parseNumber(d, words, number)) return false;
        value = param::realOfPosition(d, param::positionOfReal(d, static_cast<float>(number)));
        return true;
    }
    if (!parseNumber(d, words, number)) return false;
    value = std::fmin(std::fmax(number, static_cast<double>(d.minimum)), static_cast<double>(d.maximum));
    return true;
}

}  // namespace clap_edition
