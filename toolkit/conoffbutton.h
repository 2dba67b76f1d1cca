// A two-state button that toggles on press: frame "off" on top of its bitmap, "on" below.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

enum COnOffButtonStyle : long {
    kPostListenerUpdate = 0,
    kPreListenerUpdate = 1,  // repaint before the listener hears of the change (the default)
};

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                 long style = kPreListenerUpdate);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;

    long getStyle() const { return style; }
    bool isTypeOf(const char* type) const override;

private:
    long style;
};

}  // namespace VSTGUI
