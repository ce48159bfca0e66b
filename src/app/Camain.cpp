#include "app/Camain.h"

#include "app/Calprop.h"
#include "app/DeferredIcons.h"
#include "app/Floater.h"
#include "app/Gettitle.h"
#include "app/MRUList.h"
#include "app/PropertyRules.h"
#include "app/Splash.h"
#include "app/ReportSystem.h"
#include "common/AtomicFile.h"
#include "common/ReportCanvas.h"
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "common/Program.h"
#include "recurring/IcsCommands.h"
#include "recurring/RecurCommands.h"
#include "recurring/RecurStore.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"

#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

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

// The values the main window's page is designed with, before the reset of the first
// activation: whole day names and black fonts. The window-text colour of a bare font
// would follow the desktop theme (grey on a dark one) and be stored as a system colour.
void applyDesignedValues(TCalendarPanel32 &page)
{
    const auto font = [](int height, uint8_t style, TColor color) {
        TFontDesc f;
        f.name = "Times New Roman";
        f.height = height;
        f.style = style;
        f.color = color;
        return f;
    };
    const auto bold = uint8_t(TFontStyle::fsBold);
    const TFontDesc title = font(-35, bold, clBlack), headers = font(-21, bold, clBlack),
                    cells = font(-21, bold, clBlack), miniTitle = font(-13, bold, clBlack),
                    miniHeaders = font(-11, 0, clWhite), miniCells = font(-11, 0, clBlack);
    page.SetTitleFont(&title);
    page.SetHeadersFont(&headers);
    page.SetCellFont(&cells);
    page.SetMiniTitleFont(&miniTitle);
    page.SetMiniHeadersFont(&miniHeaders);
    page.SetMiniCellFont(&miniCells);
    page.SetHeadersStyle(dsWhole);
}

// A button of the start panel: large, flat, left-aligned.
QPushButton *startItem(const QString &text, const QString &name, int pointSize, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    QFont f = b->font();
    f.setPointSize(pointSize);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 6px 12px;"));
    return b;
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
    CurrentFileName.clear();
    NewCalendar = EditingCell = false;

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
    page_->setAcceptDrops(true);
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
    resize(635, 378 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());

    page_->ClickedInCellEvent = [this](const TRect &total, const TRect &free, int cell, int day) {
        CalendarPanelClickedInCellEvent(total, free, cell, day);
    };
    page_->DroppedObjectEvent = [this](const TRect &) { SetModified(true); };
    // The tool strip shows the page's tool, also when a tool ends without creating anything.
    page_->PanelStateChangedEvent = [this](TLPanelState state) {
        if (QAbstractButton *b = tools_->button(state))
            b->setChecked(true);
    };
    page_->LabelChangedEvent = [this] { SetModified(true); };
    connect(editor_, &QTextEdit::textChanged, this, [this] {
        if (changeTracking_ && EditingCell)
            SetModified(true);
        // An emptied cell starts again from the default editor font, not the toolkit's.
        static bool resetting = false;
        if (EditingCell && !resetting && editor_->IsEmptyText()) {
            resetting = true;
            SetDefaultFontNow();
            resetting = false;
        }
    });
    connect(editor_, &TWPRichText::focusEntered, this, &TCalendarMain::editorEntered);

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
    Loading = true;
    CurrentCell = 0;
    Prefs = LoadPreferences(iniPath(), AppFolder().toStdString());
    MainZoomCode = Prefs.mainZoomCode;
    PropZoomCode = Prefs.propZoomCode;
    HintsOn = Prefs.hintsOn;
    IconToolVisible = Prefs.iconToolVisible;
    SetModified(false);
    page_->SetZoom(static_cast<float>(CodeToZoom(MainZoomCode)));
    applyDesignedValues(*page_);
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

void TCalendarMain::buildMenu()
{
    struct Item
    {
        const char *name;
        const char *caption;
        std::function<void()> run;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    const std::vector<Item> fileItems = {
        {"New1", "&New ", [this] { New1Click(); }},
        {"Open1", "&Open", [this] { Open1Click(); }},
        {"mnuNewFromSample", "New from Sa&mple...", [this] { NewFromSampleClick(); }},
        {"mnuClose", "C&lose", [this] { mnuCloseClick(); }},
        {"N3", "-", nullptr},
        {"mnuSave", "&Save ", [this] { mnuSaveClick(); }},
        {"mnuSaveAs", "Save &As...", [this] { mnuSaveAsClick(); }},
        {"mnuSaveAsBitmap", "Save As &Bitmap ", [this] { mnuSaveAsBitmapClick(); }},
        {"N1", "-", nullptr},
        {"mnuProperties", "&Properties", [this] { mnuPropertiesClick(); }},
        {"mnuUserTitle", "User Defined Title", [this] { mnuUserTitleClick(); }},
        {"mnuCancelChanges", "&Cancel Changes", [this] { mnuCancelChangesClick(); }},
        {"mnuClearAllCellContents", "Clear &All Cell Contents", [this] { mnuClearAllCellContentsClick(); }},
        {"DefaultEditorFont1", "&Default Editor Font", [this] { DefaultEditorFont1Click(); }},
        {"N7", "-", nullptr},
        {"mnuFillCalendarwithRecurringDates", "Fill Calendar with Recurring Dates",
         [this] { mnuFillCalendarwithRecurringDatesClick(); }},
        {"mnuEditrecurringDates", "Edit Recurring Dates", [this] { mnuEditrecurringDatesClick(); }},
        {"mnuImportEvents", "Import Events (.ics)...", [this] {
             if (ImportIcsEvents(page_->MainCalMonth(), page_->MainCalYear(),
                                 [this](int day, const QString &text) { PuttextOnDay(day, text); },
                                 {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }},
                                 this) == IcsImportResult::Filled) {
                 SetButtons();
                 page_->Repaint();
             }
         }},
        {"N5", "-", nullptr},
        {"mnuPrintCalendar", "P&rint Calendar", [this] { mnuPrintCalendarClick(); }},
        {"mnuPrintSetup", "Print Set&up", [this] { mnuPrintSetupClick(); }},
        {"N2", "-", nullptr},
        {"Exit1", "E&xit", [this] { close(); }},
    };
    for (const Item &it : fileItems) {
        QAction *a = QString::fromLatin1(it.caption) == QLatin1String("-")
                         ? file->addSeparator()
                         : file->addAction(QString::fromLatin1(it.caption));
        a->setObjectName(QString::fromLatin1(it.name));
        if (it.run)
            connect(a, &QAction::triggered, this, it.run);
    }
    action("New1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    action("Open1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    action("mnuClose")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    action("mnuSave")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    action("mnuSaveAs")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    action("mnuPrintCalendar")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    action("Exit1")->setShortcut(QKeySequence::Quit);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction *contents = help->addAction(QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("Contents1"));
    contents->setShortcut(QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, [] { ShowHelpContents(); });
    QAction *about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &TCalendarMain::About1Click);
    QAction *hints = help->addAction(QStringLiteral("&Show Hints"));
    hints->setObjectName(QStringLiteral("mnuShowHint"));
    hints->setCheckable(true);
    hints->setChecked(true);
    connect(hints, &QAction::triggered, this, &TCalendarMain::mnuShowHintClick);
}

void TCalendarMain::buildToolStrip(QWidget *strip)
{
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(2);
    auto button = [&](const char *name, const QString &text, const QString &hint) {
        auto *b = new QToolButton(strip);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setMinimumSize(24, 22);
        row->addWidget(b);
        return b;
    };
    connect(button("ZoomPlusButton", QStringLiteral("+"), QStringLiteral("Zoom In")),
            &QToolButton::clicked, this, &TCalendarMain::ZoomPlusButtonClick);
    connect(button("ZoomMinusButton", QStringLiteral("−"), QStringLiteral("Zoom Out")),
            &QToolButton::clicked, this, &TCalendarMain::ZoomMinusButtonClick);
    connect(button("PropertiesButton", QStringLiteral("Properties"),
                   QStringLiteral("Set/change Properties for the calendar")),
            &QToolButton::clicked, this, &TCalendarMain::mnuPropertiesClick);
    connect(button("Printbutton", QStringLiteral("Print"), QStringLiteral("Print the calendar")),
            &QToolButton::clicked, this, &TCalendarMain::mnuPrintCalendarClick);
    connect(button("ShowHideIconTool", QStringLiteral("Show Icon Tool"),
                   QStringLiteral("Show or hide the icons you can drop into day cells")),
            &QToolButton::clicked, this, &TCalendarMain::ShowHideIconToolClick);
    row->addSpacing(8);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    struct Tool
    {
        const char *name;
        const char *text;
        const char *hint;
        TLPanelState state;
    };
    const Tool toolList[] = {
        {"Pointerbutton", "Select", "Selection tool", psPointing},
        {"DrawLabelButton", "Text", "Text tool", psLabel},
        {"DrawImageButton", "Clip Art", "Clip Art Tool", psImage},
        {"DrawRichText", "Rich Text", "Rich Text tool \rMixed fonts, colors and styles", psRichLabel},
        {"DrawSuperText", "SuperText",
         "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps", psSuperText},
        {"PSpeedButton1", "Calendar",
         "Floating Calendar tool \rMini Calendar that you can place anywhere", psFlatCalendar},
    };
    for (const Tool &t : toolList) {
        QToolButton *b = button(t.name, QString::fromLatin1(t.text),
                                QString::fromLatin1(t.hint).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        b->setCheckable(true);
        tools_->addButton(b, t.state);
    }
    tools_->button(psPointing)->setChecked(true);
    connect(tools_, &QButtonGroup::idClicked, this,
            [this](int id) { page_->SetPanelState(static_cast<TLPanelState>(id)); });
    row->addStretch(1);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), strip);
    saveButton_->setObjectName(QStringLiteral("Savebutton"));
    saveButton_->setToolTip(QStringLiteral("Save changes to the calendar"));
    saveButton_->setStyleSheet(QStringLiteral("font-weight: bold; color: green;"));
    connect(saveButton_, &QPushButton::clicked, this, &TCalendarMain::mnuSaveClick);
    row->addWidget(saveButton_);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), strip);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setToolTip(QStringLiteral("Cancel all changes"));
    cancelButton_->setStyleSheet(QStringLiteral("font-weight: bold; color: red;"));
    connect(cancelButton_, &QPushButton::clicked, this, &TCalendarMain::mnuCancelChangesClick);
    row->addWidget(cancelButton_);
}

void TCalendarMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!activated_)
        QTimer::singleShot(0, this, &TCalendarMain::FirstActivation);
}

void TCalendarMain::FirstActivation()
{
    if (activated_ || !Loading)
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
    showPage(!CurrentFileName.isEmpty());
    processPendingEvents();
    action("mnuSave")->setEnabled(false);
    SetModified(false);
    Loading = false;
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

void TCalendarMain::buildStartPanel()
{
    auto *outer = new QVBoxLayout(startPanel_);
    outer->setContentsMargins(40, 24, 40, 24);
    outer->setSpacing(4);
    auto *heading = new QLabel(QStringLiteral("Velmora"), startPanel_);
    QFont f = heading->font();
    f.setPointSize(20);
    f.setBold(true);
    heading->setFont(f);
    outer->addWidget(heading);
    QPushButton *create = startItem(QStringLiteral("New calendar\u2026"), QStringLiteral("StartNew"),
                                    14, startPanel_);
    create->setToolTip(QStringLiteral("Design a new calendar page"));
    connect(create, &QPushButton::clicked, this, &TCalendarMain::New1Click);
    outer->addWidget(create);
    QPushButton *open = startItem(QStringLiteral("Open\u2026"), QStringLiteral("StartOpen"), 14,
                                  startPanel_);
    open->setToolTip(QStringLiteral("Open a calendar file"));
    connect(open, &QPushButton::clicked, this, &TCalendarMain::Open1Click);
    outer->addWidget(open);
    outer->addSpacing(12);
    recentHeading_ = new QLabel(QStringLiteral("Recent documents"), startPanel_);
    f.setPointSize(12);
    recentHeading_->setFont(f);
    outer->addWidget(recentHeading_);
    recentList_ = new QVBoxLayout;
    recentList_->setSpacing(0);
    outer->addLayout(recentList_);
    outer->addStretch(1);
    refreshStartPanel();
}

void TCalendarMain::refreshStartPanel()
{
    if (recentList_ == nullptr)
        return;
    // The list may be rebuilt from one of its own buttons' clicks.
    while (QLayoutItem *item = recentList_->takeAt(0)) {
        if (QWidget *old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    const QStringList recent = mru_->Items();
    recentHeading_->setVisible(!recent.isEmpty());
    for (const QString &path : recent) {
        const QFileInfo info(path);
        QPushButton *b = startItem(info.fileName() + QStringLiteral("   \u2014  ") +
                                       QDir::toNativeSeparators(info.absolutePath()),
                                   QStringLiteral("StartRecent"), 11, startPanel_);
        b->setToolTip(QStringLiteral("Open ") + QDir::toNativeSeparators(path));
        connect(b, &QPushButton::clicked, this, [this, path] {
            if (CheckSaveNeeded())
                OpenCalendarFile(path);
        });
        recentList_->addWidget(b);
    }
}

QString TCalendarMain::DialogFolder() const
{
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir())
        return lastFolder_;
    const QStringList recent = mru_->Items();
    if (!recent.isEmpty() && QFileInfo(recent.constFirst()).absoluteDir().exists())
        return QFileInfo(recent.constFirst()).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void TCalendarMain::rememberFolder(const QString &file)
{
    lastFolder_ = QFileInfo(file).absolutePath();
    report_->StartFolder = lastFolder_;
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
    if (value == Modified)
        return;
    Modified = value;
    SetButtons();
}

void TCalendarMain::SetCaption()
{
    QString caption = QStringLiteral("Velmora");
    if (!CurrentFileName.isEmpty())
        caption += QStringLiteral("  [") + QFileInfo(CurrentFileName).fileName() + QLatin1Char(']');
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
    const bool titled = !CurrentFileName.isEmpty();
    for (const char *n : {"mnuFillCalendarwithRecurringDates", "mnuUserTitle", "mnuClearAllCellContents"})
        action(n)->setEnabled(dayCells);
    QToolButton *iconTool = toolButton("ShowHideIconTool");
    iconTool->setEnabled(dayCells);
    iconTool->setText(palette_ != nullptr && palette_->isVisible() ? QStringLiteral("Hide Icon Tool")
                                                                   : QStringLiteral("Show Icon Tool"));
    // Save of an untitled page asks for a name.
    action("mnuSave")->setEnabled(visible);
    action("mnuClose")->setEnabled(visible);
    toolbar_->setEnabled(visible && EditingCell && !editor_->isHidden());
    for (const char *n : {"mnuSaveAs", "mnuProperties", "mnuPrintSetup", "mnuSaveAsBitmap"})
        action(n)->setEnabled(visible);
    for (const char *n : {"PropertiesButton", "ZoomPlusButton", "ZoomMinusButton"})
        toolButton(n)->setEnabled(visible);
    action("mnuPrintCalendar")->setEnabled(visible && PrinterAvailable);
    toolButton("Printbutton")->setEnabled(visible && PrinterAvailable);
    action("mnuCancelChanges")->setEnabled(visible && titled);
    saveButton_->setVisible(Modified);
    cancelButton_->setVisible(Modified && titled);
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

// ---- document lifecycle ----

void TCalendarMain::New1Click()
{
    if (!CheckSaveNeeded())
        return;
    BeginWait();
    DoSaveRichtext();
    EndWait();
    NewCalendar = true;
    mnuPropertiesClick();
    if (!PropertiesAccepted)
        return;
    SetModified(true);
    CurrentFileName.clear();
    clearAllCells();
    page_->RemoveAllObjects();
    showPage(true);
    SetButtons();
    SetCaption();
}

void TCalendarMain::mnuPropertiesClick()
{
    hidePaletteFor();
    const int oldMonth = page_->MainCalMonth(), oldYear = page_->MainCalYear();
    DoSaveRichtext();
    const bool isNew = NewCalendar;
    PropertiesAccepted = false;
    if (RunPropertiesDialog) {
        TCalendarPanel32 preview;
        preview.hide();
        preview.SetZoom(static_cast<float>(CodeToZoom(PropZoomCode)));
        preview.AssignStyle(*page_);
        const bool ok = RunPropertiesDialog(preview, isNew);
        PropZoomCode = ZoomToCode(double(preview.Zoom()));
        if (ok)
            acceptProperties(preview, oldMonth, oldYear);
    } else {
        TCalendarProperties dialog(this);
        CenterForm(&dialog);
        dialog.ExampleCalendar()->SetZoom(static_cast<float>(CodeToZoom(PropZoomCode)));
        if (isNew) {
            dialog.SetIsNew(true);
            dialog.SetCellsHaveText(false);
        } else if (!page_->isHidden()) {
            dialog.SetStartingFamily(page_->LayoutFamily());
            dialog.SetCellsHaveText(page_->HasCellText());
        }
        dialog.ExampleCalendar()->AssignStyle(*page_);
        const bool ok = dialog.exec() == QDialog::Accepted;
        PropZoomCode = ZoomToCode(double(dialog.ExampleCalendar()->Zoom()));
        if (ok)
            acceptProperties(*dialog.ExampleCalendar(), oldMonth, oldYear);
    }
    NewCalendar = false;
    page_->Repaint();
    CheckFloaterStatus();
    showPaletteAfter();
    SetButtons();
    Prefs.propZoomCode = PropZoomCode;
    savePreferencesQuietly();
}

void TCalendarMain::acceptProperties(const TCalendarPanel32 &preview, int oldMonth, int oldYear)
{
    if (!preview.SameStyle(*page_))
        SetModified(true);
    PropertiesAccepted = true;
    const int family = page_->LayoutFamily();
    page_->AssignStyle(preview);
    if (family != page_->LayoutFamily()) {
        clearAllCells();
        page_->RemoveAllObjects();
    }
    if ((page_->MainCalMonth() != oldMonth || page_->MainCalYear() != oldYear) &&
        page_->HasDayCells())
        clearAllCells();
}

void TCalendarMain::Open1Click()
{
    DoSaveRichtext();
    if (!CheckSaveNeeded())
        return;
    const QString path = Ui().openFileName(QStringLiteral("Open Calendar File"), DialogFolder(),
                                           QStringLiteral("Calendar File (*.QXF *.qxf)"));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    if (QFileInfo(path).suffix().toUpper() != QLatin1String("QXF")) {
        ShowInformation(QStringLiteral("Must be a Calendar file (*.QXF)"));
        return;
    }
    OpenCalendarFile(path);
}

// The sample is read like any document, then loses its name, so that saving asks for one
// of the user's own and the shipped file stays as it is; it stays off the recent files too.
void TCalendarMain::NewFromSampleClick()
{
    DoSaveRichtext();
    if (!CheckSaveNeeded())
        return;
    const QString path = Ui().openFileName(QStringLiteral("New from Sample"),
                                           DataFolder() + QStringLiteral("Samples/"),
                                           QStringLiteral("Calendar File (*.QXF *.qxf)"));
    if (path.isEmpty())
        return;
    OpenCalendarFile(path);
    mru_->remove(path);
    try {
        mru_->save();
    } catch (const std::exception &) {
        // As when opening: the list is a convenience.
    }
    if (CurrentFileName.isEmpty())
        return; // not read; the message has been shown
    CurrentFileName.clear();
    SetModified(false);
    SetCaption();
    SetButtons();
}

void TCalendarMain::OpenFileFromOutside(const QString &path)
{
    DoSaveRichtext();
    if (CheckSaveNeeded())
        OpenCalendarFile(path);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TCalendarMain::OpenCalendarFile(const QString &path)
{
    page_->SetPaintingHold(true);
    float remembered = 1.0F;
    if (page_->Zoom() != 1.0F) {
        remembered = page_->Zoom();
        if (remembered < 0.1F || remembered > 1.1F)
            remembered = 1.0F;
    }
    Loading = true;
    CurrentFileName.clear();
    DoSaveRichtext();
    int lostObjects = 0;
    int partlyRead = 0;
    if (!QFileInfo::exists(path)) {
        ShowInformation(QStringLiteral("File ") + path + QStringLiteral(" no longer exists"));
    } else {
        BeginWait();
        clearAllCells();
        page_->RemoveAllObjects();
        page_->SetUserTitle(std::string());
        page_->SetZoom(1.0F);
        try {
            const TLoadReport report = LoadFromFile(*page_, path, &page_->DocumentObjects());
            page_->AttachObjects();
            lostObjects = report.objectsLost;
            partlyRead = report.objectsPartlyRead;
            CurrentFileName = path;
            mru_->add(path);
            try {
                mru_->save();
            } catch (const std::exception &) {
                // The list is a convenience; a read-only ini file must not fail the open.
            }
            setWindowTitle(QStringLiteral("Velmora [") + QFileInfo(path).fileName() + QLatin1Char(']'));
        } catch (const std::exception &) {
            CurrentFileName.clear();
            page_->ResetToDefaults();
            ShowInformation(DocumentOpenErrorMessage(path));
        }
        EndWait();
    }
    processPendingEvents();
    Loading = false;
    SetButtons();
    showPage(!CurrentFileName.isEmpty());
    page_->Repaint();
    SetModified(false);
    SetButtons();
    CheckFloaterStatus();
    SetCaption();
    if (remembered != 1.0F)
        page_->SetZoom(remembered);
    SetCaption();
    page_->SetPaintingHold(false);
    if (lostObjects > 0 || partlyRead > 0)
        ShowInformation(LoadReportMessage(lostObjects, partlyRead, QFileInfo(path).fileName()));
}

bool TCalendarMain::SaveCalendarFile(const QString &path)
{
    page_->SetPaintingHold(true);
    const float remembered = page_->Zoom();
    page_->SetZoom(1.0F);
    BeginWait();
    DoSaveRichtext();
    bool ok = true;
    try {
        SaveToFile(*page_, path, &page_->DocumentObjects());
        CurrentFileName = path;
        SetModified(false);
    } catch (const std::exception &) {
        ok = false;
    }
    EndWait();
    if (remembered >= 0.2F && remembered <= 1.0F)
        page_->SetZoom(remembered);
    page_->SetPaintingHold(false);
    processPendingEvents();
    SetButtons();
    SetCaption();
    if (!ok) // the old file is untouched and the changes are still unsaved
        ShowInformation(QStringLiteral("Unable to write to ") + path);
    return ok;
}

void TCalendarMain::mnuSaveClick()
{
    if (page_->isHidden())
        return;
    if (CurrentFileName.isEmpty())
        mnuSaveAsClick();
    else
        SaveCalendarFile(CurrentFileName);
}

void TCalendarMain::mnuCloseClick()
{
    if (page_->isHidden() || !CheckSaveNeeded())
        return;
    DoSaveRichtext();
    CurrentFileName.clear();
    clearAllCells();
    page_->RemoveAllObjects();
    page_->SetUserTitle(std::string());
    showPage(false);
    SetModified(false);
    CheckFloaterStatus();
    SetButtons();
    SetCaption();
}

QString TCalendarMain::ProposedFileName() const
{
    if (!CurrentFileName.isEmpty())
        return QFileInfo(CurrentFileName).fileName();
    std::string month;
    page_->GetMonthName(page_->MainCalMonth(), month);
    return QString::fromStdString(month).left(3) + QString::number(page_->MainCalYear()) +
           QStringLiteral(".QXF");
}

bool TCalendarMain::mnuSaveAsClick()
{
    const QString path = Ui().saveFileName(QStringLiteral("Save Calendar File"), DialogFolder(),
                                           ProposedFileName(),
                                           QStringLiteral("Calendar File (*.QXF)"),
                                           QStringLiteral("QXF"));
    bool ok = false;
    if (!path.isEmpty() && SaveCalendarFile(path)) {
        ok = true;
        rememberFolder(path);
        SetModified(false);
        mru_->add(path);
        try {
            mru_->save();
        } catch (const std::exception &) {
        }
    }
    SetButtons();
    return ok;
}

bool TCalendarMain::CheckSaveNeeded()
{
    DoSaveRichtext();
    if (!Modified)
        return true;
    // Cancel (and Escape) keeps the document and its changes as they are.
    const TUiService::TAnswer answer = AskYesNoCancel(QStringLiteral("Save changes?"),
                                                      QStringLiteral("Save"));
    if (answer == TUiService::TAnswer::Cancel)
        return false;
    if (answer == TUiService::TAnswer::No)
        return true;
    // A cancelled Save As or a failed save stops the command that asked, so nothing
    // unsaved is thrown away without the user knowing.
    const bool saved = CurrentFileName.isEmpty() ? mnuSaveAsClick() : SaveCalendarFile(CurrentFileName);
    if (!saved)
        return false;
    SetModified(false);
    return true;
}

void TCalendarMain::mnuCancelChangesClick()
{
    if (!AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    // Opening clears the current name first, so it gets its own copy.
    const QString file = CurrentFileName;
    if (!file.isEmpty())
        OpenCalendarFile(file);
    processPendingEvents();
    SetModified(false);
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

void TCalendarMain::mnuClearAllCellContentsClick()
{
    DoSaveRichtext();
    clearAllCells();
    page_->Repaint();
    SetModified(true);
}

void TCalendarMain::mnuUserTitleClick()
{
    TUserTitleForm form(this);
    form.SetTitle(page_->UserTitle());
    CenterForm(&form);
    const bool ok = RunUserTitleDialog ? RunUserTitleDialog(form) : form.exec() == QDialog::Accepted;
    if (!ok)
        return;
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
    CenterForm(&about);
    about.exec();
}

// ---- recurring dates ----

void TCalendarMain::mnuFillCalendarwithRecurringDatesClick()
{
    const FillResult result = FillCalendarWithRecurringDates(
        page_->MainCalMonth(), page_->MainCalYear(),
        [this](int day, const QString &text) { PuttextOnDay(day, text); },
        {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }}, SelectRecurringDates, this);
    if (result == FillResult::Filled) {
        SetButtons();
        page_->Repaint();
    }
}

void TCalendarMain::mnuEditrecurringDatesClick()
{
    EditRecurringDates(this, {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }},
                       EditRecurringDatesRunner);
}

// ---- output ----

bool TCalendarMain::CheckPrinters()
{
    // Printing to PDF and to the preview works on every machine, so a missing printer
    // does not switch printing off; the setup dialog then offers those destinations.
    return true;
}

QString TCalendarMain::PrintCompletedMessage(bool hasSuperText)
{
    if (hasSuperText)
        return QStringLiteral("Print job completed and sent to printer!\r\rNote: this design "
                              "contains complex shapes or text.\rPlease be patient while the "
                              "printer produces its\routput...");
    return QStringLiteral("Print job completed and sent to printer!");
}

void TCalendarMain::mnuPrintCalendarClick()
{
    if (page_->isHidden())
        return;
    const float remembered = page_->Zoom();
    page_->SetPrinting(true);
    DoSaveRichtext();
    BeginWait();
    page_->SetZoom(1.0F);
    Printed = false;
    const bool ok = report_->Execute();
    if (remembered != 1.0F)
        page_->SetZoom(remembered);
    EndWait();
    if (Printed && ok) {
        // A preview has shown the result already; a file is named.
        if (report_->Destination() == TReportDestination::Printer)
            ShowInformation(PrintCompletedMessage(page_->HasSuperText()));
        else if (report_->Destination() == TReportDestination::PdfFile)
            ShowInformation(QStringLiteral("Saved ") +
                            QDir::toNativeSeparators(report_->PdfFile()));
    } else if (!report_->LastError().isEmpty())
        ShowInformation(report_->LastError());
    if (remembered != 1.0F)
        page_->Repaint();
    page_->SetPrinting(false);
    SetCaption();
}

void TCalendarMain::mnuPrintSetupClick()
{
    report_->PrinterSetup();
}

QString TCalendarMain::ProposedBitmapName() const
{
    if (!CurrentFileName.isEmpty())
        return QFileInfo(CurrentFileName).completeBaseName() + QStringLiteral(".BMP");
    return ProposedFileName().chopped(4) + QStringLiteral(".BMP");
}

void TCalendarMain::mnuSaveAsBitmapClick()
{
    const QString path = Ui().saveFileName(QStringLiteral("Save Calendar As Bitmap"), DialogFolder(),
                                           ProposedBitmapName(),
                                           QStringLiteral("Bitmap File (*.BMP)"), QStringLiteral("BMP"));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    DoSaveRichtext();
    const QImage bitmap = page_->RenderToBitmap();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    bool ok = buffer.open(QIODevice::WriteOnly) && bitmap.save(&buffer, "BMP");
    try {
        if (ok)
            WriteFileAtomic(path, bytes);
    } catch (const TAtomicWriteError &) {
        ok = false;
    }
    page_->Repaint();
    if (!ok)
        ShowInformation(QStringLiteral("Unable to write to ") + path);
}

// ---- day cells ----

void TCalendarMain::DoSaveRichtext()
{
    if (!EditingCell || currentStore_ == nullptr)
        return;
    editor_->SaveToStore(*currentStore_);
    editor_->hide();
    EditingCell = false;
    toolbar_->setEnabled(false);
    page_->Repaint();
}

void TCalendarMain::CalendarPanelClickedInCellEvent(const TRect &, const TRect &rFree, int iCell, int)
{
    CurrentCell = iCell;
    changeTracking_ = false;
    DoSaveRichtext();
    currentStore_ = &page_->CellStore(iCell);
    EditingCell = true;
    const int w = rFree.right - rFree.left + 1, h = rFree.bottom - rFree.top + 1;
    editor_->SetPageSizeTwips(int(std::trunc(w / 96.0 * 1440)), int(std::trunc(h / 96.0 * 1440)));
    editor_->SetZoomPercent(int(std::lround(double(page_->Zoom()) * 100.0)));
    editor_->LoadFromStore(*currentStore_);
    editor_->setGeometry(rFree.left + page_->x() + 1, rFree.top + page_->y() + 1, w, h);
    editor_->show();
    editor_->raise();
    editor_->FocusAtStart();
    editorEntered(); // also when the window is not active and no focus event arrives
    changeTracking_ = true;
}

void TCalendarMain::PuttextOnDay(int day, const QString &text)
{
    const int returnTo = CurrentCell;
    DoSaveRichtext();
    const int k = page_->CellOfDay(day);
    if (k == -1)
        return;
    page_->ActivateCell(k);
    const QTextCharFormat format = editor_->CurrentFormat();
    editor_->moveCursor(QTextCursor::End);
    // A trailing empty paragraph (left by the previous call) takes the text itself, so
    // repeated calls stack their texts line by line.
    if (!editor_->textCursor().block().text().isEmpty())
        editor_->NewParagraph();
    editor_->InsertTextWithFormat(text, format);
    editor_->NewParagraph();
    Modified = true;
    if (returnTo > 0)
        page_->ActivateCell(returnTo);
}

QImage TCalendarMain::DroppedPicture(const QMimeData *data)
{
    if (data == nullptr)
        return {};
    if (data->hasImage())
        return qvariant_cast<QImage>(data->imageData());
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QImageReader reader(url.toLocalFile());
        if (reader.canRead())
            return reader.read();
    }
    return {};
}

bool TCalendarMain::DropPictureOnCell(const QImage &picture, int x, int y)
{
    if (picture.isNull() || !page_->IsPointInCell(x, y))
        return false;
    DoSaveRichtext();
    page_->ClickCellAtPoint(x, y);
    editor_->InsertPicture(picture);
    CurrentCell = page_->CellAtPoint(x, y);
    SetModified(true);
    return true;
}

void TCalendarMain::editorEntered()
{
    toolbar_->setEnabled(true);
    toolbar_->Attach(editor_);
    if (editor_->IsEmptyText())
        SetDefaultFontNow();
}

void TCalendarMain::SetDefaultFontNow()
{
    TCharAttributes a;
    a.fontName = QString::fromStdString(Prefs.fontName);
    a.size = Prefs.fontSize;
    a.style = uint8_t((Prefs.fontBold ? 1 : 0) | (Prefs.fontItalic ? 2 : 0) |
                      (Prefs.fontUnderline ? 4 : 0) | (Prefs.fontStrikeout ? 8 : 0));
    a.colorIndex = TWPRichText::ColorIndexOf(Prefs.fontColor);
    editor_->SetCurrentAttributes(a);
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
    const bool inEditor = !editor_->isHidden() &&
                          (target == editor_ || target == editor_->viewport() || editor_->hasFocus());
    if (inEditor && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
        if (key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) != 0)
            page_->ActivatePrevCell(CurrentCell);
        else
            page_->ActivateNextCell(CurrentCell);
        return true;
    }
    if (inEditor && key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier) != 0) {
        editor_->selectAll();
        return true;
    }
    return false;
}

bool TCalendarMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == page_ && event->type() == QEvent::Resize) {
        static_cast<TPageHolder *>(scroll_->widget())->fitTo(page_);
        return false;
    }
    if (watched == page_ && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        const QPoint pt = drag->position().toPoint();
        if (!DroppedPicture(drag->mimeData()).isNull() && page_->IsPointInCell(pt.x(), pt.y()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (watched == page_ && event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QPoint pt = drop->position().toPoint();
        if (DropPictureOnCell(DroppedPicture(drop->mimeData()), pt.x(), pt.y()))
            drop->acceptProposedAction();
        return true;
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
