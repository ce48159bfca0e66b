#include "app/Camain.h"
#include "app/Calprop.h"
#include "app/Floater.h"
#include "app/Gettitle.h"
#include "app/IconCtls.h"
#include "app/PropertiesAnswer.h"
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "calendar/HandMadeDocument.h"
#include "objects/Gplabel.h"
#include "objects/gstprop.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"
#include "recurring/Selrecu.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"
#include "support/DiskSeam.h"
#include "support/IconFiles.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

using namespace velmora;
using velmora::test::PropertiesAnswer;
using velmora::test::ScopedScriptedUi;

namespace {

QString plainText(const TWPRtfStorage &store)
{
    QTextDocument doc;
    store.loadIntoDocument(doc);
    return doc.toPlainText();
}

class MainWindow : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScopedScriptedUi scripted;
    velmora::test::ScriptedUi &ui = scripted.ui();

    void SetUp() override { SetAppFolder(dir.path()); }
    void TearDown() override { SetAppFolder(QString()); }

    QString file(const QString &name) const { return dir.filePath(name); }

    std::unique_ptr<TCalendarMain> start()
    {
        auto w = std::make_unique<TCalendarMain>();
        w->FirstActivation();
        return w;
    }

    // A new December 1997 calendar with its cell table drawn.
    std::unique_ptr<TCalendarMain> startWithNewCalendar(int layout = loFullCalendar)
    {
        auto w = start();
        w->RunPropertiesDialog = PropertiesAnswer([layout](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(layout);
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(1997);
        });
        w->New1Click();
        w->CalendarPanel()->RenderToBitmap();
        return w;
    }

    static void typeInto(TCalendarMain &w, const QString &text)
    {
        w.WPRichText1()->InsertTextWithFormat(text, w.WPRichText1()->CurrentFormat());
    }
};

} // namespace

TEST_F(MainWindow, StartsWithoutDocumentAndOnlyNewAndOpen)
{
    auto w = start();
    EXPECT_TRUE(w->CalendarPanel()->isHidden());
    EXPECT_TRUE(w->action("New1")->isEnabled());
    EXPECT_TRUE(w->action("Open1")->isEnabled());
    for (const char *n : {"mnuSave", "mnuSaveAs", "mnuProperties", "mnuCancelChanges",
                          "mnuClearAllCellContents", "mnuSaveAsBitmap", "mnuUserTitle"})
        EXPECT_FALSE(w->action(n)->isEnabled()) << n;
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Velmora    [60%]"));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(MainWindow, NewSaveAsCaptionAndReopenAtStart)
{
    {
        auto w = startWithNewCalendar();
        EXPECT_TRUE(w->Modified());
        EXPECT_TRUE(
            w->findChild<QPushButton *>(QStringLiteral("Savebutton"))->isVisibleTo(w.get()));
        EXPECT_FALSE(
            w->findChild<QPushButton *>(QStringLiteral("CancelButton"))->isVisibleTo(w.get()));
        ui.fileAnswers = {file(QStringLiteral("Dec1997.QXF"))};
        EXPECT_TRUE(w->mnuSaveAsClick());
        EXPECT_EQ(ui.fileDialogs.last(), QStringLiteral("Save Calendar File|Dec1997.QXF"));
        EXPECT_FALSE(w->Modified());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Velmora  [Dec1997.QXF]    [60%]"));
        w->close();
    }
    // The most recent file comes back at the next start.
    auto again = start();
    EXPECT_EQ(again->CurrentFileName(), file(QStringLiteral("Dec1997.QXF")));
    EXPECT_FALSE(again->CalendarPanel()->isHidden());
    EXPECT_EQ(again->CalendarPanel()->MainCalMonth(), 12);
    EXPECT_FALSE(again->Modified());
}

TEST_F(MainWindow, MissingAndDamagedFiles)
{
    auto w = start();
    w->OpenCalendarFile(file(QStringLiteral("gone.QXF")));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages.last(), QStringLiteral("File ") + file(QStringLiteral("gone.QXF")) +
                                      QStringLiteral(" no longer exists"));

    QFile bad(file(QStringLiteral("bad.QXF")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x01\x02\x03\x02\x01\x02\x00garbage", 14);
    bad.close();
    w->OpenCalendarFile(bad.fileName());
    EXPECT_EQ(ui.messages.last(), DocumentOpenErrorMessage(bad.fileName()));
    EXPECT_TRUE(w->CurrentFileName().isEmpty());
    EXPECT_TRUE(w->CalendarPanel()->isHidden());

    // Another extension in Open is refused.
    ui.fileAnswers = {file(QStringLiteral("notes.txt"))};
    w->Open1Click();
    EXPECT_EQ(ui.messages.last(), QStringLiteral("Must be a Calendar file (*.QXF)"));
}

TEST_F(MainWindow, SaveChangesQuestion)
{
    auto w = startWithNewCalendar();
    ui.fileAnswers = {file(QStringLiteral("a.QXF"))};
    ASSERT_TRUE(w->mnuSaveAsClick());
    w->mnuClearAllCellContentsClick();
    ASSERT_TRUE(w->Modified());

    // No: nothing saved, still modified, the command goes on.
    ui.answers = {false};
    EXPECT_TRUE(w->CheckSaveNeeded());
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(ui.questions.last(), QStringLiteral("Save changes?"));

    // Yes: saved under the current name.
    ui.answers = {true};
    EXPECT_TRUE(w->CheckSaveNeeded());
    EXPECT_FALSE(w->Modified());
}

TEST_F(MainWindow, CancelledSaveAsStopsTheCommandThatAsked)
{
    auto w = startWithNewCalendar();
    ui.answers = {true};
    ui.fileAnswers = {QString()}; // Save As cancelled
    const int before = w->CalendarPanel()->MainCalYear();
    w->New1Click();
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(w->CalendarPanel()->MainCalYear(), before);
}

TEST_F(MainWindow, CancelChangesGoesBackToTheSavedFile)
{
    auto w = startWithNewCalendar();
    const QString path = file(QStringLiteral("Kept.QXF"));
    ASSERT_TRUE(w->SaveCalendarFile(path));
    w->CalendarPanel()->SetUserTitle("Changed");
    w->SetModified(true);
    ui.answers = {true};
    w->mnuCancelChangesClick();
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w->CurrentFileName(), path);
    EXPECT_EQ(w->CalendarPanel()->UserTitle(), "");
    EXPECT_FALSE(w->CalendarPanel()->isHidden());
    EXPECT_FALSE(w->Modified());
}

TEST_F(MainWindow, FailedSaveKeepsOldFileAndModifiedState)
{
    auto w = startWithNewCalendar();
    const QString path = file(QStringLiteral("keep.QXF"));
    ui.fileAnswers = {path};
    ASSERT_TRUE(w->mnuSaveAsClick());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    w->mnuClearAllCellContentsClick();
    // A folder where the file should go makes every write fail, also for root.
    EXPECT_FALSE(w->SaveCalendarFile(file(QStringLiteral("missing/keep.QXF"))));
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(w->CurrentFileName(), path);
    EXPECT_TRUE(ui.messages.last().startsWith(QStringLiteral("Unable to write to ")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(MainWindow, FullDiskSaveKeepsOldFileAndModifiedState)
{
    auto w = startWithNewCalendar();
    const QString path = file(QStringLiteral("keep.QXF"));
    ui.fileAnswers = {path};
    ASSERT_TRUE(w->mnuSaveAsClick());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    w->mnuClearAllCellContentsClick();
    w->CalendarPanel()->SetUserTitle("a title that makes the new file longer");
    for (const std::size_t room : {std::size_t(0), std::size_t(before.size() / 2), std::size_t(before.size())}) {
        test::TFullDisk disk(room);
        EXPECT_FALSE(w->SaveCalendarFile(path));
        EXPECT_TRUE(w->Modified());
        EXPECT_EQ(ui.messages.last(), QStringLiteral("Unable to write to ") + path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        f.close();
    }
    EXPECT_TRUE(w->SaveCalendarFile(path));
    EXPECT_FALSE(w->Modified());
}

TEST_F(MainWindow, ZoomSteps)
{
    auto w = startWithNewCalendar();
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        w->ZoomPlusButtonClick();
        seen.push_back(ZoomToCode(double(w->CalendarPanel()->Zoom())));
    }
    EXPECT_EQ(seen, (std::vector<int>{70, 80, 90, 100, 100, 100}));
    seen.clear();
    for (int i = 0; i < 6; ++i) {
        w->ZoomMinusButtonClick();
        seen.push_back(ZoomToCode(double(w->CalendarPanel()->Zoom())));
    }
    EXPECT_EQ(seen, (std::vector<int>{90, 80, 70, 60, 60, 60}));
    w->CalendarPanel()->SetZoom(0.5F);
    w->ZoomMinusButtonClick();
    EXPECT_EQ(ZoomToCode(double(w->CalendarPanel()->Zoom())), 50);
    w->ZoomPlusButtonClick();
    EXPECT_EQ(ZoomToCode(double(w->CalendarPanel()->Zoom())), 60);
    EXPECT_FALSE(w->Modified() && false);
}

TEST_F(MainWindow, CellsKeepTheirTextAcrossClicksSaveAndLoad)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    w->SetModified(false);
    page->ActivateCell(9);
    EXPECT_FALSE(w->Modified()); // opening a cell is not a change
    EXPECT_EQ(w->CurrentCell(), 9);
    typeInto(*w, QStringLiteral("nine"));
    EXPECT_TRUE(w->Modified());
    page->ActivateCell(10);
    typeInto(*w, QStringLiteral("ten"));
    ui.fileAnswers = {file(QStringLiteral("cells.QXF"))};
    ASSERT_TRUE(w->mnuSaveAsClick());

    TCalendarPanel32 loaded;
    LoadFromFile(loaded, file(QStringLiteral("cells.QXF")));
    EXPECT_EQ(plainText(loaded.CellStore(9)), QStringLiteral("nine"));
    EXPECT_EQ(plainText(loaded.CellStore(10)), QStringLiteral("ten"));
}

TEST_F(MainWindow, PuttextOnDayStacksParagraphsAndReturns)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    const int cell5 = page->CellOfDay(5);
    ASSERT_GT(cell5, 0);
    w->PuttextOnDay(5, QStringLiteral("x"));
    // Without a current cell the editor stays on the filled cell.
    EXPECT_EQ(w->CurrentCell(), cell5);
    w->DoSaveRichtext();
    page->ActivateCell(20);
    w->PuttextOnDay(5, QStringLiteral("x"));
    EXPECT_EQ(w->CurrentCell(), 20); // back where the user was
    w->DoSaveRichtext();
    EXPECT_EQ(plainText(page->CellStore(cell5)), QStringLiteral("x\nx\n"));
    w->PuttextOnDay(40, QStringLiteral("never")); // no such day: nothing changes
    EXPECT_EQ(plainText(page->CellStore(cell5)), QStringLiteral("x\nx\n"));
}

TEST_F(MainWindow, Day31WithMondayStartAndNoTextAreas)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    page->SetStartOfWeek(2);
    page->RenderToBitmap();
    const int cell = page->CellOfDay(31);
    ASSERT_GT(cell, 0);
    w->PuttextOnDay(31, QStringLiteral("end"));
    w->DoSaveRichtext();
    EXPECT_EQ(page->CellDay(cell), 31);
    EXPECT_EQ(plainText(page->CellStore(cell)), QStringLiteral("end\n"));

    // Centred numbers leave no text area: the editor opens at a single pixel.
    page->SetNumberPosition(cnpCenter);
    page->RenderToBitmap();
    page->ActivateCell(12);
    EXPECT_EQ(w->WPRichText1()->size(), QSize(1, 1));
}

TEST_F(MainWindow, TabMovesBetweenCellsAndStopsAtTheEnds)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    w->show();
    page->ActivateCell(41);
    w->WPRichText1()->setFocus();
    QTest::keyClick(w->WPRichText1(), Qt::Key_Tab);
    EXPECT_EQ(w->CurrentCell(), 42);
    QTest::keyClick(w->WPRichText1(), Qt::Key_Tab);
    EXPECT_EQ(w->CurrentCell(), 42);
    EXPECT_EQ(w->WPRichText1()->toPlainText(), QString()); // consumed, no tab typed
    page->ActivateCell(1);
    w->WPRichText1()->setFocus();
    QTest::keyClick(w->WPRichText1(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->CurrentCell(), 1);
    EXPECT_EQ(w->WPRichText1()->toPlainText(), QString());
}

TEST_F(MainWindow, ClearAllLeavesNoCellToClickUntilRepaint)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    const TRect r = page->Cells().cell(10).rTotal;
    w->mnuClearAllCellContentsClick();
    EXPECT_EQ(page->CellAtPoint(r.left + 2, r.top + 2), 0);
    EXPECT_TRUE(w->Modified());
}

TEST_F(MainWindow, FillsTheMonthWithRecurringDates)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    page->SetMainCalYear(2026);
    page->RenderToBitmap();
    const std::vector<std::string> lines = {
        MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
        MakeRecurringEntry("Team lunch", SpecialFormula(5, 0, 0)), // last Sunday
    };
    writeRecurLines(
        std::filesystem::path(dir.filePath(QStringLiteral("QXRECUR.DAX")).toStdString()), lines);
    w->SelectRecurringDates = [](TSelectRecurringDates &) { return true; };
    w->mnuFillCalendarwithRecurringDatesClick();
    w->mnuFillCalendarwithRecurringDatesClick(); // twice: every text twice
    w->DoSaveRichtext();
    EXPECT_EQ(plainText(page->CellStore(page->CellOfDay(25))),
              QStringLiteral("Christmas\nChristmas\n"));
    EXPECT_EQ(plainText(page->CellStore(page->CellOfDay(27))),
              QStringLiteral("Team lunch\nTeam lunch\n"));
    EXPECT_TRUE(w->Modified());
}

TEST_F(MainWindow, DroppedPicturesBecomePartOfTheCellText)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    QImage dot(8, 6, QImage::Format_RGB32);
    dot.fill(Qt::red);
    const TRect r = page->Cells().cell(12).rTotal;
    w->SetModified(false);
    EXPECT_FALSE(w->DropPictureOnCell(dot, 1, 1)); // outside every cell
    EXPECT_TRUE(w->DropPictureOnCell(dot, r.left + 3, r.top + 3));
    EXPECT_EQ(w->CurrentCell(), 12);
    EXPECT_TRUE(w->Modified());
    w->DoSaveRichtext();
    const std::string rtf = page->CellStore(12).rtfBytes();
    EXPECT_NE(rtf.find("\\pict"), std::string::npos);

    QMimeData data;
    data.setImageData(dot);
    EXPECT_FALSE(TCalendarMain::DroppedPicture(&data).isNull());
    QMimeData text;
    text.setText(QStringLiteral("words"));
    EXPECT_TRUE(TCalendarMain::DroppedPicture(&text).isNull());
}

TEST_F(MainWindow, TitleAndPropertyChangesThatClearCells)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    w->RunUserTitleDialog = [](TUserTitleForm &form) {
        form.TitleText()->setText(QStringLiteral("Our Year"));
        return true;
    };
    w->SetModified(false);
    w->mnuUserTitleClick();
    EXPECT_EQ(page->UserTitle(), "Our Year");
    EXPECT_TRUE(w->Modified());

    // Properties accepted without a change leave the modified flag alone.
    w->SetModified(false);
    w->RunPropertiesDialog = PropertiesAnswer(nullptr);
    w->mnuPropertiesClick();
    EXPECT_FALSE(w->Modified());

    // Only the month changes: every day cell is cleared.
    page->CellStore(3).setRtfBytes("{\\rtf1 three\\par}");
    w->RunPropertiesDialog =
        PropertiesAnswer([](TCalendarPanel32 &preview) { preview.SetMainCalMonth(11); });
    w->mnuPropertiesClick();
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(page->MainCalMonth(), 11);
    EXPECT_FALSE(page->HasCellText());

    // Cancel changes nothing.
    w->RunPropertiesDialog =
        PropertiesAnswer([](TCalendarPanel32 &preview) { preview.SetMainCalMonth(5); }, false);
    w->mnuPropertiesClick();
    EXPECT_EQ(page->MainCalMonth(), 11);
}

TEST_F(MainWindow, ALayoutFamilyChangeAsksBeforeRemovingTheOnlyObjects)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    ASSERT_FALSE(page->HasCellText());
    TGGraphicControl *label = page->Objects().CreateObject(TGPLabel::kClassName);
    label->SetBounds(20, 20, 100, 30);
    page->Objects().ObjectLoaded(label);
    page->AttachObjects();

    ui.answers = {false}; // "No" to the warning, then Cancel
    w->RunPropertiesDialog = [](TCalendarProperties &dialog) {
        dialog.FormActivate();
        dialog.ExampleCalendar()->SetCalendarLayout(loMC12Month);
        dialog.OkbuttonClick();
        if (dialog.result() != QDialog::Accepted) dialog.reject();
        return dialog.result() == QDialog::Accepted;
    };
    w->mnuPropertiesClick();
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(page->Objects().Count(), 1);
    EXPECT_NE(page->CalendarLayout(), loMC12Month);
}

TEST_F(MainWindow, ZoomAndHintsAreRememberedAcrossStarts)
{
    {
        auto w = startWithNewCalendar();
        ui.fileAnswers = {file(QStringLiteral("z.QXF"))};
        ASSERT_TRUE(w->mnuSaveAsClick());
        w->CalendarPanel()->SetZoom(1.0F);
        w->ZoomMinusButtonClick(); // 90%, reached from above
        w->action("mnuShowHint")->setChecked(false);
        w->mnuShowHintClick();
        w->close();
    }
    auto again = start();
    EXPECT_EQ(again->MainZoomCode, 90);
    EXPECT_EQ(ZoomToCode(double(again->CalendarPanel()->Zoom())), 90);
    EXPECT_FALSE(again->HintsOn);
    EXPECT_FALSE(again->action("mnuShowHint")->isChecked());
}

TEST_F(MainWindow, IconPaletteTogglesAndItsIconsDropIntoCells)
{
    auto w = startWithNewCalendar();
    QToolButton *toggle = w->toolButton("ShowHideIconTool");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isEnabled());
    const bool shown = w->Palette()->isVisible();
    w->ShowHideIconToolClick();
    EXPECT_EQ(w->Palette()->isVisible(), !shown);
    EXPECT_EQ(w->IconToolVisible, !shown);
    EXPECT_EQ(toggle->text(),
              !shown ? QStringLiteral("Hide Icon Tool") : QStringLiteral("Show Icon Tool"));

    // An icon library with one icon; its drag data drops into a day cell as a picture.
    const QString library = file(QStringLiteral("Test.ico"));
    const velmora::test::Bytes ico = velmora::test::icoFile({velmora::test::taggedPicture(16, 3)});
    QFile out(library);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char *>(ico.data()), qint64(ico.size()));
    out.close();
    w->Palette()->ShowLibrary(library);
    ASSERT_EQ(w->Palette()->list()->numberOfIcons(), 1);
    std::unique_ptr<QMimeData> data(w->Palette()->list()->iconMimeData(0));
    const QImage icon = TCalendarMain::DroppedPicture(data.get());
    ASSERT_FALSE(icon.isNull());
    const TRect r = w->CalendarPanel()->Cells().cell(15).rTotal;
    EXPECT_TRUE(w->DropPictureOnCell(icon, r.left + 2, r.top + 2));
    w->DoSaveRichtext();
    EXPECT_NE(w->CalendarPanel()->CellStore(15).rtfBytes().find("\\pict"), std::string::npos);

    // A layout without day cells puts the palette away.
    w->RunPropertiesDialog =
        PropertiesAnswer([](TCalendarPanel32 &preview) { preview.SetCalendarLayout(loMC12Month); });
    w->mnuPropertiesClick();
    EXPECT_FALSE(w->Palette()->isVisible());
    EXPECT_FALSE(w->IconToolVisible);
    EXPECT_FALSE(toggle->isEnabled());
}

TEST_F(MainWindow, HelpOpensTopicsAndFallsBackToTheContents)
{
    QDir(dir.path()).mkdir(QStringLiteral("help"));
    for (const char *name : {"index.html", "2104.html"}) {
        QFile page(dir.filePath(QStringLiteral("help/") + QLatin1String(name)));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(QByteArray("<html><body>") + name + "</body></html>");
    }
    ShowHelpContext(2104);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->source().toLocalFile().endsWith(QStringLiteral("2104.html")));
    ShowHelpContext(99999);
    EXPECT_TRUE(HelpWindow()->source().toLocalFile().endsWith(QStringLiteral("index.html")));
    HelpWindow()->close();
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(MainWindow, DocumentsFromOtherWritersKeepWhatThePageCannotShow)
{
    TCalendarPanel32 header;
    header.ResetToDefaults();
    const TBytes foreign = velmora::test::foreignRecord();
    const TBytes doc = velmora::test::documentWith(
        header, {velmora::test::labelWithBadValues("Odd", "Component0", 10), foreign,
                 velmora::test::labelRecord("Second", "Component1", 200)});
    QFile other(file(QStringLiteral("other.QXF")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(reinterpret_cast<const char *>(doc.data()), qint64(doc.size()));
    other.close();

    auto w = start();
    w->OpenCalendarFile(other.fileName());
    // One message, about the label that lost a setting; nothing was left out.
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages.last(), LoadReportMessage(0, 1, QStringLiteral("other.QXF")));
    TCalendarPanel32 *page = w->CalendarPanel();
    ASSERT_EQ(page->ObjectCount(), 2);
    EXPECT_EQ(page->Object(0)->Caption(), "Odd");
    EXPECT_EQ(page->Object(1)->Caption(), "Second");

    ASSERT_TRUE(w->SaveCalendarFile(file(QStringLiteral("saved.QXF"))));
    EXPECT_NE(velmora::test::find(ReadWholeFile(file(QStringLiteral("saved.QXF"))), foreign),
              std::string::npos);
    w->OpenCalendarFile(file(QStringLiteral("saved.QXF")));
    EXPECT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(w->CalendarPanel()->ObjectCount(), 2);
}

// ---- the first hour of a new user ----

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

} // namespace

TEST_F(MainWindow, CancelChangesReopensTheSavedFile)
{
    auto w = startWithNewCalendar();
    const QString path = file(QStringLiteral("saved.QXF"));
    ui.fileAnswers = {path};
    ASSERT_TRUE(w->mnuSaveAsClick());
    w->PuttextOnDay(5, QStringLiteral("to be thrown away"));
    w->SetModified(true);
    ui.answers = {true};
    w->mnuCancelChangesClick();
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w->CurrentFileName(), path);
    EXPECT_FALSE(w->CalendarPanel()->isHidden());
    EXPECT_FALSE(w->Modified());
    EXPECT_TRUE(plainText(w->CalendarPanel()->CellStore(w->CalendarPanel()->CellOfDay(5))).isEmpty());
}

TEST_F(MainWindow, SaveChangesCancelKeepsTheDocumentAndItsChanges)
{
    auto w = startWithNewCalendar();
    w->PuttextOnDay(3, QStringLiteral("unsaved words"));
    w->SetModified(true);
    const int month = w->CalendarPanel()->MainCalMonth();
    bool propertiesRan = false;
    w->RunPropertiesDialog = [&](TCalendarProperties &) { return propertiesRan = true; };

    // Escape in the question is Cancel: New, Open, Close and quitting all stop.
    using A = TUiService::TAnswer;
    ui.threeWay = {A::Cancel, A::Cancel, A::Cancel, A::Cancel};
    w->New1Click();
    w->Open1Click();
    w->mnuCloseClick();
    EXPECT_FALSE(w->close());
    EXPECT_EQ(ui.questions.count(QStringLiteral("Save changes?")), 4);
    EXPECT_FALSE(propertiesRan);
    EXPECT_TRUE(ui.fileDialogs.isEmpty());
    EXPECT_TRUE(w->Modified());
    EXPECT_FALSE(w->CalendarPanel()->isHidden());
    EXPECT_EQ(w->CalendarPanel()->MainCalMonth(), month);
    EXPECT_TRUE(plainText(w->CalendarPanel()->CellStore(w->CalendarPanel()->CellOfDay(3)))
                    .startsWith(QStringLiteral("unsaved words")));

    // No goes on without saving.
    ui.threeWay = {A::No};
    w->New1Click();
    EXPECT_TRUE(propertiesRan);
}

TEST_F(MainWindow, TheProgramEndsWithItsMainWindowEvenWithHelpOpen)
{
    QDir(dir.path()).mkdir(QStringLiteral("help"));
    QFile page(dir.filePath(QStringLiteral("help/index.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body>contents</body></html>");
    page.close();
    auto w = start();
    w->show();
    ShowHelpContents();
    ASSERT_NE(HelpWindow(), nullptr);
    // Help alone never keeps the program running.
    EXPECT_FALSE(HelpWindow()->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(HelpWindow() == nullptr || !HelpWindow()->isVisible());
}

TEST_F(MainWindow, ToolsThatCreateNothingLeaveThePageOnSelect)
{
    auto w = startWithNewCalendar();
    w->SetModified(false);
    TCalendarPanel32 *page = w->CalendarPanel();
    int dropped = 0;
    const auto handler = page->DroppedObjectEvent;
    page->DroppedObjectEvent = [&](const TRect &r) {
        ++dropped;
        handler(r);
    };
    // The SuperText tool places its object, opens its properties and goes back to Select.
    w->toolButton("DrawSuperText")->click();
    EXPECT_EQ(page->PanelState(), psSuperText);
    int propertiesShown = 0;
    SuperTextDialogHooks().runProperties = [&](TSuperTextProperties &) {
        ++propertiesShown;
        return false;
    };
    dragBand(page, {60, 20}, {160, 70});
    SuperTextDialogHooks() = {};
    EXPECT_EQ(propertiesShown, 1);
    EXPECT_EQ(dropped, 1);
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(page->ObjectCount(), 1);
    EXPECT_TRUE(page->HasSuperText());
    EXPECT_EQ(page->PanelState(), psPointing);
    EXPECT_TRUE(w->toolButton("Pointerbutton")->isChecked());
    EXPECT_FALSE(w->toolButton("DrawSuperText")->isChecked());

    // The text tool creates its label, and both go back to Select as well.
    w->toolButton("DrawLabelButton")->click();
    QTimer::singleShot(0, [] {
        if (QWidget *m = QApplication::activeModalWidget())
            m->close();
    });
    dragBand(page, {60, 120}, {160, 170});
    EXPECT_EQ(dropped, 2);
    EXPECT_EQ(page->PanelState(), psPointing);
    EXPECT_TRUE(w->toolButton("Pointerbutton")->isChecked());
}

TEST_F(MainWindow, EmptiedCellsAndCellsWithIconsKeepTheDefaultEditorFont)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    const QString family = QString::fromStdString(w->Prefs.fontName);
    const TRect r = page->Cells().cell(10).rTotal;
    page->ClickCellAtPoint(r.left + 3, r.top + 3);
    typeInto(*w, QStringLiteral("some words"));
    w->WPRichText1()->selectAll();
    w->WPRichText1()->textCursor().removeSelectedText();
    EXPECT_EQ(w->WPRichText1()->CurrentAttributes().fontName, family);

    QImage dot(8, 6, QImage::Format_RGB32);
    dot.fill(Qt::red);
    const TRect r2 = page->Cells().cell(12).rTotal;
    ASSERT_TRUE(w->DropPictureOnCell(dot, r2.left + 3, r2.top + 3));
    EXPECT_EQ(w->WPRichText1()->CurrentAttributes().fontName, family);
    EXPECT_NEAR(w->WPRichText1()->CurrentAttributes().size, w->Prefs.fontSize, 0.01);
}

TEST_F(MainWindow, ThePageStartsWithWholeDayNamesAndBlackFonts)
{
    auto w = startWithNewCalendar();
    const TCalendarPanel32 *page = w->CalendarPanel();
    EXPECT_EQ(page->HeadersStyle(), dsWhole);
    for (const TFontDesc *f : {&page->TitleFont(), &page->HeadersFont(), &page->CellFont(),
                               &page->MiniTitleFont(), &page->MiniCellFont()})
        EXPECT_EQ(f->color, clBlack) << f->name;
    EXPECT_EQ(page->TitleFont().height, -35);
}

TEST_F(MainWindow, FileDialogsStartInTheFolderLastUsed)
{
    auto w = startWithNewCalendar();
    const QString home = w->DialogFolder();
    EXPECT_NE(home, AppFolder());
    EXPECT_TRUE(QFileInfo(home).isDir());
    QDir(dir.path()).mkdir(QStringLiteral("letters"));
    ui.fileAnswers = {dir.filePath(QStringLiteral("letters/a.QXF"))};
    ASSERT_TRUE(w->mnuSaveAsClick());
    EXPECT_EQ(ui.fileFolders.last(), home);
    ui.fileAnswers = {QString()};
    w->Open1Click();
    EXPECT_EQ(ui.fileFolders.last(), dir.filePath(QStringLiteral("letters")));
    w->close();
    // The next start begins where the most recent document is.
    auto again = start();
    EXPECT_EQ(again->DialogFolder(), dir.filePath(QStringLiteral("letters")));
}

TEST_F(MainWindow, ShortcutsAndSaveOfAnUntitledPage)
{
    auto w = startWithNewCalendar();
    const std::pair<const char *, QKeySequence> keys[] = {
        {"New1", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"Open1", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"mnuClose", QKeySequence(QStringLiteral("Ctrl+W"))},
        {"mnuSave", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"mnuSaveAs", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"mnuPrintCalendar", QKeySequence(QStringLiteral("Ctrl+P"))}};
    for (const auto &[name, key] : keys)
        EXPECT_EQ(w->action(name)->shortcut(), key) << name;

    // Save of an untitled page asks for a name.
    ASSERT_TRUE(w->action("mnuSave")->isEnabled());
    ui.fileAnswers = {file(QStringLiteral("named.QXF"))};
    w->action("mnuSave")->trigger();
    EXPECT_EQ(ui.fileDialogs.last(), QStringLiteral("Save Calendar File|Dec1997.QXF"));
    EXPECT_EQ(w->CurrentFileName(), file(QStringLiteral("named.QXF")));

    // Close shows the start panel; nothing was changed, so nothing is asked.
    w->action("mnuClose")->trigger();
    EXPECT_TRUE(w->CalendarPanel()->isHidden());
    EXPECT_TRUE(w->CurrentFileName().isEmpty());
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_FALSE(w->action("mnuSave")->isEnabled());
}

TEST_F(MainWindow, StatusBarShowsHintsAndThePage)
{
    auto w = startWithNewCalendar();
    auto *pageLabel = w->findChild<QLabel *>(QStringLiteral("StatusPage"));
    auto *hint = w->findChild<QLabel *>(QStringLiteral("StatusHint"));
    ASSERT_NE(pageLabel, nullptr);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(pageLabel->text().contains(QStringLiteral("December 1997"))) << pageLabel->text().toStdString();
    EXPECT_TRUE(pageLabel->text().contains(QStringLiteral("1 Month Calendar")));
    EXPECT_TRUE(pageLabel->text().contains(QStringLiteral("60%")));
    w->ZoomPlusButtonClick();
    EXPECT_TRUE(pageLabel->text().contains(QStringLiteral("70%")));

    QToolButton *zoom = w->toolButton("ZoomPlusButton");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(zoom, &enter);
    EXPECT_EQ(hint->text(), QStringLiteral("Zoom In"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(zoom, &leave);
    EXPECT_TRUE(hint->text().isEmpty());
}

TEST_F(MainWindow, StartPanelOffersNewOpenAndTheRecentDocuments)
{
    {
        auto w = start();
        auto *panel = w->findChild<QWidget *>(QStringLiteral("StartPanel"));
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(panel->isVisibleTo(w.get()));
        EXPECT_TRUE(panel->findChildren<QPushButton *>(QStringLiteral("StartRecent")).isEmpty());
        w->RunPropertiesDialog = PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.SetMainCalMonth(3);
            });
        panel->findChild<QPushButton *>(QStringLiteral("StartNew"))->click();
        EXPECT_FALSE(w->CalendarPanel()->isHidden());
        EXPECT_FALSE(panel->isVisibleTo(w.get()));
        ui.fileAnswers = {file(QStringLiteral("march.QXF"))};
        ASSERT_TRUE(w->mnuSaveAsClick());
        w->mnuCloseClick();
        EXPECT_TRUE(panel->isVisibleTo(w.get()));
        const auto recent = panel->findChildren<QPushButton *>(QStringLiteral("StartRecent"));
        ASSERT_EQ(recent.size(), 1);
        EXPECT_TRUE(recent.at(0)->text().startsWith(QStringLiteral("march.QXF")));
        recent.at(0)->click();
        EXPECT_EQ(w->CurrentFileName(), file(QStringLiteral("march.QXF")));
        EXPECT_FALSE(panel->isVisibleTo(w.get()));

        ui.fileAnswers = {QString()};
        w->mnuCloseClick();
        panel->findChild<QPushButton *>(QStringLiteral("StartOpen"))->click();
        EXPECT_EQ(ui.fileDialogs.last(), QStringLiteral("Open Calendar File"));
    }
}

TEST_F(MainWindow, CellsWithMoreTextThanFitsAreMarkedOnScreenOnly)
{
    auto w = startWithNewCalendar();
    TCalendarPanel32 *page = w->CalendarPanel();
    for (int i = 0; i < 12; ++i)
        w->PuttextOnDay(9, QStringLiteral("line %1").arg(i));
    w->PuttextOnDay(10, QStringLiteral("short"));
    w->DoSaveRichtext();
    const QImage screen = page->grab().toImage();
    const QImage bitmap = page->RenderToBitmap();
    const auto marked = [](const QImage &image, const TRect &f) {
        const QColor c = image.pixelColor(f.right - 2, f.bottom - 2);
        return c.red() > 150 && c.green() < 80 && c.blue() < 80;
    };
    const TRect full = page->Cells().cell(page->CellOfDay(9)).rFree;
    const TRect roomy = page->Cells().cell(page->CellOfDay(10)).rFree;
    EXPECT_TRUE(marked(screen, full));
    EXPECT_FALSE(marked(screen, roomy));
    EXPECT_FALSE(marked(bitmap, full));
}

TEST_F(MainWindow, TypingInTheToolbarBoxesStaysInThem)
{
    auto w = startWithNewCalendar();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    TCalendarPanel32 *page = w->CalendarPanel();
    const TRect r = page->Cells().cell(10).rTotal;
    page->ClickCellAtPoint(r.left + 3, r.top + 3);
    typeInto(*w, QStringLiteral("day"));
    const auto typeKeys = [](const QString &text) {
        for (const QChar ch : text)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    };
    auto *fontBox = w->WPToolBar1()->findChild<QFontComboBox *>();
    ASSERT_NE(fontBox, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([fontBox] { return fontBox->isVisible(); }));
    fontBox->setFocus();
    fontBox->lineEdit()->selectAll();
    typeKeys(QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(fontBox->currentText(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(w->WPRichText1()->toPlainText(), QStringLiteral("day"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w->WPRichText1()->CurrentAttributes().fontName, QStringLiteral("DejaVu Serif"));

    QComboBox *sizeBox = nullptr;
    for (QComboBox *box : w->WPToolBar1()->findChildren<QComboBox *>())
        if (box->toolTip() == QStringLiteral("Font size"))
            sizeBox = box;
    ASSERT_NE(sizeBox, nullptr);
    sizeBox->setFocus();
    sizeBox->lineEdit()->selectAll();
    typeKeys(QStringLiteral("14"));
    EXPECT_EQ(sizeBox->currentText(), QStringLiteral("14"));
    EXPECT_EQ(w->WPRichText1()->toPlainText(), QStringLiteral("day"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_NEAR(w->WPRichText1()->CurrentAttributes().size, 14, 0.01);
    w->hide();
}
