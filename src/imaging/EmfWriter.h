#pragma once
// Enhanced metafiles of our own making: whatever is painted on an EmfPaintDevice is kept as
// EMF vector records (paths, pens, brushes, bitmaps), so a picture drawn through QPainter,
// an SVG drawing above all, can be stored and printed as vectors.
#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <functional>
#include <memory>

class QPainter;

namespace velmora {

class EmfPaintEngine;

// A drawing surface of size pixels (96 per inch) that records EMF.
class EmfPaintDevice final : public QPaintDevice {
public:
    explicit EmfPaintDevice(QSize size);
    ~EmfPaintDevice() override;
    QPaintEngine *paintEngine() const override;
    // The finished file; valid once every painter on the device has ended.
    QByteArray data() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size;
    std::unique_ptr<EmfPaintEngine> engine;
};

// Runs paint on a new recording surface and returns the metafile.
QByteArray recordEmf(QSize size, const std::function<void(QPainter &)> &paint);

// Logical units per pixel in the files we write: fine enough that curves and text outlines
// keep their shape at print resolution.
constexpr int kEmfUnitsPerPixel = 16;

} // namespace velmora
