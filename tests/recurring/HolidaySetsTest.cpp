#include "recurring/HolidaySets.h"
#include "recurring/RecurFormula.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace velmora;
using ::testing::HasSubstr;

namespace {

// Public holidays in 2027 as "MMDD", from the countries' official 2027 lists (OPM, gov.uk,
// canada.ca, the Diario Oficial, the Bundesministerium, service-public.fr and the like).
const std::map<std::string, std::vector<std::string>> kHolidays2027 = {
    {"US", {"0101", "0118", "0215", "0531", "0619", "0704", "0906", "1011", "1111", "1125", "1225"}},
    {"CA", {"0101", "0326", "0701", "0906", "0930", "1011", "1111", "1225", "1226"}},
    {"MX", {"0101", "0201", "0315", "0501", "0916", "1115", "1225"}},
    {"BR", {"0101", "0326", "0421", "0501", "0907", "1012", "1102", "1115", "1120", "1225"}},
    {"GB", {"0101", "0326", "0329", "0503", "0531", "0830", "1225", "1226"}},
    {"IE", {"0101", "0317", "0329", "0503", "0607", "0802", "1025", "1225", "1226"}},
    {"FR", {"0101", "0329", "0501", "0506", "0508", "0517", "0714", "0815", "1101", "1111", "1225"}},
    {"DE", {"0101", "0326", "0329", "0501", "0506", "0517", "1003", "1225", "1226"}},
    {"AT", {"0101", "0106", "0329", "0501", "0506", "0517", "0527", "0815", "1026", "1101", "1208",
            "1225", "1226"}},
    {"CH", {"0101", "0506", "0801", "1225"}},
    {"IT", {"0101", "0106", "0328", "0329", "0425", "0501", "0602", "0815", "1004", "1101", "1208",
            "1225", "1226"}},
    {"ES", {"0101", "0106", "0326", "0501", "0815", "1012", "1101", "1206", "1208", "1225"}},
    {"NL", {"0101", "0326", "0328", "0329", "0427", "0505", "0506", "0516", "0517", "1225", "1226"}},
    {"BE", {"0101", "0329", "0501", "0506", "0517", "0721", "0815", "1101", "1111", "1225"}},
    {"AU", {"0101", "0126", "0326", "0329", "0425", "1225", "1226"}},
    {"NZ", {"0101", "0102", "0206", "0326", "0329", "0425", "0607", "1025", "1225", "1226"}},
    {"PT", {"0101", "0326", "0328", "0425", "0501", "0527", "0610", "0815", "1005", "1101", "1201",
            "1208", "1225"}},
    {"GR", {"0101", "0106", "0325", "0501", "0502", "0815", "1028", "1225", "1226"}},
};

// Days kept in place of weekend dates in 2027, as "MMDD".
const std::map<std::string, std::vector<std::string>> kObserved2027 = {
    {"US", {"0618", "0705", "1224", "1231"}},
    {"CA", {"1227", "1228"}},
    {"GB", {"1227", "1228"}},
    {"AU", {"1227", "1228"}},
    {"NZ", {"0104", "0208", "0426", "1227", "1228"}},
    {"NL", {}},
};

std::string mmdd(int month, int day)
{
    char text[5];
    std::snprintf(text, sizeof text, "%02d%02d", month, day);
    return text;
}

std::vector<std::string> datesIn(const HolidayCountry &country, int year)
{
    std::vector<std::string> dates;
    for (int month = 1; month <= 12; ++month)
        for (const CountryHoliday &h : country.holidays)
            for (const int day : EntryDays(h.line, year, month))
                dates.push_back(mmdd(month, day));
    std::sort(dates.begin(), dates.end());
    return dates;
}

std::vector<std::string> observedIn(const HolidayCountry &country, int year)
{
    std::vector<std::string> dates;
    for (int month = 1; month <= 12; ++month)
        for (const CountryHoliday &h : country.holidays)
            for (const int day : ObservedDays(country, h.line, year, month))
                dates.push_back(mmdd(month, day));
    std::sort(dates.begin(), dates.end());
    return dates;
}

} // namespace

TEST(HolidaySets, EveryCountryIn2027MatchesThePublishedDates)
{
    ASSERT_EQ(HolidayCountries().size(), kHolidays2027.size());
    for (const HolidayCountry &country : HolidayCountries()) {
        const auto expected = kHolidays2027.find(country.code);
        ASSERT_NE(expected, kHolidays2027.end()) << country.code;
        EXPECT_EQ(datesIn(country, 2027), expected->second) << country.code;
        for (const CountryHoliday &h : country.holidays)
            EXPECT_TRUE(h.line.size() == 130 || entryMarker(h.line) == kFeastMarker) << h.line;
    }
}

TEST(HolidaySets, ObservedDaysIn2027)
{
    std::vector<std::string> withRules;
    for (const auto &[code, days] : kObserved2027)
        withRules.push_back(code);
    std::vector<std::string> actual = CountriesWithObservedDays();
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, withRules);
    for (const auto &[code, days] : kObserved2027)
        EXPECT_EQ(observedIn(*FindHolidayCountry(code), 2027), days) << code;
    // King's Day on a Sunday (2025) is kept on the Saturday before; Christmas on a Sunday
    // (2022) leaves Boxing Day on Monday and moves Christmas to Tuesday.
    const HolidayCountry &nl = *FindHolidayCountry("NL");
    EXPECT_EQ(ObservedDays(nl, MakeRecurringEntry("King's Day", "@0427"), 2025, 4), std::vector<int>{26});
    const HolidayCountry &gb = *FindHolidayCountry("GB");
    EXPECT_EQ(ObservedDays(gb, MakeRecurringEntry("Christmas Day", "@1225"), 2022, 12), std::vector<int>{27});
    EXPECT_TRUE(ObservedDays(gb, MakeRecurringEntry("Boxing Day", "@1226"), 2022, 12).empty());
    EXPECT_TRUE(ObservedDays(gb, MakeRecurringEntry("Christmas", "@1225"), 2027, 12).empty())
        << "only the set's own line";
}

TEST(HolidaySets, TheUsSetSharesThePredefinedLines)
{
    // A store filled from the predefined holidays gets the observed days of the US set.
    const HolidayCountry &us = *FindHolidayCountry("US");
    EXPECT_EQ(ObservedDays(us, MakeRecurringEntry("Independence Day", "@0704"), 2027, 7), std::vector<int>{5});
}

TEST(HolidaySets, DamagedTablesAreReportedWithTheirLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Noon | @0101 | -", "line 1: holiday before the first country"},
        {"[XX] X\nA | @1301 | -", "line 2: bad formula"},
        {"[XX] X\nA | #EASTERTUE | -", "bad formula"},
        {"[XX] X\nA | @0101", "expected name | formula | observed"},
        {"[XX] X\nA | @0101 | sometimes", "unknown observed rule"},
        {"[XX] X\n[XX] Y", "country XX twice"},
        {"[XX X", "not closed"},
    };
    for (const auto &[text, words] : cases) {
        try {
            (void)ParseHolidayTable(text);
            ADD_FAILURE() << text;
        } catch (const HolidayTableError &e) {
            EXPECT_THAT(e.what(), HasSubstr(words));
        }
    }
    const auto ok = ParseHolidayTable("# comment\n\n[XX] Xland | a law\nA | @0101 | next\nB | #ASHWED | -\n");
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_EQ(ok[0].name, "Xland");
    EXPECT_EQ(ok[0].holidays[1].line, FixedWidth("B", 120) + "#ASHWED");
}
