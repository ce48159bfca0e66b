#include "richtext/RtfPicture.h"

#include "richtext/RtfLexer.h"

#include "imaging/MetafilePlayer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora::rtf {

namespace {
constexpr int kMaxSide = 16384;

uint32_t readLe(std::string_view s, std::size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return v;
}

void appendLe(QByteArray &out, uint32_t v, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

QByteArray toBytes(std::string_view s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

void PictureData::addHex(std::string_view text)
{
    for (char c : text) {
        const int v = hexValue(c);
        if (v < 0)
            continue;
        if (pendingNibble < 0) {
            pendingNibble = v;
        } else {
            bytes += static_cast<char>(pendingNibble * 16 + v);
            pendingNibble = -1;
        }
    }
}

void PictureData::addBinary(std::string_view data)
{
    bytes.append(data);
}

QByteArray bmpFromDib(std::string_view dib)
{
    if (dib.size() < 12)
        return {};
    const uint32_t headerSize = readLe(dib, 0, 4);
    if (headerSize < 12 || headerSize > dib.size())
        return {};
    uint32_t colours = 0;
    uint32_t colourSize = 4;
    uint32_t masks = 0;
    if (headerSize == 12) { // the old OS/2 header with three-byte colours
        const uint32_t bits = readLe(dib, 10, 2);
        colours = bits <= 8 ? 1u << bits : 0;
        colourSize = 3;
    } else {
        if (headerSize < 36)
            return {};
        const uint32_t bits = readLe(dib, 14, 2);
        const uint32_t compression = readLe(dib, 16, 4);
        const uint32_t used = readLe(dib, 32, 4);
        if (bits <= 8)
            colours = (used == 0 || used > (1u << bits)) ? 1u << bits : used;
        else
            colours = used <= 256 ? used : 0;
        if (headerSize == 40 && compression == 3)
            masks = 12;
        else if (headerSize == 40 && compression == 6)
            masks = 16;
    }
    const uint32_t bitsOffset = 14 + headerSize + masks + colours * colourSize;
    QByteArray file;
    file.reserve(static_cast<qsizetype>(dib.size() + 14));
    file.append("BM", 2);
    appendLe(file, static_cast<uint32_t>(dib.size() + 14), 4);
    appendLe(file, 0, 4);
    appendLe(file, bitsOffset, 4);
    file.append(toBytes(dib));
    return file;
}

QImage imageFromDeviceBitmap(std::string_view bits, int width, int height, int bitsPerPixel,
                             int widthBytes)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return {};
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return {};
    const int64_t minStride = (int64_t(width) * bitsPerPixel + 15) / 16 * 2;
    const int64_t stride = widthBytes > 0 ? widthBytes : minStride;
    if (stride * 8 < int64_t(width) * bitsPerPixel || stride * height > int64_t(bits.size()))
        return {};
    QImage image(width, height, bitsPerPixel == 1 ? QImage::Format_Mono : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (bitsPerPixel == 1)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int step = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        const char *row = bits.data() + stride * y;
        if (bitsPerPixel == 1) {
            std::copy(row, row + (width + 7) / 8, reinterpret_cast<char *>(image.scanLine(y)));
            continue;
        }
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto *p = reinterpret_cast<const unsigned char *>(row + x * step);
            out[x] = qRgb(p[2], p[1], p[0]);
        }
    }
    return image;
}

namespace {
QImage imageFromMetafile(const PictureData &picture)
{
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(picture.bytes.data()),
                                         picture.bytes.size());
    const MetafileInfo info = metafileInfo(bytes);
    if (info.kind == MetafileKind::Unknown)
        return {}; // Macintosh and OS/2 pictures stay skipped
    // The size it is shown at: the goal in twips, else the extent in hundredths of a
    // millimetre, else the metafile's own frame.
    double w = 0, h = 0;
    if (picture.goalWidth > 0 && picture.goalHeight > 0) {
        w = picture.goalWidth / 15.0;
        h = picture.goalHeight / 15.0;
    } else if (picture.width > 0 && picture.height > 0) {
        w = picture.width * 96.0 / 2540.0;
        h = picture.height * 96.0 / 2540.0;
    } else {
        w = info.width;
        h = info.height;
    }
    if (w < 1 || h < 1) {
        w = 96;
        h = 96;
    }
    // Drawn at twice its size so it stays crisp on dense screens and in print.
    const double scale = std::min(2.0, 2048.0 / std::max(w, h));
    const QSize size(std::max(1, int(std::lround(w * scale))), std::max(1, int(std::lround(h * scale))));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!playMetafile(painter, QRectF(QPointF(0, 0), QSizeF(size)), bytes).ok)
        return {};
    painter.end();
    image.setDevicePixelRatio(double(size.width()) / w);
    return image;
}
} // namespace

DecodedPicture decodePicture(const PictureData &picture)
{
    DecodedPicture result;
    switch (picture.kind) {
    case PictureKind::Png:
    case PictureKind::Jpeg:
        result.original = toBytes(picture.bytes);
        result.image = QImage::fromData(result.original,
                                        picture.kind == PictureKind::Png ? "PNG" : "JPEG");
        break;
    case PictureKind::Dib:
        result.image = QImage::fromData(bmpFromDib(picture.bytes), "BMP");
        break;
    case PictureKind::DeviceBitmap:
        result.image = imageFromDeviceBitmap(picture.bytes, picture.width, picture.height,
                                             picture.bitsPerPixel, picture.widthBytes);
        break;
    case PictureKind::Unknown: // no type word: trust the bytes' own signature
        result.image = QImage::fromData(toBytes(picture.bytes));
        if (picture.bytes.starts_with("\x89PNG") || picture.bytes.starts_with("\xFF\xD8\xFF"))
            result.original = toBytes(picture.bytes);
        break;
    case PictureKind::Metafile:
        result.image = imageFromMetafile(picture);
        break;
    }
    if (result.image.isNull())
        result.original.clear();
    return result;
}

} // namespace velmora::rtf
