#pragma once
// The rules of the Calendar Properties dialog that do not need a window: which layout a
// list row and orientation select, which margin entry shows a margin, which controls a
// layout can use, and how the date buttons step.
#include <array>

namespace velmora {

// ---- Layout list ----

constexpr int kLayoutRowCount = 13;
extern const std::array<const char *, kLayoutRowCount> kLayoutRowCaptions;

// Rows 0..8 come in portrait and landscape (layout = row × 2 + landscape); rows 9..12 are
// the planners 18..21, which have no landscape twin. A row outside the list keeps current.
int LayoutOfRow(int row, bool landscape, int current);
// -1 for a value that is no layout (a damaged file can hold one).
int RowOfLayout(int layout);
// 1 for the landscape twins below 18, else 0.
int OrientationRowOfLayout(int layout);

// ---- Margins ----

constexpr int kMarginEntryCount = 6;
extern const std::array<const char *, kMarginEntryCount> kInchCaptions;
extern const std::array<const char *, kMarginEntryCount> kMillimetreCaptions;

// The entry 0..5 that shows a margin: each entry covers the quarter inch from its own
// value up to the next one, and the last covers everything above.
int MarginEntry(float inches);
// 0.25 inch × (entry + 1); false for the empty seventh entry and anything else outside 0..5.
bool MarginOfEntry(int entry, float &inches);

// ---- Which controls a layout can use ----

struct TPropertyAvailability
{
    bool orientation = false;  // rOrientation
    bool weekStart = false;    // WeekStartsOn
    bool fullOnly = false;     // title year, title background, number font, line style
    bool titleHeader = false;  // title font, header font and background, header style
    bool minis = false;        // every mini calendar control
    bool startingTime = false; // StartingtimeButton
    friend bool operator==(const TPropertyAvailability &, const TPropertyAvailability &) = default;
};
TPropertyAvailability AvailabilityOf(int layout);

// ---- Date buttons ----

struct TGridDate
{
    int year = 1997;
    int month = 1;
    int day = 1;
    friend bool operator==(const TGridDate &, const TGridDate &) = default;
};

constexpr int kFirstGridYear = 1;
constexpr int kLastGridYear = 9999;

// A date the month grid can show: year 1..9999, month 1..12, day within the month. Page
// values from an old or damaged document (day 0, month 13) are brought into range.
TGridDate ValidGridDate(int year, int month, int day);
// 29 February becomes 28 February before the year moves, so the day always exists. A step
// beyond the years the grid can show leaves the date unchanged.
TGridDate StepYear(TGridDate date, int years);
// A day beyond the end of the new month becomes its last day (31 January → 28 February).
TGridDate StepMonth(TGridDate date, int months);

} // namespace velmora
