// Documents with filled day cells: saving, loading, drawing, printing and exporting, and the
// program's start to a painted main window.
#include "BenchMain.h"
#include "ChildProcess.h"

#include "app/Camain.h"
#include "app/ReportSystem.h"
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "common/Program.h"
#include "common/ReportCanvas.h"
#include "objects/Gplabel.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>


using namespace velmora;

namespace {

// Three formatted lines in every one of the 42 cells.
void fillCells(TCalendarPanel32 &page)
{
    for (int i = 1; i <= 42; ++i) {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(10);
        c.insertText(QStringLiteral("Meeting %1").arg(i), bold);
        c.insertBlock();
        QTextCharFormat red;
        red.setForeground(Qt::red);
        red.setFontPointSize(9);
        c.insertText(QStringLiteral("Call the office"), red);
        c.insertBlock();
        QTextCharFormat italic;
        italic.setFontItalic(true);
        c.insertText(QStringLiteral("9:30 dentist"), italic);
        page.CellStore(i).saveFromDocument(doc);
    }
}

void addLabels(TCalendarPanel32 &page, int count)
{
    for (int i = 0; i < count; ++i) {
        auto label = std::make_unique<TGPLabel>();
        TGPLabel *l = label.get();
        page.AddObject(std::move(label), TRect{20 + (i % 10) * 75, 40 + (i / 10) * 90,
                                               90 + (i % 10) * 75, 60 + (i / 10) * 90});
        l->SetCaption("Label " + std::to_string(i));
    }
}

struct Page
{
    TCalendarPanel32 page;
    explicit Page(int labels = 0)
    {
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(3);
        page.SetMainCalYear(2026);
        fillCells(page);
        addLabels(page, labels);
    }
};

} // namespace

static void BM_SaveDocument(benchmark::State &state)
{
    Page p(100);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.QXF"));
    for (auto _ : state)
        SaveToFile(p.page, path, &p.page.DocumentObjects());
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same document made into bytes only: the difference to BM_SaveDocument is the file
// work, the temporary, its sync to the disk and the rename.
static void BM_DocumentBytes(benchmark::State &state)
{
    Page p(100);
    for (auto _ : state)
        benchmark::DoNotOptimize(DocumentBytes(p.page, &p.page.DocumentObjects()));
}
BENCHMARK(BM_DocumentBytes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_LoadDocument(benchmark::State &state)
{
    Page p(100);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.QXF"));
    SaveToFile(p.page, path, &p.page.DocumentObjects());
    TCalendarPanel32 target;
    for (auto _ : state) {
        target.ClearAllCells();
        target.RemoveAllObjects();
        LoadFromFile(target, path, &target.DocumentObjects());
        target.AttachObjects();
    }
    if (target.ObjectCount() != 100)
        state.SkipWithError("objects were not read");
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Documents of n labels: time per object should not grow with n.
static void BM_LoadLabels(benchmark::State &state)
{
    const int count = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.QXF"));
    {
        TCalendarPanel32 page;
        page.ResetToDefaults();
        addLabels(page, count);
        SaveToFile(page, path, &page.DocumentObjects());
    }
    TCalendarPanel32 target;
    for (auto _ : state) {
        target.ClearAllCells();
        target.RemoveAllObjects();
        LoadFromFile(target, path, &target.DocumentObjects());
        target.AttachObjects();
    }
    if (target.ObjectCount() != count)
        state.SkipWithError("objects were not read");
    state.counters["us_per_object"] = benchmark::Counter(
        double(count) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadLabels)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_RenderFilledCellsWarm(benchmark::State &state)
{
    Page p;
    p.page.RenderToBitmap();
    for (auto _ : state) {
        QImage image = p.page.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderFilledCellsWarm)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_RenderFilledCellsCold(benchmark::State &state)
{
    Page p;
    for (auto _ : state) {
        state.PauseTiming();
        // Touching every store forgets the laid-out cell texts.
        for (int i = 1; i <= 42; ++i)
            p.page.CellStore(i).setRtfBytes(std::string(p.page.CellStore(i).rtfBytes()) + " ");
        state.ResumeTiming();
        QImage image = p.page.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderFilledCellsCold)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_PrintPdf(benchmark::State &state)
{
    Page p(20);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&pdf);
        TReportCanvas report(painter, 600);
        p.page.PrintPage(report, 0, 0);
    }
}
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_SaveBmp(benchmark::State &state)
{
    Page p(20);
    p.page.SetZoom(1.0F);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.BMP"));
    p.page.RenderToBitmap();
    for (auto _ : state)
        p.page.RenderToBitmap().save(path, "BMP");
}
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_OpenDocumentInWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    SetAppFolder(dir.path());
    Page p(100);
    const QString path = dir.filePath(QStringLiteral("bench.QXF"));
    SaveToFile(p.page, path, &p.page.DocumentObjects());
    TCalendarMain window;
    window.show();
    window.FirstActivation();
    for (auto _ : state) {
        window.OpenCalendarFile(path);
        QImage painted = window.CalendarPanel()->grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());
    }
    SetAppFolder(QString());
}
BENCHMARK(BM_OpenDocumentInWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A child process: start the program's main window, paint it once, quit.
static int startupChild(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetAppFolder(dir.path());
    TCalendarMain window;
    window.show();
    window.FirstActivation();
    window.grab();
    return 0;
}

// The yardstick: the smallest Qt Widgets program with a menu, started and painted the same way.
static int minimalChild(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.setCentralWidget(new QLabel(QStringLiteral("Calendar")));
    window.resize(635, 400);
    window.show();
    window.grab();
    return 0;
}

namespace {
ChildCost runChild(const char *flag, benchmark::State &state)
{
    const ChildCost cost = runProcess(QCoreApplication::applicationFilePath().toStdString(),
                                      {QString::fromLatin1(flag)});
    if (!cost.ok)
        state.SkipWithError("child failed");
    return cost;
}
} // namespace

static void BM_StartToPaintedWindow(benchmark::State &state)
{
    for (auto _ : state)
        runChild("--startup-child", state);
}
BENCHMARK(BM_StartToPaintedWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

// The program and the minimal window started in turns; ratios of wall and CPU time.
static void BM_StartupRatio(benchmark::State &state)
{
    ChildCost program, minimal;
    for (auto _ : state) {
        const ChildCost p = runChild("--startup-child", state);
        const ChildCost m = runChild("--minimal-child", state);
        program.wallMs += p.wallMs;
        program.cpuMs += p.cpuMs;
        minimal.wallMs += m.wallMs;
        minimal.cpuMs += m.cpuMs;
    }
    const double n = double(state.iterations());
    state.counters["program_ms"] = program.wallMs / n;
    state.counters["minimal_ms"] = minimal.wallMs / n;
    state.counters["wall_ratio"] = program.wallMs / minimal.wallMs;
    state.counters["cpu_ratio"] = program.cpuMs / minimal.cpuMs;
}
BENCHMARK(BM_StartupRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--minimal-child") == 0)
        return minimalChild(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
