// Style sheets (.QXS): the settings block alone.
#include "FuzzSupport.h"

#include "calendar/DocumentFile.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    TCalendarSettings settings;
    try {
        ReadStyleSheet(settings, fuzz::bytesOf(data, size));
    } catch (const std::exception &) {
    }
    return 0;
}
