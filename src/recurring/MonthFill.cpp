#include "recurring/MonthFill.h"

#include "common/Cp1252.h"
#include "recurring/RecurFill.h"
#include "recurring/RecurStore.h"

namespace velmora {

bool RecurStoreExists(const std::filesystem::path &store)
{
    std::error_code ec;
    return std::filesystem::status(store, ec).type() != std::filesystem::file_type::not_found;
}

void PutTextsOnDays(const std::vector<std::string> &entries, int month, int year,
                    const PutTextOnDay &putTextOnDay)
{
    PutEntryTexts(entries, year, month, [&](int day, const std::string &text) {
        putTextOnDay(day, QString::fromStdString(Cp1252ToUtf8(text)));
    });
}

FillResult FillCalendarWithAllRecurringDates(const std::filesystem::path &store, int month,
                                             int year, const PutTextOnDay &putTextOnDay)
{
    if (!RecurStoreExists(store)) return FillResult::NoStore;
    const std::vector<std::string> offered = EntriesForMonth(readRecurLines(store), year, month);
    if (offered.empty()) return FillResult::NothingOffered;
    PutTextsOnDays(offered, month, year, putTextOnDay);
    return FillResult::Filled;
}

} // namespace velmora
