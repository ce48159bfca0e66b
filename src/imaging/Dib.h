#pragma once
// Device-independent bitmaps as metafiles and stored pictures carry them.
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <span>

namespace velmora {

// The bytes of the info header plus masks and colours that precede the pixels of a packed
// DIB, or 0 when the header is damaged.
std::size_t dibInfoSize(std::span<const uint8_t> info);

// A BMP file from a DIB's info part and pixel part; empty when the header is damaged or the
// picture is over the size caps.
QByteArray bmpFromDibParts(std::span<const uint8_t> info, std::span<const uint8_t> bits);

// Null when the DIB cannot be decoded.
QImage imageFromDib(std::span<const uint8_t> info, std::span<const uint8_t> bits);
QImage imageFromPackedDib(std::span<const uint8_t> dib);

// A 32-bit DIB whose fourth byte is premultiplied alpha (as alpha-blended bitmaps carry it);
// other DIBs decode as imageFromDib does.
QImage imageFromDibWithAlpha(std::span<const uint8_t> info, std::span<const uint8_t> bits);

// Whether a DIB's rows run bottom-up (the usual case), so source rectangles can be flipped.
bool dibIsBottomUp(std::span<const uint8_t> info);

// A BMP file of the image: 24 bits for opaque pictures, 32 bits with an alpha mask (a
// version 4 header) when any pixel is translucent.
QByteArray bmpFileFromImage(const QImage &image);

} // namespace velmora
