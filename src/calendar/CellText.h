#pragma once
// How the page draws the rich text of its day cells. The rich text engine provides the
// implementation; a page without one draws no cell texts.
#include <QRect>
#include <QSize>

class QImage;
class QPainter;

namespace velmora {

class TCellTextRenderer
{
public:
    virtual ~TCellTextRenderer() = default;
    // False for an empty cell store (a single empty paragraph).
    virtual bool hasText(int cell) const = 0;
    // Paints the cell's text into image (already white) at the given zoom in percent.
    virtual void paintCell(int cell, QImage &image, int zoomPercent) = 0;
    // Draws the cell's text as vectors into target (printer pixels at printerDpi).
    virtual void printCell(int cell, QPainter &painter, const QRect &target, int printerDpi) = 0;
    // True when the cell's text needs more height than an area of this size (pixels at the
    // given zoom) shows.
    virtual bool overflows(int, const QSize &, int) { return false; }
};

} // namespace velmora
