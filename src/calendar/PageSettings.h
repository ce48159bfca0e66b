#pragma once
// The page's settings as one value: everything a document or style sheet stores about
// the page, so copying, comparing and streaming it stay plain.
#include "calendar/CalendarTypes.h"
#include "calendar/NameTables.h"
#include "common/DateValue.h"
#include "common/Font.h"

#include <string>

namespace velmora {

struct TCalendarSettings
{
    uint8_t PaperKind = 0; // 0 Letter, 1 A4
    int32_t CalendarLayout = loFullCalendar;
    int32_t CalendarOrientation = coPortrait;
    int32_t CalendarLineLayout = llFull;
    int32_t MiniCalendarLineLayout = mllFull;

    TFontDesc TitleFont = TFontDesc::make("Times New Roman", 26, uint8_t(TFontStyle::fsBold));
    TFontDesc HeadersFont = TFontDesc::make("Times New Roman", 16, uint8_t(TFontStyle::fsBold));
    TFontDesc CellFont = TFontDesc::make("Times New Roman", 16, uint8_t(TFontStyle::fsBold));
    TFontDesc MiniTitleFont = TFontDesc::make("Times New Roman", 6, uint8_t(TFontStyle::fsBold));
    TFontDesc MiniHeadersFont = TFontDesc::make("Times New Roman", 8, 0, clWhite);
    TFontDesc MiniCellFont = TFontDesc::make("Times New Roman", 6, 0);

    TColor TitleBGColor = clWhite;
    TColor HeadersBGColor = clWhite;
    TColor MiniHeadersBGColor = clWhite;
    TColor MiniCalBGColor = clWhite;

    int32_t CalendarBorder = cbAll;
    int32_t HeadersBorder = cbAll;
    int32_t CellBorder = cbAll;
    int32_t MiniCalBorder = cbAll;
    int32_t MiniHeadersBorder = cbBottom;
    int32_t MiniCellBorder = cbNone;

    int32_t HeadersStyle = dsThreeChars;
    int32_t MiniHeadersStyle = dsFirstChar;
    bool TitleShowYear = true;
    bool MiniShowYear = true;
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
