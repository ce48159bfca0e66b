#include "common/Float80.h"

#include <bit>

namespace velmora {

namespace {
constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr uint64_t kDoubleFraction = (uint64_t(1) << 52) - 1;
constexpr uint64_t kDoubleQuiet = uint64_t(1) << 51;
constexpr uint64_t kIntegerBit = uint64_t(1) << 63;
constexpr uint64_t kDoubleSign = uint64_t(1) << 63;
constexpr uint64_t kExtendedQuiet = uint64_t(1) << 62;
constexpr uint16_t kExtendedMaxExp = 0x7FFF;

TFloat80 pack(bool negative, uint16_t exponent, uint64_t mantissa)
{
    TFloat80 out{};
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = uint8_t(mantissa >> (8 * i));
    const uint16_t top = uint16_t(exponent | (negative ? 0x8000 : 0));
    out[8] = uint8_t(top);
    out[9] = uint8_t(top >> 8);
    return out;
}

double fromBits(bool negative, uint64_t magnitude)
{
    return std::bit_cast<double>(magnitude | (negative ? kDoubleSign : 0));
}

// Shifts right by `shift` (1..64), rounding to nearest with ties to even.
uint64_t shiftRightRounded(uint64_t value, int shift)
{
    const uint64_t kept = shift >= 64 ? 0 : value >> shift;
    const uint64_t rest = shift >= 64 ? value : value & ((uint64_t(1) << shift) - 1);
    const uint64_t half = uint64_t(1) << (shift - 1);
    if (rest > half || (rest == half && (kept & 1))) return kept + 1;
    return kept;
}

// `mantissa` has its top bit set; the value is 1.fraction * 2^unbiased.
double normalizedToDouble(bool negative, uint64_t mantissa, int64_t unbiased)
{
    const uint64_t infinity = uint64_t(0x7FF) << 52;
    int64_t exponent = unbiased + kDoubleBias;
    if (exponent >= 0x7FF) return fromBits(negative, infinity);
    if (exponent >= 1) {
        uint64_t kept = shiftRightRounded(mantissa, 11);
        if (kept >> 53) { // rounding carried into a new bit
            kept >>= 1;
            ++exponent;
        }
        if (exponent >= 0x7FF) return fromBits(negative, infinity);
        return fromBits(negative, (uint64_t(exponent) << 52) | (kept & kDoubleFraction));
    }
    // Subnormal result: value = mantissa * 2^(unbiased - 63) = f * 2^-1074.
    const int64_t shift = -(unbiased + 1011);
    if (shift > 64) return fromBits(negative, 0);
    // A carry up to 2^52 lands in the exponent field and gives the smallest normal.
    return fromBits(negative, shiftRightRounded(mantissa, int(shift)));
}
} // namespace

TFloat80 doubleToFloat80(double value)
{
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = int((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & kDoubleFraction;

    if (exponent == 0x7FF) {
        if (fraction == 0) return pack(negative, kExtendedMaxExp, kIntegerBit);
        // Loading a NaN on the x87 quiets it; the payload moves up with the fraction.
        return pack(negative, kExtendedMaxExp, kIntegerBit | kExtendedQuiet | (fraction << 11));
    }
    if (exponent == 0) {
        if (fraction == 0) return pack(negative, 0, 0);
        // The value is fraction * 2^-1074; once its top bit is moved to bit 63 it is
        // 1.xxx * 2^(63 - shift - 1074).
        const int shift = std::countl_zero(fraction);
        return pack(negative, uint16_t(kExtendedBias + 63 - shift - 1074), fraction << shift);
    }
    return pack(negative, uint16_t(exponent + kExtendedBias - kDoubleBias),
                kIntegerBit | (fraction << 11));
}

double float80ToDouble(std::span<const uint8_t, 10> bytes)
{
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[size_t(i)];
    const uint16_t top = uint16_t(bytes[8] | (bytes[9] << 8));
    const bool negative = (top & 0x8000) != 0;
    const int exponent = top & kExtendedMaxExp;

    if (exponent == kExtendedMaxExp) {
        const uint64_t payload = mantissa & ~kIntegerBit;
        if (payload == 0) return fromBits(negative, uint64_t(0x7FF) << 52);
        return fromBits(negative, (uint64_t(0x7FF) << 52) | kDoubleQuiet |
                                      ((payload >> 11) & kDoubleFraction));
    }
    if (mantissa == 0) return fromBits(negative, 0);
    // Extended subnormals (and unnormals) carry no implicit bit: normalise them first.
    const int shift = std::countl_zero(mantissa);
    const int64_t effective = exponent == 0 ? 1 : exponent;
    return normalizedToDouble(negative, mantissa << shift, effective - kExtendedBias - shift);
}

} // namespace velmora
