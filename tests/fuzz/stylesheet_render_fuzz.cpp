// Style sheets applied to a page that is then drawn: whatever settings a damaged sheet
// leaves must still paint.
#include "FuzzSupport.h"

#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"

#include <exception>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    const fuzz::TMemoryFile file(fuzz::bytesOf(data, size));
    if (!file.ok())
        return 0;
    TCalendarPanel32 page;
    page.ResetToDefaults();
    try {
        LoadStyleSheet(page, file.qpath());
    } catch (const std::exception &) {
        return 0;
    }
    page.SetZoom(0.2F);
    fuzz::consume(page.RenderToBitmap());
    return 0;
}
