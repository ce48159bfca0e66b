// Icon libraries drawn as the palette shows them: every icon at 16 and 32 pixels, PNG
// pictures decoded by Qt.
#include "FuzzSupport.h"

#include "imaging/IconImage.h"
#include "imaging/IconLibrary.h"

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    const TIconLibrary lib = TIconLibrary::fromBytes(std::vector<uint8_t>(data, data + size));
    for (int i = 0; i < lib.count(); ++i) {
        fuzz::consume(ExtractIconImage(lib, i, 16));
        fuzz::consume(ExtractIconImage(lib, i, 32));
    }
    return 0;
}
