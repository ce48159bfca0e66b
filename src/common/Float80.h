#pragma once
// The 10-byte x87 extended format that documents store floats in. Converted by bit
// manipulation so the result does not depend on what `long double` means on the build target.
#include <array>
#include <cstdint>
#include <span>

namespace velmora {

// Little-endian: 8 bytes of mantissa (explicit integer bit on top), then 2 bytes holding
// the sign bit and the 15-bit exponent (bias 16383).
using TFloat80 = std::array<uint8_t, 10>;

// Exact: every double, subnormals included, is a normal extended number.
TFloat80 doubleToFloat80(double value);

// Rounds to nearest, ties to even. Too large for a double gives +-inf; too small gives
// a double subnormal or a signed zero. NaNs stay NaN (quiet), keeping the top payload bits.
double float80ToDouble(std::span<const uint8_t, 10> bytes);

} // namespace velmora
