#pragma once
// The calendar page as data: its settings, the day cell stores and their geometry, the
// design objects and the layout, with one renderer for every surface. Nothing here is a
// widget: the program shows a page through its view (TCalendarPanel32), and the exporter
// reads, fills and renders one without any window.
#include "calendar/CellText.h"
#include "calendar/MonthGrid.h"
#include "calendar/PageLayout.h"
#include "calendar/PageSettings.h"
#include "calendar/PageRenderer.h"
#include "objects/ObjectLayer.h"
#include "richtext/WPRtfStorage.h"

#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QPainter;

namespace velmora {

class TCanvas;
class TDocumentObjects;
class TReportCanvas;
struct TCalDrawParams;

class TCalendarPage
{
public:
    TCalendarPage();
    ~TCalendarPage();
    TCalendarPage(const TCalendarPage &) = delete;
    TCalendarPage &operator=(const TCalendarPage &) = delete;

    // What a change asks of whoever shows the page: a new picture, or a new size as well.
    enum class TChange { Picture, Layout };
    std::function<void(TChange)> Changed;

    // The whole settings block; plain reads and, for the document reader, plain writes.
    const TCalendarSettings &Settings() const { return s_; }
    TCalendarSettings &SettingsForReading() { return s_; }

    // Published properties. A setter given the current value does nothing.
    int CalendarLayout() const { return s_.CalendarLayout; }
    void SetCalendarLayout(int layout);
    int CalendarOrientation() const { return s_.CalendarOrientation; }
    void SetCalendarOrientation(int orientation);
    int CalendarLineLayout() const { return s_.Main.LineLayout; }
    void SetCalendarLineLayout(int lineLayout);
    int MiniCalendarLineLayout() const { return s_.Mini.LineLayout; }
    void SetMiniCalendarLineLayout(int lineLayout);

    const TFontDesc &TitleFont() const { return s_.Main.TitleFont; }
    const TFontDesc &HeadersFont() const { return s_.Main.HeadersFont; }
    const TFontDesc &CellFont() const { return s_.Main.CellFont; }
    const TFontDesc &MiniTitleFont() const { return s_.Mini.TitleFont; }
    const TFontDesc &MiniHeadersFont() const { return s_.Mini.HeadersFont; }
    const TFontDesc &MiniCellFont() const { return s_.Mini.CellFont; }
    // The font setters copy the given font and ignore a null one.
    void SetTitleFont(const TFontDesc *font);
    void SetHeadersFont(const TFontDesc *font);
    void SetCellFont(const TFontDesc *font);
    void SetMiniTitleFont(const TFontDesc *font);
    void SetMiniHeadersFont(const TFontDesc *font);
    void SetMiniCellFont(const TFontDesc *font);

    TColor TitleBGColor() const { return s_.Main.Background; }
    void SetTitleBGColor(TColor c);
    TColor HeadersBGColor() const { return s_.Main.HeadersBackground; }
    void SetHeadersBGColor(TColor c);
    TColor MiniHeadersBGColor() const { return s_.Mini.HeadersBackground; }
    void SetMiniHeadersBGColor(TColor c);
    TColor MiniCalBGColor() const { return s_.Mini.Background; }
    void SetMiniCalBGColor(TColor c);

    int CalendarBorder() const { return s_.Main.Border; }
    void SetCalendarBorder(int b);
    int HeadersBorder() const { return s_.Main.HeadersBorder; }
    void SetHeadersBorder(int b);
    int CellBorder() const { return s_.Main.CellBorder; }
    void SetCellBorder(int b);
    int MiniCalBorder() const { return s_.Mini.Border; }
    void SetMiniCalBorder(int b);
    int MiniHeadersBorder() const { return s_.Mini.HeadersBorder; }
    void SetMiniHeadersBorder(int b);
    int MiniCellBorder() const { return s_.Mini.CellBorder; }
    void SetMiniCellBorder(int b);

    int HeadersStyle() const { return s_.Main.HeadersStyle; }
    void SetHeadersStyle(int style);
    int MiniHeadersStyle() const { return s_.Mini.HeadersStyle; }
    void SetMiniHeadersStyle(int style);
    bool TitleShowYear() const { return s_.Main.ShowYear; }
    void SetTitleShowYear(bool on);
    bool MiniShowYear() const { return s_.Mini.ShowYear; }
    void SetMiniShowYear(bool on);
    int NumberPosition() const { return s_.NumberPosition; }
    void SetNumberPosition(int position);
    int StartOfWeek() const { return s_.StartOfWeek; }
    void SetStartOfWeek(int start);

    int MainCalDay() const { return s_.MainCalDay; }
    void SetMainCalDay(int day);
    int MainCalMonth() const { return s_.MainCalMonth; }
    void SetMainCalMonth(int month);
    int MainCalYear() const { return s_.MainCalYear; }
    void SetMainCalYear(int year);

    float LeftMarginInch() const { return s_.LeftMarginInch; }
    void SetLeftMarginInch(float inches);
    float TopMarginInch() const { return s_.TopMarginInch; }
    void SetTopMarginInch(float inches);
    float RightMarginInch() const { return s_.RightMarginInch; }
    void SetRightMarginInch(float inches);
    float BottomMarginInch() const { return s_.BottomMarginInch; }
    void SetBottomMarginInch(float inches);

    const std::string &UserTitle() const { return s_.UserTitle; }
    void SetUserTitle(const std::string &title);
    uint8_t PaperKind() const { return s_.PaperKind; }
    void SetPaperKind(uint8_t kind);
    TDateTime PlannerFirstHour() const { return s_.PlannerFirstHour; }
    void SetPlannerFirstHour(TDateTime time);

    // Names 1..12 and 1..7; an index outside the table leaves the name or table unchanged.
    void GetMonthName(int index, std::string &name) const;
    void SetMonthName(int index, const std::string &name);
    void GetDayName(int index, std::string &name) const;
    void SetDayName(int index, const std::string &name);

    // Whole-page operations.
    void ResetToDefaults();
    void AssignStyle(const TCalendarPage &source);
    bool SameStyle(const TCalendarPage &other) const;
    bool HasCellText() const;
    bool HasSuperText() const;
    int LayoutFamily() const { return LayoutFamilyOf(s_.CalendarLayout); }
    // The layout has day cells (a month grid or a planner).
    bool LayoutHasDayCells() const;

    // Geometry.
    void RecalcLayout(bool resetFonts);
    const TPageLayout &Layout() const { return layout_; }
    int PageWidth() const { return layout_.width; }
    int PageHeight() const { return layout_.height; }
    // The view's picture is stale.
    void Repaint() { notify(TChange::Picture); }

    // Drawing. Screen targets also fill the day cell table and hit rectangles at the
    // target's zoom, which clicks and day texts go by.
    void Render(QPainter &painter, const TRenderTarget &target);
    // The page on paper through an inch-based report that is already set up.
    void Render(TReportCanvas &report, const TRenderTarget &target);
    // The page's design objects alone: on screen at their on-screen bounds inside dirty,
    // on paper through each object's own printing in inches.
    void RenderObjects(QPainter &painter, const TRenderTarget &target, const TRect &dirty);
    // A picture of the page at the zoom, as the screen shows it without objects.
    QImage RenderToImage(double zoom);
    bool Rendering() const { return rendering_; }

    // Day cells.
    TDayCellTable &Cells() { return cells_; }
    const TDayCellTable &Cells() const { return cells_; }
    const TRect &TitleRect() const { return titleRect_; }
    const TRect &DayNamesRect() const { return dayNamesRect_; }
    int CellAtPoint(int x, int y) const { return cells_.CellAtPoint(x, y); }
    bool IsPointInCell(int x, int y) const { return cells_.IsPointInCell(x, y); }
    int CellDay(int cell) const { return cells_.CellDay(cell); }
    int CellOfDay(int day) const { return cells_.CellOfDay(day); }
    // Sets the day of every cell as the next drawing will, without drawing; the cells'
    // areas stay as they are.
    void ComputeCellDays();
    // The text areas of cells whose text is cut off, from the last screen render.
    const std::vector<TRect> &OverflowMarks() const { return overflowMarks_; }
    // Every cell's areas become zero until the next screen render.
    void ClearCellAreas() { cells_.clearAreas(); }
    // The rich text store of day cell 1..42.
    TWPRtfStorage &CellStore(int cell) { return cellStores_.at(size_t(cell - 1)); }
    const TWPRtfStorage &CellStore(int cell) const { return cellStores_.at(size_t(cell - 1)); }
    // Every store gets a copy of the empty template and every cell's areas become zero.
    void ClearAllCells();

    // The page draws cell texts with its own renderer unless given another.
    void SetCellTextRenderer(TCellTextRenderer *renderer) { cellRenderer_ = renderer; }
    TCellTextRenderer *CellTextRenderer() const { return cellRenderer_; }

    // The design objects, in drawing order; a view shares them.
    TObjectLayer &Objects() { return *objects_; }
    const TObjectLayer &Objects() const { return *objects_; }
    const std::shared_ptr<TObjectLayer> &SharedObjects() const { return objects_; }
    // The objects as the document file reads and writes them.
    TDocumentObjects &DocumentObjects() { return *documentObjects_; }

private:
    void notify(TChange change);
    void applyMiniFontSizes();
    void setLineLayout(TCalendarStyle &style, int lineLayout, const TLineBorders &borders);
    TCalDrawParams mainParams(double scale, int dpi, const TRect &area) const;
    TCalDrawParams miniParams(const TMiniRect &mini, double scale, const TRect &area) const;
    void drawMain(TCanvas &canvas, TCalDrawParams &params) const;
    void drawCalendar(TCanvas &canvas, const TRenderTarget &target, TDayCellTable &cells,
                      TRect &titleRect, TRect &dayNamesRect) const;
    void drawCellTexts(QPainter &painter, const TRenderTarget &target,
                       const TDayCellTable &cells);
    std::vector<TPlannerRow> plannerRows() const;
    std::string plannerTitle() const;
    template <typename T> void setAndRepaint(T &field, const T &value);
    template <typename T> void setAndRelayout(T &field, const T &value);

    TCalendarSettings s_;
    TPageLayout layout_;
    TDayCellTable cells_;
    TRect titleRect_;
    TRect dayNamesRect_;
    std::vector<TRect> overflowMarks_;
    bool rendering_ = false;
    std::unique_ptr<TCellTextRenderer> ownRenderer_;
    TCellTextRenderer *cellRenderer_ = nullptr;
    std::shared_ptr<TObjectLayer> objects_;
    std::unique_ptr<TDocumentObjects> documentObjects_;
    std::array<TWPRtfStorage, kCellCount> cellStores_;
    TWPRtfStorage emptyTemplate_;
};

} // namespace velmora
