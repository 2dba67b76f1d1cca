// The offscreen backend: the frame draws into a software surface that tests read and write to
// PNG files; typed entry goes through the keys that the host forwards.
#include <string>

#include "../../coffscreencontext.h"
#include "../platform_frame.h"

namespace VSTGUI {
namespace {

// Characters replace the whole text while it is still selected, as in an edit box that opens
// with everything selected; Backspace deletes, Enter finishes.
class OffscreenTextField : public PlatformTextField {
public:
    explicit OffscreenTextField(const TextFieldStyle& style) : text(style.text), maxLength(style.maxLength) {}

    std::string getText() const override { return text; }

    KeyResult onKey(const VstKeyCode& key) override {
        if (key.virt == kVirtualReturn || key.virt == kVirtualEnter || key.character == '\r')
            return kKeyCommits;
        if (key.virt == kVirtualBack || key.character == '\b') {
            if (allSelected)
                text.clear();
            else if (!text.empty())
                text.pop_back();
            allSelected = false;
            return kKeyUsed;
        }
        if (key.virt != 0 || key.character < 32 || key.character > 126)
            return kKeyIgnored;
        if (allSelected)
            text.clear();
        allSelected = false;
        if (static_cast<int>(text.size()) < maxLength)
            text.push_back(static_cast<char>(key.character));
        return kKeyUsed;
    }

private:
    // VST 2.4 virtual key numbers of the editing keys.
    static constexpr unsigned char kVirtualBack = 1;
    static constexpr unsigned char kVirtualReturn = 4;
    static constexpr unsigned char kVirtualEnter = 19;

    std::string text;
    int maxLength;
    bool allSelected = true;
};

class OffscreenPlatformFrame : public PlatformFrame {
public:
    OffscreenPlatformFrame(CFrame& frame, CCoord width, CCoord height) : surface(&frame, width, height) {}

    CDrawContext* backBuffer() override { return &surface; }
    void present(const CRect&) override {}
    long mouseButtons() override { return -1; }
    bool mouseLocation(CPoint&) override { return false; }
    std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style) override {
        return std::make_unique<OffscreenTextField>(style);
    }

private:
    COffscreenContext surface;
};

}  // namespace

std::unique_ptr<PlatformFrame> createOffscreenPlatformFrame(CFrame& frame, CCoord width, CCoord height) {
    return std::make_unique<OffscreenPlatformFrame>(frame, width, height);
}

}  // namespace VSTGUI
