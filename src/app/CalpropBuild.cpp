// Construction of the Calendar Properties dialog: its notebook pages, the preview and the
// button row. The handlers live in Calprop.cpp.
#include "app/Calprop.h"

#include "app/CalpropBindings.h"
#include "app/ColorDropButton.h"
#include "app/RadioGroup.h"
#include "common/DialogButtons.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

namespace velmora {

using namespace calprop;

namespace {

// The preview's grey surround, 0x00BBGGRR.
constexpr TColor kPreviewBackground = 9342606;

const std::pair<const char *, const char *> kHints[] = {
    {"LayoutList", "Select a layout for the calendar from this list"},
    {"rOrientation", "Choose Portrait or Landscape orientation"},
    {"PaperSize", "Choose the paper size"},
    {"Button8", "Click for the previous year"},
    {"Button9", "Click for the previous month"},
    {"Button10", "Click for today's date"},
    {"Button11", "Click for the next month"},
    {"Button12", "Click for the next year"},
    {"Calendar", "Click on a date to select it"},
    {"WeekStartsOn", "Select the day that the calendar week starts on"},
    {"TitleShowYearCheck", "For full calendars, show the year as well\ras the month in the title"},
    {"MiniShowYearCheck", "For mini calendars, show the year as well\ras the month in the title"},
    {"TitleFontbutton", "Select the Title font\r(the title is the part of the calendar showing "
                        "\rthe month and year)"},
    {"TitleBGColor", "Select the title background color\r(the title is the part of the calendar "
                     "showing \rthe month and year)"},
    {"HeaderFontButton", "Select the Header font\r(the header is the part of the calendar "
                         "showing \rthe names of the days)"},
    {"HeaderBGColor", "Select the Header background color\r(the header is the part of the "
                      "calendar showing \rthe names of the days)"},
    {"NumberFontButton", "Select theNumber Cells font\r(the number cells are the part of the "
                         "calendar \rshowing the individual days by number)"},
    {"Minititlefontbutton", "Select the Mini Calendar Title font\r(the title is the part of the "
                            "calendar showing \rthe month and year)"},
    {"MiniHeadersBGColorButton", "Select the Mini Calendar Header background color\r(the header "
                                 "is the part of the calendar showing \rthe names of the days)"},
    {"MiniHeaderFontButton", "Select the Mini Calendar Header font\r(the header is the part of "
                             "the calendar showing \rthe names of the days)"},
    {"MiniCellFontButton", "Select the Mini Calendar Number Cells font\r(the number cells are the "
                           "part of the calendar \rshowing the individual days by number)"},
    {"MiniCalBGColorButton", "Select the color for the background of the \rentire Mini Calendar"},
    {"CalHeaderStyleCombo", "Select a Header Style for the calendar\r(the header is the part of "
                            "the calendar showing \rthe names of the days)"},
    {"MiniHeadersStyleCombo", "Select a Header Style for the Mini calendars\r(the header is the "
                              "part of the calendar showing \rthe names of the days)"},
    {"CalendarLineLayoutCombo", "Select a Line Style for the calendar"},
    {"MiniCalendarLineLayoutCombo", "Select a Line Style for the Mini calendars"},
    {"StartingtimeButton", "Select a starting time by clicking here"},
    {"MonthNames", "Type in the month names, starting with January,\ror click one of the buttons "
                   "below"},
    {"DayNames", "Type in the day names, starting with Sunday, or \rclick one of the buttons "
                 "below."},
    {"English", "Use the default English names for the months \rand days of the week."},
    {"French", "Use French names for the months \rand days of the week."},
    {"German", "Use German names for the months \rand days of the week."},
    {"Italian", "Use Italian names for the months \rand days of the week."},
    {"Spanish", "Use Spanish names for the months \rand days of the week."},
    {"useInches", "Click to see measurements in inches"},
    {"UseMillimeters", "Click to see measurements in millimeters"},
    {"LeftMarginInchcombo", "Select the left margin for the printed calendar"},
    {"TopMarginInchcombo", "Select the top margin for the printed calendar"},
    {"RightMarginInchcombo", "Select the right margin for the printed calendar"},
    {"BottomMarginInchcombo", "Select the bottom margin for the printed calendar"},
    {"TabSet1", "Click a tab to work with a different aspect of \rthis calendar's properties"},
    {"ScrollBox1", "This is an example calendar"},
    {"ExampleCalendar", "This is an example calendar"},
    {"ZoomInButton", "Click to zoom in (make the calendar larger)"},
    {"ZoomOutbutton", "Click to zoom out (make the calendar smaller)"},
};

const char *const kTabCaptions[] = {"Layout",       "Date",        "Fonts && Colors",
                                    "Mini Fonts && Colors", "Header Styles", "Line Styles",
                                    "Day Planner",  "Language",    "Margins"};

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QGroupBox *group(const QString &title, QWidget *parent)
{
    return new QGroupBox(title, parent);
}

QPushButton *plainButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TCalendarProperties::TCalendarProperties(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarProperties"));
    setWindowTitle(QStringLiteral("Calendar Properties"));
    example_ = named(new TCalendarPanel32, "ExampleCalendar");

    tabs_ = named(new QTabBar(this), "TabSet1");
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(false);
    notebook_ = named(new QStackedWidget(this), "Notebook");
    notebook_->setMinimumWidth(420);
    for (const char *caption : kTabCaptions)
        tabs_->addTab(QLatin1String(caption));
    notebook_->addWidget(buildLayoutPage());
    notebook_->addWidget(buildDatePage());
    notebook_->addWidget(buildFontsPage({"", "TitleFontbutton", "HeaderFontButton",
                                         "NumberFontButton", "HeaderBGColor", "TitleBGColor",
                                         nullptr}));
    notebook_->addWidget(buildFontsPage({"Mini ", "Minititlefontbutton", "MiniHeaderFontButton",
                                         "MiniCellFontButton", "MiniHeadersBGColorButton",
                                         "MiniCalBGColorButton",
                                         "Mini Calendar Background Color"}));
    notebook_->addWidget(buildHeaderStylesPage());
    notebook_->addWidget(buildLineStylesPage());
    notebook_->addWidget(buildPlannerPage());
    notebook_->addWidget(buildLanguagePage());
    notebook_->addWidget(buildMarginsPage());
    connect(tabs_, &QTabBar::currentChanged, notebook_, &QStackedWidget::setCurrentIndex);
    tabs_->setCurrentIndex(0);
    notebook_->setCurrentIndex(0);

    // The strip runs above the whole dialog so that all nine tabs show at once.
    auto *top = new QHBoxLayout;
    top->addWidget(notebook_);
    top->addWidget(buildPreview(), 1);
    auto *main = new QVBoxLayout(this);
    main->addWidget(tabs_);
    main->addLayout(top, 1);
    main->addWidget(buildButtonRow());
    applyHints();
    resize(940, 580);
}

TCalendarProperties::~TCalendarProperties() = default;

QWidget *TCalendarProperties::buildLayoutPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QGroupBox *box = group(QStringLiteral("Select Layout"), page);
    auto *boxLayout = new QVBoxLayout(box);
    layoutList_ = named(new QListWidget(box), "LayoutList");
    for (const char *caption : kLayoutRowCaptions)
        layoutList_->addItem(QLatin1String(caption));
    layoutList_->setUniformItemSizes(true);
    boxLayout->addWidget(layoutList_);
    layout->addWidget(box, 1);

    auto *row = new QHBoxLayout;
    orientation_ = named(new TRadioGroup(QStringLiteral("Orientation"),
                                         {QStringLiteral("Portrait"), QStringLiteral("Landscape")},
                                         page),
                         "rOrientation");
    paperSize_ = named(new TRadioGroup(QStringLiteral("Paper"),
                                       {QStringLiteral("Letter"), QStringLiteral("A4")}, page),
                       "PaperSize");
    row->addWidget(orientation_);
    row->addWidget(paperSize_);
    layout->addLayout(row);

    connect(layoutList_, &QListWidget::currentRowChanged, this, [this] { LayoutListClick(); });
    connect(orientation_, &TRadioGroup::itemChanged, this, [this] { LayoutListClick(); });
    connect(paperSize_, &TRadioGroup::itemChanged, this, [this] { LayoutListClick(); });
    return page;
}

QWidget *TCalendarProperties::buildDatePage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    dateGroup_ = named(group(QStringLiteral("Select Month && Year"), page), "DateGroup");
    auto *box = new QVBoxLayout(dateGroup_);
    dateLabel_ = named(new QLabel(dateGroup_), "DateLabel");
    dateLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = dateLabel_->font();
    bold.setBold(true);
    dateLabel_->setFont(bold);
    box->addWidget(dateLabel_);
    calendar_ = named(new QCalendarWidget(dateGroup_), "Calendar");
    calendar_->setFirstDayOfWeek(Qt::Sunday);
    calendar_->setNavigationBarVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setDateRange(QDate(kFirstGridYear, 1, 1), QDate(kLastGridYear, 12, 31));
    box->addWidget(calendar_);
    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> steps[] = {
        {"<<", "Button8"}, {"<", "Button9"}, {"Now", "Button10"}, {">", "Button11"}, {">>", "Button12"}};
    for (const auto &[caption, name] : steps)
        buttons->addWidget(plainButton(QLatin1String(caption), name, dateGroup_));
    box->addLayout(buttons);
    layout->addWidget(dateGroup_);

    weekStartsOn_ = named(new TRadioGroup(QStringLiteral("Week Starts On"),
                                          {QStringLiteral("Sunday"), QStringLiteral("Monday")},
                                          page),
                          "WeekStartsOn");
    layout->addWidget(weekStartsOn_);
    titleShowYear_ = named(new QCheckBox(QStringLiteral("Show Year in Title"), page),
                           "TitleShowYearCheck");
    miniShowYear_ = named(new QCheckBox(QStringLiteral("Show Year in Mini Title"), page),
                          "MiniShowYearCheck");
    layout->addWidget(titleShowYear_);
    layout->addWidget(miniShowYear_);
    layout->addStretch(1);

    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] { CalendarChange(); });
    connect(findChild<QPushButton *>(QStringLiteral("Button8")), &QPushButton::clicked, this,
            [this] { Button8Click(); });
    connect(findChild<QPushButton *>(QStringLiteral("Button9")), &QPushButton::clicked, this,
            [this] { Button9Click(); });
    connect(findChild<QPushButton *>(QStringLiteral("Button10")), &QPushButton::clicked, this,
            [this] { Button10Click(); });
    connect(findChild<QPushButton *>(QStringLiteral("Button11")), &QPushButton::clicked, this,
            [this] { Button11Click(); });
    connect(findChild<QPushButton *>(QStringLiteral("Button12")), &QPushButton::clicked, this,
            [this] { Button12Click(); });
    connect(weekStartsOn_, &TRadioGroup::itemChanged, this, [this](int row) {
        if (!suppress_)
            example_->SetStartOfWeek(row + 1);
    });
    for (const TCheckBinding &b : kCheckBindings) {
        auto *check = findChild<QCheckBox *>(QLatin1String(b.name));
        connect(check, &QCheckBox::toggled, this, [this, set = b.set](bool on) {
            if (!suppress_)
                set(*example_, on);
        });
    }
    return page;
}

QPushButton *TCalendarProperties::fontButton(const char *name, QWidget *parent)
{
    QPushButton *button = plainButton(QStringLiteral("Font"), name, parent);
    connect(button, &QPushButton::clicked, this, [this, button] { FontButtonClick(button); });
    return button;
}

TColorDropButton *TCalendarProperties::colorButton(const char *name, QWidget *parent)
{
    auto *button = named(new TColorDropButton(QStringLiteral("Color"), parent), name);
    connect(button, &TColorDropButton::colorPicked, this,
            [this, button](TColor c) { ColorPicked(button, c); });
    return button;
}

QWidget *TCalendarProperties::buildFontsPage(const TFontsPageDesign &d)
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    const QString prefix = QLatin1String(d.captionPrefix);
    QGroupBox *title = group(prefix + QStringLiteral("Title"), page);
    auto *titleRow = new QHBoxLayout(title);
    titleRow->addWidget(fontButton(d.titleFont, title));
    // The main calendar's background is its title band, so its colour sits with the title.
    if (d.backgroundCaption == nullptr) titleRow->addWidget(colorButton(d.background, title));
    titleRow->addStretch(1);
    QGroupBox *header = group(prefix + QStringLiteral("Header"), page);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->addWidget(fontButton(d.headerFont, header));
    headerRow->addWidget(colorButton(d.headerBackground, header));
    headerRow->addStretch(1);
    QGroupBox *cells = group(prefix + QStringLiteral("Number Cells"), page);
    auto *cellsRow = new QHBoxLayout(cells);
    cellsRow->addWidget(fontButton(d.cellFont, cells));
    cellsRow->addStretch(1);
    for (QGroupBox *box : {title, header, cells})
        layout->addWidget(box);
    if (d.backgroundCaption != nullptr) {
        QGroupBox *background = group(QLatin1String(d.backgroundCaption), page);
        auto *backgroundRow = new QHBoxLayout(background);
        backgroundRow->addWidget(colorButton(d.background, background));
        backgroundRow->addStretch(1);
        layout->addWidget(background);
    }
    layout->addStretch(1);
    return page;
}

QComboBox *TCalendarProperties::styleCombo(const char *name, const QStringList &items,
                                           QWidget *parent)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    for (size_t i = 0; i < std::size(kRowBindings); ++i) {
        if (qstrcmp(kRowBindings[i].name, name) != 0)
            continue;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, i](int row) {
            if (!suppress_ && row >= 0)
                kRowBindings[i].set(*example_, row);
        });
    }
    return combo;
}

QWidget *TCalendarProperties::buildHeaderStylesPage()
{
    const QStringList styles = {QStringLiteral("First Character"),
                                QStringLiteral("First Three Characters"),
                                QStringLiteral("Whole Word")};
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QGroupBox *main = group(QStringLiteral("Header Style"), page);
    (new QVBoxLayout(main))->addWidget(styleCombo("CalHeaderStyleCombo", styles, main));
    QGroupBox *mini = group(QStringLiteral("Mini Header Style"), page);
    (new QVBoxLayout(mini))->addWidget(styleCombo("MiniHeadersStyleCombo", styles, mini));
    layout->addWidget(main);
    layout->addWidget(mini);
    layout->addStretch(1);
    return page;
}

QWidget *TCalendarProperties::buildLineStylesPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QGroupBox *main = group(QStringLiteral("Calendar Line Style"), page);
    (new QVBoxLayout(main))
        ->addWidget(styleCombo("CalendarLineLayoutCombo",
                               {QStringLiteral("Full"), QStringLiteral("Headers & Cells"),
                                QStringLiteral("Cells Only")},
                               main));
    QGroupBox *mini = group(QStringLiteral("Mini-Calendar Line Style"), page);
    (new QVBoxLayout(mini))
        ->addWidget(styleCombo("MiniCalendarLineLayoutCombo",
                               {QStringLiteral("Full"), QStringLiteral("Boxed"),
                                QStringLiteral("Minimal")},
                               mini));
    layout->addWidget(main);
    layout->addWidget(mini);
    layout->addStretch(1);
    return page;
}

QWidget *TCalendarProperties::buildPlannerPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QGroupBox *box = group(QStringLiteral("Starting Time (for day planners)"), page);
    auto *row = new QHBoxLayout(box);
    QPushButton *button = plainButton(QStringLiteral("Set Time..."), "StartingtimeButton", box);
    timeLabel_ = named(new QLabel(box), "TimeLabel");
    row->addWidget(button);
    row->addWidget(timeLabel_, 1);
    layout->addWidget(box);
    auto *note = named(new QLabel(QStringLiteral("*(Note: This setting only applies if you have "
                                                 "selected one of the two Day Planners from the "
                                                 "Layout tab)"),
                                  page),
                       "NoteLabel");
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    connect(button, &QPushButton::clicked, this, [this] { StartingtimeButtonClick(); });
    return page;
}

QWidget *TCalendarProperties::buildLanguagePage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QGroupBox *box = group(QStringLiteral("Month and Day Names"), page);
    auto *grid = new QGridLayout(box);
    monthNames_ = named(new QPlainTextEdit(box), "MonthNames");
    dayNames_ = named(new QPlainTextEdit(box), "DayNames");
    for (QPlainTextEdit *edit : {monthNames_, dayNames_}) {
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
        edit->installEventFilter(this);
    }
    grid->addWidget(monthNames_, 0, 0);
    grid->addWidget(dayNames_, 0, 1);
    layout->addWidget(box, 1);

    const std::tuple<const char *, const char *, TNameLanguage> languages[] = {
        {"English", "English", TNameLanguage::English},
        {"Fran\u00e7ais", "French", TNameLanguage::French},
        {"Deutsch", "German", TNameLanguage::German},
        {"L'italiano", "Italian", TNameLanguage::Italian},
        {"Espa\u00f1ol", "Spanish", TNameLanguage::Spanish}};
    auto *buttons = new QHBoxLayout;
    for (const auto &[caption, name, language] : languages) {
        QPushButton *button = plainButton(QString::fromUtf8(caption), name, page);
        const TNameLanguage l = language;
        connect(button, &QPushButton::clicked, this, [this, l] { LanguageClick(l); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    return page;
}

QComboBox *TCalendarProperties::marginCombo(const char *name, bool emptySeventh, QWidget *parent)
{
    auto *combo = named(new QComboBox(parent), name);
    for (const char *caption : kInchCaptions)
        combo->addItem(QString::fromUtf8(caption));
    if (emptySeventh)
        combo->addItem(QString());
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo] { MarginComboChange(combo); });
    return combo;
}

QWidget *TCalendarProperties::buildMarginsPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    useInches_ = named(new QRadioButton(QStringLiteral("Use Inches"), page), "useInches");
    useMillimeters_ = named(new QRadioButton(QStringLiteral("Use Millimeters"), page),
                            "UseMillimeters");
    useInches_->setChecked(true);
    layout->addWidget(useInches_);
    layout->addWidget(useMillimeters_);
    connect(useInches_, &QRadioButton::clicked, this, [this] { UnitsClick(); });
    connect(useMillimeters_, &QRadioButton::clicked, this, [this] { UnitsClick(); });

    QGroupBox *box = group(QStringLiteral("Select Page Margins"), page);
    auto *form = new QFormLayout(box);
    // The top list starts without the empty entry; the others, and every list after a
    // change of units, have it.
    form->addRow(QStringLiteral("Left"), marginCombo("LeftMarginInchcombo", true, box));
    form->addRow(QStringLiteral("Top"), marginCombo("TopMarginInchcombo", false, box));
    form->addRow(QStringLiteral("Right"), marginCombo("RightMarginInchcombo", true, box));
    form->addRow(QStringLiteral("Bottom"), marginCombo("BottomMarginInchcombo", true, box));
    layout->addWidget(box);
    layout->addStretch(1);

    invisInches_ = named(new QComboBox(page), "InvisInches");
    for (const char *caption : kInchCaptions)
        invisInches_->addItem(QString::fromUtf8(caption));
    invisInches_->addItem(QString());
    invisMM_ = named(new QComboBox(page), "InvisMM");
    for (const char *caption : kMillimetreCaptions)
        invisMM_->addItem(QLatin1String(caption));
    invisMM_->addItem(QString());
    invisInches_->hide();
    invisMM_->hide();
    return page;
}

QWidget *TCalendarProperties::buildPreview()
{
    auto *preview = new QWidget(this);
    auto *layout = new QVBoxLayout(preview);
    layout->setContentsMargins(0, 0, 0, 0);
    scrollBox_ = named(new QScrollArea(preview), "ScrollBox1");
    QPalette pal = scrollBox_->palette();
    pal.setColor(QPalette::Window, ToQColor(kPreviewBackground));
    scrollBox_->setPalette(pal);
    scrollBox_->setBackgroundRole(QPalette::Window);
    scrollBox_->setAutoFillBackground(true);
    scrollBox_->setWidgetResizable(false);
    scrollBox_->setWidget(example_);
    scrollBox_->setMinimumSize(360, 320);
    layout->addWidget(scrollBox_, 1);

    auto *zoomRow = new QHBoxLayout;
    auto *zoomIn = named(new QToolButton(preview), "ZoomInButton");
    zoomIn->setText(QStringLiteral("+"));
    auto *zoomOut = named(new QToolButton(preview), "ZoomOutbutton");
    zoomOut->setText(QStringLiteral("-"));
    zoomLabel_ = named(new QLabel(preview), "ZoomLabel");
    zoomRow->addStretch(1);
    zoomRow->addWidget(zoomOut);
    zoomRow->addWidget(zoomLabel_);
    zoomRow->addWidget(zoomIn);
    zoomRow->addStretch(1);
    layout->addLayout(zoomRow);
    connect(zoomIn, &QToolButton::clicked, this, [this] { ZoomInButtonClick(); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { ZoomOutbuttonClick(); });
    return preview;
}

QWidget *TCalendarProperties::buildButtonRow()
{
    QDialogButtonBox *row = OkCancelHelpButtons(
        this, [this] { OkbuttonClick(); }, nullptr, [this] { HelpbuttonClick(); },
        {.ok = "okbutton", .cancel = "CancelButton", .help = "Helpbutton"});
    AddRowButton(row, QStringLiteral("&Save As Style Sheet"), "SaveAsStyleSheetButton",
                 [this] { SaveAsStyleSheetButtonClick(); });
    AddRowButton(row, QStringLiteral("&Load Style Sheet"), "LoadStyleSheetButton",
                 [this] { LoadStyleSheetButtonClick(); });
    AddRowButton(row, QStringLiteral("&Default Style"), "Defaultbutton",
                 [this] { DefaultbuttonClick(); });
    // Enter is OK wherever the focus is, as on the pages' own buttons.
    for (QAbstractButton *b : row->buttons())
        static_cast<QPushButton *>(b)->setAutoDefault(false);
    return row;
}

void TCalendarProperties::applyHints()
{
    for (const auto &[name, hint] : kHints) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(name));
        if (widget == nullptr && example_->objectName() == QLatin1String(name))
            widget = example_;
        if (widget != nullptr)
            widget->setToolTip(QString::fromUtf8(hint).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    }
}

} // namespace velmora
