// Drawing the calendar page into a bitmap at zoom 1.0, and the exporter as a whole process.
#include "BenchMain.h"
#include "ChildProcess.h"

#include "calendar/CalendarPainter.h"
#include "calendar/Calpanel32.h"

#include <QElapsedTimer>
#include <QPaintEngine>
#include <QPainter>
#include <QStaticText>
#include <QTemporaryDir>

#include <vector>

#include <time.h>

using namespace velmora;

namespace {
// A page as the exporter sets it up for a layout: its own fonts for that layout.
void setUpPage(TCalendarPanel32 &page, int layout)
{
    page.ResetToDefaults();
    page.SetMainCalMonth(3);
    page.SetMainCalYear(2026);
    page.SetMainCalDay(9);
    page.SetCalendarLayout(layout);
    page.RecalcLayout(true);
}
} // namespace

static void BM_RenderToBitmap(benchmark::State &state)
{
    TCalendarPanel32 page;
    setUpPage(page, static_cast<int>(state.range(0)));
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

namespace {
// What the page painters hand to Qt, recorded once: the filled rectangles and the strings
// with their fonts, colours and positions.
class TRecordingEngine final : public QPaintEngine
{
public:
    struct Rect { QRectF r; QColor c; };
    struct Text { QPointF baseline; QString text; QFont font; QColor c; };
    std::vector<Rect> rects;
    std::vector<Text> texts;

    TRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &s) override
    {
        if (s.state() & DirtyPen) pen_ = s.pen();
        if (s.state() & DirtyBrush) brush_ = s.brush();
        if (s.state() & DirtyFont) font_ = s.font();
    }
    void drawRects(const QRectF *r, int count) override
    {
        for (int i = 0; i < count; ++i)
            rects.push_back({r[i], brush_.color()});
    }
    void drawRects(const QRect *r, int count) override
    {
        for (int i = 0; i < count; ++i)
            rects.push_back({QRectF(r[i]), brush_.color()});
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.push_back({p, item.text(), item.font(), pen_.color()});
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }

private:
    QPen pen_;
    QBrush brush_;
    QFont font_;
};

class TRecordingDevice final : public QPaintDevice
{
public:
    explicit TRecordingDevice(QSize size) : size_(size) {}
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable TRecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize size_;
};

// The 60-month sheet drawn with plain Qt: the same rectangles, then the same strings from
// static texts shaped beforehand, the font and pen set only when they change.
struct TRawSheet
{
    struct Text { QPoint topLeft; QStaticText text; QFont font; QColor c; };
    std::vector<TRecordingEngine::Rect> rects;
    std::vector<Text> texts;
    QSize size;

    explicit TRawSheet(TCalendarPanel32 &page)
    {
        size = page.size();
        TRecordingDevice device(size);
        QImage probe(size, QImage::Format_RGB32);
        {
            // The page's own painters at zoom 1, as RenderToBitmap draws the mini months.
            QPainter painter(&device);
            TCanvas canvas(painter, kPagePpi);
            const TCalendarSettings &s = page.Settings();
            auto font = [](const TFontDesc &f) { return TDrawFont{f.name, f.size(), f.style, f.color}; };
            for (const TMiniRect &mini : page.Layout().minis) {
                TCalDrawParams p;
                p.pageColor = s.Mini.Background;
                p.titleBackground = s.Mini.Background;
                p.month = mini.monthYear.month;
                p.year = mini.monthYear.year;
                p.area = mini.rect;
                p.numberPosition = cnpCenter;
                p.startOfWeek = s.StartOfWeek;
                p.calendarBorder = s.Mini.Border;
                p.titleFont = font(s.Mini.TitleFont);
                p.showYear = s.Mini.ShowYear;
                p.headersFont = font(s.Mini.HeadersFont);
                p.headersBorder = s.Mini.HeadersBorder;
                p.headersStyle = s.Mini.HeadersStyle;
                p.headersBackground = s.Mini.HeadersBackground;
                p.cellFont = font(s.Mini.CellFont);
                p.cellBorder = s.Mini.CellBorder;
                p.names = s.Names;
                DrawMonth(canvas, p, std::string());
            }
        }
        rects = device.engine.rects;
        for (const auto &t : device.engine.texts) {
            QStaticText st(t.text);
            st.setTextFormat(Qt::PlainText);
            st.setPerformanceHint(QStaticText::ModerateCaching);
            st.prepare(QTransform(), t.font);
            const int ascent = QFontMetrics(t.font, &probe).ascent();
            texts.push_back({QPoint(qRound(t.baseline.x()), qRound(t.baseline.y()) - ascent), st,
                             t.font, t.c});
        }
    }

    QImage draw() const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (const auto &r : rects)
            painter.fillRect(r.r, r.c);
        const QFont *font = nullptr;
        QColor pen;
        for (const auto &t : texts) {
            if (font == nullptr || !(*font == t.font)) {
                painter.setFont(t.font);
                font = &t.font;
            }
            if (pen != t.c) {
                painter.setPen(t.c);
                pen = t.c;
            }
            painter.drawStaticText(t.topLeft, t.text);
        }
        return image;
    }
};
} // namespace

// The baseline for the 60-month sheet: see TRawSheet.
static void BM_Sheet60RawQtBaseline(benchmark::State &state)
{
    TCalendarPanel32 page;
    setUpPage(page, loMC60MonthLS);
    const TRawSheet raw(page);
    raw.draw();
    for (auto _ : state) {
        QImage image = raw.draw();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["strings"] = double(raw.texts.size());
}
BENCHMARK(BM_Sheet60RawQtBaseline)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The sheet and its baseline drawn in turns, so both see the same machine load.
static void BM_Sheet60Ratio(benchmark::State &state)
{
    TCalendarPanel32 page;
    setUpPage(page, loMC60MonthLS);
    const TRawSheet raw(page);
    page.RenderToBitmap();
    raw.draw();
    // Thread CPU time: on a busy machine the wall clock also counts the time others ran.
    auto cpuNs = [] {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
    };
    double pageNs = 0, rawNs = 0;
    for (auto _ : state) {
        double t = cpuNs();
        for (int i = 0; i < 10; ++i)
            benchmark::DoNotOptimize(page.RenderToBitmap().constBits());
        pageNs += cpuNs() - t;
        t = cpuNs();
        for (int i = 0; i < 10; ++i)
            benchmark::DoNotOptimize(raw.draw().constBits());
        rawNs += cpuNs() - t;
    }
    state.counters["page_ms"] = pageNs / 1e6 / double(state.iterations()) / 10;
    state.counters["raw_ms"] = rawNs / 1e6 / double(state.iterations()) / 10;
    state.counters["ratio"] = pageNs / rawNs;
}
BENCHMARK(BM_Sheet60Ratio)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ExportYearPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    runExports(state, {"--months", "12", "--month", "1", "--year", "2027",
                       dir.filePath(QStringLiteral("year.pdf"))});
}
BENCHMARK(BM_ExportYearPdf)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN()
