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

void TCalendarPage::SetCalendarLineLayout(int v)
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

void TCalendarPage::SetMiniCalendarLineLayout(int v)
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

void TCalendarPage::SetTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.TitleFont, *f); }
void TCalendarPage::SetHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.HeadersFont, *f); }
void TCalendarPage::SetCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.CellFont, *f); }
void TCalendarPage::SetMiniTitleFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniTitleFont, *f); }
void TCalendarPage::SetMiniHeadersFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniHeadersFont, *f); }
void TCalendarPage::SetMiniCellFont(const TFontDesc *f) { if (f) setAndRepaint(s_.MiniCellFont, *f); }

void TCalendarPage::SetTitleBGColor(TColor c) { setAndRepaint(s_.TitleBGColor, c); }
void TCalendarPage::SetHeadersBGColor(TColor c) { setAndRepaint(s_.HeadersBGColor, c); }
void TCalendarPage::SetMiniHeadersBGColor(TColor c) { setAndRepaint(s_.MiniHeadersBGColor, c); }
void TCalendarPage::SetMiniCalBGColor(TColor c) { setAndRepaint(s_.MiniCalBGColor, c); }

void TCalendarPage::SetCalendarBorder(int b) { setAndRepaint(s_.CalendarBorder, b); }
void TCalendarPage::SetHeadersBorder(int b) { setAndRepaint(s_.HeadersBorder, b); }
void TCalendarPage::SetCellBorder(int b) { setAndRepaint(s_.CellBorder, b); }
void TCalendarPage::SetMiniCalBorder(int b) { setAndRepaint(s_.MiniCalBorder, b); }
void TCalendarPage::SetMiniHeadersBorder(int b) { setAndRepaint(s_.MiniHeadersBorder, b); }
void TCalendarPage::SetMiniCellBorder(int b) { setAndRepaint(s_.MiniCellBorder, b); }

void TCalendarPage::SetHeadersStyle(int v) { setAndRepaint(s_.HeadersStyle, v); }
void TCalendarPage::SetMiniHeadersStyle(int v) { setAndRepaint(s_.MiniHeadersStyle, v); }
void TCalendarPage::SetTitleShowYear(bool v) { setAndRepaint(s_.TitleShowYear, v); }
void TCalendarPage::SetMiniShowYear(bool v) { setAndRepaint(s_.MiniShowYear, v); }
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
    s_.MiniTitleFont.setSize(sz);
    s_.MiniHeadersFont.setSize(MiniBodyFontSize(sz));
    s_.MiniCellFont.setSize(MiniBodyFontSize(sz));
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
