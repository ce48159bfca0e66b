#pragma once
// The shapes clip art is drawn with, on a 200 × 200 unit square, and helpers for the
// curves they need. Written out by make_clipart as WMF, EMF, SVG or PNG.
#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cmath>
#include <functional>
#include <numbers>
#include <tuple>
#include <vector>

namespace clipart {

constexpr int kUnits = 200; // the picture's square, in logical units

struct TPen
{
    QRgb color = qRgb(0, 0, 0);
    int width = 0; // 0: no outline
    bool operator==(const TPen &o) const = default;
};

struct TBrush
{
    QRgb color = qRgb(255, 255, 255);
    bool hollow = true;
    bool operator==(const TBrush &o) const = default;
};

struct TShape
{
    enum Kind { Polygon, Polyline, Ellipse, Rectangle, RoundRect, Text } kind;
    std::vector<QPoint> points; // polygons and polylines
    QRect box;                  // ellipses and rectangles: left, top, right, bottom exclusive
    int corner = 0;             // rounded rectangles: the corner ellipse's width and height
    QString text;               // text: its baseline's centre is points[0]
    int textHeight = 0;
    bool bold = false;
    TPen pen;
    TBrush brush;
};

class TScene
{
public:
    std::vector<TShape> shapes;

    TScene &polygon(std::vector<QPoint> p, QRgb fill, QRgb line = qRgb(40, 40, 40), int width = 2)
    {
        shapes.push_back({TShape::Polygon, std::move(p), {}, 0, {}, 0, false, {line, width}, {fill, false}});
        return *this;
    }
    TScene &polyline(std::vector<QPoint> p, QRgb line, int width = 3)
    {
        shapes.push_back({TShape::Polyline, std::move(p), {}, 0, {}, 0, false, {line, width}, {}});
        return *this;
    }
    TScene &ellipse(int l, int t, int r, int b, QRgb fill, QRgb line = qRgb(40, 40, 40), int width = 2)
    {
        shapes.push_back({TShape::Ellipse, {}, QRect(QPoint(l, t), QPoint(r - 1, b - 1)), 0, {}, 0,
                          false, {line, width}, {fill, false}});
        return *this;
    }
    TScene &ring(int l, int t, int r, int b, QRgb line, int width)
    {
        shapes.push_back({TShape::Ellipse, {}, QRect(QPoint(l, t), QPoint(r - 1, b - 1)), 0, {}, 0,
                          false, {line, width}, {}});
        return *this;
    }
    TScene &rect(int l, int t, int r, int b, QRgb fill, QRgb line = qRgb(40, 40, 40), int width = 2)
    {
        shapes.push_back({TShape::Rectangle, {}, QRect(QPoint(l, t), QPoint(r - 1, b - 1)), 0, {}, 0,
                          false, {line, width}, {fill, false}});
        return *this;
    }
    TScene &roundRect(int l, int t, int r, int b, int corner, QRgb fill, QRgb line = qRgb(40, 40, 40),
                      int width = 2)
    {
        shapes.push_back({TShape::RoundRect, {}, QRect(QPoint(l, t), QPoint(r - 1, b - 1)), corner, {},
                          0, false, {line, width}, {fill, false}});
        return *this;
    }
    TScene &text(int x, int baseline, const QString &s, int height, QRgb colour, bool bold = true)
    {
        shapes.push_back({TShape::Text, {QPoint(x, baseline)}, {}, 0, s, height, bold, {colour, 0}, {}});
        return *this;
    }
};


// Points around an ellipse-like curve: r(angle) gives the radius at each angle.
inline std::vector<QPoint> around(QPointF c, int n, const std::function<double(double)> &radius,
                           double start = -std::numbers::pi / 2)
{
    std::vector<QPoint> p;
    for (int i = 0; i < n; ++i) {
        const double a = start + 2 * std::numbers::pi * i / n;
        const double r = radius(a);
        p.emplace_back(int(std::lround(c.x() + std::cos(a) * r)), int(std::lround(c.y() + std::sin(a) * r)));
    }
    return p;
}

inline std::vector<QPoint> star(QPointF c, double outer, double inner, int tips)
{
    std::vector<QPoint> p;
    for (int i = 0; i < 2 * tips; ++i) {
        const double a = -std::numbers::pi / 2 + std::numbers::pi * i / tips;
        const double r = i % 2 ? inner : outer;
        p.emplace_back(int(std::lround(c.x() + std::cos(a) * r)), int(std::lround(c.y() + std::sin(a) * r)));
    }
    return p;
}

inline std::vector<QPoint> heart(QPointF c, double s)
{
    std::vector<QPoint> p;
    for (int i = 0; i < 48; ++i) {
        const double t = 2 * std::numbers::pi * i / 48;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        p.emplace_back(int(std::lround(c.x() + x * s)), int(std::lround(c.y() - y * s)));
    }
    return p;
}

// A band between two arcs of the same centre, from angle a0 to a1 (radians).
inline std::vector<QPoint> arcBand(QPointF c, double inner, double outer, double a0, double a1)
{
    std::vector<QPoint> p;
    constexpr int n = 24;
    for (int i = 0; i <= n; ++i) {
        const double a = a0 + (a1 - a0) * i / n;
        p.emplace_back(int(std::lround(c.x() + std::cos(a) * outer)), int(std::lround(c.y() + std::sin(a) * outer)));
    }
    for (int i = n; i >= 0; --i) {
        const double a = a0 + (a1 - a0) * i / n;
        p.emplace_back(int(std::lround(c.x() + std::cos(a) * inner)), int(std::lround(c.y() + std::sin(a) * inner)));
    }
    return p;
}

inline std::vector<QPoint> shifted(std::vector<QPoint> p, int dx, int dy)
{
    for (QPoint &q : p) q += QPoint(dx, dy);
    return p;
}

enum class TFormat { Wmf, Emf, Svg, Png };

struct TPicture
{
    const char *name;
    TFormat format;
    std::function<TScene()> draw;
};

// The scene as an SVG drawing of the given size in pixels, and drawn into a square image.
QByteArray writeSvg(const TScene &scene, int size);
QImage renderPicture(const TScene &scene, int size);

// Every picture, in the order they are written.
std::vector<TPicture> pictures();

} // namespace clipart
