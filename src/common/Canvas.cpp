#include "common/Canvas.h"

#include "common/Font.h"

#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace velmora {

TCanvas::TCanvas(QPainter &painter, int dpi) : painter_(painter), dpi_(dpi > 0 ? dpi : 96)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    font_ = makeFont("Times New Roman", 16, 0);
    fontChanged();
}

TCanvas::~TCanvas()
{
    painter_.restore();
}

namespace {
// A font asked for by face, size, style and resolution, as the caches below know it.
std::string selectionKey(const std::string &name, int size, uint8_t style, int dpi)
{
    std::string key = name;
    key += '\x1f';
    key += std::to_string(size);
    key += '/';
    key += std::to_string(style);
    key += '/';
    key += std::to_string(dpi);
    return key;
}
} // namespace

QFont TCanvas::makeFont(const std::string &name, int pixelSize, uint8_t style)
{
    QFont f(QString::fromStdString(name));
    f.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    f.setBold((style & 1) != 0);
    f.setItalic((style & 2) != 0);
    f.setUnderline((style & 4) != 0);
    f.setStrikeOut((style & 8) != 0);
    f.setKerning(false);
    return f;
}

void TCanvas::setPen(TColor color, int width, TPenStyle style)
{
    penColor_ = color;
    penWidth_ = width < 1 ? 1 : width;
    penStyle_ = style;
}

void TCanvas::setBrushSolid(TColor color)
{
    brush_ = color;
}

void TCanvas::setBrushClear()
{
    brush_.reset();
}

// Page drawing repeats the same few strings (day numbers, day names) in the same few fonts
// hundreds of times; shaping each once keeps a 60-month sheet fast. The texts are kept per
// font, together with the font's metrics, so a string costs one lookup.
struct TCanvas::ShapedText
{
    QStaticText text;
    // The ink's first and last row relative to the line's top; an empty string has none
    // (inkTop > inkBottom). Measured the first time the line box does not fit.
    mutable bool inkMeasured = false;
    mutable int inkTop = 0;
    mutable int inkBottom = -1;
};

struct TCanvas::FontTexts
{
    QFont font;
    QString key;
    TTextMetric metric;
    QHash<QString, TCanvas::ShapedText> texts;
};

namespace {
struct TextCache
{
    std::unordered_map<QString, std::unique_ptr<TCanvas::FontTexts>> fonts;
    // The fonts by what selectFont was asked for, so that a font chosen again is neither
    // made nor described again.
    std::unordered_map<std::string, TCanvas::FontTexts *> selections;
    int size = 0;
    // The em that fills a cell height, by face, height, style and resolution.
    std::unordered_map<std::string, int> emForHeight;
    // Counts the times the fonts were dropped, so that canvases look theirs up again.
    unsigned generation = 1;
};

TextCache &textCache()
{
    thread_local TextCache cache;
    return cache;
}

constexpr int kMaxCachedTexts = 4096;
constexpr size_t kMaxCachedFonts = 512;
} // namespace

void TCanvas::selectFont(const std::string &name, int points, uint8_t style, TColor color)
{
    selectFontHeight(name, -MulDiv(points, dpi_, 72), style, color);
}

void TCanvas::selectFontHeight(const std::string &name, int height, uint8_t style,
                               TColor color)
{
    fontColor_ = color;
    textStateValid_ = false;
    if (height <= 0) {
        selectFontPixels(name, -height > 0 ? -height : 1, style);
        return;
    }
    // A positive height asks for the cell height: the largest em whose ascent + descent
    // fits. Every size tried loads a font, so the answer is kept per face, height, style
    // and resolution, and found by starting from the proportional guess and stepping,
    // not by trying every size down from the height.
    const int dpi = painter_.device()->logicalDpiY();
    std::string key = selectionKey(name, height, style, dpi);
    TextCache &cache = textCache();
    int em = height;
    if (const auto it = cache.emForHeight.find(key); it != cache.emForHeight.end()) {
        em = it->second;
    } else {
        auto lineHeight = [&](int size) {
            return QFontMetrics(makeFont(name, size, style), painter_.device()).height();
        };
        const int full = lineHeight(em);
        if (full > height && em > 1) {
            em = std::clamp(static_cast<int>(int64_t{height} * height / full), 1, height - 1);
            while (em > 1 && lineHeight(em) > height)
                --em;
            while (em + 1 < height && lineHeight(em + 1) <= height)
                ++em;
        }
        if (cache.emForHeight.size() >= kMaxCachedFonts)
            cache.emForHeight.clear();
        cache.emForHeight.emplace(std::move(key), em);
    }
    selectFontPixels(name, em, style);
}

void TCanvas::hLine(int x1, int x2, int y)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (x2 > x1)
        painter_.fillRect(x1, y, x2 - x1, penWidth_, ToQColor(penColor_));
}

void TCanvas::vLine(int x, int y1, int y2)
{
    if (y2 < y1)
        std::swap(y1, y2);
    if (y2 > y1)
        painter_.fillRect(x, y1, penWidth_, y2 - y1, ToQColor(penColor_));
}

void TCanvas::thinLine(int x1, int y1, int x2, int y2)
{
    // QPainter always leaves out the right-hand (or lower) end of a slanted line, so a line
    // drawn leftwards or upwards would lose its start point and keep its end point. Step
    // from the start instead, stopping before the end point.
    const QColor c = ToQColor(penColor_);
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        painter_.fillRect(x1, y1, 1, 1, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void TCanvas::fillRect(const TRect &r)
{
    if (brush_ && r.right > r.left && r.bottom > r.top)
        painter_.fillRect(r.left, r.top, r.right - r.left, r.bottom - r.top, ToQColor(*brush_));
}

void TCanvas::rectangle(const TRect &r)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (penStyle_ == TPenStyle::Clear) {
        // Without a pen the filled area is one pixel smaller each way.
        fillRect({r.left, r.top, r.right - 1, r.bottom - 1});
        return;
    }
    fillRect(r);
    hLine(r.left, r.right, r.top);
    hLine(r.left, r.right, r.bottom - 1);
    vLine(r.left, r.top, r.bottom);
    vLine(r.right - 1, r.top, r.bottom);
}

void TCanvas::frameRect(const TRect &r)
{
    if (!brush_ || r.right <= r.left || r.bottom <= r.top)
        return;
    const QColor c = ToQColor(*brush_);
    painter_.fillRect(r.left, r.top, r.right - r.left, 1, c);
    painter_.fillRect(r.left, r.bottom - 1, r.right - r.left, 1, c);
    painter_.fillRect(r.left, r.top, 1, r.bottom - r.top, c);
    painter_.fillRect(r.right - 1, r.top, 1, r.bottom - r.top, c);
}

void TCanvas::moveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void TCanvas::lineTo(int x, int y)
{
    if (penStyle_ != TPenStyle::Clear) {
        if (y == penY_ && penWidth_ == 1 && penStyle_ == TPenStyle::Solid) {
            // Horizontal: from the start up to, not including, the end point.
            if (x > penX_)
                hLine(penX_, x, y);
            else if (x < penX_)
                hLine(x + 1, penX_ + 1, y);
        } else if (x == penX_ && penWidth_ == 1 && penStyle_ == TPenStyle::Solid) {
            if (y > penY_)
                vLine(x, penY_, y);
            else if (y < penY_)
                vLine(x, y + 1, penY_ + 1);
        } else if (penWidth_ == 1 && penStyle_ == TPenStyle::Solid) {
            thinLine(penX_, penY_, x, y);
        } else {
            QPen pen(ToQColor(penColor_));
            pen.setWidth(penWidth_);
            pen.setCapStyle(Qt::FlatCap);
            if (penStyle_ == TPenStyle::Dot)
                pen.setStyle(Qt::DotLine);
            painter_.setPen(pen);
            textStateValid_ = false;
            painter_.drawLine(QPoint(penX_, penY_), QPoint(x, y));
        }
    }
    penX_ = x;
    penY_ = y;
}

TTextMetric TCanvas::textMetric() const
{
    return metric();
}


TCanvas::FontTexts &TCanvas::fontTexts() const
{
    TextCache &cache = textCache();
    if (fontTexts_ != nullptr && fontTextsGeneration_ == cache.generation)
        return *fontTexts_;
    auto found = cache.fonts.find(fontKey_);
    if (found == cache.fonts.end()) {
        if (cache.fonts.size() >= kMaxCachedFonts) {
            cache.fonts.clear();
            cache.selections.clear();
            cache.size = 0;
            ++cache.generation;
        }
        auto entry = std::make_unique<FontTexts>();
        entry->font = font_;
        entry->key = fontKey_;
        const QFontMetrics metrics(font_, painter_.device());
        TTextMetric &m = entry->metric;
        m.ascent = metrics.ascent();
        m.descent = metrics.descent();
        m.height = m.ascent + m.descent;
        m.internalLeading = std::max(0, m.height - font_.pixelSize());
        m.externalLeading = std::max(0, metrics.leading());
        found = cache.fonts.emplace(fontKey_, std::move(entry)).first;
    }
    fontTexts_ = found->second.get();
    fontTextsGeneration_ = cache.generation;
    return *fontTexts_;
}

void TCanvas::selectFontPixels(const std::string &name, int pixelSize, uint8_t style)
{
    TextCache &cache = textCache();
    std::string key = selectionKey(name, pixelSize, style, painter_.device()->logicalDpiY());
    if (const auto it = cache.selections.find(key); it != cache.selections.end()) {
        FontTexts *f = it->second;
        font_ = f->font;
        fontKey_ = f->key;
        fontTexts_ = f;
        fontTextsGeneration_ = cache.generation;
        metric_ = f->metric;
        metricPending_ = false;
        textStateValid_ = false;
        return;
    }
    font_ = makeFont(name, pixelSize, style);
    fontChanged();
    cache.selections.emplace(std::move(key), &fontTexts());
}

const TCanvas::ShapedText &TCanvas::staticText(const QString &text) const
{
    TextCache &cache = textCache();
    if (cache.size > kMaxCachedTexts) {
        // The fonts stay, with their metrics; only the shaped texts go.
        for (auto &font : cache.fonts)
            font.second->texts.clear();
        cache.size = 0;
    }
    FontTexts &font = fontTexts();
    auto it = font.texts.find(text);
    if (it == font.texts.end()) {
        ShapedText shaped;
        shaped.text.setText(text);
        shaped.text.setTextFormat(Qt::PlainText);
        shaped.text.setPerformanceHint(QStaticText::ModerateCaching);
        shaped.text.prepare(QTransform(), font_);
        it = font.texts.insert(text, shaped);
        ++cache.size;
    }
    return it.value();
}

const TTextMetric &TCanvas::metric() const
{
    if (metricPending_) {
        metric_ = fontTexts().metric;
        metricPending_ = false;
    }
    return metric_;
}

void TCanvas::fontChanged()
{
    // Glyph metrics depend on the surface's resolution as well as on the font.
    fontKey_ = font_.key() + QLatin1Char('/') + QString::number(painter_.device()->logicalDpiY());
    fontTexts_ = nullptr;
    metricPending_ = true;
    textStateValid_ = false;
}

int TCanvas::textHeight(const QString &) const
{
    return metric().height;
}

int TCanvas::textWidth(const QString &text) const
{
    return qRound(staticText(text).text.size().width());
}

// drawText shapes and measures through one lookup.

int TCanvas::drawText(const TRect &r, const QString &text, unsigned flags)
{
    const TTextMetric &m = metric();
    if (text.isEmpty())
        return m.height;
    const ShapedText &shaped = staticText(text);
    const int w = qRound(shaped.text.size().width());
    int x = r.left;
    if ((flags & DT_CENTER) != 0)
        x = r.left + (r.right - r.left - w) / 2;
    else if ((flags & DT_RIGHT) != 0)
        x = r.right - w;
    int y = r.top;
    if ((flags & DT_SINGLELINE) != 0) {
        if ((flags & DT_VCENTER) != 0)
            y = r.top + (r.bottom - r.top - m.height) / 2;
        else if ((flags & DT_BOTTOM) != 0)
            y = r.bottom - m.height;
    }
    // Clipping costs more than the text itself (in a PDF each clip starts the drawing
    // state anew), so it is set only when the text would reach outside its rectangle:
    // across, its advance; up and down, its line or at least the rows its glyphs really
    // cover, with a row to spare. A day number in a row a little lower than the font's
    // full height needs none.
    const bool fitsAcross = x >= r.left && x + w <= r.right;
    const bool lineFits = y >= r.top && y + m.height <= r.bottom;
    auto inkFits = [&] {
        if (!shaped.inkMeasured) {
            const QRect ink = QFontMetrics(font_, painter_.device()).tightBoundingRect(text);
            if (!ink.isEmpty()) {
                shaped.inkTop = m.ascent + ink.top();
                shaped.inkBottom = m.ascent + ink.bottom();
            }
            shaped.inkMeasured = true;
        }
        return shaped.inkTop > shaped.inkBottom ||
               (y + shaped.inkTop - 1 >= r.top && y + shaped.inkBottom + 1 < r.bottom);
    };
    const bool fits = fitsAcross && (lineFits || inkFits());
    const bool clip = (flags & DT_NOCLIP) == 0 && !fits;
    if (clip) {
        if (r.right <= r.left || r.bottom <= r.top)
            return m.height;
        painter_.save();
        painter_.setClipRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                             painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    preparePainterForText();
    painter_.drawStaticText(QPoint(x, y), shaped.text);
    if (clip) {
        painter_.restore();
        textStateValid_ = false;
    }
    return m.height;
}

void TCanvas::preparePainterForText()
{
    if (textStateValid_)
        return;
    painter_.setFont(font_);
    painter_.setPen(ToQColor(fontColor_));
    textStateValid_ = true;
}

void TCanvas::textOut(int x, int y, const QString &text)
{
    preparePainterForText();
    painter_.drawText(QPoint(x, y + metric().ascent), text);
}

void TCanvas::setClipRect(const TRect &r)
{
    painter_.setClipRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void TCanvas::clearClip()
{
    painter_.setClipping(false);
}

void TCanvas::drawImage(const TRect &r, const QImage &image)
{
    if (r.right <= r.left || r.bottom <= r.top || image.isNull())
        return;
    painter_.drawImage(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), image);
}

} // namespace velmora
