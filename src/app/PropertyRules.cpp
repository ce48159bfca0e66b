#include "app/PropertyRules.h"

#include "calendar/CalendarTypes.h"
#include "common/DateValue.h"

#include <algorithm>

namespace velmora {

const std::array<const char *, kLayoutRowCount> kLayoutRowCaptions = {
    "1 Month Calendar ",
    "1 Month Calendar, 2 Mini Calendars",
    "1 Month Calendar, 6 Mini Calendars Before & After ",
    "1 Month Calendar, 12 Mini Calendars After ",
    "6 Month Calendar (Mini Calendars)",
    "12 Month Calendar (Mini Calendars)",
    "24 Month Calendar (Mini Calendars)",
    "48 Month Calendar (Mini Calendars)",
    "60 Month Calendar (Mini Calendars)",
    "One Week Planner",
    "Two Week Planner",
    "Day Planner (10 hours) ",
    "Day Planner (15 hours) ",
};

constexpr int kFirstPlannerRow = 9;

int LayoutOfRow(int row, bool landscape, int current)
{
    if (row < 0 || row >= kLayoutRowCount)
        return current;
    if (row >= kFirstPlannerRow)
        return row + loWeek - kFirstPlannerRow;
    return row * 2 + (landscape ? 1 : 0);
}

int RowOfLayout(int layout)
{
    if (layout < 0 || layout >= kLayoutCount)
        return -1;
    if (layout >= loWeek)
        return layout - loWeek + kFirstPlannerRow;
    return layout / 2;
}

int OrientationRowOfLayout(int layout)
{
    return layout >= 0 && layout < loWeek ? layout % 2 : 0;
}

const std::array<const char *, kMarginEntryCount> kInchCaptions = {
    "\u00bc Inch", "\u00bd Inch", "\u00be Inch", "1 Inch", "1\u00bc Inch", "1\u00bd Inch"};
const std::array<const char *, kMarginEntryCount> kMillimetreCaptions = {
    "6 mm", "13 mm", "19 mm", "25 mm", "32 mm", "38 mm"};

int MarginEntry(float inches)
{
    const double v = static_cast<double>(inches);
    if (v < 0.5) return 0;
    if (v < 0.75) return 1;
    if (v < 1.0) return 2;
    if (v < 1.25) return 3;
    if (v < 1.5) return 4;
    return 5;
}

bool MarginOfEntry(int entry, float &inches)
{
    if (entry < 0 || entry >= kMarginEntryCount)
        return false;
    inches = 0.25F * static_cast<float>(entry + 1);
    return true;
}

TPropertyAvailability AvailabilityOf(int layout)
{
    TPropertyAvailability a;
    const bool full = layout < 8;
    const bool beyondMinis = layout > 17;
    const int family = LayoutFamilyOf(layout);
    a.orientation = layout < 18;
    a.weekStart = layout < 18;
    a.fullOnly = full;
    a.titleHeader = full || beyondMinis;
    a.minis = layout >= 2 && layout <= 17;
    a.startingTime = family == 4 || family == 5;
    return a;
}

TGridDate ValidGridDate(int year, int month, int day)
{
    TGridDate d;
    d.year = std::clamp(year, kFirstGridYear, kLastGridYear);
    d.month = std::clamp(month, 1, 12);
    d.day = std::clamp(day, 1, DaysInMonth(d.year, d.month));
    return d;
}

TGridDate StepYear(TGridDate date, int years)
{
    date = ValidGridDate(date.year, date.month, date.day);
    const int year = date.year + years;
    if (year < kFirstGridYear || year > kLastGridYear)
        return date;
    if (date.month == 2 && date.day == 29)
        date.day = 28;
    date.year = year;
    return date;
}

TGridDate StepMonth(TGridDate date, int months)
{
    date = ValidGridDate(date.year, date.month, date.day);
    const int index = date.year * 12 + (date.month - 1) + months;
    const int year = index / 12;
    if (index < 0 || year < kFirstGridYear || year > kLastGridYear)
        return date;
    return ValidGridDate(year, index % 12 + 1, date.day);
}

} // namespace velmora
