// SuperText speed: a 600×150 gradient SuperText with shadow and outline painted at zoom 1,
// and printed to a PDF.
#include "BenchMain.h"

#include "common/ReportCanvas.h"
#include "objects/gsstext.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

using namespace velmora;

namespace {

void prepare(TGSuperText &t)
{
    t.SetCaptionText("Happy Holidays");
    t.SetBounds(0, 0, 600, 150);
    t.SetShadowDepth(4);
    t.SetOutlineWidth(2);
    t.SetSurfaceType(stGradientFill);
}

void BM_SuperTextPaint(benchmark::State &state)
{
    TGSuperText t;
    prepare(t);
    QImage image(600, 150, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        t.PaintContent(p);
    }
}
BENCHMARK(BM_SuperTextPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_SuperTextPdf(benchmark::State &state)
{
    TGSuperText t;
    prepare(t);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        QPainter p(&pdf);
        TReportCanvas report(p, 600);
        t.PrintObject(report, 0.5, 0.5);
        p.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_SuperTextPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

VELMORA_BENCH_MAIN()
