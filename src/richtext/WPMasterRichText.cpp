#include "richtext/WPMasterRichText.h"

#include "richtext/WPRtfStorage.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace velmora {

namespace {
// Enough for every label of a busy page; older documents are laid out again when needed.
constexpr size_t kCacheSize = 64;

std::vector<std::weak_ptr<TWPMasterRichText>> &masters()
{
    static std::vector<std::weak_ptr<TWPMasterRichText>> list;
    return list;
}

std::string upper(std::string_view s)
{
    std::string u(s);
    std::ranges::transform(u, u.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    return u;
}
} // namespace

std::shared_ptr<TWPMasterRichText> TWPMasterRichText::Create(std::string name)
{
    std::shared_ptr<TWPMasterRichText> master(new TWPMasterRichText(std::move(name)));
    std::erase_if(masters(), [](const auto &w) { return w.expired(); });
    masters().push_back(master);
    return master;
}

std::shared_ptr<TWPMasterRichText> TWPMasterRichText::Find(std::string_view upperName)
{
    for (const auto &w : masters())
        if (auto m = w.lock(); m && upper(m->Name()) == upperName)
            return m;
    return nullptr;
}

TWPMasterRichText::TWPMasterRichText(std::string name)
    : name_(std::move(name)), layoutDevice_(1, 1, QImage::Format_RGB32)
{
    layoutDevice_.setDotsPerMeterX(3780); // 96.012 dpi: Qt rounds it to 96
    layoutDevice_.setDotsPerMeterY(3780);
}

TWPMasterRichText::~TWPMasterRichText() = default;

void TWPMasterRichText::SetZoomPercent(int percent)
{
    zoomPercent_ = std::max(1, percent);
}

void TWPMasterRichText::SetDocument(const TWPRtfStorage &store)
{
    current_ = store.rtfBytes();
}

QTextDocument &TWPMasterRichText::cachedDocument(const std::string &rtf)
{
    const auto hit = std::ranges::find_if(cache_, [&](const TCached &c) { return c.rtf == rtf; });
    if (hit != cache_.end()) {
        cache_.splice(cache_.begin(), cache_, hit);
        return *cache_.front().doc;
    }
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(&layoutDevice_);
    doc->setDocumentMargin(0);
    TWPRtfStorage store;
    store.setRtfBytes(rtf);
    store.loadIntoDocument(*doc);
    cache_.push_front({rtf, std::move(doc)});
    if (cache_.size() > kCacheSize)
        cache_.pop_back();
    return *cache_.front().doc;
}

void TWPMasterRichText::PaintInto(QPainter &painter, const QRectF &rect)
{
    PaintScaled(painter, rect, zoomPercent_ / 100.0);
}

void TWPMasterRichText::PaintScaled(QPainter &painter, const QRectF &rect, double scale)
{
    if (current_.empty() || scale <= 0 || rect.isEmpty())
        return;
    QTextDocument &doc = cachedDocument(current_);
    const double width = rect.width() / scale;
    if (doc.textWidth() != width)
        doc.setTextWidth(width);
    painter.save();
    painter.setClipRect(rect, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    doc.drawContents(&painter, QRectF(0, 0, width, rect.height() / scale));
    painter.restore();
}

} // namespace velmora
