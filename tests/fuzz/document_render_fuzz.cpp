// Calendar documents read and then drawn, objects and cell texts included, as the exporter
// does, at the smallest zoom to keep each run short.
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
    } catch (const std::exception &) {
        return 0;
    }
    page.AttachObjects();
    page.SetZoom(0.2F);
    fuzz::consume(page.RenderToBitmap());
    return 0;
}
