#include "calendar/Calpanel32.h"
#include "calendar/gcalflat.h"

#include "calendar/CellTextRenderer.h"
#include "calendar/DocumentFile.h"
#include "objects/GGraphc.h"
#include "objects/Gplabel.h"

#include <QDate>
#include <QMouseEvent>

namespace velmora {

namespace {
// The page's objects as the document file sees them.
class TPageObjects final : public TDocumentObjects
{
public:
    explicit TPageObjects(TGBasePanel &panel) : panel_(panel) {}
    void writeObjects(TWriter &w) const override { panel_.WriteObjects(w); }
    TStreamable *createObject(const std::string &className) override
    {
        return panel_.CreateObject(className);
    }
    void objectLoaded(TStreamable *object) override { panel_.ObjectLoaded(object); }
    void discardObject(TStreamable *object) override { panel_.DiscardObject(object); }
    bool keepRecord(std::span<const uint8_t> record) override
    {
        panel_.KeepForeignRecord(record);
        return true;
    }

private:
    TGBasePanel &panel_;
};
} // namespace

TCalendarPanel32::TCalendarPanel32(QWidget *parent) : TGBasePanel(parent)
{
    // The design object classes documents may contain.
    RegisterTextLabel();
    RegisterFlatCalendar();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    s_.Names = SystemNames();
    ownRenderer_ = std::make_unique<TStoreCellRenderer>(*this);
    documentObjects_ = std::make_unique<TPageObjects>(*this);
    cellRenderer_ = ownRenderer_.get();
    RecalcLayout(true);
}

TCalendarPanel32::~TCalendarPanel32() = default;

template <typename T> void TCalendarPanel32::setAndRepaint(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    Repaint();
}

template <typename T> void TCalendarPanel32::setAndRelayout(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    RecalcLayout(false);
}

void TCalendarPanel32::SetCalendarLayout(int v) { setAndRelayout(s_.CalendarLayout, v); }
void TCalendarPanel32::SetCalendarOrientation(int v) { setAndRelayout(s_.CalendarOrientation, v); }

void TCalendarPanel32::SetCalendarLineLayout(int v)
{
    if (s_.CalendarLineLayout == v)
        return;
    s_.CalendarLineLayout = v;
    const TLineBorders b = LineLayoutBorders(v);
    s_.CalendarBorder = b.outer;
    s_.HeadersBorder = b.headers;
    s_.CellBorder = b.cells;
    Repaint();
}

void TCalendarPanel32::SetMiniCalendarLineLayout(int v)
{
    if (s_.MiniCalendarLineLayout == v)
        return;
    s_.MiniCalendarLineLayout = v;
    const TLineBorders b = MiniLineLayoutBorders(v);
    s_.MiniCalBorder = b.outer;
    s_.MiniHeadersBorder = b.headers;
    s_.MiniCellBorder = b.cells;
    Repaint();
}

void TCalendarPanel32::SetTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.TitleFont, *f); }
void TCalendarPanel32::SetHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.HeadersFont, *f); }
void TCalendarPanel32::SetCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.CellFont, *f); }
void TCalendarPanel32::SetMiniTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniTitleFont, *f); }
void TCalendarPanel32::SetMiniHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniHeadersFont, *f); }
void TCalendarPanel32::SetMiniCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniCellFont, *f); }

void TCalendarPanel32::SetTitleBGColor(TColor c) { setAndRepaint(s_.TitleBGColor, c); }
void TCalendarPanel32::SetHeadersBGColor(TColor c) { setAndRepaint(s_.HeadersBGColor, c); }
void TCalendarPanel32::SetMiniHeadersBGColor(TColor c) { setAndRepaint(s_.MiniHeadersBGColor, c); }
void TCalendarPanel32::SetMiniCalBGColor(TColor c) { setAndRepaint(s_.MiniCalBGColor, c); }

void TCalendarPanel32::SetCalendarBorder(int b) { setAndRepaint(s_.CalendarBorder, b); }
void TCalendarPanel32::SetHeadersBorder(int b) { setAndRepaint(s_.HeadersBorder, b); }
void TCalendarPanel32::SetCellBorder(int b) { setAndRepaint(s_.CellBorder, b); }
void TCalendarPanel32::SetMiniCalBorder(int b) { setAndRepaint(s_.MiniCalBorder, b); }
void TCalendarPanel32::SetMiniHeadersBorder(int b) { setAndRepaint(s_.MiniHeadersBorder, b); }
void TCalendarPanel32::SetMiniCellBorder(int b) { setAndRepaint(s_.MiniCellBorder, b); }

void TCalendarPanel32::SetHeadersStyle(int v) { setAndRepaint(s_.HeadersStyle, v); }
void TCalendarPanel32::SetMiniHeadersStyle(int v) { setAndRepaint(s_.MiniHeadersStyle, v); }
void TCalendarPanel32::SetTitleShowYear(bool v) { setAndRepaint(s_.TitleShowYear, v); }
void TCalendarPanel32::SetMiniShowYear(bool v) { setAndRepaint(s_.MiniShowYear, v); }
void TCalendarPanel32::SetNumberPosition(int v) { setAndRepaint(s_.NumberPosition, v); }
void TCalendarPanel32::SetStartOfWeek(int v) { setAndRepaint(s_.StartOfWeek, v); }

void TCalendarPanel32::SetMainCalDay(int v) { setAndRelayout(s_.MainCalDay, v); }
void TCalendarPanel32::SetMainCalMonth(int v) { setAndRelayout(s_.MainCalMonth, v); }
void TCalendarPanel32::SetMainCalYear(int v) { setAndRelayout(s_.MainCalYear, v); }

// Margins compare exactly as 32-bit floats: 0.3 set twice recomputes nothing.
void TCalendarPanel32::SetLeftMarginInch(float v) { setAndRelayout(s_.LeftMarginInch, v); }
void TCalendarPanel32::SetTopMarginInch(float v) { setAndRelayout(s_.TopMarginInch, v); }
void TCalendarPanel32::SetRightMarginInch(float v) { setAndRelayout(s_.RightMarginInch, v); }
void TCalendarPanel32::SetBottomMarginInch(float v) { setAndRelayout(s_.BottomMarginInch, v); }

void TCalendarPanel32::SetUserTitle(const std::string &t) { setAndRepaint(s_.UserTitle, t); }
void TCalendarPanel32::SetPaperKind(uint8_t k) { setAndRelayout(s_.PaperKind, k); }
void TCalendarPanel32::SetPlannerFirstHour(TDateTime t) { setAndRelayout(s_.PlannerFirstHour, t); }

void TCalendarPanel32::GetMonthName(int index, std::string &name) const
{
    if (index >= 1 && index <= 12)
        name = s_.Names.months.at(size_t(index - 1));
}

void TCalendarPanel32::SetMonthName(int index, const std::string &name)
{
    if (index >= 1 && index <= 12)
        s_.Names.months.at(size_t(index - 1)) = name;
}

void TCalendarPanel32::GetDayName(int index, std::string &name) const
{
    if (index >= 1 && index <= 7)
        name = s_.Names.days.at(size_t(index - 1));
}

void TCalendarPanel32::SetDayName(int index, const std::string &name)
{
    if (index >= 1 && index <= 7)
        s_.Names.days.at(size_t(index - 1)) = name;
}

void TCalendarPanel32::ResetToDefaults()
{
    s_.PaperKind = 0;
    s_.UserTitle.clear();
    s_.CalendarLayout = loFCMinisInTitleLS;
    s_.StartOfWeek = 1;
    s_.Names = SystemNames();
    const QDate today = QDate::currentDate();
    s_.MainCalDay = today.day();
    s_.MainCalMonth = today.month();
    s_.MainCalYear = today.year();
    s_.TitleBGColor = clWhite;
    s_.HeadersBGColor = clWhite;
    s_.MiniCalBGColor = clWhite;
    s_.MiniHeadersBGColor = clWhite;
    s_.MiniHeadersFont.color = clBlack;
    s_.MiniHeadersStyle = dsFirstChar;
    s_.TitleShowYear = true;
    s_.MiniShowYear = true;
    s_.LeftMarginInch = s_.TopMarginInch = s_.RightMarginInch = s_.BottomMarginInch = 0.5F;
    s_.PlannerFirstHour = EncodeTime(8, 0, 0);
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
    RecalcLayout(true);
}

void TCalendarPanel32::AssignStyle(const TCalendarPanel32 &source)
{
    const TCalendarSettings &o = source.s_;
    s_.PaperKind = o.PaperKind;
    s_.CalendarLayout = o.CalendarLayout;
    s_.StartOfWeek = o.StartOfWeek;
    s_.Names = o.Names;
    s_.MainCalDay = o.MainCalDay;
    s_.MainCalMonth = o.MainCalMonth;
    s_.MainCalYear = o.MainCalYear;
    s_.TitleFont = o.TitleFont;
    s_.TitleBGColor = o.TitleBGColor;
    s_.HeadersFont = o.HeadersFont;
    s_.HeadersBGColor = o.HeadersBGColor;
    s_.HeadersStyle = o.HeadersStyle;
    s_.CellFont = o.CellFont;
    s_.MiniCalBGColor = o.MiniCalBGColor;
    s_.MiniTitleFont = o.MiniTitleFont;
    s_.MiniHeadersFont = o.MiniHeadersFont;
    s_.MiniHeadersBGColor = o.MiniHeadersBGColor;
    s_.MiniHeadersStyle = o.MiniHeadersStyle;
    s_.MiniCellFont = o.MiniCellFont;
    s_.TitleShowYear = o.TitleShowYear;
    s_.MiniShowYear = o.MiniShowYear;
    s_.LeftMarginInch = o.LeftMarginInch;
    s_.TopMarginInch = o.TopMarginInch;
    s_.RightMarginInch = o.RightMarginInch;
    s_.BottomMarginInch = o.BottomMarginInch;
    s_.PlannerFirstHour = o.PlannerFirstHour;
    SetCalendarLineLayout(o.CalendarLineLayout);
    SetMiniCalendarLineLayout(o.MiniCalendarLineLayout);
    SetUserTitle(o.UserTitle);
    RecalcLayout(false);
}

bool TCalendarPanel32::SameStyle(const TCalendarPanel32 &other) const
{
    return velmora::SameStyle(s_, other.s_);
}

bool TCalendarPanel32::HasCellText() const
{
    for (const TWPRtfStorage &store : cellStores_)
        if (!store.isEmpty())
            return true;
    return false;
}

void TCalendarPanel32::ClearAllCells()
{
    for (TWPRtfStorage &store : cellStores_)
        store.assign(emptyTemplate_);
    cells_.clearAreas();
}

bool TCalendarPanel32::HasSuperText() const
{
    for (int i = 0; i < ObjectCount(); ++i)
        if (Object(i)->className() == "TGSuperText")
            return true;
    return false;
}

bool TCalendarPanel32::HasDayCells() const
{
    return !isHidden() && (LayoutHasMonthGrid(s_.CalendarLayout) || LayoutIsPlanner(s_.CalendarLayout));
}

void TCalendarPanel32::applyMiniFontSizes()
{
    const int sz = MiniTitleFontSize(s_.CalendarLayout);
    if (sz == 0)
        return;
    s_.MiniTitleFont.setSize(sz);
    s_.MiniHeadersFont.setSize(MiniBodyFontSize(sz));
    s_.MiniCellFont.setSize(MiniBodyFontSize(sz));
}

void TCalendarPanel32::RecalcLayout(bool resetFonts)
{
    layout_ = ComputePageLayout(s_, layout_.main);
    s_.CalendarOrientation = layout_.orientation;
    if (resetFonts)
        applyMiniFontSizes();
    layoutChanged();
}

void TCalendarPanel32::zoomChanged()
{
    layoutChanged();
}

void TCalendarPanel32::layoutChanged()
{
    const double z = Zoom();
    resize(RoundEven(layout_.width * z), RoundEven(layout_.height * z));
    Repaint();
}

void TCalendarPanel32::Repaint()
{
    cacheValid_ = false;
    update();
}

void TCalendarPanel32::SetPaintingHold(bool hold)
{
    paintingHold_ = hold;
    if (!hold)
        Repaint();
}

void TCalendarPanel32::fireCell(int cell)
{
    if (cell < 1 || cell > kCellCount || !ClickedInCellEvent)
        return;
    const TDayCell &c = cells_.cell(cell);
    ClickedInCellEvent(c.rTotal, c.rFree, cell, c.iDay);
}

void TCalendarPanel32::ActivateCell(int cell)
{
    fireCell(cell);
}

void TCalendarPanel32::ActivatePrevCell(int cell)
{
    if (cell != 1 && cells_.hasTextArea(cell - 1))
        fireCell(cell - 1);
}

void TCalendarPanel32::ActivateNextCell(int cell)
{
    if (cell != kCellCount && cells_.hasTextArea(cell + 1))
        fireCell(cell + 1);
}

void TCalendarPanel32::ClickCellAtPoint(int x, int y)
{
    const int c = cells_.CellAtPoint(x, y);
    if (c != 0)
        fireCell(c);
}

void TCalendarPanel32::mouseReleaseEvent(QMouseEvent *event)
{
    // Objects and the selection frame take the mouse first; only a plain click on the page
    // itself reaches the day cells.
    TGBasePanel::mouseReleaseEvent(event);
    if (!IsPageClick())
        return;
    const QPoint pt = event->position().toPoint();
    const int c = cells_.CellAtPoint(pt.x(), pt.y());
    if (titleRect_.contains(pt.x(), pt.y()) && OnClickedHeader)
        OnClickedHeader(this);
    if (dayNamesRect_.contains(pt.x(), pt.y()) && OnClickedDaysArea)
        OnClickedDaysArea(this);
    const bool dayCells = LayoutHasMonthGrid(s_.CalendarLayout) || LayoutIsPlanner(s_.CalendarLayout);
    if (c != 0 && dayCells) {
        if (ClickedInCellEvent && !HasObjectAt(pt.x(), pt.y()))
            fireCell(c);
        return;
    }
    if (OnClick)
        OnClick(this);
}

} // namespace velmora
