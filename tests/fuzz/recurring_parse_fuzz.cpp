// QXRECUR.DAX and its formulas: every entry evaluated for all twelve months of a leap year
// and the February of a common one, as the fill and the dialogs do.
#include "FuzzSupport.h"

#include "recurring/RecurFill.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    const fuzz::TMemoryFile file(fuzz::bytesOf(data, size));
    if (!file.ok())
        return 0;
    std::vector<std::string> lines;
    try {
        lines = readRecurLines(file.path());
    } catch (const std::exception &) {
        return 0;
    }
    for (const std::string &line : lines) {
        try {
            int a = 0, b = 0, c = 0;
            ParseDayOfMonthFormula(entryFormula(line), a, b);
            ParseSpecialFormula(entryFormula(line), a, b, c);
            EntryDisplayText(line);
            EntryFillText(line);
        } catch (const std::exception &) {
        }
    }
    auto fill = [&lines](int year, int month) {
        try {
            PutEntryTexts(EntriesForMonth(lines, year, month), year, month,
                          [](int, const std::string &) {});
        } catch (const std::exception &) {
        }
    };
    for (int month = 1; month <= 12; ++month)
        fill(2024, month);
    fill(2027, 2);
    return 0;
}
