#include "recurring/HolidaySets.h"

#include "common/DateValue.h"
#include "recurring/HolidaySetsData.h"
#include "recurring/RecurFormula.h"

#include <algorithm>
#include <set>

namespace velmora {

namespace {

constexpr int kSaturday = 7; // DayOfWeek: 1 Sunday .. 7 Saturday
constexpr int kSunday = 1;

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> fields(std::string_view line)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = line.find('|', from);
        out.push_back(trimmed(line.substr(from, bar == std::string_view::npos ? bar : bar - from)));
        if (bar == std::string_view::npos) return out;
        from = bar + 1;
    }
}

// The formula must mean a day in some month of every year, as the dialogs would write it.
bool validFormula(const std::string &formula)
{
    if (formula.empty()) return false;
    if (formula[0] == kFeastMarker) return FeastDate(formula, 2027) != 0;
    const std::string line = MakeRecurringEntry("x", formula);
    if (formula[0] != kDayOfMonthMarker && formula[0] != kSpecialMarker) return false;
    for (int month = 1; month <= 12; ++month)
        if (!EntryDays(line, 2028, month).empty()) return true;
    return false;
}

ObservedRule ruleNamed(const std::string &name, bool &ok)
{
    ok = true;
    if (name == "-") return ObservedRule::None;
    if (name == "nearest") return ObservedRule::Nearest;
    if (name == "next") return ObservedRule::NextWeekday;
    if (name == "saturday") return ObservedRule::SaturdayBefore;
    ok = false;
    return ObservedRule::None;
}

// The holiday's own date in a year, 0 when it has none then.
TDateTime holidayDate(const std::string &line, int year)
{
    if (entryMarker(line) == kFeastMarker) return FeastDate(entryFeastKeyword(line), year);
    for (int month = 1; month <= 12; ++month) {
        const std::vector<int> days = EntryDays(line, year, month);
        TDateTime date = 0;
        if (!days.empty() && TryEncodeDate(year, month, days.front(), date)) return date;
    }
    return 0;
}

bool weekend(TDateTime date)
{
    const int wd = DayOfWeek(date);
    return wd == kSaturday || wd == kSunday;
}

// Observed dates of the country's holidays in one year, keyed by the holiday's index.
std::vector<std::pair<std::size_t, TDateTime>> observedInYear(const HolidayCountry &country,
                                                              int year)
{
    std::vector<std::pair<TDateTime, std::size_t>> dates;
    std::set<TDateTime> taken;
    for (std::size_t i = 0; i < country.holidays.size(); ++i) {
        const TDateTime date = holidayDate(country.holidays[i].line, year);
        if (date == 0) continue;
        dates.emplace_back(date, i);
        taken.insert(date);
    }
    std::sort(dates.begin(), dates.end());
    std::vector<std::pair<std::size_t, TDateTime>> observed;
    for (const auto &[date, index] : dates) {
        const ObservedRule rule = country.holidays[index].observed;
        const int wd = DayOfWeek(date);
        TDateTime day = 0;
        switch (rule) {
        case ObservedRule::None:
            break;
        case ObservedRule::Nearest:
            if (wd == kSaturday) day = date - 1;
            if (wd == kSunday) day = date + 1;
            break;
        case ObservedRule::NextWeekday:
            if (!weekend(date)) break;
            // Christmas on a Saturday moves to Monday, so Boxing Day on the Sunday takes
            // the Tuesday: each moved holiday takes the next free weekday in date order.
            day = date + 1;
            while (weekend(day) || taken.count(day) != 0)
                day += 1;
            taken.insert(day);
            break;
        case ObservedRule::SaturdayBefore:
            if (wd == kSunday) day = date - 1;
            break;
        }
        if (day != 0) observed.emplace_back(index, day);
    }
    return observed;
}

} // namespace

std::vector<HolidayCountry> ParseHolidayTable(std::string_view text)
{
    std::vector<HolidayCountry> countries;
    std::size_t lineNumber = 0;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t nl = text.find('\n', from);
        const std::string line =
            trimmed(text.substr(from, nl == std::string_view::npos ? std::string_view::npos
                                                                   : nl - from));
        from = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        auto fail = [&](const std::string &why) {
            throw HolidayTableError("holiday table line " + std::to_string(lineNumber) + ": " +
                                    why);
        };
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string::npos || close < 2) fail("country code not closed");
            HolidayCountry country;
            country.code = line.substr(1, close - 1);
            country.name = fields(line.substr(close + 1)).front();
            if (country.name.empty()) fail("country without a name");
            if (std::any_of(countries.begin(), countries.end(),
                            [&](const HolidayCountry &c) { return c.code == country.code; }))
                fail("country " + country.code + " twice");
            countries.push_back(std::move(country));
            continue;
        }
        if (countries.empty()) fail("holiday before the first country");
        const std::vector<std::string> f = fields(line);
        if (f.size() != 3) fail("expected name | formula | observed");
        if (f[0].empty() || f[0].size() > kEntryNameWidth) fail("bad holiday name");
        if (!validFormula(f[1])) fail("bad formula \"" + f[1] + "\"");
        bool ok = false;
        const ObservedRule rule = ruleNamed(f[2], ok);
        if (!ok) fail("unknown observed rule \"" + f[2] + "\"");
        // Feast keywords are stored unpadded, as the predefined feast entries are.
        const std::string entry = f[1][0] == kFeastMarker
                                      ? FixedWidth(f[0], kEntryNameWidth) + f[1]
                                      : MakeRecurringEntry(f[0], f[1]);
        countries.back().holidays.push_back({entry, rule});
    }
    return countries;
}

const std::vector<HolidayCountry> &HolidayCountries()
{
    static const std::vector<HolidayCountry> countries = ParseHolidayTable(kHolidaySetsTable);
    return countries;
}

const HolidayCountry *FindHolidayCountry(std::string_view code)
{
    for (const HolidayCountry &c : HolidayCountries())
        if (c.code == code) return &c;
    return nullptr;
}

std::vector<std::string> CountriesWithObservedDays()
{
    std::vector<std::string> codes;
    for (const HolidayCountry &c : HolidayCountries())
        if (std::any_of(c.holidays.begin(), c.holidays.end(),
                        [](const CountryHoliday &h) { return h.observed != ObservedRule::None; }))
            codes.push_back(c.code);
    return codes;
}

std::vector<int> ObservedDays(const HolidayCountry &country, std::string_view entry, int year,
                              int month)
{
    const auto found = std::find_if(country.holidays.begin(), country.holidays.end(),
                                    [&](const CountryHoliday &h) { return h.line == entry; });
    if (found == country.holidays.end() || found->observed == ObservedRule::None) return {};
    const auto index = static_cast<std::size_t>(found - country.holidays.begin());
    std::vector<int> days;
    for (int y = year - 1; y <= year + 1; ++y) {
        if (y < 1 || y > 9999) continue;
        for (const auto &[i, date] : observedInYear(country, y)) {
            if (i != index) continue;
            int oy = 0, om = 0, od = 0;
            DecodeDate(date, oy, om, od);
            if (oy == year && om == month) days.push_back(od);
        }
    }
    std::sort(days.begin(), days.end());
    return days;
}

void PutObservedTexts(const HolidayCountry &country, const std::vector<std::string> &entries,
                      int year, int month,
                      const std::function<void(int day, const std::string &text)> &put)
{
    for (const std::string &entry : entries) {
        const std::vector<int> days = ObservedDays(country, entry, year, month);
        if (days.empty()) continue;
        const std::string text = TrimSpaces(entryName(entry)) + " (observed)";
        for (const int day : days)
            put(day, text);
    }
}

} // namespace velmora
