// The editor's 43 views while its window is open: plain, non-owning pointers (the frame owns
// the views), null while closed.
#pragma once

#include "chorizontalswitch.h"
#include "conoffbutton.h"
#include "ctextedit.h"
#include "varnok_arc_switch.h"
#include "varnok_knob.h"
#include "varnok_leds.h"

struct EditorViews {
    VarnokKnob* hfFreqKnob = nullptr;
    VarnokKnobP* hfGainKnob = nullptr;
    VarnokKnobP* hfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* hfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* hfModeButton = nullptr;
    VSTGUI::COnOffButton* hfMuteButton = nullptr;
    VarnokOnOffLed* hfLed = nullptr;
    VarnokKnob* mfFreqKnob = nullptr;
    VarnokKnobP* mfGainKnob = nullptr;
    VarnokKnobP* mfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* mfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* mfMuteButton = nullptr;
    VarnokOnOffLed* mfLed = nullptr;
    VarnokKnob* lfFreqKnob = nullptr;
    VarnokKnobP* lfGainKnob = nullptr;
    VarnokKnobP* lfBwKnob = nullptr;
    VSTGUI::CHorizontalSwitch* lfTypeSwitch = nullptr;
    VSTGUI::COnOffButton* lfModeButton = nullptr;
    VSTGUI::COnOffButton* lfMuteButton = nullptr;
    VarnokOnOffLed* lfLed = nullptr;
    VarnokKnob* loPassKnob = nullptr;
    VarnokKnob* hiPassKnob = nullptr;
    VSTGUI::CHorizontalSwitch* loSlopeSwitch = nullptr;
    VSTGUI::CHorizontalSwitch* hiSlopeSwitch = nullptr;
    VarnokOnOffLed* lpfLed = nullptr;
    VarnokOnOffLed* hpfLed = nullptr;
    VSTGUI::COnOffButton* hpfMuteButton = nullptr;
    VSTGUI::COnOffButton* lpfMuteButton = nullptr;
    VarnokKnobP* outputKnob = nullptr;
    VSTGUI::COnOffButton* phaseButton = nullptr;
    VarnokPeakLed* peakLed = nullptr;
    VSTGUI::CTextEdit* hfGainText = nullptr;
    VSTGUI::CTextEdit* hfBwText = nullptr;
    VSTGUI::CTextEdit* mfGainText = nullptr;
    VSTGUI::CTextEdit* mfBwText = nullptr;
    VSTGUI::CTextEdit* lfGainText = nullptr;
    VSTGUI::CTextEdit* lfBwText = nullptr;
    VSTGUI::CTextEdit* outputText = nullptr;
    VSTGUI::COnOffButton* analogButton = nullptr;
    VarnokArcSwitch* hfArcSwitch = nullptr;
    VarnokArcSwitch* mfArcSwitch = nullptr;
    VarnokArcSwitch* lfArcSwitch = nullptr;
    VarnokEqualizerArcSwitch* filterArcSwitch = nullptr;
};
