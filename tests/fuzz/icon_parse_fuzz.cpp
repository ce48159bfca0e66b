// Icon libraries: .ico, 16-bit NE (.icl) and PE programs; directories and every picture's
// DIB decoded to pixels.
#include "FuzzSupport.h"

#include "imaging/IconLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    const TIconLibrary lib = TIconLibrary::fromBytes(std::vector<uint8_t>(data, data + size));
    for (int i = 0; i < lib.count(); ++i) {
        for (const TIconImage &image : lib.images(i))
            if (!image.png)
                DecodeIconDib(image.data);
        lib.bestImage(i, 32);
    }
    return 0;
}
