// Windows metafile records. Parameters of most records are stored last-first (bottom, right,
// top, left), as the 16-bit system pushed them.
#include "imaging/Dib.h"
#include "imaging/MetafileCanvas.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/RasterImage.h"

#include "common/Cp1252.h"

namespace velmora {

namespace {

// Device pixels per logical unit of the fixed mapping modes, at 96 per inch.
double fixedModeScale(int mode)
{
    switch (mode) {
    case 2: return 96.0 / 254.0;  // 0.1 mm
    case 3: return 96.0 / 2540.0; // 0.01 mm
    case 4: return 96.0 / 100.0;  // 0.01 inch
    case 5: return 96.0 / 1000.0; // 0.001 inch
    case 6: return 96.0 / 1440.0; // twips
    default: return 1.0;
    }
}

QTransform rectToRect(const QRectF &from, const QRectF &to)
{
    if (from.width() == 0 || from.height() == 0)
        return QTransform::fromTranslate(to.x() - from.x(), to.y() - from.y());
    const double sx = to.width() / from.width(), sy = to.height() / from.height();
    return QTransform(sx, 0, 0, sy, to.x() - from.x() * sx, to.y() - from.y() * sy);
}

class WmfCanvas final : public MetafileCanvas {
public:
    WmfCanvas(QPainter &painter, const QRectF &target) : MetafileCanvas(painter, target)
    {
        // Pictures are played as the word processors play them: the window the file sets
        // is stretched over the target.
        dc.mapMode = 8;
    }
    bool hasBox = false;
    QRectF box;

    QTransform logicalToTarget() const override
    {
        const int mode = dc.mapMode;
        const QRectF windowRect(dc.windowOrg, QSizeF(dc.windowExt.x(), dc.windowExt.y()));
        if ((mode == 7 || mode == 8) && !dc.viewportSet) {
            if (dc.windowSet)
                return isotropic(rectToRect(windowRect, target()));
            return rectToRect(hasBox ? box : target(), target());
        }
        // The file places itself on a device of its own: map that, then fit its frame.
        QTransform page;
        if (mode == 7 || mode == 8) {
            const double sx = dc.windowExt.x() != 0 ? dc.viewportExt.x() / dc.windowExt.x() : 1;
            const double sy = dc.windowExt.y() != 0 ? dc.viewportExt.y() / dc.windowExt.y() : 1;
            page = QTransform(sx, 0, 0, sy, dc.viewportOrg.x() - dc.windowOrg.x() * sx,
                              dc.viewportOrg.y() - dc.windowOrg.y() * sy);
        } else {
            const double k = fixedModeScale(mode);
            const double ky = mode == 1 ? k : -k; // the fixed modes count y upwards
            page = QTransform(k, 0, 0, ky, dc.viewportOrg.x() - dc.windowOrg.x() * k,
                              dc.viewportOrg.y() - dc.windowOrg.y() * ky);
        }
        QRectF frame;
        if (hasBox)
            frame = page.mapRect(box);
        else if (dc.viewportSet)
            frame = QRectF(dc.viewportOrg, QSizeF(dc.viewportExt.x(), dc.viewportExt.y())).normalized();
        else
            frame = QRectF(QPointF(0, 0), target().size());
        return page * rectToRect(frame, target());
    }

private:
    QTransform isotropic(QTransform t) const
    {
        if (dc.mapMode != 7)
            return t;
        const double s = std::min(std::abs(t.m11()), std::abs(t.m22()));
        const double sx = t.m11() < 0 ? -s : s, sy = t.m22() < 0 ? -s : s;
        const QPointF o = t.map(dc.windowOrg);
        return QTransform(sx, 0, 0, sy, o.x() - dc.windowOrg.x() * sx, o.y() - dc.windowOrg.y() * sy);
    }
};

// One record's parameter words.
struct Params {
    std::span<const uint8_t> data;
    std::size_t at = 0;
    bool over = false;
    std::size_t words() const { return data.size() / 2; }
    int16_t i16()
    {
        if (at >= data.size() || data.size() - at < 2) {
            over = true;
            at = data.size();
            return 0;
        }
        const int16_t v = int16_t(data[at] | (data[at + 1] << 8));
        at += 2;
        return v;
    }
    uint16_t u16() { return uint16_t(i16()); }
    uint32_t u32() { const uint32_t lo = u16(); return lo | (uint32_t(u16()) << 16); }
    QPointF yx() { const double y = i16(); return {double(i16()), y}; }
    QRectF rect() // bottom, right, top, left
    {
        const double b = i16(), r = i16(), t = i16(), l = i16();
        return QRectF(QPointF(l, t), QPointF(r, b));
    }
    std::span<const uint8_t> rest() const { return data.subspan(std::min(at, data.size())); }
    QPolygonF points(std::size_t n)
    {
        QPolygonF poly;
        n = std::min(n, (data.size() - std::min(at, data.size())) / 4);
        poly.reserve(qsizetype(n));
        for (std::size_t i = 0; i < n; ++i) {
            const double x = i16();
            poly.append(QPointF(x, i16()));
        }
        return poly;
    }
};

QPainterPath regionFromRecord(Params &in)
{
    // nextInChain, objectType, objectCount, regionSize, scanCount, maxScan, bounding box,
    // then scans of (count, top, bottom, count x-coordinates, count again).
    in.i16();
    in.i16();
    in.u32();
    in.i16();
    const int scans = in.u16();
    in.i16();
    const double l = in.i16(), t = in.i16(), r = in.i16(), b = in.i16();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int s = 0; s < scans && !in.over; ++s) {
        const int count = in.u16();
        const double top = in.i16(), bottom = in.i16();
        for (int i = 0; i + 1 < count && !in.over; i += 2) {
            const double left = in.i16(), right = in.i16();
            path.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
        }
        if (count % 2)
            in.i16();
        in.u16();
    }
    if (scans == 0)
        path.addRect(QRectF(QPointF(l, t), QPointF(r, b)));
    return path;
}

// The 16-bit system's device bitmap: rows top-down, padded to 16 bits, 1 or 24/32 bits a pixel.
QImage imageFromBitmap16(Params &in)
{
    in.i16(); // type
    const int w = in.i16(), h = in.i16(), stride = in.i16();
    const auto planesAndBits = in.rest();
    if (planesAndBits.size() < 2 || !checkPictureSize(w, h).empty() || stride <= 0)
        return {};
    const int bits = planesAndBits[1];
    const auto data = planesAndBits.subspan(2);
    if ((bits != 1 && bits != 24 && bits != 32) || int64_t(stride) * 8 < int64_t(w) * bits
        || int64_t(stride) * h > int64_t(data.size()))
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const uint8_t *row = data.data() + std::size_t(stride) * std::size_t(y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (bits == 1) {
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            } else {
                const uint8_t *p = row + x * (bits / 8);
                out[x] = qRgb(p[2], p[1], p[0]);
            }
        }
    }
    return image;
}

QString textFrom(std::span<const uint8_t> bytes)
{
    const std::string s(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    return QString::fromStdString(Cp1252ToUtf8(s));
}

void playRecord(WmfCanvas &c, uint16_t function, Params &in, PlayResult &result)
{
    switch (function) {
    case 0x0102: c.dc.opaqueBk = in.u16() == 2; break; // SETBKMODE
    case 0x0103: c.dc.mapMode = in.u16(); c.mappingChanged(); break; // SETMAPMODE
    case 0x0104: c.dc.rop2 = in.u16(); break; // SETROP2
    case 0x0106: c.dc.winding = in.u16() == 2; break; // SETPOLYFILLMODE
    case 0x012E: c.dc.textAlign = in.u16(); break; // SETTEXTALIGN
    case 0x0201: c.dc.bkColor = colorFromRef(in.u32()); break; // SETBKCOLOR
    case 0x0209: c.dc.textColor = colorFromRef(in.u32()); break; // SETTEXTCOLOR
    case 0x020B: c.dc.windowOrg = in.yx(); c.mappingChanged(); break; // SETWINDOWORG
    case 0x020C: { // SETWINDOWEXT
        const QPointF ext = in.yx();
        if (ext.x() != 0 && ext.y() != 0) {
            c.dc.windowExt = ext;
            c.dc.windowSet = true;
            c.mappingChanged();
        }
        break;
    }
    case 0x020D: c.dc.viewportOrg = in.yx(); c.mappingChanged(); break; // SETVIEWPORTORG
    case 0x020E: { // SETVIEWPORTEXT
        const QPointF ext = in.yx();
        if (ext.x() != 0 && ext.y() != 0) {
            c.dc.viewportExt = ext;
            c.dc.viewportSet = true;
            c.mappingChanged();
        }
        break;
    }
    case 0x020F: c.dc.windowOrg += in.yx(); c.mappingChanged(); break; // OFFSETWINDOWORG
    case 0x0211: c.dc.viewportOrg += in.yx(); c.mappingChanged(); break; // OFFSETVIEWPORTORG
    case 0x0410:   // SCALEWINDOWEXT
    case 0x0412: { // SCALEVIEWPORTEXT
        const double yDen = in.i16(), yNum = in.i16(), xDen = in.i16(), xNum = in.i16();
        if (xDen == 0 || yDen == 0 || xNum == 0 || yNum == 0)
            break;
        QPointF &ext = function == 0x0410 ? c.dc.windowExt : c.dc.viewportExt;
        ext = QPointF(ext.x() * xNum / xDen, ext.y() * yNum / yDen);
        c.mappingChanged();
        break;
    }
    case 0x001E: c.saveDc(); break; // SAVEDC
    case 0x0127: c.restoreDc(in.i16()); break; // RESTOREDC
    case 0x0213: c.lineTo(in.yx()); break; // LINETO
    case 0x0214: c.moveTo(in.yx()); break; // MOVETO
    case 0x0324: // POLYGON
    case 0x0325: { // POLYLINE
        const int n = in.i16();
        const QPolygonF poly = in.points(std::size_t(std::max(n, 0)));
        function == 0x0324 ? c.polygon(poly) : c.polyline(poly);
        break;
    }
    case 0x0538: { // POLYPOLYGON
        const int count = in.u16();
        std::vector<int> sizes;
        for (int i = 0; i < count && !in.over; ++i)
            sizes.push_back(in.u16());
        std::vector<QPolygonF> polys;
        for (int n : sizes)
            polys.push_back(in.points(std::size_t(n)));
        c.polyPolygon(polys);
        break;
    }
    case 0x041B: c.rectangle(in.rect()); break; // RECTANGLE
    case 0x0418: c.ellipse(in.rect()); break; // ELLIPSE
    case 0x061C: { // ROUNDRECT
        const double h = in.i16(), w = in.i16();
        c.roundRect(in.rect(), QSizeF(w, h));
        break;
    }
    case 0x0817: // ARC
    case 0x081A: // PIE
    case 0x0830: { // CHORD
        const QPointF end = in.yx(), start = in.yx();
        const QRectF box = in.rect();
        c.arc(box, start, end, function == 0x0817 ? MetafileCanvas::ArcKind::Arc
                               : function == 0x081A ? MetafileCanvas::ArcKind::Pie
                                                    : MetafileCanvas::ArcKind::Chord);
        break;
    }
    case 0x041F: { // SETPIXEL
        const QColor colour = colorFromRef(in.u32());
        c.setPixel(in.yx(), colour);
        break;
    }
    case 0x0521: { // TEXTOUT
        const int n = std::max<int>(in.i16(), 0);
        const auto rest = in.rest();
        if (std::size_t(n) > rest.size())
            break;
        const QString text = textFrom(rest.first(std::size_t(n)));
        in.at += std::size_t((n + 1) / 2 * 2);
        c.text(in.yx(), text, {}, 0, {});
        break;
    }
    case 0x0A32: { // EXTTEXTOUT
        const QPointF ref = in.yx();
        const int n = std::max<int>(in.i16(), 0);
        const int options = in.u16();
        QRectF rect;
        if (options & 6) {
            const double l = in.i16(), t = in.i16(), r = in.i16(), b = in.i16();
            rect = QRectF(QPointF(l, t), QPointF(r, b));
        }
        const auto rest = in.rest();
        if (std::size_t(n) > rest.size())
            break;
        const QString text = textFrom(rest.first(std::size_t(n)));
        in.at += std::size_t((n + 1) / 2 * 2);
        std::vector<double> dx;
        if (in.words() * 2 >= in.at + std::size_t(n) * 2)
            for (int i = 0; i < n; ++i)
                dx.push_back(in.i16());
        c.text(ref, text, dx, options, rect);
        break;
    }
    case 0x02FA: { // CREATEPENINDIRECT
        MetaObject o;
        o.kind = MetaObject::Pen;
        o.pen.style = in.u16();
        o.pen.width = in.i16();
        in.i16();
        o.pen.color = colorFromRef(in.u32());
        c.addObject(o);
        break;
    }
    case 0x02FC: { // CREATEBRUSHINDIRECT
        MetaObject o;
        o.kind = MetaObject::Brush;
        const int style = in.u16();
        o.brush.color = colorFromRef(in.u32());
        o.brush.hatch = in.u16();
        o.brush.kind = style == 1 ? MetaBrush::Null : style == 2 ? MetaBrush::Hatched : MetaBrush::Solid;
        c.addObject(o);
        break;
    }
    case 0x0142: { // DIBCREATEPATTERNBRUSH
        MetaObject o;
        o.kind = MetaObject::Brush;
        in.u16();
        in.u16();
        o.brush.kind = MetaBrush::Pattern;
        o.brush.pattern = imageFromPackedDib(in.rest());
        o.brush.color = Qt::black;
        c.addObject(o);
        break;
    }
    case 0x02FB: { // CREATEFONTINDIRECT
        MetaObject o;
        o.kind = MetaObject::Font;
        o.font.height = in.i16();
        in.i16(); // width
        o.font.escapement = in.i16();
        in.i16(); // orientation
        o.font.weight = in.i16();
        const auto flags = in.rest();
        if (flags.size() >= 8) {
            o.font.italic = flags[0];
            o.font.underline = flags[1];
            o.font.strikeOut = flags[2];
            const auto face = flags.subspan(8, std::min<std::size_t>(32, flags.size() - 8));
            std::size_t len = 0;
            while (len < face.size() && face[len] != 0)
                ++len;
            o.font.face = textFrom(face.first(len));
        }
        c.addObject(o);
        break;
    }
    case 0x06FF: { // CREATEREGION
        MetaObject o;
        o.kind = MetaObject::Region;
        o.region = regionFromRecord(in);
        c.addObject(o);
        break;
    }
    case 0x00F7: // CREATEPALETTE
    case 0x01F9: { // CREATEPATTERNBRUSH (old device bitmaps): a slot is still taken
        MetaObject o;
        o.kind = function == 0x01F9 ? MetaObject::Brush : MetaObject::Other;
        o.brush.color = Qt::gray;
        c.addObject(o);
        break;
    }
    case 0x012D: c.selectObject(in.u16()); break; // SELECTOBJECT
    case 0x01F0: c.deleteObject(in.u16()); break; // DELETEOBJECT
    case 0x012C: { // SELECTCLIPREGION
        const uint16_t index = in.u16();
        if (index < c.objects.size() && c.objects[index].kind == MetaObject::Region)
            c.selectClip(c.objects[index].region, 5);
        else
            c.resetClip();
        break;
    }
    case 0x0228: { // FILLREGION
        const uint16_t region = in.u16(), brush = in.u16();
        if (region < c.objects.size() && brush < c.objects.size()
            && c.objects[region].kind == MetaObject::Region && c.objects[brush].kind == MetaObject::Brush)
            c.fillRegion(c.objects[region].region, c.objects[brush].brush);
        break;
    }
    case 0x0416: c.intersectClip(in.rect()); break; // INTERSECTCLIPRECT
    case 0x0415: c.excludeClip(in.rect()); break; // EXCLUDECLIPRECT
    case 0x061D: { // PATBLT
        const uint32_t rop = in.u32();
        const double h = in.i16(), w = in.i16();
        const QPointF at = in.yx();
        c.patBlt(QRectF(at, QSizeF(w, h)), rop);
        break;
    }
    case 0x0940:   // DIBBITBLT
    case 0x0B41:   // DIBSTRETCHBLT
    case 0x0F43: { // STRETCHDIB
        const std::size_t fixedWords = function == 0x0940 ? 8 : function == 0x0B41 ? 10 : 11;
        const uint32_t rop = in.u32();
        if (function == 0x0F43)
            in.u16(); // colour usage
        if (in.words() <= fixedWords) {
            // No bitmap: a pattern fill of the destination (the last four words).
            if (in.words() < 4)
                break; // not even the destination
            in.at = (in.words() - 4) * 2;
            const double h = in.i16(), w = in.i16();
            c.patBlt(QRectF(in.yx(), QSizeF(w, h)), rop);
            break;
        }
        double srcH = 0, srcW = 0;
        if (function != 0x0940) {
            srcH = in.i16();
            srcW = in.i16();
        }
        const double ySrc = in.i16(), xSrc = in.i16();
        const double h = in.i16(), w = in.i16();
        const QPointF at = in.yx();
        if (function == 0x0940) {
            srcW = w;
            srcH = h;
        }
        const auto dib = in.rest();
        const QImage image = imageFromPackedDib(dib);
        if (image.isNull()) {
            ++result.skipped;
            break;
        }
        // StretchDIBits counts its source rows from the bottom of a bottom-up bitmap.
        double top = ySrc;
        if (function == 0x0F43 && dibIsBottomUp(dib))
            top = image.height() - ySrc - srcH;
        c.bitmap(QRectF(at, QSizeF(w, h)), image, QRectF(xSrc, top, srcW, srcH), rop);
        break;
    }
    case 0x0922:   // BITBLT
    case 0x0B23: { // STRETCHBLT, both with an old device bitmap
        const bool stretch = function == 0x0B23;
        const uint32_t rop = in.u32();
        if (in.words() <= (stretch ? 10u : 8u)) {
            if (in.words() < 4)
                break; // not even the destination
            in.at = (in.words() - 4) * 2;
            const double h = in.i16(), w = in.i16();
            c.patBlt(QRectF(in.yx(), QSizeF(w, h)), rop);
            break;
        }
        double srcH = 0, srcW = 0;
        if (stretch) {
            srcH = in.i16();
            srcW = in.i16();
        }
        const double ySrc = in.i16(), xSrc = in.i16();
        const double h = in.i16(), w = in.i16();
        const QPointF at = in.yx();
        if (!stretch) {
            srcW = w;
            srcH = h;
        }
        const QImage image = imageFromBitmap16(in);
        if (image.isNull()) {
            ++result.skipped;
            break;
        }
        c.bitmap(QRectF(at, QSizeF(w, h)), image, QRectF(xSrc, ySrc, srcW, srcH), rop);
        break;
    }
    case 0x0D33: { // SETDIBTODEV
        in.u16(); // colour usage
        in.u16(); // scan count
        in.u16(); // first scan
        const double yDib = in.i16(), xDib = in.i16();
        const double h = in.i16(), w = in.i16();
        const QPointF at = in.yx();
        const auto dib = in.rest();
        const QImage image = imageFromPackedDib(dib);
        const double top = dibIsBottomUp(dib) ? image.height() - yDib - h : yDib;
        c.bitmap(QRectF(at, QSizeF(w, h)), image, QRectF(xDib, top, w, h), 0x00CC0020);
        break;
    }
    default: ++result.skipped; break;
    }
}

} // namespace

PlayResult playWmf(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes)
{
    PlayResult result;
    ByteReader in(bytes);
    WmfCanvas canvas(painter, target);
    if (in.u32() == kPlaceableKey) {
        in.skip(2);
        const double l = in.i16(), t = in.i16(), r = in.i16(), b = in.i16();
        canvas.box = QRectF(QPointF(l, t), QPointF(r, b));
        canvas.hasBox = canvas.box.width() != 0 && canvas.box.height() != 0;
        in.seek(22);
    } else {
        in.seek(0);
    }
    const std::size_t header = in.pos();
    const uint16_t type = in.u16();
    const uint16_t headerWords = in.u16();
    in.skip(6);
    const uint16_t objectCount = in.u16();
    if (in.overrun() || (type != 1 && type != 2) || headerWords < 9)
        return result;
    result.ok = true;
    canvas.setObjectTableSize(objectCount);
    canvas.mappingChanged();

    std::size_t at = header + std::size_t(headerWords) * 2;
    while (at + 6 <= bytes.size()) {
        const uint32_t words = uint32_t(bytes[at]) | (uint32_t(bytes[at + 1]) << 8)
            | (uint32_t(bytes[at + 2]) << 16) | (uint32_t(bytes[at + 3]) << 24);
        const uint16_t function = uint16_t(bytes[at + 4] | (bytes[at + 5] << 8));
        if (function == 0 || words < 3)
            break; // end of file, or damage that no later record can be found behind
        const std::size_t size = std::min<std::size_t>(std::size_t(words) * 2, bytes.size() - at);
        Params params{bytes.subspan(at + 6, size - 6)};
        ++result.records;
        playRecord(canvas, function, params, result);
        if (params.over)
            ++result.skipped;
        at += size;
    }
    return result;
}

} // namespace velmora
