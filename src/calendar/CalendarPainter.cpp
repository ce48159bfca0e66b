#include "calendar/CalendarPainter.h"

#include "calendar/PageLayout.h"
#include "common/Font.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace velmora {

namespace {
constexpr unsigned kCentered = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

void selectFont(TCanvas &c, const TDrawFont &f)
{
    c.selectFont(f.name, f.size, f.style, f.color);
}

int fontPixelHeight(const TCanvas &c, const TDrawFont &f)
{
    return std::abs(MulDiv(f.size, c.dpi(), 72));
}

// Day numbers are drawn thousands of times on a sheet of 60 months.
const QString &dayNumberText(int day)
{
    static const std::array<QString, 32> texts = [] {
        std::array<QString, 32> t;
        for (int i = 0; i < 32; ++i)
            t.at(size_t(i)) = QString::number(i);
        return t;
    }();
    return texts.at(size_t(day));
}

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

// One screen pixel at factor 1 in the canvas's pixels: lines and inner margins keep their
// size in inches on paper, where a printer pixel would make them vanish.
int unit(const TCanvas &c)
{
    return std::max(1, RoundEven(c.dpi() / double(TFontDesc::kFontPpi)));
}

// Lines here are horizontal or vertical and black. Wider than a pixel they are centred on
// their place and reach half their width past both ends, so frames close at the corners.
void line(TCanvas &c, int x1, int y1, int x2, int y2)
{
    const int u = unit(c);
    if (u == 1) {
        c.moveTo(x1, y1);
        c.lineTo(x2, y2);
        return;
    }
    const int left = std::min(x1, x2) - u / 2, top = std::min(y1, y2) - u / 2;
    c.painter().fillRect(left, top, std::abs(x2 - x1) + u, std::abs(y2 - y1) + u, Qt::black);
}
} // namespace

void DrawBorder(TCanvas &c, const TRect &r, int style)
{
    c.setPen(clBlack, unit(c));
    const int a = r.left, b = r.top, cc = r.right, d = r.bottom;
    if (style == cbAll && unit(c) > 1) {
        line(c, a, b, cc, b);
        line(c, cc, b, cc, d);
        line(c, a, d, cc, d);
        line(c, a, b, a, d);
        return;
    }
    switch (style) {
    case cbAll:
        c.moveTo(a, b);
        c.lineTo(cc, b);
        c.lineTo(cc, d);
        c.lineTo(a, d);
        c.lineTo(a, b);
        break;
    case cbTop: line(c, a, b, cc, b); break;
    case cbBottom: line(c, a, d, cc, d); break;
    case cbTopBottom:
        line(c, a, b, cc, b);
        line(c, a, d, cc, d);
        break;
    default: break;
    }
}

void DrawMonth(TCanvas &c, TCalDrawParams &p, const std::string &userTitle)
{
    const int L = p.area.left, T = p.area.top, R = p.area.right, B = p.area.bottom;
    c.setPen(clBlack);
    c.setBrushSolid(p.pageColor);
    if (!p.paper) {
        c.fillRect(p.area);
        c.fillRect({L, T, R - 1, B - 1});
    }

    // Title band: 17% of the height, never below the minimum.
    selectFont(c, p.titleFont);
    TRect title{L, T + 1, R - 1, T + 1 + RoundEven((B - 1 - T) * 0.17)};
    p.titleRect = title;
    if (title.bottom - title.top < p.minTitleHeight)
        title.bottom = title.top + p.minTitleHeight;
    if (!p.paper || p.titleBackground != clWhite) {
        c.setBrushSolid(p.titleBackground);
        c.fillRect({L, T + 1, R - 1, title.bottom + 1});
    }
    const std::string text =
        userTitle.empty() ? MonthTitle(p.names, p.month, p.year, p.showYear) : userTitle;
    c.drawText(title, q(text), kCentered);

    const int cw = (R - 1 - L) / 7;

    // Day-names band, 1.5 lines of the headers font.
    selectFont(c, p.headersFont);
    const int top = title.bottom + 1;
    const int bottom = top + RoundEven(1.5 * fontPixelHeight(c, p.headersFont));
    p.dayNamesRect = {L, top, R - 1, bottom};
    c.setBrushSolid(p.headersBackground);
    c.fillRect({L, top, R - 1, bottom + 1});
    DrawBorder(c, p.dayNamesRect, p.headersBorder);
    c.setBrushSolid(p.pageColor);
    for (int col = 0; col < 7; ++col) {
        const TRect nameCell{L + col * cw + 1, top, L + col * cw + cw - 1, bottom};
        const std::string name = CutName(DayNameAt(p.names, ColumnDayIndex(p.startOfWeek, col)),
                                         static_cast<TCalHeadersStyle>(p.headersStyle));
        c.drawText(nameCell, q(name), kCentered);
    }

    // Grid lines.
    const int G = bottom;
    const int rh = (B - 1 - G) / 6;
    c.setPen(clBlack);
    if (p.paper) {
        for (int r = 0; r < 6; ++r)
            for (int col = 0; col < 7; ++col) {
                const TRect box{L + col * cw, G + r * rh, col == 6 ? R - 1 : L + (col + 1) * cw,
                                r == 5 ? B - 1 : G + (r + 1) * rh};
                DrawBorder(c, box, p.cellBorder);
            }
    } else {
        int first = 0, last = -1;
        switch (p.cellBorder) {
        case cbAll: case cbTopBottom: first = 0; last = 6; break;
        case cbTop: first = 0; last = 5; break;
        case cbBottom: first = 1; last = 6; break;
        default: break;
        }
        for (int i = first; i <= last; ++i) {
            const int y = i == 6 ? B - 1 : G + rh * i;
            line(c, L, y, R - 1, y);
        }
        if (p.cellBorder == cbAll)
            for (int j = 0; j <= 7; ++j) {
                const int x = j == 7 ? R - 1 : L + cw * j;
                line(c, x, G, x, B - 1);
            }
    }

    // Day numbers and the cell table.
    selectFont(c, p.cellFont);
    const int numberHeight = c.textHeight(QStringLiteral("9"));
    const int u = unit(c);
    // GridDay's arithmetic with the month's first weekday and length worked out once.
    const int firstColumnDay = 2 - GridOffset(p.year, p.month, p.startOfWeek);
    const int monthDays = DaysInMonth(p.year, p.month);
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 7; ++col) {
            TRect cell{L + col * cw + u, G + r * rh + u, L + col * cw + cw - u, G + r * rh + rh - u};
            const bool upperRight = p.numberPosition == cnpUpperRight;
            if (upperRight) {
                cell.left += 4 * u;
                cell.right -= 5 * u;
            }
            const int n = col + 7 * r + firstColumnDay;
            const int day = n >= 1 && n <= monthDays ? n : 0;
            if (day != 0)
                c.drawText(cell, dayNumberText(day),
                           upperRight ? (DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX)
                                      : kCentered);
            TDayCell &rec = p.cells.cell(r * 7 + col + 1);
            rec.rTotal = cell;
            rec.iDay = day;
            rec.rFree = upperRight ? TRect{cell.left, cell.top + numberHeight, cell.right, cell.bottom}
                                   : TRect{};
        }

    DrawBorder(c, {L, T, R - 1, B - 1}, p.calendarBorder);
}

void DrawPlanner(TCanvas &c, TCalDrawParams &p, const std::vector<TPlannerRow> &rows,
                 const std::string &title)
{
    const int L = p.area.left, T = p.area.top, R = p.area.right, B = p.area.bottom;
    c.setPen(clBlack);
    c.setBrushSolid(p.pageColor);
    if (!p.paper) {
        c.fillRect(p.area);
        c.fillRect({L, T, R - 1, B - 1});
    }

    selectFont(c, p.titleFont);
    const int lineHeight = c.textHeight(QStringLiteral("Weekly Planner"));
    // Room for descenders above the table on every surface.
    const int titleHeight = RoundEven(1.6 * lineHeight);
    const TRect titleRect{L + 5, T + 1, R - 1 - 5, T + 1 + titleHeight};
    p.titleRect = titleRect;
    // The title band follows the same rule as the month layouts' band.
    if (!p.paper || p.titleBackground != clWhite) {
        c.setBrushSolid(p.titleBackground);
        c.fillRect({L, T + 1, R - 1, titleRect.bottom + 1});
    }
    c.drawText(titleRect, q(title), kCentered);

    const int u = unit(c);
    const TRect body{L, titleRect.bottom + 1, R - 1, B - 1};
    c.setPen(clBlack, u);
    c.setBrushSolid(p.pageColor);
    c.rectangle(body);

    const int count = static_cast<int>(rows.size());
    if (count == 0)
        return;
    const int rh = (body.bottom - body.top) / count;
    const TRect labels{body.left + 1, body.top + 1,
                       body.left + RoundEven((body.right - body.left) * 0.15), body.bottom - 1};
    c.setBrushSolid(p.headersBackground);
    c.fillRect(labels);

    selectFont(c, p.headersFont);
    for (int qi = 0; qi < count; ++qi) {
        const int upperTop = body.top + rh * qi + 1;
        const TRect upper{labels.left, upperTop, labels.right, upperTop + rh / 2};
        const TRect lower{labels.left, upper.bottom, labels.right, upper.bottom + rh / 2};
        const auto &row = rows.at(size_t(qi));
        c.drawText(upper, q(row.left), DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
        c.drawText(lower, q(row.right), DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    c.setPen(clBlack, u);
    line(c, labels.right, body.top, labels.right, body.bottom);
    for (int qi = 1; qi < count; ++qi)
        line(c, body.left, body.top + rh * qi, body.right, body.top + rh * qi);

    for (int qi = 0; qi < count && qi < kCellCount; ++qi) {
        const int bottom = qi == count - 1 ? body.bottom : body.top + rh * (qi + 1);
        TDayCell &rec = p.cells.cell(qi + 1);
        rec.rTotal = {labels.right + 4 * u, body.top + rh * qi + 4 * u, body.right - 4 * u,
                      bottom - 4 * u};
        rec.rFree = rec.rTotal;
        rec.iDay = rows.at(size_t(qi)).iDay;
    }
}

} // namespace velmora
