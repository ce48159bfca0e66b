// Picture speed: playing a large WMF into a page-sized bitmap, and decoding a large JPEG.
#include "BenchMain.h"

#include "imaging/Imager.h"
#include "imaging/MetafilePlayer.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>

#include <cstring>

using namespace velmora;

namespace {

// A WMF of typical clip-art records: objects made, chosen and deleted, shapes, lines, text.
class WmfBuilder {
public:
    void rec(uint16_t function, std::initializer_list<int> words, const QByteArray &raw = {})
    {
        QByteArray body;
        for (int w : words) {
            const int16_t v = int16_t(w);
            body.append(reinterpret_cast<const char *>(&v), 2);
        }
        body.append(raw);
        if (body.size() % 2)
            body.append('\0');
        const uint32_t size = uint32_t(3 + body.size() / 2);
        records.append(reinterpret_cast<const char *>(&size), 4);
        records.append(reinterpret_cast<const char *>(&function), 2);
        records.append(body);
        ++count;
    }
    QByteArray file(int objects) const
    {
        QByteArray out;
        auto put = [&](uint32_t v, int n) { out.append(reinterpret_cast<const char *>(&v), n); };
        put(0x9AC6CDD7, 4);
        put(0, 2);
        put(0, 2);
        put(0, 2);
        put(1056, 2);
        put(816, 2);
        put(96, 2);
        put(0, 4);
        uint16_t sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= uint16_t(uint8_t(out[i]) | (uint8_t(out[i + 1]) << 8));
        put(sum, 2);
        put(1, 2);
        put(9, 2);
        put(0x300, 2);
        put(uint32_t((18 + records.size() + 6) / 2), 4);
        put(uint32_t(objects), 2);
        put(64, 4);
        put(0, 2);
        out.append(records);
        put(3, 4);
        put(0, 2);
        return out;
    }
    QByteArray records;
    int count = 0;
};

QByteArray clipArtWmf(int records)
{
    WmfBuilder b;
    QRandomGenerator rng(17);
    auto r = [&](int n) { return int(rng.bounded(n)); };
    b.rec(0x0103, {8});
    b.rec(0x020B, {0, 0});
    b.rec(0x020C, {816, 1056});
    QByteArray face("Liberation Sans");
    face.resize(32, '\0');
    QByteArray font(18, '\0');
    const int16_t height = -18;
    std::memcpy(font.data(), &height, 2);
    b.rec(0x02FB, {}, font + face);
    b.rec(0x012D, {0});
    while (b.count < records) {
        const int colour = r(0xFFFFFF);
        b.rec(0x02FC, {0, colour & 0xFFFF, colour >> 16, 0}); // brush into slot 1
        b.rec(0x02FA, {0, 1 + r(3), 0, 0, 0});                 // pen into slot 2
        b.rec(0x012D, {1});
        b.rec(0x012D, {2});
        const int x = r(1000), y = r(760);
        switch (r(5)) {
        case 0: b.rec(0x041B, {y + 40, x + 50, y, x}); break;
        case 1: b.rec(0x0418, {y + 40, x + 50, y, x}); break;
        case 2: b.rec(0x0324, {4, x, y, x + 50, y + 5, x + 40, y + 40, x + 5, y + 30}); break;
        case 3: b.rec(0x0325, {3, x, y, x + 30, y + 40, x + 55, y}); break;
        default: b.rec(0x0521, {5}, QByteArray("Hello\0", 6) + QByteArray::fromRawData("\0\0\0\0", 4)); break;
        }
        b.rec(0x01F0, {1});
        b.rec(0x01F0, {2});
    }
    return b.file(3);
}

QByteArray photoJpeg()
{
    QImage image(3000, 2000, QImage::Format_RGB32);
    QRandomGenerator rng(3);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb((x / 12 + int(rng.bounded(24))) & 255, (y / 8 + int(rng.bounded(24))) & 255,
                          ((x + y) / 20) & 255);
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return out;
}

} // namespace

static void BM_PlayWmf2000Records(benchmark::State &state)
{
    const QByteArray wmf = clipArtWmf(2000);
    const auto bytes = std::span(reinterpret_cast<const uint8_t *>(wmf.constData()), std::size_t(wmf.size()));
    QImage image(1056, 816, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, state.range(0) != 0);
        const PlayResult r = playMetafile(painter, QRectF(0, 0, 1056, 816), bytes);
        benchmark::DoNotOptimize(r.records);
    }
}
BENCHMARK(BM_PlayWmf2000Records)
    ->ArgName("antialiased")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_DecodeJpeg3000x2000(benchmark::State &state)
{
    const QByteArray jpeg = photoJpeg();
    for (auto _ : state) {
        const TPicture picture = LoadPictureBytes(jpeg, QStringLiteral("jpg"));
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_DecodeJpeg3000x2000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The picture object's drawing at zoom 1: decode, then draw stretched over a bitmap of the
// object's size.
static void BM_DecodeAndDrawJpeg3000x2000(benchmark::State &state)
{
    const QByteArray jpeg = photoJpeg();
    QImage object(3000, 2000, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const TPicture picture = LoadPictureBytes(jpeg, QStringLiteral("jpg"));
        QPainter painter(&object);
        picture.draw(painter, QRectF(0, 0, 3000, 2000));
        benchmark::DoNotOptimize(object.constBits());
    }
}
BENCHMARK(BM_DecodeAndDrawJpeg3000x2000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN();
