// The LV2 edition's port numbers, shared by the plug-in, its description and its UI: ports 0 to
// 25 are the parameters in real units, in the parameter table's order; then the left and right
// audio inputs and outputs; then the output level that the UI's clip lamp follows.
#pragma once

#include <cstdint>

#include "parameter_table.h"

namespace lv2port {

constexpr uint32_t kFirstAudioInput = param::count;
constexpr uint32_t kFirstAudioOutput = param::count + 2;
// The largest output frame level of the latest run() (1.0 is full scale).
constexpr uint32_t kOutputLevel = param::count + 4;
constexpr uint32_t kCount = param::count + 5;

}  // namespace lv2port
