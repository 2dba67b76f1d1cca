// Names, labels and defaults of the equalizer's 26 parameters, in index order.
#pragma once

#include "parameter_store.h"

enum ParameterIndex {
    kOutput = 0,
    kPhase,
    kHfFreq,
    kHfGain,
    kHfBw,
    kHfType,
    kHfMode,
    kMfFreq,
    kMfGain,
    kMfBw,
    kMfType,
    kLfFreq,
    kLfGain,
    kLfBw,
    kLfType,
    kLfMode,
    kLoPass,
    kHiPass,
    kLoSlope,
    kHiSlope,
    kAnalog,
    kMuteHf,
    kMuteMf,
    kMuteLf,
    kMuteLpf,
    kMuteHpf,
};

extern const ParamEntry kParameterTable[ParameterStore::kCount];
