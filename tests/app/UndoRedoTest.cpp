// Undo and redo the way a user reaches them: every kind of change made through the window
// (menus, mouse, keys, dialogs, drops), taken back from the Edit menu to the document's
// exact bytes and redone to the bytes after it.
#include "ScriptedChoices.h"
#include "app/Camain.h"
#include "app/CellEditing.h"
#include "app/EditHistory.h"
#include "app/Gettitle.h"
#include "app/IconCtls.h"
#include "app/PropertiesAnswer.h"
#include "app/gcalflateditor.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "objects/Gimageb.h"
#include "objects/Gplabel.h"
#include "objects/Gprichle.h"
#include "objects/LabelTextDialog.h"
#include "objects/ObjectDialogs.h"
#include "objects/gstprop.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"
#include "recurring/Selrecu.h"
#include "richtext/WPRichText.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace velmora;

namespace {

class UndoRedo : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    test::ScopedScriptedUi scripted;
    test::ScopedScriptedChoices choices;
    std::unique_ptr<TCalendarMain> w;
    std::unique_ptr<TFlatCalendarEditor> flatEditor;
    int64_t ticks = 100000;
    QMenu *shownMenu = nullptr;

    void SetUp() override
    {
        SetAppFolder(dir.path() + QLatin1Char('/'));
        QDir(dir.path()).mkpath(QStringLiteral("ClipArt"));
        QFile svg(dir.filePath(QStringLiteral("ClipArt/sun.svg")));
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                  "<circle cx='100' cy='50' r='35' fill='#ff8000'/></svg>");
        svg.close();
        w = std::make_unique<TCalendarMain>();
        flatEditor = std::make_unique<TFlatCalendarEditor>(w.get());
        flatEditor->Install();
        w->resize(1300, 950);
        w->show();
        w->FirstActivation();
        w->RunPropertiesDialog = test::PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(loFullCalendar);
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(2026);
        });
        w->New1Click();
        page()->RenderToBitmap();
        page()->SetTickSource([this] { return ticks; });
        page()->SetPopupHook([this](QMenu &menu, const QPoint &) { shownMenu = &menu; });
        ObjectDialogHooks().runLabelText = [](TGetLabelText &d) {
            d.SetText("Hello");
            return true;
        };
        ImageBrowserHooks().run = [](TGImageBrowser &b) {
            b.SelectFile(QStringLiteral("sun.svg"));
            b.OKButtonClick();
            return true;
        };
        RichTextEditorDialogHook() = [](TRichTextLabelEditor &e) {
            e.WPRichText1()->InsertTextWithFormat(QStringLiteral("Rich words"),
                                                  e.WPRichText1()->CurrentFormat());
            return true;
        };
        SuperTextDialogHooks().runProperties = [](TSuperTextProperties &d) {
            d.CaptionText->setText(QStringLiteral("Season"));
            return true;
        };
        flatEditor->RunModal = [this](TFlatCalendarEditor &e) {
            e.findChild<QSpinBox *>(QStringLiteral("YearSpinner"))->setValue(2030 + int(ticks % 7));
            return true;
        };
        w->RunUserTitleDialog = [](TUserTitleForm &form) {
            form.TitleText()->setText(QStringLiteral("Our Year"));
            return true;
        };
        scripted.ui().fileAnswers = {dir.filePath(QStringLiteral("start.QXF"))};
        ASSERT_TRUE(w->mnuSaveAsClick());
    }
    void TearDown() override
    {
        ObjectDialogHooks() = {};
        ImageBrowserHooks() = {};
        RichTextEditorDialogHook() = nullptr;
        SuperTextDialogHooks() = {};
        page()->SetPopupHook({});
        flatEditor.reset();
        w.reset();
        SetAppFolder(QString());
    }

    TCalendarPanel32 *page() const { return w->CalendarPanel(); }
    TEditHistory &history() const { return w->History(); }
    // Control back in the event loop: changes reported outside a command become steps.
    static void settle() { QCoreApplication::processEvents(); }
    TBytes bytes() const { return DocumentBytes(page()->Page(), &page()->DocumentObjects()); }
    QAction *undoAction() const { return w->action("mnuUndo"); }
    QAction *redoAction() const { return w->action("mnuRedo"); }

    QPoint inDay(int day) const
    {
        page()->RenderToBitmap(); // the cell table of the page as last drawn
        const TRect r = page()->Cells().cell(page()->CellOfDay(day)).rTotal;
        return {r.left + 4, r.top + 4};
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(at), QPointF(page()->mapToGlobal(at)), button, held, mods);
        QApplication::sendEvent(page(), &e);
    }
    void click(QPoint at)
    {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        ticks += 40;
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        ticks += 1000;
    }
    // A band dragged with a drawing tool, as the pointer moves in several steps.
    void band(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i)
            mouse(QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        ticks += 1000;
    }
    // The pointer rests on the frame (which picks the handle), then drags in many moves.
    void dragFrame(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 10; ++i) {
            ticks += 30;
            mouse(QEvent::MouseMove, from + (to - from) * i / 10, Qt::NoButton, Qt::LeftButton);
        }
        ticks += 30;
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        ticks += 1000;
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, int repeats = 0)
    {
        page()->setFocus();
        QKeyEvent press(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(page(), &press);
        // A held key: the system repeats presses (and releases) marked as repeats.
        for (int i = 0; i < repeats; ++i) {
            QKeyEvent up(QEvent::KeyRelease, k, mods, QString(), true);
            QApplication::sendEvent(page(), &up);
            QKeyEvent again(QEvent::KeyPress, k, mods, QString(), true);
            QApplication::sendEvent(page(), &again);
        }
        QKeyEvent release(QEvent::KeyRelease, k, mods);
        QApplication::sendEvent(page(), &release);
        ticks += 2000;
    }
    TGGraphicControl *object(int index) const { return page()->Object(index); }
    QPoint centre(const TGGraphicControl *o) const
    {
        const TRect r = o->ScreenRect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void select(TGGraphicControl *o)
    {
        page()->Handle().ClearSelection();
        page()->Handle().Select(o);
    }
    // An entry of an object's own menu, picked as the user picks it.
    void objectEntry(TGGraphicControl *o, const char *entry)
    {
        shownMenu = nullptr;
        page()->ShowObjectMenu(*o, QPoint(10, 10));
        ASSERT_NE(shownMenu, nullptr);
        QAction *a = shownMenu->findChild<QAction *>(QString::fromLatin1(entry));
        ASSERT_NE(a, nullptr) << entry;
        a->trigger();
    }
    void pageEntry(const char *entry)
    {
        shownMenu = nullptr;
        page()->ShowPageMenu(QPoint(10, 10));
        ASSERT_NE(shownMenu, nullptr);
        QAction *a = shownMenu->findChild<QAction *>(QString::fromLatin1(entry));
        ASSERT_NE(a, nullptr) << entry;
        a->trigger();
    }
    void place(const char *tool, QPoint from, QPoint to)
    {
        w->toolButton(tool)->click();
        band(from, to);
    }
    void drop(int day, bool icon)
    {
        QMimeData data;
        QImage dot(8, 6, QImage::Format_RGB32);
        dot.fill(icon ? Qt::blue : Qt::red);
        data.setImageData(dot);
        if (icon)
            data.setData(QLatin1String(kIconMimeType), QByteArray("0\nlibrary.icl"));
        const QPoint at = inDay(day);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(page(), &enter);
        QDropEvent e(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(page(), &e);
        ASSERT_TRUE(e.isAccepted());
    }

    // The change as one step named name: Undo gives the bytes before, Redo the bytes after.
    void roundTrip(const QString &name, const std::function<void()> &change)
    {
        SCOPED_TRACE(name.toStdString());
        settle();
        const TBytes before = bytes();
        const size_t steps = history().Steps().UndoCount();
        change();
        settle();
        history().Flush();
        const TBytes after = bytes();
        ASSERT_NE(before, after) << "the change changed nothing";
        EXPECT_EQ(history().Steps().UndoCount(), steps + 1) << "one change, one step";
        EXPECT_EQ(undoAction()->text(), QStringLiteral("Undo ") + name);
        EXPECT_TRUE(undoAction()->isEnabled());
        undoAction()->trigger();
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(redoAction()->text(), QStringLiteral("Redo ") + name);
        EXPECT_TRUE(redoAction()->isEnabled());
        redoAction()->trigger();
        EXPECT_EQ(bytes(), after);
        EXPECT_FALSE(redoAction()->isEnabled());
        settle();
    }
};

} // namespace

TEST_F(UndoRedo, CellTextsDropsClearingAndFillingAreStepsOfTheirOwn)
{
    roundTrip(QStringLiteral("Typing"), [&] {
        page()->ActivateCell(page()->CellOfDay(9));
        w->WPRichText1()->InsertTextWithFormat(QStringLiteral("Dentist"),
                                               w->WPRichText1()->CurrentFormat());
        w->DoSaveRichtext();
    });
    roundTrip(QStringLiteral("Drop Icon"), [&] { drop(12, true); });
    roundTrip(QStringLiteral("Drop Picture"), [&] { drop(13, false); });
    roundTrip(QStringLiteral("Clear All Cell Contents"),
              [&] { w->action("mnuClearAllCellContents")->trigger(); });
    writeRecurLines(std::filesystem::path(dir.filePath(QStringLiteral("QXRECUR.DAX")).toStdString()),
                    {MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
                     MakeRecurringEntry("Rent", DayOfMonthFormula(1, kEachMonth))});
    w->SelectRecurringDates = [](TSelectRecurringDates &) { return true; };
    roundTrip(QStringLiteral("Fill with Recurring Dates"),
              [&] { w->action("mnuFillCalendarwithRecurringDates")->trigger(); });
    roundTrip(QStringLiteral("Title"), [&] { w->action("mnuUserTitle")->trigger(); });
}

TEST_F(UndoRedo, PlacingEachKindOfObjectWithItsFirstDialogIsOneStep)
{
    roundTrip(QStringLiteral("Place Text Label"),
              [&] { place("DrawLabelButton", {60, 20}, {200, 60}); });
    EXPECT_EQ(dynamic_cast<TGPLabel &>(*object(0)).Caption(), "Hello");
    roundTrip(QStringLiteral("Place Picture"), [&] { place("DrawImageButton", {250, 20}, {350, 90}); });
    roundTrip(QStringLiteral("Place Rich Text Label"),
              [&] { place("DrawRichText", {60, 100}, {200, 160}); });
    roundTrip(QStringLiteral("Place SuperText"), [&] { place("DrawSuperText", {250, 100}, {400, 160}); });
    roundTrip(QStringLiteral("Place Floating Calendar"),
              [&] { place("PSpeedButton1", {420, 20}, {600, 180}); });
    EXPECT_EQ(page()->ObjectCount(), 5);
    EXPECT_TRUE(undoAction()->isEnabled());
}

TEST_F(UndoRedo, MovingResizingArrangingLockingAndAligningObjects)
{
    place("DrawLabelButton", {60, 20}, {200, 60});
    place("DrawLabelButton", {260, 80}, {400, 120});
    settle();
    TGGraphicControl *first = object(0);
    select(first);
    roundTrip(QStringLiteral("Move"), [&] { dragFrame(centre(first), centre(first) + QPoint(40, 30)); });
    roundTrip(QStringLiteral("Resize"), [&] {
        const TRect f = page()->Handle().BoundsRect();
        dragFrame({f.right - 2, f.bottom - 2}, {f.right + 30, f.bottom + 20});
    });
    roundTrip(QStringLiteral("Move"), [&] { key(Qt::Key_Right, Qt::NoModifier, 12); });
    roundTrip(QStringLiteral("Resize"), [&] { key(Qt::Key_Down, Qt::ShiftModifier, 5); });
    roundTrip(QStringLiteral("Bring To Front"), [&] { objectEntry(object(0), "BringToFront"); });
    roundTrip(QStringLiteral("Send To Back"), [&] { objectEntry(object(1), "SendToBack"); });
    roundTrip(QStringLiteral("Locked"), [&] { objectEntry(object(0), "Locked"); });
    roundTrip(QStringLiteral("Locked"), [&] { objectEntry(object(0), "Locked"); });
    page()->Handle().ClearSelection();
    page()->Handle().Select(object(0));
    page()->Handle().Select(object(1));
    roundTrip(QStringLiteral("Align Left"), [&] { pageEntry("AlignLeft"); });
    roundTrip(QStringLiteral("Align Bottoms"), [&] { pageEntry("AlignBottoms"); });
    roundTrip(QStringLiteral("Lock All"), [&] { pageEntry("LockAll"); });
    roundTrip(QStringLiteral("Center Vertically"), [&] { objectEntry(object(1), "CenterVertically"); });
}

TEST_F(UndoRedo, DeletingCuttingPastingAndCloning)
{
    place("DrawLabelButton", {60, 20}, {200, 60});
    place("DrawSuperText", {250, 100}, {400, 160});
    settle();
    roundTrip(QStringLiteral("Clone"), [&] { objectEntry(object(0), "Clone"); });
    select(object(2));
    roundTrip(QStringLiteral("Delete"), [&] { key(Qt::Key_Delete); });
    select(object(0));
    roundTrip(QStringLiteral("Cut"), [&] { key(Qt::Key_X, Qt::ControlModifier); });
    roundTrip(QStringLiteral("Paste"), [&] { key(Qt::Key_V, Qt::ControlModifier); });
    roundTrip(QStringLiteral("Paste"), [&] { pageEntry("Paste"); });
    roundTrip(QStringLiteral("Delete"), [&] { objectEntry(object(0), "Delete"); });
    roundTrip(QStringLiteral("Cut"), [&] { objectEntry(object(0), "Cut"); });
}

TEST_F(UndoRedo, EveryObjectDialogsOkAndEveryPopupToggle)
{
    place("DrawLabelButton", {60, 20}, {200, 60});
    place("DrawImageButton", {250, 20}, {350, 90});
    place("DrawRichText", {60, 100}, {200, 160});
    place("DrawSuperText", {250, 100}, {400, 160});
    place("PSpeedButton1", {420, 20}, {600, 180});
    settle();
    ASSERT_EQ(page()->ObjectCount(), 5);
    ObjectDialogHooks().runLabelText = [](TGetLabelText &d) {
        d.SetText("Changed");
        return true;
    };
    roundTrip(QStringLiteral("Text"), [&] { objectEntry(object(0), "Text"); });
    roundTrip(QStringLiteral("Rotation 90 Degrees"), [&] { objectEntry(object(0), "Rotate90"); });
    roundTrip(QStringLiteral("Alignment Right"), [&] { objectEntry(object(0), "AlignRight"); });
    roundTrip(QStringLiteral("Transparent"), [&] { objectEntry(object(0), "Transparent"); });
    ObjectDialogHooks().chooseColor = [](TColor) { return std::optional<TColor>(TColor(0x00336699)); };
    roundTrip(QStringLiteral("Background Color"), [&] { objectEntry(object(0), "BackgroundColor"); });
    roundTrip(QStringLiteral("Border"), [&] { objectEntry(object(1), "Border"); });
    roundTrip(QStringLiteral("Stretch to Fit"), [&] { objectEntry(object(1), "StretchToFit"); });
    ImageBrowserHooks().run = [](TGImageBrowser &b) {
        b.SetStretchChecked(false);
        b.SelectFile(QStringLiteral("sun.svg"));
        b.OKButtonClick();
        return true;
    };
    roundTrip(QStringLiteral("Load Image From Disk"), [&] { objectEntry(object(1), "LoadImage"); });
    roundTrip(QStringLiteral("Edit"), [&] { objectEntry(object(2), "Edit"); });
    roundTrip(QStringLiteral("Transparent"), [&] { objectEntry(object(2), "Transparent"); });
    SuperTextDialogHooks().runProperties = [](TSuperTextProperties &d) {
        d.CaptionText->setText(QStringLiteral("Winter"));
        d.ShadowDepthSpinner->setValue(4);
        return true;
    };
    roundTrip(QStringLiteral("Properties"), [&] { objectEntry(object(3), "Properties"); });
    roundTrip(QStringLiteral("Border"), [&] { objectEntry(object(3), "Border"); });
    ticks = 100003;
    roundTrip(QStringLiteral("Properties"), [&] { objectEntry(object(4), "Properties"); });
    // A double-click on a rich text label opens its editor: one step too.
    select(object(2));
    roundTrip(QStringLiteral("Edit"), [&] {
        const QPoint at = centre(object(2));
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(at), QPointF(page()->mapToGlobal(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page(), &e);
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    });
}

TEST_F(UndoRedo, PropertiesStyleSheetsAndALayoutFamilyThatClearedEverything)
{
    place("DrawLabelButton", {60, 20}, {200, 60});
    AppendTextToDay(page()->Page(), 4, QStringLiteral("Recital"));
    w->SetModified(true);
    history().Noted();
    settle();
    w->RunPropertiesDialog = test::PropertiesAnswer(
        [](TCalendarPanel32 &preview) { preview.SetTitleBGColor(TColor(0x00112233)); });
    roundTrip(QStringLiteral("Properties"), [&] { w->mnuPropertiesClick(); });

    TCalendarPage other;
    other.ResetToDefaults();
    other.SetHeadersBGColor(TColor(0x00445566));
    other.SetCalendarBorder(3);
    const QString sheet = dir.filePath(QStringLiteral("style.QXS"));
    SaveStyleSheet(other, sheet);
    w->RunPropertiesDialog = [&](TCalendarProperties &d) {
        d.FormActivate();
        scripted.ui().fileAnswers = {sheet};
        d.LoadStyleSheetButtonClick();
        d.OkbuttonClick();
        return d.result() == QDialog::Accepted;
    };
    roundTrip(QStringLiteral("Load Style Sheet"), [&] { w->mnuPropertiesClick(); });

    // Another layout family: the dialog warns, the cells and objects go, and one Undo
    // brings all of them back.
    scripted.ui().answers = {true, true};
    w->RunPropertiesDialog = test::PropertiesAnswer(
        [](TCalendarPanel32 &preview) { preview.SetCalendarLayout(loMC12Month); });
    const TBytes before = bytes();
    const int layout = page()->CalendarLayout();
    roundTrip(QStringLiteral("Properties"), [&] { w->mnuPropertiesClick(); });
    EXPECT_EQ(page()->CalendarLayout(), loMC12Month);
    EXPECT_EQ(page()->ObjectCount(), 0);
    undoAction()->trigger();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(page()->CalendarLayout(), layout);
    EXPECT_EQ(page()->ObjectCount(), 1);
    EXPECT_TRUE(page()->HasCellText());
    EXPECT_TRUE(w->action("mnuClearAllCellContents")->isEnabled()) << "day cells are back";
}

TEST_F(UndoRedo, AHundredStepsAndTheSavedPointDecideModified)
{
    int n = 0;
    w->RunUserTitleDialog = [&n](TUserTitleForm &form) {
        form.TitleText()->setText(QStringLiteral("Title %1").arg(++n));
        return true;
    };
    EXPECT_FALSE(undoAction()->isEnabled()) << "nothing to undo in a document just saved";
    EXPECT_EQ(undoAction()->text(), QStringLiteral("Undo"));
    const TBytes saved = bytes();
    for (int i = 0; i < 120; ++i)
        w->mnuUserTitleClick();
    EXPECT_GE(history().Steps().UndoCount(), 100U);
    const TBytes last = bytes();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(history().Undo()) << i;
    EXPECT_EQ(page()->UserTitle(), "Title 20");
    while (history().Redo()) {
    }
    EXPECT_EQ(bytes(), last);

    // Saving keeps the steps; undoing to the saved state is unmodified, away from it is not.
    w->mnuSaveClick();
    EXPECT_FALSE(w->Modified());
    EXPECT_TRUE(undoAction()->isEnabled());
    undoAction()->trigger();
    EXPECT_TRUE(w->Modified());
    EXPECT_TRUE(w->findChild<QWidget *>(QStringLiteral("Savebutton"))->isVisibleTo(w.get()));
    redoAction()->trigger();
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(w->findChild<QWidget *>(QStringLiteral("Savebutton"))->isVisibleTo(w.get()));
    redoAction()->trigger(); // nothing left to redo: still clean
    EXPECT_FALSE(w->Modified());

    // All the way back is the page as first saved, now an unsaved state.
    while (history().Undo()) {
    }
    EXPECT_EQ(bytes(), saved);
    EXPECT_TRUE(w->Modified());
}

TEST_F(UndoRedo, NewOpenAndCancelChangesStartANewHistorySaveAsDoesNot)
{
    int n = 0;
    w->RunUserTitleDialog = [&n](TUserTitleForm &form) {
        form.TitleText()->setText(QStringLiteral("Title %1").arg(++n));
        return true;
    };
    w->mnuUserTitleClick();
    settle();
    ASSERT_TRUE(undoAction()->isEnabled());
    scripted.ui().fileAnswers = {dir.filePath(QStringLiteral("other.QXF"))};
    ASSERT_TRUE(w->mnuSaveAsClick());
    EXPECT_TRUE(undoAction()->isEnabled());

    AppendTextToDay(page()->Page(), 2, QStringLiteral("unsaved"));
    w->SetModified(true);
    scripted.ui().answers = {true};
    w->mnuCancelChangesClick();
    EXPECT_FALSE(undoAction()->isEnabled());
    EXPECT_FALSE(redoAction()->isEnabled());
    EXPECT_FALSE(w->Modified());

    w->mnuUserTitleClick();
    ASSERT_TRUE(undoAction()->isEnabled());
    w->OpenCalendarFile(dir.filePath(QStringLiteral("gone.QXF")));
    EXPECT_TRUE(history().CanUndo()) << "a file that is gone changed nothing on the page";
    w->OpenCalendarFile(dir.filePath(QStringLiteral("start.QXF")));
    EXPECT_FALSE(undoAction()->isEnabled());

    w->mnuUserTitleClick();
    ASSERT_TRUE(undoAction()->isEnabled());
    scripted.ui().threeWay = {TUiService::TAnswer::No};
    w->New1Click();
    EXPECT_FALSE(undoAction()->isEnabled());
    EXPECT_TRUE(w->Modified()) << "a new page is unsaved, with nothing to undo";

    scripted.ui().threeWay = {TUiService::TAnswer::No};
    w->mnuCloseClick();
    EXPECT_FALSE(undoAction()->isEnabled()) << "no page, nothing to undo";
}

TEST_F(UndoRedo, KeysUndoTheDocumentButLeaveTypingToTheCellEditor)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    place("DrawLabelButton", {60, 20}, {200, 60});
    settle();
    page()->ActivateCell(page()->CellOfDay(9));
    TWPRichText *editor = w->WPRichText1();
    ASSERT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("abc"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), QString()) << "typing is taken back in the editor";
    EXPECT_EQ(page()->ObjectCount(), 1) << "the document's last step stays";
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page()->ObjectCount(), 1) << "an editor with nothing to undo keeps the key";
    QTest::keyClicks(editor, QStringLiteral("Lunch"));

    // On the page the keys undo and redo document steps: first the cell's text.
    page()->setFocus();
    w->DoSaveRichtext();
    settle();
    EXPECT_EQ(undoAction()->text(), QStringLiteral("Undo Typing"));
    QTest::keyClick(page(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(page()->HasCellText());
    QTest::keyClick(page(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page()->ObjectCount(), 0);
    QTest::keyClick(page(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page()->ObjectCount(), 1);
    QTest::keyClick(page(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(page()->HasCellText());

    // Undo from the menu while a cell is being typed into: the typing is the step undone.
    undoAction()->trigger();
    ASSERT_TRUE(redoAction()->isEnabled());
    page()->ActivateCell(page()->CellOfDay(10));
    QTest::keyClicks(w->WPRichText1(), QStringLiteral("Gym"));
    EXPECT_EQ(undoAction()->text(), QStringLiteral("Undo Typing")) << "before the text is stored";
    EXPECT_TRUE(undoAction()->isEnabled());
    EXPECT_FALSE(redoAction()->isEnabled()) << "typing replaces what could be redone";
    undoAction()->trigger();
    EXPECT_FALSE(w->CellEditing().Editing());
    EXPECT_EQ(page()->CellStore(page()->CellOfDay(10)).rtfBytes().find("Gym"), std::string::npos);
    EXPECT_EQ(redoAction()->text(), QStringLiteral("Redo Typing"));
}

TEST_F(UndoRedo, UndoKeepsTheZoomAndTheSelectionByName)
{
    place("DrawLabelButton", {60, 20}, {200, 60});
    place("DrawLabelButton", {260, 80}, {400, 120});
    settle();
    w->ZoomPlusButtonClick();
    const float zoom = page()->Zoom();
    TGGraphicControl *second = object(1);
    const std::string name = second->Name();
    select(second);
    const TRect before = second->ScreenRect();
    key(Qt::Key_Left, Qt::NoModifier, 3);
    settle();
    undoAction()->trigger();
    EXPECT_EQ(page()->Zoom(), zoom);
    ASSERT_EQ(page()->Handle().SelectedCount(), 1);
    EXPECT_EQ(page()->Handle().SelectedObject(0)->Name(), name);
    EXPECT_EQ(page()->Handle().SelectedObject(0)->ScreenRect(), before);
    EXPECT_EQ(page()->FindObject(name), page()->Handle().SelectedObject(0));
}

TEST_F(UndoRedo, AChangeNoCommandNamedIsStillOneStepAndABusyPageStaysSmall)
{
    // A busy page: text in every day and forty objects.
    for (int day = 1; day <= 31; ++day)
        AppendTextToDay(page()->Page(), day,
                        QStringLiteral("Day %1: meeting with the team, then the dentist").arg(day));
    for (int i = 0; i < 40; ++i) {
        auto label = std::make_unique<TGPLabel>();
        label->SetCaption("Label number " + std::to_string(i));
        page()->AddObject(std::move(label), {5 + (i % 8) * 50, 10 + (i / 8) * 30,
                                             50 + (i % 8) * 50, 35 + (i / 8) * 30});
    }
    settle();
    history().Flush();
    const size_t start = history().Steps().UndoCount();
    // An object changed outside every command: one step of the generic name.
    object(3)->SetLeft(object(3)->Left() + 7);
    object(3)->SetTop(object(3)->Top() + 7);
    settle();
    EXPECT_EQ(history().Steps().UndoCount(), start + 1);
    EXPECT_EQ(undoAction()->text(), QStringLiteral("Undo Change"));
    for (int i = 0; i < 100; ++i) {
        select(object(i % 40));
        key(i % 2 == 0 ? Qt::Key_Right : Qt::Key_Down, Qt::NoModifier, 2);
    }
    EXPECT_GE(history().Steps().UndoCount(), 100U);
    RecordProperty("UndoMemoryBytes", std::to_string(history().Steps().MemoryUsage()));
    EXPECT_LT(history().Steps().MemoryUsage(), size_t(20) << 20);
}
