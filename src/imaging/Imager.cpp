#include "imaging/Imager.h"

#include "imaging/Dib.h"
#include "imaging/MetafileHeader.h"
#include "imaging/PcxDecoder.h"
#include "imaging/TgaDecoder.h"
#include "imaging/EmfWriter.h"
#include "imaging/RasterImage.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace velmora {

namespace {

// Files larger than this cannot hold a picture within the decoded-size cap.
constexpr qint64 kMaxFileBytes = 512ll * 1024 * 1024;

std::span<const uint8_t> span(const QByteArray &b)
{
    return {reinterpret_cast<const uint8_t *>(b.constData()), std::size_t(b.size())};
}

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QImage toQImage(const RasterImage &raster)
{
    QImage image(raster.width, raster.height,
                 raster.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < raster.height; ++y)
        std::copy_n(raster.pixels.data() + std::size_t(y) * std::size_t(raster.width), raster.width,
                    reinterpret_cast<QRgb *>(image.scanLine(y)));
    return image;
}

TPicture decodeOurs(const DecodeResult &result, QString *error)
{
    if (!result.ok()) {
        fail(error, QString::fromStdString(result.error));
        return {};
    }
    return TPicture::fromImage(toQImage(result.image));
}

TPicture readWithQt(const QByteArray &bytes, const QByteArray &format, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    // The header's size is checked before the pixels are allocated.
    const QSize size = reader.size();
    if (size.isValid()) {
        if (const auto err = checkPictureSize(size.width(), size.height()); !err.empty()) {
            fail(error, QString::fromStdString(err));
            return {};
        }
    }
    // A BMP file is kept as it came, so it is stored exactly.
    if (bytes.startsWith("BM") && format != "ico")
        return TPicture::fromBmpFile(bytes, error);
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        fail(error, reader.errorString());
        return {};
    }
    if (const auto err = checkPictureSize(image.width(), image.height()); !err.empty()) {
        fail(error, QString::fromStdString(err));
        return {};
    }
    return TPicture::fromImage(image);
}

} // namespace

int PictureFileKind(const QString &path)
{
    qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':')));
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('/')));
    QString name = path.mid(cut + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name = name.mid(dot + 1);
    const QString ext = name.toUpper();
    static const char *const kinds[] = {"JPG", "GIF", "JIF", "BMP", "DIB", "RLE", "TGA", "PCX"};
    for (int i = 0; i < 8; ++i)
        if (ext == QLatin1String(kinds[i]))
            return i + 1;
    return 0;
}

QByteArray SvgToEmf(const QByteArray &svg, QString *error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        fail(error, QStringLiteral("The SVG drawing cannot be read."));
        return {};
    }
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = renderer.viewBoxF().size().toSize();
    if (size.isEmpty())
        size = QSize(100, 100);
    if (const auto err = checkPictureSize(size.width(), size.height()); !err.empty()) {
        fail(error, QString::fromStdString(err));
        return {};
    }
    return recordEmf(size, [&](QPainter &painter) { renderer.render(&painter); });
}

TPicture LoadPictureBytes(const QByteArray &bytes, const QString &extension, QString *error)
{
    const QString ext = extension.toUpper();
    if (bytes.isEmpty()) {
        fail(error, QStringLiteral("The file is empty."));
        return {};
    }
    if (ext == QLatin1String("TGA"))
        return decodeOurs(decodeTga(span(bytes)), error);
    if (ext == QLatin1String("PCX"))
        return decodeOurs(decodePcx(span(bytes)), error);
    if (ext == QLatin1String("WMF") || ext == QLatin1String("EMF"))
        return TPicture::fromMetafile(bytes, error);
    if (ext == QLatin1String("SVG") || ext == QLatin1String("SVGZ")) {
        const QByteArray emf = SvgToEmf(bytes, error);
        return emf.isEmpty() ? TPicture() : TPicture::fromMetafile(emf, error);
    }
    if (ext == QLatin1String("BMP") || ext == QLatin1String("DIB") || ext == QLatin1String("RLE")) {
        // Some tools write .DIB files as a bare packed bitmap, without the file header.
        if (!bytes.startsWith("BM")) {
            const QImage packed = imageFromPackedDib(span(bytes));
            if (!packed.isNull())
                return TPicture::fromImage(packed);
        }
        return readWithQt(bytes, "bmp", error);
    }
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JIF") || ext == QLatin1String("JPEG"))
        return readWithQt(bytes, "jpeg", error);
    if (ext == QLatin1String("GIF"))
        return readWithQt(bytes, "gif", error);
    if (ext == QLatin1String("PNG"))
        return readWithQt(bytes, "png", error);
    if (ext == QLatin1String("ICO"))
        return readWithQt(bytes, "ico", error);
    // No extension we know: go by the content.
    if (metafileKind(span(bytes)) != MetafileKind::Unknown)
        return TPicture::fromMetafile(bytes, error);
    return readWithQt(bytes, {}, error);
}

bool TSmartImage::LoadPictureFile(const QString &path)
{
    current = TPicture();
    error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        error = QStringLiteral("The file is too large for a picture.");
        return false;
    }
    const QByteArray bytes = file.readAll();
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString ext = dot > slash ? path.mid(dot + 1) : QString();
    current = LoadPictureBytes(bytes, ext, &error);
    return !current.isEmpty();
}

} // namespace velmora
