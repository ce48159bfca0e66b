#pragma once
// The month grid and planner painters. They draw through a TCanvas and fill the day cell
// table and hit rectangles of the record they are given; the same painters serve the
// screen, bitmaps and paper.
#include "calendar/MonthGrid.h"
#include "common/Canvas.h"
#include "common/DateValue.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

struct TDrawFont
{
    std::string name;
    int size = 0; // points, already multiplied by the zoom
    uint8_t style = 0;
    TColor color = clWindowText;
};

struct TCalDrawParams
{
    TColor pageColor = clWhite;
    TColor titleBackground = clWhite;
    int minTitleHeight = 0;
    int month = 1;
    int year = 1997;
    int day = 0;
    TRect area;
    int numberPosition = 0;
    int startOfWeek = 1;
    int calendarBorder = 0;
    TDrawFont titleFont;
    bool showYear = true;
    TDrawFont headersFont;
    int headersBorder = 0;
    int headersStyle = 0;
    TColor headersBackground = clWhite;
    TDrawFont cellFont;
    int cellBorder = 0;
    TNameTables names;
    TDayCellTable cells;
    TRect titleRect;
    TRect dayNamesRect;
    int plannerDays = 7;
    int plannerHours = 10;
    TDateTime plannerFirstHour = 0;
    // Paper rules: page area not filled, white title bands not filled, borders per cell
    // box, planner title band of 1.6 title-font lines.
    bool paper = false;
};

void DrawBorder(TCanvas &canvas, const TRect &r, int style);
void DrawMonth(TCanvas &canvas, TCalDrawParams &params, const std::string &userTitle);
// rows = labelled rows + the "Notes" row; left/right labels and days per row.
void DrawPlanner(TCanvas &canvas, TCalDrawParams &params, const std::vector<TPlannerRow> &rows,
                 const std::string &title);

} // namespace velmora
