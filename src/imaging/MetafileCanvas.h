#pragma once
// The drawing state of a metafile being played (pens, brushes, fonts, mapping, clipping, the
// path under construction) and the drawing operations both record formats share. Geometry
// arrives in the metafile's logical units and is mapped to the target before drawing, so
// flipped and rotated mappings need no special cases in the record readers.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cstdint>
#include <vector>

namespace velmora {

struct MetaPen {
    int style = 0; // low nibble: solid, dash, dot, dash-dot, dash-dot-dot, null, inside frame
    double width = 0; // logical units; 0 is one device pixel
    QColor color = Qt::black;
};

struct MetaBrush {
    enum Kind { Solid, Null, Hatched, Pattern } kind = Solid;
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

struct MetaFont {
    double height = 0; // negative: em height; positive: cell height; 0: default
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    QString face;
};

struct MetaObject {
    enum Kind { None, Pen, Brush, Font, Region, Other } kind = None;
    MetaPen pen;
    MetaBrush brush;
    MetaFont font;
    QPainterPath region; // in logical units
};

struct MetaDc {
    MetaPen pen;
    MetaBrush brush;
    MetaFont font;
    QColor textColor = Qt::black, bkColor = Qt::white;
    bool opaqueBk = true;
    int textAlign = 0;
    bool winding = false;
    int rop2 = 13; // copy pen
    int mapMode = 1;
    QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    bool windowSet = false, viewportSet = false;
    QTransform world;
    QPointF current;
    bool clipOn = false;
    QPainterPath clip; // target coordinates
    bool clockwise = false;
};

class MetafileCanvas {
public:
    MetafileCanvas(QPainter &painter, const QRectF &target);
    virtual ~MetafileCanvas();
    MetafileCanvas(const MetafileCanvas &) = delete;
    MetafileCanvas &operator=(const MetafileCanvas &) = delete;

    MetaDc dc;
    // Recomputes the logical-to-target mapping; readers call it after any mapping record.
    virtual QTransform logicalToTarget() const = 0;
    void mappingChanged() { xf = logicalToTarget(); }
    const QTransform &mapping() const { return xf; }
    QRectF target() const { return targetRect; }

    // Object table: creation takes the lowest free slot (WMF) or a given index (EMF).
    static constexpr std::size_t kMaxObjects = 65536;
    void setObjectTableSize(std::size_t n);
    int addObject(MetaObject object);
    void putObject(uint32_t index, MetaObject object);
    void selectObject(uint32_t index);
    void deleteObject(uint32_t index);
    void selectStock(uint32_t stock);

    void saveDc();
    void restoreDc(int relative);

    // Shapes in logical units.
    void polygon(const QPolygonF &points);
    void polyPolygon(const std::vector<QPolygonF> &polygons);
    void polyline(const QPolygonF &points);
    void polyBezier(const QPolygonF &points, bool fromCurrent);
    void polylineTo(const QPolygonF &points);
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void rectangle(const QRectF &r);
    void roundRect(const QRectF &r, QSizeF corner);
    void ellipse(const QRectF &r);
    enum class ArcKind { Arc, Chord, Pie, ArcTo };
    void arc(const QRectF &box, QPointF start, QPointF end, ArcKind kind);
    void setPixel(QPointF p, QColor c);
    void text(QPointF reference, const QString &text, const std::vector<double> &dx,
              int options, const QRectF &rect);
    // Bitmaps: dest in logical units, source in image pixels (top-down).
    void bitmap(const QRectF &dest, const QImage &image, const QRectF &source, uint32_t rop);
    void patBlt(const QRectF &dest, uint32_t rop);
    void fillRegion(const QPainterPath &logicalRegion, const MetaBrush &brush);

    // Clipping in logical units (regions of EMF arrive in device units: mapped = false).
    void intersectClip(const QRectF &r);
    void excludeClip(const QRectF &r);
    void selectClip(const QPainterPath &region, int mode, bool logical = true);
    void resetClip();

    // Paths.
    bool inPath = false;
    void beginPath();
    void endPath() { inPath = false; }
    void abortPath();
    void closeFigure();
    void fillPath(bool fill, bool stroke);
    void selectClipPath(int mode);

    std::vector<MetaObject> objects;

protected:
    QPainter &p;

private:
    void applyClip();
    QPen qpen() const;
    QBrush qbrush() const;
    bool drawsNothing() const { return dc.rop2 == 11; } // R2_NOP
    void draw(const QPainterPath &logical, bool fill, bool stroke);
    void drawDevice(const QPainterPath &device, bool fill, bool stroke);
    QFont qfont(double &pixelSize) const;
    double scale() const;

    QRectF targetRect;
    QRectF visibleArea; // empty when unknown
    QTransform base;
    QTransform xf;
    bool originalClipOn = false;
    QPainterPath originalClip;
    std::vector<MetaDc> saved;
    QPainterPath path; // target coordinates
};

QColor colorFromRef(uint32_t colorref);

} // namespace velmora
