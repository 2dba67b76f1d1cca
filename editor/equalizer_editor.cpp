#include "equalizer_editor.h"

#include <array>
#include <cmath>

#include "audio_effect.h"
#include "cbitmap.h"
#include "clock.h"
#include "layout_geometry.h"
#include "parameter_table.h"
#include "readout_conversion.h"

using namespace VSTGUI;

namespace gui {

namespace {

// What other threads touch must not hide a lock.
static_assert(std::atomic<std::thread::id>::is_always_lock_free, "the interface thread's id");
static_assert(std::atomic<double>::is_always_lock_free, "the peak level");
static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "the pending parameters");

struct SectionRule {
    int selector;
    double litFrom;  // compared with the value widened to double
    int mute;
};

constexpr SectionRule kSectionRules[kLampSectionCount] = {
    {param::hfFreq, 0.142, param::muteHf},       {param::mfFreq, 0.142, param::muteMf},
    {param::lfFreq, 0.142, param::muteLf},       {param::lowPass, 0.2, param::muteLowPass},
    {param::highPass, 0.2, param::muteHighPass},
};

// Positions above OFF of a selector knob, whose value is snapped to its grid, or 0 for other tags.
int selectorSteps(long tag) {
    switch (tag) {
        case param::hfFreq:
        case param::mfFreq:
        case param::lfFreq:
        case param::lowPass:
        case param::highPass: return param::kTable[tag].steps;
        default: return 0;
    }
}

// The thirteen bitmaps at the window's scale, one reference each while the views are built.
class Artwork {
public:
    Artwork() = default;
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;
    ~Artwork() {
        for (CBitmap* bitmap : bitmaps) {
            if (bitmap) bitmap->forget();
        }
    }
    void load(double scale) {
        for (int i = 0; i < artwork::kCount; ++i) bitmaps[i] = new CBitmap(artwork::kBackground + i, scale);
    }
    CBitmap* const* all() const { return bitmaps.data(); }

private:
    std::array<CBitmap*, artwork::kCount> bitmaps{};
};

}  // namespace

EqualizerEditor::EqualizerEditor(AudioEffect* effect)
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

EqualizerEditor::~EqualizerEditor() { close(); }

bool EqualizerEditor::open(void* parentWindow) {
    // A second open without a close would leave the first window and its views behind.
    if (frame) close();
    AEffGUIEditor::open(parentWindow);
    interfaceThread.store(std::this_thread::get_id());
    try {
        return buildWindow(parentWindow);
    } catch (...) {
        AEffGUIEditor::close();
        return false;
    }
}

bool EqualizerEditor::buildWindow(void* parentWindow) {
    Artwork art;
    art.load(openingScale());
    setKnobMode(kLinearMode);
    CFrame* newFrame = new CFrame(CRect(0, 0, rect.right, rect.bottom), parentWindow, this, openingScale());
    try {
        newFrame->setBackground(art.all()[0]);
        // Changes from other threads from here on are marked and shown at the first idle; taking
        // the marks also makes the values stored before them visible to the reads below.
        pendingParameters.exchange(0);
        for (SectionLampState& lamp : lamps) lamp.overrideOn.store(false);
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

void EqualizerEditor::close() {
    guiOpen.store(0);  // before any view goes away
    if (CFrame* oldFrame = frame) {
        frame = nullptr;
        oldFrame->forget();
    }
    views = EditorViews();
    AEffGUIEditor::close();
}

void EqualizerEditor::idle() {
    if (guiOpen.load()) showPendingParameters();
    AEffGUIEditor::idle();
    std::uint32_t now = qx71::nowMs();
    if (now - lastBlinkTicks >= kBlinkIntervalMs) {
        lastBlinkTicks = now;
        blinkPhase = !blinkPhase;
    }
    if (!guiOpen.load()) return;
    for (int s = 0; s < kLampSectionCount; ++s) {
        if (effect->getParameter(kSectionRules[s].mute) > 0.5f) lamps[s].overrideOn.store(blinkPhase);
    }
}

void EqualizerEditor::setParameter(VstInt32 index, float value) {
    // The lamps follow the value as notified; the controls show the stored, clamped value.
    lampParameterChanged(index, value);
    if (index < 0 || index >= param::count) return;
    if (std::this_thread::get_id() != interfaceThread.load()) {
        pendingParameters.fetch_or(1u << index);  // also while closed: open may be under way
    } else if (guiOpen.load()) {
        showParameter(index);
    }
}

void EqualizerEditor::showPendingParameters() {
    std::uint32_t pending = pendingParameters.exchange(0);
    for (int index = 0; index < param::count; ++index) {
        if (pending & (1u << index)) showParameter(index);
    }
}

void EqualizerEditor::showParameter(VstInt32 index) {
    const ParameterViews& bound = views.parameters[index];
    float stored = effect->getParameter(index);
    if (bound.control) bound.control->setValue(stored);
    if (bound.readout) bound.readout->setValue(stored);
}

void EqualizerEditor::valueChanged(CDrawContext* context, CControl* control) {
    (void)context;
    if (!guiOpen.load() || !control) return;
    long tag = control->getTag();
    if (tag >= 0 && tag < param::count) {
        if (int steps = selectorSteps(tag)) {
            // Always down to the lower position: only 1.0 reaches the top one.
            double position = std::floor(static_cast<double>(control->getValue()) * steps);
            control->setValue(static_cast<float>(position) / static_cast<float>(steps));
        }
        effect->setParameterAutomated(tag, control->getValue());
        control->setDirty();
        return;
    }
    if (const ReadoutBinding* binding = readoutForTag(tag)) {
        char text[CParamDisplay::kTextSize];
        static_cast<CTextEdit*>(control)->getText(text);
        // A typed value is no gesture: the host is not sent automation for it.
        if (std::optional<float> typed = readout::parse(text, binding->halfRange)) {
            effect->setParameter(binding->parameter, *typed);
        }
    }
}

void EqualizerEditor::lampParameterChanged(VstInt32 index, float value) {
    // The flags live as long as the editor, so they follow every change, also while the window
    // is closed: open then finds them current and need not read them from the parameters, which
    // could race with this writer.
    double widened = value;
    for (int s = 0; s < kLampSectionCount; ++s) {
        const SectionRule& rule = kSectionRules[s];
        if (index == rule.selector) lamps[s].ledOn.store(widened >= rule.litFrom);
        if (index == rule.mute) {
            lamps[s].overrideActive.store(value >= 0.5f);
            lamps[s].overrideOn.store(false);
        }
    }
}

std::atomic<double>* EqualizerEditor::peakFeed() { return guiOpen.load() ? &peakLevel : nullptr; }

}  // namespace gui
