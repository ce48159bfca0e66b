#pragma once
// ZSoft PCX pictures: 1, 2, 4 and 8 bits per plane, 1 to 4 planes.
#include "imaging/RasterImage.h"

namespace velmora {

DecodeResult decodePcx(std::span<const uint8_t> bytes);

} // namespace velmora
