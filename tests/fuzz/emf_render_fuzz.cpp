// Playing EMF records on arbitrary bytes into a small bitmap.
#include "FuzzSupport.h"

#include "imaging/MetafilePlayer.h"

#include <QImage>
#include <QPainter>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    velmora::fuzz::EnsureApplication(); // text needs fonts, and fonts need an application
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    (void)velmora::playEmf(painter, QRectF(0, 0, 64, 64), {data, size});
    return 0;
}
