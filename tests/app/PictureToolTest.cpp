// The Clip Art tool in the main window, from the placed picture to the saved, reopened and
// printed document. With VELMORA_SHOTS set to a folder, each step leaves a picture of the
// window there to look at.
#include "app/Camain.h"
#include "calendar/Calpanel32.h"
#include "objects/Gimage.h"
#include "objects/Gimageb.h"
#include "PropertiesAnswer.h"
#include "support/ScriptedUi.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace velmora;

namespace {

void mouse(QWidget *target, QEvent::Type type, QPoint pt, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pt), QPointF(target->mapToGlobal(pt)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

// A press, a pause long enough to count as a drag, moves and the release.
void drag(QWidget *page, QPoint from, QPoint to)
{
    mouse(page, QEvent::MouseMove, from, Qt::NoButton);
    mouse(page, QEvent::MouseButtonPress, from, Qt::LeftButton);
    QTest::qWait(30);
    // A press that selected the object starts its drag at the next move.
    mouse(page, QEvent::MouseMove, from, Qt::LeftButton);
    QTest::qWait(200);
    mouse(page, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(page, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QTest::qWait(20);
}

class PictureTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path() + "/");
        QDir(dir.path()).mkpath("ClipArt");
        QFile svg(dir.filePath("ClipArt/sun.svg"));
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                  "<rect x='1' y='1' width='198' height='98' fill='#ffe070' stroke='#c04000'/>"
                  "<circle cx='100' cy='50' r='35' fill='#ff8000'/></svg>");
        svg.close();
        ImageBrowserHooks().run = [this](TGImageBrowser &b) {
            ++browserRuns;
            shoot(b, "1-browser");
            b.SelectFile("sun.svg");
            shoot(b, "2-browser-preview");
            b.OKButtonClick();
            return true;
        };
    }
    void TearDown() override
    {
        ImageBrowserHooks() = {};
        SetAppFolder(QString());
    }
    void shoot(QWidget &w, const char *name) const
    {
        const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
        if (shots.isEmpty()) return;
        QApplication::processEvents();
        w.grab().save(QDir(shots).filePath(QString::fromLatin1(name) + ".png"));
    }
    TGImage *image(TCalendarMain &w) const
    {
        return dynamic_cast<TGImage *>(w.CalendarPanel()->Object(0));
    }

    QTemporaryDir dir;
    velmora::test::ScopedScriptedUi scripted;
    int browserRuns = 0;
};

TEST_F(PictureTool, PlaceEditSaveReopenAndPrint)
{
    const QString doc = dir.filePath("Pictures.QXF");
    {
        TCalendarMain w;
        w.FirstActivation();
        w.RunPropertiesDialog = velmora::test::PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(1997);
        });
        w.New1Click();
        w.show();
        QTest::qWait(50);
        TCalendarPanel32 *page = w.CalendarPanel();
        page->SetZoom(0.6F);
        w.SetModified(false);

        w.toolButton("DrawImageButton")->click();
        ASSERT_EQ(page->PanelState(), psImage);
        drag(page, {60, 40}, {180, 120});
        ASSERT_EQ(page->ObjectCount(), 1);
        TGImage *picture = image(w);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(browserRuns, 1);
        EXPECT_TRUE(w.Modified());
        EXPECT_TRUE(w.toolButton("Pointerbutton")->isChecked());
        EXPECT_EQ(picture->Picture().kind(), TPicture::Metafile);
        EXPECT_EQ(picture->ScreenRect(), (TRect{60, 40, 180, 120}));
        shoot(w, "3-placed");

        // Select it, move it, then pull its bottom-right handle.
        drag(page, {100, 80}, {140, 110});
        EXPECT_EQ(picture->ScreenRect(), (TRect{100, 70, 220, 150}));
        const TRect r = picture->ScreenRect();
        drag(page, {r.right + 2, r.bottom + 2}, {r.right + 42, r.bottom + 22});
        EXPECT_EQ(picture->ScreenRect().left, 100);
        EXPECT_GT(picture->ScreenRect().width(), 150);
        EXPECT_GT(picture->ScreenRect().height(), 90);

        picture->PopupMenu().find("Border")->action();
        picture->PopupMenu().find("AutoSize")->action();
        // 200 by 100 at zoom 0.6.
        EXPECT_EQ(picture->ScreenRect(), (TRect{100, 70, 220, 130}));
        drag(page, {r.left + 122, r.top + 62}, {r.left + 200, r.top + 120});
        EXPECT_EQ(picture->ScreenRect(), (TRect{100, 70, 220, 130}));
        shoot(w, "4-border-autosize");
        picture->PopupMenu().find("StretchToFit")->action();
        EXPECT_TRUE(picture->Stretch());

        scripted.ui().fileAnswers = {doc};
        ASSERT_TRUE(w.mnuSaveAsClick());
        w.close();
    }
    TCalendarMain again;
    again.FirstActivation();
    again.show();
    QTest::qWait(50);
    ASSERT_EQ(again.CurrentFileName(), doc);
    ASSERT_EQ(again.CalendarPanel()->ObjectCount(), 1);
    TGImage *read = image(again);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->BorderStyle(), bsSingle);
    EXPECT_TRUE(read->Stretch());
    EXPECT_EQ(read->BoundsRect(), (TRect{167, 117, 367, 217}));
    EXPECT_FALSE(again.Modified());
    shoot(again, "5-reopened");

    QProcess exporter;
    exporter.start(QString::fromStdString(velmora::test::exportExe()),
                   {doc, dir.filePath("Pictures.pdf")});
    ASSERT_TRUE(exporter.waitForFinished(60000));
    EXPECT_EQ(exporter.exitCode(), 0);
    QFile pdf(dir.filePath("Pictures.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_FALSE(pdf.readAll().contains("/Subtype /Image"));
    const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
    if (!shots.isEmpty()) {
        QFile::copy(doc, QDir(shots).filePath("Pictures.QXF"));
        QFile::copy(dir.filePath("Pictures.pdf"), QDir(shots).filePath("Pictures.pdf"));
    }
}

} // namespace
