#include "recurring/Erecdf.h"

#include "common/DialogButtons.h"
#include "common/Program.h"
#include "recurring/DialogSupport.h"
#include "recurring/EntryList.h"
#include "recurring/RecurFormula.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QString kMonthHint = QStringLiteral("Select the month or choose 'Each Month' for all months");

template <std::size_t N>
QComboBox *makeList(QWidget *parent, const char *name, const std::array<std::string_view, N> &items,
                    const QString &hint)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (const std::string_view item : items)
        list->addItem(QString::fromLatin1(item));
    list->setToolTip(hint);
    list->setCurrentIndex(0);
    return list;
}

QRadioButton *makeRadio(QWidget *parent, const char *name, const QString &caption,
                        const QString &hint)
{
    auto *radio = new QRadioButton(caption, parent);
    radio->setObjectName(QLatin1String(name));
    radio->setToolTip(hint);
    return radio;
}

QLabel *makeOf(QWidget *parent)
{
    return new QLabel(QStringLiteral("of"), parent);
}

QFrame *makeSeparator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A hand-edited formula may hold an index no list has; that shows as no selection, which
// OK then refuses, rather than as some other value.
void selectIndex(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

} // namespace

void TEventEdit::focusInEvent(QFocusEvent *event)
{
    const int caret = cursorPosition();
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(caret);
}

TEditRecurringDateFormula::TEditRecurringDateFormula(QWidget *parent)
    : QDialog(parent), formula_(1, kDayOfMonthMarker)
{
    setObjectName(QStringLiteral("TEditRecurringDateFormula"));
    setWindowTitle(QStringLiteral("Recurring Date - Formulas"));
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    buildDayOfMonthRow(grid);
    grid->addWidget(makeSeparator(this), 1, 0, 1, 2);
    buildDaysOfWeekRow(grid);
    grid->addWidget(makeSeparator(this), 4, 0, 1, 2);
    buildSpecialRow(grid);
    grid->addWidget(makeSeparator(this), 6, 0, 1, 2);
    outer->addLayout(grid);

    outer->addWidget(
        new QLabel(QStringLiteral("Recurring event (birthday, anniversary, etc)"), this));
    Event = new TEventEdit(this);
    Event->setObjectName(QStringLiteral("Event"));
    outer->addWidget(Event);

    QDialogButtonBox *buttons = OkCancelHelpButtons(
        this, [this] { OkbuttonClick(); }, [this] { CancelButtonClick(); }, nullptr,
        {.ok = "Okbutton", .cancel = "CancelButton"});
    Okbutton = RowButton(buttons, "Okbutton");
    CancelButton = RowButton(buttons, "CancelButton");
    outer->addWidget(buttons);
    SetFixedDialogFrame(this, true);

    for (QRadioButton *radio : {rbDayOfMonth, rbDayOfweek, rbSpecial})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) SetRecurType();
        });
    connect(AllDaysCheck, &QCheckBox::toggled, this, [this] { AllDaysCheckClick(); });

    rbDayOfMonth->setChecked(true);
    SetRecurType();
}

void TEditRecurringDateFormula::buildDayOfMonthRow(QGridLayout *grid)
{
    rbDayOfMonth = makeRadio(this, "rbDayOfMonth", QStringLiteral("Day of the &Month"),
                             QStringLiteral("Check here to choose a 'Day of the Month' \n"
                                            "style Repeating Reminder"));
    DayOfMonthDay = new QSpinBox(this);
    DayOfMonthDay->setObjectName(QStringLiteral("DayOfMonthDay"));
    DayOfMonthDay->setRange(1, 31);
    DayOfMonthDay->setValue(1);
    DayOfMonthDay->setToolTip(QStringLiteral("Select the day of the month (1-31)"));
    DayOfMonthMonth = makeList(this, "DayOfMonthMonth", kMonthTexts, kMonthHint);
    DayOfMonthMonth->setMaxVisibleItems(14);

    auto *row = new QHBoxLayout;
    row->addWidget(DayOfMonthDay);
    row->addWidget(makeOf(this));
    row->addWidget(DayOfMonthMonth);
    row->addStretch();
    grid->addWidget(rbDayOfMonth, 0, 0);
    grid->addLayout(row, 0, 1);
}

void TEditRecurringDateFormula::buildDaysOfWeekRow(QGridLayout *grid)
{
    rbDayOfweek = makeRadio(this, "rbDayOfweek", QStringLiteral("Day of the &Week"),
                            QStringLiteral("Check here to choose a 'Days of the Week' \n"
                                           "style Repeating Reminder"));
    static constexpr std::array<const char *, 7> names = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static constexpr std::array<const char *, 7> captions = {"Sun", "Mon", "Tues", "Wed",
                                                             "Thu", "Fri", "Sat"};
    // Two rows: Mon Wed Fri Sun above Tues Thu Sat; (row, column) per weekday, Sunday first.
    static constexpr std::array<std::pair<int, int>, 7> cells = {
        {{0, 3}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}};
    auto *days = new QGridLayout;
    for (std::size_t i = 0; i < 7; ++i) {
        auto *box = new QCheckBox(QLatin1String(captions[i]), this);
        box->setObjectName(QLatin1String(names[i]));
        box->setToolTip(QStringLiteral("Check to use this reminder on this day of \neach week"));
        box->setChecked(i >= 1 && i <= 5);
        days->addWidget(box, cells[i].first, cells[i].second);
        weekdays_[i] = box;
    }
    AllDaysCheck = new QCheckBox(QStringLiteral("All Days"), this);
    AllDaysCheck->setObjectName(QStringLiteral("AllDaysCheck"));
    AllDaysCheck->setToolTip(QStringLiteral("Check to include all days"));
    days->addWidget(AllDaysCheck, 0, 4);
    days->setColumnStretch(5, 1);
    grid->addWidget(rbDayOfweek, 2, 0, Qt::AlignTop);
    grid->addLayout(days, 2, 1, 2, 1);
}

void TEditRecurringDateFormula::buildSpecialRow(QGridLayout *grid)
{
    rbSpecial = makeRadio(this, "rbSpecial", QStringLiteral("&Special"),
                          QStringLiteral("Check here to choose a 'nth Day of Month' \n"
                                         "style Repeating Reminder"));
    SpecialOccurrance = makeList(this, "SpecialOccurrance", kOccurrenceTexts,
                                 QStringLiteral("Select the occurrance: First, 2nd, 3rd, 4th, "
                                                "5th\nor Last"));
    SpecialDayOfWeek = makeList(this, "SpecialDayOfWeek", kWeekdayTexts,
                                QStringLiteral("Select the day of the week or 'Day' for any day"));
    SpecialMonth = makeList(this, "SpecialMonth", kMonthTexts, kMonthHint);
    SpecialMonth->setMaxVisibleItems(14);

    auto *row = new QHBoxLayout;
    row->addWidget(SpecialOccurrance);
    row->addWidget(SpecialDayOfWeek);
    row->addWidget(makeOf(this));
    row->addWidget(SpecialMonth);
    row->addStretch();
    grid->addWidget(rbSpecial, 5, 0);
    grid->addLayout(row, 5, 1);
}

void TEditRecurringDateFormula::setEventText(std::string_view eventText)
{
    Event->setText(fromStoreText(eventText));
}

std::string TEditRecurringDateFormula::eventText() const
{
    return toStoreText(Event->text());
}

void TEditRecurringDateFormula::setFormula(std::string_view formula)
{
    formula_ = std::string(formula);
    SetEmUp();
}

void TEditRecurringDateFormula::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only the first time: coming back from a message or another window must not move the
    // focus away from where the user left it.
    if (!shownOnce_) {
        shownOnce_ = true;
        Event->setFocus();
    }
}

void TEditRecurringDateFormula::SetEmUp()
{
    const std::string_view formula = formula_;
    int a = 0, b = 0, c = 0;
    if (!formula.empty() && formula.front() == kSpecialMarker) {
        if (!ParseSpecialFormula(formula, a, b, c)) return;
        rbSpecial->setChecked(true);
        selectIndex(SpecialOccurrance, a);
        selectIndex(SpecialDayOfWeek, b);
        selectIndex(SpecialMonth, c);
    } else if (!formula.empty() && formula.front() == kDayOfMonthMarker) {
        if (!ParseDayOfMonthFormula(formula, a, b)) return;
        rbDayOfMonth->setChecked(true);
        DayOfMonthDay->setValue(a);
        selectIndex(DayOfMonthMonth, b);
    } else {
        rbDayOfweek->setChecked(true);
        for (std::size_t i = 0; i < 7; ++i)
            weekdays_[i]->setChecked(formula.find(static_cast<char>('1' + i)) !=
                                     std::string_view::npos);
    }
    SetRecurType();
}

void TEditRecurringDateFormula::SetRecurType()
{
    const bool byMonthDay = rbDayOfMonth->isChecked();
    const bool byWeekdays = rbDayOfweek->isChecked();
    const bool special = rbSpecial->isChecked();
    for (QCheckBox *box : weekdays_)
        box->setEnabled(byWeekdays);
    AllDaysCheck->setEnabled(byWeekdays);
    DayOfMonthDay->setEnabled(byMonthDay);
    DayOfMonthMonth->setEnabled(byMonthDay);
    SpecialOccurrance->setEnabled(special);
    SpecialDayOfWeek->setEnabled(special);
    SpecialMonth->setEnabled(special);
    setBold(rbDayOfMonth, byMonthDay);
    setBold(rbDayOfweek, byWeekdays);
    setBold(rbSpecial, special);
}

void TEditRecurringDateFormula::AllDaysCheckClick()
{
    for (QCheckBox *box : weekdays_)
        box->setChecked(AllDaysCheck->isChecked());
}

bool TEditRecurringDateFormula::dayOfMonthFormula()
{
    const int day = DayOfMonthDay->value();
    // A half-typed value (an emptied box) counts as no day rather than the last good one.
    if (!DayOfMonthDay->hasAcceptableInput() || day < 1 || day > 31) {
        ShowInformation(QStringLiteral("Invalid day of month entered "));
        return false;
    }
    if (DayOfMonthMonth->currentIndex() < 0) {
        ShowInformation(QStringLiteral("Invalid month entered "));
        return false;
    }
    formula_ = DayOfMonthFormula(day, DayOfMonthMonth->currentIndex());
    return true;
}

bool TEditRecurringDateFormula::specialFormula()
{
    const int occurrence = SpecialOccurrance->currentIndex();
    const int weekday = SpecialDayOfWeek->currentIndex();
    const int month = SpecialMonth->currentIndex();
    if (occurrence < 0 || weekday < 0 || month < 0) {
        ShowInformation(QStringLiteral("Invalid value entered for Special category"));
        return false;
    }
    formula_ = SpecialFormula(occurrence, weekday, month);
    return true;
}

bool TEditRecurringDateFormula::daysOfWeekFormula()
{
    std::array<bool, 7> days{};
    bool any = false;
    for (std::size_t i = 0; i < 7; ++i) {
        days[i] = weekdays_[i]->isChecked();
        any = any || days[i];
    }
    if (!any) {
        ShowInformation(
            QStringLiteral("You must select at least one day for this \nreminder to occur on"));
        return false;
    }
    formula_ = DaysOfWeekFormula(days);
    return true;
}

bool TEditRecurringDateFormula::DetermineFormulaString()
{
    if (rbDayOfMonth->isChecked()) return dayOfMonthFormula();
    if (rbSpecial->isChecked()) return specialFormula();
    return daysOfWeekFormula();
}

void TEditRecurringDateFormula::OkbuttonClick()
{
    if (DetermineFormulaString()) accept();
}

void TEditRecurringDateFormula::CancelButtonClick()
{
    reject();
}

} // namespace velmora
