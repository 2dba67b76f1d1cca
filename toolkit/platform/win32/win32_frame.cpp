#include "win32_frame.h"

#include <windowsx.h>

#include <string>

#include "../../cframe.h"
#include "../../pixel_image.h"
#include "gdi_draw_context.h"
#include "own_module.h"

namespace VSTGUI {
namespace {

const char* const kFrameClassName = "QX71ToolkitFrame";
// Posted by an edit box when the user finishes typing (Enter, or the box lost the focus);
// lParam is the box, so a late message for a closed box is ignored.
const UINT kTextCommitMessage = WM_APP + 71;
const char* const kOwnerProperty = "QX71TextOwner";

int registeredFrames = 0;

// Buttons and modifiers of a mouse message, as toolkit button-state bits.
long buttonsFromMessage(WPARAM wParam) {
    long buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= kLButton;
    if (wParam & MK_MBUTTON) buttons |= kMButton;
    if (wParam & MK_RBUTTON) buttons |= kRButton;
    if (wParam & MK_SHIFT) buttons |= kShift;
    if (wParam & MK_CONTROL) buttons |= kControl;
    if (GetKeyState(VK_MENU) < 0) buttons |= kAlt;
    return buttons;
}

bool keyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

class Win32TextField : public PlatformTextField {
public:
    Win32TextField(HWND parent, const TextFieldStyle& style, HWND& activeEdit)
        : activeEdit(activeEdit),
          brush(CreateSolidBrush(RGB(style.backColor.red, style.backColor.green, style.backColor.blue))) {
        font = CreateFontA(-style.font.size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, style.font.face);
        edit = CreateWindowExA(0, "EDIT", style.text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER,
                               style.rect.left, style.rect.top, style.rect.width(), style.rect.height(), parent,
                               nullptr, ownModule(), nullptr);
        textColor = RGB(style.fontColor.red, style.fontColor.green, style.fontColor.blue);
        backColor = RGB(style.backColor.red, style.backColor.green, style.backColor.blue);
        if (!edit) return;
        SetPropA(edit, kOwnerProperty, this);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SendMessageA(edit, EM_LIMITTEXT, style.maxLength, 0);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        editProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32TextField::editHook)));
        activeEdit = edit;
        SetFocus(edit);
    }

    ~Win32TextField() override {
        if (activeEdit == edit) activeEdit = nullptr;
        if (edit) {
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure));
            RemovePropA(edit, kOwnerProperty);
            DestroyWindow(edit);
        }
        DeleteObject(font);
        DeleteObject(brush);
    }

    bool isOpen() const { return edit != nullptr; }

    std::string getText() const override {
        char buffer[256] = {};
        if (edit) GetWindowTextA(edit, buffer, sizeof buffer);
        return buffer;
    }

    // The box has the keyboard itself.
    KeyResult onKey(const VstKeyCode&) override { return kKeyIgnored; }

    // Colours for WM_CTLCOLOREDIT.
    HBRUSH paint(HDC dc) const {
        SetTextColor(dc, textColor);
        SetBkColor(dc, backColor);
        return brush;
    }

private:
    static LRESULT CALLBACK editHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<Win32TextField*>(GetPropA(window, kOwnerProperty));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        if ((message == WM_KEYDOWN && wParam == VK_RETURN) || message == WM_KILLFOCUS) {
            PostMessageA(GetParent(window), kTextCommitMessage, 0, reinterpret_cast<LPARAM>(window));
        }
        if (message == WM_CHAR && wParam == '\r') return 0;  // no beep
        return CallWindowProcA(self->editProcedure, window, message, wParam, lParam);
    }

    HWND& activeEdit;
    HWND edit = nullptr;
    HFONT font = nullptr;
    HBRUSH brush;
    COLORREF textColor = 0;
    COLORREF backColor = 0;
    WNDPROC editProcedure = nullptr;
};

class Win32PlatformFrame : public PlatformFrame {
public:
    Win32PlatformFrame(CFrame& frame, CCoord width, CCoord height)
        : frame(frame),
          buffer(PixelImage::create(width, height)),
          memoryDC(CreateCompatibleDC(nullptr)),
          oldBitmap(buffer && memoryDC ? SelectObject(memoryDC, static_cast<HBITMAP>(buffer->nativeHandle()))
                                       : nullptr),
          context(memoryDC, width, height) {}

    ~Win32PlatformFrame() override {
        if (window) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
        }
        if (memoryDC) {
            SelectObject(memoryDC, oldBitmap);
            DeleteDC(memoryDC);
        }
        if (--registeredFrames == 0) UnregisterClassA(kFrameClassName, ownModule());
    }

    bool create(HWND parent, CCoord width, CCoord height) {
        if (registeredFrames++ == 0) {
            WNDCLASSA windowClass{};
            windowClass.style = CS_DBLCLKS;
            windowClass.lpfnWndProc = &Win32PlatformFrame::windowProcedure;
            windowClass.hInstance = ownModule();
            windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
            windowClass.lpszClassName = kFrameClassName;
            RegisterClassA(&windowClass);
        }
        if (!buffer || !memoryDC) return false;
        window = CreateWindowExA(0, kFrameClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                                 parent, nullptr, ownModule(), nullptr);
        if (!window) return false;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return true;
    }

    CDrawContext* backBuffer() override { return &context; }

    void present(const CRect& frameArea) override {
        CRect area = context.deviceRect(frameArea);
        if (!window || area.isEmpty()) return;
        HDC dc = GetDC(window);
        BitBlt(dc, area.left, area.top, area.width(), area.height(), memoryDC, area.left, area.top, SRCCOPY);
        ReleaseDC(window, dc);
    }

    long mouseButtons() override {
        bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
        long buttons = 0;
        if (keyDown(swapped ? VK_RBUTTON : VK_LBUTTON)) buttons |= kLButton;
        if (keyDown(VK_MBUTTON)) buttons |= kMButton;
        if (keyDown(swapped ? VK_LBUTTON : VK_RBUTTON)) buttons |= kRButton;
        if (keyDown(VK_SHIFT)) buttons |= kShift;
        if (keyDown(VK_CONTROL)) buttons |= kControl;
        if (keyDown(VK_MENU)) buttons |= kAlt;
        return buttons;
    }

    bool mouseLocation(CPoint& where) override {
        POINT p;
        if (!window || !GetCursorPos(&p) || !ScreenToClient(window, &p)) return false;
        where = context.framePoint(CPoint(p.x, p.y));
        return true;
    }

    std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style) override {
        // The edit box is a child window: device pixels, the font scaled like the drawn text.
        TextFieldStyle device = style;
        device.rect = context.deviceRect(style.rect);
        device.font.size = static_cast<int>(device.font.size * context.getScale() + 0.5);
        auto field = std::make_unique<Win32TextField>(window, device, activeEdit);
        if (!field->isOpen()) return nullptr;
        textField = field.get();
        return field;
    }

    void* nativeWindow() override { return window; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Win32PlatformFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) {
            LRESULT result = 0;
            if (self->handle(message, wParam, lParam, result)) return result;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        CPoint where = context.framePoint(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT paint;
                BeginPaint(window, &paint);
                EndPaint(window, &paint);
                frame.redrawRect(context.frameRect(
                    CRect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom)));
                return true;
            }
            case WM_ERASEBKGND: result = 1; return true;
            case WM_NCDESTROY:
                // The host destroyed its window (and so this one) first.
                window = nullptr;
                activeEdit = nullptr;
                return false;
            case WM_LBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK: {
                SetFocus(window);
                long buttons = buttonsFromMessage(wParam);
                if (frame.onMouseDown(where, buttons) == kMouseEventHandled) {
                    tracking = true;
                    SetCapture(window);
                }
                return true;
            }
            case WM_MOUSEMOVE: frame.onMouseMoved(where, buttonsFromMessage(wParam)); return true;
            case WM_LBUTTONUP:
            case WM_MBUTTONUP:
            case WM_RBUTTONUP:
                if (tracking && !(wParam & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON))) {
                    tracking = false;
                    frame.onMouseUp(where, buttonsFromMessage(wParam));
                    ReleaseCapture();
                }
                return true;
            case WM_CAPTURECHANGED:
                // Losing the capture mid-gesture still ends the gesture, so edits stay paired.
                if (tracking) {
                    tracking = false;
                    CPoint last = frame.getMouseLocation();
                    frame.onMouseUp(last, 0);
                }
                return true;
            case WM_MOUSEWHEEL: {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ScreenToClient(window, &p);
                float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
                frame.onWheel(context.framePoint(CPoint(p.x, p.y)), distance,
                              buttonsFromMessage(GET_KEYSTATE_WPARAM(wParam)));
                return true;
            }
            case WM_KEYDOWN: {
                VstKeyCode key{};
                key.virt = virtualKey(wParam);
                key.modifier = GetKeyState(VK_SHIFT) < 0 ? MODIFIER_SHIFT : 0;
                if (key.virt) frame.onKeyDown(key);
                return true;
            }
            case WM_CTLCOLOREDIT:
                if (textField && activeEdit && reinterpret_cast<HWND>(lParam) == activeEdit) {
                    result = reinterpret_cast<LRESULT>(textField->paint(reinterpret_cast<HDC>(wParam)));
                    return true;
                }
                return false;
            default: break;
        }
        if (message == kTextCommitMessage) {
            if (activeEdit && reinterpret_cast<HWND>(lParam) == activeEdit) {
                frame.setFocusView(nullptr);  // the text edit's looseFocus closes the box
            }
            return true;
        }
        return false;
    }

    static unsigned char virtualKey(WPARAM key) {
        switch (key) {
            case VK_LEFT: return VKEY_LEFT;
            case VK_UP: return VKEY_UP;
            case VK_RIGHT: return VKEY_RIGHT;
            case VK_DOWN: return VKEY_DOWN;
            default: return 0;
        }
    }

    CFrame& frame;
    std::unique_ptr<PixelImage> buffer;
    HDC memoryDC;
    HGDIOBJ oldBitmap;
    CGdiDrawContext context;
    HWND window = nullptr;
    HWND activeEdit = nullptr;
    Win32TextField* textField = nullptr;
    bool tracking = false;
};

}  // namespace

std::unique_ptr<PlatformFrame> createWin32PlatformFrame(CFrame& frame, void* parentWindow, CCoord width,
                                                        CCoord height) {
    auto platform = std::make_unique<Win32PlatformFrame>(frame, width, height);
    if (!platform->create(static_cast<HWND>(parentWindow), width, height)) return nullptr;
    return platform;
}

}  // namespace VSTGUI
