#include "imaging/TgaDecoder.h"

#include "ImagingFixtures.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

DecodeResult decodeFixture(const char *name)
{
    return decodeTga(bytesOf(imagingFixture(name)));
}

void expectTestPicture(const RasterImage &img, bool keepAlpha, const char *name)
{
    SCOPED_TRACE(name);
    ASSERT_EQ(img.width, 4);
    ASSERT_EQ(img.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            uint32_t want = testPicture()[std::size_t(y)][std::size_t(x)];
            if (!keepAlpha)
                want |= 0xFF000000u;
            EXPECT_EQ(img.pixel(x, y), want) << "at " << x << "," << y;
        }
}

} // namespace

TEST(TgaDecoder, TrueColourInEveryOriginAndDepth)
{
    for (const char *name : {"t2_24_bottomup.tga", "t2_24_righttoleft.tga"}) {
        const DecodeResult r = decodeFixture(name);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_FALSE(r.image.hasAlpha);
        expectTestPicture(r.image, false, name);
    }
    // 32 bits, top-left origin, after an image ID field: alpha kept as stored.
    const DecodeResult withAlpha = decodeFixture("t2_32_alpha_topdown_id.tga");
    ASSERT_TRUE(withAlpha.ok()) << withAlpha.error;
    EXPECT_TRUE(withAlpha.image.hasAlpha);
    expectTestPicture(withAlpha.image, true, "t2_32");
}

TEST(TgaDecoder, FifteenAndSixteenBitPixels)
{
    const DecodeResult r16 = decodeFixture("t2_16_alpha.tga");
    ASSERT_TRUE(r16.ok()) << r16.error;
    EXPECT_EQ(r16.image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(r16.image.pixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(r16.image.pixel(2, 1) >> 24, 0u) << "the attribute bit is the alpha";
    EXPECT_EQ(r16.image.pixel(1, 2), opaque(255, 132, 0)) << "5 bits widen by repeating the top bits";

    const DecodeResult r15 = decodeFixture("t2_15.tga");
    ASSERT_TRUE(r15.ok()) << r15.error;
    EXPECT_FALSE(r15.image.hasAlpha);
    EXPECT_EQ(r15.image.pixel(2, 1), opaque(0, 255, 255)) << "15 bits have no alpha";
}

TEST(TgaDecoder, ColourMappedPlainAndRunLength)
{
    const DecodeResult plain = decodeFixture("t1_8_map24_id.tga");
    ASSERT_TRUE(plain.ok()) << plain.error;
    expectTestPicture(plain.image, false, "t1");

    // Run-length coded indices into a 16-bit map whose first entry is numbered 5.
    const DecodeResult rle = decodeFixture("t9_rle_map16.tga");
    ASSERT_TRUE(rle.ok()) << rle.error;
    EXPECT_EQ(rle.image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(rle.image.pixel(2, 0), 0xFF0000FFu);
    EXPECT_EQ(rle.image.pixel(3, 1), 0xFFFF00FFu);
}

TEST(TgaDecoder, GreyPlainAndRunLength)
{
    for (const char *name : {"t3_grey.tga", "t11_rle_grey.tga"}) {
        const DecodeResult r = decodeFixture(name);
        ASSERT_TRUE(r.ok()) << name << r.error;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const int v = x * 60 + y * 10;
                EXPECT_EQ(r.image.pixel(x, y), opaque(v, v, v)) << name;
            }
    }
}

TEST(TgaDecoder, RunLengthPacketsCrossScanLines)
{
    const DecodeResult r = decodeFixture("t10_rle_cross.tga");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.image.width, 5);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(r.image.pixel(x, 0), opaque(200, 10, 10));
    EXPECT_EQ(r.image.pixel(1, 1), opaque(200, 10, 10)) << "the run goes on in the next line";
    EXPECT_EQ(r.image.pixel(2, 1), opaque(1, 2, 3));
    EXPECT_EQ(r.image.pixel(4, 1), opaque(7, 8, 9));

    const DecodeResult r32 = decodeFixture("t10_rle_32_bottomup.tga");
    ASSERT_TRUE(r32.ok()) << r32.error;
    expectTestPicture(r32.image, true, "t10_32");
}

TEST(TgaDecoder, DamagedInputIsRefused)
{
    EXPECT_FALSE(decodeFixture("t10_truncated.tga").ok());
    QByteArray good = imagingFixture("t2_24_bottomup.tga");
    EXPECT_FALSE(decodeTga(bytesOf(good.left(17))).ok()) << "header cut short";
    EXPECT_FALSE(decodeTga(bytesOf(good.left(good.size() - 1))).ok()) << "last pixel missing";

    QByteArray wide = good;
    wide[12] = char(0x50); // 30,032 pixels wide
    wide[13] = char(0x75);
    EXPECT_FALSE(decodeTga(bytesOf(wide)).ok());

    // A header that claims 13,621 x 2,058 pixels with a handful of bytes behind it is refused
    // before 112 MB are set aside for it.
    QByteArray claims = good.left(18) + QByteArray(20, '\x05');
    claims[2] = 10;
    claims[12] = char(0x35);
    claims[13] = char(0x35);
    claims[14] = char(0x0A);
    claims[15] = char(0x08);
    EXPECT_FALSE(decodeTga(bytesOf(claims)).ok());

    QByteArray noMap = good;
    noMap[2] = 1; // colour-mapped, but no map
    noMap[16] = 8;
    EXPECT_FALSE(decodeTga(bytesOf(noMap)).ok());

    QByteArray unknown = good;
    unknown[2] = 32;
    EXPECT_FALSE(decodeTga(bytesOf(unknown)).ok());
}

TEST(TgaDecoder, EveryTruncationOfEveryFixtureIsSafe)
{
    for (const char *name : {"t1_8_map24_id.tga", "t9_rle_map16.tga", "t10_rle_cross.tga",
                             "t11_rle_grey.tga", "t2_32_alpha_topdown_id.tga"}) {
        const QByteArray all = imagingFixture(name);
        for (qsizetype n = 0; n < all.size(); ++n)
            (void)decodeTga(bytesOf(all.left(n)));
    }
}
