// RTF from any producer into a text document.
#include "FuzzSupport.h"

#include "richtext/RtfReader.h"

#include <QTextDocument>

#include <string_view>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    QTextDocument doc;
    readRtf(std::string_view(reinterpret_cast<const char *>(data), size), doc);
    return 0;
}
