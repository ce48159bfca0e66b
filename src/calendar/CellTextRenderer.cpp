#include "calendar/CellTextRenderer.h"

#include "calendar/CalendarPage.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace velmora {

TStoreCellRenderer::TStoreCellRenderer(const TCalendarPage &page)
    : page_(page), layoutDevice_(1, 1, QImage::Format_RGB32)
{
    layoutDevice_.setDotsPerMeterX(3780); // 96.012 dpi: Qt rounds it to 96
    layoutDevice_.setDotsPerMeterY(3780);
}

TStoreCellRenderer::~TStoreCellRenderer() = default;

namespace {
// Texts kept between pages; past this many the oldest go all at once (typing in the
// program makes a new text on every change).
constexpr size_t kKeptTexts = 512;
// Widths one text is kept laid out at (cells of one grid differ by a pixel or two).
constexpr size_t kKeptWidths = 4;
} // namespace

std::unique_ptr<QTextDocument> TStoreCellRenderer::read(const std::string &rtf) const
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDocumentMargin(0);
    // Read before a layout exists: the layout then runs once, for the width, and not
    // after every paragraph the reader inserts.
    readRtf(rtf, *doc);
    return doc;
}

TStoreCellRenderer::Parsed &TStoreCellRenderer::parsed(int cell) const
{
    Entry &e = cache_.at(size_t(cell - 1));
    const std::string &bytes = page_.CellStore(cell).rtfBytes();
    if (e.parsed && e.rtf == bytes)
        return *e.parsed;
    auto it = byText_.find(bytes);
    if (it == byText_.end()) {
        if (byText_.size() >= kKeptTexts)
            byText_.clear(); // cells still hold theirs
        auto p = std::make_shared<Parsed>();
        p->unlaid = read(bytes);
        // As the store judges emptiness: one empty paragraph, whatever its formatting.
        p->empty = p->unlaid->blockCount() == 1 && p->unlaid->firstBlock().length() <= 1;
        it = byText_.emplace(bytes, std::move(p)).first;
    }
    e.rtf = bytes;
    e.parsed = it->second;
    return *e.parsed;
}

bool TStoreCellRenderer::hasText(int cell) const
{
    if (cell < 1 || cell > kCellCount || page_.CellStore(cell).rtfBytes().empty())
        return false;
    return !parsed(cell).empty;
}

QTextDocument &TStoreCellRenderer::document(int cell, double width)
{
    Parsed &p = parsed(cell);
    for (auto &[w, doc] : p.laid)
        if (w == width)
            return *doc;
    std::unique_ptr<QTextDocument> doc = p.unlaid ? std::move(p.unlaid) : read(cache_.at(size_t(cell - 1)).rtf);
    // A laid-out text is drawn on every page and every print: its lines keep their
    // glyphs, where Qt would drop them after the layout and shape every line anew for
    // each drawing.
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    doc->documentLayout()->setPaintDevice(&layoutDevice_);
    doc->setTextWidth(width);
    if (p.laid.size() >= kKeptWidths)
        p.laid.erase(p.laid.begin());
    p.laid.emplace_back(width, std::move(doc));
    return *p.laid.back().second;
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
    // A clip is set only for a text larger than its cell: in a PDF every clip starts the
    // drawing state anew, and most cells hold a line or two.
    const QSizeF size = doc.size() * scale;
    const bool fits = size.width() <= target.width() + 0.5 && size.height() <= target.height() + 0.5;
    painter.save();
    if (!fits)
        painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    doc.drawContents(&painter);
    painter.restore();
}

} // namespace velmora
