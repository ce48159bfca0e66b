// Text pasted from a word processor or a web page into the rich text editor keeps its
// looks, and keeps its sizes on paper whatever the editor's zoom.
#include "DocumentProbe.h"

#include "support/TestPaths.h"

#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"

#include <QMimeData>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace velmora;
using namespace velmora::test;

namespace {

class PastingEditor : public TWPRichText
{
public:
    using TWPRichText::insertFromMimeData;
};

// What the store keeps after pasting into an empty editor at the zoom.
QTextDocument *pasted(const QMimeData &data, int zoom, QTextDocument &out)
{
    PastingEditor editor;
    editor.SetZoomPercent(zoom);
    editor.insertFromMimeData(&data);
    TWPRtfStorage store;
    editor.SaveToStore(store);
    store.loadIntoDocument(out);
    return &out;
}

Qt::Alignment alignmentOf(const QTextDocument &doc, const QString &text)
{
    return blockWith(doc, text).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

TEST(Paste, LibreOfficeHtml)
{
    QMimeData data;
    data.setHtml(QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><html><head>"
        "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/></head><body>"
        "<p align=\"center\" style=\"margin-bottom: 0cm; line-height: 100%\"><font color=\"#c9211e\">"
        "<font face=\"Liberation Sans, sans-serif\"><font size=\"4\" style=\"font-size: 14pt\">"
        "<b><i>Spring</i></b></font></font></font></p>"
        "<p style=\"margin-bottom: 0cm\">plain</p></body></html>"));
    QTextDocument doc;
    pasted(data, 70, doc);
    const QTextCharFormat f = formatOf(doc, QStringLiteral("Spring"));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_TRUE(f.fontItalic());
    EXPECT_NEAR(f.fontPointSize(), 14, 0.01);
    EXPECT_EQ(f.foreground().color(), QColor(0xc9, 0x21, 0x1e));
    EXPECT_EQ(alignmentOf(doc, QStringLiteral("Spring")), Qt::AlignHCenter);
}

TEST(Paste, WebPageSizesInPixels)
{
    QMimeData data;
    data.setHtml(QStringLiteral(
        "<p style=\"text-align:right\"><span style=\"font-size:24px;color:rgb(0,128,0);"
        "font-weight:700\">Web</span> <em>page</em></p>"));
    QTextDocument doc;
    pasted(data, 50, doc);
    const QTextCharFormat f = formatOf(doc, QStringLiteral("Web"));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_NEAR(f.fontPointSize(), 18, 0.01); // 24 pixels at 96 per inch
    EXPECT_EQ(f.foreground().color(), QColor(0, 128, 0));
    EXPECT_TRUE(formatOf(doc, QStringLiteral("page")).fontItalic());
    EXPECT_EQ(alignmentOf(doc, QStringLiteral("Web")), Qt::AlignRight);
}

TEST(Paste, WordProcessorRtfIsPreferredToItsHtml)
{
    std::ifstream in(fixture("rtf/libreoffice-label.rtf"), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    QMimeData data;
    data.setHtml(QStringLiteral("<p>the HTML copy</p>"));
    data.setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(bytes.str()));
    QTextDocument doc;
    pasted(data, 80, doc);
    EXPECT_EQ(paragraphs(doc).first(), QStringLiteral("Spring Fair"));
    const QTextCharFormat f = formatOf(doc, QStringLiteral("Spring Fair"));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_NEAR(f.fontPointSize(), 16, 0.01);
    EXPECT_EQ(f.foreground().color(), QColor(201, 33, 30));
    EXPECT_EQ(alignmentOf(doc, QStringLiteral("Spring Fair")), Qt::AlignHCenter);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Saturday")).fontItalic());
}

} // namespace
