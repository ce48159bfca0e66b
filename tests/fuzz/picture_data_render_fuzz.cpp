// The stored "Picture.Data" value on arbitrary bytes, decoded into a picture and drawn.
#include "FuzzSupport.h"

#include "imaging/Picture.h"

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    velmora::fuzz::EnsureApplication();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const velmora::TPicture picture = velmora::TPicture::fromPictureData(bytes);
    (void)picture.toImage(QSize(48, 48));
    return 0;
}
