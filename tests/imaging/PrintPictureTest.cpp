#include "imaging/PrintPicture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace velmora;

namespace {

// A picture whose left half is red and right half blue, so crops show which part was kept.
QString writePicture(const QTemporaryDir &dir, const QString &name, QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, size.width() / 2, size.height()), Qt::red);
    p.fillRect(QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()), Qt::blue);
    p.end();
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
}

} // namespace

TEST(PrintPicture, CoverCropsToTheBoxShapeAndContainKeepsTheWholePicture)
{
    QTemporaryDir dir;
    const QString jpeg = writePicture(dir, QStringLiteral("wide.jpg"), {1600, 1200}, "JPEG");
    // A 2 x 1 inch box at 300 dpi needs 600 x 300 pixels.
    const QImage cover = LoadPictureForPrint(jpeg, {2.0, 1.0}, TPictureFit::Cover);
    EXPECT_EQ(cover.size(), QSize(600, 300));
    // The crop is centred: both halves still show.
    EXPECT_GT(qRed(cover.pixel(10, 150)), 200);
    EXPECT_GT(qBlue(cover.pixel(590, 150)), 200);

    const QImage contain = LoadPictureForPrint(jpeg, {2.0, 1.0}, TPictureFit::Contain);
    EXPECT_EQ(contain.size(), QSize(400, 300));
    EXPECT_EQ(PictureTarget(contain.size(), QRectF(0, 0, 200, 100), TPictureFit::Contain),
              QRectF(100.0 / 3, 0, 400.0 / 3, 100));
    EXPECT_EQ(PictureTarget(cover.size(), QRectF(0, 0, 200, 100), TPictureFit::Cover),
              QRectF(0, 0, 200, 100));
}

TEST(PrintPicture, SmallPicturesAreNotEnlargedAndOtherKindsGoThroughTheLoader)
{
    QTemporaryDir dir;
    const QString bmp = writePicture(dir, QStringLiteral("small.bmp"), {120, 60}, "BMP");
    const QImage contain = LoadPictureForPrint(bmp, {4.0, 4.0}, TPictureFit::Contain);
    EXPECT_EQ(contain.size(), QSize(120, 60));
    const QImage cover = LoadPictureForPrint(bmp, {4.0, 4.0}, TPictureFit::Cover);
    EXPECT_EQ(cover.size(), QSize(60, 60));
}

TEST(PrintPicture, UnreadableFilesAndEmptyBoxesGiveAReason)
{
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.jpg")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\xFF\xD8\xFF\xE0 not really a jpeg");
    junk.close();
    QString error;
    EXPECT_TRUE(LoadPictureForPrint(junk.fileName(), {2.0, 1.0}, TPictureFit::Cover, 300, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_TRUE(LoadPictureForPrint(dir.filePath(QStringLiteral("missing.png")), {2.0, 1.0},
                                    TPictureFit::Cover, 300, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    const QString jpeg = writePicture(dir, QStringLiteral("ok.jpg"), {100, 100}, "JPEG");
    error.clear();
    EXPECT_TRUE(LoadPictureForPrint(jpeg, {0.0, 1.0}, TPictureFit::Cover, 300, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}
