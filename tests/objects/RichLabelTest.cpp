// The rich text label: what it stores, how it draws through the master, its menu, the tool
// that places it, the editor it opens, and its text on paper.
#include "objects/Gprichl.h"

#include "TestObjects.h"
#include "common/Canvas.h"
#include "common/ReportCanvas.h"
#include "objects/Gprichle.h"
#include "objects/ObjectFiler.h"
#include "richtext/WPMasterRichText.h"
#include "richtext/WPRichText.h"
#include "support/TestPaths.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

TWPRtfStorage storeWith(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    TWPRtfStorage s;
    s.saveFromDocument(doc);
    return s;
}

std::string fixtureBytes(const std::string &name)
{
    std::ifstream in(fixture(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TBytes recordOf(const TGGraphicControl &o)
{
    TWriter w;
    w.writeComponent(o, o.Name());
    return w.takeBytes();
}

std::unique_ptr<TGGraphicControl> readBack(const TBytes &bytes)
{
    TReader r(bytes);
    return ReadDesignObject(r);
}

class RichLabel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterRichTextLabel();
        InstallRichTextEditor();
    }
    void TearDown() override { RichTextEditorDialogHook() = {}; }

    TGPRichBaseLabel *place(const TRect &r)
    {
        auto label = std::make_unique<TGPRichBaseLabel>();
        label->Loaded();
        return static_cast<TGPRichBaseLabel *>(t.panel.AddObject(std::move(label), r));
    }

    std::shared_ptr<TWPMasterRichText> master = TWPMasterRichText::Create();
    TTestPanel t;
};

TEST_F(RichLabel, CreationValuesAndStreamOrder)
{
    TGPRichBaseLabel label;
    label.Loaded();
    EXPECT_EQ(label.Width(), 190);
    EXPECT_EQ(label.Height(), 33);
    EXPECT_TRUE(label.Transparent());
    EXPECT_EQ(label.BGColor(), clWhite);
    EXPECT_EQ(label.BorderStyle(), TGPRichBaseLabel::bsSingle);
    // An empty document is not stored, and such a label reads back empty.
    EXPECT_THAT(storedNames(recordOf(label)),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable",
                            "BorderStyle", "Transparent", "BGColor"));
    auto empty = readBack(recordOf(label));
    EXPECT_TRUE(static_cast<TGPRichBaseLabel &>(*empty).RTFText().isEmpty());

    label.SetRTFText(storeWith(QStringLiteral("<b>Fair</b> at <i>ten</i>")));
    label.SetBGColor(0x0080FF);
    label.SetTransparent(false);
    label.SetBorderStyle(TGPRichBaseLabel::bsNone);
    const TBytes first = recordOf(label);
    EXPECT_THAT(storedNames(first),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable",
                            "RTFText.Data", "BorderStyle", "Transparent", "BGColor"));
    auto again = readBack(first);
    auto &copy = static_cast<TGPRichBaseLabel &>(*again);
    EXPECT_EQ(copy.RTFText().rtfBytes(), label.RTFText().rtfBytes());
    EXPECT_FALSE(copy.Transparent());
    EXPECT_EQ(copy.BGColor(), TColor(0x0080FF));
    EXPECT_EQ(copy.BorderStyle(), TGPRichBaseLabel::bsNone);
    EXPECT_EQ(recordOf(copy), first);
}

TEST_F(RichLabel, WithoutMasterItCannotBeCompleted)
{
    master.reset();
    TGPRichBaseLabel label;
    try {
        label.Loaded();
        FAIL() << "no error";
    } catch (const ENoMasterWPRich &e) {
        EXPECT_STREQ(e.what(), "No master rich text object found");
    }
    // Nothing to draw with: drawing does nothing rather than failing.
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        QPainter p(&image);
        TCanvas canvas(p, 96);
        label.DrawOn(canvas);
    }
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::gray).rgb());
}

TEST_F(RichLabel, SettersIgnoreUnchangedValuesAndReportChanges)
{
    TGPRichBaseLabel *label = place({10, 10, 200, 43});
    t.changes = 0;
    label->SetBGColor(clWhite);
    label->SetBorderStyle(TGPRichBaseLabel::bsSingle);
    EXPECT_EQ(t.changes, 0);
    label->SetBGColor(clRed);
    label->SetBorderStyle(TGPRichBaseLabel::bsNone);
    EXPECT_EQ(t.changes, 2);
    label->SetRTFText(storeWith(QStringLiteral("x")));
    EXPECT_EQ(t.changes, 3);
}

TEST_F(RichLabel, TransparentShowsThePageOpaqueFillsTheBox)
{
    TGPRichBaseLabel label;
    label.Loaded();
    label.SetBounds(0, 0, 100, 40);
    label.SetRTFText(storeWith(
        QStringLiteral("<p style='font-size:20pt; color:#0000ff'><b>WWWW</b></p>")));
    const auto draw = [&](float zoom) {
        label.SetZoom(zoom);
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        TCanvas canvas(p, 96);
        label.DrawOn(canvas);
        return image;
    };
    const QRgb gray = QColor(Qt::gray).rgb();
    QImage see = draw(1.0F);
    EXPECT_EQ(see.pixel(0, 0), qRgb(0, 0, 0)) << "border";
    EXPECT_EQ(see.pixel(99, 39), qRgb(0, 0, 0));
    EXPECT_EQ(see.pixel(95, 35), gray) << "transparent: the page shows";
    EXPECT_EQ(see.pixel(100, 40), gray) << "nothing beyond the box";
    int blue = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (qBlue(see.pixel(x, y)) > 200 && qRed(see.pixel(x, y)) < 80) ++blue;
    EXPECT_GT(blue, 50) << "the text is drawn";

    label.SetTransparent(false);
    label.SetBGColor(clYellow);
    label.SetBorderStyle(TGPRichBaseLabel::bsNone);
    QImage opaque = draw(0.5F);
    EXPECT_EQ(opaque.pixel(0, 0), qRgb(255, 255, 0));
    EXPECT_EQ(opaque.pixel(49, 19), qRgb(255, 255, 0));
    EXPECT_EQ(opaque.pixel(50, 20), gray) << "the box shrinks with the zoom";
}

TEST_F(RichLabel, MasterZoomIsTheWholePercentOfTheFactor)
{
    EXPECT_EQ(TGPRichBaseLabel::ZoomPercentOf(1.0F), 100);
    EXPECT_EQ(TGPRichBaseLabel::ZoomPercentOf(0.7F), 70);
    EXPECT_EQ(TGPRichBaseLabel::ZoomPercentOf(0.2F), 20);
    EXPECT_EQ(TGPRichBaseLabel::ZoomPercentOf(0.555F), 55);
}

TEST_F(RichLabel, MenuWithCheckMarks)
{
    TGPRichBaseLabel *label = place({10, 10, 200, 43});
    std::vector<std::string> names;
    for (const TMenuEntry &e : label->PopupMenu().entries())
        names.push_back(e.isSeparator() ? "-" : e.text.toStdString());
    ASSERT_GE(names.size(), 5U);
    names.erase(names.begin(), names.end() - 5);
    EXPECT_THAT(names, ElementsAre("-", "Transparent", "Background Color", "Border", "Edit"));
    TObjectMenu &m = label->PopupMenu();
    EXPECT_TRUE(m.find("Transparent")->checked);
    EXPECT_TRUE(m.find("Border")->checked);
    t.changes = 0;
    m.find("Transparent")->action();
    m.find("Border")->action();
    label->PopupShowing();
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), TGPRichBaseLabel::bsNone);
    EXPECT_FALSE(m.find("Transparent")->checked);
    EXPECT_FALSE(m.find("Border")->checked);
    EXPECT_EQ(t.changes, 2);
}

TEST_F(RichLabel, ToolPlacesAnOpaqueBorderedLabelAndOpensTheEditor)
{
    int opened = 0;
    RichTextEditorDialogHook() = [&](TRichTextLabelEditor &) {
        ++opened;
        return false;
    };
    t.panel.SetPanelState(psRichLabel);
    t.drag({40, 40}, {300, 120});
    ASSERT_EQ(t.panel.ObjectCount(), 1);
    auto *label = dynamic_cast<TGPRichBaseLabel *>(t.panel.Object(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(rectOf(*label), (TRect{40, 40, 300, 120}));
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), TGPRichBaseLabel::bsSingle);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(t.panel.PanelState(), psPointing);
}

TEST_F(RichLabel, DoubleClickOnTheSelectedLabelOpensTheEditor)
{
    place({50, 50, 250, 100});
    int opened = 0;
    RichTextEditorDialogHook() = [&](TRichTextLabelEditor &) {
        ++opened;
        return false;
    };
    t.click({100, 70});
    const int menusBefore = t.menusShown;
    QTest::mouseDClick(&t.panel, Qt::LeftButton, {}, QPoint(100, 70));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(t.menusShown, menusBefore);
}

TEST_F(RichLabel, EditorStartsAtThePageZoomAndZoomsBetween50And100)
{
    TGPRichBaseLabel *label = place({0, 0, 200, 100});
    label->SetTransparent(false);
    label->SetBGColor(clAqua);
    t.panel.SetZoom(0.7F);
    TRichTextLabelEditor editor;
    editor.Load(*label);
    EXPECT_EQ(editor.ZoomPercent(), 70);
    EXPECT_EQ(editor.WPPanel()->size(), QSize(141, 71));
    EXPECT_EQ(editor.WPPanel()->palette().color(QPalette::Window), QColor(0, 255, 255));
    auto *plus = editor.findChild<QToolButton *>(QStringLiteral("ZoomPlusButton"));
    auto *minus = editor.findChild<QToolButton *>(QStringLiteral("ZoomMinusButton"));
    ASSERT_NE(plus, nullptr);
    ASSERT_NE(minus, nullptr);
    EXPECT_EQ(plus->toolTip(), QStringLiteral("Zoom In"));
    for (int i = 0; i < 5; ++i) plus->click();
    EXPECT_EQ(editor.ZoomPercent(), 100);
    EXPECT_FALSE(plus->isEnabled());
    EXPECT_EQ(editor.WPPanel()->size(), QSize(201, 101));
    for (int i = 0; i < 8; ++i) editor.ZoomMinusButtonClick();
    EXPECT_EQ(editor.ZoomPercent(), 50);
    EXPECT_FALSE(minus->isEnabled());
    EXPECT_EQ(editor.WPPanel()->size(), QSize(101, 51));
}

TEST_F(RichLabel, CancelKeepsTheDocumentOkTakesTheEditedOne)
{
    TGPRichBaseLabel *label = place({0, 0, 200, 60});
    label->SetRTFText(storeWith(QStringLiteral("Before")));
    const std::string before = label->RTFText().rtfBytes();
    const auto typeAndAnswer = [&](bool ok) {
        RichTextEditorDialogHook() = [ok](TRichTextLabelEditor &e) {
            e.WPRichText1()->moveCursor(QTextCursor::End);
            e.WPRichText1()->insertPlainText(QStringLiteral(" and after"));
            return ok;
        };
    };
    typeAndAnswer(false);
    t.changes = 0;
    EXPECT_FALSE(label->Edit());
    EXPECT_EQ(label->RTFText().rtfBytes(), before);
    EXPECT_EQ(t.changes, 0);
    typeAndAnswer(true);
    EXPECT_TRUE(label->Edit());
    QTextDocument doc;
    label->RTFText().loadIntoDocument(doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Before and after"));
    EXPECT_GT(t.changes, 0);
}

TEST_F(RichLabel, LibreOfficeTextKeepsItsFormattingAndBytes)
{
    TGPRichBaseLabel label;
    label.Loaded();
    label.SetBounds(0, 0, 300, 80);
    TWPRtfStorage store;
    store.setRtfBytes(fixtureBytes("rtf/libreoffice-label.rtf"));
    label.SetRTFText(store);
    // What the label stores is what it was given, and reads back unchanged.
    const TBytes first = recordOf(label);
    auto again = readBack(first);
    EXPECT_EQ(recordOf(*again), first);

    QTextDocument doc;
    label.RTFText().loadIntoDocument(doc);
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(doc.firstBlock().text(), QStringLiteral("Spring Fair"));
    EXPECT_EQ(doc.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    const QTextCharFormat title = doc.firstBlock().begin().fragment().charFormat();
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16);
    EXPECT_EQ(title.foreground().color(), QColor(201, 33, 30));

    QImage image(300, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        TCanvas canvas(p, 96);
        label.DrawOn(canvas);
    }
    // The red title sits in the middle of the first line.
    int redLeft = 300, redRight = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 300; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 100) {
                redLeft = std::min(redLeft, x);
                redRight = std::max(redRight, x);
            }
        }
    ASSERT_GT(redRight, redLeft);
    EXPECT_NEAR((redLeft + redRight) / 2.0, 150, 8);
}

TEST_F(RichLabel, PrintsRealTextAtItsPlace)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    TGPRichBaseLabel label;
    label.Loaded();
    label.SetBounds(96, 192, 300, 60); // 1 inch from the left, 2 from the top
    label.SetZoom(0.5F);               // paper ignores the screen's zoom
    label.SetRTFText(storeWith(QStringLiteral("<span style='font-size:14pt'>Harvest</span>")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        TReportCanvas report(painter, 600);
        label.PrintObject(report, 0, 0);
    }
    QProcess run;
    run.start(pdftotext, {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished());
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">Harvest<"));
    const QRegularExpressionMatch m = word.match(out);
    ASSERT_TRUE(m.hasMatch()) << out.toStdString();
    // 72 points to the inch; the text starts at the box's corner.
    EXPECT_NEAR(m.captured(1).toDouble(), 72, 3);
    EXPECT_NEAR(m.captured(2).toDouble(), 144, 6);
}

} // namespace
} // namespace velmora::test
