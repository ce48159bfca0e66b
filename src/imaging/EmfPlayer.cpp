// Enhanced metafile records.
#include "imaging/Dib.h"
#include "imaging/MetafileCanvas.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/RasterImage.h"

#include "common/Cp1252.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace velmora {

namespace {

class EmfCanvas final : public MetafileCanvas {
public:
    using MetafileCanvas::MetafileCanvas;
    QRectF frame;           // reference-device pixels
    double pixelsPerMm = 96.0 / 25.4;

    QTransform logicalToTarget() const override
    {
        QTransform page;
        const int mode = dc.mapMode;
        if (mode == 7 || mode == 8) {
            double sx = dc.windowExt.x() != 0 ? dc.viewportExt.x() / dc.windowExt.x() : 1;
            double sy = dc.windowExt.y() != 0 ? dc.viewportExt.y() / dc.windowExt.y() : 1;
            if (mode == 7) {
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = sx < 0 ? -s : s;
                sy = sy < 0 ? -s : s;
            }
            page = QTransform(sx, 0, 0, sy, 0, 0);
        } else if (mode >= 2 && mode <= 6) {
            static const double mm[] = {0, 0, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
            const double k = mm[mode] * pixelsPerMm;
            page = QTransform(k, 0, 0, -k, 0, 0);
        }
        // Window origin, then scale, then viewport origin.
        QTransform t = QTransform::fromTranslate(-dc.windowOrg.x(), -dc.windowOrg.y()) * page
            * QTransform::fromTranslate(dc.viewportOrg.x(), dc.viewportOrg.y());
        const QRectF to = target();
        QTransform fit;
        if (frame.width() > 0 && frame.height() > 0) {
            const double sx = to.width() / frame.width(), sy = to.height() / frame.height();
            fit = QTransform(sx, 0, 0, sy, to.x() - frame.x() * sx, to.y() - frame.y() * sy);
        } else {
            fit = QTransform::fromTranslate(to.x(), to.y());
        }
        return dc.world * t * fit;
    }
};

struct Rec {
    std::span<const uint8_t> data; // the whole record, type and size included
    std::size_t at = 8;
    bool over = false;
    uint32_t u32()
    {
        if (at + 4 > data.size()) {
            over = true;
            at = data.size();
            return 0;
        }
        uint32_t v;
        std::memcpy(&v, data.data() + at, 4);
        at += 4;
        return v;
    }
    int32_t i32() { return int32_t(u32()); }
    int16_t i16()
    {
        if (at + 2 > data.size()) {
            over = true;
            at = data.size();
            return 0;
        }
        const int16_t v = int16_t(data[at] | (data[at + 1] << 8));
        at += 2;
        return v;
    }
    float f32()
    {
        const uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, 4);
        return std::isfinite(f) ? f : 0.0f;
    }
    QPointF point() { const double x = i32(); return {x, double(i32())}; }
    QRectF rect()
    {
        const double l = i32(), t = i32(), r = i32(), b = i32();
        return QRectF(QPointF(l, t), QPointF(r, b));
    }
    std::size_t left() const { return at < data.size() ? data.size() - at : 0; }
    QPolygonF points(std::size_t n, bool small)
    {
        n = std::min(n, left() / (small ? 4 : 8));
        QPolygonF poly;
        poly.reserve(qsizetype(n));
        for (std::size_t i = 0; i < n; ++i) {
            if (small) {
                const double x = i16();
                poly.append(QPointF(x, i16()));
            } else {
                poly.append(point());
            }
        }
        return poly;
    }
    // A part of the record given by offset and size from the record's start, or empty.
    std::span<const uint8_t> part(uint32_t offset, uint32_t size) const
    {
        if (offset > data.size() || size > data.size() - offset)
            return {};
        return data.subspan(offset, size);
    }
};

QTransform xformFrom(Rec &in)
{
    const double m11 = in.f32(), m12 = in.f32(), m21 = in.f32(), m22 = in.f32(), dx = in.f32(),
                 dy = in.f32();
    return QTransform(m11, m12, m21, m22, dx, dy);
}

void readLogFont(Rec &in, MetaFont &font, bool wide)
{
    font.height = in.i32();
    in.i32(); // width
    font.escapement = in.i32();
    in.i32(); // orientation
    font.weight = in.i32();
    const uint32_t flags = in.u32();
    font.italic = flags & 0xFF;
    font.underline = (flags >> 8) & 0xFF;
    font.strikeOut = (flags >> 16) & 0xFF;
    in.u32(); // precision, quality, pitch
    QString face;
    for (int i = 0; i < 32 && in.left() >= (wide ? 2u : 1u); ++i) {
        const uint16_t ch = wide ? uint16_t(in.i16()) : uint16_t(in.data[in.at++]);
        if (ch == 0)
            break;
        face.append(QChar(ch));
    }
    font.face = face;
}

QImage dibOf(const Rec &in, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits, uint32_t cbBits)
{
    const auto info = in.part(offBmi, cbBmi);
    const auto bits = in.part(offBits, cbBits);
    if (info.empty())
        return {};
    return imageFromDib(info, bits);
}

void playRecord(EmfCanvas &c, uint32_t type, Rec &in, PlayResult &result)
{
    using Arc = MetafileCanvas::ArcKind;
    switch (type) {
    case 2: case 3: case 4: case 5: case 6: // POLYBEZIER, POLYGON, POLYLINE, POLYBEZIERTO, POLYLINETO
    case 85: case 86: case 87: case 88: case 89: { // their 16-bit forms
        const bool small = type >= 85;
        in.rect();
        const QPolygonF pts = in.points(in.u32(), small);
        switch (small ? type - 83 : type) {
        case 2: c.polyBezier(pts, false); break;
        case 3: c.polygon(pts); break;
        case 4: c.polyline(pts); break;
        case 5: c.polyBezier(pts, true); break;
        default: c.polylineTo(pts); break;
        }
        break;
    }
    case 7: case 8: case 90: case 91: { // POLYPOLYLINE, POLYPOLYGON and 16-bit forms
        const bool small = type >= 90;
        in.rect();
        const uint32_t count = in.u32();
        in.u32(); // total points
        std::vector<uint32_t> sizes;
        for (uint32_t i = 0; i < count && in.left() >= 4; ++i)
            sizes.push_back(in.u32());
        std::vector<QPolygonF> polys;
        for (uint32_t n : sizes)
            polys.push_back(in.points(n, small));
        if (type == 8 || type == 91) {
            c.polyPolygon(polys);
        } else {
            for (const auto &poly : polys)
                c.polyline(poly);
        }
        break;
    }
    case 9: case 11: { // SETWINDOWEXTEX, SETVIEWPORTEXTEX
        const QPointF ext = in.point();
        if (ext.x() != 0 && ext.y() != 0)
            (type == 9 ? c.dc.windowExt : c.dc.viewportExt) = ext;
        c.mappingChanged();
        break;
    }
    case 10: c.dc.windowOrg = in.point(); c.mappingChanged(); break;
    case 12: c.dc.viewportOrg = in.point(); c.mappingChanged(); break;
    case 17: c.dc.mapMode = int(in.u32()); c.mappingChanged(); break; // SETMAPMODE
    case 18: c.dc.opaqueBk = in.u32() == 2; break; // SETBKMODE
    case 19: c.dc.winding = in.u32() == 2; break; // SETPOLYFILLMODE
    case 20: c.dc.rop2 = int(in.u32()); break; // SETROP2
    case 22: c.dc.textAlign = int(in.u32()); break; // SETTEXTALIGN
    case 24: c.dc.textColor = colorFromRef(in.u32()); break;
    case 25: c.dc.bkColor = colorFromRef(in.u32()); break;
    case 27: c.moveTo(in.point()); break; // MOVETOEX
    case 54: c.lineTo(in.point()); break; // LINETO
    case 29: c.excludeClip(in.rect()); break;
    case 30: c.intersectClip(in.rect()); break;
    case 31: case 32: { // SCALEVIEWPORTEXTEX, SCALEWINDOWEXTEX
        const double xNum = in.i32(), xDen = in.i32(), yNum = in.i32(), yDen = in.i32();
        if (xNum == 0 || xDen == 0 || yNum == 0 || yDen == 0)
            break;
        QPointF &ext = type == 31 ? c.dc.viewportExt : c.dc.windowExt;
        ext = QPointF(ext.x() * xNum / xDen, ext.y() * yNum / yDen);
        c.mappingChanged();
        break;
    }
    case 33: c.saveDc(); break;
    case 34: c.restoreDc(in.i32()); break;
    case 35: c.dc.world = xformFrom(in); c.mappingChanged(); break; // SETWORLDTRANSFORM
    case 36: { // MODIFYWORLDTRANSFORM
        const QTransform t = xformFrom(in);
        switch (in.u32()) {
        case 1: c.dc.world = QTransform(); break;
        case 2: c.dc.world = t * c.dc.world; break;
        case 3: c.dc.world = c.dc.world * t; break;
        case 4: c.dc.world = t; break;
        default: break;
        }
        c.mappingChanged();
        break;
    }
    case 37: c.selectObject(in.u32()); break;
    case 40: c.deleteObject(in.u32()); break;
    case 38: { // CREATEPEN
        const uint32_t index = in.u32();
        MetaObject o;
        o.kind = MetaObject::Pen;
        o.pen.style = int(in.u32());
        o.pen.width = in.i32();
        in.i32();
        o.pen.color = colorFromRef(in.u32());
        c.putObject(index, o);
        break;
    }
    case 95: { // EXTCREATEPEN
        const uint32_t index = in.u32();
        in.at += 16; // the bitmap of a patterned pen is not used
        MetaObject o;
        o.kind = MetaObject::Pen;
        const uint32_t style = in.u32();
        o.pen.style = int(style & 0xFFFF);
        // Cosmetic pens (type bits 0) are one pixel whatever their width says.
        const uint32_t width = in.u32();
        o.pen.width = (style & 0x00010000) ? double(width) : 0.0;
        const uint32_t brushStyle = in.u32();
        o.pen.color = colorFromRef(in.u32());
        if (brushStyle == 1)
            o.pen.style = 5;
        c.putObject(index, o);
        break;
    }
    case 39: { // CREATEBRUSHINDIRECT
        const uint32_t index = in.u32();
        MetaObject o;
        o.kind = MetaObject::Brush;
        const uint32_t style = in.u32();
        o.brush.color = colorFromRef(in.u32());
        o.brush.hatch = int(in.u32());
        o.brush.kind = style == 1 ? MetaBrush::Null : style == 2 ? MetaBrush::Hatched : MetaBrush::Solid;
        c.putObject(index, o);
        break;
    }
    case 93: case 94: { // CREATEMONOBRUSH, CREATEDIBPATTERNBRUSHPT
        const uint32_t index = in.u32();
        in.u32(); // usage
        const uint32_t offBmi = in.u32(), cbBmi = in.u32(), offBits = in.u32(), cbBits = in.u32();
        MetaObject o;
        o.kind = MetaObject::Brush;
        o.brush.kind = MetaBrush::Pattern;
        o.brush.color = Qt::black;
        o.brush.pattern = dibOf(in, offBmi, cbBmi, offBits, cbBits);
        c.putObject(index, o);
        break;
    }
    case 82: { // EXTCREATEFONTINDIRECTW
        const uint32_t index = in.u32();
        MetaObject o;
        o.kind = MetaObject::Font;
        readLogFont(in, o.font, true);
        c.putObject(index, o);
        break;
    }
    case 49: { // CREATEPALETTE: the slot is taken, colours are not needed on true-colour surfaces
        MetaObject o;
        o.kind = MetaObject::Other;
        c.putObject(in.u32(), o);
        break;
    }
    case 42: c.ellipse(in.rect()); break;
    case 43: c.rectangle(in.rect()); break;
    case 44: { // ROUNDRECT
        const QRectF r = in.rect();
        const QPointF corner = in.point();
        c.roundRect(r, QSizeF(corner.x(), corner.y()));
        break;
    }
    case 45: case 46: case 47: case 55: { // ARC, CHORD, PIE, ARCTO
        const QRectF box = in.rect();
        const QPointF start = in.point(), end = in.point();
        c.arc(box, start, end, type == 45 ? Arc::Arc : type == 46 ? Arc::Chord : type == 47 ? Arc::Pie : Arc::ArcTo);
        break;
    }
    case 41: { // ANGLEARC
        const QPointF centre = in.point();
        const double r = in.u32();
        const double a0 = double(in.f32()) * std::numbers::pi / 180;
        const double sweep = double(in.f32()) * std::numbers::pi / 180;
        const QRectF box(centre - QPointF(r, r), QSizeF(2 * r, 2 * r));
        const QPointF s = centre + QPointF(std::cos(a0), -std::sin(a0)) * r;
        const QPointF e = centre + QPointF(std::cos(a0 + sweep), -std::sin(a0 + sweep)) * r;
        const bool old = c.dc.clockwise;
        c.dc.clockwise = sweep < 0;
        c.arc(box, s, e, Arc::ArcTo);
        c.dc.clockwise = old;
        break;
    }
    case 57: c.dc.clockwise = in.u32() == 2; break; // SETARCDIRECTION
    case 15: { // SETPIXELV
        const QPointF pt = in.point();
        c.setPixel(pt, colorFromRef(in.u32()));
        break;
    }
    case 59: c.beginPath(); break;
    case 60: c.endPath(); break;
    case 61: c.closeFigure(); break;
    case 62: c.fillPath(true, false); break;
    case 63: c.fillPath(true, true); break;
    case 64: c.fillPath(false, true); break;
    case 67: c.selectClipPath(int(in.u32())); break;
    case 68: c.abortPath(); break;
    case 65: case 66: break; // FLATTENPATH, WIDENPATH: curves are drawn as curves anyway
    case 75: { // EXTSELECTCLIPRGN
        const uint32_t size = in.u32();
        const int mode = int(in.u32());
        if (size < 32) {
            if (mode == 5)
                c.resetClip();
            break;
        }
        in.u32(); // header size
        in.u32(); // type
        const uint32_t count = in.u32();
        in.u32();
        in.rect();
        QPainterPath region;
        region.setFillRule(Qt::WindingFill);
        for (uint32_t i = 0; i < count && in.left() >= 16; ++i)
            region.addRect(in.rect().normalized());
        // Regions are in device units of the reference device, before the frame is fitted.
        EmfCanvas &e = c;
        const QRectF to = e.target();
        QTransform fit = QTransform::fromTranslate(to.x(), to.y());
        if (e.frame.width() > 0 && e.frame.height() > 0) {
            const double sx = to.width() / e.frame.width(), sy = to.height() / e.frame.height();
            fit = QTransform(sx, 0, 0, sy, to.x() - e.frame.x() * sx, to.y() - e.frame.y() * sy);
        }
        c.selectClip(fit.map(region), mode, false);
        break;
    }
    case 83: case 84: { // EXTTEXTOUTA, EXTTEXTOUTW
        in.rect();
        in.u32(); // graphics mode
        in.f32();
        in.f32();
        const QPointF ref = in.point();
        const uint32_t chars = in.u32();
        const uint32_t offString = in.u32();
        const int options = int(in.u32());
        const QRectF rect = in.rect();
        const uint32_t offDx = in.u32();
        const bool wide = type == 84;
        if (chars > (1u << 20))
            break;
        const auto str = in.part(offString, chars * (wide ? 2 : 1));
        if (str.size() != chars * (wide ? 2u : 1u)) {
            ++result.skipped;
            break;
        }
        QString text;
        if (wide) {
            text.resize(qsizetype(chars));
            for (uint32_t i = 0; i < chars; ++i)
                text[qsizetype(i)] = QChar(uint16_t(str[2 * i] | (str[2 * i + 1] << 8)));
        } else {
            text = QString::fromStdString(
                Cp1252ToUtf8(std::string(reinterpret_cast<const char *>(str.data()), str.size())));
        }
        // Glyph numbers of a font we do not have cannot be turned back into letters.
        if (options & 0x10)
            break;
        // With vertical spacing each letter has an x and a y advance.
        const uint32_t step = (options & 0x2000) ? 8 : 4;
        std::vector<double> dx;
        const auto dxBytes = in.part(offDx, chars * step);
        if (offDx != 0 && dxBytes.size() == chars * step)
            for (uint32_t i = 0; i < chars; ++i) {
                const uint8_t *d = dxBytes.data() + i * step;
                dx.push_back(int32_t(d[0] | (d[1] << 8) | (d[2] << 16) | (uint32_t(d[3]) << 24)));
            }
        c.text(ref, text, dx, options, rect);
        break;
    }
    case 56: case 92: { // POLYDRAW, POLYDRAW16: points, then one type byte for each
        const bool small = type == 92;
        in.rect();
        const uint32_t n = in.u32();
        const QPolygonF pts = in.points(n, small);
        if (in.left() < std::size_t(pts.size()))
            break;
        const std::span<const uint8_t> kinds = in.data.subspan(in.at, std::size_t(pts.size()));
        for (qsizetype i = 0; i < pts.size(); ++i) {
            const uint8_t kind = kinds[std::size_t(i)];
            switch (kind & ~1) {
            case 6: c.moveTo(pts[i]); break; // PT_MOVETO
            case 2: c.lineTo(pts[i]); break; // PT_LINETO
            case 4: // PT_BEZIERTO, in threes
                if (i + 2 < pts.size()) {
                    c.polyBezier(QPolygonF({pts[i], pts[i + 1], pts[i + 2]}), true);
                    i += 2;
                }
                break;
            default: break;
            }
            if ((kind & 1) && c.inPath)
                c.closeFigure();
        }
        break;
    }
    case 116: { // TRANSPARENTBLT: one colour of the source is left out
        in.rect();
        const QPointF at = in.point();
        const double w = in.i32(), h = in.i32();
        const QColor key = colorFromRef(in.u32());
        in.point();
        in.at += 24;
        in.u32();
        in.u32();
        const uint32_t offBmi = in.u32(), cbBmi = in.u32(), offBits = in.u32(), cbBits = in.u32();
        QImage image = dibOf(in, offBmi, cbBmi, offBits, cbBits).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            ++result.skipped;
            break;
        }
        const QRgb keyRgb = key.rgb() & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((row[x] & 0xFFFFFF) == keyRgb)
                    row[x] = 0;
        }
        c.bitmap(QRectF(at, QSizeF(w, h)), image, QRectF(image.rect()), 0x00CC0020);
        break;
    }
    case 76: case 77: case 114: { // BITBLT, STRETCHBLT, ALPHABLEND
        in.rect();
        const QPointF at = in.point();
        const double w = in.i32(), h = in.i32();
        const uint32_t rop = type == 114 ? 0x00CC0020 : in.u32();
        const uint32_t blend = type == 114 ? in.u32() : 0;
        in.point(); // source origin, in the source device's units
        in.at += 24; // source transform
        in.u32(); // background colour
        in.u32(); // usage
        const uint32_t offBmi = in.u32(), cbBmi = in.u32(), offBits = in.u32(), cbBits = in.u32();
        const QRectF dest(at, QSizeF(w, h));
        if (cbBmi == 0) {
            c.patBlt(dest, rop);
            break;
        }
        // Per-pixel alpha: the blend function's format byte says the source carries it.
        const QImage image = (blend >> 24) & 1
            ? imageFromDibWithAlpha(in.part(offBmi, cbBmi), in.part(offBits, cbBits))
            : dibOf(in, offBmi, cbBmi, offBits, cbBits);
        if (image.isNull()) {
            ++result.skipped;
            break;
        }
        c.bitmap(dest, image, QRectF(image.rect()), rop);
        break;
    }
    case 81: { // STRETCHDIBITS
        in.rect();
        const QPointF at = in.point();
        const double xSrc = in.i32(), ySrc = in.i32(), cxSrc = in.i32(), cySrc = in.i32();
        const uint32_t offBmi = in.u32(), cbBmi = in.u32(), offBits = in.u32(), cbBits = in.u32();
        in.u32(); // usage
        const uint32_t rop = in.u32();
        const double cx = in.i32(), cy = in.i32();
        const QImage image = dibOf(in, offBmi, cbBmi, offBits, cbBits);
        if (image.isNull()) {
            ++result.skipped;
            break;
        }
        const double top = dibIsBottomUp(in.part(offBmi, cbBmi)) ? image.height() - ySrc - cySrc : ySrc;
        c.bitmap(QRectF(at, QSizeF(cx, cy)), image, QRectF(xSrc, top, cxSrc, cySrc), rop);
        break;
    }
    case 80: { // SETDIBITSTODEVICE
        in.rect();
        const QPointF at = in.point();
        const double xSrc = in.i32(), ySrc = in.i32(), cx = in.i32(), cy = in.i32();
        const uint32_t offBmi = in.u32(), cbBmi = in.u32(), offBits = in.u32(), cbBits = in.u32();
        const QImage image = dibOf(in, offBmi, cbBmi, offBits, cbBits);
        const double top = dibIsBottomUp(in.part(offBmi, cbBmi)) ? image.height() - ySrc - cy : ySrc;
        c.bitmap(QRectF(at, QSizeF(cx, cy)), image, QRectF(xSrc, top, cx, cy), 0x00CC0020);
        break;
    }
    case 13: case 16: case 21: case 23: case 26: case 28: case 48: case 50: case 51: case 52:
    case 58: case 70: case 98: case 99: case 100: case 101: case 102: case 103: case 104: case 115:
        break; // state that has no effect on how we draw, and comments
    default: ++result.skipped; break;
    }
}

} // namespace

PlayResult playEmf(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes)
{
    PlayResult result;
    if (metafileKind(bytes) != MetafileKind::Emf)
        return result;
    Rec header{bytes.first(std::min<std::size_t>(bytes.size(), 108)), 8};
    header.rect(); // bounds
    const QRectF frameMm = header.rect(); // 0.01 mm
    header.at = 72;
    const double devX = header.i32(), devY = header.i32(), mmX = header.i32(), mmY = header.i32();
    EmfCanvas canvas(painter, target);
    if (devX > 0 && mmX > 0 && devY > 0 && mmY > 0)
        canvas.pixelsPerMm = devX / mmX;
    const double kx = (devX > 0 && mmX > 0) ? devX / mmX : canvas.pixelsPerMm;
    const double ky = (devY > 0 && mmY > 0) ? devY / mmY : canvas.pixelsPerMm;
    canvas.frame = QRectF(frameMm.left() * kx / 100, frameMm.top() * ky / 100,
                          frameMm.width() * kx / 100, frameMm.height() * ky / 100)
                       .normalized();
    canvas.mappingChanged();
    result.ok = true;

    uint32_t first = 0;
    std::memcpy(&first, bytes.data() + 4, 4);
    std::size_t at = std::min<std::size_t>(first, bytes.size());
    if (at < 88)
        at = bytes.size(); // a header that claims less than itself is damage
    while (at + 8 <= bytes.size()) {
        uint32_t type = 0, size = 0;
        std::memcpy(&type, bytes.data() + at, 4);
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (size < 8 || type == 14) // damaged size, or EOF
            break;
        const std::size_t len = std::min<std::size_t>(size, bytes.size() - at);
        Rec rec{bytes.subspan(at, len), 8};
        ++result.records;
        playRecord(canvas, type, rec, result);
        if (rec.over)
            ++result.skipped;
        at += len;
    }
    return result;
}

} // namespace velmora
