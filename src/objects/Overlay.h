#pragma once
// Outlines drawn over the page while something is dragged: the rubber band, the drag
// feedback and the arrow-key rectangle. They invert what lies below (a dotted white pen in
// exclusive-or mode), so they show on black and white alike. Erasing one means repainting
// the thin strips it covered, never the whole page.
#include "common/Rect.h"

#include <QRegion>

class QPainter;

namespace velmora {

// The outline's pixels: left..right-1 by top..bottom-1, right and bottom edges excluded.
void DrawXorOutline(QPainter &painter, const TRect &r);
// The strips to repaint when the outline appears or goes.
QRegion OutlineRegion(const TRect &r);

inline QRect ToQRect(const TRect &r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace velmora
