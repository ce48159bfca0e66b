#include "recurring/IcsImport.h"
#include "recurring/RecurFormula.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

using namespace velmora;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using DayTexts = std::vector<std::pair<int, std::string>>;

std::string calendar(const std::string &body)
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora tests//EN\r\n";
    for (std::size_t from = 0; from < body.size();) {
        const std::size_t nl = body.find('\n', from);
        const std::size_t to = nl == std::string::npos ? body.size() : nl;
        text += body.substr(from, to - from) + "\r\n";
        from = to + 1;
    }
    return text + "END:VCALENDAR\r\n";
}

std::string event(const std::string &summary, const std::string &lines)
{
    return "BEGIN:VEVENT\nUID:" + summary + "@velmora\nSUMMARY:" + summary + "\n" + lines +
           "\nEND:VEVENT\n";
}

DayTexts month(const std::string &ics, int year, int m, const std::string &zone = "Europe/Berlin")
{
    DayTexts out;
    for (const IcsDayText &t : IcsOccurrencesInMonth(ics, year, m, {zone, {}}))
        out.emplace_back(t.day, t.text);
    return out;
}

std::vector<int> days(const std::string &ics, int year, int m)
{
    std::vector<int> out;
    for (const auto &[day, text] : month(ics, year, m))
        out.push_back(day);
    return out;
}

} // namespace

// --- expansion into a month --------------------------------------------------------------

TEST(IcsMonth, WeeklyRuleLeavesOutExcludedDatesAcrossMonths)
{
    const std::string ics = calendar(
        event("Choir", "DTSTART;TZID=Europe/Berlin:20270104T190000\n"
                       "DTEND;TZID=Europe/Berlin:20270104T203000\n"
                       "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\n"
                       "EXDATE;TZID=Europe/Berlin:20270111T190000,20270204T190000\n"
                       "EXDATE;VALUE=DATE:20270301"));
    EXPECT_EQ(days(ics, 2027, 1), (std::vector<int>{4, 7, 14, 18, 21, 25, 28}));
    EXPECT_EQ(days(ics, 2027, 2), (std::vector<int>{1, 8, 11, 15, 18, 22, 25}));
    EXPECT_EQ(days(ics, 2027, 3), (std::vector<int>{4, 8, 11, 15, 18, 22, 25, 29}));
    EXPECT_EQ(month(ics, 2027, 1).front().second, "19:00 Choir");
    EXPECT_TRUE(days(ics, 2026, 12).empty()) << "nothing before the start";
}

TEST(IcsMonth, LastFridayOfEachMonth)
{
    const std::string ics = calendar(event(
        "Payday", "DTSTART;VALUE=DATE:20270129\nRRULE:FREQ=MONTHLY;BYDAY=-1FR"));
    EXPECT_THAT(month(ics, 2027, 1), ElementsAre(std::pair<int, std::string>(29, "Payday")));
    EXPECT_EQ(days(ics, 2027, 4), std::vector<int>{30});
    EXPECT_EQ(days(ics, 2027, 7), std::vector<int>{30});
    EXPECT_EQ(days(ics, 2028, 2), std::vector<int>{25});
}

TEST(IcsMonth, YearlyRuleOnlyInItsMonthAndUntilItsEnd)
{
    const std::string ics = calendar(
        event("Anna", "DTSTART;VALUE=DATE:19900312\nRRULE:FREQ=YEARLY") +
        event("Lease", "DTSTART:20250615T090000Z\nRRULE:FREQ=YEARLY;UNTIL=20270615T090000Z"));
    EXPECT_THAT(month(ics, 2027, 3), ElementsAre(std::pair<int, std::string>(12, "Anna")));
    EXPECT_TRUE(days(ics, 2027, 4).empty());
    EXPECT_EQ(days(ics, 2100, 3), std::vector<int>{12});
    // 09:00 UTC is 11:00 in Berlin summer time.
    EXPECT_THAT(month(ics, 2027, 6), ElementsAre(std::pair<int, std::string>(15, "11:00 Lease")));
    EXPECT_TRUE(days(ics, 2028, 6).empty());
}

TEST(IcsMonth, AllDayEventOverSeveralDaysGoesIntoEachDayOfTheMonth)
{
    // DTEND of an all-day event is the day after its last day.
    const std::string ics = calendar(
        event("Holiday trip", "DTSTART;VALUE=DATE:20270728\nDTEND;VALUE=DATE:20270804"));
    EXPECT_EQ(days(ics, 2027, 7), (std::vector<int>{28, 29, 30, 31}));
    EXPECT_EQ(days(ics, 2027, 8), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(month(ics, 2027, 8).front().second, "Holiday trip");
    EXPECT_TRUE(days(ics, 2027, 9).empty());
}

TEST(IcsMonth, TimedEventCrossingMidnightTakesItsTimeOnTheFirstDayOnly)
{
    const std::string ics = calendar(event(
        "Night shift", "DTSTART:20270330T220000\nDTEND:20270331T060000"));
    EXPECT_THAT(month(ics, 2027, 3), ElementsAre(std::pair<int, std::string>(30, "22:00 Night shift"),
                                                 std::pair<int, std::string>(31, "Night shift")));
    EXPECT_TRUE(days(ics, 2027, 4).empty()) << "the end is exclusive";
}

TEST(IcsMonth, ZoneOfTheEventCrossesMidnightAndMonthInTheShownZone)
{
    // 22:30 in Los Angeles on 31 January is 07:30 on 1 February in Berlin.
    const std::string named = calendar(event(
        "Call", "DTSTART;TZID=America/Los_Angeles:20270131T223000\nDURATION:PT30M"));
    EXPECT_TRUE(days(named, 2027, 1).empty());
    EXPECT_THAT(month(named, 2027, 2), ElementsAre(std::pair<int, std::string>(1, "7:30 Call")));
    EXPECT_THAT(month(named, 2027, 1, "America/Los_Angeles"),
                ElementsAre(std::pair<int, std::string>(31, "22:30 Call")));
    EXPECT_THAT(month(named, 2027, 1, ""), ElementsAre(std::pair<int, std::string>(31, "22:30 Call")))
        << "no shown zone: times as written";

    // The same through a zone the file defines itself under a name of its own.
    const std::string own = calendar(
        "BEGIN:VTIMEZONE\nTZID:Pacific Office\n"
        "BEGIN:STANDARD\nDTSTART:19701101T020000\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\n"
        "TZOFFSETFROM:-0700\nTZOFFSETTO:-0800\nEND:STANDARD\n"
        "BEGIN:DAYLIGHT\nDTSTART:19700308T020000\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\n"
        "TZOFFSETFROM:-0800\nTZOFFSETTO:-0700\nEND:DAYLIGHT\nEND:VTIMEZONE\n" +
        event("Standup", "DTSTART;TZID=Pacific Office:20270104T230000\nRRULE:FREQ=WEEKLY"));
    EXPECT_EQ(days(own, 2027, 1), (std::vector<int>{5, 12, 19, 26}));
    EXPECT_EQ(month(own, 2027, 1).front().second, "8:00 Standup");
    // Summer time begins a fortnight earlier in America than in Europe: 7:00 then.
    EXPECT_EQ(month(own, 2027, 3).at(1).second, "8:00 Standup");
    EXPECT_EQ(month(own, 2027, 3).at(2).second, "7:00 Standup");
}

TEST(IcsMonth, ExtraDatesAndChangedOccurrences)
{
    const std::string ics = calendar(
        event("Review", "DTSTART;VALUE=DATE:20270105\nRRULE:FREQ=WEEKLY;COUNT=4\n"
                        "RDATE;VALUE=DATE:20270130") +
        "BEGIN:VEVENT\nUID:Review@velmora\nSUMMARY:Review (moved)\n"
        "RECURRENCE-ID;VALUE=DATE:20270112\nDTSTART;VALUE=DATE:20270113\nEND:VEVENT\n" +
        event("Dropped", "DTSTART;VALUE=DATE:20270120\nSTATUS:CANCELLED"));
    EXPECT_THAT(month(ics, 2027, 1),
                ElementsAre(std::pair<int, std::string>(5, "Review"),
                            std::pair<int, std::string>(13, "Review (moved)"),
                            std::pair<int, std::string>(19, "Review"),
                            std::pair<int, std::string>(26, "Review"),
                            std::pair<int, std::string>(30, "Review")));
}

TEST(IcsMonth, ChangedOccurrenceInAZoneReplacesTheOriginal)
{
    const std::string ics = calendar(
        event("Call", "DTSTART;TZID=America/New_York:20270105T100000\nRRULE:FREQ=WEEKLY;COUNT=3") +
        "BEGIN:VEVENT\nUID:Call@velmora\nSUMMARY:Call (later)\n"
        "RECURRENCE-ID;TZID=America/New_York:20270112T100000\n"
        "DTSTART;TZID=America/New_York:20270112T150000\nEND:VEVENT\n");
    EXPECT_THAT(month(ics, 2027, 1, "America/New_York"),
                ElementsAre(std::pair<int, std::string>(5, "10:00 Call"),
                            std::pair<int, std::string>(12, "15:00 Call (later)"),
                            std::pair<int, std::string>(19, "10:00 Call")));
}

TEST(IcsMonth, TextsOfOneDayKeepStartOrderAllDayFirst)
{
    const std::string ics = calendar(event("Late", "DTSTART:20270510T180000") +
                                     event("Early", "DTSTART:20270510T080500") +
                                     event("All day", "DTSTART;VALUE=DATE:20270510") +
                                     event("", "DTSTART;VALUE=DATE:20270511"));
    EXPECT_THAT(month(ics, 2027, 5, ""),
                ElementsAre(std::pair<int, std::string>(10, "All day"),
                            std::pair<int, std::string>(10, "8:05 Early"),
                            std::pair<int, std::string>(10, "18:00 Late"),
                            std::pair<int, std::string>(11, "(no title)")));
    const std::vector<IcsDayText> custom = IcsOccurrencesInMonth(
        ics, 2027, 5, {"", [](int h, int m) { return std::to_string(h % 12) + "." + std::to_string(m) + "pm"; }});
    EXPECT_EQ(custom.at(2).text, "6.0pm Late");
}

TEST(IcsMonth, RulesBegunLongAgoKeepTheirRhythm)
{
    // Far more daily steps since 1800 than any rule may take one by one.
    const std::string daily = calendar(event("Pills", "DTSTART:18000101T080000\nRRULE:FREQ=DAILY"));
    EXPECT_EQ(days(daily, 2027, 2).size(), 28u);
    // Every other Monday since 2 January 1950: 4 January 2027 is 4,018 weeks later, so of
    // the January 2027 Mondays 4 and 18 are in and 11 and 25 are out.
    const std::string fortnight = calendar(
        event("Club", "DTSTART;VALUE=DATE:19500102\nRRULE:FREQ=WEEKLY;INTERVAL=2"));
    EXPECT_EQ(days(fortnight, 2027, 1), (std::vector<int>{4, 18}));
    const std::string quarterly = calendar(
        event("Tax", "DTSTART;VALUE=DATE:19010115\nRRULE:FREQ=MONTHLY;INTERVAL=3"));
    EXPECT_EQ(days(quarterly, 2027, 4), std::vector<int>{15});
    EXPECT_TRUE(days(quarterly, 2027, 5).empty());
}

// --- bad input ---------------------------------------------------------------------------

TEST(IcsBadInput, DamagedFilesGiveOneClearMessage)
{
    const std::string good = calendar(event("Choir", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "not an iCalendar file"},
        {"hello, world\n", "not an iCalendar file"},
        {good.substr(0, good.size() / 2), "not an iCalendar file"},
        {std::string("BEGIN:VCALENDAR\r\n") + '\0' + "\r\nEND:VCALENDAR\r\n", "binary"},
        {calendar(event("Broken", "DTSTART:2027XX04T190000")), "damaged"},
        {calendar(event("Rule", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY;BYDAY=QQ")), "Rule"},
        {calendar(event("Nostart", "DURATION:PT1H")), "no start date"},
    };
    for (const auto &[bytes, words] : cases) {
        try {
            (void)IcsOccurrencesInMonth(bytes, 2027, 1);
            ADD_FAILURE() << "accepted: " << bytes.substr(0, 60);
        } catch (const IcsImportError &e) {
            EXPECT_THAT(e.what(), HasSubstr(words));
        }
    }
}

TEST(IcsBadInput, HugeFilesAndFloodsAreRefused)
{
    EXPECT_THROW((void)IcsOccurrencesInMonth(std::string(kMaxIcsBytes + 1, 'x'), 2027, 1),
                 IcsImportError);
    // Every 30 minutes is 1,488 a month: more than any page can show.
    const std::string flood = calendar(event("Tick", "DTSTART:20270101T000000\nRRULE:FREQ=MINUTELY;INTERVAL=30"));
    try {
        (void)IcsOccurrencesInMonth(flood, 2027, 1);
        ADD_FAILURE() << "flood accepted";
    } catch (const IcsImportError &e) {
        EXPECT_THAT(e.what(), HasSubstr("1,000"));
    }
    EXPECT_NO_THROW((void)IcsOccurrencesInMonth(flood, 2026, 12)) << "nothing yet before the start";
}

TEST(IcsBadInput, RulesThatNeverReachTheMonthAreStopped)
{
    // By the second since 1900: the month is billions of steps away.
    const std::string endless = calendar(event("Spin", "DTSTART:19000101T000000\nRRULE:FREQ=SECONDLY"));
    try {
        (void)IcsOccurrencesInMonth(endless, 2027, 1);
        ADD_FAILURE() << "endless rule accepted";
    } catch (const IcsImportError &e) {
        EXPECT_THAT(e.what(), HasSubstr("Spin"));
    }
    // A rule with no date at all (30 February) ends without occurrences.
    const std::string never = calendar(event("Never", "DTSTART;VALUE=DATE:20270130\n"
                                                      "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30"));
    EXPECT_EQ(days(never, 2027, 1), std::vector<int>{30});
    EXPECT_TRUE(days(never, 2028, 2).empty());
    // Nor has a month an eleventh Friday, or March a sixth Monday, or April a 31st day;
    // such rules are skipped at once (libical would search to the end of its calendar,
    // seconds a month), and the other rules of the file still repeat.
    const std::string impossible =
        calendar(event("Eleventh", "DTSTART;VALUE=DATE:20270129\nRRULE:FREQ=MONTHLY;BYDAY=11FR") +
                 event("Sixth", "DTSTART;VALUE=DATE:20270104\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=6MO") +
                 event("Late", "DTSTART;VALUE=DATE:20270131\nRRULE:FREQ=YEARLY;BYMONTH=4,6;BYMONTHDAY=31") +
                 event("Weekly", "DTSTART;VALUE=DATE:20270101\nRRULE:FREQ=WEEKLY"));
    EXPECT_EQ(days(impossible, 2027, 1), (std::vector<int>{1, 4, 8, 15, 22, 29, 29, 31}));
    EXPECT_EQ(days(impossible, 2027, 3), (std::vector<int>{5, 12, 19, 26}));
    // The fifth Friday is a real date in some months.
    const std::string fifth =
        calendar(event("Fifth", "DTSTART;VALUE=DATE:20270129\nRRULE:FREQ=MONTHLY;BYDAY=5FR"));
    EXPECT_EQ(days(fifth, 2027, 4), std::vector<int>{30});
}

// --- into the recurring dates store ------------------------------------------------------

TEST(IcsStore, RulesTheFormulasCanSayBecomeEntries)
{
    const TIcsCalendar cal(
        calendar(event("Anna", "DTSTART;VALUE=DATE:19900312\nRRULE:FREQ=YEARLY") +
                 event("Thanks", "DTSTART;VALUE=DATE:20261126\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH") +
                 event("Memorial", "DTSTART;VALUE=DATE:20260525\nRRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO") +
                 event("Choir", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY;BYDAY=MO,TH") +
                 event("Gym", "DTSTART;VALUE=DATE:20270106\nRRULE:FREQ=WEEKLY") +
                 event("Rent", "DTSTART;VALUE=DATE:20270101\nRRULE:FREQ=MONTHLY") +
                 event("Payday", "DTSTART;VALUE=DATE:20270129\nRRULE:FREQ=MONTHLY;BYDAY=-1FR") +
                 event("Walk", "DTSTART;VALUE=DATE:20270101\nRRULE:FREQ=DAILY") +
                 event("Anna", "DTSTART;VALUE=DATE:19900312\nRRULE:FREQ=YEARLY")),
        "");
    const IcsStoreImport result = IcsStoreEntries(cal);
    EXPECT_TRUE(result.notImported.empty());
    EXPECT_THAT(result.entries,
                ElementsAre(MakeRecurringEntry("Anna", "@0312"),
                            MakeRecurringEntry("Thanks", "$3 4 11"),
                            MakeRecurringEntry("Memorial", "$5 1 5"),
                            MakeRecurringEntry("19:00 Choir", "%25"),
                            MakeRecurringEntry("Gym", "%4"),
                            MakeRecurringEntry("Rent", "@0001"),
                            MakeRecurringEntry("Payday", "$5 5 0"),
                            MakeRecurringEntry("Walk", "%1234567")));
    // The entries mean what the file meant.
    EXPECT_EQ(EntryDays(result.entries[1], 2027, 11), std::vector<int>{25});
    EXPECT_EQ(EntryDays(result.entries[2], 2027, 5), std::vector<int>{31});
    EXPECT_EQ(EntryDays(result.entries[6], 2027, 4), std::vector<int>{30});
}

TEST(IcsStore, OtherEventsAreListedWithTheirReason)
{
    const TIcsCalendar cal(
        calendar(event("Once", "DTSTART:20270104T190000") +
                 event("Fortnight", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY;INTERVAL=2") +
                 event("Course", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY;COUNT=10") +
                 event("Gaps", "DTSTART:20270104T190000\nRRULE:FREQ=WEEKLY\nEXDATE:20270111T190000") +
                 event("Trip", "DTSTART;VALUE=DATE:20270701\nDTEND;VALUE=DATE:20270703\nRRULE:FREQ=YEARLY") +
                 event("Hourly", "DTSTART:20270104T190000\nRRULE:FREQ=HOURLY") +
                 event("Weird", "DTSTART:20270104T190000\nRRULE:FREQ=YEARLY;BYWEEKNO=20") +
                 event("Seasons", "DTSTART:20270104T190000\nRRULE:FREQ=YEARLY;BYMONTH=1,7")),
        "");
    const IcsStoreImport result = IcsStoreEntries(cal);
    EXPECT_TRUE(result.entries.empty());
    std::vector<std::string> reasons;
    for (const auto &n : result.notImported)
        reasons.push_back(n.summary + ": " + n.reason);
    EXPECT_THAT(reasons, ElementsAre("Once: happens only once", "Fortnight: repeats every 2 weeks",
                                     "Course: stops after a number of times or on a date",
                                     "Gaps: leaves out some dates",
                                     "Trip: lasts more than one day",
                                     "Hourly: repeats more than once a day",
                                     "Weird: uses rule parts the recurring dates cannot express",
                                     "Seasons: falls in several months"));
}

TEST(IcsStore, TextsAreStoredInTheStoresCodePageAndMergedWithoutDoubles)
{
    const TIcsCalendar cal(
        calendar(event("F\xC3\xAA" "te", "DTSTART;VALUE=DATE:20270714\nRRULE:FREQ=YEARLY")), "");
    const IcsStoreImport result = IcsStoreEntries(cal);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].substr(0, 4), "F\xEAte");
    const std::vector<std::string> store = {MakeRecurringEntry("Zoo", "@0101"), result.entries[0]};
    EXPECT_EQ(MergeIntoStore(store, result.entries),
              (std::vector<std::string>{result.entries[0], MakeRecurringEntry("Zoo", "@0101")}));
}

// The fuzz seeds and past findings go through the same steps as the fuzz target: each
// either reads or ends in IcsImportError.
TEST(IcsBadInput, FuzzSeedsAndFindingsEndCleanly)
{
    const std::filesystem::path fuzz =
        std::filesystem::path(VELMORA_FIXTURES).parent_path() / "fuzz";
    auto replay = [](const std::filesystem::path &folder, int &files, int &refused) {
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            ++files;
            try {
                const TIcsCalendar cal(bytes, "Europe/Berlin");
                (void)IcsStoreEntries(cal);
                for (const auto &[year, m] :
                     {std::pair{2027, 1}, std::pair{2027, 3}, std::pair{1999, 12}})
                    (void)IcsDayTexts(cal, year, m);
            } catch (const IcsImportError &) {
                ++refused;
            }
        }
    };
    int seeds = 0, refused = 0;
    replay(fuzz / "corpus" / "ics", seeds, refused);
    EXPECT_GE(seeds, 8);
    EXPECT_EQ(refused, 3) << "the damaged, the truncated and the endless seed";
    int findings = 0, findingsRefused = 0;
    replay(fuzz / "findings" / "ics", findings, findingsRefused);
    EXPECT_GE(findings, 1);
}
