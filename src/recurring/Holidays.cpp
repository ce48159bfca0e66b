#include "recurring/Holidays.h"

#include "recurring/RecurStore.h"

namespace velmora {

TGetHolidays::TGetHolidays(QWidget *parent)
    : TCheckListDialog({QStringLiteral("Holidays"), "Holidays", "AllButton", "nonebutton",
                        QSize(330, 16 * 16 + 4)},
                       parent)
{
    setObjectName(QStringLiteral("TGetHolidays"));
    std::vector<std::string> holidays = predefinedHolidayEntries();
    sortRecurLines(holidays);
    setLines(holidays);
}

} // namespace velmora
