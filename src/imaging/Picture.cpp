#include "imaging/Picture.h"

#include "imaging/Dib.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/PictureData.h"
#include "imaging/RasterImage.h"

#include <QPainter>

#include <cmath>

namespace velmora {

namespace {

std::span<const uint8_t> span(const QByteArray &b)
{
    return {reinterpret_cast<const uint8_t *>(b.constData()), std::size_t(b.size())};
}

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Units per inch of a plain WMF's logical units, from its mapping mode.
int unitsPerInch(int mode)
{
    switch (mode) {
    case 1: return 96;
    case 2: return 254;
    case 3: return 2540;
    case 4: return 100;
    case 5: return 1000;
    case 6: return 1440;
    default: return 2540; // the window's units are not known
    }
}

// A placeable header for a plain WMF, its box taken from the first window extent it sets.
QByteArray withPlaceableHeader(const QByteArray &wmf)
{
    const auto bytes = span(wmf);
    ByteReader in(bytes);
    in.skip(2);
    const std::size_t headerWords = in.u16();
    std::size_t at = headerWords * 2;
    int width = 0, height = 0, mode = 8;
    while (at + 6 <= bytes.size()) {
        in.seek(at);
        const uint32_t words = in.u32();
        const uint16_t function = in.u16();
        if (words < 3 || function == 0)
            break;
        if (function == 0x0103 && words >= 4)
            mode = in.u16();
        if (function == 0x020C && words >= 5 && width == 0) {
            height = std::abs(int(in.i16()));
            width = std::abs(int(in.i16()));
        }
        at += std::size_t(words) * 2;
    }
    if (width == 0 || height == 0) {
        width = 1000;
        height = 1000;
    }
    const std::string header = PlaceableHeader(width, height, unitsPerInch(mode));
    return QByteArray(header.data(), qsizetype(header.size())) + wmf;
}

} // namespace

TPicture TPicture::fromImage(const QImage &image)
{
    TPicture p;
    if (image.isNull())
        return p;
    p.type = Bitmap;
    p.bitmap = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                       : image.convertToFormat(QImage::Format_RGB32);
    p.own = p.bitmap.size();
    return p;
}

const QByteArray &TPicture::bytes() const
{
    if (type == Bitmap && stored.isEmpty() && !bitmap.isNull())
        stored = bmpFileFromImage(bitmap);
    return stored;
}

TPicture TPicture::fromBmpFile(const QByteArray &bmp, QString *error)
{
    TPicture p;
    if (bmp.isEmpty()) {
        p.type = Bitmap;
        return p;
    }
    if (!bmp.startsWith("BM")) {
        fail(error, QStringLiteral("The bitmap is not a BMP file."));
        return {};
    }
    // Read through the size caps before anything is allocated.
    if (bmp.size() >= 26) {
        ByteReader in(span(bmp));
        in.seek(14);
        const uint32_t headerSize = in.u32();
        int64_t w = 0, h = 0;
        if (headerSize == 12) {
            w = in.u16();
            h = in.u16();
        } else {
            w = in.i32();
            h = std::abs(int64_t(in.i32()));
        }
        if (const auto err = checkPictureSize(w, h); !err.empty()) {
            fail(error, QString::fromStdString(err));
            return {};
        }
    }
    QImage image = QImage::fromData(bmp, "BMP");
    if (image.isNull()) {
        fail(error, QStringLiteral("The bitmap is damaged."));
        return {};
    }
    p.type = Bitmap;
    p.stored = bmp;
    p.bitmap = std::move(image);
    p.own = p.bitmap.size();
    return p;
}

TPicture TPicture::fromMetafile(const QByteArray &bytes, QString *error)
{
    const MetafileKind kind = metafileKind(span(bytes));
    if (kind == MetafileKind::Unknown) {
        fail(error, QStringLiteral("This is not a metafile."));
        return {};
    }
    TPicture p;
    p.type = Metafile;
    p.stored = kind == MetafileKind::Wmf ? withPlaceableHeader(bytes) : bytes;
    if (kind == MetafileKind::PlaceableWmf && !metafileInfo(span(bytes)).checksumOk) {
        // Files with a stale checksum play fine; the stored copy gets a correct one.
        const uint16_t sum = placeableChecksum(span(p.stored));
        p.stored[20] = char(sum & 0xFF);
        p.stored[21] = char(sum >> 8);
    }
    const MetafileInfo info = metafileInfo(span(p.stored));
    const double w = std::round(info.width), h = std::round(info.height);
    if (!checkPictureSize(int64_t(w), int64_t(h)).empty()) {
        fail(error, QStringLiteral("The metafile has no usable size."));
        return {};
    }
    p.own = QSize(int(w), int(h));
    return p;
}

QByteArray TPicture::toPictureData() const
{
    StoredPicture s;
    s.kind = type == Bitmap ? StoredGraphic::Bitmap : type == Metafile ? StoredGraphic::Metafile
                                                                       : StoredGraphic::Empty;
    const QByteArray &b = bytes();
    s.bytes.assign(b.constData(), std::size_t(b.size()));
    const std::string out = EncodePictureData(s);
    return QByteArray(out.data(), qsizetype(out.size()));
}

TPicture TPicture::fromPictureData(const QByteArray &data, QString *error)
{
    StoredPicture s;
    std::string why;
    if (!DecodePictureData(span(data), s, why)) {
        fail(error, QString::fromStdString(why));
        return {};
    }
    const QByteArray bytes(s.bytes.data(), qsizetype(s.bytes.size()));
    return s.kind == StoredGraphic::Bitmap ? fromBmpFile(bytes, error) : fromMetafile(bytes, error);
}

void TPicture::draw(QPainter &painter, const QRectF &target) const
{
    if (type == Bitmap && !bitmap.isNull())
        painter.drawImage(target, bitmap);
    else if (type == Metafile)
        playMetafile(painter, target, span(stored));
}

QImage TPicture::toImage(QSize size) const
{
    if (size.isEmpty())
        size = own;
    if (size.isEmpty() || !checkPictureSize(size.width(), size.height()).empty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace velmora
