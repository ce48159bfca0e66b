#pragma once
// The holiday picker: the predefined holidays in a check list, none chosen at first.

#include "recurring/CheckListDialog.h"

namespace velmora {

class TGetHolidays final : public TCheckListDialog
{
public:
    explicit TGetHolidays(QWidget *parent = nullptr);

    void AllButtonClick() { selectAllRows(); }
    void nonebuttonClick() { selectNoRows(); }
};

} // namespace velmora
