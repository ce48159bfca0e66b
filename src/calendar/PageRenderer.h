#pragma once
// Where a page is drawn: one description of the surface for the screen, pictures, printers
// and PDF, so one renderer serves them all.
#include "calendar/PageLayout.h"
#include "common/Rect.h"

namespace velmora {

struct TRenderTarget
{
    // Surface pixels per inch. Screen pictures use the page's fixed 96.
    int dpi = kPagePpi;
    // Screen pictures only: the zoom factor. Paper is always drawn at factor 1.
    double zoom = 1.0;
    // The print rules: the paper's own white is not painted over, white title bands stay
    // unfilled, borders are drawn per cell box, the planner title band follows the title
    // font, cell texts print as vectors, objects print in inches through their own printing,
    // and nothing of the editing overlay (handles) shows.
    bool paper = false;
    // Paper only: where the page's top left corner lies, in inches.
    double xOffsetInch = 0.0;
    double yOffsetInch = 0.0;
    // Whether the design objects are drawn too. The screen view draws them over its cached
    // picture itself; paper includes them.
    bool objects = false;

    static TRenderTarget Screen(double zoom)
    {
        TRenderTarget t;
        t.zoom = zoom;
        return t;
    }
    static TRenderTarget Paper(int dpi, double xOffsetInch = 0.0, double yOffsetInch = 0.0)
    {
        TRenderTarget t;
        t.dpi = dpi;
        t.paper = true;
        t.xOffsetInch = xOffsetInch;
        t.yOffsetInch = yOffsetInch;
        t.objects = true;
        return t;
    }

    // A rectangle of page pixels at factor 1 on this surface.
    TRect map(const TRect &r) const;
    // The font scale painters apply to point sizes.
    double fontScale() const { return paper ? 1.0 : zoom; }
};

} // namespace velmora
