// iCalendar import, reading only: the file through libical and its events turned into
// recurring date entries. Damage must end in IcsImportError, never in a crash, a hang or
// unbounded memory. Expanding the events into months is ics_render_fuzz.
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
    } catch (const velmora::IcsImportError &) {
    }
    return 0;
}
