#include "calendar/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace velmora {

int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

int InchToPixels(double inches, int ppi)
{
    // A damaged document may carry any float as a margin; keep the page arithmetic that
    // follows (W - MR - 2, zoom, printer pixels) inside int.
    if (!std::isfinite(inches))
        return 0;
    return RoundEven(std::clamp(ppi * inches, -1e6, 1e6));
}

void LayoutMiniGrid(std::vector<TMiniRect> &minis, int rows, int columns, int first, int last,
                    const TRect &area)
{
    const int L = area.left, T = area.top, R = area.right, B = area.bottom;
    const int vgap = RoundEven((B - T) * 0.01);
    const int hgap = RoundEven((R - L) * 0.01);
    const int ch = RoundEven(double(B - T - vgap * (rows - 1)) / rows);
    const int cw = RoundEven(double(R - L - hgap * (columns - 1)) / columns);
    int index = first;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            if (index > last || index > int(minis.size()))
                return;
            const int left = j == columns - 1 ? R - cw : L + j * (hgap + cw);
            const int top = i == rows - 1 ? B - ch : T + i * (vgap + ch);
            minis.at(size_t(index - 1)).rect = {left, top, left + cw, top + ch};
            ++index;
        }
    }
}

namespace {
struct GridShape
{
    int rows;
    int columns;
};

// Rows × columns of the mini-only sheets, portrait layouts being the even ones.
GridShape miniSheetShape(int layout)
{
    const bool portrait = layout % 2 == 0;
    switch (layout) {
    case 8: case 9: return portrait ? GridShape{3, 2} : GridShape{2, 3};
    case 10: case 11: return portrait ? GridShape{4, 3} : GridShape{3, 4};
    case 12: case 13: return portrait ? GridShape{6, 4} : GridShape{4, 6};
    case 14: case 15: return portrait ? GridShape{8, 6} : GridShape{6, 8};
    default: return portrait ? GridShape{10, 6} : GridShape{6, 10};
    }
}
} // namespace

TPageLayout ComputePageLayout(const TCalendarSettings &s, const TRect &previousMain, int ppi)
{
    TPageLayout p;
    const int layout = s.CalendarLayout;
    p.orientation = LayoutOrientation(layout);
    const double shortSide = s.PaperKind == 1 ? 8.27 : 8.5;
    const double longSide = s.PaperKind == 1 ? 11.69 : 11.0;
    const int ws = RoundEven(ppi * shortSide), hs = RoundEven(ppi * longSide);
    p.width = p.orientation == coLandscape ? hs : ws;
    p.height = p.orientation == coLandscape ? ws : hs;
    const int W = p.width, H = p.height;

    const double lm = s.LeftMarginInch, tm = s.TopMarginInch;
    const double rm = s.RightMarginInch, bm = s.BottomMarginInch;
    const int ML = InchToPixels(lm, ppi), MT = InchToPixels(tm, ppi);
    const int MR = InchToPixels(rm, ppi), MB = InchToPixels(bm, ppi);
    auto I = [ppi](double margin, double c) { return InchToPixels(margin + c, ppi); };

    p.monthGrid = LayoutHasMonthGrid(layout);
    p.hasMinis = LayoutHasMinis(layout);
    p.planner = LayoutIsPlanner(layout);

    const TRect full{ML + 2, MT + 2, W - MR - 2, H - MB - 2};
    p.main = p.hasMinis && !p.monthGrid ? previousMain : full;

    for (const TMonthYear &my : MiniMonths(layout, s.MainCalMonth, s.MainCalYear))
        p.minis.push_back({{}, my});

    switch (layout) {
    case loFCMinisInTitle:
    case loFCMinisInTitleLS: {
        const int sz = RoundEven(1.5 * ppi), h = ppi / 8;
        p.minis.at(0).rect = {p.main.left + h, p.main.top + h, p.main.left + sz - h,
                              p.main.top + sz - h};
        p.minis.at(1).rect = {p.main.right - sz + h, p.main.top + h, p.main.right - h,
                              p.main.top + sz - h};
        break;
    }
    case loFC6Before6After:
        p.main = {ML + 2, I(tm, 1.3) + 2, W - MR - 2, H - I(bm, 1.3) - 2};
        LayoutMiniGrid(p.minis, 1, 6, 1, 6, {ML + 2, MT + 2, W - MR - 2, I(tm, 1.3) - 2});
        LayoutMiniGrid(p.minis, 1, 6, 7, 12, {ML + 2, H - I(bm, 1.3) + 2, W - MR - 2, H - MB - 2});
        break;
    case loFC6Before6AfterLS:
        p.main = {I(lm, 1.3) + 4, MT + 2, W - I(rm, 1.3) - 4, H - MB - 2};
        LayoutMiniGrid(p.minis, 6, 1, 1, 6, {ML + 2, MT + 2, I(lm, 1.3), H - MB - 2});
        LayoutMiniGrid(p.minis, 6, 1, 7, 12, {W - I(rm, 1.3) + 2, MT + 2, W - MR - 2, H - MB - 2});
        break;
    case loFC12After:
        // The strip deliberately ends 2 pixels below the bottom margin line.
        p.main = {ML + 2, MT + 2, W - MR - 2, H - I(bm, 2.9) - 2};
        LayoutMiniGrid(p.minis, 2, 6, 1, 12, {ML + 2, H - I(bm, 2.8) + 2, W - MR - 2, H - MB + 2});
        break;
    case loFC12AfterLS:
        // The strip deliberately ends on the right margin line.
        p.main = {ML + 2, MT + 2, W - I(rm, 2.9) - 2, H - MB - 2};
        LayoutMiniGrid(p.minis, 6, 2, 1, 12, {W - I(rm, 2.8) + 2, MT + 2, W - MR, H - MB - 2});
        break;
    default:
        if (layout >= 8 && layout <= 17) {
            const GridShape g = miniSheetShape(layout);
            LayoutMiniGrid(p.minis, g.rows, g.columns, 1, int(p.minis.size()), full);
        }
        break;
    }
    return p;
}

} // namespace velmora
