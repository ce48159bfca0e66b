// A page with 20 rich text labels of five formatted lines each: painting it on screen once
// the labels' texts are laid out, and printing it to PDF.
#include "BenchMain.h"

#include "calendar/Calpanel32.h"
#include "common/ReportCanvas.h"
#include "objects/Gprichl.h"
#include "richtext/WPMasterRichText.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace velmora;

namespace {

TWPRtfStorage fiveLines(int n)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(14);
    title.setForeground(QColor(0x20, 0x40, 0xa0));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText(QStringLiteral("Event %1").arg(n), title);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontPointSize(10);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontPointSize(9);
    QTextCharFormat plain;
    plain.setFontPointSize(10);
    const QTextCharFormat *formats[] = {&italic, &red, &plain, &italic};
    for (int i = 0; i < 4; ++i) {
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("Line %1 of the notes").arg(i + 2), *formats[i]);
    }
    TWPRtfStorage store;
    store.saveFromDocument(doc);
    return store;
}

struct Page
{
    std::shared_ptr<TWPMasterRichText> master = TWPMasterRichText::Create();
    TCalendarPanel32 page;
    Page()
    {
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        for (int i = 0; i < 20; ++i) {
            auto label = std::make_unique<TGPRichBaseLabel>();
            label->Loaded();
            label->SetRTFText(fiveLines(i));
            label->SetTransparent(i % 2 == 0);
            const int left = 20 + (i % 4) * 190;
            const int top = 40 + (i / 4) * 190;
            page.AddObject(std::move(label), TRect{left, top, left + 180, top + 110});
        }
    }
};

} // namespace

static void BM_PaintRichLabelsWarm(benchmark::State &state)
{
    Page p;
    QImage image(p.page.size(), QImage::Format_RGB32);
    p.page.render(&image);
    for (auto _ : state) {
        p.page.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintRichLabelsWarm)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_PrintRichLabelsPdf(benchmark::State &state)
{
    Page p;
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
BENCHMARK(BM_PrintRichLabelsPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN();
