#pragma once
// The floating mini calendar ("TGFlatCalendar"): one month drawn as a small calendar (title,
// a band of day names, six rows of day numbers) anywhere on the page, independent of the
// page's own month, with an optional drop shadow.
//
// Its geometry truncates toward zero everywhere (sizes, zoomed fonts, the shadow offset), not
// the half-to-even rounding of the page: documents made with other writers line up that way.
#include "common/Font.h"
#include "common/Rect.h"
#include "objects/GGraphc.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPicture;

namespace velmora {

enum TFlatCalBorderStyle : int32_t { fcbNone = 0, fcbAll = 1, fcbTop = 2, fcbBottom = 3, fcbTopBottom = 4 };
enum TFlatCalHeadersStyle : int32_t { fdsFirstChar = 0, fdsThreeChars = 1, fdsWhole = 2 };
enum TFlatShadowPosition : int32_t {
    fcpLowerRight = 0,
    fcpLowerLeft = 1,
    fcpUpperRight = 2,
    fcpUpperLeft = 3
};
enum TFlatCalLanguage : int32_t {
    fclEnglish = 0,
    fclGerman = 1,
    fclFrench = 2,
    fclItalian = 3,
    fclSpanish = 4
};
// 1 = the week starts on Sunday, 2 = on Monday; nothing else is used.
using TFCDayOfWeek = uint8_t;

// The calendar and shadow rectangles inside an object of w × h pixels.
struct TFlatShadowSplit
{
    TRect calendar;
    TRect shadow;
    bool hasShadow = false;
};
TFlatShadowSplit FlatShadowSplit(int w, int h, int depth, TFlatShadowPosition position,
                                 bool transparent, double zoom);

// Everything the calendar painter places, computed apart from any canvas so it can be checked.
struct TFlatCalLayout
{
    TRect title;                      // the text rectangle; its fill reaches one pixel further right
    TRect band;                       // the day-name band
    int columnWidth = 0;
    int gridTop = 0;
    int rowHeight = 0;
    std::array<TRect, 7> nameCells{};
    std::array<int, 7> nameDay{};     // day index shown per column, 1 = Sunday
    std::vector<int> horizontalLines; // y of lines from (L, y) to (R - 1, y)
    std::vector<int> verticalLines;   // x of lines from (x, gridTop) to (x, B - 1)
    struct Number
    {
        int day, row, column;
        TRect rect;
    };
    std::vector<Number> numbers;
};
// titleTextHeight: the height of "Wy" in the title font; nameFontPixels: the day-name font's
// height in pixels. month must lie in 1..12.
TFlatCalLayout FlatCalendarLayout(const TRect &area, int titleTextHeight, int nameFontPixels,
                                  int month, int year, int startOfWeek,
                                  TFlatCalBorderStyle cellBorder);

class TCanvas;

// Outline pieces of a rectangle in a border style, drawn with the canvas's pen.
void DrawFlatBorder(TCanvas &canvas, const TRect &r, TFlatCalBorderStyle style);

class TGFlatCalendar : public TGGraphicControl
{
public:
    static constexpr const char *kClassName = "TGFlatCalendar";

    // A calendar of the current month.
    TGFlatCalendar();

    std::string className() const override { return kClassName; }

    TFCDayOfWeek StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(int v);
    // Stored as given; painting shows the nearest month of 1..12 (see clampedMonth).
    int32_t Month() const { return month_; }
    void SetMonth(int32_t v);
    int32_t Year() const { return year_; }
    void SetYear(int32_t v);
    const TFontDesc &TitleFont() const { return titleFont_; }
    void SetTitleFont(const TFontDesc &f);
    const TFontDesc &DayNameFont() const { return dayNameFont_; }
    void SetDayNameFont(const TFontDesc &f);
    const TFontDesc &CellFont() const { return cellFont_; }
    void SetCellFont(const TFontDesc &f);
    bool ShowYear() const { return showYear_; }
    void SetShowYear(bool on);
    TColor DayNameBGColor() const { return dayNameBG_; }
    void SetDayNameBGColor(TColor c);
    TFlatCalBorderStyle CalendarBorderStyle() const { return calendarBorder_; }
    void SetCalendarBorderStyle(TFlatCalBorderStyle s);
    TFlatCalBorderStyle DayNameBorderStyle() const { return dayNameBorder_; }
    void SetDayNameBorderStyle(TFlatCalBorderStyle s);
    TFlatCalBorderStyle CellBorderStyle() const { return cellBorder_; }
    void SetCellBorderStyle(TFlatCalBorderStyle s);
    TFlatCalHeadersStyle DayNameStyle() const { return dayNameStyle_; }
    void SetDayNameStyle(TFlatCalHeadersStyle s);
    TColor TitleBGcolor() const { return titleBG_; }
    void SetTitleBGcolor(TColor c);
    TColor Backgroundcolor() const { return background_; }
    void SetBackgroundcolor(TColor c);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor c);
    // Pixels at zoom 1; values above 10 are refused.
    int32_t ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int32_t v);
    TFlatShadowPosition ShadowPosition() const { return shadowPosition_; }
    void SetShadowPosition(TFlatShadowPosition p);
    TFlatCalLanguage Language() const { return language_; }
    void SetLanguage(TFlatCalLanguage l);
    bool CalTransparent() const { return transparent_; }
    void SetCalTransparent(bool on);

    // The month painted: a document may hold any number, the names exist for 1..12 only.
    int clampedMonth() const;
    // What the painter writes: the title, and the day name of a column 0..6.
    std::string TitleText() const;
    std::string DayNameText(int column) const;

    // Copies every property the properties dialog edits (not the size).
    void AssignProperties(const TGFlatCalendar &source);

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void PrintObject(TReportCanvas &report, double xOffset, double yOffset) override;
    // The object as a vector picture at 96 pixels per inch, shadow included.
    std::unique_ptr<QPicture> MakeCalendarMetafile() const;
    // Draws the object with its top-left corner at the canvas origin, w × h pixels at zoom.
    void DrawObject(TCanvas &canvas, int w, int h, double zoom) const;

    // The "Properties" entry: the dialog edits a copy; OK copies the changes back.
    void EditProperties();

    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

private:
    void changed();
    void fontChanged();

    TFCDayOfWeek startOfWeek_ = 1;
    int32_t month_ = 1;
    int32_t year_ = 2000;
    TFontDesc titleFont_;
    TFontDesc dayNameFont_;
    TFontDesc cellFont_;
    bool showYear_ = false;
    TColor dayNameBG_ = clWhite;
    TFlatCalBorderStyle calendarBorder_ = fcbAll;
    TFlatCalBorderStyle dayNameBorder_ = fcbAll;
    TFlatCalBorderStyle cellBorder_ = fcbNone;
    TFlatCalHeadersStyle dayNameStyle_ = fdsFirstChar;
    TColor titleBG_ = clWhite;
    TColor background_ = clWhite;
    TColor shadowColor_ = clBlack;
    int32_t shadowDepth_ = 0;
    TFlatShadowPosition shadowPosition_ = fcpLowerRight;
    TFlatCalLanguage language_ = fclEnglish;
    bool transparent_ = false;
};

// Runs the properties dialog on a preview copy; true when it closed with OK. The program
// installs its dialog at start-up; without one (the exporter, tests) Properties does nothing.
using TFlatCalendarEditorRunner = std::function<bool(TGFlatCalendar &preview)>;
TFlatCalendarEditorRunner &FlatCalendarEditor();

// Lets documents, the object clipboard and the Calendar tool create floating calendars.
void RegisterFlatCalendar();

} // namespace velmora
