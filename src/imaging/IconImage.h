#pragma once
// Icon pictures as Qt images, for drawing and dragging.
#include "imaging/IconLibrary.h"

#include <QImage>

namespace velmora {

// A null image when the picture cannot be decoded.
QImage IconToQImage(const TIconImage &image);

// The icon at a 0-based index as a size × size image (the picture closest to that size,
// scaled when it differs); a null image when the icon is missing or unreadable.
QImage ExtractIconImage(const TIconLibrary &library, int index, int size);

} // namespace velmora
