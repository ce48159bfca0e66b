#include "app/gcalflateditor.h"

#include "app/ChoiceDialogs.h"
#include "app/RadioGroup.h"
#include "common/Canvas.h"
#include "common/DialogButtons.h"
#include "common/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace velmora {
namespace {

constexpr int kHelpTopic = 40015;

const QStringList kBorderItems{QStringLiteral("None"), QStringLiteral("All"), QStringLiteral("Top"),
                               QStringLiteral("Bottom"), QStringLiteral("Top & Bottom")};

QPixmap swatch(TColor color, int w, int h)
{
    QPixmap p(w, h);
    p.fill(ToQColor(color));
    QPainter painter(&p);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, w - 1, h - 1);
    return p;
}

// The preview calendar at its own size, on the white of the scrolling area.
class TFlatPreview : public QWidget
{
public:
    TFlatPreview(TGFlatCalendar &sample, QWidget *parent) : QWidget(parent), sample_(sample)
    {
        setObjectName(QStringLiteral("Sample"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        TCanvas canvas(p, TFontDesc::kFontPpi);
        sample_.Paint(canvas);
    }

private:
    TGFlatCalendar &sample_;
};

} // namespace

const TColor TFlatColorButton::kPalette[20] = {
    0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xBFD7BF, 0x000000, 0x00007F, 0x007F00, 0x7F0000, 0xEFBF9F,
    0xBFBFBF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xEFF7FF, 0x7F7F7F, 0x007F7F, 0x7F7F00, 0x7F007F, 0x9F9F9F};

TFlatColorButton::TFlatColorButton(const QString &caption, QWidget *parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(this);
    auto *panel = new QWidget(menu);
    auto *grid = new QGridLayout(panel);
    grid->setSpacing(2);
    for (int i = 0; i < 20; ++i) {
        auto *b = new QToolButton(panel);
        b->setObjectName(QStringLiteral("Swatch%1").arg(i));
        b->setIcon(QIcon(swatch(kPalette[i], 18, 14)));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, menu, i] {
            menu->close();
            PickColor(kPalette[i]);
        });
        grid->addWidget(b, i / 4, i % 4);
    }
    auto *other = new QPushButton(QStringLiteral("&Other"), panel);
    other->setObjectName(QStringLiteral("OtherButton"));
    connect(other, &QPushButton::clicked, this, [this, menu] {
        menu->close();
        if (const auto c = Choices().chooseColor(window(), color_)) PickColor(*c);
    });
    grid->addWidget(other, 5, 0, 1, 4);
    auto *action = new QWidgetAction(menu);
    action->setDefaultWidget(panel);
    menu->addAction(action);
    setMenu(menu);
    SetColor(color_);
}

void TFlatColorButton::SetColor(TColor color)
{
    color_ = color;
    setIcon(QIcon(swatch(color, 16, 12)));
}

void TFlatColorButton::PickColor(TColor color)
{
    SetColor(color);
    emit colorPicked(color);
}

TFlatCalendarEditor::TFlatCalendarEditor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FlatCalendarEditor"));
    setWindowTitle(QStringLiteral("Floating Calendar Properties"));
    // A fixed frame without a system menu, with the context help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);
    auto *root = new QHBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    auto *left = new QVBoxLayout;
    root->addLayout(left);

    auto *dateRow = new QHBoxLayout;
    yearSpinner_ = new QSpinBox(this);
    yearSpinner_->setObjectName(QStringLiteral("YearSpinner"));
    yearSpinner_->setRange(1950, 2500);
    dateRow->addWidget(new QLabel(QStringLiteral("Year"), this));
    dateRow->addWidget(yearSpinner_);
    QStringList months;
    for (const char *m : {"January", "February", "March", "April", "May", "June", "July", "August",
                          "September", "October", "November", "December"})
        months << QString::fromLatin1(m);
    monthCombo_ = combo("MonthCombo", months);
    dateRow->addWidget(new QLabel(QStringLiteral("Month"), this));
    dateRow->addWidget(monthCombo_);
    left->addLayout(dateRow);

    auto *misc = new QGroupBox(QStringLiteral("Miscellaneous"), this);
    auto *miscGrid = new QGridLayout(misc);
    showYear_ = new QCheckBox(QStringLiteral("Show Year in Title"), misc);
    showYear_->setObjectName(QStringLiteral("ShowtitleInyearCheck"));
    miscGrid->addWidget(showYear_, 0, 0, 1, 2);
    headersStyle_ = combo("HeadersStyleCombo", {QStringLiteral("First Character"),
                                                QStringLiteral("First Three Characters"),
                                                QStringLiteral("Whole Word")});
    miscGrid->addWidget(new QLabel(QStringLiteral("Header Style"), misc), 1, 0);
    miscGrid->addWidget(headersStyle_, 1, 1);
    language_ = combo("LanguageCombo", {QStringLiteral("English"), QStringLiteral("Deutsch"),
                                        QStringLiteral("Français"), QStringLiteral("L'italiano"),
                                        QStringLiteral("Español")});
    miscGrid->addWidget(new QLabel(QStringLiteral("Language"), misc), 2, 0);
    miscGrid->addWidget(language_, 2, 1);
    left->addWidget(misc);

    weekStartsOn_ = new TRadioGroup(QStringLiteral("Week Starts On"),
                                    {QStringLiteral("Sunday"), QStringLiteral("Monday")}, this);
    weekStartsOn_->setObjectName(QStringLiteral("WeekStartsOn"));
    weekStartsOn_->setToolTip(QStringLiteral("Select the day that the calendar week starts on"));
    left->addWidget(weekStartsOn_);

    auto *fonts = new QGroupBox(QStringLiteral("Fonts"), this);
    auto *fontRow = new QHBoxLayout(fonts);
    const auto fontButton = [&](const char *name, const QString &caption, auto getter, auto setter) {
        auto *b = new QPushButton(caption, fonts);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this,
                [this, getter, setter] { editFont((sample_.*getter)(), setter); });
        fontRow->addWidget(b);
    };
    fontButton("TitleFontbutton", QStringLiteral("Title Font"), &TGFlatCalendar::TitleFont,
               &TGFlatCalendar::SetTitleFont);
    fontButton("HeaderFontbutton", QStringLiteral("Header Font"), &TGFlatCalendar::DayNameFont,
               &TGFlatCalendar::SetDayNameFont);
    fontButton("CellFontbutton", QStringLiteral("Cell Font"), &TGFlatCalendar::CellFont,
               &TGFlatCalendar::SetCellFont);
    left->addWidget(fonts);

    auto *borders = new QGroupBox(QStringLiteral("Borders"), this);
    auto *borderGrid = new QGridLayout(borders);
    calendarBorder_ = combo("CalendarBorderCombo", kBorderItems);
    headerBorder_ = combo("HeaderBorderCombo", kBorderItems);
    cellBorder_ = combo("CellBorderCombo", kBorderItems);
    borderGrid->addWidget(new QLabel(QStringLiteral("Calendar "), borders), 0, 0);
    borderGrid->addWidget(calendarBorder_, 0, 1);
    borderGrid->addWidget(new QLabel(QStringLiteral("Header"), borders), 1, 0);
    borderGrid->addWidget(headerBorder_, 1, 1);
    borderGrid->addWidget(new QLabel(QStringLiteral("Cell "), borders), 2, 0);
    borderGrid->addWidget(cellBorder_, 2, 1);
    left->addWidget(borders);

    auto *right = new QVBoxLayout;
    root->addLayout(right);
    auto *colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto *colorBox = new QVBoxLayout(colors);
    titleBackground_ = colorButton("TitleBackgroundbutton", QStringLiteral("Title Background"));
    headerBackground_ = colorButton("HeaderBackgroundButton", QStringLiteral("Header Background "));
    bodyBackground_ = colorButton("Bodybackgroundbutton", QStringLiteral("Body Background "));
    transparent_ = new QCheckBox(QStringLiteral("Transparent"), colors);
    transparent_->setObjectName(QStringLiteral("TransparentCheck"));
    for (QWidget *w : std::initializer_list<QWidget *>{titleBackground_, headerBackground_,
                                                       bodyBackground_, transparent_})
        colorBox->addWidget(w);
    right->addWidget(colors);

    auto *shadow = new QGroupBox(QStringLiteral("Shadow"), this);
    auto *shadowGrid = new QGridLayout(shadow);
    shadowColor_ = colorButton("ShadowColorButton", QStringLiteral("Color"));
    shadowOrientation_ = combo("ShadowOrientationCombo",
                               {QStringLiteral("Lower Right"), QStringLiteral("Lower Left"),
                                QStringLiteral("UpperRight"), QStringLiteral("UpperLeft")});
    shadowDepth_ = new QSpinBox(shadow);
    shadowDepth_->setObjectName(QStringLiteral("ShadowDepthSpinner"));
    shadowDepth_->setRange(0, 10);
    shadowGrid->addWidget(shadowColor_, 0, 0, 1, 2);
    shadowGrid->addWidget(new QLabel(QStringLiteral("Orientation"), shadow), 1, 0);
    shadowGrid->addWidget(shadowOrientation_, 1, 1);
    shadowGrid->addWidget(new QLabel(QStringLiteral("Depth"), shadow), 2, 0);
    shadowGrid->addWidget(shadowDepth_, 2, 1);
    right->addWidget(shadow);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("SampleArea"));
    scroll_->setFixedSize(260, 200);
    scroll_->setBackgroundRole(QPalette::Base);
    QPalette white = scroll_->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    scroll_->setPalette(white);
    scroll_->setAutoFillBackground(true);
    preview_ = new TFlatPreview(sample_, scroll_);
    preview_->setAutoFillBackground(false);
    scroll_->setWidget(preview_);
    right->addWidget(scroll_);

    // Ok accepts and Cancel rejects, as Escape does.
    right->addWidget(OkCancelHelpButtons(this, nullptr, nullptr, [] { ShowHelpContext(kHelpTopic); },
                                         {.ok = "OKButton", .cancel = "Cancelbutton",
                                          .help = "Helpbutton"}));

    const QString whatsThis = QStringLiteral("Every change shows at once in the sample; Ok "
                                             "gives it to the calendar on the page.");
    for (QWidget *w : findChildren<QWidget *>()) w->setWhatsThis(whatsThis);

    // Every change goes straight into the preview, but only once the controls show it.
    const auto whenActive = [this](auto apply) {
        return [this, apply](auto value) {
            if (!active_) return;
            apply(value);
            changed();
        };
    };
    connect(yearSpinner_, &QSpinBox::valueChanged, this,
            whenActive([this](int v) { sample_.SetYear(v); }));
    connect(monthCombo_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetMonth(i + 1); }));
    connect(showYear_, &QCheckBox::toggled, this,
            whenActive([this](bool on) { sample_.SetShowYear(on); }));
    connect(headersStyle_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetDayNameStyle(TFlatCalHeadersStyle(i)); }));
    connect(language_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetLanguage(TFlatCalLanguage(i)); }));
    connect(weekStartsOn_, &TRadioGroup::itemChanged, this,
            whenActive([this](int i) { sample_.SetStartOfWeek(i + 1); }));
    connect(calendarBorder_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetCalendarBorderStyle(TFlatCalBorderStyle(i)); }));
    connect(headerBorder_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetDayNameBorderStyle(TFlatCalBorderStyle(i)); }));
    connect(cellBorder_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetCellBorderStyle(TFlatCalBorderStyle(i)); }));
    connect(titleBackground_, &TFlatColorButton::colorPicked, this,
            whenActive([this](TColor c) { sample_.SetTitleBGcolor(c); }));
    connect(headerBackground_, &TFlatColorButton::colorPicked, this,
            whenActive([this](TColor c) { sample_.SetDayNameBGColor(c); }));
    connect(bodyBackground_, &TFlatColorButton::colorPicked, this,
            whenActive([this](TColor c) { sample_.SetBackgroundcolor(c); }));
    connect(transparent_, &QCheckBox::toggled, this,
            whenActive([this](bool on) { sample_.SetCalTransparent(on); }));
    connect(shadowColor_, &TFlatColorButton::colorPicked, this,
            whenActive([this](TColor c) { sample_.SetShadowColor(c); }));
    connect(shadowOrientation_, &QComboBox::currentIndexChanged, this,
            whenActive([this](int i) { sample_.SetShadowPosition(TFlatShadowPosition(i)); }));
    connect(shadowDepth_, &QSpinBox::valueChanged, this,
            whenActive([this](int v) { sample_.SetShadowDepth(v); }));
}

QComboBox *TFlatCalendarEditor::combo(const char *name, const QStringList &items)
{
    auto *c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    return c;
}

TFlatColorButton *TFlatCalendarEditor::colorButton(const char *name, const QString &caption)
{
    auto *b = new TFlatColorButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

void TFlatCalendarEditor::changed()
{
    preview_->update();
}

void TFlatCalendarEditor::editFont(const TFontDesc &start,
                                   void (TGFlatCalendar::*set)(const TFontDesc &))
{
    if (!active_) return;
    const std::optional<TFontDesc> chosen = Choices().chooseFont(this, start);
    if (!chosen) return;
    (sample_.*set)(*chosen);
    changed();
}

void TFlatCalendarEditor::Activate()
{
    active_ = false;
    // A document may hold values the controls cannot show; they show the nearest one and
    // the preview keeps its own until the user picks another.
    yearSpinner_->setValue(sample_.Year());
    monthCombo_->setCurrentIndex(sample_.clampedMonth() - 1);
    showYear_->setChecked(sample_.ShowYear());
    const auto pick = [](QComboBox *c, int index) {
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
    };
    pick(headersStyle_, sample_.DayNameStyle());
    pick(language_, sample_.Language());
    weekStartsOn_->SetItemIndex(sample_.StartOfWeek() - 1);
    pick(calendarBorder_, sample_.CalendarBorderStyle());
    pick(headerBorder_, sample_.DayNameBorderStyle());
    pick(cellBorder_, sample_.CellBorderStyle());
    titleBackground_->SetColor(sample_.TitleBGcolor());
    headerBackground_->SetColor(sample_.DayNameBGColor());
    bodyBackground_->SetColor(sample_.Backgroundcolor());
    transparent_->setChecked(sample_.CalTransparent());
    shadowColor_->SetColor(sample_.ShadowColor());
    pick(shadowOrientation_, sample_.ShadowPosition());
    shadowDepth_->setValue(sample_.ShadowDepth());
    preview_->resize(std::max(1, sample_.Width()), std::max(1, sample_.Height()));
    changed();
    active_ = true;
}

bool TFlatCalendarEditor::Execute(TGFlatCalendar &preview)
{
    sample_.AssignProperties(preview);
    sample_.SetBounds(0, 0, preview.Width(), preview.Height());
    Activate();
    const bool ok = RunDialog(RunModal, *this);
    active_ = false;
    if (ok) preview.AssignProperties(sample_);
    return ok;
}

TFlatCalendarEditor::~TFlatCalendarEditor()
{
    if (installed_) FlatCalendarEditor() = nullptr;
}

void TFlatCalendarEditor::Install()
{
    installed_ = true;
    FlatCalendarEditor() = [this](TGFlatCalendar &preview) { return Execute(preview); };
}

} // namespace velmora
