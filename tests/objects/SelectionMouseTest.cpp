// Selecting, moving and resizing objects with the mouse and the keyboard, driven through the
// panel's own event handlers as the user would.
#include "TestObjects.h"

#include <QTest>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SelectionMouse : public ::testing::Test
{
protected:
    TTestPanel t;
    TGHandle &handle = t.panel.Handle();

    // Clicks an object to select it, then lets time pass so the next press is a new one.
    void select(QPoint p)
    {
        t.click(p);
        t.now += 500;
    }
};

TEST_F(SelectionMouse, ToolClickPlacesMinimumObjectAndFallsBackToPointing)
{
    TRect dropped;
    t.panel.DroppedObjectEvent = [&dropped](const TRect &r) { dropped = r; };
    t.panel.SetPanelState(psLabel);
    t.click({200, 300});
    ASSERT_EQ(t.panel.ObjectCount(), 1);
    EXPECT_EQ(rectOf(*t.box(0)), (TRect{200, 300, 250, 315}));
    EXPECT_EQ(t.box(0)->Name(), "Special1");
    EXPECT_EQ(t.box(0)->drawings, 1);
    EXPECT_EQ(t.panel.PanelState(), psPointing);
    EXPECT_EQ(dropped, (TRect{200, 300, 200, 300}));
    EXPECT_EQ(handle.SelectedCount(), 0);
}

TEST_F(SelectionMouse, DrawingOverAnObjectStartsANewRectangle)
{
    TTestBox *old = t.add(100, 100, 80, 40);
    t.panel.SetPanelState(psLabel);
    t.drag({110, 110}, {150, 130});
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_EQ(rectOf(*t.box(1)), (TRect{110, 110, 150, 130}));
    EXPECT_EQ(t.box(1)->Name(), "Special2");
    EXPECT_FALSE(handle.IsSelected(old));
}

TEST_F(SelectionMouse, ToolWithoutRegisteredClassCreatesNothing)
{
    int drops = 0;
    std::vector<TLPanelState> states;
    t.panel.DroppedObjectEvent = [&drops](const TRect &) { ++drops; };
    t.panel.PanelStateChangedEvent = [&states](TLPanelState s) { states.push_back(s); };
    t.panel.SetToolClass(psImage, "TNotRegistered");
    t.panel.SetPanelState(psImage);
    t.click({50, 50});
    EXPECT_EQ(t.panel.ObjectCount(), 0);
    // Nothing was dropped, and the page does not stay stuck in the tool.
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(t.panel.PanelState(), psPointing);
    EXPECT_TRUE(t.panel.Pointing());
    EXPECT_EQ(states, (std::vector<TLPanelState>{psImage, psPointing}));
}

TEST_F(SelectionMouse, BottomRightHandleDragGrowsOnePixelLessThanTravel)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    select({140, 120});
    ASSERT_TRUE(handle.IsSelected(box));
    EXPECT_EQ(handle.BoundsRect(), (TRect{98, 98, 183, 143}));
    t.hover({182, 142});
    EXPECT_EQ(handle.Zone(), hzBottomRight);
    EXPECT_EQ(t.panel.ScreenCursor(), TScreenCursor::SizeNWSE);
    t.drag({182, 142}, {202, 152});
    EXPECT_EQ(rectOf(*box), (TRect{100, 100, 199, 149}));
    // Realigned around the object, one pixel wider and higher than a fresh frame.
    EXPECT_EQ(handle.BoundsRect(), (TRect{98, 98, 98 + 105, 98 + 55}));
}

TEST_F(SelectionMouse, QuickClickNeverMovesButAHeldDragDoes)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    select({140, 120});
    t.press({140, 120});
    t.move({150, 125}, 50);
    t.release({150, 125}, Qt::LeftButton, {}, 50);
    EXPECT_EQ(rectOf(*box), (TRect{100, 100, 180, 140}));
    t.now += 500;
    t.drag({140, 120}, {170, 140}, 150);
    EXPECT_EQ(rectOf(*box), (TRect{130, 120, 210, 160}));
}

TEST_F(SelectionMouse, SecondButtonDuringADragNeitherEndsNorStrandsIt)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    select({140, 120});
    t.press({140, 120});
    t.move({150, 130}, 100);
    t.press({150, 130}, Qt::RightButton);
    t.release({150, 130}, Qt::RightButton);
    EXPECT_EQ(t.menusShown, 0);
    t.move({160, 140}, 100);
    t.release({160, 140});
    EXPECT_EQ(rectOf(*box), (TRect{120, 120, 200, 160}));
    EXPECT_FALSE(handle.Dragging());
}

TEST_F(SelectionMouse, PressThatSelectsDragsOnlyAfterTenMilliseconds)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    t.press({140, 120});
    t.move({150, 120}, 5); // too soon: not yet dragging
    EXPECT_FALSE(handle.Dragging());
    t.move({160, 120}, 10); // the drag starts here
    EXPECT_TRUE(handle.Dragging());
    t.move({190, 130}, 200);
    t.release({190, 130});
    EXPECT_EQ(rectOf(*box), (TRect{130, 110, 210, 150}));
}

TEST_F(SelectionMouse, PointerIsClampedToThePageWhileDragging)
{
    TTestBox *box = t.add(10, 10, 50, 20);
    select({30, 20});
    t.drag({30, 20}, {-50, -40});
    EXPECT_EQ(rectOf(*box), (TRect{-20, -10, 30, 10}));
}

TEST_F(SelectionMouse, HandleDraggedPastOppositeEdgeLeavesOnePixel)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    select({140, 120});
    t.hover({182, 142});
    t.drag({182, 142}, {50, 60});
    EXPECT_EQ(rectOf(*box), (TRect{100, 100, 101, 101}));
    t.panel.PurgeObjects();
    EXPECT_EQ(t.panel.ObjectCount(), 1);
}

TEST_F(SelectionMouse, LockedObjectStaysWhileTheRestOfTheSelectionMoves)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 100, 50, 30);
    b->SetLocked(true);
    select({120, 110});
    t.click({320, 110}, Qt::ShiftModifier);
    t.now += 500;
    ASSERT_EQ(handle.SelectedCount(), 2);
    t.drag({120, 110}, {140, 140});
    EXPECT_EQ(rectOf(*a), (TRect{120, 130, 170, 160}));
    EXPECT_EQ(rectOf(*b), (TRect{300, 100, 350, 130}));
    EXPECT_EQ(handle.BoundsRect(), (TRect{118, 98, 118 + 236, 98 + 66}));
}

TEST_F(SelectionMouse, ShiftClickAndShiftBandToggle)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 100, 50, 30);
    TTestBox *c = t.add(200, 300, 50, 30);
    select({120, 110});
    t.click({320, 110}, Qt::ShiftModifier);
    t.now += 500;
    t.click({120, 110}, Qt::ShiftModifier); // on a selected object: out
    EXPECT_THAT(handle.Selection(), ElementsAre(b));
    t.click({120, 110}, Qt::ShiftModifier); // back in
    t.now += 500;
    t.press({320, 90}, Qt::LeftButton, Qt::ShiftModifier);
    t.move({210, 310}, 100);
    t.release({210, 310}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_THAT(handle.Selection(), ElementsAre(a, c)); // b toggled out, c in
    t.click({600, 600}, Qt::ShiftModifier);
    EXPECT_EQ(handle.SelectedCount(), 2);
    t.click({600, 600});
    EXPECT_EQ(handle.SelectedCount(), 0);
    EXPECT_FALSE(handle.Visible());
}

TEST_F(SelectionMouse, UnselectableObjectActsAsThePage)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    a->SetUnselectable(true);
    t.click({120, 110});
    EXPECT_EQ(handle.SelectedCount(), 0);
    EXPECT_TRUE(t.panel.IsPageClick());
    EXPECT_TRUE(t.panel.HasObjectAt(120, 110)); // so the page leaves its day cell alone
    t.drag({50, 50}, {400, 400});
    EXPECT_EQ(handle.SelectedCount(), 0);
    EXPECT_FALSE(t.panel.IsPageClick()); // a band, not a click
}

TEST_F(SelectionMouse, ArrowKeysMoveAndStopAtTheLeftAndTopEdges)
{
    TTestBox *a = t.add(2, 3, 50, 30);
    select({20, 20});
    for (int i = 0; i < 5; ++i) {
        t.key(Qt::Key_Left);
        t.key(Qt::Key_Up);
    }
    EXPECT_EQ(rectOf(*a), (TRect{0, 0, 50, 30}));
    t.key(Qt::Key_Right);
    t.key(Qt::Key_Down);
    EXPECT_EQ(rectOf(*a), (TRect{1, 1, 51, 31}));

    TTestBox *b = t.add(760, 1020, 50, 30);
    t.panel.Handle().ClearSelection();
    t.panel.Handle().Select(b);
    for (int i = 0; i < 10; ++i) {
        t.key(Qt::Key_Right);
        t.key(Qt::Key_Down);
    }
    EXPECT_EQ(rectOf(*b), (TRect{766, 1026, 816, 1056}));
}

TEST_F(SelectionMouse, ShiftArrowsResizeOneObjectAndNeverBelowTenPixels)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 100, 50, 30);
    select({120, 110});
    for (int i = 0; i < 60; ++i) {
        t.key(Qt::Key_Left, Qt::ShiftModifier);
        t.key(Qt::Key_Up, Qt::ShiftModifier);
    }
    EXPECT_EQ(rectOf(*a), (TRect{100, 100, 110, 110}));
    t.key(Qt::Key_Right, Qt::ShiftModifier);
    t.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(rectOf(*a), (TRect{100, 100, 111, 111}));
    // With two selected, Shift+arrow moves them instead.
    handle.Select(b);
    t.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(rectOf(*a), (TRect{101, 100, 112, 111}));
    EXPECT_EQ(rectOf(*b), (TRect{301, 100, 351, 130}));
}

TEST_F(SelectionMouse, RightPressOpensTheMenuThatFitsTheSelection)
{
    t.add(100, 100, 50, 30);
    t.add(300, 100, 50, 30);
    t.press({120, 110}, Qt::RightButton);
    t.release({120, 110}, Qt::RightButton);
    EXPECT_TRUE(t.menuTexts().contains("Clone")); // the object's own menu
    t.click({320, 110}, Qt::ShiftModifier);
    ASSERT_EQ(handle.SelectedCount(), 2);
    t.press({120, 110}, Qt::RightButton);
    t.release({120, 110}, Qt::RightButton);
    EXPECT_TRUE(t.menuTexts().contains("Align Left")); // two selected: the page's menu
    EXPECT_FALSE(t.menuTexts().contains("Clone"));
    t.press({600, 600}, Qt::MiddleButton);
    t.release({600, 600}, Qt::MiddleButton);
    EXPECT_TRUE(t.menuTexts().contains("Select All"));
    EXPECT_EQ(t.menusShown, 3);
}

TEST_F(SelectionMouse, DoubleClickRunsTheObjectsActionOrOpensItsMenu)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    select({120, 110});
    QTest::mouseDClick(&t.panel, Qt::LeftButton, {}, {120, 110});
    t.release({120, 110});
    EXPECT_TRUE(t.menuTexts().contains("Clone"));
    int runs = 0;
    a->DoubleClickAction = [&runs] { ++runs; };
    QTest::mouseDClick(&t.panel, Qt::LeftButton, {}, {120, 110});
    t.release({120, 110});
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(t.menusShown, 1);
    EXPECT_EQ(rectOf(*a), (TRect{100, 100, 150, 130}));
}

TEST_F(SelectionMouse, HoverCursorsAndTheFrameLevelLock)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    t.hover({120, 110});
    EXPECT_EQ(t.panel.ScreenCursor(), TScreenCursor::HandPoint);
    t.hover({400, 400});
    EXPECT_EQ(t.panel.ScreenCursor(), TScreenCursor::Default);
    select({120, 110});
    t.hover({120, 112});
    EXPECT_EQ(t.panel.ScreenCursor(), TScreenCursor::HandGrab);
    handle.SetLocked(true);
    t.hover({121, 112});
    EXPECT_EQ(t.panel.ScreenCursor(), TScreenCursor::NoDrop);
    t.drag({120, 110}, {160, 150});
    EXPECT_EQ(rectOf(*a), (TRect{100, 100, 150, 130}));
    handle.ClearSelection();
    EXPECT_FALSE(handle.Locked()); // an empty selection always unlocks the frame
}

TEST_F(SelectionMouse, DragAtHalfZoomMovesStoredBoundsByTheUnzoomedDistance)
{
    TTestBox *a = t.add(100, 100, 80, 40);
    t.panel.SetZoom(0.5F);
    select({60, 60});
    t.drag({60, 60}, {70, 65});
    EXPECT_EQ(rectOf(*a), (TRect{120, 110, 200, 150}));
}

} // namespace
} // namespace velmora::test
