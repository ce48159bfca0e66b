#pragma once
// The page's enumerations. Their ordinals are stored in documents and style sheets.
#include "common/Rect.h"
#include "objects/PanelState.h"

#include <cstdint>

namespace velmora {

enum TCalendarLayout : int32_t {
    loFullCalendar = 0,
    LOFullCalendarLS = 1,
    loFCMinisInTitle = 2,
    loFCMinisInTitleLS = 3,
    loFC6Before6After = 4,
    loFC6Before6AfterLS = 5,
    loFC12After = 6,
    loFC12AfterLS = 7,
    lopMC6Month = 8,
    lopMC6MonthLS = 9,
    loMC12Month = 10,
    loMC12MonthLS = 11,
    loMC24Month = 12,
    loMC24MonthLS = 13,
    loMC48Month = 14,
    loMC48MonthLS = 15,
    loMC60Month = 16,
    loMC60MonthLS = 17,
    loWeek = 18,
    lo2Week = 19,
    loDay10 = 20,
    loDay15 = 21,
};
constexpr int kLayoutCount = 22;

enum TCalendarOrientation : int32_t { coPortrait = 0, coLandscape = 1 };
enum TCalendarLineLayout : int32_t { llFull = 0, llHeadersAndCells = 1, llCellsOnly = 2 };
enum TMiniCalendarLineLayout : int32_t { mllFull = 0, mllBoxed = 1, mllMinimal = 2 };
enum TCalBorderStyle : int32_t { cbNone = 0, cbAll = 1, cbTop = 2, cbBottom = 3, cbTopBottom = 4 };
enum TCalHeadersStyle : int32_t { dsFirstChar = 0, dsThreeChars = 1, dsWhole = 2 };
enum TCalendarNumberPosition : int32_t { cnpCenter = 0, cnpUpperRight = 1 };

// Layout families: 0 month grid (0..7), 1 minis only (8..17), 2 week, 3 two weeks,
// 4 day of 10 hours, 5 day of 15 hours.
int LayoutFamilyOf(int layout);
bool LayoutHasMonthGrid(int layout);
bool LayoutHasMinis(int layout);
bool LayoutIsPlanner(int layout);
// Landscape for the odd layouts 1..17, portrait for the rest.
TCalendarOrientation LayoutOrientation(int layout);

// One record of the 42-cell day table.
struct TDayCell
{
    TRect rTotal; // the cell's area on the page (zoomed page pixels)
    int32_t iDay = 0; // day of month shown, 0 for none
    TRect rFree;  // where the cell's text goes; all zeros when the cell has no text area
    friend bool operator==(const TDayCell &, const TDayCell &) = default;
};

constexpr int kCellCount = 42;

} // namespace velmora
