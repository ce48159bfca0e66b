#pragma once
// Page geometry: paper size, the main rectangle and the mini calendar rectangles of every
// layout, in page pixels at factor 1.
#include "calendar/MonthGrid.h"
#include "calendar/PageSettings.h"

#include <vector>

namespace velmora {

constexpr int kPagePpi = 96; // page pixels per inch; documents store positions in them

// round(ppi × inches), halves to even.
int InchToPixels(double inches, int ppi = kPagePpi);
// Nearest integer, halves to even: the rounding all page geometry uses.
int RoundEven(double v);

struct TMiniRect
{
    TRect rect;
    TMonthYear monthYear;
};

struct TPageLayout
{
    int width = 0;  // page pixels at factor 1
    int height = 0;
    TCalendarOrientation orientation = coPortrait;
    TRect main;
    std::vector<TMiniRect> minis;
    bool monthGrid = false;
    bool hasMinis = false;
    bool planner = false;
};

// The whole layout for the settings; previousMain is kept as the main rectangle by the
// layouts that draw no main calendar.
TPageLayout ComputePageLayout(const TCalendarSettings &s, const TRect &previousMain,
                              int ppi = kPagePpi);

// Lays out mini rectangles first..last (1-based) in a rows × columns grid over area; the
// last row and column sit flush with the area's bottom and right edge.
void LayoutMiniGrid(std::vector<TMiniRect> &minis, int rows, int columns, int first, int last,
                    const TRect &area);

} // namespace velmora
