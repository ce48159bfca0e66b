// The text label on the screen and on paper.
#include "common/ReportCanvas.h"
#include "objects/Gpbasel.h"

#include <QPainter>

#include <algorithm>

namespace velmora {
namespace {

// The printed copies may start a little left of and above their rectangles: glyphs that
// overhang their cell on paper would otherwise lose their first column.
constexpr double kPrintClipExtension = 0.03;

struct TTextCopy
{
    TRect clip;
    TPixelPoint origin; // the top-left corner of the text cell before turning
    QColor color;
};

// Draws the text with its cell's corner at the origin, turned counter-clockwise about it.
// The painter's state is left as it was, so the canvas's cached text state stays valid.
void drawTextCopy(QPainter &p, const QFont &font, int ascent, int angle, const QString &text,
                  const TTextCopy &copy)
{
    const TRect &c = copy.clip;
    if (c.right <= c.left || c.bottom <= c.top) return;
    p.save();
    p.setClipRect(QRect(c.left, c.top, c.right - c.left, c.bottom - c.top),
                  p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    p.translate(copy.origin.x, copy.origin.y);
    if (angle != 0) p.rotate(-angle);
    p.setFont(font);
    p.setPen(copy.color);
    p.drawText(QPoint(0, ascent), text);
    p.restore();
}

} // namespace

void TGBaseLabel::Paint(TCanvas &canvas)
{
    const TRect before = ScreenRect();
    if (before.width() < 5 || before.height() < 5) layoutDirty_ = true;
    UpdateLayout();
    const TRect r = ScreenRect();
    const TRect client{0, 0, r.width(), r.height()};
    QPainter &p = canvas.painter();
    p.save();
    p.translate(r.left, r.top);
    if (!transparent_) {
        canvas.setBrushSolid(backColor_);
        canvas.fillRect(client);
    }
    SelectLabelFont(canvas, ZoomFactor());
    canvas.setBrushClear();
    paintCopies(p, layout_, canvas.font(), canvas.textMetric().ascent, true);
    if (borderStyle_ == bsSingle) {
        canvas.setPen(clBlack);
        canvas.rectangle(client);
    }
    p.restore();
    DrawHandles(canvas);
}

void TGBaseLabel::paintCopies(QPainter &p, const TLabelLayout &l, const QFont &font, int ascent,
                              bool screen) const
{
    // With both depths 0 the copies lie under the text: the screen paints them regardless,
    // paper leaves out what would only be printed over.
    const QString text = QString::fromStdString(Caption());
    if (screen || (depthShadow_ > 0 && directionShadow_ != sdNone))
        drawTextCopy(p, font, ascent, angle_, text,
                     {l.shadow, l.shadowOrigin, ToQColor(colorShadow_)});
    if (screen || (depthHighlight_ > 0 && directionHighlight_ != hdNone))
        drawTextCopy(p, font, ascent, angle_, text,
                     {l.highlight, l.highlightOrigin, ToQColor(colorHighlight_)});
    drawTextCopy(p, font, ascent, angle_, text, {l.main, l.mainOrigin, ToQColor(Font().color)});
}

void TGBaseLabel::PrintObject(TReportCanvas &report, double xOffset, double yOffset)
{
    // Paper shows the page at its own size whatever the screen's zoom, so the text is laid
    // out at factor 1, in the pixels that the label's position and size are stored in.
    const TLabelLayout l = measureLayout(1.0F, Width(), Height());
    const double x0 = PixelsToInches(Left()) + xOffset;
    const double y0 = PixelsToInches(Top()) + yOffset;
    const auto x = [&](int px, double extra = 0) {
        return report.inchToPixels(x0 + PixelsToInches(px) - extra);
    };
    const auto y = [&](int px, double extra = 0) {
        return report.inchToPixels(y0 + PixelsToInches(px) - extra);
    };
    const TRect bounds{x(0), y(0), x(l.width), y(l.height)};
    TCanvas &c = report.canvas();
    if (!transparent_) {
        c.setBrushSolid(backColor_);
        c.fillRect(bounds);
    }
    // The font's own pixel height scaled to the printer, not its size in whole points: the
    // text then fills on paper exactly the rectangles measured for it.
    const TFontDesc &f = Font();
    c.selectFontHeight(f.name, MulDiv(f.height, report.dpi(), TFontDesc::kFontPpi), f.style,
                       f.color);

    // The copies go onto paper in printer pixels, each at its place in the layout.
    TLabelLayout printed = l;
    const auto toPrinter = [&](TRect &r, TPixelPoint &o) {
        r = {x(r.left, kPrintClipExtension), y(r.top, kPrintClipExtension), x(r.right),
             y(r.bottom)};
        o = {x(o.x), y(o.y)};
    };
    toPrinter(printed.main, printed.mainOrigin);
    toPrinter(printed.shadow, printed.shadowOrigin);
    toPrinter(printed.highlight, printed.highlightOrigin);
    paintCopies(report.painter(), printed, c.font(), c.textMetric().ascent, false);

    if (borderStyle_ == bsSingle) {
        // As thick as one screen pixel, so the border looks on paper as it does on screen.
        c.setPen(clBlack, std::max(1, report.dpi() / TFontDesc::kFontPpi));
        c.setBrushClear();
        c.rectangle(bounds);
    }
}

} // namespace velmora
