// Draws a few toolkit views into a real window (Wine + Xvfb in the test run), takes a screenshot
// of it from the screen, and compares it with the offscreen rendering of the same views outside
// the text. Then drives the window with mouse messages and the EDIT box with keys.
// Usage: qx71_toolkit_window_test <folder for the two PNG files>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "aeffguieditor.h"
#include "cbitmap.h"
#include "chorizontalswitch.h"
#include "cknob.h"
#include "coffscreencontext.h"
#include "conoffbutton.h"
#include "ctextedit.h"
#include "platform/platform_frame.h"
#include "test_support.h"

using namespace VSTGUI;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 120;
int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    if (!ok) ++failures;
}

std::vector<std::uint8_t> pixels(int w, int h, int channels, std::uint8_t (*value)(int x, int y, int c)) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < channels; ++c) out.push_back(value(x, y, c));
        }
    }
    return out;
}

void pump(int milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// A view that shows a bitmap through the constant-alpha blend.
class FadedView : public CView {
public:
    FadedView(const CRect& size, CBitmap* bitmap) : CView(size) { setBackground(bitmap); }
    void draw(CDrawContext* context) override {
        pBackground->drawAlphaBlend(context, size, CPoint(0, 40), 100);
        setDirty(false);
    }
};

struct TextListener : CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override {
        char text[256];
        static_cast<CTextEdit*>(control)->getText(text);
        typed = text;
    }
    std::string typed;
};

// The screen's pixels under the window, through the desktop's device context.
void screenshot(HWND window, COffscreenContext& shot) {
    auto image = PixelImage::create(kWidth, kHeight);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(image->nativeHandle()));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    image->synchronize();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) image->rowFromTop(y)[x * 4 + 3] = 255;
    }
    shot.copyImage(*image, CRect(0, 0, kWidth, kHeight), CPoint());
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    toolkit_test::FakeResources resources;
    resources.add(900,
                  toolkit_test::makePng(kWidth, kHeight, 3, pixels(kWidth, kHeight, 3, [](int x, int y, int c) {
                                            return static_cast<std::uint8_t>(c == 0 ? x : c == 1 ? y * 2 : (x + y) * 3);
                                        })));
    resources.add(901, toolkit_test::makePng(40, 80, 4, pixels(40, 80, 4, [](int x, int y, int c) {
                                                 return static_cast<std::uint8_t>(c == 3   ? (x * 6 + y * 3)
                                                                                  : c == 0 ? 250 - x
                                                                                  : c == 1 ? y * 3
                                                                                           : 90);
                                             })));
    resources.add(902, toolkit_test::makePng(
                           30, 40, 4, pixels(30, 40, 4, [](int x, int y, int c) {
                               return static_cast<std::uint8_t>(c == 3 ? (y < 20 ? 60 : 200) : c == 2 ? 255 : x * 8);
                           })));
    resources.add(903, toolkit_test::makePng(
                           60, 60, 4, pixels(60, 60, 4, [](int x, int y, int c) {
                               return static_cast<std::uint8_t>(c == 3 ? 128 + (x + y) % 128 : c == 1 ? y * 4 : 30 + x);
                           })));

    toolkit_test::RecordingEffect effect;
    auto* editor = new AEffGUIEditor(&effect);
    HWND host = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    check(host != nullptr, "host window");

    auto* background = new CBitmap(900);
    auto* knobStrip = new CBitmap(901);
    auto* buttonStrip = new CBitmap(902);
    auto* switchStrip = new CBitmap(903);
    auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), host, editor);
    check(frame->getPlatformFrame()->nativeWindow() != nullptr, "frame is a child window");
    frame->setBackground(background);
    auto* knob = new CAnimKnob(CRect(10, 10, 50, 50), nullptr, 3, 2, 40, knobStrip);
    knob->setValue(1.0f);
    frame->addView(knob);
    auto* button = new COnOffButton(CRect(60, 10, 90, 30), nullptr, 6, buttonStrip);
    button->setValue(1.0f);
    frame->addView(button);
    auto* slope = new CHorizontalSwitch(CRect(100, 10, 160, 30), nullptr, 18, 3, 20, 3, switchStrip);
    slope->setValue(0.5f);
    frame->addView(slope);
    frame->addView(new FadedView(CRect(170, 10, 210, 50), knobStrip));
    auto* display = new CParamDisplay(CRect(10, 70, 80, 90));
    display->setTextTransparency(false);
    display->setBackColor(CColor{20, 40, 60, 255});
    display->setFrameColor(CColor{200, 180, 0, 255});
    display->setFont(kNormalFontVerySmall);
    frame->addView(display);
    TextListener listener;
    auto* readout = new CTextEdit(CRect(100, 70, 160, 90), &listener, 1001, "12.50");
    readout->setFont(kNormalFontVerySmall);
    readout->setFontColor(CColor{168, 168, 168, 255});
    frame->addView(readout);
    for (CBitmap* bitmap : {background, knobStrip, buttonStrip, switchStrip}) bitmap->forget();

    pump(300);
    frame->idle();
    pump(300);

    COffscreenContext expected(nullptr, kWidth, kHeight);
    frame->draw(&expected);
    COffscreenContext shot(nullptr, kWidth, kHeight);
    screenshot(host, shot);
    expected.writePng(folder + "/toolkit_window_offscreen.png");
    shot.writePng(folder + "/toolkit_window_screen.png");

    // Text areas differ by design (GDI's Arial against stb_truetype's Liberation Sans).
    const CRect textAreas[] = {CRect(11, 71, 79, 89), CRect(100, 70, 160, 90)};
    int compared = 0, different = 0, largest = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool inText = false;
            for (const CRect& area : textAreas) inText = inText || area.pointInside(CPoint(x, y));
            if (inText) continue;
            CColor a = expected.getPixel(x, y), b = shot.getPixel(x, y);
            int diff = std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
            ++compared;
            if (diff != 0) ++different;
            largest = std::max(largest, diff);
        }
    }
    std::printf("compared %d pixels, %d differ, largest difference %d\n", compared, different, largest);
    check(compared > 20000 && different == 0, "screenshot matches the offscreen rendering outside text");
    bool textDrawn = false;
    for (int x = 100; x < 160; ++x) {
        textDrawn = textDrawn || shot.getPixel(x, 80) != expected.getPixel(x, 80) || shot.getPixel(x, 80).red > 150;
    }
    check(textDrawn, "GDI drew the readout's text");

    // A drag on the knob: capture while the button is held, one begin/end edit pair.
    HWND window = static_cast<HWND>(frame->getPlatformFrame()->nativeWindow());
    effect.calls.clear();
    CKnob::setKnobMode(kLinearMode);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    check(GetCapture() == window, "the frame captures the mouse during a gesture");
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 10));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    check(GetCapture() == nullptr, "the capture ends with the gesture");
    check(effect.opcodes() == std::vector<VstInt32>({audioMasterBeginEdit, audioMasterEndEdit}),
          "one begin/end edit pair for the drag");

    // Typed entry through the EDIT box: all text selected, replaced by typing, Enter ends it.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 80));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 80));
    check(readout->isEditing(), "a press on the readout opens the edit box");
    HWND edit = GetFocus();
    char className[16] = {};
    GetClassNameA(edit, className, sizeof className);
    check(std::string(className) == "Edit" || std::string(className) == "EDIT", "the edit box has the focus");
    for (char c : std::string("-3.5")) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    pump(100);
    check(!readout->isEditing(), "Enter closes the edit box");
    check(listener.typed == "-3.5", "the listener reads the typed text (" + listener.typed + ")");

    delete frame;
    DestroyWindow(host);
    effect.setEditor(nullptr);
    delete editor;
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
