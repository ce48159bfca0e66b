// A 12-month photo calendar from 12 camera-sized JPEGs (4000×3000, quality 90), made by
// the exporter as a whole process: its wall and CPU time and its peak memory, read with
// wait4. The pictures are made once, of gradients and noise, so that they compress like
// photographs and none is like another.
#include "BenchMain.h"
#include "ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Twelve different 4000×3000 pictures: a diagonal gradient of its own hue under noise.
const QTemporaryDir &photos()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (made)
        return dir;
    made = true;
    uint32_t seed = 12345;
    for (int n = 0; n < 12; ++n) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        const QColor base = QColor::fromHsv(n * 30, 160, 220);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1664525U + 1013904223U;
                const int noise = int(seed >> 27) - 16;
                const int shade = (x + y) * 96 / 7000;
                line[x] = qRgb(std::clamp(base.red() - shade + noise, 0, 255),
                               std::clamp(base.green() - shade / 2 + noise, 0, 255),
                               std::clamp(base.blue() + shade / 3 + noise, 0, 255));
            }
        }
        QImageWriter writer(dir.filePath(QStringLiteral("photo-%1.jpg").arg(n + 1, 2, 10, QLatin1Char('0'))));
        writer.setFormat("jpeg");
        writer.setQuality(90);
        writer.write(image);
    }
    return dir;
}

void runPhotoCalendar(benchmark::State &state, const QStringList &extra)
{
    const QString folder = photos().path();
    QTemporaryDir out;
    const QStringList args = QStringList{"--months", "12", "--month", "1", "--year", "2027", "--pictures", folder} +
                             extra + QStringList{out.filePath(QStringLiteral("photo.pdf"))};
    runExports(state, args);
}

// Target: at most 2 s, at most 300 MiB at the peak.
void BM_PhotoCalendar12MonthsBand(benchmark::State &state)
{
    runPhotoCalendar(state, {});
}
BENCHMARK(BM_PhotoCalendar12MonthsBand)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same with each photo on a page of its own: whole pages of pictures at 300 dpi.
void BM_PhotoCalendar12MonthsOwnPages(benchmark::State &state)
{
    runPhotoCalendar(state, {"--photo-pages"});
}
BENCHMARK(BM_PhotoCalendar12MonthsOwnPages)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

VELMORA_BENCH_MAIN()
