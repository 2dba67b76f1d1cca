#include "parameter_table.h"

const ParamEntry kParameterTable[ParameterStore::kCount] = {
    {"Output", "dB", 0.5f},   {"Phase", "n/y", 0.0f},    {"HF Freq", "Hz", 0.0f},   {"HF Gain", "dB", 0.5f},
    {"HF BW", "oct", 0.5f},   {"HF Type", "typ", 0.0f},  {"HF Mode", "n/y", 0.0f},  {"MF Freq", "Hz", 0.0f},
    {"MF Gain", "dB", 0.5f},  {"MF BW", "oct", 0.5f},    {"MF Type", "typ", 0.0f},  {"LF Freq", "Hz", 0.0f},
    {"LF Gain", "dB", 0.5f},  {"LF BW", "oct", 0.5f},    {"LF Type", "typ", 0.0f},  {"LF Mode", "n/y", 0.0f},
    {"Lo-Pass", "Hz", 0.0f},  {"Hi-Pass", "Hz", 0.0f},   {"Lo Slope", "dB/o", 0.0f}, {"Hi Slope", "dB/o", 0.0f},
    {"Analog", "n/y", 0.0f},  {"Mute HF", "n/y", 0.0f},  {"Mute MF", "n/y", 0.0f},  {"Mute LF", "n/y", 0.0f},
    {"Mute LPF", "n/y", 0.0f}, {"Mute HPF", "n/y", 0.0f},
};
