// Pictures placed by the exporter, and design objects in its pictures and PDFs.
#include "support/ExporterRun.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class ExportPicture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(path("red.png")));
        QFile svg(path("drawing.svg"));
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='100' height='50'>"
                  "<rect x='0' y='0' width='100' height='50' fill='#0000ff'/>"
                  "<circle cx='50' cy='25' r='20' fill='#00ff00'/></svg>");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    int run(const QStringList &args, QString *err = nullptr) const
    {
        const velmora::test::ExporterRun r =
            velmora::test::runExporter(args, dir.path(), runtime.path());
        if (err) *err = r.err;
        return r.code;
    }
    QByteArray bytesOf(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QTemporaryDir runtime;
};

TEST_F(ExportPicture, WithObjectsDrawsPlacedPicturesIntoBitmaps)
{
    const QStringList picture{"--picture", "red.png@300,500,60,40"};
    ASSERT_EQ(run(picture + QStringList{"--with-objects", "with.png"}), 0);
    ASSERT_EQ(run(picture + QStringList{"without.png"}), 0);
    ASSERT_EQ(run(picture + QStringList{"--with-objects", "--zoom", "0.5", "half.bmp"}), 0);
    const QImage with(path("with.png")), without(path("without.png")), half(path("half.bmp"));
    ASSERT_FALSE(with.isNull());
    EXPECT_EQ(with.pixel(301, 501), qRgb(255, 0, 0));
    EXPECT_EQ(with.pixel(358, 538), qRgb(255, 0, 0));
    EXPECT_NE(with.pixel(362, 520), qRgb(255, 0, 0));
    EXPECT_NE(without.pixel(330, 520), qRgb(255, 0, 0));
    EXPECT_EQ(half.pixel(165, 260), qRgb(255, 0, 0));
    EXPECT_NE(half.pixel(330, 520), qRgb(255, 0, 0));
}

TEST_F(ExportPicture, PdfKeepsDrawingsAsVectorsAndHasBitmaps)
{
    // Without --with-objects: PDF always has its objects.
    ASSERT_EQ(run({"--picture", "drawing.svg@100,100,400,200", "drawing.pdf"}), 0);
    ASSERT_EQ(run({"--picture", "red.png@100,100,400,200", "bitmap.pdf"}), 0);
    ASSERT_EQ(run({"plain.pdf"}), 0);
    const QByteArray drawing = bytesOf("drawing.pdf"), bitmap = bytesOf("bitmap.pdf");
    // A drawing leaves no picture in the file; its shapes are painted as paths.
    EXPECT_FALSE(drawing.contains("/Subtype /Image"));
    EXPECT_GT(drawing.size(), bytesOf("plain.pdf").size());
    EXPECT_TRUE(bitmap.contains("/Subtype /Image"));
}

TEST_F(ExportPicture, BadPicturesAreRefused)
{
    QString err;
    EXPECT_EQ(run({"--picture", "missing.png@1,2,3,4", "out.png"}, &err), 1);
    EXPECT_TRUE(err.startsWith("velmora-export: cannot read the picture missing.png")) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1);
    for (const char *bad : {"red.png@1,2,3", "red.png", "@1,2,3,4", "red.png@1,2,0,4",
                               "red.png@a,2,3,4"}) {
        EXPECT_EQ(run({"--picture", bad, "out.png"}, &err), 2) << bad;
        EXPECT_TRUE(err.contains("--picture")) << err.toStdString();
    }
    QFile bad(path("bad.tga"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("damaged");
    bad.close();
    EXPECT_EQ(run({"--picture", "bad.tga@1,2,3,4", "out.pdf"}, &err), 1);
    EXPECT_FALSE(QFile::exists(path("out.png")));
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

} // namespace
