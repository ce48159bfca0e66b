#pragma once
// Reading the committed picture fixtures, and pixel helpers for the imaging tests.
#include "support/TestPaths.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

namespace velmora::test {

inline QByteArray imagingFixture(const char *name)
{
    QFile f(QString::fromStdString(fixture(std::string("imaging/") + name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline std::span<const uint8_t> bytesOf(const QByteArray &b)
{
    return {reinterpret_cast<const uint8_t *>(b.constData()), std::size_t(b.size())};
}

inline uint32_t opaque(int r, int g, int b)
{
    return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// The fixtures' 4 x 3 test picture, top row first.
inline const std::vector<std::vector<uint32_t>> &testPicture()
{
    static const std::vector<std::vector<uint32_t>> pic = {
        {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF},
        {0xFF000000, 0x80FFFF00, 0x0000FFFF, 0xFFFF00FF},
        {0xFF808080, 0xFFFF8000, 0xFF0080FF, 0xFF0A141E},
    };
    return pic;
}

inline QRgb rgbAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace velmora::test
