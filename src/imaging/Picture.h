#pragma once
// The graphic a picture object holds: nothing, a bitmap (kept as its BMP file) or a metafile
// (a placeable WMF or an EMF, kept as its bytes). Keeping the stored bytes makes a document
// read and written again come out byte for byte the same.
#include <QByteArray>
#include <QImage>
#include <QSize>

class QPainter;
class QRectF;

namespace velmora {

class TPicture {
public:
    enum Kind { Empty, Bitmap, Metafile };

    TPicture() = default;
    // A bitmap of the image (32 bits when it has alpha); an empty picture for a null image.
    static TPicture fromImage(const QImage &image);
    // A BMP file kept as it is; an empty BMP file gives an empty bitmap. Fails unless the
    // bytes start with "BM" and decode.
    static TPicture fromBmpFile(const QByteArray &bmp, QString *error = nullptr);
    // An EMF or placeable WMF kept as it is; a plain WMF gets a placeable header.
    static TPicture fromMetafile(const QByteArray &bytes, QString *error = nullptr);

    // The "TPicture.Data" value; empty for an empty picture.
    QByteArray toPictureData() const;
    static TPicture fromPictureData(const QByteArray &data, QString *error = nullptr);

    Kind kind() const { return type; }
    bool isEmpty() const { return type == Empty || (type == Bitmap && bitmap.isNull()); }
    // The picture's own size in pixels at 96 per inch.
    QSize size() const { return own; }
    const QImage &image() const { return bitmap; }
    // The BMP file or the metafile; a bitmap made from an image is encoded when first asked.
    const QByteArray &bytes() const;

    // Stretched over target; metafiles stay vectors on vector surfaces.
    void draw(QPainter &painter, const QRectF &target) const;
    // The picture drawn at a size (its own when size is empty), on transparent pixels.
    QImage toImage(QSize size = {}) const;

private:
    Kind type = Empty;
    mutable QByteArray stored;
    QImage bitmap;
    QSize own;
};

} // namespace velmora
