// A page holding 24 floating calendars: repainting it on screen (the calendar's cached picture
// plus the objects over it, as the page view does) and printing the objects into a PDF.
#include "BenchMain.h"

#include "calendar/gcalflat.h"
#include "common/Canvas.h"
#include "common/ReportCanvas.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <vector>

using namespace velmora;

namespace {

// Letter portrait at 96 pixels per inch, six rows of four calendars, each a different month
// with a shadow and cell lines, so every painter step runs.
std::vector<std::unique_ptr<TGFlatCalendar>> makeCalendars(float zoom)
{
    std::vector<std::unique_ptr<TGFlatCalendar>> list;
    for (int i = 0; i < 24; ++i) {
        auto c = std::make_unique<TGFlatCalendar>();
        c->SetBounds(24 + (i % 4) * 190, 24 + (i / 4) * 165, 180, 155);
        c->SetMonth(i % 12 + 1);
        c->SetYear(2026 + i / 12);
        c->SetShowYear(true);
        c->SetShadowDepth(4);
        c->SetCellBorderStyle(fcbAll);
        c->SetDayNameStyle(fdsThreeChars);
        c->SetTitleBGcolor(0xEFBF9F);
        c->SetZoom(zoom);
        list.push_back(std::move(c));
    }
    return list;
}

} // namespace

static void BM_PageWith24FlatCalendarsPaint(benchmark::State &state)
{
    const float zoom = float(state.range(0)) / 10.0F;
    auto calendars = makeCalendars(zoom);
    const int w = int(816 * zoom), h = int(1056 * zoom);
    QImage calendarPicture(w, h, QImage::Format_RGB32);
    calendarPicture.fill(Qt::white);
    QImage screen(w, h, QImage::Format_RGB32);
    const auto paint = [&] {
        QPainter p(&screen);
        p.drawImage(0, 0, calendarPicture);
        TCanvas canvas(p, 96);
        for (auto &c : calendars) c->Paint(canvas);
    };
    paint(); // fonts and glyph caches warm
    for (auto _ : state) {
        paint();
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_PageWith24FlatCalendarsPaint)
    ->ArgName("zoom_tenths")
    ->Arg(10)
    ->Arg(6)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_PageWith24FlatCalendarsPdf(benchmark::State &state)
{
    auto calendars = makeCalendars(1.0F);
    const auto print = [&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setResolution(600);
        QPainter p(&writer);
        TReportCanvas report(p, 600);
        for (auto &c : calendars) c->PrintObject(report, 0.0, 0.0);
        p.end();
        return out.size();
    };
    print();
    for (auto _ : state) benchmark::DoNotOptimize(print());
}
BENCHMARK(BM_PageWith24FlatCalendarsPdf)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN();
