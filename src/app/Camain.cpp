#include "app/Camain.h"

#include "app/Calprop.h"
#include "app/CellEditing.h"
#include "app/DeferredIcons.h"
#include "app/EditHistory.h"
#include "app/Floater.h"
#include "app/Gettitle.h"
#include "app/MRUList.h"
#include "app/PropertyRules.h"
#include "app/Splash.h"
#include "app/ReportSystem.h"
#include "common/AtomicFile.h"
#include "common/ReportCanvas.h"
#include "calendar/CalendarDocument.h"
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "common/Program.h"
#include "recurring/RecurCommands.h"
#include "recurring/RecurStore.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
constexpr int kPageOffset = 5; // the page's place inside the scroll box

std::filesystem::path iniPath()
{
    return std::filesystem::path(IniFileName().toStdString());
}

void processPendingEvents()
{
    QCoreApplication::processEvents();
}

// The page and the cell editor share one canvas inside the scroll box.
class TPageHolder : public QWidget
{
public:
    explicit TPageHolder(QWidget *parent) : QWidget(parent) {}
    void fitTo(const QWidget *page)
    {
        const QSize s = page->isHidden() ? QSize(0, 0) : page->size();
        setFixedSize(s.width() + 2 * kPageOffset, s.height() + 2 * kPageOffset);
    }
};
} // namespace

TCalendarMain::TCalendarMain(QWidget *parent) : QMainWindow(parent)
{
    // Creation: (1) wait cursor .. (12) legacy recurring dates.
    BeginWait();
    setObjectName(QStringLiteral("CalendarMain"));
    SetMainForm(this);
    ZoomBusy = Printed = false;

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    DeferStandardIcons();
    toolbar_ = new TWPToolBar(central);
    toolbar_->setFixedHeight(26 + 4);
    toolbar_->setEnabled(false);
    layout->addWidget(toolbar_);
    auto *strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("Panel3"));
    strip->setFixedHeight(33);
    buildToolStrip(strip);
    layout->addWidget(strip);
    scroll_ = new QScrollArea(central);
    scroll_->setObjectName(QStringLiteral("ScrollBox2"));
    scroll_->setBackgroundRole(QPalette::Button);
    auto *holder = new TPageHolder(scroll_);
    page_ = new TCalendarPanel32(holder);
    page_->setObjectName(QStringLiteral("CalendarPanel"));
    page_->move(kPageOffset, kPageOffset);
    page_->hide();
    page_->installEventFilter(this);
    editor_ = new TWPRichText(holder);
    editor_->setObjectName(QStringLiteral("WPRichText1"));
    editor_->hide();
    holder->fitTo(page_);
    scroll_->setWidget(holder);
    startPanel_ = new QWidget(central);
    startPanel_->setObjectName(QStringLiteral("StartPanel"));
    startPanel_->setAutoFillBackground(true);
    startPanel_->setBackgroundRole(QPalette::Base);
    views_ = new QStackedWidget(central);
    views_->addWidget(startPanel_);
    views_->addWidget(scroll_);
    layout->addWidget(views_, 1);
    setCentralWidget(central);
    buildMenu();
    statusHint_ = new QLabel(this);
    statusHint_->setObjectName(QStringLiteral("StatusHint"));
    statusPage_ = new QLabel(this);
    statusPage_->setObjectName(QStringLiteral("StatusPage"));
    statusBar()->addWidget(statusHint_, 1);
    statusBar()->addPermanentWidget(statusPage_);
    // The designed client area is 635 pixels wide at an 8-point font; with the desktop's larger
    // font the tool strip's captions would be cut off, so the first window is as wide as the
    // strip needs with every button showing (Save and Cancel appear once there is a page).
    int stripWidth = strip->contentsMargins().left() + strip->contentsMargins().right();
    if (const QLayout *row = strip->layout()) {
        const QMargins m = row->contentsMargins();
        stripWidth += m.left() + m.right();
        for (const QAbstractButton *b : strip->findChildren<QAbstractButton *>())
            stripWidth += b->sizeHint().width() + std::max(0, row->spacing());
    }
    resize(std::max(635, stripWidth),
           378 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());


    document_ = std::make_unique<TCalendarDocument>(page_->Page());
    document_->ModifiedChanged = [this] { SetButtons(); };
    cells_ = new TCellEditing(*page_, *editor_, *toolbar_, this);
    cells_->Changed = [this] {
        SetModified(true);
        updateUndoActions();
    };
    history_ = new TEditHistory(*document_, *page_, *cells_, this);
    history_->StepsChanged = [this] { updateUndoActions(); };
    history_->Restored = [this] { pageRestored(); };
    cells_->TextStored = [this] { history_->Noted(TEditHistory::TypingStepName()); };
    cells_->DefaultFont = [this] {
        TCharAttributes a;
        a.fontName = QString::fromStdString(Prefs.fontName);
        a.size = Prefs.fontSize;
        a.style = uint8_t((Prefs.fontBold ? 1 : 0) | (Prefs.fontItalic ? 2 : 0) |
                          (Prefs.fontUnderline ? 4 : 0) | (Prefs.fontStrikeout ? 8 : 0));
        a.colorIndex = TWPRichText::ColorIndexOf(Prefs.fontColor);
        return a;
    };
    page_->ClickedInCellEvent = [this](const TRect &total, const TRect &free, int cell, int day) {
        CalendarPanelClickedInCellEvent(total, free, cell, day);
    };
    page_->DroppedObjectEvent = [this](const TRect &) {
        if (!history_->Restoring())
            SetModified(true);
    };
    // The tool strip shows the page's tool, also when a tool ends without creating anything.
    page_->PanelStateChangedEvent = [this](TLPanelState state) {
        if (QAbstractButton *b = tools_->button(state))
            b->setChecked(true);
    };
    // Every change of an object passes here; reading an undone step back is no change.
    page_->LabelChangedEvent = [this] {
        if (history_->Restoring())
            return;
        SetModified(true);
        history_->Noted();
    };

    report_ = std::make_unique<TReportSystem>(this);
    report_->BeforePrint = [this](TReportSystem &r) {
        r.Orientation = page_->CalendarOrientation() == coLandscape ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait;
        r.PaperSize = page_->PaperKind() == 1 ? QPageSize::A4 : QPageSize::Letter;
    };
    report_->Print = [this](TReportSystem &, TReportCanvas &canvas) {
        Printed = true;
        page_->PrintPage(canvas, 0, 0);
    };
    loading_ = true;
    Prefs = LoadPreferences(iniPath(), AppFolder().toStdString());
    MainZoomCode = Prefs.mainZoomCode;
    PropZoomCode = Prefs.propZoomCode;
    HintsOn = Prefs.hintsOn;
    IconToolVisible = Prefs.iconToolVisible;
    SetModified(false);
    page_->SetZoom(static_cast<float>(CodeToZoom(MainZoomCode)));
    applyDesignedValues();
    page_->SetCalendarLayout(LOFullCalendarLS);

    mru_ = new TMRUFileList(this);
    mru_->SetMaximum(5);
    mru_->SetRemoveOnClick(true);
    mru_->SetAutoSaveName(IniFileName());
    mru_->SetAutoSaveKey(QStringLiteral("MRU"));
    mru_->SetAutoSave(false);
    mru_->SetFileMenu(menuBar()->findChild<QMenu *>(QStringLiteral("FileMenu")), action("N2"));
    mru_->SetOnMRUItemClick([this](TMRUMenuItem *, const QString &file) {
        // Reopening from the list must not throw away unsaved changes either.
        if (CheckSaveNeeded())
            OpenCalendarFile(file);
    });
    mru_->load();
    buildStartPanel();

    action("mnuShowHint")->setChecked(HintsOn);
    palette_ = new TFloatingPalette(this);
    palette_->OnHide = [this] {
        // Closed by the user, not just put away while a dialog runs.
        if (!paletteHeld_ && !closing_)
            IconToolVisible = false;
        SetButtons();
    };
    palette_->OnShow = [this] { SetButtons(); };
    qApp->installEventFilter(this);
    // Temporaries of saves that a kill or crash cut short hold nothing worth keeping.
    RemoveStaleTemporary(IniFileName());
    RemoveStaleTemporary(AppFolder() + QString::fromLatin1(kRecurStoreFileName.data()));
    convertLegacyRecurFile(std::filesystem::path(AppFolder().toStdString()));
    EndWait();
}

TCalendarMain::~TCalendarMain()
{
    qApp->removeEventFilter(this);
}

QAction *TCalendarMain::action(const char *name) const
{
    return findChild<QAction *>(QString::fromLatin1(name));
}

QToolButton *TCalendarMain::toolButton(const char *name) const
{
    return findChild<QToolButton *>(QString::fromLatin1(name));
}

void TCalendarMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!activated_)
        QTimer::singleShot(0, this, &TCalendarMain::FirstActivation);
}

void TCalendarMain::FirstActivation()
{
    if (activated_ || !loading_)
        return;
    activated_ = true;
    BeginWait();
    palette_->ShowLibrary(QString::fromStdString(Prefs.iconLibraryFile));
    RestorePlacement(*this, IniFileName(), QStringLiteral("TCalendarMain"));
    PrinterAvailable = CheckPrinters();
    page_->ResetToDefaults();
    const QStringList recent = mru_->Items();
    if (!recent.isEmpty() && QFileInfo::exists(recent.constFirst()))
        OpenCalendarFile(recent.constFirst());
    processPendingEvents();
    showPage(!document_->Untitled());
    processPendingEvents();
    action("mnuSave")->setEnabled(false);
    SetModified(false);
    history_->Reset();
    loading_ = false;
    SetButtons();
    SetCaption();
    EndWait();
    CheckFloaterStatus();
    if (IconToolVisible)
        palette_->show();
    SetButtons();
    page_->Repaint();
}

void TCalendarMain::showPage(bool visible)
{
    page_->setVisible(visible);
    static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
    if (!visible)
        refreshStartPanel();
    views_->setCurrentWidget(visible ? static_cast<QWidget *>(scroll_) : startPanel_);
}

void TCalendarMain::updateStatusPage()
{
    if (statusPage_ == nullptr)
        return;
    if (page_->isHidden()) {
        statusPage_->clear();
        return;
    }
    std::string month;
    page_->GetMonthName(page_->MainCalMonth(), month);
    const int layout = page_->CalendarLayout();
    const int row = RowOfLayout(layout);
    QString layoutName = row >= 0 ? QString::fromLatin1(kLayoutRowCaptions.at(size_t(row))).trimmed()
                                  : QString();
    if (layout < loWeek)
        layoutName += page_->CalendarOrientation() == coLandscape ? QStringLiteral(", landscape")
                                                                  : QStringLiteral(", portrait");
    statusPage_->setText(QStringLiteral("%1 %2   |   %3   |   %4%")
                             .arg(QString::fromStdString(month))
                             .arg(page_->MainCalYear())
                             .arg(layoutName)
                             .arg(std::lround(double(page_->Zoom()) * 100.0)));
}


void TCalendarMain::SetModified(bool value)
{
    document_->SetModified(value);
}

QString TCalendarMain::CurrentFileName() const
{
    return document_->FileName();
}

bool TCalendarMain::Modified() const
{
    return document_->Modified();
}

bool TCalendarMain::EditingCell() const
{
    return cells_->Editing();
}

int TCalendarMain::CurrentCell() const
{
    return cells_->CurrentCell();
}

void TCalendarMain::SetCaption()
{
    QString caption = QStringLiteral("Velmora");
    if (!document_->Untitled())
        caption += QStringLiteral("  [") + QFileInfo(document_->FileName()).fileName() + QLatin1Char(']');
    caption += QStringLiteral("    [%1%]").arg(std::lround(double(page_->Zoom()) * 100.0));
    setWindowTitle(caption);
    updateStatusPage();
}

void TCalendarMain::SetButtons()
{
    if (mru_ == nullptr)
        return; // still being built
    const bool visible = !page_->isHidden();
    const int layout = page_->CalendarLayout();
    const bool dayCells = visible && !(layout >= lopMC6Month && layout <= loMC60MonthLS);
    const bool titled = !document_->Untitled();
    for (const char *n : {"mnuFillCalendarwithRecurringDates", "mnuUserTitle", "mnuClearAllCellContents"})
        action(n)->setEnabled(dayCells);
    QToolButton *iconTool = toolButton("ShowHideIconTool");
    iconTool->setEnabled(dayCells);
    iconTool->setText(palette_ != nullptr && palette_->isVisible() ? QStringLiteral("Hide Icon Tool")
                                                                   : QStringLiteral("Show Icon Tool"));
    // Save of an untitled page asks for a name.
    action("mnuSave")->setEnabled(visible);
    action("mnuClose")->setEnabled(visible);
    toolbar_->setEnabled(visible && cells_->Editing() && !editor_->isHidden());
    for (const char *n :
         {"mnuSaveAs", "mnuProperties", "mnuPrintSetup", "mnuSaveAsBitmap", "mnuExportCalendarYear"})
        action(n)->setEnabled(visible);
    for (const char *n : {"PropertiesButton", "ZoomPlusButton", "ZoomMinusButton"})
        toolButton(n)->setEnabled(visible);
    action("mnuPrintCalendar")->setEnabled(visible && PrinterAvailable);
    toolButton("Printbutton")->setEnabled(visible && PrinterAvailable);
    action("mnuCancelChanges")->setEnabled(visible && titled);
    updateUndoActions();
    saveButton_->setVisible(document_->Modified());
    cancelButton_->setVisible(document_->Modified() && titled);
}

void TCalendarMain::CheckFloaterStatus()
{
    // Without day cells there is nothing to drop icons on.
    if (!page_->HasDayCells()) {
        IconToolVisible = false;
        palette_->hide();
    } else if (IconToolVisible && !palette_->isVisible()) {
        palette_->show();
    }
}

void TCalendarMain::ShowHideIconToolClick()
{
    if (palette_->isVisible()) {
        palette_->hide();
        IconToolVisible = false;
    } else {
        palette_->show();
        IconToolVisible = true;
    }
    SetButtons();
}

void TCalendarMain::hidePaletteFor()
{
    paletteHeld_ = true;
    if (IconToolVisible)
        palette_->hide();
}

void TCalendarMain::showPaletteAfter()
{
    paletteHeld_ = false;
    if (IconToolVisible)
        palette_->show();
}

void TCalendarMain::clearAllCells()
{
    page_->ClearAllCells();
}

void TCalendarMain::savePreferencesQuietly()
{
    try {
        SavePreferences(iniPath(), Prefs);
    } catch (const std::exception &) {
        // Preferences are not worth an error box on every command.
    }
}

void TCalendarMain::closeEvent(QCloseEvent *event)
{
    if (!CheckSaveNeeded()) {
        event->ignore();
        return;
    }
    MainZoomCode = ZoomToCode(double(page_->Zoom()));
    Prefs.mainZoomCode = MainZoomCode;
    Prefs.propZoomCode = PropZoomCode;
    Prefs.hintsOn = HintsOn;
    Prefs.iconToolVisible = IconToolVisible;
    Prefs.iconLibraryFile = palette_->libraryFile().toStdString();
    savePreferencesQuietly();
    closing_ = true;
    palette_->hide();
    if (QTextBrowser *help = HelpWindow())
        help->close();
    try {
        SavePlacement(*this, IniFileName(), QStringLiteral("TCalendarMain"));
    } catch (const std::exception &) {
    }
    event->accept();
}

// ---- view and editing commands ----

void TCalendarMain::ZoomPlusButtonClick()
{
    if (ZoomBusy)
        return;
    ZoomBusy = true;
    const int code = ZoomToCode(double(page_->Zoom()));
    if (code <= 90) {
        DoSaveRichtext();
        processPendingEvents();
        page_->SetZoom(static_cast<float>(CodeToZoom(code + 10)));
        static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
        SetCaption();
    }
    ZoomBusy = false;
}

void TCalendarMain::ZoomMinusButtonClick()
{
    if (ZoomBusy)
        return;
    ZoomBusy = true;
    const int code = ZoomToCode(double(page_->Zoom()));
    if (code > 60) {
        DoSaveRichtext();
        processPendingEvents();
        page_->SetZoom(static_cast<float>(CodeToZoom(code - 10)));
        static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
        SetCaption();
    }
    ZoomBusy = false;
}

void TCalendarMain::updateUndoActions()
{
    QAction *undo = action("mnuUndo");
    QAction *redo = action("mnuRedo");
    if (undo == nullptr || redo == nullptr || history_ == nullptr)
        return;
    const bool visible = !page_->isHidden();
    // Text typed into the open cell is the step Undo would take back first.
    const bool typing = cells_->Dirty();
    undo->setText(typing ? QStringLiteral("Undo ") + TEditHistory::TypingStepName()
                         : history_->UndoText());
    undo->setEnabled(visible && (typing || history_->CanUndo()));
    redo->setText(history_->RedoText());
    redo->setEnabled(visible && !typing && history_->CanRedo());
}

void TCalendarMain::mnuUndoClick()
{
    if (!page_->isHidden())
        history_->Undo();
}

void TCalendarMain::mnuRedoClick()
{
    if (!page_->isHidden())
        history_->Redo();
}

// An undone step may have changed the layout, the page's size and what has day cells.
void TCalendarMain::pageRestored()
{
    static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
    page_->Repaint();
    CheckFloaterStatus();
    SetButtons();
    SetCaption();
}

void TCalendarMain::mnuClearAllCellContentsClick()
{
    const TGBasePanel::TChangeStep step(*page_, QStringLiteral("Clear All Cell Contents"));
    DoSaveRichtext();
    clearAllCells();
    page_->Repaint();
    SetModified(true);
}

void TCalendarMain::mnuUserTitleClick()
{
    TUserTitleForm form(this);
    form.SetTitle(page_->UserTitle());
    if (!RunDialog(RunUserTitleDialog, form))
        return;
    const TGBasePanel::TChangeStep step(*page_, QStringLiteral("Title"));
    page_->SetUserTitle(form.Title());
    SetModified(true);
}

void TCalendarMain::DefaultEditorFont1Click()
{
    Prefs = LoadPreferences(iniPath(), AppFolder().toStdString());
    QFont initial(QString::fromStdString(Prefs.fontName), Prefs.fontSize);
    initial.setBold(Prefs.fontBold);
    initial.setItalic(Prefs.fontItalic);
    initial.setUnderline(Prefs.fontUnderline);
    initial.setStrikeOut(Prefs.fontStrikeout);
    // Shown as the installed family that stands in for the stored name, kept when untouched.
    const QString shown = QFontInfo(initial).family();
    initial.setFamily(shown);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (ok && chosen.family() == shown)
        chosen.setFamily(QString::fromStdString(Prefs.fontName));
    if (ok) {
        Prefs.fontName = chosen.family().toStdString();
        Prefs.fontSize = std::max(1, int(std::lround(chosen.pointSizeF())));
        Prefs.fontBold = chosen.bold();
        Prefs.fontItalic = chosen.italic();
        Prefs.fontUnderline = chosen.underline();
        Prefs.fontStrikeout = chosen.strikeOut();
        savePreferencesQuietly();
    }
    SetDefaultFontNow();
}

void TCalendarMain::mnuShowHintClick()
{
    HintsOn = action("mnuShowHint")->isChecked();
    Prefs.hintsOn = HintsOn;
    try {
        SavePreference(iniPath(), Prefs, TPreferenceKey::HintsOn);
    } catch (const std::exception &) {
    }
}

void TCalendarMain::About1Click()
{
    TSplashform about(this);
    RunModalDialog(about);
}

// ---- day cells ----

void TCalendarMain::DoSaveRichtext()
{
    cells_->Commit();
}

void TCalendarMain::CalendarPanelClickedInCellEvent(const TRect &, const TRect &rFree, int iCell, int)
{
    cells_->OpenCell(rFree, iCell);
}

void TCalendarMain::PuttextOnDay(int day, const QString &text)
{
    cells_->PutTextOnDay(day, text);
}

QImage TCalendarMain::DroppedPicture(const QMimeData *data)
{
    return TCellEditing::DroppedPicture(data);
}

bool TCalendarMain::DropPictureOnCell(const QImage &picture, int x, int y)
{
    return cells_->DropPictureOnCell(picture, x, y);
}

void TCalendarMain::SetDefaultFontNow()
{
    cells_->SetDefaultFontNow();
}

bool TCalendarMain::handleKey(QObject *target, QKeyEvent *key)
{
    if (key->key() == Qt::Key_PageDown) {
        ZoomPlusButtonClick();
        return true;
    }
    if (key->key() == Qt::Key_PageUp) {
        ZoomMinusButtonClick();
        return true;
    }
    return cells_->HandleEditorKey(target, key);
}

bool TCalendarMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == page_ && event->type() == QEvent::Resize) {
        static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
        return false;
    }
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w != nullptr && w->window() == this && statusHint_ != nullptr) {
            const QString hint = event->type() == QEvent::Enter ? w->toolTip() : QString();
            if (event->type() == QEvent::Enter && !hint.isEmpty())
                statusHint_->setText(hint.section(QLatin1Char('\n'), 0, 0));
            else if (event->type() == QEvent::Leave)
                statusHint_->clear();
        }
    }
    if (event->type() == QEvent::ToolTip && !HintsOn)
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w != nullptr && w->window() == this)
            return handleKey(watched, static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace velmora
