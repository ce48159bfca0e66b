#include "recurring/RecurFormula.h"

#include <gtest/gtest.h>

using namespace velmora;
using Days = std::vector<int>;

namespace {
std::string entry(std::string_view formula, std::string_view name = "Event")
{
    return MakeRecurringEntry(name, formula);
}

// Anonymous Gregorian algorithm, independent of the arithmetic under test.
void gregorianEaster(int y, int &month, int &day)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    month = (h + l - 7 * m + 114) / 31;
    day = (h + l - 7 * m + 114) % 31 + 1;
}
} // namespace

TEST(RecurFormula, OrdinalText)
{
    const std::pair<int, const char *> cases[] = {
        {1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},    {10, "10th"}, {11, "11th"},
        {12, "12th"},   {13, "13th"},   {21, "21st"},   {23, "23rd"},  {31, "31st"}, {0, "0th"},
        {101, "101st"}, {111, "111th"}, {112, "112th"}, {122, "122nd"}};
    for (const auto &[n, text] : cases)
        EXPECT_EQ(OrdinalText(n), text) << n;
}

TEST(RecurFormula, FixedWidthAndTrimOnlySpaces)
{
    EXPECT_EQ(FixedWidth("abc", 5), "abc  ");
    EXPECT_EQ(FixedWidth("abcdef", 3), "abc");
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta\t "), "\ta\t");
    EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(RecurFormula, BuildersAndStoredForms)
{
    EXPECT_EQ(DayOfMonthFormula(5, 0), "@0005");
    EXPECT_EQ(DayOfMonthFormula(25, 12), "@1225");
    // Every field is two wide; only months 10 to 12 fill the last one.
    EXPECT_EQ(SpecialFormula(0, 1, 9), "$0 1 9 ");
    EXPECT_EQ(SpecialFormula(5, 0, 10), "$5 0 10");
    EXPECT_EQ(SpecialFormula(3, 4, 11), "$3 4 11");
    EXPECT_EQ(entryFormula(entry("$0 1 9")), "$0 1 9    ");
    EXPECT_EQ(entryFormula(entry("$5 0 10")), "$5 0 10   ");
    EXPECT_EQ(DaysOfWeekFormula({false, true, false, true, false, true, false}), "%246");
    EXPECT_EQ(DaysOfWeekFormula({true, true, true, true, true, true, true}), "%1234567");
}

TEST(RecurFormula, EveryDialogValueReadsBackFromTheStoredLine)
{
    for (int month = 0; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            int d = 0, m = -1;
            ASSERT_TRUE(
                ParseDayOfMonthFormula(entryFormula(entry(DayOfMonthFormula(day, month))), d, m));
            EXPECT_EQ(d, day);
            EXPECT_EQ(m, month);
        }
        for (int occ = 0; occ <= 5; ++occ) {
            for (int wd = 0; wd <= 7; ++wd) {
                int o = -1, w = -1, m = -1;
                const std::string line = entry(SpecialFormula(occ, wd, month));
                ASSERT_EQ(line.size(), 130u);
                ASSERT_TRUE(ParseSpecialFormula(entryFormula(line), o, w, m));
                EXPECT_EQ(std::tie(o, w, m), std::tie(occ, wd, month));
            }
        }
    }
}

TEST(RecurFormula, UnreadableFormulasFailAndLeaveOutputsAlone)
{
    for (const char *f : {"", "@", "@12", "@ab01", "@12 x", "@1-"}) {
        int day = 77, month = 77;
        EXPECT_FALSE(ParseDayOfMonthFormula(f, day, month)) << f;
        EXPECT_EQ(day + month, 154) << f;
    }
    for (const char *f : {"$", "$3 4", "$x 4 11", "$3 4 1a"}) {
        int o = 77, w = 77, m = 77;
        EXPECT_FALSE(ParseSpecialFormula(f, o, w, m)) << f;
        EXPECT_EQ(o + w + m, 231) << f;
    }
}

TEST(RecurFormula, EntryLineIsCutAndPadded)
{
    const std::string longText(130, 'x');
    const std::string line = MakeRecurringEntry(longText, "@1225");
    ASSERT_EQ(line.size(), 130u);
    EXPECT_EQ(entryName(line), longText.substr(0, 120));
    EXPECT_EQ(line.substr(120), "@1225     ");
    EXPECT_EQ(MakeRecurringEntry("", "%12345678901").size(), 130u);
}

TEST(RecurFormula, EntryDaysInAMonth)
{
    struct Case
    {
        const char *formula;
        int y, m;
        Days days;
    };
    const Case cases[] = {
        {"$5 0 10", 2026, 10, {25}},
        {"$0 1 9", 2026, 9, {7}},
        {"$0 1 9", 2026, 10, {}},
        {"$4 1 0", 2026, 2, {}},
        {"$4 1 0", 2026, 3, {30}},
        {"$5 7 0", 2024, 2, {29}},
        {"$5 7 0", 2025, 2, {28}},
        {"$2 7 0", 2026, 7, {3}},
        {"$3 4 11", 2026, 11, {26}},
        {"$5 1 5", 2026, 5, {25}},
        {"$5 6 10", 2026, 10, {31}},
        {"$4 6 10", 2026, 10, {31}},
        {"$0 4 0", 2026, 10, {1}},
        {"@0031", 2026, 4, {31}},
        {"@0229", 2025, 2, {29}},
        {"@1225", 2026, 12, {25}},
        {"@1225", 2026, 11, {}},
        {"%246", 2026, 2, {2, 4, 6, 9, 11, 13, 16, 18, 20, 23, 25, 27}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EntryDays(entry(c.formula), c.y, c.m), c.days) << c.formula << " " << c.m;
    EXPECT_EQ(EntryDays(entry("%1234567"), 2024, 2).size(), 29u);
    EXPECT_TRUE(EntryDays(entry("%1234567"), 2026, 13).empty());
}

TEST(RecurFormula, EasterMatchesTheGregorianDate)
{
    EXPECT_EQ(EasterSunday(2000), EncodeDate(2000, 4, 23));
    EXPECT_EQ(EasterSunday(2024), EncodeDate(2024, 3, 31));
    EXPECT_EQ(EasterSunday(2025), EncodeDate(2025, 4, 20));
    EXPECT_EQ(EasterSunday(2026), EncodeDate(2026, 4, 5));
    for (int y = 1900; y <= 2099; ++y) {
        int month = 0, day = 0;
        gregorianEaster(y, month, day);
        const TDateTime easter = EncodeDate(y, month, day);
        ASSERT_EQ(EasterSunday(y), easter) << y;
        int fy, fm, fd, py, pm, pd;
        DecodeDate(easter - 2, fy, fm, fd);
        DecodeDate(easter - 7, py, pm, pd);
        EXPECT_EQ(GoodFridayDayInMonth(y, fm), fd) << y;
        EXPECT_EQ(PalmSundayDayInMonth(y, pm), pd) << y;
    }
    // A year the date value cannot hold must not turn into 30 December 1899.
    EXPECT_EQ(EasterSunday(0), 0);
    EXPECT_EQ(EasterDayInMonth(0, 12), 0);
    EXPECT_EQ(GoodFridayDayInMonth(10000, 12), 0);
}

TEST(RecurFormula, FeastsAcrossMarchAndApril)
{
    EXPECT_EQ(EasterDayInMonth(2024, 3), 31);
    EXPECT_EQ(EasterDayInMonth(2024, 4), 0);
    EXPECT_EQ(GoodFridayDayInMonth(2024, 3), 29);
    EXPECT_EQ(PalmSundayDayInMonth(2026, 3), 29);
    EXPECT_EQ(EasterDayInMonth(2026, 3), 0);
    const std::string palm = FixedWidth("Palm Sunday", 120) + "#PALMSUNDAY";
    const std::string easter = FixedWidth("Easter", 120) + "#easter   "; // read trimmed, any case
    EXPECT_TRUE(EntryConcernsMonth(palm, 2026, 3));
    EXPECT_FALSE(EntryConcernsMonth(palm, 2026, 4));
    EXPECT_FALSE(EntryConcernsMonth(easter, 2026, 3));
    EXPECT_EQ(EntryDays(palm, 2026, 3), Days{29});
    EXPECT_EQ(EntryDays(easter, 2026, 4), Days{5});
}

TEST(RecurFormula, DisplayTexts)
{
    EXPECT_EQ(EntryDisplayText(entry("$3 4 11", "Thanksgiving Day")),
              "Thanksgiving Day (4th Thu of November)");
    EXPECT_EQ(EntryDisplayText(entry("$5 1 5", "Memorial Day")), "Memorial Day (Last Mon of May)");
    EXPECT_EQ(EntryDisplayText(entry("$5 7 0", "Payday")), "Payday (Last Day Each Month)");
    EXPECT_EQ(EntryDisplayText(entry("$0 7 1", "Rent")), "Rent (1st Day January)");
    EXPECT_EQ(EntryDisplayText(entry("@1225", "  Christmas")), "Christmas (25th of December)");
    EXPECT_EQ(EntryDisplayText(entry("@0015", "Bills")), "Bills (15th of Each Month)");
    EXPECT_EQ(EntryDisplayText(entry("%246", "Gym")), "Gym (Mon,Wed,Fri)");
    const std::string feast = FixedWidth("Easter", 120) + "#EASTER";
    EXPECT_EQ(EntryDisplayText(feast), FixedWidth("Easter", 120));
    EXPECT_EQ(EntryDisplayText("Short note "), "Short note ");

    LocaleDateNames german = LocaleDateNames::english();
    german.months[10] = "November";
    german.months[2] = "M\xE4rz";
    german.shortDays[4] = "Do";
    EXPECT_EQ(EntryDisplayText(entry("$3 4 11", "Feier"), german), "Feier (4th Do of November)");
    EXPECT_EQ(EntryDisplayText(entry("@0301", "X"), german), "X (1st of M\xE4rz)");
}

TEST(RecurFormula, DamagedEntriesConcernNoMonthAndYieldNoDay)
{
    // Values outside what the dialog produces would index past the name tables.
    for (const char *f : {"@", "@ab12", "@1340", "@0000", "@00-1", "$x 1 1", "$9 9 99", "$3 4",
                          "$6 1 0", "$0 8 0", "$0 1 13"}) {
        const std::string line = entry(f, "Broken");
        EXPECT_EQ(EntryDisplayText(line), "Broken ()") << f;
        for (int m = 1; m <= 12; ++m) {
            EXPECT_FALSE(EntryConcernsMonth(line, 2026, m)) << f;
            EXPECT_TRUE(EntryDays(line, 2026, m).empty()) << f;
        }
    }
    // Unknown feast keywords and lines without a formula go with every month but fill nothing.
    for (const std::string &line : {FixedWidth("Odd", 120) + "#LAMMAS",
                                    std::string("Plain line"), std::string(120, 'x')}) {
        for (int m = 1; m <= 12; ++m) {
            EXPECT_TRUE(EntryConcernsMonth(line, 2026, m)) << line;
            EXPECT_TRUE(EntryDays(line, 2026, m).empty()) << line;
        }
    }
}

// --- feasts of the holiday sets ----------------------------------------------------------

namespace {

// Meeus/Jones/Butcher, written out independently of the program's computation.
TDateTime meeusEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return EncodeDate(y, month, day);
}

// Meeus's Julian algorithm, then the calendars' difference in days (13 from March 1900
// to February 2100, 14 after).
TDateTime julianEaster(int y)
{
    const int a = y % 4, b = y % 7, c = y % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int month = (d + e + 114) / 31;
    const int day = (d + e + 114) % 31 + 1;
    return EncodeDate(y, month, day) + (y / 100 - y / 400 - 2);
}

} // namespace

TEST(HolidayFeasts, EachNewKeywordOverTwoCenturies)
{
    const std::pair<std::string_view, int> offsets[] = {
        {"#EASTERMON", 1},  {"#ASHWED", -46},     {"#ASCENSION", 39},
        {"#PENTECOST", 49}, {"#WHITMONDAY", 50}, {"#CORPUSCHR", 60}};
    for (int year = 1900; year <= 2100; ++year) {
        const TDateTime easter = meeusEaster(year);
        for (const auto &[keyword, offset] : offsets) {
            const TDateTime expected = easter + offset;
            EXPECT_EQ(FeastDate(keyword, year), expected) << keyword << " " << year;
            // Through a store line too, as the fill reads it.
            int y = 0, m = 0, d = 0;
            DecodeDate(expected, y, m, d);
            const std::string line = FixedWidth("Feast", kEntryNameWidth) + std::string(keyword);
            EXPECT_EQ(EntryDays(line, year, m), std::vector<int>{d}) << keyword << " " << year;
            EXPECT_TRUE(EntryConcernsMonth(line, year, m));
            EXPECT_FALSE(EntryConcernsMonth(line, year, m == 12 ? 1 : m + 1));
        }
        EXPECT_EQ(FeastDate("#ORTHEASTER", year), julianEaster(year)) << year;
        EXPECT_EQ(DayOfWeek(FeastDate("#ORTHEASTER", year)), 1) << year;
    }
    EXPECT_EQ(FeastDate("#ORTHEASTER", 2027), EncodeDate(2027, 5, 2));
    EXPECT_EQ(FeastDate("#ASHWED", 2027), EncodeDate(2027, 2, 10));
    EXPECT_EQ(FeastDate("#CORPUSCHR", 2027), EncodeDate(2027, 5, 27));
}

TEST(HolidayFeasts, KeywordsReadAsTheOldOnesAndOldStoresReadAsBefore)
{
    // Lower case and padding read the same; each keyword fits the 11-character field.
    const std::string padded = FixedWidth("Whit Monday", kEntryNameWidth) + "#whitmonday";
    EXPECT_EQ(EntryDays(padded, 2027, 5), std::vector<int>{17});
    EXPECT_EQ(EntryDisplayText(padded), FixedWidth("Whit Monday", kEntryNameWidth));
    const std::string tooLong = FixedWidth("X", kEntryNameWidth) + "#ORTHEASTERX";
    EXPECT_EQ(EntryDays(tooLong, 2027, 5), std::vector<int>{2}) << "only 11 characters are read";
    // The keywords of old keep their arithmetic, also in 2100 where it differs.
    const std::string easter = FixedWidth("Easter", kEntryNameWidth) + "#EASTER";
    EXPECT_EQ(EntryDays(easter, 2100, 3), std::vector<int>{27});
    EXPECT_EQ(FeastDate("#EASTER", 2024), EncodeDate(2024, 3, 31));
    EXPECT_EQ(FeastDate("#GOODFRIDAY", 2026), EncodeDate(2026, 4, 3));
    EXPECT_EQ(FeastDate("#UNKNOWN", 2026), 0);
    const std::string unknown = FixedWidth("X", kEntryNameWidth) + "#EASTERTUE";
    EXPECT_TRUE(EntryConcernsMonth(unknown, 2027, 7));
    EXPECT_TRUE(EntryDays(unknown, 2027, 3).empty());
}
