#pragma once
// The formula dialog: one recurring date's event text and formula, chosen in one of three
// categories (day of the month, days of the week, n-th weekday of a month).

#include <QDialog>
#include <QLineEdit>

#include <array>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QRadioButton;
class QSpinBox;
class QPushButton;

namespace velmora {

// The event text box keeps the caret where the user left it instead of selecting all of
// its text on focus, so a tab into it does not invite overtyping the whole event.
class TEventEdit final : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

class TEditRecurringDateFormula final : public QDialog
{
public:
    explicit TEditRecurringDateFormula(QWidget *parent = nullptr);

    // Store texts (Windows-1252).
    void setEventText(std::string_view eventText);
    std::string eventText() const;
    // Setting the formula also sets the controls from it (SetEmUp), so the dialog shows it
    // whether or not it is ever activated; after OK it holds the chosen formula.
    void setFormula(std::string_view formula);
    const std::string &formula() const { return formula_; }

    // Handlers, reachable without a modal loop.
    void SetEmUp();
    void SetRecurType();
    void AllDaysCheckClick();
    bool DetermineFormulaString();
    void OkbuttonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildDayOfMonthRow(QGridLayout *grid);
    void buildDaysOfWeekRow(QGridLayout *grid);
    void buildSpecialRow(QGridLayout *grid);
    bool dayOfMonthFormula();
    bool specialFormula();
    bool daysOfWeekFormula();

    std::string formula_;
    bool shownOnce_ = false;
    QRadioButton *rbDayOfMonth = nullptr;
    QSpinBox *DayOfMonthDay = nullptr;
    QComboBox *DayOfMonthMonth = nullptr;
    QRadioButton *rbDayOfweek = nullptr;
    std::array<QCheckBox *, 7> weekdays_{}; // Sunday first
    QCheckBox *AllDaysCheck = nullptr;
    QRadioButton *rbSpecial = nullptr;
    QComboBox *SpecialOccurrance = nullptr;
    QComboBox *SpecialDayOfWeek = nullptr;
    QComboBox *SpecialMonth = nullptr;
    TEventEdit *Event = nullptr;
    QPushButton *Okbutton = nullptr;
    QPushButton *CancelButton = nullptr;
};

} // namespace velmora
