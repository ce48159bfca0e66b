#pragma once
// The fill command's choice among the recurring dates that concern the page month.

#include "recurring/CheckListDialog.h"

namespace velmora {

class TSelectRecurringDates final : public TCheckListDialog
{
public:
    explicit TSelectRecurringDates(QWidget *parent = nullptr);

    // The offered lines in the given order, every row selected: the usual wish is to fill
    // in everything and leave out a few.
    void setEntries(const std::vector<std::string> &lines);

    void AllbuttonClick() { selectAllRows(); }
    void NonebuttonClick() { selectNoRows(); }
};

} // namespace velmora
