#include "imaging/PrintPicture.h"

#include "imaging/Imager.h"
#include "imaging/RasterImage.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// The part of a picture of size whole that has the box's shape, centred.
QRect coverCrop(QSize whole, QSizeF box)
{
    const double boxAspect = box.width() / box.height();
    const double aspect = double(whole.width()) / whole.height();
    if (aspect > boxAspect) {
        const int w = std::max(1, int(std::lround(whole.height() * boxAspect)));
        return QRect((whole.width() - w) / 2, 0, w, whole.height());
    }
    const int h = std::max(1, int(std::lround(whole.width() / boxAspect)));
    return QRect(0, (whole.height() - h) / 2, whole.width(), h);
}

// The size to decode a picture of size whole to: the box's pixels reached on the side that
// decides, never more than the picture itself.
QSize decodeSize(QSize whole, QSizeF boxPixels, TPictureFit fit)
{
    const double sx = boxPixels.width() / whole.width();
    const double sy = boxPixels.height() / whole.height();
    const double s = std::min(1.0, fit == TPictureFit::Cover ? std::max(sx, sy) : std::min(sx, sy));
    return QSize(std::max(1, int(std::lround(whole.width() * s))),
                 std::max(1, int(std::lround(whole.height() * s))));
}

QImage shaped(QImage image, QSizeF boxPixels, TPictureFit fit)
{
    if (image.isNull())
        return image;
    const QSize size = decodeSize(image.size(), boxPixels, fit);
    if (size != image.size())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (fit == TPictureFit::Cover)
        image = image.copy(coverCrop(image.size(), boxPixels));
    return image;
}

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QImage LoadPictureForPrint(const QString &path, QSizeF boxInch, TPictureFit fit, int dpi,
                           QString *error)
{
    if (boxInch.width() <= 0 || boxInch.height() <= 0 || dpi <= 0) {
        fail(error, QStringLiteral("The picture has no room on the page."));
        return {};
    }
    const QSizeF boxPixels(boxInch.width() * dpi, boxInch.height() * dpi);
    // Photographs are read at the size needed: the JPEG reader then decodes at a fraction of
    // the full size, which is most of the time a large photo costs.
    QImageReader reader(path);
    const QByteArray format = reader.format();
    if (format == "jpeg" || format == "png" || format == "gif" || format == "webp") {
        const QSize whole = reader.size();
        if (whole.isValid() && whole.width() > 0 && whole.height() > 0) {
            if (const auto err = checkPictureSize(whole.width(), whole.height()); !err.empty()) {
                fail(error, QString::fromStdString(err));
                return {};
            }
            if (fit == TPictureFit::Cover) {
                // Cut first, then scale: the reader then scales only the part that is kept,
                // a fraction of the time of scaling the whole picture and cutting after.
                const QRect crop = coverCrop(whole, boxPixels);
                reader.setClipRect(crop);
                reader.setScaledSize(decodeSize(crop.size(), boxPixels, fit));
            } else {
                reader.setScaledSize(decodeSize(whole, boxPixels, fit));
            }
            QImage image;
            if (reader.read(&image) && !image.isNull())
                return image;
        }
    }
    // Everything else goes through the picture loader, metafiles drawn at the size needed.
    TSmartImage loader;
    if (!loader.LoadPictureFile(path)) {
        fail(error, loader.errorText().isEmpty() ? QStringLiteral("The picture cannot be read.")
                                                 : loader.errorText());
        return {};
    }
    const TPicture &picture = loader.picture();
    if (picture.kind() == TPicture::Metafile) {
        const QSize size = decodeSize(picture.size(), boxPixels, fit);
        // A drawing has no pixels of its own to run out of: it is drawn at the box's size.
        const double grow = std::max(1.0, fit == TPictureFit::Cover
                                              ? std::max(boxPixels.width() / size.width(),
                                                         boxPixels.height() / size.height())
                                              : std::min(boxPixels.width() / size.width(),
                                                         boxPixels.height() / size.height()));
        return shaped(picture.toImage(QSize(int(size.width() * grow), int(size.height() * grow))),
                      boxPixels, fit);
    }
    return shaped(picture.image(), boxPixels, fit);
}

QRectF PictureTarget(QSizeF picture, const QRectF &box, TPictureFit fit)
{
    if (fit == TPictureFit::Cover || picture.isEmpty())
        return box;
    const double s = std::min(box.width() / picture.width(), box.height() / picture.height());
    const QSizeF size(picture.width() * s, picture.height() * s);
    return QRectF(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                  size.width(), size.height());
}

} // namespace velmora
