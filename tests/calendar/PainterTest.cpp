#include "calendar/CalendarPainter.h"
#include "calendar/Calpanel32.h"
#include "common/ReportCanvas.h"

#include "support/ImageProbe.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>
#include <limits>
#include <set>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kYellow = 0xFFFF00;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kGray = 0xC8C8C8;

std::string show(const TRect &r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A page with English names showing January 1997 (the 1st a Wednesday).
void prepare(TCalendarPanel32 &page, int layout)
{
    page.SettingsForReading().Names = BuiltInNames(TNameLanguage::English);
    page.SetCalendarLayout(layout);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(1997);
    page.SetMainCalDay(1);
}

// Draw parameters as the page hands them to the painters for its main calendar at zoom 1.
TCalDrawParams mainParams(const TRect &area)
{
    TCalDrawParams p;
    p.area = area;
    p.minTitleHeight = 144;
    p.month = 1;
    p.year = 1997;
    p.numberPosition = cnpUpperRight;
    p.calendarBorder = cbAll;
    p.titleFont = {"Times New Roman", 26, uint8_t(TFontStyle::fsBold), clWindowText};
    p.headersFont = {"Times New Roman", 16, uint8_t(TFontStyle::fsBold), clWindowText};
    p.cellFont = {"Times New Roman", 16, uint8_t(TFontStyle::fsBold), clWindowText};
    p.headersBorder = cbAll;
    p.headersStyle = dsThreeChars;
    p.cellBorder = cbAll;
    p.names = BuiltInNames(TNameLanguage::English);
    return p;
}

// Cell texts that paint their whole area black and record what was asked of them.
class FakeCellText final : public TCellTextRenderer
{
public:
    std::set<int> withText;
    std::vector<int> painted;
    std::vector<QSize> paintedSizes;
    std::vector<std::pair<int, QRect>> printed;
    int zoomPercent = -1;

    bool hasText(int cell) const override { return withText.count(cell) != 0; }
    void paintCell(int cell, QImage &image, int zoom) override
    {
        painted.push_back(cell);
        paintedSizes.push_back(image.size());
        zoomPercent = zoom;
        image.fill(Qt::black);
    }
    void printCell(int cell, QPainter &, const QRect &target, int) override
    {
        printed.push_back({cell, target});
    }
};

std::set<int> allCells()
{
    std::set<int> s;
    for (int i = 1; i <= kCellCount; ++i)
        s.insert(i);
    return s;
}

} // namespace

// Letter portrait, margins 0.25 in, zoom 1: main rectangle (26, 26, 790, 1030).
// Title 171 pixels (round(1003 × 0.17)), day-names band round(1.5 × 21) = 32 pixels,
// rows of (1029 - 231) div 6 = 133, columns of 763 div 7 = 109.
TEST(MonthPainter, CellTableAtZoomOne)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.RenderToBitmap();
    EXPECT_EQ(page.TitleRect(), (TRect{26, 27, 789, 198})) << show(page.TitleRect());
    EXPECT_EQ(page.DayNamesRect(), (TRect{26, 199, 789, 231})) << show(page.DayNamesRect());

    const int numberHeight = page.Cells().cell(1).rFree.top - page.Cells().cell(1).rTotal.top;
    EXPECT_GE(numberHeight, 18) << "the text area starts below the day number";
    EXPECT_LE(numberHeight, 32);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const int i = r * 7 + c + 1;
            SCOPED_TRACE(testing::Message() << "cell " << i);
            const TDayCell &cell = page.Cells().cell(i);
            // Upper-right numbers: the cell narrows by 4 on the left and 5 on the right.
            const TRect total{26 + 109 * c + 1 + 4, 231 + 133 * r + 1, 26 + 109 * c + 108 - 5,
                              231 + 133 * r + 132};
            EXPECT_EQ(cell.rTotal, total) << show(cell.rTotal);
            EXPECT_EQ(cell.rFree,
                      (TRect{total.left, total.top + numberHeight, total.right, total.bottom}))
                << show(cell.rFree);
            // 1 January 1997 is a Wednesday: days 1..31 in cells 4..34; blank cells keep
            // their rectangles and text areas.
            EXPECT_EQ(cell.iDay, i >= 4 && i <= 34 ? i - 3 : 0);
        }
    EXPECT_EQ(page.CellOfDay(1), 4);
    EXPECT_EQ(page.CellOfDay(31), 34);
    EXPECT_EQ(page.CellOfDay(32), -1);
    // Points on the grid lines between cells hit nothing.
    EXPECT_EQ(page.CellAtPoint(135, 300), 0);
    EXPECT_EQ(page.CellAtPoint(80, 364), 0);
    EXPECT_EQ(page.CellAtPoint(80, 300), 1);
}

TEST(MonthPainter, CellTableAtHalfZoom)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.SetZoom(0.5F);
    page.RenderToBitmap();
    // Area (13, 13, 395, 515); title round(501 × 0.17) = 85 above the 72-pixel minimum;
    // headers 8 pt = 11 px, band round(16.5) = 16; rows 398 div 6 = 66, columns 381 div 7 = 54.
    EXPECT_EQ(page.TitleRect(), (TRect{13, 14, 394, 99})) << show(page.TitleRect());
    EXPECT_EQ(page.DayNamesRect(), (TRect{13, 100, 394, 116})) << show(page.DayNamesRect());
    EXPECT_EQ(page.Cells().cell(1).rTotal, (TRect{18, 117, 61, 181}));
    EXPECT_EQ(page.Cells().cell(42).rTotal,
              (TRect{13 + 54 * 6 + 5, 116 + 66 * 5 + 1, 13 + 54 * 6 + 53 - 5, 116 + 66 * 5 + 65}));
}

TEST(MonthPainter, CenteredNumbersLeaveNoTextArea)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.SetNumberPosition(cnpCenter);
    FakeCellText texts;
    texts.withText = allCells();
    page.SetCellTextRenderer(&texts);
    int activations = 0;
    page.ClickedInCellEvent = [&](const TRect &, const TRect &, int, int) { ++activations; };
    page.RenderToBitmap();
    EXPECT_EQ(page.Cells().cell(1).rTotal, (TRect{27, 232, 134, 363}));
    for (int i = 1; i <= kCellCount; ++i) {
        EXPECT_TRUE(page.Cells().cell(i).rFree.isAllZero()) << "cell " << i;
        EXPECT_FALSE(page.Cells().cell(i).rTotal.isAllZero()) << "cell " << i;
    }
    EXPECT_TRUE(texts.painted.empty()) << "cell texts shown without a text area";
    // Tab and Shift+Tab move nowhere.
    page.ActivateNextCell(4);
    page.ActivatePrevCell(4);
    EXPECT_EQ(activations, 0);
    page.ActivateCell(4);
    EXPECT_EQ(activations, 1);
}

// Below the minimum the title band grows to exactly 1.5 inches at the current zoom; the
// recorded title rectangle is the one computed from the 17 %.
TEST(MonthPainter, FlatAreaGetsTheMinimumTitleBand)
{
    struct Case
    {
        float zoom;
        TRect title;
        TRect dayNames;
    };
    const Case cases[] = {
        // Letter landscape (26, 26, 1030, 790): round(763 × 0.17) = 130 < 144.
        {1.0F, {26, 27, 1029, 157}, {26, 172, 1029, 204}},
        // (13, 13, 515, 395): round(381 × 0.17) = 65 < round(144 × 0.5) = 72.
        {0.5F, {13, 14, 514, 79}, {13, 87, 514, 103}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom);
        TCalendarPanel32 page;
        prepare(page, LOFullCalendarLS);
        page.SetZoom(c.zoom);
        page.SetTitleBGColor(clRed);
        const QImage img = page.RenderToBitmap();
        EXPECT_EQ(page.TitleRect(), c.title) << show(page.TitleRect());
        EXPECT_EQ(page.DayNamesRect(), c.dayNames) << show(page.DayNamesRect());
        // The band is filled from the title top to the day-names band.
        const int x = c.title.left + 3;
        EXPECT_TRUE(isDark(img, x, c.title.top - 1)) << "calendar border above the band";
        for (int y = c.title.top; y < c.dayNames.top; ++y)
            ASSERT_TRUE(hasColor(img, x, y, kRed)) << "row " << y;
        EXPECT_TRUE(isDark(img, x, c.dayNames.top)) << "headers border below the band";
        const int right = c.title.right - 3;
        EXPECT_TRUE(hasColor(img, right, c.dayNames.top - 1, kRed));
    }

    // The painter on its own: any area, the minimum decides.
    QImage img(700, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCalDrawParams p = mainParams({0, 0, 700, 300});
    {
        QPainter painter(&img);
        TCanvas canvas(painter, 96);
        DrawMonth(canvas, p, std::string());
    }
    EXPECT_EQ(p.titleRect, (TRect{0, 1, 699, 52}));
    EXPECT_EQ(p.dayNamesRect.top, 146);
    EXPECT_EQ(p.dayNamesRect.bottom, 178);
}

TEST(MonthPainter, PortraitTitleBandIsSeventeenPercent)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.SetTitleBGColor(clRed);
    page.SetHeadersBGColor(clYellow);
    const QImage img = page.RenderToBitmap();
    for (int y = 27; y <= 198; ++y)
        ASSERT_TRUE(hasColor(img, 30, y, kRed)) << "row " << y;
    EXPECT_TRUE(isDark(img, 30, 199)); // headers border
    EXPECT_TRUE(hasColor(img, 30, 215, kYellow));
    EXPECT_TRUE(isDark(img, 30, 231)); // headers border and first grid line
    EXPECT_TRUE(hasColor(img, 30, 232, kWhite));
    // Title text centred in the band.
    const QRect ink = darkBounds(img, QRect(QPoint(27, 27), QPoint(788, 198)));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, (26 + 789) / 2.0, 3.0);
    EXPECT_NEAR((ink.top() + ink.bottom() + 1) / 2.0, (27 + 198) / 2.0, 8.0);
}

TEST(MonthPainter, DrawBorderStyles)
{
    struct Case
    {
        int style;
        bool top, bottom, sides;
    };
    const Case cases[] = {
        {cbNone, false, false, false},    {cbAll, true, true, true},
        {cbTop, true, false, false},      {cbBottom, false, true, false},
        {cbTopBottom, true, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        QImage img(30, 25, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter painter(&img);
            TCanvas canvas(painter, 96);
            DrawBorder(canvas, {5, 5, 20, 15}, c.style);
        }
        // Lines run from a to c (end excluded); the closed outline covers 5..20 × 5..15.
        EXPECT_EQ(darkInRow(img, 5, 0, 29), c.sides ? 16 : c.top ? 15 : 0);
        EXPECT_EQ(darkInRow(img, 15, 0, 29), c.sides ? 16 : c.bottom ? 15 : 0);
        EXPECT_EQ(darkInColumn(img, 5, 6, 14), c.sides ? 9 : 0);
        EXPECT_EQ(darkInColumn(img, 20, 6, 14), c.sides ? 9 : 0);
        EXPECT_EQ(isDark(img, 20, 5), c.sides);
        EXPECT_EQ(countNot(img, QRect(QPoint(6, 6), QPoint(19, 14)), kWhite), 0);
    }
}

// Grid lines of each cell border style, read off pixel rows and columns of the page.
TEST(MonthPainter, CellBorderLines)
{
    struct Case
    {
        int style;
        std::set<int> rows; // i of the horizontal lines at 231 + 133 i, i = 6 at 1029
        bool verticals;
    };
    const Case cases[] = {
        {cbNone, {}, false},
        {cbAll, {0, 1, 2, 3, 4, 5, 6}, true},
        {cbTop, {0, 1, 2, 3, 4, 5}, false},    // no line under the last row
        {cbBottom, {1, 2, 3, 4, 5, 6}, false}, // no line above the first row
        {cbTopBottom, {0, 1, 2, 3, 4, 5, 6}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "cell border " << c.style);
        TCalendarPanel32 page;
        prepare(page, loFullCalendar);
        page.SetCalendarBorder(cbNone);
        page.SetHeadersBorder(cbNone);
        page.SetCellBorder(c.style);
        const QImage img = page.RenderToBitmap();
        int inside = 0;
        for (int i = 0; i <= 6; ++i) {
            const int y = i == 6 ? 1029 : 231 + 133 * i;
            if (c.rows.count(i) != 0) {
                EXPECT_EQ(darkInRow(img, y, 26, 788), 763) << "line " << i << " at y " << y;
                // The end point x = R - 1 is not part of the line.
                if (!c.verticals || i == 6) {
                    EXPECT_FALSE(isDark(img, 789, y)) << "line " << i;
                }
                if (i > 0 && i < 6) ++inside;
            } else {
                EXPECT_EQ(darkInRow(img, y, 20, 795), 0)
                    << "unexpected line " << i << " at y " << y;
            }
        }
        for (int j = 0; j <= 7; ++j) {
            const int x = j == 7 ? 789 : 26 + 109 * j;
            if (c.verticals)
                EXPECT_EQ(darkInColumn(img, x, 231, 1028), 798) << "vertical " << j;
            else // horizontal lines cross every column but R - 1, their end point
                EXPECT_EQ(darkInColumn(img, x, 232, 1028), j == 7 ? 0 : inside) << "column " << j;
        }
        EXPECT_EQ(darkInColumn(img, 20, 0, 1055), 0); // left of the calendar
    }
}

TEST(MonthPainter, CalendarAndHeadersBorders)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.SetCellBorder(cbNone);
    page.SetHeadersBorder(cbTopBottom);
    const QImage img = page.RenderToBitmap();
    // Calendar border cbAll around the inner frame (26, 26, 789, 1029).
    EXPECT_EQ(darkInRow(img, 26, 0, 815), 764);
    EXPECT_EQ(darkInRow(img, 1029, 0, 815), 764);
    EXPECT_EQ(darkInColumn(img, 26, 26, 1029), 1004);
    EXPECT_EQ(darkInColumn(img, 789, 26, 1029), 1004);
    // Headers band (26, 199, 789, 231): top and bottom lines only.
    EXPECT_EQ(darkInRow(img, 199, 27, 788), 762);
    EXPECT_EQ(darkInRow(img, 231, 27, 788), 762);
    EXPECT_EQ(darkInColumn(img, 135, 200, 230), 0) << "no column lines in the headers band";
}

// In layouts 2 and 3 the minis are drawn after the main grid and cover its title band.
TEST(MonthPainter, MinisPaintedOverTheTitleBand)
{
    TCalendarPanel32 page;
    prepare(page, loFCMinisInTitleLS);
    page.SetTitleBGColor(clRed);
    page.SetMiniCalBGColor(clYellow);
    const QImage img = page.RenderToBitmap();
    ASSERT_EQ(page.Layout().minis.size(), 2U);
    const TRect m1 = page.Layout().minis[0].rect;
    const TRect m2 = page.Layout().minis[1].rect;
    ASSERT_EQ(m1, (TRect{38, 38, 158, 158}));
    ASSERT_EQ(m2, (TRect{898, 38, 1018, 158}));
    for (const TRect &m : {m1, m2}) {
        SCOPED_TRACE(show(m));
        EXPECT_TRUE(hasColor(img, m.left - 1, 100, kRed)) << "main title band beside the mini";
        EXPECT_TRUE(isDark(img, m.left, 100)) << "mini border";
        EXPECT_TRUE(isDark(img, m.right - 1, 100)) << "mini border";
        EXPECT_TRUE(isDark(img, m.left + 50, m.top)) << "mini border";
        EXPECT_TRUE(hasColor(img, m.left + 2, m.top + 5, kYellow)) << "mini title band";
        EXPECT_TRUE(hasColor(img, m.right - 3, m.top + 5, kYellow)) << "mini title band";
        EXPECT_TRUE(hasColor(img, m.right, 100, kRed));
    }
    // The main grid's cells are the page's table, not a mini's.
    EXPECT_EQ(page.Cells().cell(1).rTotal.left, 26 + 1 + 4);
}

TEST(PlannerPainter, CellTables)
{
    struct Case
    {
        int layout;
        int rows;
        std::vector<int> days;
    };
    const Case cases[] = {
        {loWeek, 8, {29, 30, 31, 1, 2, 3, 4, 0}},
        {lo2Week, 15, {29, 30, 31, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}},
        {loDay10, 11, std::vector<int>(11, 0)},
        {loDay15, 16, std::vector<int>(16, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        TCalendarPanel32 page;
        prepare(page, loFullCalendar);
        page.RenderToBitmap(); // a month grid first: the planner must empty its records
        page.SetCalendarLayout(c.layout);
        page.SetMainCalMonth(12);
        page.SetMainCalDay(29);
        const QImage img = page.RenderToBitmap();

        const TRect title = page.TitleRect();
        EXPECT_EQ(title.left, 31);
        EXPECT_EQ(title.top, 27);
        EXPECT_EQ(title.right, 784);
        // 1.6 lines of the 26 pt title font, so descenders stay above the table.
        EXPECT_GE(title.bottom - title.top, 48);
        EXPECT_LE(title.bottom - title.top, 80);
        EXPECT_TRUE(page.DayNamesRect().isAllZero());

        const int bt = title.bottom + 1;
        const int rh = (1029 - bt) / c.rows;
        for (int q = 0; q < c.rows; ++q) {
            const int bottom = q == c.rows - 1 ? 1029 : bt + rh * (q + 1);
            // Label column right = 26 + round(763 × 0.15) = 140.
            const TRect want{144, bt + rh * q + 4, 785, bottom - 4};
            EXPECT_EQ(page.Cells().cell(q + 1).rTotal, want) << "row " << q;
            EXPECT_EQ(page.Cells().cell(q + 1).rFree, want) << "row " << q;
            EXPECT_EQ(page.CellDay(q + 1), c.days[size_t(q)]) << "row " << q;
        }
        for (int i = c.rows + 1; i <= kCellCount; ++i)
            ASSERT_EQ(page.Cells().cell(i), TDayCell{}) << "record " << i << " after the last row";

        // Lines: the body frame, the label column's edge and one line between rows.
        for (int q = 1; q < c.rows; ++q)
            EXPECT_EQ(darkInRow(img, bt + rh * q, 26, 788), 763) << "row line " << q;
        EXPECT_EQ(darkInColumn(img, 140, bt, 1028), 1029 - bt);
        EXPECT_EQ(darkInRow(img, bt, 26, 788), 763);
        EXPECT_EQ(darkInRow(img, 1028, 26, 788), 763);
        EXPECT_EQ(darkInRow(img, 1029, 26, 789), 0) << "framed rectangle ends above B - 1";
        EXPECT_EQ(darkInColumn(img, 788, bt, 1028), 1029 - bt);
        EXPECT_EQ(darkInColumn(img, 789, bt, 1028), 0);

        if (c.layout >= loDay10) {
            for (int d = 1; d <= 31; ++d)
                ASSERT_EQ(page.CellOfDay(d), -1) << "a day planner found day " << d;
        }
    }
}

TEST(PlannerPainter, WeekPlannerFindsItsDays)
{
    TCalendarPanel32 page;
    prepare(page, loWeek);
    page.SetMainCalMonth(12);
    page.SetMainCalDay(29);
    page.RenderToBitmap();
    EXPECT_EQ(page.CellOfDay(29), 1);
    EXPECT_EQ(page.CellOfDay(31), 3);
    EXPECT_EQ(page.CellOfDay(1), 4);
    EXPECT_EQ(page.CellOfDay(4), 7);
    EXPECT_EQ(page.CellOfDay(5), -1);
    // A click on the "Notes" row is a click on cell 8.
    const TRect notes = page.Cells().cell(8).rTotal;
    EXPECT_EQ(page.CellAtPoint(notes.left, notes.top), 8);
    EXPECT_EQ(page.CellAtPoint(notes.right, notes.top), 0);
}

// The day planner's rows start at the page's first hour, on screen and in bitmaps.
TEST(PlannerPainter, DayPlannerStartsAtPlannerFirstHour)
{
    TCalendarPanel32 page;
    prepare(page, loDay10);
    page.SetPlannerFirstHour(EncodeTime(9, 30, 0));
    EXPECT_EQ(DayPlannerRows(page.PlannerFirstHour(), 10).front().left, "9:30 am");
    const QImage shown = page.RenderToBitmap();

    // The same painter fed with explicit rows from 9:30 and from 8:00.
    auto reference = [&](TDateTime first) {
        QImage img(shown.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        TCalDrawParams p = mainParams(page.Layout().main);
        QPainter painter(&img);
        TCanvas canvas(painter, 96);
        DrawPlanner(canvas, p, DayPlannerRows(first, 10), DayPlannerTitle(p.names, 1997, 1, 1));
        return img;
    };
    const int bt = page.TitleRect().bottom + 1;
    const QRect labels(QPoint(27, bt + 1), QPoint(139, 1027));
    EXPECT_TRUE(sameArea(shown, reference(EncodeTime(9, 30, 0)), labels));
    EXPECT_FALSE(sameArea(shown, reference(EncodeTime(8, 0, 0)), labels));
    // The title names the day.
    EXPECT_TRUE(
        sameArea(shown, reference(EncodeTime(9, 30, 0)), QRect(QPoint(26, 26), QPoint(789, bt))));
}

TEST(CellTexts, PaintedIntoTheTextAreas)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    FakeCellText texts;
    texts.withText = {1, 5, 42};
    page.SetCellTextRenderer(&texts);
    const QImage img = page.RenderToBitmap();
    EXPECT_EQ(texts.painted, (std::vector<int>{1, 5, 42}));
    EXPECT_EQ(texts.zoomPercent, 100);
    for (size_t k = 0; k < texts.painted.size(); ++k) {
        const TRect f = page.Cells().cell(texts.painted[k]).rFree;
        SCOPED_TRACE(show(f));
        EXPECT_EQ(texts.paintedSizes[k], QSize(f.right - f.left + 1, f.bottom - f.top + 1));
        EXPECT_EQ(countNot(img, QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom)), kBlack),
                  0);
        EXPECT_FALSE(isDark(img, f.left - 1, f.bottom));
        EXPECT_FALSE(isDark(img, f.right + 1, f.bottom));
        EXPECT_FALSE(isDark(img, f.left, f.top - 1)) << "text painted over the day number";
    }
    // Whether a cell holds text is the stores' business, not the renderer's.
    EXPECT_FALSE(page.HasCellText());
    page.CellStore(5).setRtfBytes("{\\rtf1 five\\par}");
    EXPECT_TRUE(page.HasCellText());

    texts.painted.clear();
    page.SetZoom(0.5F);
    page.RenderToBitmap();
    EXPECT_EQ(texts.zoomPercent, 50);
}

TEST(CellTexts, OnlyCellsTheLayoutUses)
{
    struct Case
    {
        int layout;
        int cells; // cells 1..n may show text
    };
    const Case cases[] = {{loWeek, 8},   {lo2Week, 15},      {loDay10, 11},
                          {loDay15, 16}, {lopMC6MonthLS, 0}, {loMC60Month, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        TCalendarPanel32 page;
        prepare(page, c.layout);
        FakeCellText texts;
        texts.withText = allCells();
        page.SetCellTextRenderer(&texts);
        page.RenderToBitmap();
        std::vector<int> want;
        for (int i = 1; i <= c.cells; ++i)
            want.push_back(i);
        EXPECT_EQ(texts.painted, want);
    }
}

// On paper the same painters run in printer pixels: at 300 dpi the main rectangle
// (26, 26, 790, 1030) becomes (81, 81, 2469, 3219).
TEST(PrintPage, MonthGridAt300Dpi)
{
    struct Case
    {
        double xOff, yOff;
        TColor titleBackground;
    };
    const Case cases[] = {{0, 0, clWhite}, {0, 0, clRed}, {0.5, 0.25, clWhite}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.xOff << "," << c.yOff << " title "
                                        << std::hex << c.titleBackground);
        TCalendarPanel32 page;
        prepare(page, loFullCalendar);
        page.SetTitleBGColor(c.titleBackground);
        const int dx = int(c.xOff * 300), dy = int(c.yOff * 300);
        QImage img(2550 + dx, 3300 + dy, QImage::Format_RGB32);
        img.fill(QColor(kGray));
        {
            QPainter painter(&img);
            TReportCanvas report(painter, 300);
            page.PrintPage(report, c.xOff, c.yOff);
        }
        const int L = 81 + dx, T = 81 + dy, R = 2469 + dx, B = 3219 + dy;
        // Title round(3137 × 0.17) = 533; headers 16 pt = 67 px, band round(100.5) = 100;
        // rows (3218 - 716) div 6 = 417; columns 2387 div 7 = 341.
        const int G = 716 + dy;
        for (int i = 0; i <= 6; ++i) {
            const int y = i == 6 ? B - 1 : G + 417 * i;
            EXPECT_EQ(darkInRow(img, y, L, R - 1), R - L) << "grid line " << i;
            // Lines are a screen pixel wide (3 printer pixels), centred on their place.
            EXPECT_TRUE(isDark(img, R, y));
            EXPECT_FALSE(isDark(img, R + 2, y));
        }
        for (int j = 0; j <= 7; ++j) {
            const int x = j == 7 ? R - 1 : L + 341 * j;
            EXPECT_EQ(darkInColumn(img, x, G, B - 1), B - G) << "column line " << j;
        }
        EXPECT_EQ(darkInRow(img, T, L, R - 1), R - L) << "calendar border";
        EXPECT_EQ(darkInRow(img, G - 100, L, R - 1), R - L) << "headers band top";
        // The page area is not filled; the title band only when it is not white.
        EXPECT_TRUE(hasColor(img, L + 5, G + 400, kGray)) << "cell filled on paper";
        const QRgb band = c.titleBackground == clWhite ? kGray : kRed;
        EXPECT_TRUE(hasColor(img, L + 9, T + 10, band));
        EXPECT_TRUE(hasColor(img, L + 9, G - 103, band));
        EXPECT_TRUE(hasColor(img, L + 9, G - 50, kWhite)) << "headers band filled";
        EXPECT_TRUE(hasColor(img, L - 3, G + 400, kGray));
    }
}

TEST(PrintPage, CellTextsBelowTheNumberAndNoneWhenCentred)
{
    for (const int position : {cnpUpperRight, cnpCenter}) {
        SCOPED_TRACE(testing::Message() << "number position " << position);
        TCalendarPanel32 page;
        prepare(page, loFullCalendar);
        page.SetNumberPosition(position);
        FakeCellText texts;
        texts.withText = {1, 10};
        page.SetCellTextRenderer(&texts);
        QImage img(2550, 3300, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter painter(&img);
            TReportCanvas report(painter, 300);
            page.PrintPage(report, 0, 0);
        }
        if (position == cnpCenter) {
            EXPECT_TRUE(texts.printed.empty());
            continue;
        }
        ASSERT_EQ(texts.printed.size(), 2U);
        // Cell 10 is row 1, column 2 of the printed grid: (763, 1133)..(1104, 1550).
        const QRect t = texts.printed[1].second;
        EXPECT_EQ(texts.printed[1].first, 10);
        EXPECT_GE(t.left(), 763 + 5);
        EXPECT_LE(t.right(), 1104);
        EXPECT_GT(t.top(), 1133 + 50) << "text area starts below the printed number";
        EXPECT_LE(t.bottom(), 1550);
        EXPECT_TRUE(texts.painted.empty()) << "the screen painter ran for paper";
    }
}

TEST(PrintPage, PlannerTitleBandIsOnePointSixLines)
{
    TCalendarPanel32 page;
    prepare(page, loWeek);
    page.RenderToBitmap();
    const int screenLine = page.TitleRect().bottom - page.TitleRect().top;
    QImage img(2550, 3300, QImage::Format_RGB32);
    img.fill(QColor(kGray));
    {
        QPainter painter(&img);
        TReportCanvas report(painter, 300);
        page.PrintPage(report, 0, 0);
    }
    // The body frame's top edge lies one title band below the area's top (82).
    int bodyTop = -1;
    for (int y = 82; y < 800 && bodyTop < 0; ++y)
        if (darkInRow(img, y, 81, 2467) == 2387) bodyTop = y;
    ASSERT_GT(bodyTop, 0);
    // The same band in inches as on screen.
    const double band300 = screenLine * 300.0 / 96.0;
    EXPECT_NEAR(bodyTop - 83, band300, 0.05 * band300);
    EXPECT_TRUE(hasColor(img, 83, 90, kGray)) << "page area filled on paper";
    EXPECT_TRUE(hasColor(img, 2000, 3000, kWhite)) << "the body is a filled frame";
}

// Values a damaged document can carry draw something or nothing, but never crash or
// overflow the page arithmetic.
TEST(PageDrawing, DamagedSettingsAreHarmless)
{
    using Damage = std::function<void(TCalendarSettings &)>;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto margins = [](float m) {
        return [m](TCalendarSettings &s) {
            s.LeftMarginInch = s.TopMarginInch = s.RightMarginInch = s.BottomMarginInch = m;
        };
    };
    const std::pair<const char *, Damage> damages[] = {
        {"month 0", [](auto &s) { s.MainCalMonth = 0; }},
        {"month 13", [](auto &s) { s.MainCalMonth = 13; }},
        {"year 0", [](auto &s) { s.MainCalYear = 0; }},
        {"year -5", [](auto &s) { s.MainCalYear = -5; }},
        {"year 10000", [](auto &s) { s.MainCalYear = 10000; }},
        {"day 0", [](auto &s) { s.MainCalDay = 0; }},
        {"day 40", [](auto &s) { s.MainCalDay = 40; }},
        {"start of week 0", [](auto &s) { s.StartOfWeek = 0; }},
        {"paper 9", [](auto &s) { s.PaperKind = 9; }},
        {"styles out of range",
         [](auto &s) {
             s.Main.HeadersStyle = 7;
             s.Main.CellBorder = 9;
             s.NumberPosition = 5;
         }},
        {"planner hour -3", [](auto &s) { s.PlannerFirstHour = -3; }},
        {"margins NaN", margins(nan)},
        {"margins infinite", margins(inf)},
        {"margins -1e30", margins(-1e30F)},
        {"margins 20", margins(20)},
    };
    for (const int layout : {-1, 0, 3, 5, 7, 9, 17, 18, 19, 20, 22, 1000}) {
        for (const auto &[name, damage] : damages) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << ", " << name);
            TCalendarPanel32 page;
            page.SettingsForReading().CalendarLayout = layout;
            damage(page.SettingsForReading());
            page.RecalcLayout(true);
            EXPECT_GT(page.PageWidth(), 0);
            const TRect m = page.Layout().main;
            for (const int v : {m.left, m.top, m.right, m.bottom}) {
                EXPECT_GT(v, -3000000);
                EXPECT_LT(v, 3000000);
            }
            page.SetZoom(0.5F);
            const QImage img = page.RenderToBitmap();
            EXPECT_FALSE(img.isNull());
            QImage paper(425, 550, QImage::Format_RGB32);
            paper.fill(Qt::white);
            QPainter painter(&paper);
            TReportCanvas report(painter, 50);
            page.PrintPage(report, 0, 0);
        }
    }
    // A month outside the year shows no day at all.
    TCalendarPanel32 page;
    page.SettingsForReading().MainCalMonth = 13;
    page.RecalcLayout(false);
    page.RenderToBitmap();
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_EQ(page.CellDay(i), 0) << "cell " << i;
}

TEST(MonthPainter, WeekStartMovesTheDays)
{
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.SetStartOfWeek(2); // Monday first: Wednesday 1 January 1997 in the third column
    page.RenderToBitmap();
    EXPECT_EQ(page.CellOfDay(1), 3);
    EXPECT_EQ(page.CellOfDay(31), 33);
    EXPECT_EQ(page.CellDay(2), 0);
    EXPECT_EQ(page.CellDay(34), 0);
}

// The user's title replaces the main calendar's title; the minis keep their own.
TEST(MonthPainter, UserTitleReplacesTheMainTitleOnly)
{
    TCalendarPanel32 page;
    prepare(page, loFCMinisInTitleLS);
    const QImage plain = page.RenderToBitmap();
    page.SetUserTitle("Holidays");
    const QImage titled = page.RenderToBitmap();
    const TRect m1 = page.Layout().minis[0].rect, m2 = page.Layout().minis[1].rect;
    const QRect band(QPoint(m1.right + 1, 27), QPoint(m2.left - 1, 170));
    EXPECT_FALSE(sameArea(plain, titled, band));
    for (const TRect &m : {m1, m2})
        EXPECT_TRUE(sameArea(plain, titled,
                             QRect(QPoint(m.left, m.top), QPoint(m.right - 1, m.bottom - 1))))
            << show(m);
    // Below the title band nothing changes.
    EXPECT_TRUE(sameArea(plain, titled, QRect(QPoint(0, 172), QPoint(1055, 815))));

    // The planners use it too.
    page.SetCalendarLayout(loWeek);
    const QImage week = page.RenderToBitmap();
    page.SetUserTitle("");
    const QImage weekPlain = page.RenderToBitmap();
    const TRect t = page.TitleRect();
    EXPECT_FALSE(
        sameArea(week, weekPlain, QRect(QPoint(t.left, t.top), QPoint(t.right - 1, t.bottom - 1))));
}

// ---- paper and screen alike ----

namespace {

QImage printed(TCalendarPanel32 &page, int dpi)
{
    QImage img(int(8.5 * dpi), 11 * dpi, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    {
        TReportCanvas report(painter, dpi);
        page.PrintPage(report, 0, 0);
    }
    painter.end();
    return img;
}

} // namespace

TEST(PrintPage, GridLinesSurviveAScreenSizedPreview)
{
    // A preview shows the printer's page shrunk to the screen; a line one printer pixel
    // wide fades away there, one screen pixel wide stays.
    TCalendarPanel32 page;
    prepare(page, loFullCalendar);
    page.RenderToBitmap();
    const QImage paper = printed(page, 384);
    const QImage preview = paper.scaled(paper.width() / 4, paper.height() / 4, Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    const TRect cell = page.Cells().cell(9).rTotal; // a grid line runs just above it
    const int x = (cell.left + cell.right) / 2;
    int darkest = 255;
    for (int y = cell.top - 4; y <= cell.top; ++y)
        darkest = std::min(darkest, qGray(preview.pixel(x, y)));
    EXPECT_LT(darkest, 160);
}

TEST(PrintPage, InnerMarginsAreTheScreensInInches)
{
    for (const int dpi : {96, 384}) {
        SCOPED_TRACE(dpi);
        const double k = dpi / 96.0;
        TCalDrawParams p = mainParams({int(26 * k), int(26 * k), int(790 * k), int(1030 * k)});
        p.paper = dpi != 96;
        QImage img(int(816 * k), int(1056 * k), QImage::Format_RGB32);
        QPainter painter(&img);
        TCanvas canvas(painter, dpi);
        DrawMonth(canvas, p, std::string());
        const int cw = (p.area.right - 1 - p.area.left) / 7;
        const TRect r = p.cells.cell(9).rTotal; // row 1, column 1
        const int columnLeft = p.area.left + cw, columnRight = p.area.left + 2 * cw;
        // The screen keeps 5 pixels left of a number's area and 6 right of it.
        EXPECT_NEAR((r.left - columnLeft) / k, 5, 0.5);
        EXPECT_NEAR((columnRight - r.right) / k, 6, 0.5);
    }
}

TEST(PrintPage, MiniCalendarsKeepTheirBackgroundOnAColouredTitleBand)
{
    TCalendarPanel32 page;
    prepare(page, loFCMinisInTitleLS);
    page.SetTitleBGColor(clNavy);
    page.RenderToBitmap();
    const QImage img = printed(page, 96);
    const TRect m = page.Layout().minis[0].rect;
    const QRect inside(m.left + 3, m.top + 3, m.right - m.left - 6, m.bottom - m.top - 6);
    int navy = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            navy += hasColor(img, x, y, 0x000080) ? 1 : 0;
    EXPECT_EQ(navy, 0) << "of " << inside.width() * inside.height();
    EXPECT_TRUE(hasColor(img, m.left - 3, (m.top + m.bottom) / 2, 0x000080)) << "the band itself";
}

TEST(PlannerPainter, TitleHasItsBandAndStaysAboveTheTable)
{
    TCalendarPanel32 page;
    prepare(page, loWeek);
    page.SetUserTitle("Weekly jumping gyp queries");
    page.SetTitleBGColor(clNavy);
    TFontDesc white = page.TitleFont();
    white.color = clWhite;
    page.SetTitleFont(&white);
    QImage img = page.RenderToBitmap();
    const TRect title = page.TitleRect();
    EXPECT_TRUE(hasColor(img, 30, title.top + 2, 0x000080)) << "title band in its colour";

    // Black on white: no ink of the title below the table's top line.
    page.SetTitleBGColor(clWhite);
    TFontDesc black = page.TitleFont();
    black.color = clBlack;
    page.SetTitleFont(&black);
    img = page.RenderToBitmap();
    const int bodyTop = title.bottom + 1;
    const TRect cell = page.Cells().cell(1).rTotal;
    EXPECT_EQ(darkInRow(img, bodyTop + 2, cell.left, cell.right), 0);
    EXPECT_GT(countNot(img, QRect(title.left, title.top, title.right - title.left, bodyTop - title.top),
                       kWhite),
              0);
}
