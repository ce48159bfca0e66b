#include "imaging/MetafilePlayer.h"

#include "ImagingFixtures.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

QImage play(const QByteArray &bytes, QSize size, PlayResult *result = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const PlayResult r = playMetafile(painter, QRectF(QPointF(0, 0), QSizeF(size)), bytesOf(bytes));
    if (result)
        *result = r;
    return image;
}

// Colours present in a cell of the 40-pixel grid the fixtures draw on.
bool cellHas(const QImage &image, int cx, int cy, QRgb rgb)
{
    for (int y = cy * 40 + 5; y < cy * 40 + 35; ++y)
        for (int x = cx * 40 + 5; x < cx * 40 + 35; ++x)
            if (rgbAt(image, x, y) == rgb)
                return true;
    return false;
}

QRect darkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

constexpr QRgb kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
               kBlack = 0, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

// The shapes, brushes and state records both fixtures draw in the same cells.
void expectCommonCells(const QImage &m)
{
    EXPECT_EQ(rgbAt(m, 20, 20), kRed) << "rectangle";
    EXPECT_EQ(rgbAt(m, 60, 20), kBlue) << "ellipse";
    EXPECT_EQ(rgbAt(m, 46, 6), kWhite) << "nothing in the corner of the ellipse's box";
    EXPECT_EQ(rgbAt(m, 100, 20), kGreen) << "round rectangle";
    EXPECT_EQ(rgbAt(m, 85, 5), kWhite) << "round rectangle corner";
    EXPECT_EQ(rgbAt(m, 140, 28), kRed) << "polygon";
    EXPECT_EQ(rgbAt(m, 128, 8), kWhite) << "outside the triangle";
    EXPECT_EQ(rgbAt(m, 180, 20), kBlack) << "thick polyline";
    EXPECT_EQ(rgbAt(m, 180, 30), kWhite);
    EXPECT_EQ(rgbAt(m, 10, 50), kMagenta) << "polypolygon, first square";
    EXPECT_EQ(rgbAt(m, 30, 70), kMagenta) << "polypolygon, second square";
    EXPECT_EQ(rgbAt(m, 20, 60), kWhite) << "between the squares";
    EXPECT_EQ(rgbAt(m, 60, 46), kBlack) << "arc over the top";
    EXPECT_EQ(rgbAt(m, 60, 74), kWhite) << "arc leaves the bottom";
    EXPECT_EQ(rgbAt(m, 46, 60), kWhite) << "arc leaves the left";
    EXPECT_EQ(rgbAt(m, 100, 47), kGreen) << "chord segment";
    EXPECT_EQ(rgbAt(m, 100, 58), kWhite) << "below the chord's line";
    EXPECT_EQ(rgbAt(m, 140, 52), kBlue) << "pie sector";
    EXPECT_EQ(rgbAt(m, 140, 68), kWhite) << "outside the sector";
    EXPECT_TRUE(cellHas(m, 4, 1, kBlack) && cellHas(m, 4, 1, kYellow)) << "hatch on opaque background";
    EXPECT_TRUE(cellHas(m, 0, 2, kRed) && cellHas(m, 0, 2, kYellow)) << "DIB pattern brush";
    const QRect w = darkBox(m, QRect(41, 81, 38, 38));
    EXPECT_GT(w.width(), 10) << "text at its top-left";
    EXPECT_LT(w.top(), 95);
    const QRect centred = darkBox(m, QRect(81, 81, 38, 38));
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), 100, 3) << "centred text";
    EXPECT_LE(centred.bottom(), 115) << "on its baseline";
    EXPECT_EQ(rgbAt(m, 130, 90), kRed) << "stretched bitmap, top-left";
    EXPECT_EQ(rgbAt(m, 150, 90), kGreen);
    EXPECT_EQ(rgbAt(m, 130, 110), kBlue);
    EXPECT_EQ(rgbAt(m, 150, 110), kYellow);
    EXPECT_EQ(rgbAt(m, 170, 90), kRed) << "second bitmap record";
    EXPECT_EQ(rgbAt(m, 190, 110), kYellow);
    EXPECT_EQ(rgbAt(m, 60, 140), kGreen) << "RestoreDC brings back the saved brush";
    EXPECT_EQ(rgbAt(m, 90, 140), kBlue) << "inside the clip rectangle";
    EXPECT_EQ(rgbAt(m, 110, 140), kWhite) << "outside the clip rectangle";
    EXPECT_EQ(rgbAt(m, 140, 140), kRed) << "moved origin";
    EXPECT_EQ(rgbAt(m, 20, 180), kGreen) << "drawing goes on after an unknown record";
}

} // namespace

TEST(MetafilePlayer, RecognisesHeadersAndSizes)
{
    const QByteArray wmf = imagingFixture("records.wmf");
    const MetafileInfo info = metafileInfo(bytesOf(wmf));
    EXPECT_EQ(info.kind, MetafileKind::PlaceableWmf);
    EXPECT_TRUE(info.checksumOk);
    EXPECT_DOUBLE_EQ(info.width, 200);
    EXPECT_EQ(metafileKind(bytesOf(imagingFixture("records_plain.wmf"))), MetafileKind::Wmf);
    const MetafileInfo emf = metafileInfo(bytesOf(imagingFixture("records.emf")));
    EXPECT_EQ(emf.kind, MetafileKind::Emf);
    EXPECT_NEAR(emf.width, 200, 0.05);
    EXPECT_EQ(metafileKind(bytesOf(QByteArray("GIF89a........................................."))),
              MetafileKind::Unknown);
    QByteArray badSum = wmf;
    badSum[20] = char(badSum[20] ^ 1);
    EXPECT_FALSE(metafileInfo(bytesOf(badSum)).checksumOk);
}

TEST(MetafilePlayer, WmfRecordsEachDrawWhereTheyShould)
{
    PlayResult result;
    const QImage m = play(imagingFixture("records.wmf"), {200, 200}, &result);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.skipped, 1) << "the one unknown record";
    expectCommonCells(m);
    EXPECT_EQ(rgbAt(m, 5, 125), kRed) << "unstretched bitmap, pixel for pixel";
    EXPECT_EQ(rgbAt(m, 6, 125), kGreen);
    EXPECT_EQ(rgbAt(m, 5, 126), kBlue);
    const QRect up = darkBox(m, QRect(161, 121, 38, 38));
    EXPECT_GT(up.height(), up.width()) << "escapement turns the text upwards";
    EXPECT_EQ(rgbAt(m, 60, 180), kMagenta) << "pattern blit";
    EXPECT_EQ(rgbAt(m, 100, 180), kBlack) << "line to";
    EXPECT_EQ(rgbAt(m, 110, 180), kWhite);
    EXPECT_EQ(rgbAt(m, 140, 180), 0x008000u) << "a deleted object's slot is taken again";
    EXPECT_EQ(rgbAt(m, 165, 165), kRed) << "device bitmap blit";
    EXPECT_EQ(rgbAt(m, 166, 165), kGreen);
    EXPECT_EQ(rgbAt(m, 165, 166), kBlue);
}

TEST(MetafilePlayer, PlainWmfFillsTheTargetWithItsWindow)
{
    const QImage m = play(imagingFixture("records_plain.wmf"), {100, 100});
    EXPECT_EQ(rgbAt(m, 10, 10), kRed);
    EXPECT_EQ(rgbAt(m, 30, 10), kBlue);
}

TEST(MetafilePlayer, WindowOriginAndExtentMapOntoTheTarget)
{
    const QImage m = play(imagingFixture("mapping.wmf"), {100, 100});
    EXPECT_EQ(rgbAt(m, 1, 1), kRed);
    EXPECT_EQ(rgbAt(m, 8, 8), kRed);
    EXPECT_EQ(rgbAt(m, 12, 12), kWhite);
    // Into a target elsewhere and at another size.
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    playMetafile(painter, QRectF(100, 50, 200, 200), bytesOf(imagingFixture("mapping.wmf")));
    painter.end();
    EXPECT_EQ(rgbAt(image, 110, 60), kRed);
    EXPECT_EQ(rgbAt(image, 125, 75), kWhite);
    EXPECT_EQ(rgbAt(image, 90, 60), kWhite);
}

TEST(MetafilePlayer, EmfRecordsEachDrawWhereTheyShould)
{
    PlayResult result;
    const QImage m = play(imagingFixture("records.emf"), {200, 200}, &result);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.skipped, 1) << "the one unknown record";
    expectCommonCells(m);
    EXPECT_EQ(rgbAt(m, 20, 150), kGreen) << "filled path";
    EXPECT_EQ(rgbAt(m, 8, 128), kWhite) << "outside the path";
    EXPECT_EQ(rgbAt(m, 180, 140), kBlack) << "poly-bezier";
    EXPECT_EQ(rgbAt(m, 180, 130), kWhite);
    EXPECT_EQ(rgbAt(m, 60, 180), kBlack) << "stroked path";
    EXPECT_EQ(rgbAt(m, 70, 180), kWhite);
    EXPECT_EQ(rgbAt(m, 100, 180), kBlue) << "anisotropic window on a viewport";
    EXPECT_EQ(rgbAt(m, 118, 180), kWhite);
    EXPECT_EQ(rgbAt(m, 140, 170), kRed) << "inside the clip region";
    EXPECT_EQ(rgbAt(m, 140, 190), kWhite) << "outside the clip region";
    EXPECT_EQ(rgbAt(m, 170, 170), kRed) << "transparent blit";
    EXPECT_EQ(rgbAt(m, 190, 190), kWhite) << "its key colour left out";

    const QImage drawn = play(imagingFixture("polydraw.emf"), {40, 40});
    EXPECT_EQ(rgbAt(drawn, 20, 20), kRed) << "a figure made by POLYDRAW, filled as a path";
    EXPECT_EQ(rgbAt(drawn, 2, 2), kWhite);
}

TEST(MetafilePlayer, DamagedFilesPlayWhatTheyCanAndNeverReadPastTheEnd)
{
    PlayResult result;
    const QImage wmf = play(imagingFixture("damaged_overrun.wmf"), {100, 100}, &result);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(rgbAt(wmf, 50, 50), kBlue) << "records before the damage still draw";
    const QImage emf = play(imagingFixture("damaged_overrun.emf"), {50, 50}, &result);
    EXPECT_EQ(rgbAt(emf, 25, 25), kBlue);
    // Every truncation of every fixture plays without harm.
    for (const char *name : {"records.wmf", "records.emf", "records_plain.wmf"}) {
        const QByteArray all = imagingFixture(name);
        for (qsizetype n = 0; n < all.size(); n += 13)
            (void)play(all.left(n), {40, 40});
    }
    EXPECT_FALSE(play(QByteArray("not a metafile at all"), {10, 10}, &result).isNull());
    EXPECT_FALSE(result.ok);
}

TEST(MetafilePlayer, CorruptedRecordFieldsAreHarmless)
{
    // Flip every byte of the records one at a time, in turn, to large values: records that
    // claim huge counts, offsets and sizes must stay inside their bytes.
    for (const char *name : {"records.wmf", "records.emf"}) {
        const QByteArray all = imagingFixture(name);
        for (qsizetype i = 40; i < all.size(); i += 5) {
            QByteArray bad = all;
            bad[i] = char(0xFF);
            if (i + 1 < bad.size())
                bad[i + 1] = char(0x7F);
            (void)play(bad, {32, 32});
        }
    }
}

TEST(MetafilePlayer, StaysVectorsInPdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(96);
        QPainter painter(&pdf);
        playMetafile(painter, QRectF(0, 0, 200, 200), bytesOf(imagingFixture("records.emf")));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_GT(pdf.size(), 1000);
    // Four bitmaps and a pattern brush are pictures; the shapes must not have become more.
    EXPECT_LE(pdf.count("/Subtype /Image"), 6);
}

namespace {
// A plain WMF of the given records (function, parameters), header and end record added.
QByteArray plainWmf(const std::vector<std::pair<uint16_t, std::vector<int16_t>>> &records)
{
    QByteArray body;
    auto put16 = [](QByteArray &b, uint16_t v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto put32 = [&](QByteArray &b, uint32_t v) { put16(b, uint16_t(v)); put16(b, uint16_t(v >> 16)); };
    uint32_t largest = 3;
    auto record = [&](uint16_t function, const std::vector<int16_t> &params) {
        const uint32_t words = 3 + uint32_t(params.size());
        largest = std::max(largest, words);
        put32(body, words);
        put16(body, function);
        for (const int16_t p : params)
            put16(body, uint16_t(p));
    };
    for (const auto &[function, params] : records)
        record(function, params);
    record(0x0000, {});
    QByteArray file;
    put16(file, 1);
    put16(file, 9);
    put16(file, 0x0300);
    put32(file, uint32_t(9 + body.size() / 2));
    put16(file, 1);
    put32(file, largest);
    put16(file, 0);
    return file + body;
}
} // namespace

// A picture whose small window makes a line millions of pixels long draws the part inside
// the picture, dashes and all, as fast as a short line (the replayed fuzz finding of such a
// picture took seconds before).
TEST(MetafilePlayer, LinesFarBeyondThePictureDrawTheirVisiblePart)
{
    for (const int16_t style : {int16_t(0), int16_t(1)}) { // solid, dashed
        SCOPED_TRACE(style == 0 ? "solid" : "dashed");
        const QByteArray wmf = plainWmf({
            {0x020B, {0, 0}},                      // SetWindowOrg
            {0x020C, {10, 10}},                    // SetWindowExt: 10 units over 100 pixels
            {0x02FA, {style, 0, 0, 0, 0}},         // CreatePenIndirect, black, thin
            {0x012D, {0}},                         // SelectObject
            {0x0214, {5, -32000}},                 // MoveTo (y, x)
            {0x0213, {5, 32000}},                  // LineTo: 640,000 pixels across
            {0x0214, {-32000, -32000}},            // and a diagonal through the picture
            {0x0213, {32000, 32000}},
        });
        const QImage m = play(wmf, {100, 100});
        int dark = 0, light = 0;
        for (int x = 5; x < 95; ++x)
            (qGray(m.pixel(x, 50)) < 128 ? dark : light) += 1;
        EXPECT_GT(dark, 20);
        if (style == 0)
            EXPECT_EQ(light, 0);
        else
            EXPECT_GT(light, 10) << "still dashed";
        EXPECT_LT(qGray(m.pixel(20, 20)), 200) << "the diagonal";
        EXPECT_EQ(rgbAt(m, 20, 80), kWhite);
    }

    // Filled shapes too: a huge triangle whose edge crosses the picture fills its side of
    // it, with either fill rule; one entirely outside leaves nothing.
    for (const int16_t fillMode : {int16_t(1), int16_t(2)}) { // alternate, winding
        SCOPED_TRACE(fillMode);
        const QByteArray wmf = plainWmf({
            {0x020B, {0, 0}},
            {0x020C, {10, 10}},
            {0x0106, {fillMode}},                     // SetPolyFillMode
            {0x02FC, {0, 0x00FF, 0x0000, 0}},         // CreateBrushIndirect: solid red
            {0x012D, {0}},
            {0x0324, {3, -32000, 32010, 32010, -32000, 32010, 32010}}, // x + y >= 10
            {0x0324, {3, 20000, 20000, 30000, 20000, 30000, 30000}},   // far away
        });
        const QImage m = play(wmf, {100, 100});
        EXPECT_EQ(rgbAt(m, 80, 80), kRed);
        EXPECT_EQ(rgbAt(m, 10, 97), kRed);
        EXPECT_EQ(rgbAt(m, 97, 20), kRed);
        EXPECT_EQ(rgbAt(m, 20, 20), kWhite);
        EXPECT_EQ(rgbAt(m, 20, 60), kWhite);
    }
}

// Bit-block records too short to hold even their destination play as nothing, and so does
// every other short record: no parameter is read from before or past the record.
TEST(MetafilePlayer, BlockTransfersWithoutTheirDestinationDrawNothing)
{
    for (const uint16_t function : {uint16_t(0x0922), uint16_t(0x0B23), uint16_t(0x0940),
                                    uint16_t(0x0B41), uint16_t(0x0F43)}) {
        for (std::size_t words = 0; words < 4; ++words) {
            SCOPED_TRACE(testing::Message() << std::hex << function << " with " << words);
            const QByteArray wmf = plainWmf({
                {0x020C, {10, 10}},
                {function, std::vector<int16_t>(words, int16_t(0x0042))},
            });
            PlayResult result;
            const QImage m = play(wmf, {20, 20}, &result);
            EXPECT_EQ(rgbAt(m, 10, 10), kWhite);
        }
    }
}
