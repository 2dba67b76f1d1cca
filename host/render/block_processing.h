// Running audio through a prepared plug-in in blocks, in single or double precision: shared by
// the host tools.
#pragma once

#include "plugin_instance.h"
#include "wav_file.h"

namespace qx71::render {

// True when the plug-in offers double-precision replacing processing.
bool offersDoublePrecision(const host::Instance& instance);

// Checks that the plug-in has outputs and the callback of that precision, tells it the
// precision, switches it on and starts processing. Throws RenderError otherwise.
void startProcessing(host::Instance& instance, bool doublePrecision);
void stopProcessing(host::Instance& instance);

// Feeds the input through the plug-in in calls of at most blockSize frames. Plug-in input c
// reads input channel c (wrapping, so mono feeds every input); the result is the plug-in's
// first two outputs (a mono plug-in's output in both). The plug-in keeps its state between
// calls, so a long input may be fed in parts.
Audio processBlocks(host::Instance& instance, const Audio& input, int blockSize, bool doublePrecision);

}  // namespace qx71::render
