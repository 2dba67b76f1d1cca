// A switch of N positions laid out left to right; the frames of its bitmap are stacked
// vertically, one per position.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CHorizontalSwitch : public CControl {
public:
    CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, long subPixmaps, CCoord heightOfOneImage,
                      long iMaxPositions, CBitmap* background, const CPoint& offset = CPoint());

    void draw(CDrawContext* context) override;
    // Press and sideways drag pick the position under the pointer; one edit gesture.
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;

    long getNumSubPixmaps() const { return subPixmaps; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }
    long getMaxPositions() const { return iMaxPositions; }
    bool isTypeOf(const char* type) const override;

private:
    void setValueFromPoint(const CPoint& where);

    long subPixmaps;
    CCoord heightOfOneImage;
    long iMaxPositions;
    CPoint offset;
    bool tracking = false;
};

}  // namespace VSTGUI
