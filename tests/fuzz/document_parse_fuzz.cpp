// Calendar documents (.QXF) as Open reads them: settings, cell texts, title and objects.
#include "FuzzSupport.h"

#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"

#include <exception>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    TCalendarPanel32 page;
    page.ResetToDefaults();
    try {
        ReadDocument(page, fuzz::bytesOf(data, size), &page.DocumentObjects());
        page.AttachObjects();
    } catch (const std::exception &) {
    }
    return 0;
}
