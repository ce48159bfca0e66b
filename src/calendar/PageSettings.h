#pragma once
// The page's settings as one value: everything a document or style sheet stores about
// the page, so copying, comparing and streaming it stay plain.
#include "calendar/CalendarTypes.h"
#include "calendar/NameTables.h"
#include "common/DateValue.h"
#include "common/Font.h"

#include <string>

namespace velmora {

// How one calendar of the page looks. The main calendar and the minis each have one;
// everything the two share is drawn from it the same way.
struct TCalendarStyle
{
    int32_t LineLayout = llFull;
    TFontDesc TitleFont;
    TFontDesc HeadersFont;
    TFontDesc CellFont;
    // The main calendar's title band; behind a mini, the whole mini.
    TColor Background = clWhite;
    TColor HeadersBackground = clWhite;
    int32_t Border = cbAll;
    int32_t HeadersBorder = cbAll;
    int32_t CellBorder = cbAll;
    int32_t HeadersStyle = dsThreeChars;
    bool ShowYear = true;

    friend bool operator==(const TCalendarStyle &, const TCalendarStyle &) = default;
};

struct TCalendarSettings
{
    uint8_t PaperKind = 0; // 0 Letter, 1 A4
    int32_t CalendarLayout = loFullCalendar;
    int32_t CalendarOrientation = coPortrait;

    TCalendarStyle Main{llFull,
                        TFontDesc::make("Times New Roman", 26, uint8_t(TFontStyle::fsBold)),
                        TFontDesc::make("Times New Roman", 16, uint8_t(TFontStyle::fsBold)),
                        TFontDesc::make("Times New Roman", 16, uint8_t(TFontStyle::fsBold)),
                        clWhite,
                        clWhite,
                        cbAll,
                        cbAll,
                        cbAll,
                        dsThreeChars,
                        true};
    TCalendarStyle Mini{mllFull,
                        TFontDesc::make("Times New Roman", 6, uint8_t(TFontStyle::fsBold)),
                        TFontDesc::make("Times New Roman", 8, 0, clWhite),
                        TFontDesc::make("Times New Roman", 6, 0),
                        clWhite,
                        clWhite,
                        cbAll,
                        cbBottom,
                        cbNone,
                        dsFirstChar,
                        true};

    int32_t NumberPosition = cnpUpperRight;
    int32_t StartOfWeek = 1;

    int32_t MainCalDay = 0;
    int32_t MainCalMonth = 1;
    int32_t MainCalYear = 1997;

    float LeftMarginInch = 0.25F;
    float TopMarginInch = 0.25F;
    float RightMarginInch = 0.25F;
    float BottomMarginInch = 0.25F;

    std::string UserTitle; // UTF-8
    TDateTime PlannerFirstHour = EncodeTime(8, 0, 0);
    TNameTables Names = BuiltInNames(TNameLanguage::English);

    friend bool operator==(const TCalendarSettings &, const TCalendarSettings &) = default;
};

// The page style comparison: fonts compare by name, style and colour (not size); borders
// and the number position are not compared.
bool SameStyle(const TCalendarSettings &a, const TCalendarSettings &b);
// The same for one calendar's style.
bool SameLook(const TCalendarStyle &a, const TCalendarStyle &b);
// Fonts, backgrounds, headers style and show-year; borders and line layout stay.
void AssignLook(TCalendarStyle &to, const TCalendarStyle &from);

// Borders that a line layout implies.
struct TLineBorders
{
    int32_t outer; // CalendarBorder / MiniCalBorder
    int32_t headers;
    int32_t cells;
};
TLineBorders LineLayoutBorders(int lineLayout);
TLineBorders MiniLineLayoutBorders(int miniLineLayout);

// Size s of the mini title font for a layout (0 when the layout leaves the fonts alone);
// the mini headers and cell fonts get 0.8 × s truncated.
int MiniTitleFontSize(int layout);
int MiniBodyFontSize(int titleSize);

} // namespace velmora
