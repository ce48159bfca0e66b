#include "calendar/CellTextRenderer.h"

#include "calendar/CalendarPage.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

namespace velmora {

TStoreCellRenderer::TStoreCellRenderer(const TCalendarPage &page)
    : page_(page), layoutDevice_(1, 1, QImage::Format_RGB32)
{
    layoutDevice_.setDotsPerMeterX(3780); // 96.012 dpi: Qt rounds it to 96
    layoutDevice_.setDotsPerMeterY(3780);
}

TStoreCellRenderer::~TStoreCellRenderer() = default;

TStoreCellRenderer::Entry &TStoreCellRenderer::parsed(int cell) const
{
    Entry &e = cache_.at(size_t(cell - 1));
    const TWPRtfStorage &store = page_.CellStore(cell);
    if (!e.doc || e.rtf != store.rtfBytes()) {
        e.doc = std::make_unique<QTextDocument>();
        e.doc->setDocumentMargin(0);
        // Read before a layout exists: the layout then runs once, for the width, and not
        // after every paragraph the reader inserts.
        store.loadIntoDocument(*e.doc);
        e.rtf = store.rtfBytes();
        // As the store judges emptiness: one empty paragraph, whatever its formatting.
        e.empty = e.doc->blockCount() == 1 && e.doc->firstBlock().length() <= 1;
        e.laidOut = false;
    }
    return e;
}

bool TStoreCellRenderer::hasText(int cell) const
{
    if (cell < 1 || cell > kCellCount || page_.CellStore(cell).rtfBytes().empty())
        return false;
    return !parsed(cell).empty;
}

QTextDocument &TStoreCellRenderer::document(int cell, double width)
{
    Entry &e = parsed(cell);
    if (!e.laidOut) {
        e.doc->documentLayout()->setPaintDevice(&layoutDevice_);
        e.laidOut = true;
    }
    if (e.doc->textWidth() != width)
        e.doc->setTextWidth(width);
    return *e.doc;
}

void TStoreCellRenderer::paintCell(int cell, QImage &image, int zoomPercent)
{
    if (!hasText(cell) || zoomPercent <= 0)
        return;
    const double scale = zoomPercent / 100.0;
    QTextDocument &doc = document(cell, image.width() / scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    doc.drawContents(&painter, QRectF(0, 0, image.width() / scale, image.height() / scale));
}

bool TStoreCellRenderer::overflows(int cell, const QSize &size, int zoomPercent)
{
    if (!hasText(cell) || zoomPercent <= 0 || size.isEmpty())
        return false;
    const double scale = zoomPercent / 100.0;
    // Half a pixel of slack: rounding of the zoomed area must not raise the mark.
    return document(cell, size.width() / scale).size().height() * scale > size.height() + 0.5;
}

void TStoreCellRenderer::printCell(int cell, QPainter &painter, const QRect &target, int printerDpi)
{
    if (!hasText(cell) || printerDpi <= 0)
        return;
    const double scale = printerDpi / 96.0;
    QTextDocument &doc = document(cell, target.width() / scale);
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    doc.drawContents(&painter, QRectF(0, 0, target.width() / scale, target.height() / scale));
    painter.restore();
}

} // namespace velmora
