// A letter page with ten picture objects (five photos, five drawings) written as a PDF page.
#include "BenchMain.h"

#include "calendar/Calpanel32.h"
#include "common/ReportCanvas.h"
#include "imaging/Imager.h"
#include "objects/Gimage.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>

using namespace velmora;

namespace {

TPicture photo(int seed)
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 640, 480);
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 200, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 71) % 360, 120, 90));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 40; ++i)
        p.fillRect(QRect((i * 53 + seed) % 600, (i * 29) % 440, 40, 40), QColor::fromHsv(i * 9, 255, 255));
    return TPicture::fromImage(image);
}

TPicture drawing(int seed)
{
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'>";
    for (int i = 0; i < 60; ++i)
        svg += QStringLiteral("<circle cx='%1' cy='%2' r='%3' fill='#%4' stroke='black'/>")
                   .arg((i * 41 + seed) % 300).arg((i * 23) % 200).arg(5 + i % 20)
                   .arg((i * 0x10305 + seed * 0x3311) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                   .toLatin1();
    svg += "<path d='M10 190 C 80 10, 220 10, 290 190' fill='none' stroke='navy' stroke-width='4'/>"
           "</svg>";
    return LoadPictureBytes(svg, QStringLiteral("SVG"));
}

void BM_PageWithTenPicturesToPdf(benchmark::State &state)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.RecalcLayout(true);
    for (int i = 0; i < 10; ++i) {
        auto image = std::make_unique<TGImage>();
        image->Loaded();
        image->SetPicture(i % 2 ? drawing(i) : photo(i));
        image->SetBorderStyle(i % 3 ? bsNone : bsSingle);
        const int left = 40 + (i % 3) * 250, top = 60 + (i / 3) * 240;
        page.AddObject(std::move(image), {left, top, left + 220, top + 160});
    }
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        TReportCanvas report(painter, 600);
        page.PrintPage(report, 0, 0);
        painter.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_PageWithTenPicturesToPdf)->Unit(benchmark::kMillisecond);

} // namespace

VELMORA_BENCH_MAIN()
