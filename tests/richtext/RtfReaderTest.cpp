#include "DocumentProbe.h"

#include "richtext/RtfPicture.h"
#include "richtext/RtfReader.h"

#include <QBuffer>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <random>

using namespace velmora;
using namespace velmora::test;

namespace {
std::string hex(const QByteArray &bytes)
{
    return bytes.toHex().toStdString();
}

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A packed 24-bit DIB of 2 x 2 pixels, bottom row first: blue, green / red, white.
std::string dib24()
{
    QByteArray d;
    const std::pair<uint32_t, int> header[] = {{40, 4}, {2, 4}, {2, 4}, {1, 2}, {24, 2}, {0, 4},
                                               {16, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}};
    for (const auto &[value, size] : header)
        for (int i = 0; i < size; ++i)
            d.append(char((value >> (8 * i)) & 0xFF));
    d.append("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8); // blue, green, padding
    d.append("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8); // red, white, padding
    return hex(d);
}
} // namespace

TEST(RtfReader, CodePagesAndUnicode)
{
    QTextDocument doc;
    read(doc, "{\\rtf1\\ansi Gr\\'fc\\'dfe \\'80}");
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Grüße €"));

    read(doc, "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}");
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("При"));

    // A font's charset overrides the document's code page, double-byte characters included.
    read(doc, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset128 MS Mincho;}}"
              "\\'e9{\\f1 \\'93\\'fa\\'96\\'7b}}");
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("é日本"));

    // \ucN says how many fallback characters follow each \uN; a group end stops the skipping.
    // Negative values are code units above 32767.
    read(doc, "{\\rtf1 \\u26085?\\uc2\\u26412\\'96\\'7bx{\\uc3\\u-4064 ab}c\\uc0\\u8364 !}");
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("日本x") + QChar(0xF020) + QString::fromUtf8("c€!"));
}

TEST(RtfReader, CharacterFormattingAndTables)
{
    QTextDocument doc;
    read(doc, "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Helvetica;}}"
              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
              "plain {\\f0\\fs36\\b\\i\\ul\\strike\\cf1\\highlight2 all}"
              "{\\b\\b0 notbold}{\\ul\\ulnone notunder}{\\i\\plain reset}{\\cf2\\cf0 auto}"
              "{\\super up}{\\v hidden}}");
    EXPECT_EQ(doc.toPlainText(), "plain allnotboldnotunderresetautoup");
    const QTextCharFormat all = formatOf(doc, "all");
    EXPECT_EQ(family(all), "Times");
    EXPECT_DOUBLE_EQ(all.fontPointSize(), 18);
    EXPECT_EQ(all.fontWeight(), QFont::Bold);
    EXPECT_TRUE(all.fontItalic() && all.fontUnderline() && all.fontStrikeOut());
    EXPECT_EQ(all.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(all.background().color(), QColor(0, 0, 255));
    EXPECT_EQ(family(formatOf(doc, "plain")), "Helvetica");
    EXPECT_DOUBLE_EQ(formatOf(doc, "plain").fontPointSize(), 12);
    EXPECT_EQ(formatOf(doc, "notbold").fontWeight(), QFont::Normal);
    EXPECT_FALSE(formatOf(doc, "notunder").fontUnderline());
    EXPECT_FALSE(formatOf(doc, "reset").fontItalic());
    EXPECT_EQ(formatOf(doc, "auto").foreground().style(), Qt::NoBrush);
    EXPECT_EQ(formatOf(doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(RtfReader, ParagraphsAndSpecialCharacters)
{
    QTextDocument doc;
    read(doc, "{\\rtf1\\pard\\qc one\\line two\\par\\pard\\qr\\li1440 three\\tab x\\~y\\emdash"
              "\\ldblquote z\\rdblquote\\par\\pard\\qj last}");
    EXPECT_EQ(paragraphs(doc), (QStringList{QString("one") + QChar::LineSeparator + "two",
                                            QString::fromUtf8("three\tx\u00A0y—“z”"), "last"}));
    EXPECT_EQ(blockWith(doc, "one").blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWith(doc, "three").blockFormat().alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(blockWith(doc, "three").blockFormat().leftMargin(), 96);
    EXPECT_EQ(blockWith(doc, "last").blockFormat().alignment(), Qt::AlignJustify);

    // Only \par makes paragraphs, whatever characters the text smuggles in.
    read(doc, "{\\rtf1 a\\'0ab\\u8233?c\\u65532?\\u0?d}");
    EXPECT_EQ(paragraphs(doc), QStringList{QString("ab") + QChar::LineSeparator + "cd"});

    // The last \par ends the last paragraph; only a second one adds an empty paragraph.
    read(doc, "{\\rtf1 a\\par}");
    EXPECT_EQ(paragraphs(doc), QStringList{"a"});
    read(doc, "{\\rtf1 a\\par\\par}");
    EXPECT_EQ(paragraphs(doc), (QStringList{"a", ""}));
}

TEST(RtfReader, DestinationsThatAreNotBodyText)
{
    QTextDocument doc;
    read(doc, "{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
              "{\\*\\generator Gen;}{\\*\\unknownthing secret}{\\header head}{\\footer foot}"
              "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} "
              "{\\listtext\\'b7\\tab}item{\\footnote note}"
              "{\\upr{ansi}{\\*\\ud uni}}{\\*\\themedata 0102}{\\*\\datastore 0304}}");
    EXPECT_EQ(doc.toPlainText(), "link itemuni");
}

TEST(RtfReader, PictureKinds)
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    const std::string png = hex(pngOf(red));
    QTextDocument doc;

    // Word's pair: the shape picture is used, the metafile stand-in for old readers is not.
    auto report = read(doc, "{\\rtf1 {\\*\\shppict{\\pict\\pngblip\\picwgoal450\\pichgoal300 " + png
                                + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}}");
    ASSERT_EQ(images(doc).size(), 1u);
    EXPECT_DOUBLE_EQ(images(doc)[0].width(), 30);
    EXPECT_DOUBLE_EQ(images(doc)[0].height(), 20);
    EXPECT_EQ(report.picturesSkipped, 0);

    read(doc, "{\\rtf1{\\pict\\dibitmap0\\picscalex200\\picscaley50 " + dib24() + "}}");
    ASSERT_EQ(images(doc).size(), 1u);
    QImage dib = imageOf(doc, images(doc)[0]);
    ASSERT_EQ(dib.size(), QSize(2, 2));
    EXPECT_EQ(dib.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(dib.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_DOUBLE_EQ(images(doc)[0].width(), 4);
    EXPECT_DOUBLE_EQ(images(doc)[0].height(), 1);

    // A monochrome device bitmap, rows padded to 16 bits: 1 bits are white.
    read(doc, "{\\rtf1{\\pict\\wbitmap0\\picw3\\pich2\\wbmbitspixel1\\wbmwidthbytes2 a000 4000}}");
    ASSERT_EQ(images(doc).size(), 1u);
    const QImage mono = imageOf(doc, images(doc)[0]).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(mono.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(mono.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(mono.pixel(1, 1), qRgb(255, 255, 255));

    // Binary picture data may hold braces and backslashes.
    const QByteArray raw = pngOf(red);
    read(doc, "{\\rtf1 a{\\pict\\pngblip\\bin" + std::to_string(raw.size()) + " "
                  + raw.toStdString() + "}b}");
    EXPECT_EQ(images(doc).size(), 1u);
    EXPECT_EQ(doc.toPlainText(), QString("a") + QChar::ObjectReplacementCharacter + "b");

    report = read(doc, "{\\rtf1 x{\\pict\\emfblip 01000000}{\\pict\\wmetafile8 0100}}");
    EXPECT_TRUE(images(doc).empty());
    EXPECT_EQ(report.picturesSkipped, 2);
}

TEST(RtfReader, PlainTextIsAcceptedToo)
{
    QTextDocument doc;
    EXPECT_FALSE(readRtf("first\r\nsecond", doc).damaged);
    EXPECT_EQ(paragraphs(doc), (QStringList{"first", "second"}));
    readRtf("caf\xe9", doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("café"));
    readRtf("", doc);
    EXPECT_TRUE(doc.isEmpty());
}

TEST(RtfReader, DamagedInputKeepsWhatWasRead)
{
    QTextDocument doc;
    auto report = read(doc, "{\\rtf1 {\\b bold} trunc");
    EXPECT_TRUE(report.damaged);
    EXPECT_EQ(doc.toPlainText(), "bold trunc");

    report = read(doc, "{\\rtf1 a}}} b");
    EXPECT_EQ(doc.toPlainText(), "a");

    read(doc, "{\\rtf1\\fs99999999999\\li-99999999999{\\uc99999999999\\u99999999999 x}\\f99999999999 y}");
    EXPECT_DOUBLE_EQ(formatOf(doc, "y").fontPointSize(), 1638);

    report = read(doc, "{\\rtf1 a{\\pict\\pngblip\\bin999999999 abc}");
    EXPECT_TRUE(report.damaged);
    EXPECT_EQ(doc.toPlainText(), "a");

    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}') + "}";
    report = read(doc, deep);
    EXPECT_FALSE(report.damaged);
    EXPECT_EQ(doc.toPlainText(), "deep");

    read(doc, "{\\rtf1 x\\'");
    read(doc, "{\\rtf1 x\\");
    read(doc, "{\\rtf1{\\pict\\dibitmap0 28000000ffffff7fffffff7f01001800}}");
    read(doc, "{\\rtf1{\\pict\\dibitmap0 28000000ffffff7fffffff7f01001800" + std::string(48, '0') + "}}");
    read(doc, "{\\rtf1{\\pict\\wbitmap0\\picw30000\\pich30000\\wbmbitspixel32 00}}");
    EXPECT_TRUE(images(doc).empty());
}

TEST(RtfReader, RandomDamageNeverHangs)
{
    const std::string base =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "\\pard\\qc{\\b\\cf1 Hello \\'e9\\u8364?}\\par{\\pict\\pngblip 89504e47}"
        "{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\dibitmap0 2800}}}}\\bin4 {}\\}";
    std::mt19937 random(1234);
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < 3000; ++round) {
        std::string s = base;
        for (int k = 0; k < 6; ++k) {
            const auto at = random() % s.size();
            switch (random() % 3) {
            case 0: s[at] = static_cast<char>(random() % 256); break;
            case 1: s.erase(at, 1 + random() % 8); break;
            default: s.insert(at, s.substr(random() % s.size(), random() % 12)); break;
            }
        }
        QTextDocument doc;
        readRtf(s, doc);
    }
    EXPECT_LT(timer.elapsed(), 60000);
}
