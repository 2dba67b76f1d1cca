#include "editor_layout.h"

#include "audio_effect.h"
#include "cbitmap.h"
#include "layout_geometry.h"
#include "parameter_table.h"
#include "readout_conversion.h"

using namespace VSTGUI;

namespace gui {

namespace {

constexpr CColor kReadoutColour{168, 168, 168, 255};
constexpr int kReadoutWidth = 30;
constexpr int kReadoutHeight = 12;
constexpr float kSelectorDragRange = 400.0f;
constexpr float kFilterDragRange = 300.0f;
// The fine knobs move their readout by whole units: one step per unit of the readout's span.
constexpr float kGainSteps = 2.0f * readout::kGainHalfRange;
constexpr float kBandwidthSteps = 2.0f * readout::kBandwidthHalfRange;
constexpr float kOutputSteps = 2.0f * readout::kOutputHalfRange;

CRect toRect(const layout::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

CRect square(const layout::Point& centre, int side) {
    return CRect(centre.x - side / 2, centre.y - side / 2, centre.x + side / 2, centre.y + side / 2);
}

CRect inset(const CRect& r, int by) { return CRect(r.left + by, r.top + by, r.right - by, r.bottom - by); }

CRect ring(const layout::Point& centre) { return square(centre, 2 * layout::ringRadius); }

// The band's bandwidth knob lies at the height of its selector knob.
CRect sideKnob(const layout::Point& centre) { return square(centre, layout::sideKnobSize); }

CRect readoutAt(const layout::Rect& r) { return CRect(r.left, r.top, r.left + kReadoutWidth, r.top + kReadoutHeight); }

class ViewBuilder {
public:
    explicit ViewBuilder(const LayoutInputs& in) : in(in) {}

    CBitmap* bitmap(artwork::Id id) const { return in.bitmaps[id - artwork::kBackground]; }

    // Shows the parameter's current value, then goes into the frame, which owns it from now on.
    template <class View>
    View* add(View* view, long parameter = -1) {
        if (parameter >= 0) view->setValue(in.effect.getParameter(parameter));
        try {
            in.frame.addView(view);
        } catch (...) {
            view->forget();
            throw;
        }
        return view;
    }

    BandRing* bandRing(const layout::Point& centre, int parameter) {
        auto* view = new BandRing(ring(centre), &in.effect);
        view->paramIndex = parameter;
        view->radius = static_cast<float>(layout::ringRadius);
        view->startAngle = layout::bandStartAngle;
        view->stepAngle = layout::bandStepAngle;
        view->positions = layout::bandPositions;
        return add(view);
    }

    SelectorKnob* selectorKnob(const CRect& rect, int parameter, artwork::Id art, long frames) {
        return add(new SelectorKnob(rect, in.listener, parameter, frames, rect.height(), bitmap(art)), parameter);
    }

    FineKnob* fineKnob(const CRect& rect, int parameter, artwork::Id art) {
        return add(new FineKnob(rect, in.listener, parameter, layout::fineKnobFrames, rect.height(), bitmap(art)),
                   parameter);
    }

    CHorizontalSwitch* horizontalSwitch(const layout::Rect& r, int parameter, artwork::Id art, long positions) {
        CRect rect = toRect(r);
        return add(new CHorizontalSwitch(rect, in.listener, parameter, positions, layout::switchFrameHeight, positions,
                                         bitmap(art)),
                   parameter);
    }

    COnOffButton* button(const layout::Rect& r, int parameter, CBitmap* art) {
        return add(new COnOffButton(toRect(r), in.listener, parameter, art), parameter);
    }

    SectionLamp* lamp(const layout::Rect& r, LampSection section) {
        auto* view = new SectionLamp(toRect(r), nullptr, in.lamps[section]);
        view->setBackground(bitmap(artwork::kSectionLamp));
        return add(view);
    }

    CTextEdit* readout(const layout::Rect& r, long tag, int parameter, const float& halfRange) {
        auto* view = new CTextEdit(readoutAt(r), in.listener, tag, nullptr, nullptr, 0);
        view->setFont(kNormalFontVerySmall);
        view->setTextTransparency(true);
        view->setFontColor(kReadoutColour);
        view->setStringConvert(readout::formatHook, const_cast<float*>(&halfRange));
        return add(view, parameter);
    }

    const LayoutInputs& in;
};

}  // namespace

void buildEditorViews(const LayoutInputs& in, EditorViews& v) {
    using namespace layout;
    ViewBuilder b(in);

    v.hfArcSwitch = b.bandRing(highBandCentre, param::hfFreq);
    v.mfArcSwitch = b.bandRing(midBandCentre, param::mfFreq);
    v.lfArcSwitch = b.bandRing(lowBandCentre, param::lfFreq);
    v.filterArcSwitch = b.add(new FilterRing(ring(filterCentre), &in.effect));
    v.filterArcSwitch->radius = static_cast<float>(ringRadius);

    const CRect hfSelector = square(highBandCentre, selectorKnobSize);
    const CRect mfSelector = square(midBandCentre, selectorKnobSize);
    const CRect lfSelector = square(lowBandCentre, selectorKnobSize);
    const CRect hfInner = square(highBandCentre, innerKnobSize);
    const CRect mfInner = square(midBandCentre, innerKnobSize);
    const CRect lfInner = square(lowBandCentre, innerKnobSize);
    const CRect filterInner = square(filterCentre, innerKnobSize);

    v.hfFreqKnob = b.selectorKnob(hfSelector, param::hfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    v.hfGainKnob = b.fineKnob(hfInner, param::hfGain, artwork::kGainKnob);
    v.hfBwKnob = b.fineKnob(sideKnob(highBwCentre), param::hfBandwidth, artwork::kSideKnob);
    v.mfFreqKnob = b.selectorKnob(mfSelector, param::mfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    v.mfGainKnob = b.fineKnob(mfInner, param::mfGain, artwork::kGainKnob);
    v.mfBwKnob = b.fineKnob(sideKnob(midBwCentre), param::mfBandwidth, artwork::kSideKnob);
    v.lfFreqKnob = b.selectorKnob(lfSelector, param::lfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    v.lfGainKnob = b.fineKnob(lfInner, param::lfGain, artwork::kGainKnob);
    v.lfBwKnob = b.fineKnob(sideKnob(lowBwCentre), param::lfBandwidth, artwork::kSideKnob);
    v.hiPassKnob =
        b.selectorKnob(square(filterCentre, selectorKnobSize), param::highPass, artwork::kHiPassKnob, filterKnobFrames);
    v.loPassKnob = b.selectorKnob(filterInner, param::lowPass, artwork::kLoPassKnob, filterKnobFrames);
    v.outputKnob = b.fineKnob(sideKnob(outputCentre), param::output, artwork::kSideKnob);
    // An inner knob leaves its rim to the knob around it.
    v.hfGainKnob->setMouseableArea(inset(hfInner, innerKnobMouseInset));
    v.mfGainKnob->setMouseableArea(inset(mfInner, innerKnobMouseInset));
    v.lfGainKnob->setMouseableArea(inset(lfInner, innerKnobMouseInset));
    v.loPassKnob->setMouseableArea(inset(filterInner, innerKnobMouseInset));

    v.hfTypeSwitch = b.horizontalSwitch(highTypeSwitch, param::hfType, artwork::kTypeSwitch, typePositions);
    v.mfTypeSwitch = b.horizontalSwitch(midTypeSwitch, param::mfType, artwork::kTypeSwitch, typePositions);
    v.lfTypeSwitch = b.horizontalSwitch(lowTypeSwitch, param::lfType, artwork::kTypeSwitch, typePositions);
    v.loSlopeSwitch = b.horizontalSwitch(layout::loSlopeSwitch, param::lowSlope, artwork::kSlopeSwitch, slopePositions);
    v.hiSlopeSwitch =
        b.horizontalSwitch(layout::hiSlopeSwitch, param::highSlope, artwork::kSlopeSwitch, slopePositions);
    // The slope switches leave the pixels that face the filter ring to the ring.
    v.loSlopeSwitch->setMouseableArea(toRect(loSlopeMouseArea));
    v.hiSlopeSwitch->setMouseableArea(toRect(hiSlopeMouseArea));

    v.hfModeButton = b.button(highModeButton, param::hfMode, b.bitmap(artwork::kModeButton));
    v.lfModeButton = b.button(lowModeButton, param::lfMode, b.bitmap(artwork::kModeButton));
    v.phaseButton = b.button(layout::phaseButton, param::phase, b.bitmap(artwork::kPhaseButton));
    v.analogButton = b.button(layout::analogButton, param::analog, b.bitmap(artwork::kAnalogButton));

    // Each lamp takes no clicks itself: an invisible mute button on the same rectangle lies above it.
    v.hfLed = b.lamp(highLamp, kHfSection);
    v.hfMuteButton = b.button(highLamp, param::muteHf, nullptr);
    v.mfLed = b.lamp(midLamp, kMfSection);
    v.mfMuteButton = b.button(midLamp, param::muteMf, nullptr);
    v.lfLed = b.lamp(lowLamp, kLfSection);
    v.lfMuteButton = b.button(lowLamp, param::muteLf, nullptr);
    v.hpfLed = b.lamp(hiPassLamp, kHpfSection);
    v.hpfMuteButton = b.button(hiPassLamp, param::muteHighPass, nullptr);
    v.lpfLed = b.lamp(loPassLamp, kLpfSection);
    v.lpfMuteButton = b.button(loPassLamp, param::muteLowPass, nullptr);
    v.peakLed = b.add(new ClipLamp(toRect(peakLamp), b.bitmap(artwork::kClipLamp), in.peakLevel));

    v.hfGainText = b.readout(highGainReadout, 1001, param::hfGain, readout::kGainHalfRange);
    v.mfGainText = b.readout(midGainReadout, 1003, param::mfGain, readout::kGainHalfRange);
    v.lfGainText = b.readout(lowGainReadout, 1005, param::lfGain, readout::kGainHalfRange);
    v.hfBwText = b.readout(highBwReadout, 1002, param::hfBandwidth, readout::kBandwidthHalfRange);
    v.mfBwText = b.readout(midBwReadout, 1004, param::mfBandwidth, readout::kBandwidthHalfRange);
    v.lfBwText = b.readout(lowBwReadout, 1006, param::lfBandwidth, readout::kBandwidthHalfRange);
    v.outputText = b.readout(outputReadout, 1007, param::output, readout::kOutputHalfRange);

    // Late settings, once every view exists.
    for (SelectorKnob* knob : {v.hfFreqKnob, v.mfFreqKnob, v.lfFreqKnob}) knob->dragRange = kSelectorDragRange;
    for (SelectorKnob* knob : {v.hiPassKnob, v.loPassKnob}) knob->dragRange = kFilterDragRange;
    for (FineKnob* knob : {v.hfGainKnob, v.mfGainKnob, v.lfGainKnob}) knob->steps = kGainSteps;
    for (FineKnob* knob : {v.hfBwKnob, v.mfBwKnob, v.lfBwKnob}) knob->steps = kBandwidthSteps;
    v.outputKnob->steps = kOutputSteps;

    // Exactly the controls with a parameter tag get a default: the parameter's own default.
    for (CControl* control : std::initializer_list<CControl*>{
             v.hfGainKnob,    v.mfGainKnob,   v.lfGainKnob,   v.hfBwKnob,      v.mfBwKnob,      v.lfBwKnob,
             v.outputKnob,    v.hfFreqKnob,   v.mfFreqKnob,   v.lfFreqKnob,    v.hiPassKnob,    v.loPassKnob,
             v.hfTypeSwitch,  v.mfTypeSwitch, v.lfTypeSwitch, v.loSlopeSwitch, v.hiSlopeSwitch, v.hfModeButton,
             v.lfModeButton,  v.phaseButton,  v.analogButton, v.hfMuteButton,  v.mfMuteButton,  v.lfMuteButton,
             v.hpfMuteButton, v.lpfMuteButton})
        control->setDefaultValue(param::kTable[control->getTag()].defaultValue);
}

}  // namespace gui
