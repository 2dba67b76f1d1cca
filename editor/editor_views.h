// The editor's 43 views while its window is open: plain, non-owning pointers (the frame owns
// the views), null while closed.
#pragma once

#include "chorizontalswitch.h"
#include "click_rings.h"
#include "conoffbutton.h"
#include "ctextedit.h"
#include "drag_knobs.h"
#include "lamps.h"

namespace gui {

struct EditorViews {
    SelectorKnob* hfFreqKnob = nullptr;
    FineKnob* hfGainKnob = nullptr;
    FineKnob* hfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* hfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* hfModeButton = nullptr;
    VSTGUI::COnOffButton* hfMuteButton = nullptr;
    SectionLamp* hfLed = nullptr;
    SelectorKnob* mfFreqKnob = nullptr;
    FineKnob* mfGainKnob = nullptr;
    FineKnob* mfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* mfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* mfMuteButton = nullptr;
    SectionLamp* mfLed = nullptr;
    SelectorKnob* lfFreqKnob = nullptr;
    FineKnob* lfGainKnob = nullptr;
    FineKnob* lfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* lfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* lfModeButton = nullptr;
    VSTGUI::COnOffButton* lfMuteButton = nullptr;
    SectionLamp* lfLed = nullptr;
    SelectorKnob* loPassKnob = nullptr;
    SelectorKnob* hiPassKnob = nullptr;
    VSTGUI::CHorizontalSwitch* loSlopeSwitch = nullptr;
    VSTGUI::CHorizontalSwitch* hiSlopeSwitch = nullptr;
    SectionLamp* lpfLed = nullptr;
    SectionLamp* hpfLed = nullptr;
    VSTGUI::COnOffButton* hpfMuteButton = nullptr;
    VSTGUI::COnOffButton* lpfMuteButton = nullptr;
    FineKnob* outputKnob = nullptr;
    VSTGUI::COnOffButton* phaseButton = nullptr;
    ClipLamp* peakLed = nullptr;
    VSTGUI::CTextEdit* hfGainText = nullptr;
    VSTGUI::CTextEdit* hfBwText = nullptr;
    VSTGUI::CTextEdit* mfGainText = nullptr;
    VSTGUI::CTextEdit* mfBwText = nullptr;
    VSTGUI::CTextEdit* lfGainText = nullptr;
    VSTGUI::CTextEdit* lfBwText = nullptr;
    VSTGUI::CTextEdit* outputText = nullptr;
    VSTGUI::COnOffButton* analogButton = nullptr;
    BandRing* hfArcSwitch = nullptr;
    BandRing* mfArcSwitch = nullptr;
    BandRing* lfArcSwitch = nullptr;
    FilterRing* filterArcSwitch = nullptr;
};

}  // namespace gui
