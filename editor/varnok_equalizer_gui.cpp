#include "varnok_equalizer_gui.h"

#include <array>
#include <cmath>

#include "audio_effect.h"
#include "cbitmap.h"
#include "clock.h"
#include "layout_geometry.h"
#include "parameter_table.h"
#include "readout_conversion.h"

using namespace VSTGUI;

namespace {

// What other threads touch must not hide a lock.
static_assert(std::atomic<std::thread::id>::is_always_lock_free, "the interface thread's id");
static_assert(std::atomic<double>::is_always_lock_free, "the peak level");
static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "the pending parameters");

constexpr int kParameterCount = 26;

struct SectionRule {
    int selector;
    double litFrom;  // compared with the value widened to double
    int mute;
};

constexpr SectionRule kSectionRules[kSectionCount] = {
    {kHfFreq, 0.142, kMuteHf}, {kMfFreq, 0.142, kMuteMf}, {kLfFreq, 0.142, kMuteLf},
    {kLoPass, 0.2, kMuteLpf},  {kHiPass, 0.2, kMuteHpf},
};

struct ReadoutBinding {
    long tag;
    int parameter;
    float halfRange;
};

constexpr ReadoutBinding kReadouts[] = {
    {1001, kHfGain, readout::kGainHalfRange},    {1002, kHfBw, readout::kBandwidthHalfRange},
    {1003, kMfGain, readout::kGainHalfRange},    {1004, kMfBw, readout::kBandwidthHalfRange},
    {1005, kLfGain, readout::kGainHalfRange},    {1006, kLfBw, readout::kBandwidthHalfRange},
    {1007, kOutput, readout::kOutputHalfRange},
};

// Positions above OFF of a selector whose value is snapped to its grid, or 0 for other tags.
int selectorSteps(long tag) {
    switch (tag) {
        case kHfFreq:
        case kMfFreq:
        case kLfFreq:
            return 7;
        case kLoPass:
        case kHiPass:
            return 5;
        default:
            return 0;
    }
}

// The thirteen bitmaps, one reference each while the views are built.
class Artwork {
public:
    Artwork() = default;
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;
    ~Artwork() {
        for (CBitmap* bitmap : bitmaps)
            if (bitmap)
                bitmap->forget();
    }
    void load() {
        for (int i = 0; i < artwork::kCount; ++i)
            bitmaps[i] = new CBitmap(artwork::kBackground + i);
    }
    CBitmap* const* all() const { return bitmaps.data(); }

private:
    std::array<CBitmap*, artwork::kCount> bitmaps{};
};

}  // namespace

VarnokEqualizerGUI::VarnokEqualizerGUI(AudioEffect* effect)
    : AEffGUIEditor(effect), lastBlinkTicks(qx71::nowMs()), interfaceThread(std::this_thread::get_id()) {
    // The window is the size of the background; the layout's size stands in if it cannot be read.
    CCoord width = layout::editorWidth, height = layout::editorHeight;
    try {
        CBitmap* background = new CBitmap(artwork::kBackground);
        if (background->getWidth() > 0 && background->getHeight() > 0) {
            width = background->getWidth();
            height = background->getHeight();
        }
        background->forget();
    } catch (...) {
    }
    rect = ERect{0, 0, static_cast<VstInt16>(height), static_cast<VstInt16>(width)};
    for (const SectionRule& rule : kSectionRules) {
        lampParameterChanged(rule.selector, effect->getParameter(rule.selector));
        lampParameterChanged(rule.mute, effect->getParameter(rule.mute));
    }
}

VarnokEqualizerGUI::~VarnokEqualizerGUI() { close(); }

bool VarnokEqualizerGUI::open(void* parentWindow) {
    // A second open without a close would leave the first window and its views behind.
    if (frame)
        close();
    AEffGUIEditor::open(parentWindow);
    interfaceThread.store(std::this_thread::get_id());
    try {
        return buildWindow(parentWindow);
    } catch (...) {
        AEffGUIEditor::close();
        return false;
    }
}

bool VarnokEqualizerGUI::buildWindow(void* parentWindow) {
    Artwork art;
    art.load();
    setKnobMode(kLinearMode);
    CFrame* newFrame = new CFrame(CRect(0, 0, rect.right, rect.bottom), parentWindow, this);
    try {
        newFrame->setBackground(art.all()[0]);
        // Changes from other threads from here on are marked and shown at the first idle; taking
        // the marks also makes the values stored before them visible to the reads below.
        pendingParameters.exchange(0);
        for (SectionLampState& lamp : lamps)
            lamp.overrideOn.store(false);
        peakLevel.store(0.0);
        buildEditorViews(LayoutInputs{*newFrame, *effect, this, art.all(), lamps, peakLevel}, views);
    } catch (...) {
        views = EditorViews();
        newFrame->forget();
        throw;
    }
    lastBlinkTicks = qx71::nowMs();
    blinkPhase = false;
    frame = newFrame;
    guiOpen.store(1);
    return true;
}

void VarnokEqualizerGUI::close() {
    guiOpen.store(0);  // before any view goes away
    if (CFrame* oldFrame = frame) {
        frame = nullptr;
        oldFrame->forget();
    }
    views = EditorViews();
    AEffGUIEditor::close();
}

void VarnokEqualizerGUI::idle() {
    if (guiOpen.load())
        showPendingParameters();
    AEffGUIEditor::idle();
    std::uint32_t now = qx71::nowMs();
    if (now - lastBlinkTicks >= kBlinkIntervalMs) {
        lastBlinkTicks = now;
        blinkPhase = !blinkPhase;
    }
    if (!guiOpen.load())
        return;
    for (int s = 0; s < kSectionCount; ++s)
        if (effect->getParameter(kSectionRules[s].mute) > 0.5f)
            lamps[s].overrideOn.store(blinkPhase);
}

void VarnokEqualizerGUI::setParameter(VstInt32 index, float value) {
    (void)value;  // the controls show the stored, clamped value
    if (index < 0 || index >= kParameterCount)
        return;
    if (std::this_thread::get_id() != interfaceThread.load())
        pendingParameters.fetch_or(1u << index);  // also while closed: open may be under way
    else if (guiOpen.load())
        showParameter(index);
}

void VarnokEqualizerGUI::showPendingParameters() {
    std::uint32_t pending = pendingParameters.exchange(0);
    for (int index = 0; index < kParameterCount; ++index)
        if (pending & (1u << index))
            showParameter(index);
}

void VarnokEqualizerGUI::showParameter(VstInt32 index) {
    const EditorViews& v = views;
    std::array<CControl*, 2> bound{};
    switch (index) {
        case kOutput: bound = {v.outputKnob, v.outputText}; break;
        case kPhase: bound = {v.phaseButton}; break;
        case kHfFreq: bound = {v.hfFreqKnob}; break;
        case kHfGain: bound = {v.hfGainKnob, v.hfGainText}; break;
        case kHfBw: bound = {v.hfBwKnob, v.hfBwText}; break;
        case kHfType: bound = {v.hfTypeSwitch}; break;
        case kHfMode: bound = {v.hfModeButton}; break;
        case kMfFreq: bound = {v.mfFreqKnob}; break;
        case kMfGain: bound = {v.mfGainKnob, v.mfGainText}; break;
        case kMfBw: bound = {v.mfBwKnob, v.mfBwText}; break;
        case kMfType: bound = {v.mfTypeSwitch}; break;
        case kLfFreq: bound = {v.lfFreqKnob}; break;
        case kLfGain: bound = {v.lfGainKnob, v.lfGainText}; break;
        case kLfBw: bound = {v.lfBwKnob, v.lfBwText}; break;
        case kLfType: bound = {v.lfTypeSwitch}; break;
        case kLfMode: bound = {v.lfModeButton}; break;
        case kLoPass: bound = {v.loPassKnob}; break;
        case kHiPass: bound = {v.hiPassKnob}; break;
        case kLoSlope: bound = {v.loSlopeSwitch}; break;
        case kHiSlope: bound = {v.hiSlopeSwitch}; break;
        case kAnalog: bound = {v.analogButton}; break;
        case kMuteHf: bound = {v.hfMuteButton}; break;
        case kMuteMf: bound = {v.mfMuteButton}; break;
        case kMuteLf: bound = {v.lfMuteButton}; break;
        case kMuteLpf: bound = {v.lpfMuteButton}; break;
        case kMuteHpf: bound = {v.hpfMuteButton}; break;
        default: return;
    }
    float stored = effect->getParameter(index);
    for (CControl* control : bound)
        if (control)
            control->setValue(stored);
}

void VarnokEqualizerGUI::valueChanged(CDrawContext* context, CControl* control) {
    (void)context;
    if (!guiOpen.load() || !control)
        return;
    long tag = control->getTag();
    if (tag >= 0 && tag < kParameterCount) {
        if (int steps = selectorSteps(tag)) {
            // Always down to the lower position: only 1.0 reaches the top one.
            double position = std::floor(static_cast<double>(control->getValue()) * steps);
            control->setValue(static_cast<float>(position) / static_cast<float>(steps));
        }
        effect->setParameterAutomated(tag, control->getValue());
        control->setDirty();
        return;
    }
    for (const ReadoutBinding& binding : kReadouts) {
        if (binding.tag != tag)
            continue;
        char text[CParamDisplay::kTextSize];
        static_cast<CTextEdit*>(control)->getText(text);
        // A typed value is no gesture: the host is not sent automation for it.
        if (std::optional<float> typed = readout::parse(text, binding.halfRange))
            effect->setParameter(binding.parameter, *typed);
        return;
    }
}

void VarnokEqualizerGUI::lampParameterChanged(VstInt32 index, float value) {
    // The flags live as long as the editor, so they follow every change, also while the window
    // is closed: open then finds them current and need not read them from the parameters, which
    // could race with this writer.
    double widened = value;
    for (int s = 0; s < kSectionCount; ++s) {
        const SectionRule& rule = kSectionRules[s];
        if (index == rule.selector)
            lamps[s].ledOn.store(widened >= rule.litFrom);
        if (index == rule.mute) {
            lamps[s].overrideActive.store(value >= 0.5f);
            lamps[s].overrideOn.store(false);
        }
    }
}

std::atomic<double>* VarnokEqualizerGUI::peakFeed() { return guiOpen.load() ? &peakLevel : nullptr; }
