#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

namespace {

// Mean colour difference between column a and column b (or rows, when across is false).
double lineDifference(const QImage &image, int a, int b, bool columns)
{
    const int n = columns ? image.height() : image.width();
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const QRgb p = columns ? image.pixel(a, i) : image.pixel(i, a);
        const QRgb q = columns ? image.pixel(b, i) : image.pixel(i, b);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
    return sum / n;
}

} // namespace

// A tile repeats without a seam when its last column runs into its first no more sharply
// than any two neighbouring columns inside it do (and likewise for rows).
TEST(ShippedTextures, SixteenOrMoreSeamlessBitmaps)
{
    const QDir folder(QString::fromStdString(velmora::test::shippedData("Textures")));
    const QStringList files = folder.entryList({QStringLiteral("*.bmp")}, QDir::Files);
    EXPECT_GE(files.size(), 16);
    for (const QString &name : files) {
        QImage image(folder.filePath(name), "BMP");
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_GE(image.width(), 64);
        EXPECT_GE(image.height(), 64);
        for (bool columns : {true, false}) {
            const int last = (columns ? image.width() : image.height()) - 1;
            double inside = 0;
            for (int i = 0; i < last; ++i) inside += lineDifference(image, i, i + 1, columns);
            inside /= last;
            const double seam = lineDifference(image, last, 0, columns);
            EXPECT_LE(seam, inside * 1.6 + 4) << name.toStdString() << (columns ? " across" : " down");
        }
    }
}
