#include "imaging/MetafileCanvas.h"

#include <QFontMetricsF>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

// Deeper nesting of SaveDC than this is damage; the extra saves are ignored.
constexpr std::size_t kMaxSavedStates = 1024;

Qt::BrushStyle hatchStyle(int hatch)
{
    switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

} // namespace

QColor colorFromRef(uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

MetafileCanvas::MetafileCanvas(QPainter &painter, const QRectF &target)
    : p(painter), targetRect(target), base(painter.transform())
{
    // What the device shows, in the coordinates shapes are drawn in: a picture may draw
    // beyond its frame, but not beyond the device.
    bool invertible = false;
    const QTransform toShapes = base.inverted(&invertible);
    if (invertible && painter.device() != nullptr && painter.device()->width() > 0 &&
        painter.device()->height() > 0)
        visibleArea = toShapes.mapRect(
            QRectF(0, 0, painter.device()->width(), painter.device()->height()));
    p.save();
    originalClipOn = p.hasClipping();
    if (originalClipOn)
        originalClip = p.clipPath();
}

MetafileCanvas::~MetafileCanvas()
{
    p.restore();
}

double MetafileCanvas::scale() const
{
    return std::sqrt(std::abs(xf.determinant()));
}

void MetafileCanvas::setObjectTableSize(std::size_t n)
{
    objects.assign(std::min(n, kMaxObjects), MetaObject{});
}

int MetafileCanvas::addObject(MetaObject object)
{
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i].kind == MetaObject::None) {
            objects[i] = std::move(object);
            return int(i);
        }
    // Writers that understate the table size are common; grow within the cap.
    if (objects.size() >= kMaxObjects)
        return -1;
    objects.push_back(std::move(object));
    return int(objects.size() - 1);
}

void MetafileCanvas::putObject(uint32_t index, MetaObject object)
{
    if (index >= kMaxObjects)
        return;
    if (index >= objects.size())
        objects.resize(index + 1);
    objects[index] = std::move(object);
}

void MetafileCanvas::selectObject(uint32_t index)
{
    if (index & 0x80000000u) {
        selectStock(index & 0x7FFFFFFFu);
        return;
    }
    if (index >= objects.size())
        return;
    const MetaObject &o = objects[index];
    switch (o.kind) {
    case MetaObject::Pen: dc.pen = o.pen; break;
    case MetaObject::Brush: dc.brush = o.brush; break;
    case MetaObject::Font: dc.font = o.font; break;
    case MetaObject::Region: selectClip(o.region, 5); break;
    default: break;
    }
}

void MetafileCanvas::deleteObject(uint32_t index)
{
    if (index < objects.size())
        objects[index] = MetaObject{};
}

void MetafileCanvas::selectStock(uint32_t stock)
{
    static const int greys[] = {255, 192, 128, 64, 0};
    if (stock <= 4) {
        dc.brush = MetaBrush{MetaBrush::Solid, QColor(greys[stock], greys[stock], greys[stock]), 0, {}};
    } else if (stock == 5) {
        dc.brush.kind = MetaBrush::Null;
    } else if (stock == 6 || stock == 7) {
        dc.pen = MetaPen{0, 0, stock == 6 ? Qt::white : Qt::black};
    } else if (stock == 8) {
        dc.pen.style = 5;
    } else if (stock >= 10 && stock <= 17 && stock != 15) {
        dc.font = MetaFont{};
    }
}

void MetafileCanvas::saveDc()
{
    if (saved.size() < kMaxSavedStates)
        saved.push_back(dc);
}

void MetafileCanvas::restoreDc(int relative)
{
    // Negative: that many states back; positive: an absolute level counted from 1.
    std::size_t level = 0;
    if (relative < 0) {
        if (std::size_t(-int64_t(relative)) > saved.size())
            return;
        level = saved.size() - std::size_t(-int64_t(relative));
    } else {
        if (relative == 0 || std::size_t(relative) > saved.size())
            return;
        level = std::size_t(relative) - 1;
    }
    dc = saved[level];
    saved.resize(level);
    mappingChanged();
    applyClip();
}

QPen MetafileCanvas::qpen() const
{
    const int style = dc.pen.style & 0x0F;
    if (style == 5)
        return Qt::NoPen;
    const double w = dc.pen.width * scale();
    QPen pen(dc.pen.color, w < 1.0 ? 0.0 : std::min(w, 4.0 * (targetRect.width() + targetRect.height())));
    switch (style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    const int cap = dc.pen.style & 0x0F00;
    pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
    const int join = dc.pen.style & 0xF000;
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush MetafileCanvas::qbrush() const
{
    switch (dc.brush.kind) {
    case MetaBrush::Null: return Qt::NoBrush;
    case MetaBrush::Hatched: return QBrush(dc.brush.color, hatchStyle(dc.brush.hatch));
    case MetaBrush::Pattern:
        if (!dc.brush.pattern.isNull())
            return QBrush(dc.brush.pattern);
        return QBrush(dc.brush.color);
    default: return QBrush(dc.brush.color);
    }
}

namespace {
// More dashes than any real drawing has: a dashed line millions of pixels long (a picture
// that maps a small window onto a huge viewport) would take Qt seconds to cut into dashes,
// though nearly all of them fall outside the picture. Such a line is drawn solid.
constexpr double kMaxDashes = 50000;

bool tooManyDashes(const QPainterPath &shape, const QPen &pen, const QTransform &toImage)
{
    if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen)
        return false;
    double period = 0;
    for (const qreal part : pen.dashPattern())
        period += part;
    if (pen.isCosmetic())
        return toImage.map(shape).length() / std::max(period, 1.0) > kMaxDashes;
    return shape.length() / std::max(period * pen.widthF(), 1e-9) > kMaxDashes;
}

// Cuts the segment a-b to the part inside area (Liang-Barsky); false when none is.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &area)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - area.left(), area.right() - a.x(), a.y() - area.top(),
                         area.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    b = start + QPointF(dx, dy) * t1;
    return true;
}

bool hasCurves(const QPainterPath &path)
{
    for (int i = 0; i < path.elementCount(); ++i)
        if (path.elementAt(i).isCurveTo())
            return true;
    return false;
}

// Shapes reaching far outside what the device shows are cut to the part near it before Qt
// draws them: Qt fills and strokes in time that grows with the whole size, and a picture
// that maps a small window onto a huge viewport draws shapes millions of pixels across.
// Open lines are cut segment by segment (for strokes); closed shapes polygon by polygon,
// which keeps what the fill rule fills inside the area. Curves are left as they are.
QPainterPath nearArea(const QPainterPath &line, const QRectF &area)
{
    QPainterPath cut;
    QPointF from;
    for (int i = 0; i < line.elementCount(); ++i) {
        const QPainterPath::Element e = line.elementAt(i);
        const QPointF to(e.x, e.y);
        if (e.isLineTo()) {
            QPointF a = from, b = to;
            if (clipSegment(a, b, area)) {
                if (cut.elementCount() == 0 || cut.currentPosition() != a)
                    cut.moveTo(a);
                cut.lineTo(b);
            }
        }
        from = to;
    }
    return cut;
}

// One closed polygon cut to a rectangle (Sutherland-Hodgman).
QPolygonF clipPolygon(QPolygonF polygon, const QRectF &r)
{
    auto clipEdge = [&polygon](auto inside, auto cross) {
        const QPolygonF in = polygon;
        polygon.clear();
        if (in.isEmpty())
            return;
        QPointF s = in.last();
        for (const QPointF &e : in) {
            if (inside(e)) {
                if (!inside(s))
                    polygon << cross(s, e);
                polygon << e;
            } else if (inside(s)) {
                polygon << cross(s, e);
            }
            s = e;
        }
    };
    auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    clipEdge([&](QPointF q) { return q.x() >= r.left(); }, atX(r.left()));
    clipEdge([&](QPointF q) { return q.x() <= r.right(); }, atX(r.right()));
    clipEdge([&](QPointF q) { return q.y() >= r.top(); }, atY(r.top()));
    clipEdge([&](QPointF q) { return q.y() <= r.bottom(); }, atY(r.bottom()));
    return polygon;
}

QPainterPath nearAreaClosed(const QPainterPath &shape, const QRectF &area)
{
    QPainterPath cut;
    cut.setFillRule(shape.fillRule());
    for (const QPolygonF &polygon : shape.toSubpathPolygons()) {
        const QPolygonF part = clipPolygon(polygon, area);
        if (part.size() < 2)
            continue;
        cut.addPolygon(part);
        cut.closeSubpath();
    }
    return cut;
}
} // namespace

void MetafileCanvas::drawDevice(const QPainterPath &device, bool fill, bool stroke)
{
    if (inPath) {
        path.addPath(device);
        return;
    }
    if (drawsNothing())
        return;
    p.setTransform(base);
    QPainterPath shape = device;
    shape.setFillRule(dc.winding ? Qt::WindingFill : Qt::OddEvenFill);
    QPen pen = stroke ? qpen() : QPen(Qt::NoPen);
    if (!visibleArea.isEmpty()) {
        // A margin wider than any cap or join of the pen keeps the cut ends out of sight.
        const double reach = 2 * std::max(pen.widthF(), 1.0) + 2;
        const QRectF area = visibleArea.adjusted(-reach, -reach, reach, reach);
        if (!area.contains(shape.boundingRect()) && !hasCurves(shape))
            shape = fill ? nearAreaClosed(shape, area) : nearArea(shape, area);
    }
    if (fill && dc.brush.kind != MetaBrush::Null) {
        if (dc.brush.kind == MetaBrush::Hatched && dc.opaqueBk)
            p.fillPath(shape, dc.bkColor);
        p.fillPath(shape, qbrush());
    }
    if (pen.style() != Qt::NoPen) {
        if (tooManyDashes(shape, pen, base))
            pen.setStyle(Qt::SolidLine);
        p.strokePath(shape, pen);
    }
}

void MetafileCanvas::draw(const QPainterPath &logical, bool fill, bool stroke)
{
    drawDevice(xf.map(logical), fill, stroke);
}

void MetafileCanvas::polygon(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    draw(path, true, true);
}

void MetafileCanvas::polyPolygon(const std::vector<QPolygonF> &polygons)
{
    QPainterPath path;
    for (const auto &poly : polygons) {
        if (poly.size() < 2)
            continue;
        path.addPolygon(poly);
        path.closeSubpath();
    }
    draw(path, true, true);
}

void MetafileCanvas::polyline(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    draw(path, false, true);
}

void MetafileCanvas::polyBezier(const QPolygonF &points, bool fromCurrent)
{
    QPainterPath path;
    qsizetype i = 0;
    if (fromCurrent) {
        path.moveTo(dc.current);
    } else {
        if (points.isEmpty())
            return;
        path.moveTo(points[0]);
        i = 1;
    }
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (fromCurrent && !points.isEmpty())
        dc.current = path.currentPosition();
    if (inPath && fromCurrent) {
        // Continue the figure under construction rather than start a new one.
        QPainterPath device = xf.map(path);
        for (int e = 1; e < device.elementCount(); e += 3)
            if (e + 2 < device.elementCount())
                this->path.cubicTo(device.elementAt(e), device.elementAt(e + 1), device.elementAt(e + 2));
        return;
    }
    draw(path, false, true);
}

void MetafileCanvas::polylineTo(const QPolygonF &points)
{
    for (const QPointF &pt : points)
        lineTo(pt);
}

void MetafileCanvas::moveTo(QPointF pt)
{
    dc.current = pt;
    if (inPath)
        path.moveTo(xf.map(pt));
}

void MetafileCanvas::lineTo(QPointF pt)
{
    if (inPath) {
        if (path.elementCount() == 0)
            path.moveTo(xf.map(dc.current));
        path.lineTo(xf.map(pt));
    } else {
        QPainterPath line(dc.current);
        line.lineTo(pt);
        draw(line, false, true);
    }
    dc.current = pt;
}

void MetafileCanvas::rectangle(const QRectF &r)
{
    QPainterPath path;
    path.addRect(r.normalized());
    draw(path, true, true);
}

void MetafileCanvas::roundRect(const QRectF &r, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    draw(path, true, true);
}

void MetafileCanvas::ellipse(const QRectF &r)
{
    QPainterPath path;
    path.addEllipse(r.normalized());
    draw(path, true, true);
}

void MetafileCanvas::arc(const QRectF &box, QPointF start, QPointF end, ArcKind kind)
{
    // Angles are worked out where the arc is seen, so flipped mappings keep the direction.
    const QRectF r = xf.mapRect(box.normalized());
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QPointF c = r.center();
    const QPointF s = xf.map(start), e = xf.map(end);
    auto angleOf = [&](QPointF pt) {
        return std::atan2(-(pt.y() - c.y()) / r.height(), (pt.x() - c.x()) / r.width()) * 180.0
            / std::numbers::pi;
    };
    const double a0 = angleOf(s);
    double sweep = angleOf(e) - a0;
    if (dc.clockwise) {
        if (sweep >= 0)
            sweep -= 360;
    } else if (sweep <= 0) {
        sweep += 360;
    }
    QPainterPath path;
    if (kind == ArcKind::Pie) {
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        if (kind == ArcKind::ArcTo && !inPath) {
            QPainterPath lead(xf.map(dc.current));
            lead.lineTo(path.currentPosition());
            drawDevice(lead, false, true);
        }
        path.arcTo(r, a0, sweep);
        if (kind == ArcKind::Chord)
            path.closeSubpath();
    }
    if (kind == ArcKind::ArcTo) {
        dc.current = xf.inverted().map(path.currentPosition());
        if (inPath) {
            if (this->path.elementCount() == 0)
                this->path.moveTo(path.elementAt(0));
            else
                this->path.lineTo(path.elementAt(0));
            this->path.connectPath(path);
            return;
        }
    }
    const bool closed = kind == ArcKind::Pie || kind == ArcKind::Chord;
    drawDevice(path, closed, true);
}

void MetafileCanvas::setPixel(QPointF pt, QColor c)
{
    if (inPath)
        return;
    p.setTransform(base);
    p.fillRect(QRectF(xf.map(pt), QSizeF(1, 1)), c);
}

QFont MetafileCanvas::qfont(double &pixelSize) const
{
    QFont font(dc.font.face.isEmpty() ? QStringLiteral("Arial") : dc.font.face);
    font.setWeight(QFont::Weight(std::clamp(dc.font.weight == 0 ? 400 : dc.font.weight, 100, 900)));
    font.setItalic(dc.font.italic);
    font.setUnderline(dc.font.underline);
    font.setStrikeOut(dc.font.strikeOut);
    const QLineF unit = xf.map(QLineF(0, 0, 0, 1));
    const double yScale = unit.length();
    // In doubles: a record may hold the most negative 32-bit height or escapement.
    double em = std::abs(double(dc.font.height)) * yScale;
    if (dc.font.height == 0) {
        em = 16;
    } else if (dc.font.height > 0) {
        // A positive height is the cell (ascent plus descent), not the em.
        QFont probe = font;
        probe.setPixelSize(100);
        const QFontMetricsF m(probe);
        if (m.height() > 0)
            em = em * 100 / m.height();
    }
    // Glyphs larger than a few times the target are damage, and would cost memory to draw.
    pixelSize = std::min(em, 4.0 * std::max(targetRect.width(), targetRect.height()) + 64);
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    return font;
}

void MetafileCanvas::text(QPointF reference, const QString &text, const std::vector<double> &dx,
                          int options, const QRectF &rect)
{
    if (inPath || drawsNothing())
        return;
    constexpr int kOpaque = 2, kClipped = 4;
    p.setTransform(base);
    if ((options & kOpaque) && !rect.isNull())
        p.fillPath([&] { QPainterPath r; r.addRect(rect.normalized()); return xf.map(r); }(), dc.bkColor);
    if (text.isEmpty())
        return;
    // No real line of text is this long; a damaged count must not cost a million glyph draws.
    constexpr qsizetype kMaxTextLength = 4096;
    if (text.size() > kMaxTextLength)
        return this->text(reference, text.left(kMaxTextLength), dx, options & ~kOpaque, rect);
    double pixelSize = 0;
    const QFont font = qfont(pixelSize);
    if (pixelSize < 0.5)
        return;
    const QFontMetricsF metrics(font);
    const bool updateCp = dc.textAlign & 1;
    const QPointF origin = xf.map(updateCp ? dc.current : reference);
    const double xScale = xf.map(QLineF(0, 0, 1, 0)).length();

    std::vector<double> advances;
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double a = std::size_t(i) < dx.size() ? dx[std::size_t(i)] * xScale
                                                    : metrics.horizontalAdvance(text[i]);
        advances.push_back(a);
        width += a;
    }
    if (dx.empty())
        width = metrics.horizontalAdvance(text);

    double x = 0;
    switch (dc.textAlign & 6) {
    case 2: x = -width; break; // right
    case 6: x = -width / 2; break; // centre
    default: break;
    }
    double y = 0;
    switch (dc.textAlign & 24) {
    case 8: y = -metrics.descent(); break; // bottom
    case 24: y = 0; break; // baseline
    default: y = metrics.ascent(); break; // top
    }

    p.save();
    if ((options & kClipped) && !rect.isNull()) {
        QPainterPath r;
        r.addRect(rect.normalized());
        p.setClipPath(xf.map(r), Qt::IntersectClip);
    }
    QTransform t = base;
    t.translate(origin.x(), origin.y());
    t.rotate(-double(dc.font.escapement) / 10.0);
    p.setTransform(t);
    if (dc.opaqueBk)
        p.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), dc.bkColor);
    p.setFont(font);
    p.setPen(dc.textColor);
    if (dx.empty()) {
        p.drawText(QPointF(x, y), text);
    } else {
        double at = x;
        for (qsizetype i = 0; i < text.size(); ++i) {
            p.drawText(QPointF(at, y), QString(text[i]));
            at += advances[std::size_t(i)];
        }
    }
    p.restore();
    if (updateCp) {
        const double angle = -double(dc.font.escapement) / 10.0 * std::numbers::pi / 180.0;
        const QPointF moved = origin + QPointF(std::cos(angle), std::sin(angle)) * width;
        dc.current = xf.inverted().map(moved);
    }
}

void MetafileCanvas::bitmap(const QRectF &dest, const QImage &image, const QRectF &source, uint32_t rop)
{
    if (inPath || image.isNull() || source.width() == 0 || source.height() == 0)
        return;
    QTransform t = QTransform::fromTranslate(dest.x(), dest.y());
    t.scale(dest.width() / source.width(), dest.height() / source.height());
    t.translate(-source.x(), -source.y());
    p.setTransform(t * xf * base);
    const bool rasterOps = p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    const QPainter::CompositionMode old = p.compositionMode();
    switch (rop) {
    case 0x008800C6: // SRCAND: the mask step of a transparent blit
        if (rasterOps)
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        else
            return;
        break;
    case 0x00660046: // SRCINVERT
        if (rasterOps)
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case 0x00EE0086: // SRCPAINT
        if (rasterOps)
            p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    default: break;
    }
    const QRectF clipped = source.normalized() & QRectF(image.rect());
    p.drawImage(clipped.topLeft(), image, clipped);
    p.setCompositionMode(old);
}

void MetafileCanvas::patBlt(const QRectF &dest, uint32_t rop)
{
    if (inPath)
        return;
    QPainterPath r;
    r.addRect(dest.normalized());
    const QPainterPath device = xf.map(r);
    p.setTransform(base);
    switch (rop) {
    case 0x00000042: p.fillPath(device, Qt::black); break; // BLACKNESS
    case 0x00FF0062: p.fillPath(device, Qt::white); break; // WHITENESS
    case 0x00F00021: // PATCOPY
        if (dc.brush.kind != MetaBrush::Null)
            p.fillPath(device, qbrush());
        break;
    default: break; // inversions have no meaning on vector surfaces
    }
}

void MetafileCanvas::fillRegion(const QPainterPath &logicalRegion, const MetaBrush &brush)
{
    const MetaBrush old = dc.brush;
    dc.brush = brush;
    draw(logicalRegion, true, false);
    dc.brush = old;
}

void MetafileCanvas::applyClip()
{
    p.setTransform(base);
    if (originalClipOn)
        p.setClipPath(originalClip);
    else
        p.setClipping(false);
    if (dc.clipOn)
        p.setClipPath(dc.clip, originalClipOn ? Qt::IntersectClip : Qt::ReplaceClip);
}

void MetafileCanvas::selectClip(const QPainterPath &region, int mode, bool logical)
{
    const QPainterPath device = logical ? xf.map(region) : region;
    QPainterPath current = dc.clip;
    if (!dc.clipOn) {
        // No clip yet: the whole surface counts, as far as combining goes.
        current = QPainterPath();
        current.addRect(QRectF(-1e6, -1e6, 2e6, 2e6));
    }
    switch (mode) {
    case 1: dc.clip = current.intersected(device); break; // and
    case 2: dc.clip = dc.clipOn ? current.united(device) : current; break; // or
    case 3: dc.clip = current.subtracted(device).united(device.subtracted(current)); break; // xor
    case 4: dc.clip = current.subtracted(device); break; // diff
    default: dc.clip = device; break; // copy
    }
    dc.clipOn = true;
    applyClip();
}

void MetafileCanvas::intersectClip(const QRectF &r)
{
    QPainterPath path;
    path.addRect(r.normalized());
    selectClip(path, 1);
}

void MetafileCanvas::excludeClip(const QRectF &r)
{
    QPainterPath path;
    path.addRect(r.normalized());
    selectClip(path, 4);
}

void MetafileCanvas::resetClip()
{
    dc.clipOn = false;
    dc.clip = QPainterPath();
    applyClip();
}

void MetafileCanvas::beginPath()
{
    path = QPainterPath();
    inPath = true;
}

void MetafileCanvas::abortPath()
{
    path = QPainterPath();
    inPath = false;
}

void MetafileCanvas::closeFigure()
{
    if (inPath)
        path.closeSubpath();
}

void MetafileCanvas::fillPath(bool fill, bool stroke)
{
    inPath = false;
    const QPainterPath shape = path;
    path = QPainterPath();
    if (fill) // filling closes open figures by itself
        drawDevice(shape, true, false);
    if (stroke)
        drawDevice(shape, false, true);
}

void MetafileCanvas::selectClipPath(int mode)
{
    inPath = false;
    QPainterPath shape = path;
    path = QPainterPath();
    shape.setFillRule(dc.winding ? Qt::WindingFill : Qt::OddEvenFill);
    selectClip(shape, mode, false);
}

} // namespace velmora
