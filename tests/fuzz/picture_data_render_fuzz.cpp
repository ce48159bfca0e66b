// The stored "Picture.Data" value on arbitrary bytes, decoded into a picture and drawn.
#include "imaging/Picture.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const velmora::TPicture picture = velmora::TPicture::fromPictureData(bytes);
    (void)picture.toImage(QSize(48, 48));
    return 0;
}
