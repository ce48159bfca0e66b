// Draws the clip art that ships in the "ClipArt" folder:
//   make_clipart OUTPUT_FOLDER [SHEET.png]
// Each picture is a list of simple shapes (polygons, polylines, ellipses, rectangles, rounded
// rectangles and text, each with a pen and a brush) on a 200 × 200 unit square. One list is
// written as a Windows metafile (.wmf, with the placeable header), an enhanced metafile
// (.emf), an SVG drawing or a PNG picture; the metafile records are written here directly,
// keeping to the records every player knows.
#include "clipart_scene.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr int kUnits = clipart::kUnits;
constexpr int kUnitsPerInch = 100;
constexpr int kPngSize = 400;

using Bytes = std::vector<uint8_t>;
using namespace clipart;



// ---- Windows metafile ---------------------------------------------------------------------

void put16(Bytes &b, uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); }
void put32(Bytes &b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }
uint32_t colorRef(QRgb c) { return uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16; }

// Slots of a metafile's object table: a new object takes the lowest free one.
class TObjectTable
{
public:
    int create()
    {
        for (size_t i = 0; i < used_.size(); ++i)
            if (!used_[i]) { used_[i] = true; return int(i); }
        used_.push_back(true);
        return int(used_.size() - 1);
    }
    void release(int i) { used_[size_t(i)] = false; }
    int size() const { return int(used_.size()); }

private:
    std::vector<bool> used_;
};

class TWmfWriter
{
public:
    Bytes write(const TScene &scene)
    {
        record(0x020B, {0, 0});                          // SETWINDOWORG (y, x)
        record(0x020C, {kUnits, kUnits});                // SETWINDOWEXT (y, x)
        record(0x0102, {1});                             // SETBKMODE transparent
        record(0x0106, {2});                             // SETPOLYFILLMODE winding
        record(0x012E, {6 | 24});                        // SETTEXTALIGN centre, baseline
        for (const TShape &s : scene.shapes) draw(s);
        if (pen_ >= 0) record(0x01F0, {uint32_t(pen_)});
        if (brush_ >= 0) record(0x01F0, {uint32_t(brush_)});
        record(0x0000, {});                              // EOF

        Bytes header;
        put16(header, 1);                                // the type files carry
        put16(header, 9);
        put16(header, 0x0300);
        put32(header, uint32_t((18 + body_.size()) / 2));
        put16(header, uint32_t(objects_.size()));
        put32(header, maxRecord_);
        put16(header, 0);

        Bytes file;
        put32(file, 0x9AC6CDD7u);                        // placeable header
        put16(file, 0);
        for (int v : {0, 0, kUnits, kUnits}) put16(file, uint32_t(v));
        put16(file, kUnitsPerInch);
        put32(file, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(file[i] | file[i + 1] << 8);
        put16(file, sum);
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), body_.begin(), body_.end());
        return file;
    }

private:
    void record(uint16_t function, const std::vector<uint32_t> &words, const Bytes &raw = {})
    {
        const uint32_t size = uint32_t(3 + words.size() + raw.size() / 2);
        put32(body_, size);
        put16(body_, function);
        for (uint32_t w : words) put16(body_, w & 0xFFFF);
        body_.insert(body_.end(), raw.begin(), raw.end());
        maxRecord_ = std::max(maxRecord_, size);
    }
    void select(const TPen &pen, const TBrush &brush)
    {
        if (pen_ < 0 || !(pen == currentPen_)) {
            const int slot = objects_.create();
            // CREATEPENINDIRECT: style (solid or none), width as a point, colour.
            const uint32_t c = colorRef(pen.color);
            record(0x02FA, {pen.width > 0 ? 0u : 5u, uint32_t(pen.width), 0, c & 0xFFFF, c >> 16});
            record(0x012D, {uint32_t(slot)});
            if (pen_ >= 0) { record(0x01F0, {uint32_t(pen_)}); objects_.release(pen_); }
            pen_ = slot;
            currentPen_ = pen;
        }
        if (brush_ < 0 || !(brush == currentBrush_)) {
            const int slot = objects_.create();
            const uint32_t c = colorRef(brush.color);
            record(0x02FC, {brush.hollow ? 1u : 0u, c & 0xFFFF, c >> 16, 0});
            record(0x012D, {uint32_t(slot)});
            if (brush_ >= 0) { record(0x01F0, {uint32_t(brush_)}); objects_.release(brush_); }
            brush_ = slot;
            currentBrush_ = brush;
        }
    }
    void draw(const TShape &s)
    {
        if (s.kind == TShape::Text) { text(s); return; }
        select(s.pen, s.brush);
        const QRect &r = s.box;
        const uint32_t l = uint32_t(r.left()), t = uint32_t(r.top()), rt = uint32_t(r.right() + 1),
                       b = uint32_t(r.bottom() + 1);
        switch (s.kind) {
        case TShape::Polygon:
        case TShape::Polyline: {
            std::vector<uint32_t> w{uint32_t(s.points.size())};
            for (const QPoint &p : s.points) { w.push_back(uint32_t(p.x())); w.push_back(uint32_t(p.y())); }
            record(s.kind == TShape::Polygon ? 0x0324 : 0x0325, w);
            break;
        }
        case TShape::Ellipse: record(0x0418, {b, rt, t, l}); break;
        case TShape::Rectangle: record(0x041B, {b, rt, t, l}); break;
        case TShape::RoundRect:
            record(0x061C, {uint32_t(s.corner), uint32_t(s.corner), b, rt, t, l});
            break;
        case TShape::Text: break;
        }
    }
    void text(const TShape &s)
    {
        // CREATEFONTINDIRECT: a LOGFONT of 16-bit fields and a 32-byte face name.
        Bytes font;
        put16(font, uint32_t(-s.textHeight) & 0xFFFF);
        put16(font, 0);
        put16(font, 0);
        put16(font, 0);
        put16(font, s.bold ? 700 : 400);
        for (int i = 0; i < 8; ++i) font.push_back(0); // italic .. pitch and family
        font[16] = 4;                                    // antialiased quality
        const QByteArray face("Liberation Sans");
        for (int i = 0; i < 32; ++i) font.push_back(i < face.size() ? uint8_t(face[i]) : 0);
        const int slot = objects_.create();
        record(0x02FB, {}, font);
        record(0x012D, {uint32_t(slot)});
        const uint32_t c = colorRef(s.pen.color);
        record(0x0209, {c & 0xFFFF, c >> 16});           // SETTEXTCOLOR
        const QByteArray latin1 = s.text.toLatin1();
        Bytes str(latin1.begin(), latin1.end());
        const uint32_t length = uint32_t(str.size());
        if (str.size() % 2) str.push_back(0);
        Bytes raw;
        put16(raw, length);
        raw.insert(raw.end(), str.begin(), str.end());
        put16(raw, uint32_t(s.points[0].y()));
        put16(raw, uint32_t(s.points[0].x()));
        record(0x0521, {}, raw);                         // TEXTOUT
        record(0x01F0, {uint32_t(slot)});
        objects_.release(slot);
    }

    Bytes body_;
    TObjectTable objects_;
    int pen_ = -1, brush_ = -1;
    TPen currentPen_;
    TBrush currentBrush_;
    uint32_t maxRecord_ = 0;
};

// ---- enhanced metafile ----------------------------------------------------------------------

class TEmfWriter
{
public:
    Bytes write(const TScene &scene)
    {
        record(17, {1});                                 // SETMAPMODE text
        record(10, {0, 0});                              // SETWINDOWORGEX
        record(18, {1});                                 // SETBKMODE transparent
        record(19, {2});                                 // SETPOLYFILLMODE winding
        record(22, {6 | 24});                            // SETTEXTALIGN centre, baseline
        for (const TShape &s : scene.shapes) draw(s);
        record(14, {0, 16, 20});                         // EOF

        // The header: device pixels at 100 per inch, so one unit is one device pixel.
        Bytes h;
        constexpr uint32_t kHeaderSize = 88;
        const uint32_t frame = uint32_t(kUnits * 2540 / kUnitsPerInch); // 0.01 mm
        put32(h, 1);
        put32(h, kHeaderSize);
        for (uint32_t v : {0u, 0u, uint32_t(kUnits - 1), uint32_t(kUnits - 1)}) put32(h, v);
        for (uint32_t v : {0u, 0u, frame - 1, frame - 1}) put32(h, v);
        put32(h, 0x464D4520u);                           // " EMF"
        put32(h, 0x10000u);
        put32(h, uint32_t(kHeaderSize + body_.size()));
        put32(h, uint32_t(records_));
        put16(h, uint32_t(objects_.size() + 1));         // slot 0 is reserved
        put16(h, 0);
        put32(h, 0);
        put32(h, 0);
        put32(h, 0);
        put32(h, 1000);                                  // reference device: 1000 × 1000
        put32(h, 1000);
        put32(h, 254);                                   // pixels on 254 × 254 mm
        put32(h, 254);
        h.insert(h.end(), body_.begin(), body_.end());
        return h;
    }

private:
    void record(uint32_t type, const std::vector<uint32_t> &values, const Bytes &raw = {})
    {
        put32(body_, type);
        put32(body_, uint32_t(8 + 4 * values.size() + raw.size()));
        for (uint32_t v : values) put32(body_, v);
        body_.insert(body_.end(), raw.begin(), raw.end());
        ++records_;
    }
    void select(const TPen &pen, const TBrush &brush)
    {
        if (pen_ < 0 || !(pen == currentPen_)) {
            const int slot = objects_.create() + 1;
            record(38, {uint32_t(slot), pen.width > 0 ? 0u : 5u, uint32_t(pen.width), 0, colorRef(pen.color)});
            record(37, {uint32_t(slot)});
            if (pen_ >= 0) { record(40, {uint32_t(pen_)}); objects_.release(pen_ - 1); }
            pen_ = slot;
            currentPen_ = pen;
        }
        if (brush_ < 0 || !(brush == currentBrush_)) {
            const int slot = objects_.create() + 1;
            record(39, {uint32_t(slot), brush.hollow ? 1u : 0u, colorRef(brush.color), 0});
            record(37, {uint32_t(slot)});
            if (brush_ >= 0) { record(40, {uint32_t(brush_)}); objects_.release(brush_ - 1); }
            brush_ = slot;
            currentBrush_ = brush;
        }
    }
    static std::vector<uint32_t> bounds(const std::vector<QPoint> &p)
    {
        int l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, b = INT32_MIN;
        for (const QPoint &q : p) {
            l = std::min(l, q.x()); t = std::min(t, q.y());
            r = std::max(r, q.x()); b = std::max(b, q.y());
        }
        return {uint32_t(l), uint32_t(t), uint32_t(r), uint32_t(b)};
    }
    void draw(const TShape &s)
    {
        if (s.kind == TShape::Text) { text(s); return; }
        select(s.pen, s.brush);
        const QRect &r = s.box;
        const std::vector<uint32_t> box{uint32_t(r.left()), uint32_t(r.top()), uint32_t(r.right() + 1),
                                        uint32_t(r.bottom() + 1)};
        switch (s.kind) {
        case TShape::Polygon:
        case TShape::Polyline: {
            std::vector<uint32_t> v = bounds(s.points);
            v.push_back(uint32_t(s.points.size()));
            for (const QPoint &p : s.points) { v.push_back(uint32_t(p.x())); v.push_back(uint32_t(p.y())); }
            record(s.kind == TShape::Polygon ? 3 : 4, v);
            break;
        }
        case TShape::Ellipse: record(42, box); break;
        case TShape::Rectangle: record(43, box); break;
        case TShape::RoundRect: {
            std::vector<uint32_t> v = box;
            v.push_back(uint32_t(s.corner));
            v.push_back(uint32_t(s.corner));
            record(44, v);
            break;
        }
        case TShape::Text: break;
        }
    }
    void text(const TShape &s)
    {
        // EXTCREATEFONTINDIRECTW: a LOGFONTW (92 bytes).
        const int slot = objects_.create() + 1;
        Bytes font;
        put32(font, uint32_t(-s.textHeight));
        put32(font, 0);
        put32(font, 0);
        put32(font, 0);
        put32(font, s.bold ? 700 : 400);
        for (int i = 0; i < 8; ++i) font.push_back(0);
        font[26] = 4;                                    // antialiased quality
        const QString face = QStringLiteral("Liberation Sans");
        for (int i = 0; i < 32; ++i) put16(font, i < face.size() ? face[i].unicode() : 0);
        Bytes withSlot;
        put32(withSlot, uint32_t(slot));
        withSlot.insert(withSlot.end(), font.begin(), font.end());
        record(82, {}, withSlot);
        record(37, {uint32_t(slot)});
        record(24, {colorRef(s.pen.color)});             // SETTEXTCOLOR

        // EXTTEXTOUTW with the advance of every character, measured with the same face.
        QFont qf(face);
        qf.setPixelSize(s.textHeight);
        qf.setBold(s.bold);
        const QFontMetrics m(qf);
        const int width = m.horizontalAdvance(s.text);
        const QPoint at = s.points[0];
        const std::vector<uint32_t> box{uint32_t(at.x() - width / 2), uint32_t(at.y() - m.ascent()),
                                        uint32_t(at.x() + width / 2), uint32_t(at.y() + m.descent())};
        const uint32_t n = uint32_t(s.text.size());
        const uint32_t stringAt = 76, stringBytes = (2 * n + 3) / 4 * 4, dxAt = stringAt + stringBytes;
        Bytes raw;
        for (uint32_t v : box) put32(raw, v);
        put32(raw, 1);                                   // compatible graphics mode
        put32(raw, 0);                                   // x and y scale: unused there
        put32(raw, 0);
        put32(raw, uint32_t(at.x()));
        put32(raw, uint32_t(at.y()));
        put32(raw, n);
        put32(raw, stringAt);
        put32(raw, 0);                                   // no options
        for (uint32_t v : {0u, 0u, 0u, 0u}) put32(raw, v);
        put32(raw, dxAt);
        for (QChar c : s.text) put16(raw, c.unicode());
        while (raw.size() + 8 < dxAt) raw.push_back(0);
        for (QChar c : s.text) put32(raw, uint32_t(m.horizontalAdvance(c)));
        record(84, {}, raw);
        record(40, {uint32_t(slot)});
        objects_.release(slot - 1);
    }

    Bytes body_;
    size_t records_ = 1; // the header
    TObjectTable objects_;
    int pen_ = -1, brush_ = -1;
    TPen currentPen_;
    TBrush currentBrush_;
};

bool save(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_clipart OUTPUT_FOLDER [SHEET.png]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const auto list = pictures();
    constexpr int kCell = 100, kColumns = 8;
    QImage sheet(kColumns * kCell, int((list.size() + kColumns - 1) / kColumns) * kCell,
                 QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    int index = 0;
    for (const TPicture &picture : list) {
        const TScene scene = picture.draw();
        const QString base = out + QLatin1Char('/') + QString::fromLatin1(picture.name);
        bool ok = false;
        switch (picture.format) {
        case TFormat::Wmf: {
            const Bytes b = TWmfWriter().write(scene);
            ok = save(base + QStringLiteral(".wmf"), QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size())));
            break;
        }
        case TFormat::Emf: {
            const Bytes b = TEmfWriter().write(scene);
            ok = save(base + QStringLiteral(".emf"), QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size())));
            break;
        }
        case TFormat::Svg: ok = save(base + QStringLiteral(".svg"), writeSvg(scene, kPngSize)); break;
        case TFormat::Png: ok = renderPicture(scene, kPngSize).save(base + QStringLiteral(".png")); break;
        }
        if (!ok) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(base));
            return 1;
        }
        sheetPainter.drawImage((index % kColumns) * kCell, (index / kColumns) * kCell,
                               renderPicture(scene, kCell));
        ++index;
    }
    sheetPainter.end();
    std::printf("%d pictures\n", index);
    if (argc == 3 && !sheet.save(QString::fromLocal8Bit(argv[2]))) return 1;
    return 0;
}
