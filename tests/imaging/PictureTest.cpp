#include "imaging/EmfWriter.h"
#include "imaging/Imager.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/PictureData.h"

#include "ImagingFixtures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include <set>

using namespace velmora;
using namespace velmora::test;

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return out;
}

QByteArray pictureData(const char *cls, const QByteArray &body)
{
    QByteArray out;
    out.append(char(qstrlen(cls)));
    out.append(cls);
    const uint32_t n = uint32_t(body.size());
    out.append(reinterpret_cast<const char *>(&n), 4);
    return out + body;
}

std::set<uint32_t> emfRecordTypes(const QByteArray &emf)
{
    std::set<uint32_t> types;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        uint32_t type, size;
        memcpy(&type, emf.constData() + at, 4);
        memcpy(&size, emf.constData() + at + 4, 4);
        if (size < 8)
            break;
        types.insert(type);
        at += size;
    }
    return types;
}

const char *kSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="120" height="80" viewBox="0 0 120 80">
  <rect x="0" y="0" width="60" height="80" fill="#ff0000"/>
  <circle cx="90" cy="40" r="20" fill="#0000ff" stroke="#000000" stroke-width="4"/>
  <text x="5" y="20" font-size="12">Hi</text>
</svg>)";

} // namespace

TEST(PictureData, StoredPicturesWriteBackByteForByte)
{
    for (const char *name : {"picdata_bitmap.bin", "picdata_wmf.bin", "picdata_emf.bin",
                             "picdata_empty_bitmap.bin"}) {
        const QByteArray data = imagingFixture(name);
        QString error;
        const TPicture picture = TPicture::fromPictureData(data, &error);
        EXPECT_TRUE(error.isEmpty()) << name << ": " << error.toStdString();
        EXPECT_EQ(picture.toPictureData(), data) << name;
    }
    const TPicture wmf = TPicture::fromPictureData(imagingFixture("picdata_wmf.bin"));
    EXPECT_EQ(wmf.kind(), TPicture::Metafile);
    EXPECT_EQ(wmf.size(), QSize(96, 96)) << "1000 units at 1000 a inch";
    EXPECT_TRUE(TPicture::fromPictureData(imagingFixture("picdata_empty_bitmap.bin")).isEmpty());
}

TEST(PictureData, DamagedOrForeignDataIsRefused)
{
    const QByteArray bmp = TPicture::fromImage(QImage(2, 2, QImage::Format_RGB32)).bytes();
    StoredPicture out;
    std::string error;
    auto decode = [&](const QByteArray &data) { return DecodePictureData(bytesOf(data), out, error); };
    EXPECT_TRUE(decode(pictureData("TBitmap", bmp)));
    QByteArray notBm = bmp;
    notBm[0] = 'X';
    EXPECT_FALSE(decode(pictureData("TBitmap", notBm))) << "a header that is not BM";
    EXPECT_FALSE(decode(pictureData("TBitmap", bmp).left(30))) << "truncated";
    EXPECT_FALSE(decode(pictureData("TIcon", bmp))) << "not a graphic a picture object holds";
    EXPECT_FALSE(decode(QByteArray())) << "nothing";

    const QByteArray wmf = imagingFixture("mapping.wmf");
    EXPECT_TRUE(decode(pictureData("TMetafile", wmf)));
    QByteArray badSum = wmf;
    badSum[20] = char(badSum[20] ^ 0x10);
    EXPECT_FALSE(decode(pictureData("TMetafile", badSum))) << "checksum must match";
    EXPECT_FALSE(decode(pictureData("TMetafile", imagingFixture("records_plain.wmf"))))
        << "a stored metafile carries the placeable key";
    EXPECT_TRUE(decode(pictureData("TMetafile", imagingFixture("records.emf"))));
    EXPECT_EQ(out.kind, StoredGraphic::Metafile);
}

TEST(PictureData, PngBecomesA32BitBitmapThatKeepsAlpha)
{
    QImage png(3, 2, QImage::Format_ARGB32);
    png.fill(qRgba(10, 200, 30, 255));
    png.setPixel(1, 1, qRgba(0, 0, 0, 0));
    png.setPixel(2, 0, qRgba(255, 0, 0, 128));
    QString error;
    const TPicture picture = LoadPictureBytes(encoded(png, "PNG"), QStringLiteral("png"), &error);
    ASSERT_EQ(picture.kind(), TPicture::Bitmap) << error.toStdString();
    const QByteArray bmp = picture.bytes();
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(uint8_t(bmp[28]), 32) << "32 bits a pixel";
    const TPicture again = TPicture::fromPictureData(picture.toPictureData());
    EXPECT_EQ(qAlpha(again.image().pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(again.image().pixel(2, 0)), 128);
    EXPECT_EQ(again.image().pixel(0, 0), qRgba(10, 200, 30, 255));
    EXPECT_EQ(again.toPictureData(), picture.toPictureData()) << "write, read, write";

    // Opaque pictures are 24-bit files.
    const TPicture jpeg = LoadPictureBytes(encoded(QImage(5, 5, QImage::Format_RGB32), "JPG"), "jpg");
    ASSERT_EQ(jpeg.kind(), TPicture::Bitmap);
    EXPECT_EQ(uint8_t(jpeg.bytes()[28]), 24);
    EXPECT_EQ(jpeg.size(), QSize(5, 5));
}

TEST(PictureData, BmpFilesAreKeptAsTheyCame)
{
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indexed.fill(1);
    const QByteArray bmp = encoded(indexed, "BMP");
    const TPicture picture = LoadPictureBytes(bmp, "BMP");
    ASSERT_EQ(picture.kind(), TPicture::Bitmap);
    EXPECT_EQ(picture.bytes(), bmp);
    EXPECT_EQ(rgbAt(picture.image(), 6, 2), qRgb(200, 100, 50) & 0xFFFFFF);
}

TEST(PictureLoader, FileKindsByExtension)
{
    EXPECT_EQ(PictureFileKind(QStringLiteral("logo.tga")), 7);
    EXPECT_EQ(PictureFileKind(QStringLiteral("Logo.Bmp")), 4);
    EXPECT_EQ(PictureFileKind(QStringLiteral("/pictures/README")), 0);
    EXPECT_EQ(PictureFileKind(QStringLiteral("C:\\clip.art\\picture")), 0);
    EXPECT_EQ(PictureFileKind(QStringLiteral("a.b.JIF")), 3);
    EXPECT_EQ(PictureFileKind(QStringLiteral("scan.pcx")), 8);
    EXPECT_EQ(PictureFileKind(QStringLiteral("photo.jpeg")), 0);
}

TEST(PictureLoader, ReadsEveryKindFromDisk)
{
    QTemporaryDir dir;
    auto save = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return dir.filePath(name);
    };
    QImage sample(6, 4, QImage::Format_RGB32);
    sample.fill(qRgb(0, 0, 255));
    const struct {
        QString name;
        QByteArray bytes;
        TPicture::Kind kind;
        QSize size;
    } cases[] = {
        {"a.bmp", encoded(sample, "BMP"), TPicture::Bitmap, {6, 4}},
        {"a.dib", encoded(sample, "BMP"), TPicture::Bitmap, {6, 4}},
        {"a.RLE", encoded(sample, "BMP"), TPicture::Bitmap, {6, 4}},
        {"packed.dib", encoded(sample, "BMP").mid(14), TPicture::Bitmap, {6, 4}},
        {"a.jpg", encoded(sample, "JPG"), TPicture::Bitmap, {6, 4}},
        {"a.jif", encoded(sample, "JPG"), TPicture::Bitmap, {6, 4}},
        {"a.gif", encoded(sample, "GIF"), TPicture::Bitmap, {6, 4}},
        {"a.png", encoded(sample, "PNG"), TPicture::Bitmap, {6, 4}},
        {"a.ico", encoded(sample.scaled(16, 16), "ICO"), TPicture::Bitmap, {16, 16}},
        {"a.tga", imagingFixture("t10_rle_cross.tga"), TPicture::Bitmap, {5, 2}},
        {"a.pcx", imagingFixture("rgb24_5x2.pcx"), TPicture::Bitmap, {5, 2}},
        {"a.wmf", imagingFixture("records.wmf"), TPicture::Metafile, {200, 200}},
        {"a.emf", imagingFixture("records.emf"), TPicture::Metafile, {200, 200}},
        {"a.svg", QByteArray(kSvg), TPicture::Metafile, {120, 80}},
        {"noextension", encoded(sample, "PNG"), TPicture::Bitmap, {6, 4}},
    };
    for (const auto &c : cases) {
        if (c.bytes.isEmpty())
            continue; // a format this Qt cannot write
        TSmartImage loader;
        EXPECT_TRUE(loader.LoadPictureFile(save(c.name, c.bytes)))
            << c.name.toStdString() << ": " << loader.errorText().toStdString();
        EXPECT_EQ(loader.picture().kind(), c.kind) << c.name.toStdString();
        EXPECT_EQ(loader.picture().size(), c.size) << c.name.toStdString();
    }
    // A plain WMF is held as a placeable one.
    TSmartImage plain;
    ASSERT_TRUE(plain.LoadPictureFile(save("plain.wmf", imagingFixture("records_plain.wmf"))));
    EXPECT_EQ(metafileKind(bytesOf(plain.picture().bytes())), MetafileKind::PlaceableWmf);
    EXPECT_TRUE(IsStorableMetafile(plain.picture().bytes().toStdString()));
    EXPECT_EQ(rgbAt(plain.picture().toImage({100, 100}), 10, 10), 0xFF0000u);
}

TEST(PictureLoader, DamagedFilesGiveAnErrorNeverACrash)
{
    QImage sample(40, 30, QImage::Format_RGB32);
    sample.fill(Qt::red);
    const struct {
        const char *ext;
        QByteArray bytes;
    } cases[] = {
        {"png", encoded(sample, "PNG")}, {"gif", encoded(sample, "GIF")},
        {"bmp", encoded(sample, "BMP")}, {"tga", imagingFixture("t2_32_alpha_topdown_id.tga")},
        {"pcx", imagingFixture("pal256_7x3.pcx")}, {"svg", QByteArray(kSvg)},
        {"wmf", imagingFixture("records.wmf")}, {"emf", imagingFixture("records.emf")},
    };
    for (const auto &c : cases) {
        for (qsizetype n = 0; n < c.bytes.size(); n += std::max<qsizetype>(1, c.bytes.size() / 40))
            (void)LoadPictureBytes(c.bytes.left(n), QString::fromLatin1(c.ext));
    }
    QString error;
    EXPECT_TRUE(LoadPictureBytes(QByteArray("garbage bytes"), "jpg", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(LoadPictureBytes(QByteArray(), "bmp").isEmpty());
    EXPECT_TRUE(LoadPictureBytes(encoded(sample, "PNG").left(60), "png").isEmpty()) << "truncated";
    TSmartImage missing;
    EXPECT_FALSE(missing.LoadPictureFile(QStringLiteral("/no/such/file.bmp")));
    EXPECT_TRUE(missing.picture().isEmpty());
}

TEST(PictureLoader, RefusesPicturesOverTheSizeCaps)
{
    // A BMP header claiming 40,000 pixels a side, and one claiming 20,000 x 20,000 (1.6 GB).
    QByteArray bmp = encoded(QImage(2, 2, QImage::Format_RGB32), "BMP");
    QByteArray wide = bmp;
    const int32_t big = 40000;
    memcpy(wide.data() + 18, &big, 4);
    QString error;
    EXPECT_TRUE(LoadPictureBytes(wide, "bmp", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    QByteArray huge = bmp;
    const int32_t side = 20000;
    memcpy(huge.data() + 18, &side, 4);
    memcpy(huge.data() + 22, &side, 4);
    EXPECT_TRUE(LoadPictureBytes(huge, "bmp").isEmpty());
    QByteArray svg(R"(<svg xmlns="http://www.w3.org/2000/svg" width="40000" height="10"/>)");
    EXPECT_TRUE(LoadPictureBytes(svg, "svg").isEmpty());
}

TEST(EmfWriter, SvgIsKeptAsVectorsAtItsOwnSize)
{
    QString error;
    const QByteArray emf = SvgToEmf(kSvg, &error);
    ASSERT_FALSE(emf.isEmpty()) << error.toStdString();
    const MetafileInfo info = metafileInfo(bytesOf(emf));
    EXPECT_EQ(info.kind, MetafileKind::Emf);
    EXPECT_NEAR(info.width, 120, 0.02);
    EXPECT_NEAR(info.height, 80, 0.02);
    const auto types = emfRecordTypes(emf);
    EXPECT_TRUE(types.count(62) || types.count(63)) << "filled paths";
    EXPECT_FALSE(types.count(114) || types.count(81)) << "no bitmaps";

    const TPicture picture = TPicture::fromMetafile(emf);
    const QImage image = picture.toImage({240, 160});
    EXPECT_EQ(rgbAt(image, 60, 150), 0xFF0000u) << "the rectangle, drawn twice as large";
    EXPECT_EQ(rgbAt(image, 180, 80), 0x0000FFu) << "the circle";
    EXPECT_EQ(rgbAt(image, 180, 122), 0u) << "its outline";
    EXPECT_EQ(qAlpha(image.pixel(235, 5)), 0) << "nothing drawn where the drawing is empty";
    // The stored picture reads back at the size it was written with.
    const TPicture again = TPicture::fromPictureData(picture.toPictureData());
    EXPECT_EQ(again.size(), QSize(120, 80));
    EXPECT_EQ(again.toPictureData(), picture.toPictureData());
}

TEST(EmfWriter, GradientsKeepTheirOutlineAndTheirColours)
{
    const QByteArray svg(R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="40">
      <defs><linearGradient id="g"><stop offset="0" stop-color="#ff0000"/>
      <stop offset="1" stop-color="#0000ff"/></linearGradient></defs>
      <rect x="0" y="0" width="100" height="20" fill="url(#g)"/>
      <rect x="0" y="20" width="50" height="20" fill="#00ff00" fill-opacity="0.5"/></svg>)svg");
    const QByteArray emf = SvgToEmf(svg);
    const auto types = emfRecordTypes(emf);
    EXPECT_TRUE(types.count(67)) << "the outline clips";
    EXPECT_TRUE(types.count(114)) << "the inside is a bitmap";
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    playMetafile(painter, QRectF(0, 0, 100, 40), bytesOf(emf));
    painter.end();
    EXPECT_GT(qRed(image.pixel(3, 10)), 230);
    EXPECT_GT(qBlue(image.pixel(96, 10)), 230);
    EXPECT_NEAR(qRed(image.pixel(25, 30)), 127, 2) << "half-transparent green over white";
    EXPECT_EQ(qGreen(image.pixel(25, 30)), 255);
    EXPECT_EQ(rgbAt(image, 75, 30), 0xFFFFFFu);
}

TEST(EmfWriter, PaintedShapesImagesAndClipsPlayBack)
{
    QImage dot(2, 1, QImage::Format_ARGB32);
    dot.setPixel(0, 0, qRgba(0, 255, 0, 255));
    dot.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const QByteArray emf = recordEmf({50, 50}, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.setClipRect(0, 0, 25, 50);
        p.drawRect(0, 0, 50, 20); // only the left half survives the clip
        p.setClipping(false);
        p.drawImage(QRectF(0, 30, 20, 10), dot);
        p.setPen(QPen(Qt::blue, 4));
        p.drawLine(QPointF(40, 25), QPointF(40, 50));
    });
    QImage out(50, 50, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    playMetafile(painter, QRectF(0, 0, 50, 50), bytesOf(emf));
    painter.end();
    EXPECT_EQ(rgbAt(out, 10, 10), 0xFF0000u);
    EXPECT_EQ(rgbAt(out, 35, 10), 0xFFFFFFu) << "clipped away";
    EXPECT_EQ(rgbAt(out, 5, 35), 0x00FF00u) << "image";
    EXPECT_EQ(rgbAt(out, 15, 35), 0xFFFFFFu) << "the image's transparent half";
    EXPECT_EQ(rgbAt(out, 40, 40), 0x0000FFu) << "thick line";
}
