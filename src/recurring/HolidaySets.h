#pragma once
// Public holidays of many countries as recurring date entries, read from the table
// HolidaySets.txt that is built into the program, and the days on which a country keeps
// a holiday that falls on a weekend ("observed" days), which the formulas cannot say.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class ObservedRule {
    None,
    Nearest,      // Saturday -> the Friday before, Sunday -> the Monday after
    NextWeekday,  // Saturday or Sunday -> the next weekday not already a holiday
    SaturdayBefore // Sunday -> the Saturday before
};

struct CountryHoliday
{
    std::string line; // a store entry: name field and formula
    ObservedRule observed = ObservedRule::None;
};

struct HolidayCountry
{
    std::string code; // "US", "GB", ...
    std::string name;
    std::vector<CountryHoliday> holidays; // in table order
};

class HolidayTableError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads a table in the form of HolidaySets.txt. Throws HolidayTableError naming the line
// of anything it cannot read, so that a bad edit fails the build's tests, not a user.
std::vector<HolidayCountry> ParseHolidayTable(std::string_view text);

// The built-in table, read once.
const std::vector<HolidayCountry> &HolidayCountries();
const HolidayCountry *FindHolidayCountry(std::string_view code);
// Codes of the countries with at least one observed-day rule.
std::vector<std::string> CountriesWithObservedDays();

// The days of the month on which the country keeps the entry's holiday in place of its
// weekend date (also one of a neighbouring year: New Year's Day 2028 is kept on Friday
// 31 December 2027 in the United States). Empty when the country's set does not hold
// exactly this line, or holds it without a rule.
std::vector<int> ObservedDays(const HolidayCountry &country, std::string_view entry, int year,
                              int month);

// Writes "<event text> (observed)" into each observed day of the chosen entries, entry by
// entry in the given order.
void PutObservedTexts(const HolidayCountry &country, const std::vector<std::string> &entries,
                      int year, int month,
                      const std::function<void(int day, const std::string &text)> &put);

} // namespace velmora
