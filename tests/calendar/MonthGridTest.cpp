#include "calendar/MonthGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

const TNameTables &english()
{
    return BuiltInNames(TNameLanguage::English);
}

std::vector<std::string> lefts(const std::vector<TPlannerRow> &rows)
{
    std::vector<std::string> out;
    for (const auto &r : rows)
        out.push_back(r.left);
    return out;
}

std::vector<std::string> rights(const std::vector<TPlannerRow> &rows)
{
    std::vector<std::string> out;
    for (const auto &r : rows)
        out.push_back(r.right);
    return out;
}

std::vector<int> days(const std::vector<TPlannerRow> &rows)
{
    std::vector<int> out;
    for (const auto &r : rows)
        out.push_back(r.iDay);
    return out;
}

} // namespace

TEST(Dates, LeapYearsAndMonthLengths)
{
    struct Case
    {
        int year;
        bool leap;
    };
    const Case cases[] = {{2000, true}, {1900, false}, {2004, true}, {2100, false},
                          {2400, true}, {1997, false}, {1996, true}, {1600, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(IsLeapYear(c.year), c.leap);
        EXPECT_EQ(DaysInMonth(c.year, 2), c.leap ? 29 : 28);
        int total = 0;
        for (int m = 1; m <= 12; ++m)
            total += DaysInMonth(c.year, m);
        EXPECT_EQ(total, c.leap ? 366 : 365);
    }
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInMonth(1997, m), lengths[m - 1]) << "month " << m;
}

// Serials around the leap days: 1900 has no 29 February, 2000 and 2004 do.
TEST(Dates, SerialsAroundLeapDays)
{
    struct Case
    {
        int y, m, d;
        double serial;
        int dow;
    };
    const Case cases[] = {
        {1900, 2, 28, 60, 4},   {1900, 3, 1, 61, 5},    {2004, 2, 29, 38046, 1},
        {2004, 3, 1, 38047, 2}, {2000, 3, 1, 36586, 4}, {1997, 1, 1, 35431, 4},
        {1998, 1, 5, 35800, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
        EXPECT_EQ(DayOfWeek(c.serial), c.dow);
    }
    TDateTime untouched = 123;
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, untouched));
    EXPECT_EQ(untouched, 123);
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, untouched));
    EXPECT_FALSE(TryEncodeDate(2001, 2, 29, untouched));
}

TEST(MonthGrid, GridOffsetForBothWeekStarts)
{
    struct Case
    {
        int year, month, start, offset;
    };
    const Case cases[] = {
        // 1st on a Sunday, on a Saturday, on a Wednesday, on a Monday
        {2015, 2, 1, 1},
        {2015, 2, 2, 7},
        {1997, 3, 1, 7},
        {1997, 3, 2, 6},
        {1997, 1, 1, 4},
        {1997, 1, 2, 3},
        {1997, 12, 1, 2},
        {1997, 12, 2, 1},
        // any value other than 1 starts the week on Monday
        {2015, 2, 0, 7},
        {2015, 2, 7, 7},
        {1997, 12, -3, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GridOffset(c.year, c.month, c.start), c.offset)
            << c.year << "-" << c.month << " start " << c.start;
}

// Which cells of the 6 × 7 grid show days 1..n; every other cell is blank.
TEST(MonthGrid, CellNumbering)
{
    struct Case
    {
        const char *what;
        int year, month, start;
        int firstCell, lastCell;
    };
    const Case cases[] = {
        {"1st on a Sunday, Sunday start", 1997, 6, 1, 1, 30},
        {"1st on a Sunday, Monday start", 1997, 6, 2, 7, 36},
        {"31 days from a Saturday, Sunday start", 1997, 3, 1, 7, 37},
        {"31 days from a Saturday, Monday start", 1997, 3, 2, 6, 36},
        {"February 2015", 2015, 2, 1, 1, 28},
        {"February 2015, Monday start", 2015, 2, 2, 7, 34},
        {"leap February 2004 from a Sunday", 2004, 2, 1, 1, 29},
        {"January 1997 from a Wednesday", 1997, 1, 1, 4, 34},
        {"December 1997 from a Monday, Monday start", 1997, 12, 2, 1, 31},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 7; ++col) {
                const int cell = row * 7 + col + 1;
                const int want =
                    cell >= c.firstCell && cell <= c.lastCell ? cell - c.firstCell + 1 : 0;
                EXPECT_EQ(GridDay(c.year, c.month, c.start, row, col), want) << "cell " << cell;
            }
    }
}

TEST(MonthGrid, ColumnHeadings)
{
    const int sunday[7] = {1, 2, 3, 4, 5, 6, 7};
    const int monday[7] = {2, 3, 4, 5, 6, 7, 1};
    for (int col = 0; col < 7; ++col) {
        EXPECT_EQ(ColumnDayIndex(1, col), sunday[col]);
        for (const int start : {2, 0, 5})
            EXPECT_EQ(ColumnDayIndex(start, col), monday[col]) << "start " << start;
    }
}

TEST(MonthGrid, AddMonths)
{
    struct Case
    {
        int month, year, count;
        TMonthYear want;
    };
    const Case cases[] = {
        {1, 1998, -1, {12, 1997}}, {12, 1997, 1, {1, 1998}},   {5, 2000, 0, {5, 2000}},
        {12, 1997, 0, {12, 1997}}, {1, 2000, -13, {12, 1998}}, {12, 1999, 25, {1, 2002}},
        {6, 2000, -24, {6, 1998}}, {3, 1998, 12, {3, 1999}},
    };
    for (const Case &c : cases) {
        const TMonthYear got = AddMonths(c.month, c.year, c.count);
        EXPECT_EQ(got, c.want) << c.month << "/" << c.year << " + " << c.count << " gave "
                               << got.month << "/" << got.year;
    }
}

TEST(MonthGrid, MiniCountsByLayout)
{
    const int counts[kLayoutCount] = {0,  0,  2,  2,  12, 12, 12, 12, 6, 6, 12,
                                      12, 24, 24, 48, 48, 60, 60, 0,  0, 0, 0};
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        EXPECT_EQ(MiniCount(layout), counts[layout]) << "layout " << layout;
        EXPECT_EQ(MiniMonths(layout, 3, 1998).size(), size_t(counts[layout]))
            << "layout " << layout;
    }
}

TEST(MonthGrid, MiniMonthsOfEveryFamily)
{
    using V = std::vector<TMonthYear>;
    struct Case
    {
        int layout, month, year;
        V want;
    };
    const V sixBefore = {{9, 1997}, {10, 1997}, {11, 1997}, {12, 1997}, {1, 1998}, {2, 1998},
                         {4, 1998}, {5, 1998},  {6, 1998},  {7, 1998},  {8, 1998}, {9, 1998}};
    const V twelveAfter = {{4, 1998},  {5, 1998},  {6, 1998},  {7, 1998}, {8, 1998}, {9, 1998},
                           {10, 1998}, {11, 1998}, {12, 1998}, {1, 1999}, {2, 1999}, {3, 1999}};
    const V sixFrom = {{3, 1998}, {4, 1998}, {5, 1998}, {6, 1998}, {7, 1998}, {8, 1998}};
    const Case cases[] = {
        {loFCMinisInTitle, 1, 1998, {{12, 1997}, {2, 1998}}},
        {loFCMinisInTitleLS, 12, 1997, {{11, 1997}, {1, 1998}}},
        {loFC6Before6After, 3, 1998, sixBefore},
        {loFC6Before6AfterLS, 3, 1998, sixBefore},
        {loFC12After, 3, 1998, twelveAfter},
        {loFC12AfterLS, 3, 1998, twelveAfter},
        {lopMC6Month, 3, 1998, sixFrom},
        {lopMC6MonthLS, 3, 1998, sixFrom},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        const V got = MiniMonths(c.layout, c.month, c.year);
        ASSERT_EQ(got.size(), c.want.size());
        for (size_t k = 0; k < got.size(); ++k)
            EXPECT_EQ(got[k], c.want[k])
                << "mini " << k + 1 << " is " << got[k].month << "/" << got[k].year;
    }
    // The mini-only sheets start with the main month and run on.
    for (int layout = loMC12Month; layout <= loMC60MonthLS; ++layout) {
        const V got = MiniMonths(layout, 11, 1999);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.front(), (TMonthYear{11, 1999}));
        EXPECT_EQ(got.back(), AddMonths(11, 1999, int(got.size()) - 1));
    }
    EXPECT_EQ(MiniMonths(loMC60Month, 11, 1999).back(), (TMonthYear{10, 2004}));
}

TEST(MonthGrid, WeekPlannerRowsRunFromTheDateItself)
{
    // 29 December 1997 is a Monday; the planner does not care about the week start.
    const auto rows = WeekPlannerRows(1997, 12, 29, 7, english(), dsThreeChars);
    ASSERT_EQ(rows.size(), 8U);
    EXPECT_EQ(lefts(rows),
              (std::vector<std::string>{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun", "Notes"}));
    EXPECT_EQ(rights(rows), (std::vector<std::string>{"29 Dec", "30 Dec", "31 Dec", "1 Jan",
                                                      "2 Jan", "3 Jan", "4 Jan", ""}));
    EXPECT_EQ(days(rows), (std::vector<int>{29, 30, 31, 1, 2, 3, 4, 0}));

    const auto first = WeekPlannerRows(1997, 12, 29, 7, english(), dsFirstChar);
    EXPECT_EQ(first.front().left, "M");
    const auto whole = WeekPlannerRows(1997, 12, 29, 7, english(), dsWhole);
    EXPECT_EQ(whole.front().left, "Monday");
    EXPECT_EQ(whole.at(6).left, "Sunday");

    const auto two = WeekPlannerRows(1998, 2, 20, 14, english(), dsThreeChars);
    ASSERT_EQ(two.size(), 15U);
    EXPECT_EQ(days(two), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(two.at(9).right, "1 Mar");
    EXPECT_EQ(two.back().left, "Notes");
}

// Names are cut by characters, not bytes, in every language.
TEST(MonthGrid, WeekPlannerLabelsCutAccentedNames)
{
    // 1 August 1998 is a Saturday; 2 September 1998 a Wednesday.
    const auto fr =
        WeekPlannerRows(1998, 8, 1, 7, BuiltInNames(TNameLanguage::French), dsThreeChars);
    EXPECT_EQ(fr.front().left, "Sam");
    EXPECT_EQ(fr.front().right, "1 Aoû");
    EXPECT_EQ(fr.front().iDay, 1);
    const auto es =
        WeekPlannerRows(1998, 9, 2, 7, BuiltInNames(TNameLanguage::Spanish), dsThreeChars);
    EXPECT_EQ(es.front().left, "Mié");
    EXPECT_EQ(es.at(3).left, "Sáb");
    const auto it =
        WeekPlannerRows(1998, 9, 2, 7, BuiltInNames(TNameLanguage::Italian), dsFirstChar);
    EXPECT_EQ(it.front().left, "M");
    EXPECT_EQ(it.front().right, "2 Set");
}

TEST(MonthGrid, DayPlannerHourLabels)
{
    const auto rows = DayPlannerRows(EncodeTime(8, 0, 0), 10);
    EXPECT_EQ(lefts(rows), (std::vector<std::string>{"8:00 am", "9:00 am", "10:00 am", "11:00 am",
                                                     "12:00 pm", "1:00 pm", "2:00 pm", "3:00 pm",
                                                     "4:00 pm", "5:00 pm", "Notes"}));
    for (const auto &r : rows) {
        EXPECT_EQ(r.right, "");
        EXPECT_EQ(r.iDay, 0);
    }
    const auto fifteen = DayPlannerRows(EncodeTime(8, 0, 0), 15);
    ASSERT_EQ(fifteen.size(), 16U);
    EXPECT_EQ(fifteen.at(14).left, "10:00 pm");
    EXPECT_EQ(fifteen.at(15).left, "Notes");

    const auto half = DayPlannerRows(EncodeTime(9, 30, 0), 10);
    EXPECT_EQ(half.front().left, "9:30 am");
    EXPECT_EQ(half.at(3).left, "12:30 pm");

    const auto midnight = DayPlannerRows(EncodeTime(23, 0, 0), 3);
    EXPECT_EQ(lefts(midnight),
              (std::vector<std::string>{"11:00 pm", "12:00 am", "1:00 am", "Notes"}));
}

// An hour is added as 60 minutes of 0.000694445 days, a little over 1/24: a start just
// before a full minute moves past it on the next row.
TEST(MonthGrid, DayPlannerAddsTheMinuteConstant)
{
    EXPECT_DOUBLE_EQ(kPlannerHourStep, 60 * 0.000694445);
    const auto rows = DayPlannerRows(EncodeTime(8, 59, 59, 998), 3);
    EXPECT_EQ(rows.at(0).left, "8:59 am");
    EXPECT_EQ(rows.at(1).left, "10:00 am"); // with exactly 1/24 this would be 9:59 am
    EXPECT_EQ(rows.at(2).left, "11:00 am");

    // A sum below zero is clamped to midnight.
    const auto negative = DayPlannerRows(-0.5, 3);
    ASSERT_EQ(negative.size(), 4U);
    EXPECT_EQ(negative.at(1).left, "12:00 am");
    EXPECT_EQ(negative.at(2).left, "1:00 am");
}

TEST(MonthGrid, Titles)
{
    EXPECT_EQ(MonthTitle(english(), 12, 1997, true), "December 1997");
    EXPECT_EQ(MonthTitle(english(), 12, 1997, false), "December");
    EXPECT_EQ(MonthTitle(BuiltInNames(TNameLanguage::German), 3, 2004, true), "März 2004");

    struct Case
    {
        int year, month, day, days;
        const char *want;
    };
    const Case weeks[] = {
        {1997, 12, 29, 7, "December 29, 1997 - January 4, 1998"},
        {1998, 1, 5, 7, "January 5-11, 1998"},
        {1998, 1, 26, 7, "January 26 - February 1, 1998"},
        {1998, 1, 5, 14, "January 5-18, 1998"},
        {1998, 12, 20, 14, "December 20, 1998 - January 2, 1999"},
        {2004, 2, 23, 7, "February 23-29, 2004"},
        {2003, 2, 23, 7, "February 23 - March 1, 2003"},
    };
    for (const Case &c : weeks)
        EXPECT_EQ(WeekPlannerTitle(english(), c.year, c.month, c.day, c.days), c.want);

    EXPECT_EQ(DayPlannerTitle(english(), 1997, 1, 1), "Wednesday, January 1, 1997");
    EXPECT_EQ(DayPlannerTitle(english(), 2000, 2, 29), "Tuesday, February 29, 2000");
}

TEST(DayCellTable, CellAtPointIsHalfOpen)
{
    TDayCellTable t;
    t.cell(1).rTotal = {10, 10, 20, 20};
    t.cell(2).rTotal = {21, 10, 31, 20};
    t.cell(9).rTotal = {10, 21, 20, 31};
    struct Case
    {
        int x, y, cell;
    };
    const Case cases[] = {
        {10, 10, 1}, {19, 19, 1}, {20, 15, 0}, // right edge is outside
        {15, 20, 0},                           // bottom edge is outside
        {9, 15, 0},  {15, 9, 0},  {20, 10, 0}, // the line between cells 1 and 2
        {21, 10, 2}, {30, 19, 2}, {31, 19, 0}, {10, 21, 9}, {19, 30, 9}, {19, 31, 0}, {0, 0, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(t.CellAtPoint(c.x, c.y), c.cell) << c.x << "," << c.y;
        EXPECT_EQ(t.IsPointInCell(c.x, c.y), c.cell != 0) << c.x << "," << c.y;
    }
    // Overlapping cells: the lowest index wins.
    t.cell(5).rTotal = {100, 100, 200, 200};
    t.cell(3).rTotal = {150, 150, 250, 250};
    EXPECT_EQ(t.CellAtPoint(160, 160), 3);
    EXPECT_EQ(t.CellAtPoint(110, 110), 5);

    t.clear();
    EXPECT_EQ(t.CellAtPoint(0, 0), 0);
    EXPECT_EQ(t.CellAtPoint(15, 15), 0);
}

TEST(DayCellTable, CellOfDayAndCellDay)
{
    TDayCellTable t;
    t.cell(9).iDay = 5;
    t.cell(3).iDay = 5;
    t.cell(42).iDay = 31;
    t.cell(1).iDay = 7;
    EXPECT_EQ(t.CellOfDay(5), 3); // the lower index wins
    EXPECT_EQ(t.CellOfDay(31), 42);
    EXPECT_EQ(t.CellOfDay(7), 1);
    EXPECT_EQ(t.CellOfDay(6), -1);
    EXPECT_EQ(t.CellOfDay(32), -1);
    EXPECT_EQ(t.CellDay(9), 5);
    EXPECT_EQ(t.CellDay(42), 31);
    EXPECT_EQ(t.CellDay(0), 0);
    EXPECT_EQ(t.CellDay(43), 0);
    EXPECT_EQ(t.CellDay(-1), 0);

    t.cell(4).rTotal = {1, 2, 3, 4};
    t.cell(4).rFree = {1, 3, 3, 4};
    EXPECT_TRUE(t.hasTextArea(4));
    t.clearAreas();
    EXPECT_TRUE(t.cell(4).rTotal.isAllZero());
    EXPECT_FALSE(t.hasTextArea(4));
    EXPECT_EQ(t.CellDay(9), 5); // clearing the areas keeps the days
    EXPECT_FALSE(t.hasTextArea(0));
    EXPECT_FALSE(t.hasTextArea(43));
}

// Values a damaged document can carry never crash the arithmetic.
TEST(MonthGrid, DamagedValuesAreHarmless)
{
    for (const int month : {0, 13, -1, 1000}) {
        SCOPED_TRACE(testing::Message() << "month " << month);
        EXPECT_EQ(DaysInMonth(1997, month), 0);
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 7; ++col)
                EXPECT_EQ(GridDay(1997, month, 1, row, col), 0);
        EXPECT_EQ(MonthNameAt(english(), month), "");
        EXPECT_EQ(MiniMonths(loFC12After, month, 1997).size(), 12U);
        EXPECT_EQ(WeekPlannerRows(1997, month, 1, 7, english(), dsWhole).size(), 8U);
        EXPECT_FALSE(WeekPlannerTitle(english(), 1997, month, 1, 7).empty());
        EXPECT_FALSE(DayPlannerTitle(english(), 1997, month, 1).empty());
    }
    for (const int year : {0, -1, -400, 10000, 99999}) {
        SCOPED_TRACE(testing::Message() << "year " << year);
        const int offset = GridOffset(year, 2, 1);
        EXPECT_GE(offset, 1);
        EXPECT_LE(offset, 7);
        EXPECT_EQ(WeekPlannerRows(year, 2, 1, 14, english(), dsWhole).size(), 15U);
        EXPECT_FALSE(DayPlannerTitle(english(), year, 2, 1).empty());
        EXPECT_EQ(MiniMonths(loMC60Month, 2, year).size(), 60U);
    }
    for (const int day : {0, -5, 32, 99}) {
        SCOPED_TRACE(testing::Message() << "day " << day);
        const auto rows = WeekPlannerRows(1997, 2, day, 7, english(), dsWhole);
        ASSERT_EQ(rows.size(), 8U);
        for (size_t i = 0; i + 1 < rows.size(); ++i) {
            EXPECT_GE(rows[i].iDay, 1);
            EXPECT_LE(rows[i].iDay, 31);
        }
        EXPECT_FALSE(WeekPlannerTitle(english(), 1997, 2, day, 7).empty());
    }
    for (const int index : {0, 8, -1, 100}) {
        EXPECT_EQ(DayNameAt(english(), index), "");
        EXPECT_EQ(CutName(DayNameAt(english(), index), dsThreeChars), "");
    }
    EXPECT_EQ(CutName("Mo", dsThreeChars), "Mo");
    EXPECT_EQ(CutName("", dsFirstChar), "");
}

TEST(NameTables, BuiltInLanguages)
{
    struct Case
    {
        TNameLanguage language;
        int day; // 1 = Sunday
        const char *dayName;
        int month;
        const char *monthName;
    };
    const Case cases[] = {
        {TNameLanguage::English, 1, "Sunday", 1, "January"},
        {TNameLanguage::English, 7, "Saturday", 12, "December"},
        {TNameLanguage::French, 2, "Lundi", 2, "Février"},
        {TNameLanguage::French, 7, "Samedi", 8, "Août"},
        {TNameLanguage::German, 6, "Freitag ", 3, "März"}, // the trailing space is kept
        {TNameLanguage::German, 1, "Sonntag", 12, "Dezember"},
        {TNameLanguage::Spanish, 4, "Miércoles", 9, "Septiembre"},
        {TNameLanguage::Spanish, 7, "Sábado", 5, "Mayo"},
        {TNameLanguage::Italian, 2, "Lunedì", 6, "Giugno"},
        {TNameLanguage::Italian, 1, "Domenica", 1, "Gennaio"},
    };
    for (const Case &c : cases) {
        const TNameTables &t = BuiltInNames(c.language);
        EXPECT_EQ(DayNameAt(t, c.day), c.dayName);
        EXPECT_EQ(MonthNameAt(t, c.month), c.monthName);
    }
    for (int lang = 0; lang < 5; ++lang) {
        const TNameTables &t = BuiltInNames(static_cast<TNameLanguage>(lang));
        for (const auto &m : t.months)
            EXPECT_FALSE(m.empty());
        for (const auto &d : t.days)
            EXPECT_FALSE(d.empty());
    }
}
