#pragma once
// The File menu's recurring date commands, free of the main window: it hands in what they
// need from it (the icon palette, the day cells) and refreshes its command states itself.

#include "recurring/DialogSupport.h"
#include "recurring/MonthFill.h"
#include "recurring/Recd.h"
#include "recurring/Selrecu.h"

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace velmora {

// The icon palette goes out of the way while a command's dialog or message is up. The
// caller decides in these whether the palette is wanted at all; show is called exactly
// once after hide, on every way out of the command.
struct TPaletteHooks
{
    std::function<void()> hide;
    std::function<void()> show;
};

// "Edit Recurring Dates". True when the dialog saved the store. A store that cannot be
// read is reported and the dialog is not opened.
bool EditRecurringDates(QWidget *parent, const TPaletteHooks &palette = {},
                        const DialogRunner<TEditRecurringDates> &run = {});

// "Fill Calendar with Recurring Dates" for the page's main month. The user chooses among the
// entries that concern the month; their texts go day by day to putTextOnDay. After Filled
// the caller refreshes its command states.
FillResult FillCalendarWithRecurringDates(int month, int year, const PutTextOnDay &putTextOnDay,
                                          const TPaletteHooks &palette = {},
                                          const DialogRunner<TSelectRecurringDates> &select = {},
                                          QWidget *parent = nullptr);

} // namespace velmora
