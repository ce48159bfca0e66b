// SuperText: gradient bands, shadow, surface rules, stored form, fitting, painting and
// printing, and its three dialogs driven without modal loops.
#include "TestObjects.h"
#include "support/ScriptedUi.h"

#include "common/Canvas.h"
#include "common/Program.h"
#include "common/ReportCanvas.h"
#include "objects/ColorCombo.h"
#include "objects/ObjectFiler.h"
#include "objects/gsstext.h"
#include "objects/gstprop.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <algorithm>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

QImage paintOf(TGSuperText &t)
{
    const TRect r = t.ScreenRect();
    QImage image(r.width(), r.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    t.PaintContent(p);
    return image;
}

int countColor(const QImage &image, QColor c)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == c) ++n;
    return n;
}

TEST(SuperText, GradientBandsRunFromOneEndToTheOther)
{
    TGSuperText t;
    t.SetBounds(0, 0, 600, 150);
    const QColor blue(0, 0, 255);
    const QColor yellow(255, 255, 0);
    struct Case
    {
        TFillDirection direction;
        QPoint first;  // where band 0 lies
        QPoint last;   // where band 255 lies
        QColor atFirst;
    };
    for (const Case &c : {Case{gdRight, {0, 75}, {599, 75}, blue},
                          Case{gdLeft, {0, 75}, {599, 75}, yellow},
                          Case{gdDown, {300, 0}, {300, 149}, blue},
                          Case{gdUp, {300, 0}, {300, 149}, yellow}}) {
        t.SetFillDirection(c.direction);
        const QImage &g = t.GradientBitmap();
        ASSERT_EQ(g.size(), QSize(600, 150));
        EXPECT_EQ(g.pixelColor(c.first), c.atFirst) << c.direction;
        EXPECT_EQ(g.pixelColor(c.last), c.atFirst == blue ? yellow : blue) << c.direction;
    }
    // Band 128: each channel start + MulDiv(128, end - start, 255), rounded to nearest.
    EXPECT_EQ(GradientBandColor(blue, yellow, 128), QColor(128, 128, 127));
    // Narrower than 256 pixels: later bands paint over the ones without a pixel of their
    // own, and every column is painted, bluest first.
    t.SetFillDirection(gdRight);
    t.SetBounds(0, 0, 10, 150);
    const QImage &narrow = t.GradientBitmap();
    for (int x = 1; x < 10; ++x)
        EXPECT_LT(narrow.pixelColor(x - 1, 0).red(), narrow.pixelColor(x, 0).red()) << x;
}

TEST(SuperText, ShadowFollowsDepthAndOrientation)
{
    TGSuperText t;
    t.SetCaptionText("Hi");
    t.SetSurfaceType(stNormal);
    t.SetOutlineStyle(psClear);
    t.SetShadowcolor(clRed);
    t.SetBounds(0, 0, 200, 100);
    // An orientation without depth draws no shadow.
    EXPECT_EQ(countColor(paintOf(t), Qt::red), 0);

    t.SetShadowDepth(3);
    EXPECT_EQ(t.ShadowOffset(), (TPixelOffset{3, 3}));
    t.UpdateLayout();
    const TSuperTextLayout &l = t.Layout();
    EXPECT_EQ(l.shadowOrigin.x - l.mainOrigin.x, 3);
    EXPECT_EQ(l.shadowOrigin.y - l.mainOrigin.y, 3);
    const QImage image = paintOf(t);
    EXPECT_GT(countColor(image, Qt::red), 0);
    // The shadow peeks out below and right of the face, never above or left of it.
    int topRed = image.height(), topBlack = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == Qt::red) topRed = std::min(topRed, y);
            if (image.pixelColor(x, y) == Qt::black) topBlack = std::min(topBlack, y);
        }
    EXPECT_EQ(topRed - topBlack, 3);

    t.SetShadowOrientation(sdLeft);
    EXPECT_EQ(t.ShadowOffset(), (TPixelOffset{-3, 0}));
    t.UpdateLayout();
    EXPECT_EQ(t.Layout().mx, 3); // room on the left for the shadow
}

TEST(SuperText, SurfaceRules)
{
    TGSuperText t;
    t.SetOutlineStyle(psClear);
    t.SetSurfaceType(stBrushTransparent);
    EXPECT_EQ(t.OutlineStyle(), psSolid);

    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::green);
    t.SetImage(tile);
    t.SetSurfaceType(stBrushImage);
    EXPECT_FALSE(t.Image().isNull());
    t.SetSurfaceType(stGradientFill);
    EXPECT_TRUE(t.Texture().isEmpty());
}

TEST(SuperText, StoredInOrderWithDefaultsLeftOut)
{
    TGSuperText fresh;
    TWriter w;
    w.writeComponent(fresh, "Special1");
    EXPECT_THAT(storedNames(w.bytes()),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable",
                            "BorderStyle", "ControlTransparent", "BGColor", "Caption",
                            "Font.Color", "Font.Height", "Font.Name", "FillDirection",
                            "GradientToColor", "GradientFromColor", "OutlineColor",
                            "OutlineStyle", "OutlineWidth", "SurfaceType"));

    RegisterSuperText();
    TGSuperText t;
    t.SetBounds(5, 6, 300, 90);
    t.SetShadowDepth(4);
    t.SetShadowOrientation(sdDownLeft);
    t.SetShadowcolor(clNavy);
    t.SetBorderStyle(bsSingle);
    t.SetControlTransparent(false);
    t.SetBGColor(clAqua);
    t.SetCaptionText("Gr\xc3\xbc\xc3\x9f" "e");
    t.SetFillDirection(gdUp);
    t.SetGradientToColor(clRed);
    t.SetGradientFromColor(clLime);
    t.SetOutlineColor(clMaroon);
    t.SetOutlineStyle(psDashDot);
    t.SetOutlineWidth(3);
    t.SetSurfaceType(stBrushImage);
    QImage tile(3, 2, QImage::Format_RGB32);
    tile.fill(Qt::magenta);
    t.SetImage(tile);
    t.SetLastBitmapFileNameandPath("/tmp/t.bmp");
    TWriter first;
    first.writeComponent(t, "Special2");
    EXPECT_THAT(storedNames(first.bytes()),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable",
                            "ShadowDepth", "ShadowOrientation", "Shadowcolor", "BorderStyle",
                            "ControlTransparent", "BGColor", "Caption", "Font.Color",
                            "Font.Height", "Font.Name", "FillDirection", "GradientToColor",
                            "GradientFromColor", "Image.Data", "OutlineColor", "OutlineStyle",
                            "OutlineWidth", "SurfaceType", "LastBitmapFileNameandPath"));

    TReader r(first.bytes());
    const std::unique_ptr<TGGraphicControl> copy = ReadDesignObject(r);
    auto &c = static_cast<TGSuperText &>(*copy);
    EXPECT_EQ(c.SurfaceType(), stBrushImage);
    EXPECT_EQ(c.Image().size(), QSize(3, 2));
    EXPECT_EQ(c.Caption(), t.Caption());
    EXPECT_EQ(c.ShadowOffset(), (TPixelOffset{-4, 4}));
    TWriter second;
    second.writeComponent(c, "Special2");
    EXPECT_EQ(second.bytes(), first.bytes());

    // A damaged texture costs the texture, not the object.
    TBytes bytes = first.bytes();
    const std::string marker = "Image.Data";
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    ASSERT_NE(at, bytes.end());
    *(at + long(marker.size()) + 5 + 4) = 'X'; // the "BM" signature
    TReader damaged(bytes);
    const std::unique_ptr<TGGraphicControl> survivor = ReadDesignObject(damaged);
    EXPECT_TRUE(static_cast<TGSuperText &>(*survivor).Texture().isEmpty());
}

TEST(SuperText, FitToTextAndTheCrossedBox)
{
    TGSuperText t;
    t.SetBounds(0, 0, 20, 20);
    t.SetShadowDepth(5);
    EXPECT_TRUE(t.FitToText());
    const QFontMetrics m(TCanvas::makeFont(t.Font().name, -t.Font().height, 0));
    EXPECT_GE(t.Width(), m.horizontalAdvance(QStringLiteral("Text")));
    EXPECT_GE(t.Height(), m.height());

    // Too narrow for one letter: a black box with both diagonals instead of text.
    t.SetBounds(0, 0, 8, 60);
    t.SetSurfaceType(stNormal);
    t.SetShadowDepth(0);
    const QImage image = paintOf(t);
    EXPECT_EQ(image.pixelColor(0, 0), Qt::black);
    EXPECT_EQ(image.pixelColor(7, 59), Qt::black);
    int crossing = 0; // the diagonals inside the box
    for (int x = 1; x < 7; ++x)
        if (image.pixelColor(x, image.height() / 2) == Qt::black) ++crossing;
    EXPECT_GE(crossing, 1);
}

TEST(SuperText, TinyTextureAtSmallZoomStillPaints)
{
    TGSuperText t;
    t.SetBounds(0, 0, 600, 150);
    t.SetSurfaceType(stBrushImage);
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::green);
    t.SetImage(dot);
    t.SetOutlineStyle(psClear);
    t.SetZoom(0.2F);
    const QImage image = paintOf(t);
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).green() > 200 && image.pixelColor(x, y).red() < 50) ++green;
    EXPECT_GT(green, 0);
}

TEST(SuperText, PrintsLettersAsVectors)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("st.pdf"));
    TGSuperText t;
    t.SetBounds(96, 96, 600, 150);
    t.SetShadowDepth(3);
    t.SetOutlineWidth(2);
    {
        QPdfWriter pdf(file);
        pdf.setResolution(600);
        QPainter p(&pdf);
        TReportCanvas report(p, 600);
        t.PrintObject(report, 0, 0);
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_GT(bytes.size(), 500);
    // Gradient, shadow and outline are paths and fills: no picture of the object.
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
}

// ---------------------------------------------------------------------------------------

class SuperTextDialogs : public ::testing::Test
{
protected:
    void TearDown() override { SuperTextDialogHooks() = {}; }
    ScopedScriptedUi ui;
};

TEST_F(SuperTextDialogs, PropertiesPreviewSizesAndOk)
{
    TGSuperText object;
    object.SetBounds(10, 10, 300, 80);
    TSuperTextProperties d(object);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("SuperText Properties"));
    EXPECT_EQ(d.SurfaceTypeCombo->currentIndex(), stGradientFill);
    EXPECT_EQ(d.ShadowColorButton->Color(), clGray);
    EXPECT_EQ(d.ShadowColorButton->currentText(), QStringLiteral("Gray"));
    EXPECT_FALSE(d.FillPanel->isHidden());
    EXPECT_TRUE(d.ImagePanel->isHidden());
    EXPECT_TRUE(d.FontcolorPanel->isHidden());
    d.SurfaceTypeCombo->setCurrentIndex(stNormal);
    EXPECT_TRUE(d.FillPanel->isHidden());
    EXPECT_FALSE(d.FontcolorPanel->isHidden());
    EXPECT_EQ(d.Preview().SurfaceType(), stNormal);

    // Font size: steps of 5, never below 10 nor above 150.
    TFontDesc f = d.Preview().Font();
    f.setSize(12);
    d.Preview().ApplyFont(f);
    d.SizeDownClick();
    EXPECT_EQ(d.Preview().Font().size(), 7);
    d.SizeDownClick();
    EXPECT_EQ(d.Preview().Font().size(), 7);
    f.setSize(148);
    d.Preview().ApplyFont(f);
    d.SizeUpClick();
    EXPECT_EQ(d.Preview().Font().size(), 153);
    d.SizeUpClick();
    EXPECT_EQ(d.Preview().Font().size(), 153);
    f.setSize(43);
    d.Preview().ApplyFont(f);
    d.SizeUpClick();

    // Typing refits only when the timer comes round.
    QTest::keyClicks(d.CaptionText, QStringLiteral("XYZ"));
    EXPECT_TRUE(d.FitPending());
    const int before = d.Preview().Width();
    d.FitTimerTick();
    EXPECT_FALSE(d.FitPending());
    EXPECT_GT(d.Preview().Width(), before);
    EXPECT_EQ(d.FitTimer->interval(), 200);

    d.ShadowDepthSpinner->setValue(4);
    d.OutlineStyleCombo->setCurrentIndex(psDot);
    d.FontColorButton->PickColor(clRed);
    d.CaptionText->clear();
    EXPECT_FALSE(d.OkClick());
    EXPECT_THAT(ui.ui().messages, ElementsAre(QStringLiteral("Please enter some text")));
    d.CaptionText->setText(QStringLiteral("Done"));
    EXPECT_TRUE(d.OkClick());
    d.ApplyTo(object);
    EXPECT_EQ(object.Caption(), "Done");
    EXPECT_EQ(object.ShadowDepth(), 4);
    EXPECT_EQ(object.OutlineStyle(), psDot);
    EXPECT_EQ(object.SurfaceType(), stNormal);
    EXPECT_EQ(object.Font().color, clRed);
    // Size and box are the object's own.
    EXPECT_EQ(object.BorderStyle(), bsNone);
}

TEST_F(SuperTextDialogs, TextureIsOfferedAgainAfterSwitchingAway)
{
    QTemporaryDir dir;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::darkGreen);
    const QString good = dir.filePath(QStringLiteral("moss.bmp"));
    ASSERT_TRUE(tile.save(good, "BMP"));
    const QString bad = dir.filePath(QStringLiteral("broken.bmp"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM not really a bitmap");
    }

    TGSuperText object;
    TSuperTextProperties d(object);
    SuperTextDialogHooks().runTextures = [&](TSuperTextBrushImageBrowser &b) {
        EXPECT_FALSE(b.SelectFile(bad));
        EXPECT_TRUE(b.Preview().Texture().isEmpty());
        EXPECT_TRUE(b.SelectFile(good));
        return true;
    };
    d.SurfaceTypeCombo->setCurrentIndex(stBrushImage);
    EXPECT_FALSE(d.ImagePanel->isHidden());
    d.LoadTextureClick();
    EXPECT_THAT(ui.ui().messages, ElementsAre(QStringLiteral("Error loading file!")));
    EXPECT_EQ(d.Preview().Image().size(), QSize(8, 8));
    EXPECT_EQ(d.TexturePath(), good);

    d.SurfaceTypeCombo->setCurrentIndex(stGradientFill);
    EXPECT_TRUE(d.Preview().Texture().isEmpty());
    d.SurfaceTypeCombo->setCurrentIndex(stBrushImage);
    EXPECT_EQ(d.Preview().Image().size(), QSize(8, 8));

    d.ApplyTo(object);
    EXPECT_EQ(object.LastBitmapFileNameandPath(), good.toStdString());
    EXPECT_EQ(object.Image().size(), QSize(8, 8));
}

TEST_F(SuperTextDialogs, TextureBrowserStartsInTheTextureFolders)
{
    QTemporaryDir dir;
    SetAppFolder(dir.path());
    EXPECT_EQ(TSuperTextBrushImageBrowser::StartFolder(), QDir::cleanPath(dir.path()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Textures")));
    EXPECT_EQ(TSuperTextBrushImageBrowser::StartFolder(), dir.filePath(QStringLiteral("Textures")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("bmbrush")));
    EXPECT_EQ(TSuperTextBrushImageBrowser::StartFolder(), dir.filePath(QStringLiteral("bmbrush")));
    TGSuperText preview;
    TSuperTextBrushImageBrowser b(QString(), preview);
    EXPECT_EQ(b.Folder(), dir.filePath(QStringLiteral("bmbrush")));
    EXPECT_EQ(b.windowTitle(), QStringLiteral("Load Texture Image"));
    SetAppFolder({});
}

TEST_F(SuperTextDialogs, SymbolPickerOffersSymbolFonts)
{
    const QStringList fonts = TSuperTextGetSymbol::SymbolFonts();
    TSuperTextGetSymbol picker;
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Symbol Selector"));
    if (fonts.isEmpty()) {
        EXPECT_FALSE(picker.HasFonts());
        EXPECT_THAT(ui.ui().messages, ElementsAre(QStringLiteral("No Symbol fonts installed")));
        return;
    }
    EXPECT_EQ(picker.SymbolSets->count(), fonts.size());
    EXPECT_EQ(picker.Character(), QChar(32)); // the first cell is taken at once
    picker.SelectCell(2, 3);
    EXPECT_EQ(picker.Character(), QChar(32 + 2 * 15 + 3));

    TGSuperText object;
    TSuperTextProperties d(object);
    SuperTextDialogHooks().runSymbols = [&](TSuperTextGetSymbol &p) {
        p.SymbolSets->setCurrentIndex(p.SymbolSets->count() - 1);
        p.SelectCell(1, 0);
        return p.OkClick();
    };
    d.SelectSymbolClick();
    EXPECT_EQ(d.CaptionText->text(), QString(QChar(47)));
    EXPECT_EQ(d.Preview().Font().name, fonts.last().toStdString());
}

TEST_F(SuperTextDialogs, SymbolPickerOpensOnAFaceThatFillsItsGrid)
{
    const QStringList fonts = TSuperTextGetSymbol::SymbolFonts();
    const auto encoded = std::find_if(fonts.begin(), fonts.end(), TSuperTextGetSymbol::SymbolEncoded);
    const bool wingdings = std::any_of(fonts.begin(), fonts.end(), [](const QString &f) {
        return f.toUpper().contains(QLatin1String("WINGDING"));
    });
    if (encoded == fonts.end() || wingdings) GTEST_SKIP() << "needs a symbol-encoded face and no Wingdings";
    TSuperTextGetSymbol picker;
    EXPECT_EQ(picker.SymbolSets->currentText(), *encoded);

    // A character the face lacks shows as an empty cell that cannot be chosen, rather than
    // another font's letter that would print as something else.
    for (const QString &family : fonts) {
        QFont f(family);
        f.setPixelSize(24);
        const QRawFont raw = QRawFont::fromFont(f);
        int missing = 33;
        while (missing <= 255 && raw.supportsCharacter(QChar(missing))) ++missing;
        if (missing > 255) continue;
        picker.SymbolSets->setCurrentText(family);
        const int row = (missing - 32) / 15, column = (missing - 32) % 15;
        EXPECT_TRUE(picker.SymbolList->item(row, column)->text().isEmpty()) << family.toStdString();
        picker.SelectCell(0, 0);
        picker.SelectCell(row, column);
        EXPECT_EQ(picker.Character(), QChar(32)) << family.toStdString();
        return;
    }
}

TEST_F(SuperTextDialogs, MenuCarriesCheckMarks)
{
    TGSuperText t;
    t.Loaded();
    t.PopupShowing();
    ASSERT_NE(t.PopupMenu().find("Transparent"), nullptr);
    EXPECT_TRUE(t.PopupMenu().find("Transparent")->checked);
    EXPECT_FALSE(t.PopupMenu().find("Border")->checked);
    t.PopupMenu().find("Border")->action();
    t.PopupMenu().find("Transparent")->action();
    t.PopupShowing();
    EXPECT_TRUE(t.PopupMenu().find("Border")->checked);
    EXPECT_FALSE(t.PopupMenu().find("Transparent")->checked);
    EXPECT_EQ(t.BorderStyle(), bsSingle);
    EXPECT_NE(t.PopupMenu().find("Properties"), nullptr);
}

} // namespace
} // namespace velmora::test
