#include "app/Camain.h"
#include "app/PropertiesAnswer.h"
#include "app/ReportSystem.h"
#include "calendar/Calpanel32.h"
#include "richtext/WPRichText.h"
#include "support/DiskSeam.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velmora;
using velmora::test::PropertiesAnswer;

namespace {

QString runTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(20000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

class Printing : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    velmora::test::ScopedScriptedUi scripted;
    velmora::test::ScriptedUi &ui = scripted.ui();
    std::unique_ptr<TCalendarMain> w;

    void SetUp() override
    {
        SetAppFolder(dir.path());
        w = std::make_unique<TCalendarMain>();
        w->FirstActivation();
        w->RunPropertiesDialog = PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(loFullCalendar);
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(1997);
        });
        w->New1Click();
        w->CalendarPanel()->RenderToBitmap();
    }
    void TearDown() override
    {
        w.reset();
        SetAppFolder(QString());
    }
    void printToPdf(const QString &pdf)
    {
        w->ReportSystem1().RunSetupDialog = [pdf](TReportSetup &s) {
            s.destination = TReportDestination::PdfFile;
            s.pdfFile = pdf;
            return true;
        };
        w->mnuPrintCalendarClick();
    }
};

} // namespace

TEST_F(Printing, PrintsAtFactorOneAndRestoresTheZoom)
{
    TCalendarPanel32 *page = w->CalendarPanel();
    ASSERT_EQ(ZoomToCode(double(page->Zoom())), 60);
    const QString caption = w->windowTitle();
    float zoomWhilePrinting = 0;
    auto print = w->ReportSystem1().Print;
    w->ReportSystem1().Print = [&](TReportSystem &r, TReportCanvas &c) {
        zoomWhilePrinting = page->Zoom();
        EXPECT_TRUE(page->Printing());
        print(r, c);
    };
    printToPdf(dir.filePath(QStringLiteral("a.pdf")));
    EXPECT_EQ(zoomWhilePrinting, 1.0F);
    EXPECT_EQ(ZoomToCode(double(page->Zoom())), 60);
    EXPECT_EQ(w->windowTitle(), caption);
    EXPECT_FALSE(page->Printing());
    ASSERT_FALSE(ui.messages.isEmpty());
    EXPECT_EQ(ui.messages.last(),
              QStringLiteral("Saved ") + QDir::toNativeSeparators(dir.filePath(QStringLiteral("a.pdf"))));
    EXPECT_TRUE(TCalendarMain::PrintCompletedMessage(true).contains(QStringLiteral("complex shapes")));
}

TEST_F(Printing, CancelledSetupShowsNothing)
{
    w->ReportSystem1().RunSetupDialog = [](TReportSetup &) { return false; };
    w->mnuPrintCalendarClick();
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(ZoomToCode(double(w->CalendarPanel()->Zoom())), 60);
}

TEST_F(Printing, PdfHasTheRightOrientationAndText)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    TCalendarPanel32 *page = w->CalendarPanel();
    page->ActivateCell(10);
    w->WPRichText1()->InsertTextWithFormat(QStringLiteral("Dentist"),
                                           w->WPRichText1()->CurrentFormat());
    w->DoSaveRichtext();

    const QString portrait = dir.filePath(QStringLiteral("portrait.pdf"));
    printToPdf(portrait);
    EXPECT_TRUE(runTool(pdfinfo, {portrait}).contains(QStringLiteral("612 x 792")));
    const QString text = runTool(pdftotext, {portrait, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("December 1997")));
    EXPECT_TRUE(text.contains(QStringLiteral("31")));
    EXPECT_TRUE(text.contains(QStringLiteral("Dentist")));

    page->SetCalendarLayout(LOFullCalendarLS);
    const QString landscape = dir.filePath(QStringLiteral("landscape.pdf"));
    printToPdf(landscape);
    const QString info = runTool(pdfinfo, {landscape});
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612"))) << info.toStdString();
}

TEST_F(Printing, BitmapsFollowTheZoomAndProposeNames)
{
    EXPECT_EQ(w->ProposedBitmapName(), QStringLiteral("Dec1997.BMP"));
    const QString full = dir.filePath(QStringLiteral("full.BMP"));
    const QString half = dir.filePath(QStringLiteral("half.BMP"));
    w->CalendarPanel()->SetZoom(1.0F);
    ui.fileAnswers = {full};
    w->mnuSaveAsBitmapClick();
    w->CalendarPanel()->SetZoom(0.5F);
    ui.fileAnswers = {half};
    w->mnuSaveAsBitmapClick();
    const QImage a(full), b(half);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(a.size(), QSize(816, 1056));
    EXPECT_EQ(b.size(), QSize(408, 528));
    EXPECT_EQ(ui.fileDialogs.last(), QStringLiteral("Save Calendar As Bitmap|Dec1997.BMP"));

    ASSERT_TRUE(w->SaveCalendarFile(dir.filePath(QStringLiteral("Office.QXF"))));
    EXPECT_EQ(w->ProposedBitmapName(), QStringLiteral("Office.BMP"));
    EXPECT_TRUE(ui.messages.isEmpty());
}

namespace {
QStringList &capturedWarnings()
{
    static QStringList warnings;
    return warnings;
}
} // namespace

TEST_F(Printing, APreviewNeedsNoMessageAndLeavesThePainterBalanced)
{
    w->ReportSystem1().RunSetupDialog = [](TReportSetup &s) {
        s.destination = TReportDestination::Preview;
        return true;
    };
    capturedWarnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { capturedWarnings() << text; });
    bool previewShown = false;
    QTimer::singleShot(50, [&] {
        if (QWidget *m = QApplication::activeModalWidget()) {
            previewShown = true;
            m->close();
        }
    });
    w->mnuPrintCalendarClick();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(previewShown);
    EXPECT_TRUE(w->Printed) << "the preview drew the page";
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();
    for (const QString &text : capturedWarnings())
        EXPECT_FALSE(text.contains(QStringLiteral("QPainter"))) << text.toStdString();
}

TEST_F(Printing, PdfOnAFullDiskKeepsTheOldFileAndSaysSo)
{
    const QString pdf = dir.filePath(QStringLiteral("a.pdf"));
    printToPdf(pdf);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    ASSERT_TRUE(before.trimmed().endsWith("%%EOF"));
    w->CalendarPanel()->SetUserTitle("another title");
    for (const std::size_t room : {std::size_t(0), std::size_t(before.size() / 2)}) {
        velmora::test::TFullDisk disk(room);
        printToPdf(pdf);
        EXPECT_EQ(ui.messages.last(), QStringLiteral("Unable to write to ") + pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        f.close();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty());
}
