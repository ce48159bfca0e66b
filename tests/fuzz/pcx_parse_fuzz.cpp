// PCX decoding on arbitrary bytes.
#include "imaging/PcxDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    (void)velmora::decodePcx({data, size});
    return 0;
}
