// EMF headers and the loader's metafile step on arbitrary bytes.
#include "imaging/Imager.h"
#include "imaging/MetafileHeader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    (void)velmora::metafileInfo({data, size});
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)velmora::LoadPictureBytes(bytes, QStringLiteral("emf"));
    return 0;
}
