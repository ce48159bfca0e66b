#pragma once
// The calendar page on screen: the view of a page model (TCalendarPage). It keeps the
// cached picture, routes the mouse and keys to the objects and the day cells, and raises
// the page's events. The page's published properties and operations keep their names
// here and forward to the model.
#include "calendar/CalendarPage.h"
#include "objects/Gbasepnl.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string>

namespace velmora {

class TReportCanvas;

class TCalendarPanel32 : public TGBasePanel
{
    Q_OBJECT
public:
    explicit TCalendarPanel32(QWidget *parent = nullptr);
    ~TCalendarPanel32() override;

    // The model this panel shows. The panel converts to it, so document, day text and
    // drawing functions take either.
    TCalendarPage &Page() { return *page_; }
    const TCalendarPage &Page() const { return *page_; }
    operator TCalendarPage &() { return *page_; }
    operator const TCalendarPage &() const { return *page_; }

    // The whole settings block; plain reads and, for the document reader, plain writes.
    const TCalendarSettings &Settings() const { return page_->Settings(); }
    TCalendarSettings &SettingsForReading() { return page_->SettingsForReading(); }
    // Published properties. A setter given the current value does nothing.
    int CalendarLayout() const { return page_->CalendarLayout(); }
    void SetCalendarLayout(int layout) { page_->SetCalendarLayout(layout); }
    int CalendarOrientation() const { return page_->CalendarOrientation(); }
    void SetCalendarOrientation(int orientation) { page_->SetCalendarOrientation(orientation); }
    int CalendarLineLayout() const { return page_->CalendarLineLayout(); }
    void SetCalendarLineLayout(int lineLayout) { page_->SetCalendarLineLayout(lineLayout); }
    int MiniCalendarLineLayout() const { return page_->MiniCalendarLineLayout(); }
    void SetMiniCalendarLineLayout(int lineLayout) { page_->SetMiniCalendarLineLayout(lineLayout); }

    const TFontDesc &TitleFont() const { return page_->TitleFont(); }
    const TFontDesc &HeadersFont() const { return page_->HeadersFont(); }
    const TFontDesc &CellFont() const { return page_->CellFont(); }
    const TFontDesc &MiniTitleFont() const { return page_->MiniTitleFont(); }
    const TFontDesc &MiniHeadersFont() const { return page_->MiniHeadersFont(); }
    const TFontDesc &MiniCellFont() const { return page_->MiniCellFont(); }
    // The font setters copy the given font and ignore a null one.
    void SetTitleFont(const TFontDesc *font) { page_->SetTitleFont(font); }
    void SetHeadersFont(const TFontDesc *font) { page_->SetHeadersFont(font); }
    void SetCellFont(const TFontDesc *font) { page_->SetCellFont(font); }
    void SetMiniTitleFont(const TFontDesc *font) { page_->SetMiniTitleFont(font); }
    void SetMiniHeadersFont(const TFontDesc *font) { page_->SetMiniHeadersFont(font); }
    void SetMiniCellFont(const TFontDesc *font) { page_->SetMiniCellFont(font); }

    TColor TitleBGColor() const { return page_->TitleBGColor(); }
    void SetTitleBGColor(TColor c) { page_->SetTitleBGColor(c); }
    TColor HeadersBGColor() const { return page_->HeadersBGColor(); }
    void SetHeadersBGColor(TColor c) { page_->SetHeadersBGColor(c); }
    TColor MiniHeadersBGColor() const { return page_->MiniHeadersBGColor(); }
    void SetMiniHeadersBGColor(TColor c) { page_->SetMiniHeadersBGColor(c); }
    TColor MiniCalBGColor() const { return page_->MiniCalBGColor(); }
    void SetMiniCalBGColor(TColor c) { page_->SetMiniCalBGColor(c); }

    int CalendarBorder() const { return page_->CalendarBorder(); }
    void SetCalendarBorder(int b) { page_->SetCalendarBorder(b); }
    int HeadersBorder() const { return page_->HeadersBorder(); }
    void SetHeadersBorder(int b) { page_->SetHeadersBorder(b); }
    int CellBorder() const { return page_->CellBorder(); }
    void SetCellBorder(int b) { page_->SetCellBorder(b); }
    int MiniCalBorder() const { return page_->MiniCalBorder(); }
    void SetMiniCalBorder(int b) { page_->SetMiniCalBorder(b); }
    int MiniHeadersBorder() const { return page_->MiniHeadersBorder(); }
    void SetMiniHeadersBorder(int b) { page_->SetMiniHeadersBorder(b); }
    int MiniCellBorder() const { return page_->MiniCellBorder(); }
    void SetMiniCellBorder(int b) { page_->SetMiniCellBorder(b); }

    int HeadersStyle() const { return page_->HeadersStyle(); }
    void SetHeadersStyle(int style) { page_->SetHeadersStyle(style); }
    int MiniHeadersStyle() const { return page_->MiniHeadersStyle(); }
    void SetMiniHeadersStyle(int style) { page_->SetMiniHeadersStyle(style); }
    bool TitleShowYear() const { return page_->TitleShowYear(); }
    void SetTitleShowYear(bool on) { page_->SetTitleShowYear(on); }
    bool MiniShowYear() const { return page_->MiniShowYear(); }
    void SetMiniShowYear(bool on) { page_->SetMiniShowYear(on); }
    int NumberPosition() const { return page_->NumberPosition(); }
    void SetNumberPosition(int position) { page_->SetNumberPosition(position); }
    int StartOfWeek() const { return page_->StartOfWeek(); }
    void SetStartOfWeek(int start) { page_->SetStartOfWeek(start); }

    int MainCalDay() const { return page_->MainCalDay(); }
    void SetMainCalDay(int day) { page_->SetMainCalDay(day); }
    int MainCalMonth() const { return page_->MainCalMonth(); }
    void SetMainCalMonth(int month) { page_->SetMainCalMonth(month); }
    int MainCalYear() const { return page_->MainCalYear(); }
    void SetMainCalYear(int year) { page_->SetMainCalYear(year); }

    float LeftMarginInch() const { return page_->LeftMarginInch(); }
    void SetLeftMarginInch(float inches) { page_->SetLeftMarginInch(inches); }
    float TopMarginInch() const { return page_->TopMarginInch(); }
    void SetTopMarginInch(float inches) { page_->SetTopMarginInch(inches); }
    float RightMarginInch() const { return page_->RightMarginInch(); }
    void SetRightMarginInch(float inches) { page_->SetRightMarginInch(inches); }
    float BottomMarginInch() const { return page_->BottomMarginInch(); }
    void SetBottomMarginInch(float inches) { page_->SetBottomMarginInch(inches); }

    const std::string &UserTitle() const { return page_->UserTitle(); }
    void SetUserTitle(const std::string &title) { page_->SetUserTitle(title); }
    uint8_t PaperKind() const { return page_->PaperKind(); }
    void SetPaperKind(uint8_t kind) { page_->SetPaperKind(kind); }
    TDateTime PlannerFirstHour() const { return page_->PlannerFirstHour(); }
    void SetPlannerFirstHour(TDateTime time) { page_->SetPlannerFirstHour(time); }

    // Names 1..12 and 1..7; an index outside the table leaves the name or table unchanged.
    void GetMonthName(int index, std::string &name) const { page_->GetMonthName(index, name); }
    void SetMonthName(int index, const std::string &name) { page_->SetMonthName(index, name); }
    void GetDayName(int index, std::string &name) const { page_->GetDayName(index, name); }
    void SetDayName(int index, const std::string &name) { page_->SetDayName(index, name); }

    // Whole-page operations.
    void ResetToDefaults() { page_->ResetToDefaults(); }
    bool HasCellText() const { return page_->HasCellText(); }
    bool HasSuperText() const { return page_->HasSuperText(); }
    int LayoutFamily() const { return page_->LayoutFamily(); }

    void AssignStyle(const TCalendarPanel32 &source) { page_->AssignStyle(*source.page_); }
    bool SameStyle(const TCalendarPanel32 &other) const { return page_->SameStyle(*other.page_); }
    // Day cells shown: the page is visible and its layout has them.
    bool HasDayCells() const { return !isHidden() && page_->LayoutHasDayCells(); }

    // Geometry and drawing.
    void RecalcLayout(bool resetFonts) { page_->RecalcLayout(resetFonts); }
    const TPageLayout &Layout() const { return page_->Layout(); }
    int PageWidth() const { return page_->PageWidth(); }
    int PageHeight() const { return page_->PageHeight(); }
    // The page as the screen shows it at the panel's zoom, without objects.
    QImage RenderToBitmap();
    // Draws the page on a printer page; offsets in inches.
    void PrintPage(TReportCanvas &report, double xOffset, double yOffset);
    void Repaint();
    void SetPaintingHold(bool hold);
    bool PaintingHold() const { return paintingHold_; }

    // Day cells.
    TDayCellTable &Cells() { return page_->Cells(); }
    const TDayCellTable &Cells() const { return page_->Cells(); }
    const TRect &TitleRect() const { return page_->TitleRect(); }
    const TRect &DayNamesRect() const { return page_->DayNamesRect(); }
    int CellAtPoint(int x, int y) const { return page_->CellAtPoint(x, y); }
    bool IsPointInCell(int x, int y) const { return page_->IsPointInCell(x, y); }
    int CellDay(int cell) const { return page_->CellDay(cell); }
    int CellOfDay(int day) const { return page_->CellOfDay(day); }
    void ComputeCellDays() { page_->ComputeCellDays(); }
    void ActivateCell(int cell);
    void ActivatePrevCell(int cell);
    void ActivateNextCell(int cell);
    void ClickCellAtPoint(int x, int y);
    void ClearCellAreas() { page_->ClearCellAreas(); }
    TWPRtfStorage &CellStore(int cell) { return page_->CellStore(cell); }
    const TWPRtfStorage &CellStore(int cell) const { return page_->CellStore(cell); }
    void ClearAllCells() { page_->ClearAllCells(); }

    void SetCellTextRenderer(TCellTextRenderer *renderer) { page_->SetCellTextRenderer(renderer); }
    TCellTextRenderer *CellTextRenderer() const { return page_->CellTextRenderer(); }
    TDocumentObjects &DocumentObjects() { return page_->DocumentObjects(); }

    // Events raised to the owner.
    std::function<void(const TRect &rTotal, const TRect &rFree, int iCell, int iDay)>
        ClickedInCellEvent;
    std::function<void(QObject *sender)> OnClickedHeader;
    std::function<void(QObject *sender)> OnClickedDaysArea;
    std::function<void(QObject *sender)> OnClick;
    std::function<void(QObject *sender)> OnDblClick;

    // The calendar drawn into an image of the panel's size at its zoom, as the screen shows
    // it. Fills the day cell table.
    void DrawCalendarInto(QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void zoomChanged() override;

private:
    TCalendarPanel32(std::unique_ptr<TCalendarPage> page, QWidget *parent);
    void pageChanged(TCalendarPage::TChange change);
    void layoutChanged();
    void paintOverflowMarks(QPainter &painter, const QRect &area) const;
    void fireCell(int cell);

    std::unique_ptr<TCalendarPage> page_;
    QImage cache_;
    std::vector<TRect> overflowMarks_; // text areas of cells whose text is cut off
    bool cacheValid_ = false;
    bool paintingHold_ = false;
};

} // namespace velmora
