#include "recurring/RecurFill.h"

#include "recurring/RecurFormula.h"

#include <exception>

namespace velmora {

std::vector<std::string> EntriesForMonth(const std::vector<std::string> &lines, int year, int month)
{
    std::vector<std::string> offered;
    for (const std::string &line : lines)
        if (EntryConcernsMonth(line, year, month)) offered.push_back(line);
    return offered;
}

std::string EntryFillText(std::string_view entry)
{
    const char marker = entryMarker(entry);
    if (marker == kDayOfMonthMarker || marker == kSpecialMarker)
        return TrimSpaces(entryName(entry));
    return std::string(entryName(entry));
}

void PutEntryTexts(const std::vector<std::string> &entries, int year, int month,
                   const PutEntryText &put)
{
    for (const std::string &entry : entries) {
        try {
            const std::vector<int> days = EntryDays(entry, year, month);
            if (days.empty()) continue;
            const std::string text = EntryFillText(entry);
            for (const int day : days)
                put(day, text);
        } catch (const std::exception &) {
            // Left out on purpose: the remaining entries still go in.
        }
    }
}

} // namespace velmora
