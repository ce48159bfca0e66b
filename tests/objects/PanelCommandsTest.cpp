// The page's and the objects' menu commands: clipboard, clone, arranging, locking, zoom and
// keeping objects on the page.
#include "TestObjects.h"

#include <QTest>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

class PanelCommands : public ::testing::Test
{
protected:
    TTestPanel t;
    TGHandle &handle = t.panel.Handle();

    void pageMenu()
    {
        t.press({700, 1000}, Qt::RightButton);
        t.release({700, 1000}, Qt::RightButton);
    }
    void objectMenu(TGGraphicControl &o)
    {
        const TRect r = o.ScreenRect();
        handle.ClearSelection();
        t.press({r.left + 1, r.top + 1}, Qt::RightButton);
        t.release({r.left + 1, r.top + 1}, Qt::RightButton);
    }
};

TEST_F(PanelCommands, MenusListTheirEntriesInOrder)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    objectMenu(*a);
    EXPECT_EQ(t.menuTexts(), QStringList({"Bring To Front", "Send To Back", "Cut", "Copy", "Delete",
                                          "Clone", "-", "Locked", "Unselectable", "-",
                                          "Center Vertically", "Center Horizontally"}));
    pageMenu();
    EXPECT_EQ(t.menuTexts(), QStringList({"Bring To Front",
                                          "Send To Back",
                                          "-",
                                          "Cut",
                                          "Copy",
                                          "Paste",
                                          "-",
                                          "Delete",
                                          "-",
                                          "Align Left",
                                          "Align Right",
                                          "Align Tops",
                                          "Align Bottoms",
                                          "-",
                                          "Center Vertically",
                                          "Center Horizontally",
                                          "-",
                                          "Lock All",
                                          "Unlock All",
                                          "-",
                                          "Mark All Selectable",
                                          "Mark All Unselectable",
                                          "Select All",
                                          "-",
                                          "Font"}));
}

TEST_F(PanelCommands, PageMenuEnablingFollowsSelectionAndClipboard)
{
    pageMenu(); // an empty page
    for (const char *off : {"Bring To Front", "Cut", "Paste", "Delete", "Align Left", "Font"})
        EXPECT_FALSE(t.menuAction(off)->isEnabled()) << off;
    for (const char *on : {"Lock All", "Unlock All", "Mark All Selectable", "Select All"})
        EXPECT_TRUE(t.menuAction(on)->isEnabled()) << on;
    EXPECT_TRUE(t.trigger("Lock All")); // nothing to lock, nothing happens

    TTestBox *a = t.add(100, 100, 50, 30);
    handle.Select(a);
    t.key(Qt::Key_C, Qt::ControlModifier);
    pageMenu(); // a right press on the empty page keeps the selection
    EXPECT_TRUE(t.menuAction("Paste")->isEnabled());
    EXPECT_TRUE(t.menuAction("Cut")->isEnabled());
    handle.ClearSelection();
    pageMenu();
    EXPECT_FALSE(t.menuAction("Cut")->isEnabled());
}

TEST_F(PanelCommands, CutThenPasteLandsFifteenPixelsAwayAndPasteIsThrottled)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    a->fill = clRed;
    handle.Select(a);
    t.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(t.panel.ObjectCount(), 0);
    t.key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(t.panel.ObjectCount(), 1);
    EXPECT_EQ(rectOf(*t.box(0)), (TRect{115, 115, 165, 145}));
    EXPECT_EQ(t.box(0)->fill, clRed);
    EXPECT_EQ(t.box(0)->Name(), "Component0");
    t.now += 999;
    t.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(t.panel.ObjectCount(), 1);
    t.now += 1;
    t.key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_EQ(t.box(1)->Name(), "Component1");
}

TEST_F(PanelCommands, ObjectMenuCopiesOnlyThatObjectWhenItIsNotSelected)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 100, 50, 30);
    handle.Select(a);
    b->Cut(); // b is not selected: only b goes
    EXPECT_EQ(t.panel.ObjectCount(), 1);
    EXPECT_TRUE(handle.IsSelected(a));
    t.panel.ClipboardAction(ckPaste);
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_EQ(rectOf(*t.box(1)), (TRect{315, 115, 365, 145}));
}

TEST_F(PanelCommands, DeleteFiresOneChangePerObject)
{
    handle.Select(t.add(100, 100, 50, 30));
    handle.Select(t.add(300, 100, 50, 30));
    t.changes = 0;
    t.key(Qt::Key_Delete);
    EXPECT_EQ(t.panel.ObjectCount(), 0);
    EXPECT_EQ(t.changes, 2);
    EXPECT_FALSE(handle.Visible());
}

TEST_F(PanelCommands, ClipboardOutlivesAnotherPage)
{
    handle.Select(t.add(100, 100, 50, 30));
    t.key(Qt::Key_C, Qt::ControlModifier);
    {
        TTestPanel preview; // a second page, as a preview shows, comes and goes
        preview.panel.Handle().Select(preview.add(1, 1, 20, 20));
        preview.key(Qt::Key_C, Qt::ControlModifier);
    }
    t.key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_EQ(rectOf(*t.box(1)), (TRect{115, 115, 165, 145}));
}

TEST_F(PanelCommands, CloneLandsLowerOnTopAndTakesOverTheSelection)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(120, 110, 50, 30);
    a->fill = clGreen;
    objectMenu(*a);
    ASSERT_TRUE(handle.IsSelected(a));
    ASSERT_TRUE(t.trigger("Clone"));
    ASSERT_EQ(t.panel.ObjectCount(), 3);
    TTestBox *clone = t.box(2);
    EXPECT_EQ(rectOf(*clone), (TRect{100, 125, 150, 155}));
    EXPECT_EQ(clone->fill, clGreen);
    EXPECT_EQ(clone->Name(), "Component0");
    EXPECT_THAT(handle.Selection(), ElementsAre(clone));
    b->Clone(); // not selected: the selection stays
    EXPECT_THAT(handle.Selection(), ElementsAre(clone));
    EXPECT_EQ(rectOf(*t.box(3)), (TRect{120, 135, 170, 165}));
}

TEST_F(PanelCommands, UnselectableIsUndoneOnlyFromThePageMenu)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    objectMenu(*a);
    ASSERT_TRUE(t.trigger("Unselectable"));
    EXPECT_TRUE(a->Unselectable());
    EXPECT_FALSE(handle.IsSelected(a));
    objectMenu(*a); // a right press on it now opens the page's menu
    EXPECT_FALSE(t.menuTexts().contains("Unselectable"));
    ASSERT_TRUE(t.trigger("Mark All Selectable"));
    EXPECT_FALSE(a->Unselectable());
    t.click({120, 110});
    EXPECT_TRUE(handle.IsSelected(a));
}

TEST_F(PanelCommands, LockedEntryTogglesItsCheckMark)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    objectMenu(*a);
    EXPECT_FALSE(t.menuAction("Locked")->isChecked());
    ASSERT_TRUE(t.trigger("Locked"));
    EXPECT_TRUE(a->Locked());
    objectMenu(*a);
    EXPECT_TRUE(t.menuAction("Locked")->isChecked());
    pageMenu();
    ASSERT_TRUE(t.trigger("Unlock All"));
    EXPECT_FALSE(a->Locked());
}

TEST_F(PanelCommands, SelectAllSkipsUnselectableObjects)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 100, 50, 30);
    b->SetUnselectable(true);
    pageMenu();
    ASSERT_TRUE(t.trigger("Select All"));
    EXPECT_THAT(handle.Selection(), ElementsAre(a));
}

TEST_F(PanelCommands, AlignAndCenterTheSelection)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(300, 150, 80, 20);
    const auto run = [&](const char *entry) {
        handle.ClearSelection();
        handle.Select(a);
        handle.Select(b);
        t.panel.UpdatePageMenu();
        t.panel.PageMenu().find(entry)->action();
    };
    run("AlignLeft");
    EXPECT_EQ(a->Left(), 100);
    EXPECT_EQ(b->Left(), 100);
    run("AlignRight");
    EXPECT_EQ(a->Left(), 130);
    EXPECT_EQ(b->Left(), 100);
    run("AlignTops");
    EXPECT_EQ(b->Top(), 100);
    run("AlignBottoms");
    EXPECT_EQ(a->Top(), 100);
    EXPECT_EQ(b->Top(), 110);
    run("CenterVertically");
    EXPECT_EQ(a->Top(), 1056 / 2 - 15);
    EXPECT_EQ(b->Top(), 1056 / 2 - 10);
    run("CenterHorizontally");
    EXPECT_EQ(a->Left(), 408 - 25);
}

TEST_F(PanelCommands, DrawingOrderCommands)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    TTestBox *b = t.add(120, 110, 50, 30);
    TTestBox *c = t.add(140, 120, 50, 30);
    a->BringToFront();
    EXPECT_EQ(t.panel.Object(2), a);
    EXPECT_EQ(t.panel.ObjectAtPoint(145, 125), a);
    handle.Select(c);
    pageMenu();
    ASSERT_TRUE(t.trigger("Send To Back"));
    EXPECT_EQ(t.panel.Object(0), c);
    EXPECT_EQ(t.panel.Object(1), b);
    EXPECT_EQ(handle.SelectedCount(), 0);
}

TEST_F(PanelCommands, ZoomingThereAndBackKeepsEveryStoredBound)
{
    TTestBox *a = t.add(101, 33, 51, 17);
    TTestBox *b = t.add(7, 9, 13, 15);
    t.changes = 0;
    t.panel.SetZoom(0.5F);
    EXPECT_EQ(t.panel.width(), 408);
    EXPECT_EQ(a->ScreenRect(), (TRect{50, 16, 50 + 26, 16 + 8})); // halves round to even
    EXPECT_EQ(rectOf(*a), (TRect{101, 33, 152, 50}));
    t.panel.SetZoom(1.0F);
    EXPECT_EQ(t.panel.width(), 816);
    EXPECT_EQ(rectOf(*a), (TRect{101, 33, 152, 50}));
    EXPECT_EQ(rectOf(*b), (TRect{7, 9, 20, 24}));
    EXPECT_EQ(a->ScreenRect(), rectOf(*a));
    EXPECT_EQ(t.changes, 0); // zooming changes nothing the document holds
}

TEST_F(PanelCommands, ClampAndPurgeKeepObjectsOnThePage)
{
    TTestBox *low = t.add(100, 100, 50, 30);
    low->SetTop(1100);
    TTestBox *right = t.add(100, 100, 50, 30);
    right->SetLeft(900);
    t.panel.ClampObjects();
    EXPECT_EQ(low->Top(), 1046);
    EXPECT_EQ(right->Left(), 796);

    right->SetLeft(807);
    TTestBox *flat = t.add(100, 100, 50, 30);
    flat->SetHeight(0);
    TTestBox *kept = t.add(200, 200, 50, 30);
    t.panel.PurgeObjects();
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_EQ(t.panel.Object(0), low);
    EXPECT_EQ(t.panel.Object(1), kept);
}

TEST_F(PanelCommands, MenuOfADestroyedObjectDoesNothing)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    t.add(300, 100, 50, 30);
    objectMenu(*a);
    t.panel.DestroyObject(a);
    EXPECT_TRUE(t.trigger("Delete"));
    EXPECT_EQ(t.panel.ObjectCount(), 1); // the other object is still there
}

TEST_F(PanelCommands, FontCommandAppliesTheChosenFontToTheSelection)
{
    struct TFontBox : TTestBox
    {
        TFontDesc applied;
        void ApplyFont(const TFontDesc &f) override { applied = f; }
    };
    auto box = std::make_unique<TFontBox>();
    box->Loaded();
    auto *a = static_cast<TFontBox *>(t.panel.AddObject(std::move(box), {10, 10, 60, 40}));
    TFontDesc asked;
    t.panel.ChooseFont = [&asked](const TFontDesc &start) -> std::optional<TFontDesc> {
        asked = start;
        return TFontDesc::make("Arial", 30, 0);
    };
    handle.Select(a);
    t.panel.PageMenu().find("Font")->action();
    EXPECT_EQ(asked, t.panel.PanelFont());
    EXPECT_EQ(a->applied.name, "Arial");
    EXPECT_EQ(a->applied.size(), 30);
}

} // namespace
} // namespace velmora::test
