#pragma once
// Picture data met inside \pict and what it becomes in a document.
#include <QByteArray>
#include <QImage>

#include <string>
#include <string_view>

namespace velmora::rtf {

// Displayed picture sizes beyond this many twips (about 2900 inches) are damage, not pictures.
constexpr int kMaxPictureTwips = 1 << 22;

enum class PictureKind { Unknown, Png, Jpeg, Dib, DeviceBitmap, Metafile };

struct PictureData {
    PictureKind kind = PictureKind::Unknown;
    std::string bytes;
    int width = 0, height = 0;         // \picw, \pich: pixels for bitmaps
    int goalWidth = 0, goalHeight = 0; // \picwgoal, \pichgoal: twips
    int scaleX = 100, scaleY = 100;    // percent
    int bitsPerPixel = 1;              // \wbmbitspixel
    int widthBytes = 0;                // \wbmwidthbytes
    bool fromShape = false;            // the picture of a drawing shape, sized by the shape

    // Hex digits may be split across runs and lines, so half a byte can wait for the next run.
    void addHex(std::string_view text);
    void addBinary(std::string_view data);

private:
    int pendingNibble = -1;
};

struct DecodedPicture {
    QImage image;
    // PNG and JPEG keep their own bytes, so a picture is written back exactly as it came.
    QByteArray original;
    bool ok() const { return !image.isNull(); }
};

DecodedPicture decodePicture(const PictureData &picture);

// A packed device-independent bitmap (header, colours, bits) as a BMP file.
QByteArray bmpFromDib(std::string_view dib);
// An old device-dependent bitmap: rows top-down, padded to 16 bits, 1, 24 or 32 bits a pixel.
QImage imageFromDeviceBitmap(std::string_view bits, int width, int height, int bitsPerPixel,
                             int widthBytes);

} // namespace velmora::rtf
