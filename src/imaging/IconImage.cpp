#include "imaging/IconImage.h"

#include <cstring>

namespace velmora {

QImage IconToQImage(const TIconImage &image)
{
    if (image.png) {
        QImage png;
        if (!png.loadFromData(image.data.data(), static_cast<int>(image.data.size()), "PNG"))
            return {};
        return png.convertToFormat(QImage::Format_ARGB32);
    }
    const std::optional<TIconBitmap> bitmap = DecodeIconDib(image.data);
    if (!bitmap) return {};
    QImage out(bitmap->width, bitmap->height, QImage::Format_ARGB32);
    if (out.isNull()) return {};
    for (int y = 0; y < bitmap->height; ++y)
        std::memcpy(out.scanLine(y), bitmap->pixels.data() + size_t(y) * size_t(bitmap->width),
                    size_t(bitmap->width) * sizeof(uint32_t));
    return out;
}

QImage ExtractIconImage(const TIconLibrary &library, int index, int size)
{
    const std::optional<TIconImage> best = library.bestImage(index, size);
    if (!best) return {};
    QImage image = IconToQImage(*best);
    if (image.isNull() || (image.width() == size && image.height() == size)) return image;
    return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace velmora
