#pragma once
// Truevision TGA pictures: colour-mapped, true-colour and grey, plain or run-length coded.
#include "imaging/RasterImage.h"

namespace velmora {

DecodeResult decodeTga(std::span<const uint8_t> bytes);

} // namespace velmora
