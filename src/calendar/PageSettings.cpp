#include "calendar/PageSettings.h"

namespace velmora {

bool SameLook(const TCalendarStyle &a, const TCalendarStyle &b)
{
    return a.LineLayout == b.LineLayout && a.TitleFont.sameLook(b.TitleFont) &&
           a.HeadersFont.sameLook(b.HeadersFont) && a.CellFont.sameLook(b.CellFont) &&
           a.Background == b.Background && a.HeadersBackground == b.HeadersBackground &&
           a.HeadersStyle == b.HeadersStyle && a.ShowYear == b.ShowYear;
}

void AssignLook(TCalendarStyle &to, const TCalendarStyle &from)
{
    to.TitleFont = from.TitleFont;
    to.HeadersFont = from.HeadersFont;
    to.CellFont = from.CellFont;
    to.Background = from.Background;
    to.HeadersBackground = from.HeadersBackground;
    to.HeadersStyle = from.HeadersStyle;
    to.ShowYear = from.ShowYear;
}

bool SameStyle(const TCalendarSettings &a, const TCalendarSettings &b)
{
    return a.PaperKind == b.PaperKind && a.CalendarLayout == b.CalendarLayout &&
           a.StartOfWeek == b.StartOfWeek && a.Names == b.Names &&
           a.MainCalDay == b.MainCalDay && a.MainCalMonth == b.MainCalMonth &&
           a.MainCalYear == b.MainCalYear && SameLook(a.Main, b.Main) && SameLook(a.Mini, b.Mini) &&
           a.LeftMarginInch == b.LeftMarginInch && a.TopMarginInch == b.TopMarginInch &&
           a.RightMarginInch == b.RightMarginInch && a.BottomMarginInch == b.BottomMarginInch &&
           a.PlannerFirstHour == b.PlannerFirstHour && a.UserTitle == b.UserTitle;
}

TLineBorders LineLayoutBorders(int lineLayout)
{
    switch (lineLayout) {
    case llHeadersAndCells: return {cbNone, cbAll, cbAll};
    case llCellsOnly: return {cbNone, cbNone, cbAll};
    default: return {cbAll, cbAll, cbAll};
    }
}

TLineBorders MiniLineLayoutBorders(int miniLineLayout)
{
    switch (miniLineLayout) {
    case mllBoxed: return {cbAll, cbTopBottom, cbNone};
    case mllMinimal: return {cbNone, cbTop, cbNone};
    default: return {cbAll, cbAll, cbAll};
    }
}

int MiniTitleFontSize(int layout)
{
    if ((layout >= 2 && layout <= 7) || layout == 14 || layout == 15)
        return 10;
    if (layout >= 8 && layout <= 11)
        return 18;
    if (layout == 12 || layout == 13)
        return 12;
    if (layout == 16 || layout == 17)
        return 8;
    return 0;
}

int MiniBodyFontSize(int titleSize)
{
    // 0.8 × s truncated; computed in tenths so 10 gives 8 exactly, not 7.
    return titleSize * 8 / 10;
}

} // namespace velmora
