#pragma once
// Filling a calendar month's day cells with recurring dates: what the commands report and
// the fill without any dialog, which the exporter uses.
#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

enum class FillResult {
    NoStore,        // QXRECUR.DAX does not exist: nothing happened, nothing was said
    NothingOffered, // no entry concerns the month
    Cancelled,
    Filled, // the chosen texts went to the day cells
    StoreUnreadable
};

// Adds text to the day cell of the page month; days the page lacks are the callee's to skip.
using PutTextOnDay = std::function<void(int day, const QString &text)>;

// The store file is there (readable or not).
bool RecurStoreExists(const std::filesystem::path &store);
// Each entry's fill text, day by day, to putTextOnDay (see PutEntryTexts).
void PutTextsOnDays(const std::vector<std::string> &entries, int month, int year,
                    const PutTextOnDay &putTextOnDay);

// Without asking, for headless use: every entry of the given store that concerns
// the month. Throws RecurStoreError when the store exists but cannot be read.
FillResult FillCalendarWithAllRecurringDates(const std::filesystem::path &store, int month,
                                             int year, const PutTextOnDay &putTextOnDay);

} // namespace velmora
