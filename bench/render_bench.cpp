// Drawing the calendar page into a bitmap at zoom 1.0, and the exporter as a whole process.
#include "BenchMain.h"

#include "calendar/Calpanel32.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace velmora;

static void BM_RenderToBitmap(benchmark::State &state)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetMainCalMonth(3);
    page.SetMainCalYear(2026);
    page.SetMainCalDay(9);
    page.SetCalendarLayout(static_cast<int>(state.range(0)));
    page.RenderToBitmap(); // fonts and glyph caches warm
    for (auto _ : state) {
        QImage image = page.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderToBitmap)
    ->ArgName("layout")
    ->Arg(loFullCalendar)
    ->Arg(loFC6Before6AfterLS)
    ->Arg(loMC60MonthLS)
    ->Arg(lo2Week)
    ->Arg(loDay15)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_ExportYearPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("year.pdf"));
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(VELMORA_EXPORT_EXE),
                {QStringLiteral("--months"), QStringLiteral("12"), QStringLiteral("--month"),
                 QStringLiteral("1"), QStringLiteral("--year"), QStringLiteral("2027"), out});
        p.waitForFinished(-1);
        if (p.exitCode() != 0)
            state.SkipWithError("velmora-export failed");
    }
}
BENCHMARK(BM_ExportYearPdf)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN()
