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

}  // namespace

const ReadoutBinding kReadouts[7] = {
    {1001, param::hfGain, readout::kGainHalfRange, layout::highGainReadout},
    {1003, param::mfGain, readout::kGainHalfRange, layout::midGainReadout},
    {1005, param::lfGain, readout::kGainHalfRange, layout::lowGainReadout},
    {1002, param::hfBandwidth, readout::kBandwidthHalfRange, layout::highBwReadout},
    {1004, param::mfBandwidth, readout::kBandwidthHalfRange, layout::midBwReadout},
    {1006, param::lfBandwidth, readout::kBandwidthHalfRange, layout::lowBwReadout},
    {1007, param::output, readout::kOutputHalfRange, layout::outputReadout},
};

const ReadoutBinding* readoutForTag(long tag) {
    for (const ReadoutBinding& binding : kReadouts) {
        if (binding.tag == tag) return &binding;
    }
    return nullptr;
}

namespace {

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
    ViewBuilder(const LayoutInputs& in, EditorViews& views) : in(in), views(views) {}

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

    // Adds the parameter's control and enters it in the table.
    template <class Control>
    Control* bind(Control* control, int parameter) {
        views.parameters[parameter].control = add(control, parameter);
        return control;
    }

    SelectorKnob* selectorKnob(const CRect& rect, int parameter, artwork::Id art, long frames) {
        return bind(new SelectorKnob(rect, in.listener, parameter, frames, rect.height(), bitmap(art)), parameter);
    }

    FineKnob* fineKnob(const CRect& rect, int parameter, artwork::Id art) {
        return bind(new FineKnob(rect, in.listener, parameter, layout::fineKnobFrames, rect.height(), bitmap(art)),
                    parameter);
    }

    CHorizontalSwitch* horizontalSwitch(const layout::Rect& r, int parameter, artwork::Id art, long positions) {
        CRect rect = toRect(r);
        return bind(new CHorizontalSwitch(rect, in.listener, parameter, positions, layout::switchFrameHeight, positions,
                                          bitmap(art)),
                    parameter);
    }

    COnOffButton* button(const layout::Rect& r, int parameter, CBitmap* art) {
        return bind(new COnOffButton(toRect(r), in.listener, parameter, art), parameter);
    }

    SectionLamp* lamp(const layout::Rect& r, LampSection section) {
        auto* view = new SectionLamp(toRect(r), nullptr, in.lamps[section]);
        view->setBackground(bitmap(artwork::kSectionLamp));
        return add(view);
    }

    void readout(const ReadoutBinding& binding) {
        auto* view = new CTextEdit(readoutAt(binding.rect), in.listener, binding.tag, nullptr, nullptr, 0);
        view->setFont(kNormalFontVerySmall);
        view->setTextTransparency(true);
        view->setFontColor(kReadoutColour);
        view->setStringConvert(readout::formatHook, const_cast<float*>(&binding.halfRange));
        views.parameters[binding.parameter].readout = add(view, binding.parameter);
    }

    const LayoutInputs& in;
    EditorViews& views;
};

}  // namespace

void buildEditorViews(const LayoutInputs& in, EditorViews& v) {
    using namespace layout;
    ViewBuilder b(in, v);

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

    b.selectorKnob(hfSelector, param::hfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    b.fineKnob(hfInner, param::hfGain, artwork::kGainKnob);
    b.fineKnob(sideKnob(highBwCentre), param::hfBandwidth, artwork::kSideKnob);
    b.selectorKnob(mfSelector, param::mfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    b.fineKnob(mfInner, param::mfGain, artwork::kGainKnob);
    b.fineKnob(sideKnob(midBwCentre), param::mfBandwidth, artwork::kSideKnob);
    b.selectorKnob(lfSelector, param::lfFreq, artwork::kBandSelectorKnob, bandSelectorFrames);
    b.fineKnob(lfInner, param::lfGain, artwork::kGainKnob);
    b.fineKnob(sideKnob(lowBwCentre), param::lfBandwidth, artwork::kSideKnob);
    b.selectorKnob(square(filterCentre, selectorKnobSize), param::highPass, artwork::kHiPassKnob, filterKnobFrames);
    b.selectorKnob(filterInner, param::lowPass, artwork::kLoPassKnob, filterKnobFrames);
    b.fineKnob(sideKnob(outputCentre), param::output, artwork::kSideKnob);
    // An inner knob leaves its rim to the knob around it.
    for (auto [parameter, inner] : {std::pair{param::hfGain, hfInner}, std::pair{param::mfGain, mfInner},
                                    std::pair{param::lfGain, lfInner}, std::pair{param::lowPass, filterInner}}) {
        v.control<CControl>(parameter)->setMouseableArea(inset(inner, innerKnobMouseInset));
    }

    b.horizontalSwitch(highTypeSwitch, param::hfType, artwork::kTypeSwitch, typePositions);
    b.horizontalSwitch(midTypeSwitch, param::mfType, artwork::kTypeSwitch, typePositions);
    b.horizontalSwitch(lowTypeSwitch, param::lfType, artwork::kTypeSwitch, typePositions);
    // The slope switches leave the pixels that face the filter ring to the ring.
    b.horizontalSwitch(layout::loSlopeSwitch, param::lowSlope, artwork::kSlopeSwitch, slopePositions)
        ->setMouseableArea(toRect(loSlopeMouseArea));
    b.horizontalSwitch(layout::hiSlopeSwitch, param::highSlope, artwork::kSlopeSwitch, slopePositions)
        ->setMouseableArea(toRect(hiSlopeMouseArea));

    b.button(highModeButton, param::hfMode, b.bitmap(artwork::kModeButton));
    b.button(lowModeButton, param::lfMode, b.bitmap(artwork::kModeButton));
    b.button(layout::phaseButton, param::phase, b.bitmap(artwork::kPhaseButton));
    b.button(layout::analogButton, param::analog, b.bitmap(artwork::kAnalogButton));

    // Each lamp takes no clicks itself: an invisible mute button on the same rectangle lies above it.
    v.hfLed = b.lamp(highLamp, kHfSection);
    b.button(highLamp, param::muteHf, nullptr);
    v.mfLed = b.lamp(midLamp, kMfSection);
    b.button(midLamp, param::muteMf, nullptr);
    v.lfLed = b.lamp(lowLamp, kLfSection);
    b.button(lowLamp, param::muteLf, nullptr);
    v.hpfLed = b.lamp(hiPassLamp, kHpfSection);
    b.button(hiPassLamp, param::muteHighPass, nullptr);
    v.lpfLed = b.lamp(loPassLamp, kLpfSection);
    b.button(loPassLamp, param::muteLowPass, nullptr);
    v.peakLed = b.add(new ClipLamp(toRect(peakLamp), b.bitmap(artwork::kClipLamp), in.peakLevel));

    for (const ReadoutBinding& binding : kReadouts) b.readout(binding);

    // Late settings, once every view exists.
    for (int p : {param::hfFreq, param::mfFreq, param::lfFreq})
        v.control<SelectorKnob>(p)->dragRange = kSelectorDragRange;
    for (int p : {param::highPass, param::lowPass}) v.control<SelectorKnob>(p)->dragRange = kFilterDragRange;
    for (int p : {param::hfGain, param::mfGain, param::lfGain}) v.control<FineKnob>(p)->steps = kGainSteps;
    for (int p : {param::hfBandwidth, param::mfBandwidth, param::lfBandwidth}) {
        v.control<FineKnob>(p)->steps = kBandwidthSteps;
    }
    v.control<FineKnob>(param::output)->steps = kOutputSteps;

    // Exactly the controls with a parameter tag get a default: the parameter's own default.
    for (int p = 0; p < param::count; ++p) {
        if (CControl* control = v.parameters[p].control) control->setDefaultValue(param::kTable[p].defaultValue);
    }
}

}  // namespace gui
