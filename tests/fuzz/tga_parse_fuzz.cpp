// TGA decoding on arbitrary bytes.
#include "imaging/TgaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    (void)velmora::decodeTga({data, size});
    return 0;
}
