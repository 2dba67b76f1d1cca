// The six section-group designs. Each reads the stored parameter values it needs (an array
// of param::count values) and the sample rate, and rewrites its own sections in `chain`.
// A section that a design resets gets identity (or zero) coefficients and its reset count
// moves on, which tells the audio side to clear that section's states.
#pragma once

#include "chain_layout.h"

namespace dsp {

enum class DesignGroup : int { highBand, midBand, lowBand, lowPass, highPass, analog };
constexpr int kDesignGroupCount = 6;

void designHighBand(const float* values, double sampleRate, DesignedChain& chain);
void designMidBand(const float* values, double sampleRate, DesignedChain& chain);
void designLowBand(const float* values, double sampleRate, DesignedChain& chain);
void designLowPass(const float* values, double sampleRate, DesignedChain& chain);
void designHighPass(const float* values, double sampleRate, DesignedChain& chain);
void designAnalog(const float* values, double sampleRate, DesignedChain& chain);

void designGroup(DesignGroup group, const float* values, double sampleRate, DesignedChain& chain);

// The group that parameter `index` redesigns; false for indices that no design reads.
bool groupOfParameter(int index, DesignGroup& group);

}  // namespace dsp
