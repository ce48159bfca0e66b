#pragma once
// Pictures for printed pages: a picture file decoded straight to the pixels a box on paper
// needs at print resolution, so a camera photo costs a page's worth of memory rather than
// its own, and a PDF embeds no more than the printer can show.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace velmora {

enum class TPictureFit {
    Cover,   // fills the box; what lies outside its shape is cut off
    Contain, // shows the whole picture inside the box, centred
};

// The dots per inch pictures are brought to before they go onto paper.
constexpr int kPrintPictureDpi = 300;

// The picture file for a box of boxInch inches at dpi. Cover gives the picture cropped to
// the box's shape, contain the whole picture; neither is made larger than the file holds.
// A null image and a reason when the file cannot be read.
QImage LoadPictureForPrint(const QString &path, QSizeF boxInch, TPictureFit fit,
                           int dpi = kPrintPictureDpi, QString *error = nullptr);

// Where a picture of the given shape goes inside box: the box itself for cover (the picture
// was cropped to its shape), the largest centred rectangle of the picture's shape for
// contain.
QRectF PictureTarget(QSizeF picture, const QRectF &box, TPictureFit fit);

} // namespace velmora
