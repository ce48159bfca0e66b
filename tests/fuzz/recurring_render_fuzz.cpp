// QXRECUR.DAX filled into a page's day cells and drawn, as velmora-export --recurring does.
#include "FuzzSupport.h"

#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "recurring/RecurCommands.h"

#include <exception>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    const fuzz::TMemoryFile file(fuzz::bytesOf(data, size));
    if (!file.ok())
        return 0;
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetMainCalYear(2024);
    page.SetMainCalMonth(2);
    page.SetZoom(0.2F);
    page.ComputeCellDays();
    TDayTextAppender cells(page);
    try {
        FillCalendarWithAllRecurringDates(file.path(), page.MainCalMonth(), page.MainCalYear(),
                                          [&cells](int day, const QString &text) {
                                              cells.append(day, text);
                                          });
    } catch (const std::exception &) {
        return 0;
    }
    cells.write();
    fuzz::consume(page.RenderToBitmap());
    return 0;
}
