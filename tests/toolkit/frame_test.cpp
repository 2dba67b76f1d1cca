// The frame: press routing and mouse areas, gestures, focus, idle repaint, reference counting.
#include <gtest/gtest.h>

#include "cbitmap.h"
#include "cframe.h"
#include "coffscreencontext.h"
#include "test_support.h"

using namespace VSTGUI;

namespace {

int liveProbes = 0;

// A view that records what reaches it and paints itself in one colour.
class Probe : public CView {
public:
    Probe(const CRect& size, CMouseEventResult answer = kMouseEventHandled, CColor color = kWhiteCColor)
        : CView(size), answer(answer), color(color) {
        ++liveProbes;
    }
    ~Probe() override { --liveProbes; }

    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override {
        presses.push_back(where);
        lastButtons = buttons;
        return answer;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const long&) override {
        moves.push_back(where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const long&) override {
        releases.push_back(where);
        return kMouseEventHandled;
    }
    void looseFocus() override { ++focusLosses; }
    void draw(CDrawContext* context) override {
        ++draws;
        context->setFillColor(color);
        context->fillRect(size);
        setDirty(false);
    }

    CMouseEventResult answer;
    CColor color;
    std::vector<CPoint> presses, moves, releases;
    long lastButtons = 0;
    int focusLosses = 0;
    int draws = 0;
};

CPoint at(CCoord x, CCoord y) { return CPoint(x, y); }

}  // namespace

TEST(FrameRouting, TopMostEnabledViewWithTheMouseAreaGetsThePressEdgesIncluded) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* below = new Probe(CRect(10, 10, 60, 60));
    auto* above = new Probe(CRect(20, 20, 50, 50));
    above->setMouseableArea(CRect(30, 30, 40, 40));
    auto* disabled = new Probe(CRect(0, 0, 100, 100));
    disabled->setMouseEnabled(false);
    frame.addView(below);
    frame.addView(above);
    frame.addView(disabled);

    for (CPoint p : {at(30, 30), at(40, 40), at(35, 40)}) {
        frame.onMouseDown(p, kLButton);
        frame.onMouseUp(p, 0);
    }
    EXPECT_EQ(above->presses.size(), 3u);
    for (CPoint p : {at(29, 35), at(41, 35), at(22, 22), at(60, 60)}) {
        frame.onMouseDown(p, kLButton);
        frame.onMouseUp(p, 0);
    }
    EXPECT_EQ(below->presses.size(), 4u);  // (60, 60) is on the inclusive edge of the area
    CPoint outside = at(61, 61);
    frame.onMouseDown(outside, kLButton);
    EXPECT_EQ(below->presses.size(), 4u);
    EXPECT_TRUE(disabled->presses.empty());
}

TEST(FrameRouting, DispatchStopsAtTheFirstHitEvenIfItIgnoresThePress) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* below = new Probe(CRect(0, 0, 100, 100));
    auto* ignoring = new Probe(CRect(0, 0, 50, 50), kMouseEventNotHandled);
    frame.addView(below);
    frame.addView(ignoring);
    CPoint p = at(10, 10);
    frame.onMouseDown(p, kLButton);
    EXPECT_EQ(ignoring->presses.size(), 1u);
    EXPECT_TRUE(below->presses.empty());
    frame.onMouseMoved(p, kLButton);
    EXPECT_TRUE(ignoring->moves.empty());  // it did not take the gesture
}

TEST(FrameRouting, MovesAndReleaseFollowTheViewThatTookThePress) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* left = new Probe(CRect(0, 0, 50, 100));
    auto* right = new Probe(CRect(50, 0, 100, 100));
    frame.addView(left);
    frame.addView(right);
    CPoint press = at(10, 10), far = at(90, 90);
    frame.onMouseDown(press, kLButton | kShift);
    EXPECT_EQ(left->lastButtons, kLButton | kShift);
    frame.onMouseMoved(far, kLButton);
    frame.onMouseUp(far, 0);
    EXPECT_EQ(left->moves.size(), 1u);
    EXPECT_EQ(left->releases.size(), 1u);
    EXPECT_TRUE(right->moves.empty());
    // After the release, moves go nowhere.
    frame.onMouseMoved(press, 0);
    EXPECT_EQ(left->moves.size(), 1u);
    EXPECT_EQ(frame.getMouseButtons(), 0);
    EXPECT_EQ(frame.getMouseLocation(), press);
}

TEST(FrameRouting, EveryPressClearsTheFocusFirst) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* focused = new Probe(CRect(0, 0, 10, 10));
    frame.addView(focused);
    frame.setFocusView(focused);
    CPoint elsewhere = at(50, 50);
    frame.onMouseDown(elsewhere, kLButton);
    EXPECT_EQ(focused->focusLosses, 1);
    EXPECT_EQ(frame.getFocusView(), nullptr);
}

TEST(FrameRouting, IsTypeOfFollowsTheClassChain) {
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_TRUE(frame.isTypeOf("CFrame"));
    EXPECT_TRUE(frame.isTypeOf("CViewContainer"));
    EXPECT_TRUE(frame.isTypeOf("CView"));
    EXPECT_FALSE(frame.isTypeOf("cframe"));
    EXPECT_FALSE(frame.isTypeOf("CControl"));
}

TEST(FrameIdle, RepaintsDirtyViewsBackToFrontClippedToTheirArea) {
    toolkit_test::FakeResources resources;
    resources.add(700, toolkit_test::makePng(1, 1, 3, {0, 0, 255}));
    auto* background = new CBitmap(700);
    CFrame frame(CRect(0, 0, 40, 40), nullptr, nullptr);
    frame.setBackground(background);
    background->forget();
    auto* red = new Probe(CRect(0, 0, 20, 20), kMouseEventHandled, CColor{255, 0, 0, 255});
    auto* green = new Probe(CRect(10, 10, 30, 30), kMouseEventHandled, CColor{0, 255, 0, 255});
    frame.addView(red);
    frame.addView(green);
    frame.idle();
    EXPECT_EQ(red->draws, 1);
    EXPECT_EQ(green->draws, 1);
    frame.idle();
    EXPECT_EQ(red->draws, 1);  // nothing dirty, nothing drawn

    COffscreenContext picture(nullptr, 40, 40);
    red->setDirty(true);
    frame.idle();
    EXPECT_EQ(green->draws, 2);  // overlaps the repainted area and lies above it
    frame.draw(&picture);
    EXPECT_EQ(picture.getPixel(5, 5), (CColor{255, 0, 0, 255}));
    EXPECT_EQ(picture.getPixel(15, 15), (CColor{0, 255, 0, 255}));
    EXPECT_EQ(picture.getPixel(35, 35), kBlackCColor);  // the 1 x 1 background is not stretched
    EXPECT_EQ(picture.getPixel(0, 0), (CColor{255, 0, 0, 255}));

    int drawsBefore = red->draws;
    red->setVisible(false);
    frame.idle();
    frame.draw(&picture);
    EXPECT_EQ(red->draws, drawsBefore);
}

TEST(ReferenceCounting, ContainerOwnsAddedViewsAndViewsShareBitmaps) {
    toolkit_test::FakeResources resources;
    resources.add(701, toolkit_test::makePng(2, 2, 4, std::vector<std::uint8_t>(16, 200)));
    liveProbes = 0;
    auto* frame = new CFrame(CRect(0, 0, 50, 50), nullptr, nullptr);
    auto* bitmap = new CBitmap(701);
    for (int i = 0; i < 3; ++i) {
        auto* view = new Probe(CRect(0, 0, 10, 10));
        view->setBackground(bitmap);
        frame->addView(view);
        EXPECT_EQ(view->getNbReference(), 1);
    }
    EXPECT_EQ(bitmap->getNbReference(), 4);
    bitmap->forget();  // the views own it from now on

    auto* removed = static_cast<Probe*>(frame->getView(0));
    removed->remember();
    frame->removeView(removed);
    EXPECT_EQ(removed->getNbReference(), 1);
    EXPECT_EQ(bitmap->getNbReference(), 3);
    removed->forget();
    EXPECT_EQ(liveProbes, 2);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    delete frame;
    EXPECT_EQ(liveProbes, 0);  // the bitmap went with its last view (checked by the sanitizer build)
}

TEST(ReferenceCounting, SetBackgroundSwapsReferences) {
    toolkit_test::FakeResources resources;
    auto* first = new CBitmap(1);
    auto* second = new CBitmap(2);
    CView view(CRect(0, 0, 1, 1));
    view.setBackground(first);
    EXPECT_TRUE(view.isDirty());
    view.setBackground(second);
    EXPECT_EQ(first->getNbReference(), 1);
    EXPECT_EQ(second->getNbReference(), 2);
    view.setBackground(second);
    EXPECT_EQ(second->getNbReference(), 2);
    first->forget();
    second->forget();
}

TEST(FrameRouting, NestedContainersTranslateAndKnowTheirFrame) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* group = new CViewContainer(CRect(20, 20, 80, 80), nullptr);
    auto* inner = new Probe(CRect(10, 10, 20, 20));
    group->addView(inner);
    EXPECT_EQ(inner->getFrame(), nullptr);
    frame.addView(group);
    EXPECT_EQ(inner->getFrame(), &frame);
    CPoint p(35, 35);
    frame.onMouseDown(p, kLButton);
    ASSERT_EQ(inner->presses.size(), 1u);
    EXPECT_EQ(inner->presses[0], CPoint(15, 15));  // in the group's coordinates
    CPoint later(40, 45);
    frame.onMouseMoved(later, kLButton);
    ASSERT_EQ(inner->moves.size(), 1u);
    EXPECT_EQ(inner->moves[0], CPoint(20, 25));

    COffscreenContext picture(nullptr, 100, 100, kBlackCColor);
    frame.draw(&picture);
    EXPECT_EQ(picture.getPixel(30, 30), kWhiteCColor);
    EXPECT_EQ(picture.getPixel(41, 41), kBlackCColor);
}
