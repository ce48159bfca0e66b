#include "common/Float80.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

using namespace velmora;

namespace {
TFloat80 extended(uint16_t signExponent, uint64_t mantissa)
{
    TFloat80 out{};
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = uint8_t(mantissa >> (8 * i));
    out[8] = uint8_t(signExponent);
    out[9] = uint8_t(signExponent >> 8);
    return out;
}

uint64_t bitsOf(double d)
{
    return std::bit_cast<uint64_t>(d);
}

double toDouble(uint16_t signExponent, uint64_t mantissa)
{
    return float80ToDouble(extended(signExponent, mantissa));
}
} // namespace

// Hand-computed encodings: exponent bias 16383, explicit integer bit.
TEST(Float80, KnownEncodingsBothWays)
{
    struct Case
    {
        const char *what;
        double value;
        uint16_t signExponent;
        uint64_t mantissa;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"zero", 0.0, 0x0000, 0},
        {"negative zero", -0.0, 0x8000, 0},
        {"one", 1.0, 0x3FFF, 0x8000000000000000},
        {"-2.5", -2.5, 0xC000, 0xA000000000000000},
        {"1e-300", 1e-300, 0x3C1A, 0xAB70FE17C79AC800},
        {"1e300", 1e300, 0x43E3, 0xBF21E44003ACE000},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), 0x3BCD,
         0x8000000000000000},
        {"largest subnormal", std::bit_cast<double>(uint64_t(0x000FFFFFFFFFFFFF)), 0x3C00,
         0xFFFFFFFFFFFFF000},
        {"largest double", std::numeric_limits<double>::max(), 0x43FE, 0xFFFFFFFFFFFFF800},
        {"infinity", inf, 0x7FFF, 0x8000000000000000},
        {"-infinity", -inf, 0xFFFF, 0x8000000000000000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(doubleToFloat80(c.value), extended(c.signExponent, c.mantissa));
        EXPECT_EQ(bitsOf(toDouble(c.signExponent, c.mantissa)), bitsOf(c.value));
    }
}

TEST(Float80, NaNStaysNaN)
{
    const double quiet = std::numeric_limits<double>::quiet_NaN();
    const TFloat80 stored = doubleToFloat80(quiet);
    EXPECT_EQ(stored[9] & 0x7F, 0x7F);
    EXPECT_EQ(stored[8], 0xFF);
    EXPECT_TRUE(std::isnan(float80ToDouble(stored)));
    // A signalling NaN whose payload lies only in bits a double cannot hold must not
    // come back as infinity.
    EXPECT_TRUE(std::isnan(toDouble(0x7FFF, 0x8000000000000001)));
    EXPECT_TRUE(std::signbit(toDouble(0xFFFF, 0xC000000000000000)));
}

TEST(Float80, RoundsToNearestEven)
{
    // 1 + 2^-53 is halfway between 1 and the next double: ties go to the even one (1).
    EXPECT_EQ(toDouble(0x3FFF, 0x8000000000000400), 1.0);
    // 1 + 3 * 2^-53 is halfway between two doubles; the even one is above.
    EXPECT_EQ(bitsOf(toDouble(0x3FFF, 0x8000000000000C00)), bitsOf(1.0) + 2);
    // Just above halfway rounds up, just below rounds down.
    EXPECT_EQ(bitsOf(toDouble(0x3FFF, 0x8000000000000401)), bitsOf(1.0) + 1);
    EXPECT_EQ(bitsOf(toDouble(0x3FFF, 0x80000000000003FF)), bitsOf(1.0));
    // All mantissa bits set carries into the next power of two.
    EXPECT_EQ(toDouble(0x3FFF, 0xFFFFFFFFFFFFFFFF), 2.0);
}

TEST(Float80, OutOfDoubleRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(toDouble(0x43FF, 0x8000000000000000), inf); // 2^1024
    EXPECT_EQ(toDouble(0xC3FF, 0x8000000000000000), -inf);
    EXPECT_EQ(toDouble(0x7FFE, 0xFFFFFFFFFFFFFFFF), inf);
    // The largest double plus a little less than half an ulp stays finite; rounding up
    // past it overflows.
    EXPECT_EQ(toDouble(0x43FE, 0xFFFFFFFFFFFFFBFF), std::numeric_limits<double>::max());
    EXPECT_EQ(toDouble(0x43FE, 0xFFFFFFFFFFFFFC00), inf);

    // Below the double range: subnormals, then zero with the sign kept.
    EXPECT_EQ(toDouble(0x3BCD, 0x8000000000000000), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(bitsOf(toDouble(0x3BCC, 0x8000000000000000)), 0u); // half the smallest: even is 0
    EXPECT_EQ(bitsOf(toDouble(0x3BCC, 0x8000000000000001)), 1u);
    EXPECT_EQ(bitsOf(toDouble(0xBBCC, 0x8000000000000000)), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(toDouble(0x0001, 0x8000000000000000)), 0u);
    // Halfway above the largest (odd) subnormal rounds up into the smallest normal.
    EXPECT_EQ(toDouble(0x3C00, 0xFFFFFFFFFFFFF800), std::numeric_limits<double>::min());
    // Extended subnormals are far below any double.
    EXPECT_EQ(bitsOf(toDouble(0x0000, 0x7FFFFFFFFFFFFFFF)), 0u);
    EXPECT_EQ(bitsOf(toDouble(0x8000, 0x0000000000000001)), bitsOf(-0.0));
}

TEST(Float80, RoundTripsEveryDoubleKind)
{
    uint64_t state = 0x9E3779B97F4A7C15;
    for (int i = 0; i < 20000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double value = std::bit_cast<double>(state);
        if (std::isnan(value)) continue;
        ASSERT_EQ(bitsOf(float80ToDouble(doubleToFloat80(value))), state);
    }
}
