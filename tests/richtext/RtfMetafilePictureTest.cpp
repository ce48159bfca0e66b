// Metafile pictures inside cell RTF are played by the imaging layer's player.
#include "richtext/RtfReader.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

using namespace velmora;

namespace {

std::string hexOf(const QByteArray &bytes)
{
    return bytes.toHex().toStdString();
}

QByteArray fixtureBytes(const char *name)
{
    QFile f(QString::fromStdString(test::fixture(std::string("imaging/") + name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<QTextImageFormat> imagesIn(const QTextDocument &doc)
{
    std::vector<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out.push_back(it.fragment().charFormat().toImageFormat());
    return out;
}

} // namespace

TEST(RtfMetafilePicture, WmetafileAndEmfblipAreDrawnNotSkipped)
{
    // A plain WMF, as \wmetafile carries it, shown 1 inch square by its goal size.
    const std::string wmf = hexOf(fixtureBytes("records_plain.wmf"));
    const std::string emf = hexOf(fixtureBytes("records.emf"));
    QTextDocument doc;
    const RtfReadReport report = readRtf("{\\rtf1 {\\pict\\wmetafile8\\picw5292\\pich5292"
                                         "\\picwgoal1440\\pichgoal1440 " + wmf + "}"
                                         "{\\pict\\emfblip\\picw5292\\pich5292 " + emf + "}}",
                                         doc);
    EXPECT_EQ(report.picturesSkipped, 0);
    const auto images = imagesIn(doc);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_DOUBLE_EQ(images[0].width(), 96);
    EXPECT_NEAR(images[1].width(), 200, 0.1) << "hundredths of a millimetre";
    const QImage drawn = doc.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    ASSERT_FALSE(drawn.isNull());
    // The red rectangle fills the top-left cell of the 5 x 5 grid.
    const QPoint inRed(drawn.width() / 10, drawn.height() / 10);
    EXPECT_EQ(drawn.pixel(inRed) & 0xFFFFFF, 0xFF0000u);
}
