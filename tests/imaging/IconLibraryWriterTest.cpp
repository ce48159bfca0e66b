#include "imaging/IconImage.h"
#include "imaging/IconLibrary.h"
#include "imaging/IconLibraryWriter.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>

#include <set>

using namespace velmora;

namespace {

// A picture whose every pixel differs: position, a tag and a varying alpha.
TIconBitmap patterned(int w, int h, int tag)
{
    TIconBitmap b{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t alpha = uint32_t((x * 7 + y * 3 + tag) % 256);
            b.pixels.push_back(alpha << 24 | uint32_t(tag & 0xFF) << 16 | uint32_t(x & 0xFF) << 8 |
                               uint32_t(y & 0xFF));
        }
    return b;
}

std::vector<uint32_t> decoded(const TIconImage &image)
{
    const auto bitmap = DecodeIconDib(image.data);
    return bitmap ? bitmap->pixels : std::vector<uint32_t>{};
}

} // namespace

TEST(IconLibraryWriter, ReaderReadsEveryIconAndPixelInOrder)
{
    std::vector<TIconEntry> icons;
    for (int i = 0; i < 5; ++i)
        icons.push_back({i % 2 ? "named " + std::to_string(i) : "", {patterned(32, 32, i)}});
    const TIconLibrary lib = TIconLibrary::fromBytes(WriteIconLibrary(icons, "test"));
    ASSERT_EQ(lib.kind(), TIconFileKind::Ne);
    ASSERT_EQ(lib.count(), 5);
    for (int i = 0; i < 5; ++i) {
        const auto images = lib.images(i);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].width, 32);
        EXPECT_EQ(images[0].bitCount, 32);
        EXPECT_EQ(decoded(images[0]), icons[size_t(i)].pictures[0].pixels) << "icon " << i;
    }
}

TEST(IconLibraryWriter, IconsWithSeveralPicturesAndFullSize)
{
    const std::vector<TIconEntry> icons = {
        {"A", {patterned(16, 16, 1), patterned(32, 32, 2), patterned(256, 256, 3)}},
        {"B", {patterned(48, 24, 4)}}};
    const TIconLibrary lib = TIconLibrary::fromBytes(WriteIconLibrary(icons));
    ASSERT_EQ(lib.count(), 2);
    ASSERT_EQ(lib.images(0).size(), 3u);
    EXPECT_EQ(lib.images(0)[2].width, 256); // stored as 0 in the directory
    const auto best = lib.bestImage(0, 32);
    ASSERT_TRUE(best);
    EXPECT_EQ(decoded(*best), icons[0].pictures[1].pixels);
    EXPECT_EQ(decoded(lib.images(1)[0]), icons[1].pictures[0].pixels);
}

TEST(IconLibraryWriter, LargeLibrariesWidenTheAlignment)
{
    // 300 pictures of 64×64 need more than 16-bit offsets in 16-byte units can reach.
    std::vector<TIconEntry> icons;
    for (int i = 0; i < 300; ++i) icons.push_back({"", {patterned(64, 64, i)}});
    const std::vector<uint8_t> bytes = WriteIconLibrary(icons);
    EXPECT_GT(bytes.size(), size_t(0xFFFF) << 4);
    const TIconLibrary lib = TIconLibrary::fromBytes(bytes);
    ASSERT_EQ(lib.count(), 300);
    EXPECT_EQ(decoded(lib.images(299)[0]), icons[299].pictures[0].pixels);
}

TEST(IconLibraryWriter, MaskFollowsAlphaForReadersWithoutAlpha)
{
    TIconBitmap b{8, 2, std::vector<uint32_t>(16, 0xFF102030u)};
    b.pixels[1] = 0x00000000u;  // clear
    b.pixels[9] = 0x7F405060u;  // more clear than not
    b.pixels[10] = 0x80405060u; // more solid than not
    const std::vector<uint8_t> dib = EncodeIconDib(b);
    // 40-byte header, 8×2×4 colour bytes, then two mask rows of 4 bytes, bottom row first.
    ASSERT_EQ(dib.size(), 40u + 64u + 8u);
    EXPECT_EQ(dib[40 + 64], 0x40);     // bottom row: pixel 1 (index 9), not pixel 2
    EXPECT_EQ(dib[40 + 64 + 4], 0x40); // top row: pixel 1 only
    // A picture that is all clear stays all clear through the mask.
    TIconBitmap clear{4, 4, std::vector<uint32_t>(16, 0)};
    const auto back = DecodeIconDib(EncodeIconDib(clear));
    ASSERT_TRUE(back);
    for (uint32_t p : back->pixels) EXPECT_EQ(p >> 24, 0u);
}

TEST(IconLibraryWriter, RefusesWhatCannotBeStored)
{
    EXPECT_THROW(WriteIconLibrary({{"empty", {}}}), TIconWriteError);
    EXPECT_THROW(EncodeIconDib({0, 0, {}}), TIconWriteError);
    EXPECT_THROW(EncodeIconDib({257, 1, std::vector<uint32_t>(257)}), TIconWriteError);
    EXPECT_THROW(EncodeIconDib({4, 4, std::vector<uint32_t>(15)}), TIconWriteError);
    EXPECT_THROW(WriteIcoFile({}), TIconWriteError);
    // No icons at all is a valid, empty library.
    EXPECT_EQ(TIconLibrary::fromBytes(WriteIconLibrary({})).count(), 0);
}

TEST(IconLibraryWriter, IcoFileRoundTrip)
{
    const std::vector<TIconBitmap> pictures = {patterned(16, 16, 5), patterned(32, 32, 6)};
    const TIconLibrary lib = TIconLibrary::fromBytes(WriteIcoFile(pictures));
    ASSERT_EQ(lib.kind(), TIconFileKind::Ico);
    ASSERT_EQ(lib.count(), 1);
    ASSERT_EQ(lib.images(0).size(), 2u);
    EXPECT_EQ(decoded(lib.images(0)[1]), pictures[1].pixels);
}

TEST(ShippedIconLibraries, EveryLibraryHoldsItsIconsAndNoneRepeats)
{
    const std::vector<std::pair<std::string, int>> shipped = {
        {"activity.icl", 40},          {"events.icl", 40},           {"holiday.icl", 40},
        {"misc1.icl", 36},             {"misc2.icl", 40},            {"BonusIcons/Sports.icl", 22},
        {"BonusIcons/Travel.icl", 22}, {"BonusIcons/Food.icl", 22}, {"BonusIcons/Garden.icl", 22}};
    std::set<QByteArray> distinct;
    int total = 0;
    for (const auto &[file, count] : shipped) {
        const TIconLibrary lib = TIconLibrary::fromFile(test::shippedData(file));
        ASSERT_EQ(lib.kind(), TIconFileKind::Ne) << file;
        ASSERT_EQ(lib.count(), count) << file;
        for (int i = 0; i < lib.count(); ++i) {
            const QImage icon = ExtractIconImage(lib, i, 32);
            ASSERT_EQ(icon.size(), QSize(32, 32)) << file << " " << i;
            // Each icon has a see-through background and a picture on it.
            EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << file << " " << i;
            int drawn = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) drawn += qAlpha(icon.pixel(x, y)) >= 128 ? 1 : 0;
            EXPECT_GT(drawn, 40) << file << " " << i;
            distinct.insert(QCryptographicHash::hash(
                QByteArray(reinterpret_cast<const char *>(icon.constBits()), int(icon.sizeInBytes())),
                QCryptographicHash::Sha1));
            ++total;
        }
    }
    EXPECT_EQ(int(distinct.size()), total);
    EXPECT_GE(total, 200);
}
