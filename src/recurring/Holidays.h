#pragma once
// The holiday picker: the predefined holidays in a check list, none chosen at first. A
// country choice above the list swaps in that country's public holidays.

#include "recurring/CheckListDialog.h"

class QComboBox;

namespace velmora {

class TGetHolidays final : public TCheckListDialog
{
public:
    explicit TGetHolidays(QWidget *parent = nullptr);

    void AllButtonClick() { selectAllRows(); }
    void nonebuttonClick() { selectNoRows(); }

    // Index 0 is the predefined holidays; the others follow HolidayCountries().
    QComboBox *countryCombo() const { return CountryCombo; }
    void CountryComboChange(int index);

private:
    QComboBox *CountryCombo = nullptr;
};

} // namespace velmora
