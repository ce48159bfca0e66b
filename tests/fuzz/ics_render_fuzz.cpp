// iCalendar import expanded into months: every event's rules, extra and excluded dates and
// time zones worked out for three months, as the import does for the page's month. Damage
// must end in IcsImportError, never in a crash, a hang or unbounded memory.
#include "recurring/IcsImport.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    try {
        const velmora::TIcsCalendar calendar(bytes, "Europe/Berlin");
        for (const auto &[year, month] : {std::pair{2027, 1}, std::pair{2027, 3}, std::pair{1999, 12}})
            (void)velmora::IcsDayTexts(calendar, year, month);
    } catch (const velmora::IcsImportError &) {
    }
    return 0;
}
