// Dragging a design object over a busy page: one move and the repaint it causes.
#include "BenchMain.h"

#include "calendar/Calpanel32.h"
#include "common/Canvas.h"
#include "objects/GGraphc.h"

#include <QMouseEvent>
#include <QThread>

using namespace velmora;

namespace {
class Block final : public TGGraphicControl
{
public:
    std::string className() const override { return "TBlock"; }
    void Paint(TCanvas &canvas) override
    {
        canvas.setBrushSolid(clAqua);
        canvas.fillRect(ScreenRect());
        DrawHandles(canvas);
    }
};

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void send(QWidget &w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(p), QPointF(w.mapToGlobal(p)), Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}
} // namespace

static void BM_DragMoveRepaint(benchmark::State &state)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loMC60MonthLS);
    page.SetZoom(1.0F);
    for (int i = 0; i < 50; ++i)
        page.AddObject(std::make_unique<Block>(),
                       TRect{20 + (i % 10) * 100, 20 + (i / 10) * 150, 80 + (i % 10) * 100,
                             60 + (i / 10) * 150});
    page.show();
    QCoreApplication::processEvents();
    page.repaint(); // the calendar bitmap is drawn once here
    TGGraphicControl *first = page.Object(0);
    const int leftBefore = first->Left();
    const QPoint start(50, 40);
    send(page, QEvent::MouseButtonPress, start, Qt::LeftButton);
    // Past the press-time rules: hold still long enough for a drag to start.
    QThread::msleep(200);
    send(page, QEvent::MouseMove, start + QPoint(5, 5), Qt::LeftButton);
    page.repaint();
    PaintCounter counter;
    page.installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        const QPoint at = start + QPoint(10 + step % 200, 10 + step % 150);
        send(page, QEvent::MouseMove, at, Qt::LeftButton);
        page.repaint(page.rect().intersected(QRect(at - QPoint(150, 150), QSize(300, 300))));
        ++step;
    }
    send(page, QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.counters["paints"] = double(counter.paints) / double(std::max<int64_t>(1, state.iterations()));
    if (first->Left() == leftBefore)
        state.SkipWithError("the object was not dragged");
}
BENCHMARK(BM_DragMoveRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

VELMORA_BENCH_MAIN()
