#pragma once
// The File menu's recurring date commands, free of the main window: it hands in what they
// need from it (the icon palette, the day cells) and refreshes its command states itself.

#include "recurring/DialogSupport.h"
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

enum class FillResult {
    NoStore,        // QXRECUR.DAX does not exist: nothing happened, nothing was said
    NothingOffered, // no entry concerns the month
    Cancelled,
    Filled, // the chosen texts went to the day cells
    StoreUnreadable
};

// Adds text to the day cell of the page month; days the page lacks are the callee's to skip.
using PutTextOnDay = std::function<void(int day, const QString &text)>;

// "Fill Calendar with Recurring Dates" for the page's main month. The user chooses among the
// entries that concern the month; their texts go day by day to putTextOnDay. After Filled
// the caller refreshes its command states.
FillResult FillCalendarWithRecurringDates(int month, int year, const PutTextOnDay &putTextOnDay,
                                          const TPaletteHooks &palette = {},
                                          const DialogRunner<TSelectRecurringDates> &select = {},
                                          QWidget *parent = nullptr);

// The same without asking, for headless use: every entry of the given store that concerns
// the month. Throws RecurStoreError when the store exists but cannot be read.
FillResult FillCalendarWithAllRecurringDates(const std::filesystem::path &store, int month,
                                             int year, const PutTextOnDay &putTextOnDay);

} // namespace velmora
