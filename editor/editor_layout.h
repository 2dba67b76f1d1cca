// Builds the editor's 43 views into a frame, in their stacking order (a later view is drawn
// over an earlier one and is asked first for a press), with their rectangles, bitmaps, tags,
// mouse areas, settings and the current parameter values, then the late settings (drag ranges,
// steps, default values). Every view bound to a parameter is entered in the views' table.
#pragma once

#include <atomic>

#include "cframe.h"
#include "editor_views.h"
#include "layout_geometry.h"

class AudioEffect;

namespace gui {

namespace artwork {
// Resource numbers of the thirteen bitmaps.
enum Id : long {
    kBackground = 101,
    kGainKnob,
    kBandSelectorKnob,
    kHiPassKnob,
    kLoPassKnob,
    kSideKnob,
    kTypeSwitch,
    kSlopeSwitch,
    kModeButton,
    kPhaseButton,
    kSectionLamp,
    kClipLamp,
    kAnalogButton,
};
constexpr int kCount = 13;
}  // namespace artwork

// The five sections that have a lamp, in the order the editor's idle walks them.
enum LampSection { kHfSection, kMfSection, kLfSection, kLpfSection, kHpfSection, kLampSectionCount };

// A value readout: the tag its typed values arrive under, the parameter it shows, the span of its
// numbers (see readout_conversion.h) and where it sits.
struct ReadoutBinding {
    long tag;
    int parameter;
    float halfRange;
    layout::Rect rect;
};

// The seven readouts, in stacking order.
extern const ReadoutBinding kReadouts[7];
// The readout with this tag, or nullptr.
const ReadoutBinding* readoutForTag(long tag);

struct LayoutInputs {
    VSTGUI::CFrame& frame;
    AudioEffect& effect;
    VSTGUI::CControlListener* listener;
    VSTGUI::CBitmap* const* bitmaps;  // artwork::kCount entries, by resource number - 101
    const SectionLampState* lamps;    // kLampSectionCount entries
    std::atomic<double>& peakLevel;
};

// Throws what an allocation throws; the views made until then belong to the frame.
void buildEditorViews(const LayoutInputs& inputs, EditorViews& views);

}  // namespace gui
