#pragma once
// Recurring date entries: one 8-bit text line holding an event text and a short formula that
// says on which days of a month the text belongs. Everything here is stateless text work.
//
// Line layout (columns counted from 1):
//   1..120   the event text, left-justified and padded with spaces
//   121      the formula's marker: '@', '$', '%' or '#'
//   121..    the formula; lines from the formula dialog pad it to 10 characters (130 in all),
//            feast entries carry their keyword unpadded, legacy conversions use 11 characters.

#include "common/DateValue.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::size_t kEntryNameWidth = 120;
inline constexpr std::size_t kFormulaWidth = 10;
// Feast keywords are read from a wider field: "#GOODFRIDAY" and "#PALMSUNDAY" are 11 long.
inline constexpr std::size_t kFeastKeywordWidth = 11;

inline constexpr char kDayOfMonthMarker = '@';
inline constexpr char kSpecialMarker = '$';
inline constexpr char kDaysOfWeekMarker = '%';
inline constexpr char kFeastMarker = '#';

inline constexpr std::string_view kEasterKeyword = "#EASTER";
inline constexpr std::string_view kGoodFridayKeyword = "#GOODFRIDAY";
inline constexpr std::string_view kPalmSundayKeyword = "#PALMSUNDAY";
// Feasts the holiday sets of other countries need; each fits the 11-character field.
inline constexpr std::string_view kEasterMondayKeyword = "#EASTERMON";
inline constexpr std::string_view kAshWednesdayKeyword = "#ASHWED";
inline constexpr std::string_view kAscensionKeyword = "#ASCENSION";
inline constexpr std::string_view kPentecostKeyword = "#PENTECOST";
inline constexpr std::string_view kWhitMondayKeyword = "#WHITMONDAY";
inline constexpr std::string_view kCorpusChristiKeyword = "#CORPUSCHR";
inline constexpr std::string_view kOrthodoxEasterKeyword = "#ORTHEASTER";

// Index values with a meaning of their own.
inline constexpr int kEachMonth = 0;      // month index: every month
inline constexpr int kLastOccurrence = 5; // occurrence index: the last one in the month
inline constexpr int kAnyDayWeekday = 7;  // weekday index: any day, not a particular weekday

// The formula dialog's drop-down lists, in index order.
inline constexpr std::array<std::string_view, 6> kOccurrenceTexts = {"1st", "2nd", "3rd",
                                                                     "4th", "5th", "Last"};
inline constexpr std::array<std::string_view, 8> kWeekdayTexts = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Day (any day)"};
inline constexpr std::array<std::string_view, 13> kMonthTexts = {
    "Each Month", "January", "February",  "March",   "April",    "May",     "June",
    "July",       "August",  "September", "October", "November", "December"};

// Names the list texts take from the user's locale, already in the 8-bit code page.
struct LocaleDateNames
{
    std::array<std::string, 12> months;   // January first
    std::array<std::string, 7> shortDays; // Sunday first
    static const LocaleDateNames &english();
};

// --- text helpers ---------------------------------------------------------------------------

// Cut to width characters or pad on the right with spaces.
std::string FixedWidth(std::string_view text, std::size_t width);
// Only the space character is trimmed; tabs and other blanks are content.
std::string TrimSpaces(std::string_view text);
// 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st ...
std::string OrdinalText(int n);

// --- building and reading formulas ----------------------------------------------------------

std::string DayOfMonthFormula(int day, int monthIndex);
std::string SpecialFormula(int occurrence, int weekday, int monthIndex);
// days[0] is Sunday, days[6] Saturday.
std::string DaysOfWeekFormula(const std::array<bool, 7> &days);

// Both read two-character decimal fields and fail when any field is empty or not a number.
// The outputs are written only on success. Values are not range-checked here: the formula
// dialog shows whatever a formula holds.
bool ParseDayOfMonthFormula(std::string_view formula, int &day, int &monthIndex);
bool ParseSpecialFormula(std::string_view formula, int &occurrence, int &weekday, int &monthIndex);

// --- entries --------------------------------------------------------------------------------

std::string MakeRecurringEntry(std::string_view eventText, std::string_view formula);

// The event text as stored (first 120 characters, padding included).
std::string_view entryName(std::string_view entry);
// Column 121, or '\0' for a line of 120 characters or fewer (such a line has no formula).
char entryMarker(std::string_view entry);
// The 10 characters from column 121 (fewer if the line is shorter).
std::string_view entryFormula(std::string_view entry);
// The 11 characters from column 121, spaces trimmed, upper case.
std::string entryFeastKeyword(std::string_view entry);

// The text shown for an entry in every list.
std::string EntryDisplayText(std::string_view entry,
                             const LocaleDateNames &names = LocaleDateNames::english());

// --- moveable feasts ------------------------------------------------------------------------

// Correct for the Gregorian calendar from 1900 to 2099; other years get the same arithmetic.
// 0 for a year the date value cannot hold (outside 1..9999).
TDateTime EasterSunday(int year);
// The feast's day of the month when it falls in that month of that year, else 0.
int EasterDayInMonth(int year, int month);
int GoodFridayDayInMonth(int year, int month);
int PalmSundayDayInMonth(int year, int month);

// Gregorian Easter Sunday by the full computation, right in every year (the feasts added
// for the holiday sets count from it; EasterSunday keeps its arithmetic for "#EASTER").
TDateTime GregorianEasterSunday(int year);
// Easter of the Orthodox churches: the Julian computation, as a Gregorian date.
TDateTime OrthodoxEasterSunday(int year);
// The date of any feast keyword ("#EASTER", "#ASCENSION", ...) in a year; 0 for a keyword
// that names no feast or a year the date value cannot hold.
TDateTime FeastDate(std::string_view keyword, int year);

// --- evaluation against a calendar month -----------------------------------------------------

// Whether the entry is offered for that month. An "@" or "$" entry whose fields cannot be
// read, or hold values no dialog can produce, concerns no month.
bool EntryConcernsMonth(std::string_view entry, int year, int month);
// The day numbers of the month that receive the entry's text, ascending. An "@" day may
// exceed the month's length (31 in April): the page then has no cell for it.
std::vector<int> EntryDays(std::string_view entry, int year, int month);

} // namespace velmora
