// Day cells without drawing: the cell days worked out ahead of a drawing, texts appended in
// bulk, and the laid-out cell texts the renderer keeps between drawings.
#include "calendar/CellTextRenderer.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

using namespace velmora;

namespace {

std::array<int, kCellCount> drawnDays(TCalendarPanel32 &page)
{
    page.RenderToBitmap();
    std::array<int, kCellCount> days{};
    for (int i = 1; i <= kCellCount; ++i)
        days.at(size_t(i - 1)) = page.CellDay(i);
    return days;
}

std::array<int, kCellCount> computedDays(TCalendarPanel32 &page)
{
    // Stale days from another month must not survive.
    for (int i = 1; i <= kCellCount; ++i)
        page.Cells().cell(i).iDay = 99;
    page.ComputeCellDays();
    std::array<int, kCellCount> days{};
    for (int i = 1; i <= kCellCount; ++i)
        days.at(size_t(i - 1)) = page.CellDay(i);
    return days;
}

void setText(TCalendarPanel32 &page, int cell, const QString &text)
{
    QTextDocument doc;
    QTextCursor(&doc).insertText(text);
    page.CellStore(cell).saveFromDocument(doc);
}

} // namespace

TEST(CellDays, WorkedOutAsTheDrawingNumbersThem)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    struct Case { int layout, month, year, day, weekStart; };
    const Case cases[] = {
        {loFullCalendar, 2, 2026, 1, 1},      {loFullCalendar, 2, 2026, 1, 2},
        {loFullCalendar, 5, 2027, 1, 1},      {loFullCalendar, 8, 2027, 1, 2},
        {LOFullCalendarLS, 12, 2026, 1, 1},   {loFC6Before6AfterLS, 1, 2027, 1, 2},
        {loWeek, 12, 2026, 28, 1},            {lo2Week, 12, 2026, 25, 1},
        {loDay15, 12, 2026, 31, 1},           {loMC60MonthLS, 3, 2026, 1, 1},
    };
    for (const Case &c : cases) {
        page.SetCalendarLayout(c.layout);
        page.SetMainCalYear(c.year);
        page.SetMainCalMonth(c.month);
        page.SetMainCalDay(c.day);
        page.SetStartOfWeek(c.weekStart);
        EXPECT_EQ(computedDays(page), drawnDays(page))
            << "layout " << c.layout << ", " << c.month << "/" << c.year << ", week start "
            << c.weekStart;
    }
}

TEST(DayTextAppender, SameTextsAsOneAppendAtATime)
{
    TCalendarPanel32 one, bulk;
    for (TCalendarPanel32 *p : {&one, &bulk}) {
        p->ResetToDefaults();
        p->SetCalendarLayout(loFullCalendar);
        p->SetMainCalMonth(12);
        p->SetMainCalYear(2026);
        p->ComputeCellDays();
        setText(*p, p->CellOfDay(24), QStringLiteral("Typed by hand"));
    }
    const std::pair<int, QString> entries[] = {
        {24, QStringLiteral("Christmas Eve")}, {25, QStringLiteral("Christmas Day")},
        {24, QStringLiteral("Gym")},           {40, QStringLiteral("No such day")},
        {31, QStringLiteral("New Year's Eve")},
    };
    TDayTextAppender appender(bulk);
    for (const auto &[day, text] : entries) {
        AppendTextToDay(one, day, text);
        appender.append(day, text);
    }
    EXPECT_TRUE(bulk.CellStore(bulk.CellOfDay(25)).isEmpty()); // nothing written before write()
    appender.write();
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_EQ(bulk.CellStore(i).rtfBytes(), one.CellStore(i).rtfBytes()) << "cell " << i;
    QTextDocument doc;
    bulk.CellStore(bulk.CellOfDay(24)).loadIntoDocument(doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Typed by hand\nChristmas Eve\nGym\n"));
}

// Empty cells given the same texts share one written result across cells and fills; texts
// that only join alike (an empty one, one holding the joint) must still stay apart.
TEST(DayTextAppender, RepeatedTextsInEmptyCellsMatchOneAppendAtATime)
{
    const QString nul(QChar(0));
    const std::vector<std::pair<int, QString>> entries{
        {1, QStringLiteral("Gym")},  {8, QStringLiteral("Gym")},       {15, QStringLiteral("Gym")},
        {15, QStringLiteral("Rent")}, {22, QStringLiteral("Gym")},     {22, QStringLiteral("Rent")},
        {2, QString()},              {3, QStringLiteral("a") + nul + QStringLiteral("b")},
        {4, QStringLiteral("a")},    {4, QStringLiteral("b")},          {5, QStringLiteral("1:a")},
        {6, QStringLiteral("1:a1:a")}, {7, QStringLiteral("1:a")},     {7, QStringLiteral("1:a")},
    };
    for (int round = 0; round < 2; ++round) { // the second round finds every text written before
        SCOPED_TRACE(round);
        TCalendarPanel32 one, bulk;
        for (TCalendarPanel32 *p : {&one, &bulk}) {
            p->ResetToDefaults();
            p->SetCalendarLayout(loFullCalendar);
            p->SetMainCalMonth(3);
            p->SetMainCalYear(2027);
            p->ComputeCellDays();
        }
        TDayTextAppender appender(bulk);
        for (const auto &[day, text] : entries) {
            AppendTextToDay(one, day, text);
            appender.append(day, text);
        }
        appender.write();
        for (int i = 1; i <= kCellCount; ++i)
            EXPECT_EQ(bulk.CellStore(i).rtfBytes(), one.CellStore(i).rtfBytes()) << "cell " << i;
        EXPECT_NE(bulk.CellStore(bulk.CellOfDay(3)).rtfBytes(), bulk.CellStore(bulk.CellOfDay(4)).rtfBytes());
        EXPECT_NE(bulk.CellStore(bulk.CellOfDay(6)).rtfBytes(), bulk.CellStore(bulk.CellOfDay(7)).rtfBytes());
        EXPECT_FALSE(bulk.CellStore(bulk.CellOfDay(2)).rtfBytes().empty());
    }
}

TEST(CellTextRenderer, LaidOutTextFollowsTheStoreAndTheWidth)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    const QString wrapping = QStringLiteral("a text long enough to wrap in a narrow cell");
    setText(page, 5, wrapping);
    auto paint = [&page](TStoreCellRenderer &r, int width) {
        QImage image(width, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        r.paintCell(5, image, 100);
        return image;
    };
    auto fresh = [&](int width) {
        TStoreCellRenderer r(page);
        return paint(r, width);
    };

    TStoreCellRenderer kept(page);
    const QImage narrow = paint(kept, 90);
    EXPECT_EQ(narrow, fresh(90));
    EXPECT_EQ(paint(kept, 90), narrow); // drawn again from the kept layout

    // A wider cell lays the kept text out again.
    const QImage wide = paint(kept, 300);
    EXPECT_EQ(wide, fresh(300));
    EXPECT_NE(wide.copy(0, 0, 90, 80), narrow);

    // A changed store is read again, also when its text has the same length.
    setText(page, 5, QStringLiteral("b text long enough to wrap in a narrow cell"));
    const QImage changed = paint(kept, 300);
    EXPECT_EQ(changed, fresh(300));
    EXPECT_NE(changed, wide);

    // An emptied store shows nothing.
    page.ClearAllCells();
    QImage blank(300, 80, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(paint(kept, 300), blank);
}

// Printing draws from the kept layout (its glyphs included) exactly what a fresh renderer
// draws, every time; a text taller than its cell is still cut at the cell's edge.
TEST(CellTextRenderer, PrintedCellsRepeatAndStayInsideTheirCell)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    setText(page, 5, QStringLiteral("Gym\nTeam meeting\nPiano lesson"));
    QString tall;
    for (int i = 0; i < 12; ++i)
        tall += QStringLiteral("line %1 of a tall text\n").arg(i);
    setText(page, 6, tall);
    const QRect target(40, 30, 300, 220);
    auto print = [&](TStoreCellRenderer &r, int cell) {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        r.printCell(cell, painter, target, 300);
        painter.end();
        return image;
    };
    auto ink = [&](const QImage &image, bool inside) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (target.contains(x, y) == inside && qGray(image.pixel(x, y)) < 128)
                    ++dark;
        return dark;
    };
    TStoreCellRenderer kept(page);
    for (const int cell : {5, 6}) {
        SCOPED_TRACE(cell);
        const QImage first = print(kept, cell);
        TStoreCellRenderer fresh(page);
        EXPECT_EQ(print(kept, cell), first);
        EXPECT_EQ(print(fresh, cell), first);
        EXPECT_EQ(ink(first, false), 0);
        EXPECT_GT(ink(first, true), 100);
    }
}
