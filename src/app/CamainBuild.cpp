// The main window's menu and tool strip.
#include "app/Camain.h"

#include "calendar/Calpanel32.h"
#include "common/Program.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace velmora {

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
    action("mnuSave")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
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
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        if (action("mnuSave")->isEnabled())
            mnuSaveClick();
        else
            mnuSaveAsClick();
    });
    row->addWidget(saveButton_);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), strip);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setToolTip(QStringLiteral("Cancel all changes"));
    cancelButton_->setStyleSheet(QStringLiteral("font-weight: bold; color: red;"));
    connect(cancelButton_, &QPushButton::clicked, this, &TCalendarMain::mnuCancelChangesClick);
    row->addWidget(cancelButton_);
}

} // namespace velmora
