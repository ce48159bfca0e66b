#include "recurring/Selrecu.h"

#include "recurring/EntryList.h"

#include <QListWidget>

namespace velmora {

TSelectRecurringDates::TSelectRecurringDates(QWidget *parent)
    : TCheckListDialog({QStringLiteral("Select Recurring Dates To Use"), "Dates", "Allbutton",
                        "Nonebutton", QSize(420, 12 * kEntryRowHeight + 4)},
                       parent)
{
    setObjectName(QStringLiteral("TSelectRecurringDates"));
    // One column as wide as the list; more rows continue in columns to the right.
    list()->setFlow(QListView::TopToBottom);
    list()->setWrapping(true);
    list()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TSelectRecurringDates::setEntries(const std::vector<std::string> &lines)
{
    setLines(lines);
    selectAllRows();
}

} // namespace velmora
