#pragma once
// Calendar arithmetic of the page: grid numbering, mini calendar months, planner rows,
// title texts and the 42-cell day table. No drawing, no storage.
#include "calendar/CalendarTypes.h"
#include "calendar/NameTables.h"
#include "common/DateValue.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

struct TMonthYear
{
    int month = 1;
    int year = 1997;
    friend bool operator==(const TMonthYear &, const TMonthYear &) = default;
};

// Steps one month at a time, so any count is exact across year ends.
TMonthYear AddMonths(int month, int year, int count);

// Column weight of the 1st of the month: with a Sunday start (startOfWeek 1) the day of
// week 1..7; with any other value Monday counts 1 and Sunday 7.
int GridOffset(int year, int month, int startOfWeek);
// Day shown by grid cell (row 0..5, column 0..6); 0 for a blank cell.
int GridDay(int year, int month, int startOfWeek, int row, int column);
// Day name index 1..7 (1 = Sunday) heading column 0..6.
int ColumnDayIndex(int startOfWeek, int column);

// The (month, year) pairs of a layout's mini calendars, mini 1 first.
std::vector<TMonthYear> MiniMonths(int layout, int month, int year);
int MiniCount(int layout);

// A name cut by a headers style: first character, first three characters or whole.
std::string CutName(const std::string &utf8Name, TCalHeadersStyle style);
// Name from a 1-based table index; empty outside the table.
std::string MonthNameAt(const TNameTables &names, int month);
std::string DayNameAt(const TNameTables &names, int day);

// One planner row's two labels and the day of month it stands for (0 for none).
struct TPlannerRow
{
    std::string left;
    std::string right;
    int iDay = 0;
};

// days rows starting at the given date (not aligned to the week start), then "Notes".
std::vector<TPlannerRow> WeekPlannerRows(int year, int month, int day, int days,
                                         const TNameTables &names, TCalHeadersStyle style);
// hours rows from firstHour, one hour apart, then "Notes".
std::vector<TPlannerRow> DayPlannerRows(TDateTime firstHour, int hours);

// One hour as the planner adds it: 60 minutes of the classic minute constant.
constexpr double kPlannerHourStep = 60 * 0.000694445;

std::string MonthTitle(const TNameTables &names, int month, int year, bool showYear);
std::string WeekPlannerTitle(const TNameTables &names, int year, int month, int day, int days);
std::string DayPlannerTitle(const TNameTables &names, int year, int month, int day);

// A planner's start date from possibly damaged page values: month and day are clamped
// into range and a year outside 1..9999 becomes 1997, so no date operation can fail.
TDateTime PlannerStartDate(int year, int month, int day);

// The 42 day cells with their lookups; index 1..42.
class TDayCellTable
{
public:
    TDayCell &cell(int index) { return cells_.at(size_t(index - 1)); }
    const TDayCell &cell(int index) const { return cells_.at(size_t(index - 1)); }
    void clear();            // every field zero
    void clearAreas();       // rTotal and rFree zero, iDay kept
    int CellAtPoint(int x, int y) const; // 0 when no cell holds the point
    bool IsPointInCell(int x, int y) const { return CellAtPoint(x, y) != 0; }
    int CellDay(int index) const;        // 0 outside 1..42
    int CellOfDay(int day) const;        // -1 when no cell shows the day
    bool hasTextArea(int index) const;

private:
    std::array<TDayCell, kCellCount> cells_{};
};

} // namespace velmora
