#pragma once
// Events of an iCalendar file for the calendar page: the texts each day of a month receives,
// and recurring date entries for the events whose repeat rule the store's formulas can say.
// Plain text work on top of TIcsCalendar; texts are UTF-8 until they reach the store.

#include "recurring/IcsCalendar.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A start time as the program writes times (UTF-8). The default is the 24-hour "9:05".
using IcsTimeText = std::function<std::string(int hour, int minute)>;
std::string DefaultIcsTimeText(int hour, int minute);

struct IcsImportOptions
{
    std::string timeZone; // IANA name times are shown in; empty shows them as written
    IcsTimeText timeText; // empty: DefaultIcsTimeText
};

struct IcsDayText
{
    int day = 0;
    std::string text;
    std::size_t event = 0; // index into TIcsCalendar::events()
    std::string title;     // the event's summary alone
};

// What each day of the month receives, ordered by day and, within a day, by start (all-day
// events first). A timed event's text starts with its start time; an event lasting several
// days is written into each of its days in the month, the time only on the first.
// Throws IcsImportError for more than 1,000 texts in the month.
std::vector<IcsDayText> IcsDayTexts(const TIcsCalendar &calendar, int year, int month,
                                    const IcsTimeText &timeText = {});

// The whole way from file bytes to the month's texts. Throws IcsImportError.
std::vector<IcsDayText> IcsOccurrencesInMonth(std::string_view ics, int year, int month,
                                              const IcsImportOptions &options = {});

struct IcsStoreImport
{
    struct NotImported
    {
        std::string summary; // UTF-8
        std::string reason;
    };
    std::vector<std::string> entries; // store lines (Windows-1252), no two alike
    std::vector<NotImported> notImported;
};

// Yearly on a date becomes "@MMDD", on the Nth or last weekday "$", monthly the same with
// "each month", weekly and daily on weekdays "%". Everything else is listed with the reason.
IcsStoreImport IcsStoreEntries(const TIcsCalendar &calendar, const IcsTimeText &timeText = {});

// Adds the entries the store lacks; the result is in the store's list order.
std::vector<std::string> MergeIntoStore(std::vector<std::string> store,
                                        const std::vector<std::string> &entries);

} // namespace velmora
