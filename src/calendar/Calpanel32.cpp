#include "calendar/Calpanel32.h"

#include "common/ReportCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace velmora {

TCalendarPanel32::TCalendarPanel32(QWidget *parent)
    : TCalendarPanel32(std::make_unique<TCalendarPage>(), parent)
{
}

TCalendarPanel32::TCalendarPanel32(std::unique_ptr<TCalendarPage> page, QWidget *parent)
    : TGBasePanel(page->SharedObjects(), parent), page_(std::move(page))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    page_->Changed = [this](TCalendarPage::TChange change) { pageChanged(change); };
    layoutChanged();
}

TCalendarPanel32::~TCalendarPanel32()
{
    page_->Changed = nullptr;
}

void TCalendarPanel32::pageChanged(TCalendarPage::TChange change)
{
    if (change == TCalendarPage::TChange::Layout)
        layoutChanged();
    else
        Repaint();
}

void TCalendarPanel32::zoomChanged()
{
    layoutChanged();
}

void TCalendarPanel32::layoutChanged()
{
    const double z = Zoom();
    resize(RoundEven(page_->PageWidth() * z), RoundEven(page_->PageHeight() * z));
    Repaint();
}

void TCalendarPanel32::Repaint()
{
    cacheValid_ = false;
    update();
}

void TCalendarPanel32::SetPaintingHold(bool hold)
{
    paintingHold_ = hold;
    if (!hold)
        Repaint();
}

void TCalendarPanel32::fireCell(int cell)
{
    if (cell < 1 || cell > kCellCount || !ClickedInCellEvent)
        return;
    const TDayCell &c = page_->Cells().cell(cell);
    ClickedInCellEvent(c.rTotal, c.rFree, cell, c.iDay);
}

void TCalendarPanel32::ActivateCell(int cell)
{
    fireCell(cell);
}

void TCalendarPanel32::ActivatePrevCell(int cell)
{
    if (cell != 1 && page_->Cells().hasTextArea(cell - 1))
        fireCell(cell - 1);
}

void TCalendarPanel32::ActivateNextCell(int cell)
{
    if (cell != kCellCount && page_->Cells().hasTextArea(cell + 1))
        fireCell(cell + 1);
}

void TCalendarPanel32::ClickCellAtPoint(int x, int y)
{
    const int c = page_->CellAtPoint(x, y);
    if (c != 0)
        fireCell(c);
}

void TCalendarPanel32::mouseReleaseEvent(QMouseEvent *event)
{
    // Objects and the selection frame take the mouse first; only a plain click on the page
    // itself reaches the day cells.
    TGBasePanel::mouseReleaseEvent(event);
    if (!IsPageClick())
        return;
    const QPoint pt = event->position().toPoint();
    const int c = page_->CellAtPoint(pt.x(), pt.y());
    if (page_->TitleRect().contains(pt.x(), pt.y()) && OnClickedHeader)
        OnClickedHeader(this);
    if (page_->DayNamesRect().contains(pt.x(), pt.y()) && OnClickedDaysArea)
        OnClickedDaysArea(this);
    const bool dayCells = page_->LayoutHasDayCells();
    if (c != 0 && dayCells) {
        if (ClickedInCellEvent && !HasObjectAt(pt.x(), pt.y()))
            fireCell(c);
        return;
    }
    if (OnClick)
        OnClick(this);
}

void TCalendarPanel32::DrawCalendarInto(QImage &image)
{
    if (page_->Rendering())
        return;
    image.fill(Qt::white);
    QPainter painter(&image);
    page_->Render(painter, TRenderTarget::Screen(double(Zoom())));
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    DrawCalendarInto(image);
    Repaint();
    return image;
}

void TCalendarPanel32::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (paintingHold_ || page_->Rendering()) {
        // Nothing new is drawn while held; the last picture stays.
        if (!cache_.isNull())
            painter.drawImage(0, 0, cache_);
        return;
    }
    if (!cacheValid_ || cache_.size() != size()) {
        cache_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
        DrawCalendarInto(cache_);
        cacheValid_ = true;
    }
    const QRect d = event->rect();
    painter.drawImage(d, cache_, d);
    paintOverflowMarks(painter, d);
    page_->RenderObjects(painter, TRenderTarget::Screen(double(Zoom())),
                         {d.x(), d.y(), d.x() + d.width(), d.y() + d.height()});
    PaintOverlay(painter);
}

void TCalendarPanel32::paintOverflowMarks(QPainter &painter, const QRect &area) const
{
    // A small corner triangle says that a cell holds more text than it shows. It belongs
    // to the screen only: the cached picture, bitmaps and paper stay without it.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    const int size = std::max(5, RoundEven(10.0 * double(Zoom())));
    for (const TRect &f : page_->OverflowMarks()) {
        const QPoint corner(f.right, f.bottom);
        if (!area.intersects(QRect(corner - QPoint(size, size), corner)))
            continue;
        const QPoint triangle[3] = {corner, corner - QPoint(size, 0), corner - QPoint(0, size)};
        painter.drawPolygon(triangle, 3);
    }
    painter.restore();
}

void TCalendarPanel32::PrintPage(TReportCanvas &report, double xOffset, double yOffset)
{
    page_->Render(report, TRenderTarget::Paper(report.dpi(), xOffset, yOffset));
}

} // namespace velmora
