#pragma once
// The printer side of drawing: positions in inches turned into printer pixels, over the
// same canvas rules as the screen.
#include "common/Canvas.h"

#include <cmath>

namespace velmora {

class TReportCanvas
{
public:
    TReportCanvas(QPainter &painter, int dpi) : canvas_(painter, dpi), dpi_(dpi) {}
    int dpi() const { return dpi_; }
    int inchToPixels(double inches) const
    {
        return static_cast<int>(std::nearbyint(inches * dpi_));
    }
    TRect inchRect(double l, double t, double r, double b) const
    {
        return {inchToPixels(l), inchToPixels(t), inchToPixels(r), inchToPixels(b)};
    }
    TCanvas &canvas() { return canvas_; }
    QPainter &painter() { return canvas_.painter(); }

private:
    TCanvas canvas_;
    int dpi_;
};

} // namespace velmora
