#include "imaging/PcxDecoder.h"

#include "ImagingFixtures.h"

#include <gtest/gtest.h>

#include <array>

using namespace velmora;
using namespace velmora::test;

namespace {

DecodeResult decodeFixture(const char *name)
{
    return decodePcx(bytesOf(imagingFixture(name)));
}

const std::array<uint32_t, 16> kEga = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};

} // namespace

TEST(PcxDecoder, OneBitWithAnOddWidthAndPaddedLines)
{
    const DecodeResult r = decodeFixture("mono_13x3.pcx");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.image.width, 13);
    ASSERT_EQ(r.image.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(r.image.pixel(x, y), (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
}

TEST(PcxDecoder, SixteenColoursFromPlanesAndFromPackedNibbles)
{
    const DecodeResult planes = decodeFixture("ega_4planes.pcx");
    ASSERT_TRUE(planes.ok()) << planes.error;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(planes.image.pixel(x, y), kEga[std::size_t((x + 5 * y) % 16)]);

    // Version 3 files carry no palette: the standard colours, not the zeroed header.
    const DecodeResult v3 = decodeFixture("ega_4planes_v3.pcx");
    ASSERT_TRUE(v3.ok()) << v3.error;
    EXPECT_EQ(v3.image.pixel(1, 0), kEga[1]);
    EXPECT_EQ(v3.image.pixel(4, 2), kEga[14]);

    const DecodeResult packed = decodeFixture("packed_4bit.pcx");
    ASSERT_TRUE(packed.ok()) << packed.error;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(packed.image.pixel(x, y), kEga[std::size_t((x * 4 + y) % 16)]);

    const DecodeResult cga = decodeFixture("cga_2bit.pcx");
    ASSERT_TRUE(cga.ok()) << cga.error;
    EXPECT_EQ(cga.image.pixel(3, 0), kEga[3]);
    EXPECT_EQ(cga.image.pixel(3, 1), kEga[0]);
}

TEST(PcxDecoder, EightBitWithThePaletteAtTheEnd)
{
    const DecodeResult r = decodeFixture("pal256_7x3.pcx");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.image.width, 7);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const int i = x * 3 + y * 40;
            EXPECT_EQ(r.image.pixel(x, y), opaque(i, 255 - i, (i * 7) & 255));
        }
}

TEST(PcxDecoder, TwentyFourBitsAsThreePlanes)
{
    const DecodeResult r = decodeFixture("rgb24_5x2.pcx");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.image.width, 5);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            const int base = x * 50 + y * 7;
            EXPECT_EQ(r.image.pixel(x, y), opaque(base & 255, (base + 20) & 255, (base + 40) & 255));
        }
}

TEST(PcxDecoder, DamagedInputIsRefused)
{
    EXPECT_FALSE(decodeFixture("rgb24_truncated.pcx").ok());
    QByteArray good = imagingFixture("pal256_7x3.pcx");
    EXPECT_FALSE(decodePcx(bytesOf(good.left(100))).ok());
    QByteArray shortLines = good;
    shortLines[66] = 2; // 2 bytes a line for 7 pixels of 8 bits
    shortLines[67] = 0;
    EXPECT_FALSE(decodePcx(bytesOf(shortLines)).ok());
    QByteArray huge = good;
    huge[8] = char(0xFF); // 65,536 pixels wide
    huge[9] = char(0xFF);
    EXPECT_FALSE(decodePcx(bytesOf(huge)).ok());
    QByteArray longLines = good.left(140);
    longLines[66] = char(0xFF); // 65,535 bytes a line, 3 lines, from 12 bytes of data
    longLines[67] = char(0xFF);
    EXPECT_FALSE(decodePcx(bytesOf(longLines)).ok());
    QByteArray layout = good;
    layout[65] = 2; // two planes of 8 bits: no such layout
    EXPECT_FALSE(decodePcx(bytesOf(layout)).ok());
    for (const char *name : {"mono_13x3.pcx", "ega_4planes.pcx", "rgb24_5x2.pcx", "pal256_7x3.pcx"}) {
        const QByteArray all = imagingFixture(name);
        for (qsizetype n = 0; n < all.size(); n += 7)
            (void)decodePcx(bytesOf(all.left(n)));
    }
}
