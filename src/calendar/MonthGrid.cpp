#include "calendar/MonthGrid.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

TMonthYear AddMonths(int month, int year, int count)
{
    // A month outside 1..12 (a damaged document) is first brought into range.
    month = std::clamp(month, 1, 12);
    count = std::clamp(count, -120000, 120000);
    for (; count > 0; --count) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    for (; count < 0; ++count) {
        if (--month < 1) {
            month = 12;
            --year;
        }
    }
    return {month, year};
}

int GridOffset(int year, int month, int startOfWeek)
{
    TDateTime first = 0;
    const int d1 = TryEncodeDate(year, month, 1, first) ? DayOfWeek(first) : 1;
    if (startOfWeek == 1)
        return d1;
    return d1 == 1 ? 7 : d1 - 1;
}

int GridDay(int year, int month, int startOfWeek, int row, int column)
{
    const int n = column + 7 * row - GridOffset(year, month, startOfWeek) + 2;
    return (n >= 1 && n <= DaysInMonth(year, month)) ? n : 0;
}

int ColumnDayIndex(int startOfWeek, int column)
{
    if (startOfWeek == 1)
        return column + 1;
    return column == 6 ? 1 : column + 2;
}

int MiniCount(int layout)
{
    switch (layout) {
    case loFCMinisInTitle: case loFCMinisInTitleLS: return 2;
    case loFC6Before6After: case loFC6Before6AfterLS:
    case loFC12After: case loFC12AfterLS: return 12;
    case lopMC6Month: case lopMC6MonthLS: return 6;
    case loMC12Month: case loMC12MonthLS: return 12;
    case loMC24Month: case loMC24MonthLS: return 24;
    case loMC48Month: case loMC48MonthLS: return 48;
    case loMC60Month: case loMC60MonthLS: return 60;
    default: return 0;
    }
}

std::vector<TMonthYear> MiniMonths(int layout, int month, int year)
{
    const int count = MiniCount(layout);
    std::vector<TMonthYear> out;
    out.reserve(size_t(count));
    for (int k = 1; k <= count; ++k) {
        int offset = k - 1;
        if (layout == loFCMinisInTitle || layout == loFCMinisInTitleLS)
            offset = k == 1 ? -1 : 1;
        else if (layout == loFC6Before6After || layout == loFC6Before6AfterLS)
            offset = k <= 6 ? k - 7 : k - 6;
        else if (layout == loFC12After || layout == loFC12AfterLS)
            offset = k;
        out.push_back(AddMonths(month, year, offset));
    }
    return out;
}

namespace {
// Byte length of the first n UTF-8 characters.
size_t utf8Prefix(const std::string &s, size_t n)
{
    size_t i = 0;
    while (i < s.size() && n > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        --n;
    }
    return i;
}

std::string trimSpaces(const std::string &s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    const size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

// The day of month read back from a date label: its first two characters as a number.
int leadingDay(const std::string &label)
{
    const std::string head = trimSpaces(label.substr(0, utf8Prefix(label, 2)));
    if (head.empty() || !std::all_of(head.begin(), head.end(), [](char c) {
            return (c >= '0' && c <= '9') || c == '-' || c == '+';
        }))
        return 0;
    char *end = nullptr;
    const long v = std::strtol(head.c_str(), &end, 10);
    return (end != nullptr && *end == '\0') ? static_cast<int>(v) : 0;
}
} // namespace

std::string CutName(const std::string &name, TCalHeadersStyle style)
{
    switch (style) {
    case dsFirstChar: return name.substr(0, utf8Prefix(name, 1));
    case dsThreeChars: return name.substr(0, utf8Prefix(name, 3));
    default: return name;
    }
}

std::string MonthNameAt(const TNameTables &names, int month)
{
    return (month >= 1 && month <= 12) ? names.months.at(size_t(month - 1)) : std::string();
}

std::string DayNameAt(const TNameTables &names, int day)
{
    return (day >= 1 && day <= 7) ? names.days.at(size_t(day - 1)) : std::string();
}

TDateTime PlannerStartDate(int year, int month, int day)
{
    if (year < 1 || year > 9999)
        year = 1997;
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, DaysInMonth(year, month));
    return EncodeDate(year, month, day);
}

std::vector<TPlannerRow> WeekPlannerRows(int year, int month, int day, int days,
                                         const TNameTables &names, TCalHeadersStyle style)
{
    std::vector<TPlannerRow> rows;
    const TDateTime start = PlannerStartDate(year, month, day);
    for (int i = 0; i < days; ++i) {
        const TDateTime d = start + i;
        int y = 0, m = 0, dd = 0;
        DecodeDate(d, y, m, dd);
        TPlannerRow row;
        row.left = CutName(DayNameAt(names, DayOfWeek(d)), style);
        row.right = std::to_string(dd) + " " + CutName(MonthNameAt(names, m), dsThreeChars);
        row.iDay = leadingDay(row.right);
        rows.push_back(std::move(row));
    }
    rows.push_back({"Notes", "", 0});
    return rows;
}

std::vector<TPlannerRow> DayPlannerRows(TDateTime firstHour, int hours)
{
    std::vector<TPlannerRow> rows;
    TDateTime t = firstHour;
    for (int i = 0; i < hours; ++i) {
        rows.push_back({FormatTimeAmPm(t), "", 0});
        t += kPlannerHourStep;
        if (t < 0)
            t = 0;
    }
    rows.push_back({"Notes", "", 0});
    return rows;
}

std::string MonthTitle(const TNameTables &names, int month, int year, bool showYear)
{
    std::string title = MonthNameAt(names, month);
    if (showYear)
        title += " " + std::to_string(year);
    return title;
}

std::string WeekPlannerTitle(const TNameTables &names, int year, int month, int day, int days)
{
    const TDateTime s = PlannerStartDate(year, month, day);
    const TDateTime e = s + days - 1;
    int sy = 0, sm = 0, sd = 0, ey = 0, em = 0, ed = 0;
    DecodeDate(s, sy, sm, sd);
    DecodeDate(e, ey, em, ed);
    const std::string ms = MonthNameAt(names, sm);
    const std::string me = MonthNameAt(names, em);
    if (sy == ey && sm == em)
        return ms + " " + std::to_string(sd) + "-" + std::to_string(ed) + ", " +
               std::to_string(sy);
    if (sy == ey)
        return ms + " " + std::to_string(sd) + " - " + me + " " + std::to_string(ed) + ", " +
               std::to_string(ey);
    return ms + " " + std::to_string(sd) + ", " + std::to_string(sy) + " - " + me + " " +
           std::to_string(ed) + ", " + std::to_string(ey);
}

std::string DayPlannerTitle(const TNameTables &names, int year, int month, int day)
{
    const TDateTime d = PlannerStartDate(year, month, day);
    int y = 0, m = 0, dd = 0;
    DecodeDate(d, y, m, dd);
    return DayNameAt(names, DayOfWeek(d)) + ", " + MonthNameAt(names, m) + " " +
           std::to_string(dd) + ", " + std::to_string(y);
}

void TDayCellTable::clear()
{
    cells_.fill(TDayCell{});
}

void TDayCellTable::clearAreas()
{
    for (auto &c : cells_) {
        c.rTotal = {};
        c.rFree = {};
    }
}

int TDayCellTable::CellAtPoint(int x, int y) const
{
    for (int i = 0; i < kCellCount; ++i)
        if (cells_.at(size_t(i)).rTotal.contains(x, y))
            return i + 1;
    return 0;
}

int TDayCellTable::CellDay(int index) const
{
    return (index >= 1 && index <= kCellCount) ? cell(index).iDay : 0;
}

int TDayCellTable::CellOfDay(int day) const
{
    for (int i = 0; i < kCellCount; ++i)
        if (cells_.at(size_t(i)).iDay == day)
            return i + 1;
    return -1;
}

bool TDayCellTable::hasTextArea(int index) const
{
    return index >= 1 && index <= kCellCount && !cell(index).rFree.isAllZero();
}

} // namespace velmora
