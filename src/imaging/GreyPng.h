#pragma once
// Greyscale pages written as PNG straight through libpng.
#include <QImage>

class QIODevice;

namespace velmora {

// Writes an 8-bit greyscale image with the settings Qt's PNG writer uses at quality 85
// (zlib level 1, libpng's own row filters, the image's resolution as pHYs): the same bytes,
// without the image format plugins that asking Qt for a writer loads. False for any other
// image format or when the device refuses a write.
bool WriteGreyPng(const QImage &grey, QIODevice *device);

} // namespace velmora
