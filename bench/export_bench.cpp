// The exporter as a whole process at scale: a year with recurring dates, documents with
// thousands of labels, PNG pages, and the peak memory of a 100-year PDF.
#include "BenchMain.h"
#include "ChildProcess.h"

#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "objects/Gplabel.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// The US holidays and seven rules of one's own, as bench-peers.sh gives the peers.
QString writeRecurringStore(const QTemporaryDir &dir)
{
    std::vector<std::string> lines = predefinedHolidayEntries();
    lines.push_back(MakeRecurringEntry("Gym", "%2"));
    lines.push_back(MakeRecurringEntry("Team meeting", "%4"));
    lines.push_back(MakeRecurringEntry("Piano lesson", "%37"));
    lines.push_back(MakeRecurringEntry("Bins out", "%6"));
    lines.push_back(MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0)));
    lines.push_back(MakeRecurringEntry("Book club", SpecialFormula(2, 4, 0)));
    lines.push_back(MakeRecurringEntry("Payday", SpecialFormula(5, 7, 0)));
    const QString path = dir.filePath(QStringLiteral("QXRECUR.DAX"));
    writeRecurLines(std::filesystem::path(path.toStdString()), lines);
    return path;
}

QString writeLabelsDocument(const QTemporaryDir &dir, int count)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    for (int i = 0; i < count; ++i) {
        auto label = std::make_unique<TGPLabel>();
        TGPLabel *l = label.get();
        page.AddObject(std::move(label), TRect{20 + (i % 10) * 75, 40 + (i / 10 % 9) * 90,
                                               90 + (i % 10) * 75, 60 + (i / 10 % 9) * 90});
        l->SetCaption("Label " + std::to_string(i));
    }
    const QString path = dir.filePath(QStringLiteral("labels-%1.QXF").arg(count));
    SaveToFile(page, path, &page.DocumentObjects());
    return path;
}

} // namespace

static void BM_ExportRecurringYearPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString store = writeRecurringStore(dir);
    runExports(state, {"--months", "12", "--month", "1", "--year", "2027", "--recurring", store,
                       dir.filePath(QStringLiteral("year.pdf"))});
}
BENCHMARK(BM_ExportRecurringYearPdf)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ExportLabelsDocumentPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString doc = writeLabelsDocument(dir, int(state.range(0)));
    runExports(state, {doc, dir.filePath(QStringLiteral("labels.pdf"))});
}
BENCHMARK(BM_ExportLabelsDocumentPdf)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ExportPngPage(benchmark::State &state)
{
    QTemporaryDir dir;
    runExports(state, {"--month", "1", "--year", "2027", dir.filePath(QStringLiteral("page.png"))});
    state.counters["bytes"] = double(QFileInfo(dir.filePath(QStringLiteral("page.png"))).size());
}
BENCHMARK(BM_ExportPngPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ExportYearPng(benchmark::State &state)
{
    QTemporaryDir dir;
    runExports(state, {"--months", "12", "--month", "1", "--year", "2027",
                       dir.filePath(QStringLiteral("month.png"))});
}
BENCHMARK(BM_ExportYearPng)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// 100 years of months into one PDF: the peak resident size is the figure to watch.
static void BM_Export1200MonthsPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    runExports(state, {"--months", "1200", "--month", "1", "--year", "2000",
                       dir.filePath(QStringLiteral("century.pdf"))});
}
BENCHMARK(BM_Export1200MonthsPdf)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN()
