#pragma once
// Pixel probes for rendering tests: rows, columns and boxes of dark pixels, so tests can
// assert where lines and text land without comparing whole pictures.
#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>

namespace velmora::test {

inline bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

inline bool hasColor(const QImage &image, int x, int y, QRgb rgb)
{
    return (image.pixel(x, y) & 0xFFFFFFu) == (rgb & 0xFFFFFFu);
}

// Dark pixels of row y between x1 and x2 inclusive.
inline int darkInRow(const QImage &image, int y, int x1, int x2)
{
    int n = 0;
    for (int x = x1; x <= x2; ++x)
        n += isDark(image, x, y) ? 1 : 0;
    return n;
}

// Dark pixels of column x between y1 and y2 inclusive.
inline int darkInColumn(const QImage &image, int x, int y1, int y2)
{
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        n += isDark(image, x, y) ? 1 : 0;
    return n;
}

// Pixels of the area that differ from rgb.
inline int countNot(const QImage &image, const QRect &area, QRgb rgb)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += hasColor(image, x, y, rgb) ? 0 : 1;
    return n;
}

// Bounding box of the dark pixels inside area (null when there are none).
inline QRect darkBounds(const QImage &image, const QRect &area)
{
    int l = area.right() + 1, t = area.bottom() + 1, r = area.left() - 1, b = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isDark(image, x, y)) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < l ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// Whether two pictures agree in the given area.
inline bool sameArea(const QImage &a, const QImage &b, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) return false;
    return true;
}

} // namespace velmora::test
