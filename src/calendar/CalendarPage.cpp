#include "calendar/CalendarPage.h"

#include "calendar/CellTextRenderer.h"
#include "calendar/DocumentFile.h"
#include "objects/GGraphc.h"
#include "objects/Gplabel.h"

#include <QDate>

namespace velmora {

namespace {
// The page's objects as the document file sees them.
class TPageObjects final : public TDocumentObjects
{
public:
    explicit TPageObjects(TObjectLayer &layer) : layer_(layer) {}
    void writeObjects(TWriter &w) const override { layer_.WriteObjects(w); }
    TStreamable *createObject(const std::string &className) override
    {
        return layer_.CreateObject(className);
    }
    void objectLoaded(TStreamable *object) override { layer_.ObjectLoaded(object); }
    void discardObject(TStreamable *object) override { layer_.DiscardObject(object); }
    bool keepRecord(std::span<const uint8_t> record) override
    {
        layer_.KeepForeignRecord(record);
        return true;
    }

private:
    TObjectLayer &layer_;
};
} // namespace

TCalendarPage::TCalendarPage() : objects_(std::make_shared<TObjectLayer>())
{
    // The design object classes documents may contain.
    RegisterTextLabel();
    s_.Names = SystemNames();
    ownRenderer_ = std::make_unique<TStoreCellRenderer>(*this);
    documentObjects_ = std::make_unique<TPageObjects>(*objects_);
    cellRenderer_ = ownRenderer_.get();
    RecalcLayout(true);
}

TCalendarPage::~TCalendarPage() = default;

void TCalendarPage::notify(TChange change)
{
    if (Changed)
        Changed(change);
}

template <typename T> void TCalendarPage::setAndRepaint(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    Repaint();
}

template <typename T> void TCalendarPage::setAndRelayout(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    RecalcLayout(false);
}

void TCalendarPage::SetCalendarLayout(int v) { setAndRelayout(s_.CalendarLayout, v); }
void TCalendarPage::SetCalendarOrientation(int v) { setAndRelayout(s_.CalendarOrientation, v); }

void TCalendarPage::setLineLayout(TCalendarStyle &style, int lineLayout, const TLineBorders &b)
{
    if (style.LineLayout == lineLayout)
        return;
    style.LineLayout = lineLayout;
    style.Border = b.outer;
    style.HeadersBorder = b.headers;
    style.CellBorder = b.cells;
    Repaint();
}

void TCalendarPage::SetCalendarLineLayout(int v) { setLineLayout(s_.Main, v, LineLayoutBorders(v)); }
void TCalendarPage::SetMiniCalendarLineLayout(int v) { setLineLayout(s_.Mini, v, MiniLineLayoutBorders(v)); }

void TCalendarPage::SetTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Main.TitleFont, *f); }
void TCalendarPage::SetHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Main.HeadersFont, *f); }
void TCalendarPage::SetCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Main.CellFont, *f); }
void TCalendarPage::SetMiniTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Mini.TitleFont, *f); }
void TCalendarPage::SetMiniHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Mini.HeadersFont, *f); }
void TCalendarPage::SetMiniCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.Mini.CellFont, *f); }

void TCalendarPage::SetTitleBGColor(TColor c) { setAndRepaint(s_.Main.Background, c); }
void TCalendarPage::SetHeadersBGColor(TColor c) { setAndRepaint(s_.Main.HeadersBackground, c); }
void TCalendarPage::SetMiniHeadersBGColor(TColor c) { setAndRepaint(s_.Mini.HeadersBackground, c); }
void TCalendarPage::SetMiniCalBGColor(TColor c) { setAndRepaint(s_.Mini.Background, c); }

void TCalendarPage::SetCalendarBorder(int b) { setAndRepaint(s_.Main.Border, b); }
void TCalendarPage::SetHeadersBorder(int b) { setAndRepaint(s_.Main.HeadersBorder, b); }
void TCalendarPage::SetCellBorder(int b) { setAndRepaint(s_.Main.CellBorder, b); }
void TCalendarPage::SetMiniCalBorder(int b) { setAndRepaint(s_.Mini.Border, b); }
void TCalendarPage::SetMiniHeadersBorder(int b) { setAndRepaint(s_.Mini.HeadersBorder, b); }
void TCalendarPage::SetMiniCellBorder(int b) { setAndRepaint(s_.Mini.CellBorder, b); }

void TCalendarPage::SetHeadersStyle(int v) { setAndRepaint(s_.Main.HeadersStyle, v); }
void TCalendarPage::SetMiniHeadersStyle(int v) { setAndRepaint(s_.Mini.HeadersStyle, v); }
void TCalendarPage::SetTitleShowYear(bool v) { setAndRepaint(s_.Main.ShowYear, v); }
void TCalendarPage::SetMiniShowYear(bool v) { setAndRepaint(s_.Mini.ShowYear, v); }
void TCalendarPage::SetNumberPosition(int v) { setAndRepaint(s_.NumberPosition, v); }
void TCalendarPage::SetStartOfWeek(int v) { setAndRepaint(s_.StartOfWeek, v); }

void TCalendarPage::SetMainCalDay(int v) { setAndRelayout(s_.MainCalDay, v); }
void TCalendarPage::SetMainCalMonth(int v) { setAndRelayout(s_.MainCalMonth, v); }
void TCalendarPage::SetMainCalYear(int v) { setAndRelayout(s_.MainCalYear, v); }

// Margins compare exactly as 32-bit floats: 0.3 set twice recomputes nothing.
void TCalendarPage::SetLeftMarginInch(float v) { setAndRelayout(s_.LeftMarginInch, v); }
void TCalendarPage::SetTopMarginInch(float v) { setAndRelayout(s_.TopMarginInch, v); }
void TCalendarPage::SetRightMarginInch(float v) { setAndRelayout(s_.RightMarginInch, v); }
void TCalendarPage::SetBottomMarginInch(float v) { setAndRelayout(s_.BottomMarginInch, v); }

void TCalendarPage::SetUserTitle(const std::string &t) { setAndRepaint(s_.UserTitle, t); }
void TCalendarPage::SetPaperKind(uint8_t k) { setAndRelayout(s_.PaperKind, k); }
void TCalendarPage::SetPlannerFirstHour(TDateTime t) { setAndRelayout(s_.PlannerFirstHour, t); }

void TCalendarPage::GetMonthName(int index, std::string &name) const
{
    if (index >= 1 && index <= 12)
        name = s_.Names.months.at(size_t(index - 1));
}

void TCalendarPage::SetMonthName(int index, const std::string &name)
{
    if (index >= 1 && index <= 12)
        s_.Names.months.at(size_t(index - 1)) = name;
}

void TCalendarPage::GetDayName(int index, std::string &name) const
{
    if (index >= 1 && index <= 7)
        name = s_.Names.days.at(size_t(index - 1));
}

void TCalendarPage::SetDayName(int index, const std::string &name)
{
    if (index >= 1 && index <= 7)
        s_.Names.days.at(size_t(index - 1)) = name;
}

void TCalendarPage::ResetToDefaults()
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
    s_.Main.Background = clWhite;
    s_.Main.HeadersBackground = clWhite;
    s_.Mini.Background = clWhite;
    s_.Mini.HeadersBackground = clWhite;
    s_.Mini.HeadersFont.color = clBlack;
    s_.Mini.HeadersStyle = dsFirstChar;
    s_.Main.ShowYear = true;
    s_.Mini.ShowYear = true;
    s_.LeftMarginInch = s_.TopMarginInch = s_.RightMarginInch = s_.BottomMarginInch = 0.5F;
    s_.PlannerFirstHour = EncodeTime(8, 0, 0);
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
    RecalcLayout(true);
}

void TCalendarPage::AssignStyle(const TCalendarPage &source)
{
    const TCalendarSettings &o = source.s_;
    s_.PaperKind = o.PaperKind;
    s_.CalendarLayout = o.CalendarLayout;
    s_.StartOfWeek = o.StartOfWeek;
    s_.Names = o.Names;
    s_.MainCalDay = o.MainCalDay;
    s_.MainCalMonth = o.MainCalMonth;
    s_.MainCalYear = o.MainCalYear;
    AssignLook(s_.Main, o.Main);
    AssignLook(s_.Mini, o.Mini);
    s_.LeftMarginInch = o.LeftMarginInch;
    s_.TopMarginInch = o.TopMarginInch;
    s_.RightMarginInch = o.RightMarginInch;
    s_.BottomMarginInch = o.BottomMarginInch;
    s_.PlannerFirstHour = o.PlannerFirstHour;
    SetCalendarLineLayout(o.Main.LineLayout);
    SetMiniCalendarLineLayout(o.Mini.LineLayout);
    SetUserTitle(o.UserTitle);
    RecalcLayout(false);
}

bool TCalendarPage::SameStyle(const TCalendarPage &other) const
{
    return velmora::SameStyle(s_, other.s_);
}

bool TCalendarPage::HasCellText() const
{
    for (const TWPRtfStorage &store : cellStores_)
        if (!store.isEmpty())
            return true;
    return false;
}

void TCalendarPage::ClearAllCells()
{
    for (TWPRtfStorage &store : cellStores_)
        store.assign(emptyTemplate_);
    cells_.clearAreas();
}

bool TCalendarPage::HasSuperText() const
{
    return objects_->HasObjectOfClass("TGSuperText");
}

bool TCalendarPage::LayoutHasDayCells() const
{
    return LayoutHasMonthGrid(s_.CalendarLayout) || LayoutIsPlanner(s_.CalendarLayout);
}

void TCalendarPage::applyMiniFontSizes()
{
    const int sz = MiniTitleFontSize(s_.CalendarLayout);
    if (sz == 0)
        return;
    s_.Mini.TitleFont.setSize(sz);
    s_.Mini.HeadersFont.setSize(MiniBodyFontSize(sz));
    s_.Mini.CellFont.setSize(MiniBodyFontSize(sz));
}

void TCalendarPage::RecalcLayout(bool resetFonts)
{
    layout_ = ComputePageLayout(s_, layout_.main);
    s_.CalendarOrientation = layout_.orientation;
    if (resetFonts)
        applyMiniFontSizes();
    notify(TChange::Layout);
}

} // namespace velmora
