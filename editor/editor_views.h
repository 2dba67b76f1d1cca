// The editor's views while its window is open: plain, non-owning pointers (the frame owns the
// views), null while closed. What shows a parameter is one table indexed by the parameter, which
// the builder fills and the updates and readouts read.
#pragma once

#include <array>

#include "chorizontalswitch.h"
#include "click_rings.h"
#include "conoffbutton.h"
#include "ctextedit.h"
#include "drag_knobs.h"
#include "lamps.h"
#include "parameter_table.h"

namespace gui {

// The views bound to one parameter: its knob, switch or button, and the number beside a knob.
struct ParameterViews {
    VSTGUI::CControl* control = nullptr;
    VSTGUI::CTextEdit* readout = nullptr;
};

struct EditorViews {
    std::array<ParameterViews, param::count> parameters{};

    // The parameter's control as the type the builder made it.
    template <class Control>
    Control* control(int parameter) const {
        return static_cast<Control*>(parameters[parameter].control);
    }
    VSTGUI::CTextEdit* readout(int parameter) const { return parameters[parameter].readout; }

    // Views that write their parameters directly or show no single parameter.
    BandRing* hfArcSwitch = nullptr;
    BandRing* mfArcSwitch = nullptr;
    BandRing* lfArcSwitch = nullptr;
    FilterRing* filterArcSwitch = nullptr;
    SectionLamp* hfLed = nullptr;
    SectionLamp* mfLed = nullptr;
    SectionLamp* lfLed = nullptr;
    SectionLamp* lpfLed = nullptr;
    SectionLamp* hpfLed = nullptr;
    ClipLamp* peakLed = nullptr;
};

}  // namespace gui
