// The stored "Picture.Data" value on arbitrary bytes: decode, and write back what decodes.
#include "imaging/PictureData.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    velmora::StoredPicture picture;
    std::string error;
    if (velmora::DecodePictureData({data, size}, picture, error)) {
        // What was read must write back as the bytes it came from (less any tail).
        const std::string again = velmora::EncodePictureData(picture);
        if (again.size() > size || std::memcmp(again.data(), data, again.size()) != 0)
            std::abort();
    }
    return 0;
}
