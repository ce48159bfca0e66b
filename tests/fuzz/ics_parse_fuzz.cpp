// iCalendar import: reading a file through libical, expanding its events into months and
// turning them into recurring date entries. Damage must end in IcsImportError, never in a
// crash, a hang or unbounded memory.
#include "recurring/IcsImport.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    try {
        const velmora::TIcsCalendar calendar(bytes, "Europe/Berlin");
        (void)velmora::IcsStoreEntries(calendar);
        for (const auto &[year, month] : {std::pair{2027, 1}, std::pair{2027, 3}, std::pair{1999, 12}})
            (void)velmora::IcsDayTexts(calendar, year, month);
    } catch (const velmora::IcsImportError &) {
    }
    return 0;
}
