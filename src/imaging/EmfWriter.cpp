#include "imaging/EmfWriter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstring>

namespace velmora {

namespace {

// Records are built in a byte array; each record's size is patched in when it ends.
class RecordBuffer {
public:
    void begin(uint32_t type)
    {
        start = bytes.size();
        u32(type);
        u32(0);
    }
    void end()
    {
        while ((bytes.size() - start) % 4)
            bytes.append('\0');
        const uint32_t size = uint32_t(bytes.size() - start);
        std::memcpy(bytes.data() + start + 4, &size, 4);
        ++count;
    }
    void u32(uint32_t v) { bytes.append(reinterpret_cast<const char *>(&v), 4); }
    void i32(int32_t v) { u32(uint32_t(v)); }
    void f32(float f) { uint32_t v; std::memcpy(&v, &f, 4); u32(v); }
    void raw(const QByteArray &b) { bytes.append(b); }
    qsizetype pos() const { return bytes.size() - start; }

    QByteArray bytes;
    qsizetype start = 0;
    uint32_t count = 0;
};

uint32_t colorRef(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// A brush EMF cannot express (gradients, textures) is kept as its average colour, which is
// what a legacy picture of the drawing would show at a glance.
QColor solidOf(const QBrush &brush)
{
    if (const QGradient *g = brush.gradient()) {
        const auto stops = g->stops();
        if (stops.isEmpty())
            return Qt::black;
        double r = 0, gr = 0, b = 0, a = 0;
        for (const auto &s : stops) {
            r += double(s.second.redF());
            gr += double(s.second.greenF());
            b += double(s.second.blueF());
            a += double(s.second.alphaF());
        }
        const double n = double(stops.size());
        return QColor::fromRgbF(float(r / n), float(gr / n), float(b / n), float(a / n));
    }
    if (brush.style() == Qt::TexturePattern) {
        const QImage tiny = brush.textureImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return tiny.isNull() ? brush.color() : QColor::fromRgba(tiny.pixel(0, 0));
    }
    return brush.color();
}

} // namespace

class EmfPaintEngine final : public QPaintEngine {
public:
    explicit EmfPaintEngine(QSize size) : QPaintEngine(AllFeatures), size(size) {}

    bool begin(QPaintDevice *) override
    {
        out = RecordBuffer();
        bounds = QRectF();
        out.begin(17); // SETMAPMODE anisotropic: logical units are a fraction of a pixel
        out.u32(8);
        out.end();
        out.begin(9); // SETWINDOWEXTEX
        out.i32(size.width() * kEmfUnitsPerPixel);
        out.i32(size.height() * kEmfUnitsPerPixel);
        out.end();
        out.begin(11); // SETVIEWPORTEXTEX
        out.i32(size.width());
        out.i32(size.height());
        out.end();
        out.begin(18); // SETBKMODE transparent
        out.u32(1);
        out.end();
        penKey.clear();
        brushKey.clear();
        fillRule = -1;
        return true;
    }

    bool end() override
    {
        if (clipOn)
            resetClip();
        out.begin(14); // EOF
        out.u32(0);
        out.u32(16);
        out.u32(16);
        out.end();
        finished = header() + out.bytes;
        return true;
    }

    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
            QPainter *painter = this->painter();
            if (painter && painter->hasClipping())
                selectClip(painter->combinedTransform().map(painter->clipPath()));
            else if (clipOn)
                resetClip();
        }
    }

    void drawPath(const QPainterPath &path) override
    {
        QPainter *painter = this->painter();
        if (!painter)
            return;
        const QTransform t = painter->combinedTransform();
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        const bool fill = brush.style() != Qt::NoBrush && solidOf(brush).alpha() > 0;
        const bool stroke = pen.style() != Qt::NoPen && solidOf(pen.brush()).alpha() > 0;
        if (!fill && !stroke)
            return;
        const QPainterPath device = t.map(path);
        if (device.isEmpty())
            return;
        bounds |= device.controlPointRect();
        const double opacity = painter->opacity();
        if (fill && (brush.style() != Qt::SolidPattern || brush.color().alpha() < 255 || opacity < 1)) {
            writeRasterFill(path, device, brush, t, opacity);
            if (!stroke)
                return;
        }
        const bool vectorFill = fill && brush.style() == Qt::SolidPattern && brush.color().alpha() == 255
            && opacity >= 1;
        writePath(device);
        if (vectorFill)
            selectBrush(brush, path.fillRule());
        selectPen(stroke ? pen : QPen(Qt::NoPen), t);
        out.begin(vectorFill && stroke ? 63 : vectorFill ? 62 : 64); // STROKEANDFILL, FILL, STROKE
        writeBounds(device.controlPointRect());
        out.end();
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode) {
            path.closeSubpath();
            drawPath(path);
        } else {
            QPainter *painter = this->painter();
            const QBrush old = painter->brush();
            painter->setBrush(Qt::NoBrush);
            drawPath(path);
            painter->setBrush(old);
        }
    }

    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        QPolygonF poly;
        for (int i = 0; i < count; ++i)
            poly.append(points[i]);
        drawPolygon(poly.constData(), count, mode);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags) override
    {
        QPainter *painter = this->painter();
        if (!painter || image.isNull())
            return;
        const QRectF dest = painter->combinedTransform().mapRect(r);
        const QImage part = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (part.isNull())
            return;
        bounds |= dest;
        writeAlphaBlend(dest, part);
    }

    QByteArray finished;

private:
    int32_t unit(double v) const
    {
        const double u = std::round(v * kEmfUnitsPerPixel);
        return int32_t(std::clamp(u, -2.0e9, 2.0e9));
    }

    void writeBounds(const QRectF &r)
    {
        out.i32(int32_t(std::floor(r.left())));
        out.i32(int32_t(std::floor(r.top())));
        out.i32(int32_t(std::ceil(r.right())));
        out.i32(int32_t(std::ceil(r.bottom())));
    }

    void writePoints(uint32_t type, const QPolygonF &points)
    {
        out.begin(type);
        writeBounds(points.boundingRect());
        out.u32(uint32_t(points.size()));
        for (const QPointF &p : points) {
            out.i32(unit(p.x()));
            out.i32(unit(p.y()));
        }
        out.end();
    }

    // The path as MOVETOEX, POLYLINETO and POLYBEZIERTO records inside BEGINPATH/ENDPATH.
    void writePath(const QPainterPath &path)
    {
        out.begin(59);
        out.end();
        QPolygonF run;
        uint32_t runType = 0;
        QPointF subpathStart;
        auto flush = [&] {
            if (!run.isEmpty())
                writePoints(runType, run);
            run.clear();
        };
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                flush();
                out.begin(27);
                out.i32(unit(e.x));
                out.i32(unit(e.y));
                out.end();
                subpathStart = e;
            } else if (e.isLineTo()) {
                if (runType != 6)
                    flush();
                runType = 6; // POLYLINETO
                run.append(e);
            } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                if (runType != 5)
                    flush();
                runType = 5; // POLYBEZIERTO
                run.append(e);
                run.append(path.elementAt(i + 1));
                run.append(path.elementAt(i + 2));
                i += 2;
            }
            const bool subpathEnds = i + 1 >= path.elementCount() || path.elementAt(i + 1).isMoveTo();
            if (subpathEnds && i > 0 && !e.isMoveTo() && QPointF(path.elementAt(i)) == subpathStart) {
                flush();
                out.begin(61); // CLOSEFIGURE: joins the ends properly when stroked
                out.end();
            }
        }
        flush();
        out.begin(60);
        out.end();
    }

    // Fills EMF cannot express (gradients, textures, translucency) are drawn into a bitmap
    // of the shape's bounds at print resolution, placed under a clip of the shape's outline,
    // so the edges stay vectors and only the inside becomes pixels.
    void writeRasterFill(const QPainterPath &logical, const QPainterPath &device, const QBrush &brush,
                         const QTransform &t, double opacity)
    {
        const QRectF box = device.controlPointRect() & QRectF(QPointF(0, 0), QSizeF(size));
        if (box.isEmpty())
            return;
        const double scale = std::min(3.0, std::sqrt(4.0e6 / std::max(1.0, box.width() * box.height())));
        const QSize pixels(std::max(1, int(std::ceil(box.width() * scale))),
                           std::max(1, int(std::ceil(box.height() * scale))));
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return;
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setOpacity(opacity);
            QTransform place = QTransform::fromTranslate(-box.x(), -box.y());
            place *= QTransform::fromScale(scale, scale);
            p.setTransform(t * place);
            p.fillPath(logical, brush);
        }
        out.begin(33); // SAVEDC
        out.end();
        writePath(device);
        out.begin(67); // SELECTCLIPPATH, and
        out.u32(1);
        out.end();
        writeAlphaBlend(box, image);
        out.begin(34); // RESTOREDC
        out.i32(-1);
        out.end();
    }

    void selectBrush(const QBrush &brush, Qt::FillRule rule)
    {
        const int wanted = rule == Qt::WindingFill ? 2 : 1;
        if (wanted != fillRule) {
            out.begin(19);
            out.u32(uint32_t(wanted));
            out.end();
            fillRule = wanted;
        }
        const QColor c = solidOf(brush);
        const QString key = c.name();
        if (key == brushKey)
            return;
        brushKey = key;
        out.begin(37); // select a stock brush so the old one can be deleted
        out.u32(0x80000005);
        out.end();
        out.begin(40);
        out.u32(2);
        out.end();
        out.begin(39); // CREATEBRUSHINDIRECT, solid
        out.u32(2);
        out.u32(0);
        out.u32(colorRef(c));
        out.u32(0);
        out.end();
        out.begin(37);
        out.u32(2);
        out.end();
    }

    void selectPen(const QPen &pen, const QTransform &t)
    {
        double width = 0;
        if (pen.style() != Qt::NoPen && !pen.isCosmetic())
            width = std::max(pen.widthF(), 1.0 / kEmfUnitsPerPixel) * std::sqrt(std::abs(t.determinant()));
        const QColor c = solidOf(pen.brush());
        const QString key = pen.style() == Qt::NoPen ? QStringLiteral("none")
            : QStringLiteral("%1 %2 %3 %4 %5").arg(c.name()).arg(width).arg(int(pen.style()))
                  .arg(int(pen.capStyle())).arg(int(pen.joinStyle()));
        if (key == penKey)
            return;
        penKey = key;
        out.begin(37);
        out.u32(0x80000008); // NULL_PEN
        out.end();
        out.begin(40);
        out.u32(1);
        out.end();
        if (pen.style() == Qt::NoPen)
            return;
        uint32_t style = 0x00010000; // geometric
        switch (pen.style()) {
        case Qt::DashLine: style |= 1; break;
        case Qt::DotLine: style |= 2; break;
        case Qt::DashDotLine: style |= 3; break;
        case Qt::DashDotDotLine: style |= 4; break;
        case Qt::CustomDashLine: style |= 1; break; // the nearest standard dashes
        default: break;
        }
        style |= pen.capStyle() == Qt::SquareCap ? 0x100 : pen.capStyle() == Qt::FlatCap ? 0x200 : 0;
        style |= pen.joinStyle() == Qt::BevelJoin ? 0x1000 : pen.joinStyle() == Qt::RoundJoin ? 0 : 0x2000;
        out.begin(95); // EXTCREATEPEN
        out.u32(1);
        out.u32(0);
        out.u32(0);
        out.u32(0);
        out.u32(0);
        out.u32(width > 0 ? style : (style & 0xFFFF)); // no width: cosmetic, one pixel
        out.u32(uint32_t(std::max<int32_t>(unit(width), 1)));
        out.u32(0); // solid brush
        out.u32(colorRef(c));
        out.u32(0);
        out.u32(0);
        out.end();
        out.begin(37);
        out.u32(1);
        out.end();
    }

    void selectClip(const QPainterPath &device)
    {
        writePath(device);
        out.begin(67); // SELECTCLIPPATH, copy
        out.u32(5);
        out.end();
        clipOn = true;
    }

    void resetClip()
    {
        out.begin(75); // EXTSELECTCLIPRGN without a region: no clipping
        out.u32(0);
        out.u32(5);
        out.end();
        clipOn = false;
    }

    void writeAlphaBlend(const QRectF &dest, const QImage &image)
    {
        const int w = image.width(), h = image.height();
        constexpr uint32_t kRecordHead = 108, kInfo = 40;
        out.begin(114); // ALPHABLEND
        writeBounds(dest);
        out.i32(unit(dest.x()));
        out.i32(unit(dest.y()));
        out.i32(unit(dest.width()));
        out.i32(unit(dest.height()));
        out.u32(0x01FF0000); // source over, constant alpha 255, per-pixel alpha
        out.i32(0);
        out.i32(0);
        for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            out.f32(f);
        out.u32(0);
        out.u32(0);
        out.u32(kRecordHead);
        out.u32(kInfo);
        out.u32(kRecordHead + kInfo);
        out.u32(uint32_t(w * h * 4));
        out.i32(w);
        out.i32(h);
        // BITMAPINFOHEADER, top-down 32-bit premultiplied
        out.u32(kInfo);
        out.i32(w);
        out.i32(-h);
        out.u32(1 | (32u << 16));
        out.u32(0);
        out.u32(uint32_t(w * h * 4));
        out.u32(3780);
        out.u32(3780);
        out.u32(0);
        out.u32(0);
        for (int y = 0; y < h; ++y)
            out.raw(QByteArray(reinterpret_cast<const char *>(image.constScanLine(y)), w * 4));
        out.end();
    }

    QByteArray header() const
    {
        RecordBuffer h;
        h.begin(1);
        const QRectF b = bounds.isValid() ? bounds & QRectF(QPointF(0, 0), QSizeF(size)) : QRectF();
        h.i32(int32_t(b.left()));
        h.i32(int32_t(b.top()));
        h.i32(b.isEmpty() ? -1 : int32_t(std::ceil(b.right())) - 1);
        h.i32(b.isEmpty() ? -1 : int32_t(std::ceil(b.bottom())) - 1);
        // The frame in hundredths of a millimetre at 96 pixels per inch.
        h.i32(0);
        h.i32(0);
        h.i32(int32_t(std::lround(size.width() * 2540.0 / 96.0)));
        h.i32(int32_t(std::lround(size.height() * 2540.0 / 96.0)));
        h.u32(0x464D4520);
        h.u32(0x10000);
        h.u32(uint32_t(108 + out.bytes.size()));
        h.u32(out.count + 1);
        h.u32(3); // handles: 0 is the metafile itself, then our pen and brush
        h.u32(0); // description
        h.u32(0);
        h.u32(0); // palette entries
        // A reference device of 96 pixels per inch.
        h.i32(9600);
        h.i32(9600);
        h.i32(2540);
        h.i32(2540);
        h.u32(0); // no pixel format
        h.u32(0);
        h.u32(0); // not OpenGL
        h.i32(2540000); // micrometres
        h.i32(2540000);
        h.end();
        return h.bytes;
    }

    QSize size;
    RecordBuffer out;
    QRectF bounds;
    QString penKey, brushKey;
    int fillRule = -1;
    bool clipOn = false;
};

EmfPaintDevice::EmfPaintDevice(QSize size) : size(size), engine(std::make_unique<EmfPaintEngine>(size)) {}

EmfPaintDevice::~EmfPaintDevice() = default;

QPaintEngine *EmfPaintDevice::paintEngine() const
{
    return engine.get();
}

QByteArray EmfPaintDevice::data() const
{
    return engine->finished;
}

int EmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return size.width();
    case PdmHeight: return size.height();
    case PdmWidthMM: return int(std::lround(size.width() * 25.4 / 96));
    case PdmHeightMM: return int(std::lround(size.height() * 25.4 / 96));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return 0;
    }
}

QByteArray recordEmf(QSize size, const std::function<void(QPainter &)> &paint)
{
    EmfPaintDevice device(size);
    {
        QPainter painter(&device);
        paint(painter);
    }
    return device.data();
}

} // namespace velmora
