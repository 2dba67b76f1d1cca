// The two editions are built from the same sources; QX71_WITH_EDITOR selects the one with
// its own editor. Only the name differs here; the editor flag is set by attaching the editor.
#pragma once

#include "identity.h"

#ifndef QX71_WITH_EDITOR
#define QX71_WITH_EDITOR 0
#endif

namespace edition {
#if QX71_WITH_EDITOR
constexpr const char* kEffectName = QX71_EFFECT_NAME_EDITOR;
#else
constexpr const char* kEffectName = QX71_EFFECT_NAME_PLAIN;
#endif
constexpr bool kHasEditor = QX71_WITH_EDITOR != 0;
}  // namespace edition
