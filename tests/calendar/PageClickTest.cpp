#include "calendar/Calpanel32.h"
#include "objects/GGraphc.h"
#include "objects/LabelTextDialog.h"
#include "objects/ObjectDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// A January 1997 page (1st on a Wednesday) at zoom 1 that logs what a click raised.
struct ClickedPage
{
    TCalendarPanel32 page;
    std::vector<std::string> log;

    explicit ClickedPage(int layout = loFullCalendar)
    {
        page.SetCalendarLayout(layout);
        page.SetMainCalMonth(1);
        page.SetMainCalYear(1997);
        page.ClickedInCellEvent = [this](const TRect &total, const TRect &, int cell, int day) {
            EXPECT_EQ(total, page.Cells().cell(cell).rTotal);
            log.push_back("cell " + std::to_string(cell) + " day " + std::to_string(day));
        };
        page.OnClickedHeader = [this](QObject *sender) {
            EXPECT_EQ(sender, &page);
            log.push_back("header");
        };
        page.OnClickedDaysArea = [this](QObject *) { log.push_back("days"); };
        page.OnClick = [this](QObject *) { log.push_back("click"); };
        page.RenderToBitmap();
    }

    std::vector<std::string> click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        log.clear();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(&page, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(x, y), QPointF(x, y), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&page, &release);
        return log;
    }
};

using Log = std::vector<std::string>;

} // namespace

TEST(PageClick, WhatAClickRaises)
{
    struct Case
    {
        const char *where;
        int x, y;
        Log want;
    };
    const Case cases[] = {
        {"blank cell 1", 80, 300, {"cell 1 day 0"}},
        {"cell 10", 300, 430, {"cell 10 day 7"}},
        {"last cell", 740, 1000, {"cell 42 day 0"}},
        {"vertical grid line", 135, 300, {"click"}},
        {"horizontal grid line", 300, 364, {"click"}},
        {"title band", 400, 100, {"header", "click"}},
        {"day names", 400, 215, {"days", "click"}},
        {"outside the calendar", 5, 5, {"click"}},
    };
    ClickedPage p;
    for (const Case &c : cases)
        EXPECT_EQ(p.click(c.x, c.y), c.want) << c.where;
}

namespace {
// The plainest design object: it only takes up room on the page.
class Block final : public TGGraphicControl
{
public:
    std::string className() const override { return "TBlock"; }
    void Paint(TCanvas &) override {}
};
} // namespace

TEST(PageClick, CellClicksNeedTheHandlerAndNoObjectInTheWay)
{
    ClickedPage p;
    p.page.AddObject(std::make_unique<Block>(), TRect{290, 420, 310, 440});
    EXPECT_EQ(p.click(300, 430), Log{}) << "a design object lies over the cell";
    EXPECT_EQ(p.click(330, 480), Log{"cell 10 day 7"});

    p.page.ClickedInCellEvent = nullptr;
    EXPECT_EQ(p.click(330, 480), Log{}) << "a cell click without a handler raises nothing";
    EXPECT_EQ(p.click(5, 5), Log{"click"});
}

TEST(PageClick, OnlyThePointingToolClicks)
{
    // The text tool places a label and asks for its text; the question is answered Cancel.
    ObjectDialogHooks().runLabelText = [](TGetLabelText &) { return false; };
    ClickedPage p;
    p.page.SetPanelState(psLabel);
    EXPECT_EQ(p.click(300, 430), Log{}); // places a label instead
    EXPECT_EQ(p.page.ObjectCount(), 1);
    EXPECT_EQ(p.page.PanelState(), psPointing);
    p.page.SetPanelState(psLabel);
    EXPECT_EQ(p.click(400, 100), Log{});
    p.page.SetPanelState(psPointing);
    EXPECT_EQ(p.click(330, 480, Qt::RightButton), Log{});
    EXPECT_EQ(p.click(330, 480), Log{"cell 10 day 7"});
    ObjectDialogHooks().runLabelText = nullptr;
}

TEST(PageClick, LayoutsWithoutDayCellsOnlyClick)
{
    ClickedPage p(loMC12Month);
    EXPECT_EQ(p.click(300, 430), Log{"click"});
    EXPECT_EQ(p.click(100, 100), Log{"click"});
}

TEST(PageClick, NeighbourCellsNeedATextArea)
{
    ClickedPage p(loWeek);
    p.log.clear();
    p.page.ActivateNextCell(1);
    p.page.ActivatePrevCell(8);
    p.page.ActivateNextCell(8); // cell 9 is past the "Notes" row
    p.page.ActivatePrevCell(1);
    p.page.ActivateNextCell(42);
    EXPECT_EQ(p.log, (Log{"cell 2 day 2", "cell 7 day 7"}));
}
