#pragma once
// The fill command's choice among the recurring dates that concern the page month.

#include "recurring/CheckListDialog.h"

class QCheckBox;
class QComboBox;

namespace velmora {

struct HolidayCountry;

class TSelectRecurringDates final : public TCheckListDialog
{
public:
    explicit TSelectRecurringDates(QWidget *parent = nullptr);

    // The offered lines in the given order, every row selected: the usual wish is to fill
    // in everything and leave out a few.
    void setEntries(const std::vector<std::string> &lines);

    void AllbuttonClick() { selectAllRows(); }
    void NonebuttonClick() { selectNoRows(); }

    // "Also mark observed days": the country whose rules say where a holiday falling on a
    // weekend is kept, or nullptr when the box is not checked.
    QCheckBox *observedCheck() const { return ObservedCheck; }
    QComboBox *observedCountry() const { return ObservedCountry; }
    const HolidayCountry *observedRules() const;

private:
    QCheckBox *ObservedCheck = nullptr;
    QComboBox *ObservedCountry = nullptr;
};

} // namespace velmora
