// SuperText as a user meets it: placed with its tool, dressed in the properties dialog with a
// gradient, a texture and a symbol, saved, opened again and printed to a PDF.
#include "app/Camain.h"
#include "app/PropertiesAnswer.h"
#include "app/ReportSystem.h"
#include "calendar/Calpanel32.h"
#include "objects/ColorCombo.h"
#include "objects/gsstext.h"
#include "objects/gstprop.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velmora;

namespace {

void sendMouse(QWidget *target, QEvent::Type type, QPoint pt, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pt), QPointF(target->mapToGlobal(pt)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

void dragBand(QWidget *page, QPoint from, QPoint to)
{
    sendMouse(page, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(page, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    sendMouse(page, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(page, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

TGSuperText *superTextAt(TCalendarPanel32 &page, int index)
{
    int seen = 0;
    for (int i = 0; i < page.ObjectCount(); ++i)
        if (auto *t = dynamic_cast<TGSuperText *>(page.Object(i)); t != nullptr && seen++ == index)
            return t;
    return nullptr;
}

class SuperTextTour : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    velmora::test::ScopedScriptedUi scripted;
    velmora::test::ScriptedUi &ui = scripted.ui();

    void SetUp() override { SetAppFolder(dir.path()); }
    void TearDown() override
    {
        SuperTextDialogHooks() = {};
        SetAppFolder(QString());
    }
    std::unique_ptr<TCalendarMain> newCalendar()
    {
        auto w = std::make_unique<TCalendarMain>();
        w->FirstActivation();
        w->RunPropertiesDialog = velmora::test::PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(loFullCalendar);
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(1997);
        });
        w->New1Click();
        w->CalendarPanel()->RenderToBitmap();
        return w;
    }
};

} // namespace

TEST_F(SuperTextTour, PlaceDressSaveReopenAndPrint)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Textures")));
    QImage brick(16, 16, QImage::Format_RGB32);
    brick.fill(QColor(180, 40, 30));
    for (int x = 0; x < 16; ++x) brick.setPixelColor(x, 7, Qt::white);
    const QString brickFile = dir.filePath(QStringLiteral("Textures/brick.bmp"));
    ASSERT_TRUE(brick.save(brickFile, "BMP"));
    const QString saved = dir.filePath(QStringLiteral("Super.QXF"));

    {
        auto w = newCalendar();
        TCalendarPanel32 *page = w->CalendarPanel();
        // A gradient headline.
        SuperTextDialogHooks().runProperties = [](TSuperTextProperties &d) {
            d.SurfaceTypeCombo->setCurrentIndex(stGradientFill);
            d.FillDirectionCombo->setCurrentIndex(gdDown);
            d.GradientFromcolorButton->PickColor(clRed);
            d.GradientToColorButton->PickColor(clBlue);
            d.CaptionText->setText(QStringLiteral("Season"));
            d.ShadowDepthSpinner->setValue(3);
            return d.OkClick();
        };
        w->toolButton("DrawSuperText")->click();
        dragBand(page, {40, 40}, {300, 120});
        // A textured symbol.
        SuperTextDialogHooks().runProperties = [&](TSuperTextProperties &d) {
            SuperTextDialogHooks().runTextures = [&](TSuperTextBrushImageBrowser &b) {
                EXPECT_EQ(b.Folder(), dir.filePath(QStringLiteral("Textures")));
                b.FileListBox1->setCurrentRow(0);
                return true;
            };
            SuperTextDialogHooks().runSymbols = [](TSuperTextGetSymbol &p) {
                p.SelectCell(2, 0);
                return p.OkClick();
            };
            d.SurfaceTypeCombo->setCurrentIndex(stBrushImage);
            d.LoadTextureClick();
            if (!TSuperTextGetSymbol::SymbolFonts().isEmpty()) d.SelectSymbolClick();
            return d.OkClick();
        };
        w->toolButton("DrawSuperText")->click();
        dragBand(page, {40, 200}, {200, 300});
        ASSERT_EQ(page->ObjectCount(), 2);
        ui.fileAnswers = {saved};
        ASSERT_TRUE(w->mnuSaveAsClick());
        w->close();
    }

    auto w = std::make_unique<TCalendarMain>();
    w->FirstActivation(); // the last document opens again
    TCalendarPanel32 *page = w->CalendarPanel();
    ASSERT_EQ(w->CurrentFileName(), saved);
    ASSERT_EQ(page->ObjectCount(), 2);
    const TGSuperText *headline = superTextAt(*page, 0);
    const TGSuperText *symbol = superTextAt(*page, 1);
    ASSERT_NE(headline, nullptr);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(headline->Caption(), "Season");
    EXPECT_EQ(headline->SurfaceType(), stGradientFill);
    EXPECT_EQ(headline->GradientFromColor(), clRed);
    EXPECT_EQ(headline->ShadowDepth(), 3);
    EXPECT_EQ(symbol->SurfaceType(), stBrushImage);
    EXPECT_EQ(symbol->Image().size(), QSize(16, 16));
    EXPECT_EQ(symbol->LastBitmapFileNameandPath(), brickFile.toStdString());
    if (!TSuperTextGetSymbol::SymbolFonts().isEmpty()) {
        EXPECT_EQ(symbol->Caption(), std::string(1, char(32 + 30)));
    }

    const QString pdf = dir.filePath(QStringLiteral("super.pdf"));
    w->ReportSystem1().RunSetupDialog = [pdf](TReportSetup &s) {
        s.destination = TReportDestination::PdfFile;
        s.pdfFile = pdf;
        return true;
    };
    w->mnuPrintCalendarClick();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    // On a printer this page ends with the long message.
    EXPECT_TRUE(page->HasSuperText());
    EXPECT_TRUE(TCalendarMain::PrintCompletedMessage(page->HasSuperText())
                    .contains(QStringLiteral("complex shapes")));

    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    QProcess p;
    p.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QImage page1(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page1.isNull());
    // The headline's letters run from red at their top towards blue.
    int reddish = 0, purple = 0;
    for (int y = 0; y < page1.height(); ++y)
        for (int x = 0; x < page1.width(); ++x) {
            const QColor c = page1.pixelColor(x, y);
            if (c.red() > 200 && c.blue() < 60 && c.green() < 60) ++reddish;
            if (c.blue() > 60 && c.red() > 60 && c.green() < 40) ++purple;
        }
    EXPECT_GT(reddish, 10);
    EXPECT_GT(purple, 10);
}
