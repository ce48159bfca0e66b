#include "recurring/RecurFormula.h"

#include <optional>
#include <utility>

namespace velmora {

namespace {

constexpr int kFriday = 6; // DayOfWeek numbers: 1 Sunday .. 7 Saturday
constexpr int kSunday = 1;

// A field of one or two characters read as a decimal integer; empty or non-numeric fails.
std::optional<int> readNumber(std::string_view field)
{
    const std::string text = TrimSpaces(field);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    if (pos == text.size()) return std::nullopt;
    int value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
        value = value * 10 + (text[pos] - '0');
    }
    return negative ? -value : value;
}

// Slices past the end of a short formula are empty and therefore fail to read.
std::string_view slice(std::string_view text, std::size_t from, std::size_t count)
{
    return from < text.size() ? text.substr(from, count) : std::string_view();
}

// Like printf's "%2.2d": at least two digits, a leading zero where needed.
std::string twoDigits(int value)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// Rules as read from an entry, limited to what the formula dialog can produce: a hand-edited
// store may hold anything, and an index outside these ranges would reach past the name tables.
struct DayOfMonthRule
{
    int day = 0;
    int month = 0;
};

struct SpecialRule
{
    int occurrence = 0;
    int weekday = 0;
    int month = 0;
};

bool validMonthIndex(int month)
{
    return month >= kEachMonth && month <= 12;
}

std::optional<DayOfMonthRule> readDayOfMonthRule(std::string_view entry)
{
    DayOfMonthRule rule;
    if (!ParseDayOfMonthFormula(entryFormula(entry), rule.day, rule.month)) return std::nullopt;
    if (rule.day < 1 || rule.day > 31 || !validMonthIndex(rule.month)) return std::nullopt;
    return rule;
}

std::optional<SpecialRule> readSpecialRule(std::string_view entry)
{
    SpecialRule rule;
    if (!ParseSpecialFormula(entryFormula(entry), rule.occurrence, rule.weekday, rule.month))
        return std::nullopt;
    if (rule.occurrence < 0 || rule.occurrence > kLastOccurrence || rule.weekday < 0 ||
        rule.weekday > kAnyDayWeekday || !validMonthIndex(rule.month))
        return std::nullopt;
    return rule;
}

bool matchesMonth(int monthIndex, int month)
{
    return monthIndex == kEachMonth || monthIndex == month;
}

// "%" formulas are not parsed: a weekday counts when its digit occurs anywhere.
bool formulaHasWeekday(std::string_view formula, int weekdayNumber)
{
    return formula.find(static_cast<char>('0' + weekdayNumber)) != std::string_view::npos;
}

// --- display ---

std::string monthText(int monthIndex, const LocaleDateNames &names)
{
    return monthIndex == kEachMonth ? std::string(kMonthTexts[0])
                                    : names.months[static_cast<std::size_t>(monthIndex - 1)];
}

std::string shortDayName(int weekdayNumber, const LocaleDateNames &names)
{
    return names.shortDays[static_cast<std::size_t>(weekdayNumber - 1)];
}

std::string dayOfMonthText(std::string_view entry, const LocaleDateNames &names)
{
    const auto rule = readDayOfMonthRule(entry);
    if (!rule) return {};
    return OrdinalText(rule->day) + " of " + monthText(rule->month, names);
}

std::string specialText(std::string_view entry, const LocaleDateNames &names)
{
    const auto rule = readSpecialRule(entry);
    if (!rule) return {};
    std::string text =
        rule->occurrence == kLastOccurrence ? "Last " : OrdinalText(rule->occurrence + 1) + " ";
    if (rule->weekday == kAnyDayWeekday)
        text += "Day ";
    else
        text += shortDayName(rule->weekday + 1, names) + " of ";
    return text + monthText(rule->month, names);
}

std::string daysOfWeekText(std::string_view entry, const LocaleDateNames &names)
{
    const std::string_view formula = entryFormula(entry);
    std::string text;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        if (!formulaHasWeekday(formula, weekday)) continue;
        if (!text.empty()) text += ',';
        text += shortDayName(weekday, names);
    }
    return text;
}

// --- feasts ---

enum class Feast {
    None,
    Easter,
    GoodFriday,
    PalmSunday,
    EasterMonday,
    AshWednesday,
    Ascension,
    Pentecost,
    WhitMonday,
    CorpusChristi,
    OrthodoxEaster
};

Feast feastOfKeyword(std::string_view keyword)
{
    static constexpr std::pair<std::string_view, Feast> kFeasts[] = {
        {kEasterKeyword, Feast::Easter},
        {kGoodFridayKeyword, Feast::GoodFriday},
        {kPalmSundayKeyword, Feast::PalmSunday},
        {kEasterMondayKeyword, Feast::EasterMonday},
        {kAshWednesdayKeyword, Feast::AshWednesday},
        {kAscensionKeyword, Feast::Ascension},
        {kPentecostKeyword, Feast::Pentecost},
        {kWhitMondayKeyword, Feast::WhitMonday},
        {kCorpusChristiKeyword, Feast::CorpusChristi},
        {kOrthodoxEasterKeyword, Feast::OrthodoxEaster}};
    for (const auto &[name, feast] : kFeasts)
        if (keyword == name) return feast;
    return Feast::None;
}

Feast feastOfEntry(std::string_view entry)
{
    return feastOfKeyword(entryFeastKeyword(entry));
}

// Outside 1900..2099 the Easter arithmetic need not land on a Sunday, so the feasts before it
// are found by walking back to the weekday rather than by a fixed offset.
TDateTime weekdayBefore(TDateTime date, int weekdayNumber)
{
    TDateTime day = date - 1;
    while (DayOfWeek(day) != weekdayNumber)
        day -= 1;
    return day;
}

TDateTime feastDate(Feast feast, int year)
{
    switch (feast) {
    case Feast::None:
        return 0;
    case Feast::Easter:
    case Feast::GoodFriday:
    case Feast::PalmSunday: {
        // The three feasts of old keep the arithmetic existing stores were filled with.
        const TDateTime easter = EasterSunday(year);
        if (easter == 0 || feast == Feast::Easter) return easter;
        return weekdayBefore(easter, feast == Feast::GoodFriday ? kFriday : kSunday);
    }
    case Feast::OrthodoxEaster:
        return OrthodoxEasterSunday(year);
    default:
        break;
    }
    const TDateTime easter = GregorianEasterSunday(year);
    if (easter == 0) return 0;
    int offset = 0;
    switch (feast) {
    case Feast::EasterMonday: offset = 1; break;
    case Feast::AshWednesday: offset = -46; break;
    case Feast::Ascension: offset = 39; break;
    case Feast::Pentecost: offset = 49; break;
    case Feast::WhitMonday: offset = 50; break;
    case Feast::CorpusChristi: offset = 60; break;
    default: break;
    }
    const TDateTime date = easter + offset;
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    return y == year ? date : 0;
}

int feastDayInMonth(Feast feast, int year, int month)
{
    const TDateTime date = feastDate(feast, year);
    if (date == 0) return 0;
    int y = 0;
    int m = 0;
    int d = 0;
    DecodeDate(date, y, m, d);
    return m == month ? d : 0;
}

// --- evaluation ---

std::vector<int> specialDays(const SpecialRule &rule, int year, int month, TDateTime first)
{
    const int last = DaysInMonth(year, month);
    if (rule.weekday == kAnyDayWeekday)
        return {rule.occurrence == kLastOccurrence ? last : rule.occurrence + 1};
    const int wanted = rule.weekday + 1;
    const int firstMatch = 1 + (wanted - DayOfWeek(first) + 7) % 7;
    if (rule.occurrence == kLastOccurrence) return {firstMatch + 7 * ((last - firstMatch) / 7)};
    const int day = firstMatch + 7 * rule.occurrence;
    if (day > last) return {}; // the month has fewer such weekdays
    return {day};
}

std::vector<int> daysOfWeekDays(std::string_view formula, int year, int month, TDateTime first)
{
    std::vector<int> days;
    const int firstWeekday = DayOfWeek(first);
    const int last = DaysInMonth(year, month);
    for (int day = 1; day <= last; ++day) {
        if (formulaHasWeekday(formula, (firstWeekday - 1 + day - 1) % 7 + 1)) days.push_back(day);
    }
    return days;
}

} // namespace

const LocaleDateNames &LocaleDateNames::english()
{
    static const LocaleDateNames names{{"January", "February", "March", "April", "May", "June",
                                        "July", "August", "September", "October", "November",
                                        "December"},
                                       {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}};
    return names;
}

std::string FixedWidth(std::string_view text, std::size_t width)
{
    std::string result(text.substr(0, width));
    result.resize(width, ' ');
    return result;
}

std::string TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string OrdinalText(int n)
{
    // Two characters per last digit 0..9. The teens are decided on the last two digits so
    // that 111 reads "111th" like 11 does.
    static constexpr std::string_view kSuffixes = "thstndrdthththththth";
    const long long magnitude = n < 0 ? -static_cast<long long>(n) : n;
    const long long tens = magnitude % 100;
    const auto digit = static_cast<std::size_t>(magnitude % 10);
    const std::string_view suffix =
        (tens >= 11 && tens <= 19) ? std::string_view("th") : kSuffixes.substr(digit * 2, 2);
    return std::to_string(n) + std::string(suffix);
}

std::string DayOfMonthFormula(int day, int monthIndex)
{
    return kDayOfMonthMarker + twoDigits(monthIndex) + twoDigits(day);
}

std::string SpecialFormula(int occurrence, int weekday, int monthIndex)
{
    return kSpecialMarker + FixedWidth(std::to_string(occurrence), 2) +
           FixedWidth(std::to_string(weekday), 2) + FixedWidth(std::to_string(monthIndex), 2);
}

std::string DaysOfWeekFormula(const std::array<bool, 7> &days)
{
    std::string formula(1, kDaysOfWeekMarker);
    for (int i = 0; i < 7; ++i) {
        if (days[static_cast<std::size_t>(i)]) formula += static_cast<char>('1' + i);
    }
    return formula;
}

bool ParseDayOfMonthFormula(std::string_view formula, int &day, int &monthIndex)
{
    const auto d = readNumber(slice(formula, 3, 2));
    const auto m = readNumber(slice(formula, 1, 2));
    if (!d || !m) return false;
    day = *d;
    monthIndex = *m;
    return true;
}

bool ParseSpecialFormula(std::string_view formula, int &occurrence, int &weekday, int &monthIndex)
{
    const auto o = readNumber(slice(formula, 1, 2));
    const auto w = readNumber(slice(formula, 3, 2));
    const auto m = readNumber(slice(formula, 5, 2));
    if (!o || !w || !m) return false;
    occurrence = *o;
    weekday = *w;
    monthIndex = *m;
    return true;
}

std::string MakeRecurringEntry(std::string_view eventText, std::string_view formula)
{
    return FixedWidth(eventText, kEntryNameWidth) + FixedWidth(formula, kFormulaWidth);
}

std::string_view entryName(std::string_view entry)
{
    return entry.substr(0, kEntryNameWidth);
}

char entryMarker(std::string_view entry)
{
    return entry.size() > kEntryNameWidth ? entry[kEntryNameWidth] : '\0';
}

std::string_view entryFormula(std::string_view entry)
{
    return slice(entry, kEntryNameWidth, kFormulaWidth);
}

std::string entryFeastKeyword(std::string_view entry)
{
    std::string keyword = TrimSpaces(slice(entry, kEntryNameWidth, kFeastKeywordWidth));
    for (char &c : keyword) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return keyword;
}

std::string EntryDisplayText(std::string_view entry, const LocaleDateNames &names)
{
    std::string detail;
    switch (entryMarker(entry)) {
    case kDayOfMonthMarker:
        detail = dayOfMonthText(entry, names);
        break;
    case kSpecialMarker:
        detail = specialText(entry, names);
        break;
    case kDaysOfWeekMarker:
        detail = daysOfWeekText(entry, names);
        break;
    default: // feasts and lines without a formula show their name field as stored
        return std::string(entryName(entry));
    }
    return TrimSpaces(entryName(entry)) + " (" + detail + ")";
}

TDateTime EasterSunday(int year)
{
    if (year < 1 || year > 9999) return 0;
    const int g = year % 19;
    int d = ((225 - 11 * g) - 21) % 30 + 21;
    if (d > 48) d -= 1;
    const int e = (year + year / 4 + d + 1) % 7;
    const int q = d + 7 - e;
    return q < 32 ? EncodeDate(year, 3, q) : EncodeDate(year, 4, q - 31);
}

TDateTime GregorianEasterSunday(int year)
{
    // Lichtenberg's form of Gauss's rule: the lunar correction by centuries, then the
    // paschal full moon, then the following Sunday.
    if (year < 1 || year > 9999) return 0;
    const int k = year / 100;
    const int m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;
    const int s = 2 - (3 * k + 3) / 4;
    const int a = year % 19;
    const int d = (19 * a + m) % 30;
    const int r = (d + a / 11) / 29;
    const int og = 21 + d - r;
    const int sz = 7 - (year + year / 4 + s) % 7;
    const int oe = 7 - (og - sz) % 7;
    const int os = og + oe; // days after the last of February
    return os <= 31 ? EncodeDate(year, 3, os) : EncodeDate(year, 4, os - 31);
}

TDateTime OrthodoxEasterSunday(int year)
{
    if (year < 1 || year > 9999) return 0;
    // Gauss's rule with the Julian calendar's fixed corrections (M = 15, N = 6), giving a
    // Julian date; that date's Julian day number is then read as a Gregorian date.
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int d = (19 * a + 15) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 6) % 7;
    const int march = 22 + d + e; // day of March in the Julian calendar, may exceed 31
    // Julian day number of Julian-calendar 1 March of the year, plus the days after it.
    const long long y = year + 4800;
    const long long jdnMarch1 = 1 + (153 * 0 + 2) / 5 + 365 * y + y / 4 - 32083;
    const long long jdn = jdnMarch1 + (march - 1);
    // Julian day number 2415019 is 30 December 1899, the date value's zero.
    const TDateTime date = static_cast<TDateTime>(jdn - 2415019);
    int gy = 0, gm = 0, gd = 0;
    DecodeDate(date, gy, gm, gd);
    return gy == year ? date : 0;
}

TDateTime FeastDate(std::string_view keyword, int year)
{
    return feastDate(feastOfKeyword(keyword), year);
}

int EasterDayInMonth(int year, int month)
{
    return feastDayInMonth(Feast::Easter, year, month);
}

int GoodFridayDayInMonth(int year, int month)
{
    return feastDayInMonth(Feast::GoodFriday, year, month);
}

int PalmSundayDayInMonth(int year, int month)
{
    return feastDayInMonth(Feast::PalmSunday, year, month);
}

bool EntryConcernsMonth(std::string_view entry, int year, int month)
{
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first)) return false;
    switch (entryMarker(entry)) {
    case kFeastMarker: {
        const Feast feast = feastOfEntry(entry);
        return feast == Feast::None || feastDayInMonth(feast, year, month) != 0;
    }
    case kSpecialMarker: {
        const auto rule = readSpecialRule(entry);
        return rule && matchesMonth(rule->month, month);
    }
    case kDayOfMonthMarker: {
        const auto rule = readDayOfMonthRule(entry);
        return rule && matchesMonth(rule->month, month);
    }
    default:
        return true;
    }
}

std::vector<int> EntryDays(std::string_view entry, int year, int month)
{
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first)) return {};
    switch (entryMarker(entry)) {
    case kDayOfMonthMarker: {
        const auto rule = readDayOfMonthRule(entry);
        if (!rule || !matchesMonth(rule->month, month)) return {};
        return {rule->day};
    }
    case kSpecialMarker: {
        const auto rule = readSpecialRule(entry);
        if (!rule || !matchesMonth(rule->month, month)) return {};
        return specialDays(*rule, year, month, first);
    }
    case kDaysOfWeekMarker:
        return daysOfWeekDays(entryFormula(entry), year, month, first);
    case kFeastMarker: {
        const int day = feastDayInMonth(feastOfEntry(entry), year, month);
        return day != 0 ? std::vector<int>{day} : std::vector<int>{};
    }
    default:
        return {};
    }
}

} // namespace velmora
