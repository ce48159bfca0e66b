#include "imaging/Dib.h"

#include "imaging/RasterImage.h"

namespace velmora {

namespace {

uint32_t le(std::span<const uint8_t> s, std::size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | (at + std::size_t(i) < s.size() ? s[at + std::size_t(i)] : 0);
    return v;
}

void put(QByteArray &out, uint32_t v, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

std::size_t dibInfoSize(std::span<const uint8_t> info)
{
    if (info.size() < 12)
        return 0;
    const uint32_t headerSize = le(info, 0, 4);
    if (headerSize == 12) { // the old core header: three-byte colours
        const uint32_t bits = le(info, 10, 2);
        return 12 + (bits <= 8 ? (1u << bits) * 3 : 0);
    }
    if (headerSize < 40 || headerSize > 124 || info.size() < 40)
        return 0;
    const uint32_t bits = le(info, 14, 2);
    const uint32_t compression = le(info, 16, 4);
    const uint32_t used = le(info, 32, 4);
    uint32_t colours = 0;
    if (bits <= 8)
        colours = (used == 0 || used > (1u << bits)) ? 1u << bits : used;
    else
        colours = used <= 256 ? used : 0;
    uint32_t masks = 0;
    if (headerSize == 40 && compression == 3)
        masks = 12;
    else if (headerSize == 40 && compression == 6)
        masks = 16;
    return headerSize + masks + colours * 4;
}

bool dibIsBottomUp(std::span<const uint8_t> info)
{
    if (info.size() >= 12 && le(info, 0, 4) == 12)
        return true;
    return info.size() < 12 || static_cast<int32_t>(le(info, 8, 4)) > 0;
}

QByteArray bmpFromDibParts(std::span<const uint8_t> info, std::span<const uint8_t> bits)
{
    const std::size_t infoSize = dibInfoSize(info);
    if (infoSize == 0)
        return {};
    int64_t w = 0, h = 0;
    if (le(info, 0, 4) == 12) {
        w = le(info, 4, 2);
        h = le(info, 6, 2);
    } else {
        w = static_cast<int32_t>(le(info, 4, 4));
        h = static_cast<int32_t>(le(info, 8, 4));
        h = h < 0 ? -h : h;
    }
    if (!checkPictureSize(w, h).empty())
        return {};
    // A colour table cut short still decodes; the missing colours read as black.
    QByteArray file;
    const std::size_t infoBytes = std::max(infoSize, info.size());
    file.reserve(qsizetype(14 + infoBytes + bits.size()));
    file.append("BM", 2);
    put(file, uint32_t(14 + infoBytes + bits.size()), 4);
    put(file, 0, 4);
    put(file, uint32_t(14 + infoBytes), 4);
    file.append(reinterpret_cast<const char *>(info.data()), qsizetype(info.size()));
    file.append(QByteArray(qsizetype(infoBytes - info.size()), '\0'));
    file.append(reinterpret_cast<const char *>(bits.data()), qsizetype(bits.size()));
    return file;
}

QImage imageFromDib(std::span<const uint8_t> info, std::span<const uint8_t> bits)
{
    const QByteArray file = bmpFromDibParts(info, bits);
    return file.isEmpty() ? QImage() : QImage::fromData(file, "BMP");
}

QImage imageFromDibWithAlpha(std::span<const uint8_t> info, std::span<const uint8_t> bits)
{
    if (info.size() < 40 || le(info, 0, 4) < 40 || le(info, 14, 2) != 32 || le(info, 16, 4) != 0)
        return imageFromDib(info, bits);
    const int64_t w = static_cast<int32_t>(le(info, 4, 4));
    const int64_t rawH = static_cast<int32_t>(le(info, 8, 4));
    const int64_t h = rawH < 0 ? -rawH : rawH;
    if (!checkPictureSize(w, h).empty() || uint64_t(w * h * 4) > bits.size())
        return {};
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    for (int64_t y = 0; y < h; ++y) {
        const int64_t src = rawH < 0 ? y : h - 1 - y;
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        const uint8_t *p = bits.data() + src * w * 4;
        for (int64_t x = 0; x < w; ++x, p += 4) {
            // Premultiplied colour cannot exceed its alpha; clamp damaged values.
            const int a = p[3];
            row[x] = qRgba(std::min<int>(p[2], a), std::min<int>(p[1], a), std::min<int>(p[0], a), a);
        }
    }
    return image;
}

QImage imageFromPackedDib(std::span<const uint8_t> dib)
{
    const std::size_t infoSize = dibInfoSize(dib);
    if (infoSize == 0 || infoSize > dib.size())
        return {};
    return imageFromDib(dib.first(infoSize), dib.subspan(infoSize));
}

QByteArray bmpFileFromImage(const QImage &source)
{
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const uint32_t headerSize = alpha ? 108 : 40;
    const uint32_t stride = alpha ? uint32_t(w) * 4 : (uint32_t(w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = stride * uint32_t(h);
    QByteArray out;
    out.reserve(qsizetype(14 + headerSize + pixelBytes));
    out.append("BM", 2);
    put(out, 14 + headerSize + pixelBytes, 4);
    put(out, 0, 4);
    put(out, 14 + headerSize, 4);
    put(out, headerSize, 4);
    put(out, uint32_t(w), 4);
    put(out, uint32_t(h), 4);
    put(out, 1, 2);
    put(out, alpha ? 32 : 24, 2);
    put(out, alpha ? 3 : 0, 4); // BI_BITFIELDS carries the alpha mask
    put(out, pixelBytes, 4);
    put(out, 3780, 4); // 96 pixels per inch
    put(out, 3780, 4);
    put(out, 0, 4);
    put(out, 0, 4);
    if (alpha) {
        put(out, 0x00FF0000, 4);
        put(out, 0x0000FF00, 4);
        put(out, 0x000000FF, 4);
        put(out, 0xFF000000, 4);
        put(out, 0x73524742, 4); // 'sRGB'
        out.append(QByteArray(36 + 12, '\0'));
    }
    const qsizetype pixelsAt = out.size();
    out.resize(pixelsAt + qsizetype(pixelBytes));
    auto *dst = reinterpret_cast<uint8_t *>(out.data() + pixelsAt);
    for (int y = h - 1; y >= 0; --y, dst += stride) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uint8_t *p = dst;
        for (int x = 0; x < w; ++x) {
            *p++ = uint8_t(qBlue(row[x]));
            *p++ = uint8_t(qGreen(row[x]));
            *p++ = uint8_t(qRed(row[x]));
            if (alpha)
                *p++ = uint8_t(qAlpha(row[x]));
        }
        std::fill(p, dst + stride, uint8_t(0));
    }
    return out;
}

} // namespace velmora
