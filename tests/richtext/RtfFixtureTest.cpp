// RTF written by other word processors (tests/fixtures/rtf/generate.sh made the samples).
#include "DocumentProbe.h"

#include "support/TestPaths.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace velmora;
using namespace velmora::test;

namespace {
std::string readFixture(const std::string &name)
{
    std::ifstream in(fixture("rtf/" + name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void expectTheDot(const QTextDocument &doc, const QTextImageFormat &f)
{
    const QImage image = imageOf(doc, f);
    ASSERT_EQ(image.size(), QSize(8, 6));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(7, 5), qRgb(0, 0, 255));
}

// Reading, writing and reading again keeps the text: what a store does with a pasted text.
void expectStableRewrite(const QTextDocument &doc)
{
    QTextDocument again;
    readRtf(writeRtf(doc), again);
    EXPECT_EQ(paragraphs(again), paragraphs(doc));
    EXPECT_EQ(images(again).size(), images(doc).size());
}
} // namespace

TEST(RtfFromOtherProducers, Pandoc)
{
    QTextDocument doc;
    const RtfReadReport report = readRtf(readFixture("pandoc-notes.rtf"), doc);
    ASSERT_FALSE(report.damaged);
    const QString picture(QChar::ObjectReplacementCharacter);
    EXPECT_EQ(paragraphs(doc),
              (QStringList{"Dentist at ten, then lunch with Ann Bea.",
                           QString::fromUtf8("Grüße € 日本 — “quoted”"),
                           "Tabs and braces {x} and back\\slash.", picture}));
    EXPECT_EQ(family(formatOf(doc, "Dentist")), "Helvetica");
    EXPECT_EQ(formatOf(doc, "ten").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(doc, "lunch").fontItalic());
    EXPECT_TRUE(formatOf(doc, "Ann").fontStrikeOut());
    EXPECT_FALSE(formatOf(doc, "Bea").fontStrikeOut());
    EXPECT_DOUBLE_EQ(blockWith(doc, "Dentist").blockFormat().bottomMargin(), 12); // \sa180

    const auto found = images(doc);
    ASSERT_EQ(found.size(), 1u);
    expectTheDot(doc, found[0]);
    EXPECT_NEAR(found[0].width(), 160 / 15.0, 1e-9); // \picwgoal160
    expectStableRewrite(doc);
}

TEST(RtfFromOtherProducers, LibreOffice)
{
    QTextDocument doc;
    const RtfReadReport report = readRtf(readFixture("libreoffice-styled.rtf"), doc);
    ASSERT_FALSE(report.damaged);
    EXPECT_EQ(report.picturesSkipped, 0);
    const QStringList texts = paragraphs(doc);
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], "Plain bold italic red under big sans");
    EXPECT_EQ(texts[1], QString::fromUtf8("Centred Grüße €") + QChar::LineSeparator
                            + QString::fromUtf8("日本"));
    EXPECT_EQ(texts[2], "Right\ttab");
    EXPECT_EQ(texts[3], QString("Picture: ") + QChar::ObjectReplacementCharacter + " end");

    EXPECT_EQ(family(formatOf(doc, "Plain")), "Liberation Serif");
    EXPECT_DOUBLE_EQ(formatOf(doc, "Plain").fontPointSize(), 12);
    EXPECT_EQ(formatOf(doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(doc, "italic").fontItalic());
    EXPECT_EQ(formatOf(doc, "red").foreground().color(), QColor(0xc0, 0, 0));
    EXPECT_TRUE(formatOf(doc, "under").fontUnderline());
    EXPECT_EQ(family(formatOf(doc, "big sans")), "Liberation Sans");
    EXPECT_DOUBLE_EQ(formatOf(doc, "big sans").fontPointSize(), 18);
    EXPECT_EQ(blockWith(doc, "Plain").blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(blockWith(doc, "Centred").blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWith(doc, "Right").blockFormat().alignment(), Qt::AlignRight);

    // An inline picture arrives as a drawing shape sized by its frame (0.5 x 0.375 in).
    const auto found = images(doc);
    ASSERT_EQ(found.size(), 1u);
    expectTheDot(doc, found[0]);
    EXPECT_NEAR(found[0].width(), 48, 0.5);
    EXPECT_NEAR(found[0].height(), 36, 0.5);
    expectStableRewrite(doc);
}

TEST(RtfFromOtherProducers, EveryTruncationKeepsTheStartOfTheText)
{
    const std::string full = readFixture("libreoffice-styled.rtf");
    const std::size_t firstLine = full.find("Plain");
    ASSERT_NE(firstLine, std::string::npos);
    for (std::size_t length = 0; length < full.size(); length += 13) {
        QTextDocument doc;
        const RtfReadReport report = readRtf(std::string_view(full).substr(0, length), doc);
        if (length < 5) // not even "{\rtf": read as plain text
            continue;
        EXPECT_TRUE(report.damaged) << length;
        if (length > firstLine + 6) {
            EXPECT_TRUE(doc.toPlainText().startsWith("Plain ")) << length;
        }
    }
}
