// The main window's menu and tool strip.
#include "app/Camain.h"

#include "app/CellEditing.h"
#include "app/MRUList.h"
#include "calendar/Calpanel32.h"
#include "common/Program.h"
#include "recurring/IcsCommands.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace velmora {

namespace {
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

} // namespace

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
        {"mnuExportCalendarYear", "&Export Calendar Year…", [this] { mnuExportCalendarYearClick(); }},
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
             const TGBasePanel::TChangeStep step(*page_, QStringLiteral("Import Events"));
             IcsImportResult result = IcsImportResult::Cancelled;
             cells_->PutTextsOnDays([&](const PutTextOnDay &put) {
                 result = ImportIcsEvents(page_->MainCalMonth(), page_->MainCalYear(), put,
                                          {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }}, this);
             });
             if (result == IcsImportResult::Filled) {
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
        QAction *a = QString::fromUtf8(it.caption) == QLatin1String("-")
                         ? file->addSeparator()
                         : file->addAction(QString::fromUtf8(it.caption));
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

    // While a day cell or a text field has the focus, its own undo takes these keys.
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    QAction *undo = edit->addAction(QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &TCalendarMain::mnuUndoClick);
    QAction *redo = edit->addAction(QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo, &QAction::triggered, this, &TCalendarMain::mnuRedoClick);
    undo->setEnabled(false);
    redo->setEnabled(false);

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

// The values the main window's page is designed with, before the reset of the first
// activation: whole day names and black fonts. The window-text colour of a bare font
// would follow the desktop theme (grey on a dark one) and be stored as a system colour.
void TCalendarMain::applyDesignedValues()
{
    TCalendarPanel32 &page = *page_;
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

} // namespace velmora
