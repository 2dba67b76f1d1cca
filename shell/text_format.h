// Text written into host buffers. Every answer follows one rule: at most maxLen characters,
// zero bytes up to maxLen and one more zero byte at position maxLen (maxLen + 1 bytes in all).
#pragma once

#include "vst_abi.h"

// Copies `source` into `text` by the rule above. A null `text` writes nothing.
void copyLimited(char* text, const char* source, VstInt32 maxLen);

// Decimal rendering with truncated digits: at most eight characters including sign and
// point, "Huge!" beyond that range.
void formatFloat(float value, char* text, VstInt32 maxLen);
// Decimal integer, "Huge!" from 100000000 up.
void formatInt(VstInt32 value, char* text, VstInt32 maxLen);
