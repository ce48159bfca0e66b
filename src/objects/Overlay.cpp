#include "objects/Overlay.h"

#include <QPainter>

namespace velmora {
namespace {

// Every other pixel of a run; each pixel is set once, so exclusive-or never cancels a
// corner that two edges share.
void dots(QPainter &p, int x, int y, int dx, int dy, int count)
{
    for (int i = 0; i < count; i += 2)
        p.fillRect(x + i * dx, y + i * dy, 1, 1, Qt::white);
}

} // namespace

void DrawXorOutline(QPainter &painter, const TRect &r)
{
    const int w = r.width();
    const int h = r.height();
    if (w <= 0 || h <= 0) return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    dots(painter, r.left, r.top, 1, 0, w);
    if (h > 1) dots(painter, r.left, r.bottom - 1, 1, 0, w);
    if (h > 2) {
        dots(painter, r.left, r.top + 2, 0, 1, h - 2);
        if (w > 1) dots(painter, r.right - 1, r.top + 2, 0, 1, h - 2);
    }
    painter.restore();
}

QRegion OutlineRegion(const TRect &r)
{
    const int w = r.width();
    const int h = r.height();
    if (w <= 0 || h <= 0) return {};
    QRegion region(r.left, r.top, w, 1);
    region += QRect(r.left, r.bottom - 1, w, 1);
    region += QRect(r.left, r.top, 1, h);
    region += QRect(r.right - 1, r.top, 1, h);
    return region;
}

} // namespace velmora
