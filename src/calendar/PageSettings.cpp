#include "calendar/PageSettings.h"

namespace velmora {

bool SameStyle(const TCalendarSettings &a, const TCalendarSettings &b)
{
    return a.PaperKind == b.PaperKind && a.CalendarLayout == b.CalendarLayout &&
           a.StartOfWeek == b.StartOfWeek && a.Names == b.Names &&
           a.MainCalDay == b.MainCalDay && a.MainCalMonth == b.MainCalMonth &&
           a.MainCalYear == b.MainCalYear && a.TitleFont.sameLook(b.TitleFont) &&
           a.TitleBGColor == b.TitleBGColor && a.HeadersFont.sameLook(b.HeadersFont) &&
           a.HeadersBGColor == b.HeadersBGColor && a.HeadersStyle == b.HeadersStyle &&
           a.CellFont.sameLook(b.CellFont) && a.MiniCalBGColor == b.MiniCalBGColor &&
           a.MiniTitleFont.sameLook(b.MiniTitleFont) &&
           a.MiniHeadersFont.sameLook(b.MiniHeadersFont) &&
           a.MiniHeadersBGColor == b.MiniHeadersBGColor &&
           a.MiniHeadersStyle == b.MiniHeadersStyle &&
           a.MiniCellFont.sameLook(b.MiniCellFont) && a.TitleShowYear == b.TitleShowYear &&
           a.MiniShowYear == b.MiniShowYear && a.LeftMarginInch == b.LeftMarginInch &&
           a.TopMarginInch == b.TopMarginInch && a.RightMarginInch == b.RightMarginInch &&
           a.BottomMarginInch == b.BottomMarginInch &&
           a.PlannerFirstHour == b.PlannerFirstHour &&
           a.CalendarLineLayout == b.CalendarLineLayout &&
           a.MiniCalendarLineLayout == b.MiniCalendarLineLayout && a.UserTitle == b.UserTitle;
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
