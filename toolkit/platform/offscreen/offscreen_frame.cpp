// The offscreen backend: the frame draws into a software surface that tests read and write to
// PNG files; typed entry goes through the keys that the host forwards, into a field the toolkit
// draws over the surface.
#include "../../coffscreencontext.h"
#include "../drawn_text_field.h"
#include "../platform_frame.h"

namespace VSTGUI {
namespace {

class OffscreenPlatformFrame : public PlatformFrame {
public:
    OffscreenPlatformFrame(CFrame& frame, CCoord width, CCoord height) : surface(&frame, width, height) {}

    CDrawContext* backBuffer() override { return &surface; }
    void present(const CRect& area) override {
        if (textField) textField->draw(surface, area);
    }
    long mouseButtons() override { return -1; }
    bool mouseLocation(CPoint&) override { return false; }
    std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style) override {
        auto field = std::make_unique<DrawnTextField>(style, textField);
        return field;
    }

private:
    COffscreenContext surface;
    DrawnTextField* textField = nullptr;
};

}  // namespace

std::unique_ptr<PlatformFrame> createOffscreenPlatformFrame(CFrame& frame, CCoord width, CCoord height) {
    return std::make_unique<OffscreenPlatformFrame>(frame, width, height);
}

}  // namespace VSTGUI
