#include "imaging/IconImage.h"
#include "imaging/IconLibrary.h"

#include "support/IconFiles.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

uint32_t pixelOf(const QImage &image, int x, int y)
{
    return reinterpret_cast<const uint32_t *>(image.constScanLine(y))[x];
}

// Decodes every picture of every icon, which must never crash on any input.
int decodeAll(const TIconLibrary &lib)
{
    int decoded = 0;
    for (int i = 0; i < lib.count(); ++i)
        for (const TIconImage &image : lib.images(i))
            decoded += IconToQImage(image).isNull() ? 0 : 1;
    return decoded;
}

std::vector<std::vector<Picture>> twoIcons()
{
    return {{taggedPicture(16, 1), taggedPicture(32, 2)}, {taggedPicture(16, 3)}};
}

} // namespace

TEST(IconLibrary, IcoWith32BitDibKeepsPixelsAndOrientation)
{
    const TIconLibrary lib = TIconLibrary::fromBytes(icoFile({taggedPicture(16, 7)}));
    ASSERT_EQ(lib.kind(), TIconFileKind::Ico);
    ASSERT_EQ(lib.count(), 1);
    const auto images = lib.images(0);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 16);
    EXPECT_FALSE(images[0].png);
    const QImage image = IconToQImage(images[0]);
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(pixelOf(image, 0, 0), tagPixel(0, 0, 7));
    EXPECT_EQ(pixelOf(image, 15, 0), tagPixel(15, 0, 7));
    EXPECT_EQ(pixelOf(image, 3, 12), tagPixel(3, 12, 7));
}

TEST(IconLibrary, IcoWithPngPicture)
{
    QImage source(24, 24, QImage::Format_ARGB32);
    source.fill(0xFF112233u);
    source.setPixel(5, 6, 0x80445566u);
    const TIconLibrary lib = TIconLibrary::fromBytes(icoFile({pngPicture(source)}));
    ASSERT_EQ(lib.count(), 1);
    const auto best = lib.bestImage(0, 32);
    ASSERT_TRUE(best);
    EXPECT_TRUE(best->png);
    const QImage image = IconToQImage(*best);
    ASSERT_EQ(image.size(), QSize(24, 24));
    EXPECT_EQ(pixelOf(image, 0, 0), 0xFF112233u);
    EXPECT_EQ(pixelOf(image, 5, 6), 0x80445566u);
    // Extraction delivers the standard size whatever the stored one.
    EXPECT_EQ(ExtractIconImage(lib, 0, 32).size(), QSize(32, 32));
}

TEST(IconLibrary, PalettePicturesUseTheirColoursAndMask)
{
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int bpp : {1, 4, 8, 24}) {
        SCOPED_TRACE(bpp);
        const auto colour = [&](int x, int y) -> uint32_t {
            const uint32_t index = uint32_t(x + y) % (bpp == 1 ? 2u : 4u);
            return bpp == 24 ? palette[index] : index;
        };
        const Picture p = dibPicture(
            13, 5, bpp, bpp == 24 ? std::vector<uint32_t>{} : palette, colour,
            [](int x, int y) { return x == 12 && y == 0; });
        TIconImage image;
        image.data = p.bytes;
        const QImage q = IconToQImage(image);
        ASSERT_EQ(q.size(), QSize(13, 5));
        EXPECT_EQ(pixelOf(q, 1, 0), 0xFFFF0000u);
        EXPECT_EQ(pixelOf(q, 0, 0), 0xFF000000u);
        if (bpp != 1) {
            EXPECT_EQ(pixelOf(q, 3, 0), 0xFF0000FFu);
        }
        EXPECT_EQ(pixelOf(q, 12, 0), 0u) << "masked pixel is transparent";
        EXPECT_EQ(pixelOf(q, 12, 4), 0xFF000000u | palette[16 % (bpp == 1 ? 2 : 4)]);
    }
}

TEST(IconLibrary, ThirtyTwoBitWithoutAlphaFallsBackToMask)
{
    const Picture p = dibPicture(
        8, 8, 32, {}, [](int, int) { return 0x00ABCDEFu; }, [](int x, int) { return x < 4; });
    TIconImage image;
    image.data = p.bytes;
    const QImage q = IconToQImage(image);
    EXPECT_EQ(pixelOf(q, 0, 0), 0u);
    EXPECT_EQ(pixelOf(q, 5, 0), 0xFFABCDEFu);
}

TEST(IconLibrary, NeAndPeLibrariesListGroupsInOrder)
{
    for (const auto &[kind, bytes] : {std::pair{TIconFileKind::Ne, neFile(twoIcons())},
                                      std::pair{TIconFileKind::Ne, neFile(twoIcons(), 0)},
                                      std::pair{TIconFileKind::Pe, peFile(twoIcons())}}) {
        const TIconLibrary lib = TIconLibrary::fromBytes(bytes);
        EXPECT_EQ(lib.kind(), kind);
        ASSERT_EQ(lib.count(), 2);
        EXPECT_EQ(lib.images(0).size(), 2u);
        EXPECT_TRUE(lib.images(2).empty());
        const QImage first = ExtractIconImage(lib, 0, 32);
        ASSERT_EQ(first.size(), QSize(32, 32));
        EXPECT_EQ(pixelOf(first, 31, 2), tagPixel(31, 2, 2)) << "the 32-pixel picture is chosen";
        const auto small = lib.bestImage(0, 16);
        ASSERT_TRUE(small);
        EXPECT_EQ(pixelOf(IconToQImage(*small), 4, 9), tagPixel(4, 9, 1));
        EXPECT_EQ(pixelOf(IconToQImage(lib.images(1)[0]), 2, 3), tagPixel(2, 3, 3));
    }
}

TEST(IconLibrary, OtherFilesHoldNoIcons)
{
    for (const Bytes &bytes : {Bytes{}, Bytes{'M', 'Z'}, Bytes{'h', 'e', 'l', 'l', 'o', '\n'},
                               Bytes(200, 0)}) {
        const TIconLibrary lib = TIconLibrary::fromBytes(bytes);
        EXPECT_EQ(lib.kind(), TIconFileKind::None);
        EXPECT_EQ(lib.count(), 0);
    }
    EXPECT_EQ(TIconLibrary::fromFile("/nonexistent/x.icl").count(), 0);
}

TEST(IconLibrary, ImpossibleSizesAreRefused)
{
    // A directory promising 65535 pictures in a 6-byte file.
    EXPECT_EQ(TIconLibrary::fromBytes({0, 0, 1, 0, 0xFF, 0xFF}).count(), 0);
    // A DIB header claiming a huge picture.
    Picture p = taggedPicture(4, 0);
    put32(p.bytes, 4, 0x7FFFFFFF);
    put32(p.bytes, 8, 0x7FFFFFFE);
    EXPECT_FALSE(DecodeIconDib(p.bytes));
    put32(p.bytes, 4, 0x80000000u);
    EXPECT_FALSE(DecodeIconDib(p.bytes));
    // An alignment shift that cannot address a real file.
    Bytes ne = neFile(twoIcons());
    put16(ne, 0x80, 60);
    EXPECT_EQ(TIconLibrary::fromBytes(ne).count(), 0);
}

TEST(IconLibrary, DamagedFilesFailCleanlyAtEveryOffset)
{
    const std::vector<std::vector<Picture>> icons = {
        {taggedPicture(4, 1), dibPicture(
                                  3, 3, 4, {0xFF, 0xFF00}, [](int x, int) { return x & 1; },
                                  [](int, int) { return false; })},
        {taggedPicture(2, 2)}};
    QImage small(3, 3, QImage::Format_ARGB32);
    small.fill(0xFF00FF00u);
    for (const Bytes &file : {icoFile({taggedPicture(4, 1), pngPicture(small)}), neFile(icons),
                              peFile(icons)}) {
        const int whole = TIconLibrary::fromBytes(file).count();
        ASSERT_GT(whole, 0);
        for (size_t cut = 0; cut < file.size(); ++cut) {
            const TIconLibrary lib =
                TIconLibrary::fromBytes(Bytes(file.begin(), file.begin() + std::ptrdiff_t(cut)));
            EXPECT_LE(lib.count(), whole);
            decodeAll(lib);
        }
        for (size_t at = 0; at < file.size(); ++at)
            for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
                Bytes damaged = file;
                damaged[at] = value;
                decodeAll(TIconLibrary::fromBytes(std::move(damaged)));
            }
    }
}

TEST(IconLibrary, GroupsSharingOneDirectoryCannotMultiplyWork)
{
    // 20000 group resources all naming one directory of 65535 entries: read naively that
    // is over a billion entries from a file of about a megabyte.
    constexpr size_t kGroups = 20000, kEntries = 65535;
    Bytes b;
    put16(b, 0, 0x5A4D);
    put32(b, 0x3C, 0x40);
    put16(b, 0x40, 0x454E);
    put16(b, 0x40 + 0x24, 0x40);
    put16(b, 0x80, 4);
    put16(b, 0x82, 0x800E);
    put16(b, 0x84, kGroups);
    const size_t data = (0x8A + kGroups * 12 + 2 + 15) / 16 * 16;
    for (size_t i = 0; i < kGroups; ++i) {
        const size_t at = 0x8A + i * 12;
        put16(b, at, uint32_t(data / 16));
        put16(b, at + 2, uint32_t((6 + kEntries * 14 + 15) / 16));
        put16(b, at + 6, 0x8000u | uint32_t(i + 1));
    }
    put16(b, data + 2, 1);
    put16(b, data + 4, kEntries);
    b.resize(data + 6 + kEntries * 14 + 16);
    const TIconLibrary lib = TIconLibrary::fromBytes(std::move(b));
    EXPECT_EQ(lib.count(), 0); // the entries name no pictures
}
