// SuperText on the screen and on paper. The letters are text paths: a clip for the shadow
// and the face, a stroke for the outline.
#include "common/ReportCanvas.h"
#include "objects/gsstext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// The printed shadow may start a little left of and above its rectangle, so glyphs that
// overhang their cell on paper keep their first column.
constexpr double kPrintClipExtension = 0.03;
// The printed gradient runs past the object, so no rounding leaves an unpainted sliver.
constexpr double kPrintGradientExtension = 0.25;
// Where the report engine puts a text's baseline below its origin, in font heights.
constexpr double kPrintBaseline = 0.88;

QPainterPath textPath(const QFont &font, QPointF baseline, const QString &text)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

Qt::PenStyle penStyleOf(TOutlineStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

// A texture brush whose tiles are `scale` times the texture's size, starting at the origin.
// Tiles too small to see become one pixel: the brush repeats by itself, so no size of tile
// costs more than another.
QBrush textureBrush(const QImage &texture, double scale)
{
    QBrush brush(texture);
    const double sx = std::max(1.0, std::trunc(texture.width() * scale)) / texture.width();
    const double sy = std::max(1.0, std::trunc(texture.height() * scale)) / texture.height();
    if (sx != 1.0 || sy != 1.0) brush.setTransform(QTransform::fromScale(sx, sy));
    return brush;
}

} // namespace

void TGSuperText::Paint(TCanvas &canvas)
{
    if (painting_) return;
    painting_ = true;
    QPainter &p = canvas.painter();
    const TRect r = ScreenRect();
    p.save();
    p.translate(r.left, r.top);
    PaintContent(p);
    p.restore();
    DrawHandles(canvas);
    painting_ = false;
}

void TGSuperText::PaintContent(QPainter &p)
{
    const TRect before = ScreenRect();
    if (before.width() < 5 || before.height() < 5) layoutDirty_ = true;
    UpdateLayout();
    const float zoom = ZoomFactor();
    const TRect r = ScreenRect();
    const int w = r.width();
    const int h = r.height();
    const TSuperTextLayout &l = layout_;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!controlTransparent_ || borderStyle_ == bsSingle) {
        if (!controlTransparent_) p.fillRect(QRect(0, 0, w, h), ToQColor(bgColor_));
        if (borderStyle_ == bsSingle) {
            p.setPen(QPen(Qt::black, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(0, 0, w - 1, h - 1));
        }
    }
    const QFont font = zoomedFont(zoom);
    const int e = std::max(l.main.left, l.shadow.left);
    const QString text = fittingText(font, w - e);
    if (text.isEmpty()) {
        // Not even one letter shows: a crossed box says where the text is.
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(0, 0, w - 1, h - 1));
        p.drawLine(0, 0, w, h);
        p.drawLine(w, 0, 0, h);
        p.restore();
        return;
    }
    const int ascent = QFontMetrics(font).ascent();
    if (shadowDepth_ >= 1 && shadowOrientation_ != sdNone) {
        p.setClipPath(textPath(font, QPointF(l.shadowOrigin.x, l.shadowOrigin.y + ascent), text));
        p.fillRect(QRect(0, 0, w, h), ToQColor(shadowColor_));
        p.setClipping(false);
    }
    const QPainterPath face = textPath(font, QPointF(l.mainOrigin.x, l.mainOrigin.y + ascent), text);
    if (surfaceType_ != stBrushTransparent) {
        p.setClipPath(face);
        paintFace(p, face, w, h, zoom);
        p.setClipping(false);
    }
    if (outlineStyle_ != psClear && outlineWidth_ >= 1) {
        p.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(ToQColor(outlineColor_), outlineWidth_, penStyleOf(outlineStyle_));
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(face, pen);
    }
    p.restore();
}

void TGSuperText::paintFace(QPainter &p, const QPainterPath &, int w, int h, float zoom)
{
    switch (surfaceType_) {
    case stNormal: p.fillRect(QRect(0, 0, w, h), ToQColor(Font().color)); break;
    case stBrushImage:
        if (!texture_.isEmpty())
            p.fillRect(QRect(0, 0, w, h), textureBrush(texture_.image(), double(zoom)));
        break;
    case stGradientFill:
        if (gradient_.width() != w || gradient_.height() != h) RebuildGradient();
        p.drawImage(0, 0, gradient_);
        break;
    default: break;
    }
}

void TGSuperText::PrintObject(TReportCanvas &report, double xOffset, double yOffset)
{
    // Paper shows the object at its stored size, whatever the screen's zoom.
    int w = Width();
    int h = Height();
    const TSuperTextLayout l = measure(1.0F, w, h);
    const double x0 = PixelsToInches(Left()) + xOffset;
    const double y0 = PixelsToInches(Top()) + yOffset;
    const auto x = [&](double px, double extra = 0) {
        return report.inchToPixels(x0 + px / 96.0 - extra);
    };
    const auto y = [&](double px, double extra = 0) {
        return report.inchToPixels(y0 + px / 96.0 - extra);
    };
    const int dpi = report.dpi();
    const QRect bounds(QPoint(x(0), y(0)), QPoint(x(w) - 1, y(h) - 1));
    QPainter &p = report.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!controlTransparent_ || borderStyle_ == bsSingle) {
        p.setPen(borderStyle_ == bsSingle
                     ? QPen(Qt::black, std::max(1, dpi / TFontDesc::kFontPpi))
                     : QPen(Qt::NoPen));
        p.setBrush(controlTransparent_ ? QBrush(Qt::NoBrush) : QBrush(ToQColor(bgColor_)));
        p.drawRect(bounds);
    }
    const QFont screenFont = zoomedFont(1.0F);
    const QString text = fittingText(screenFont, w - std::max(l.main.left, l.shadow.left));
    if (text.isEmpty()) {
        p.restore();
        return;
    }
    QFont font = screenFont;
    font.setPixelSize(std::max(1, MulDiv(screenFont.pixelSize(), dpi, TFontDesc::kFontPpi)));
    const double baseline = kPrintBaseline * QFontMetricsF(font).height();
    const auto pathAt = [&](TPixelPoint o) {
        return textPath(font, QPointF(x(o.x), y(o.y) + baseline), text);
    };
    if (shadowDepth_ >= 1 && shadowOrientation_ != sdNone) {
        QPainterPath clip;
        clip.addRect(QRect(QPoint(x(l.shadow.left, kPrintClipExtension),
                                  y(l.shadow.top, kPrintClipExtension)),
                           QPoint(x(l.shadow.right) - 1, y(l.shadow.bottom) - 1)));
        p.fillPath(pathAt(l.shadowOrigin).intersected(clip), ToQColor(shadowColor_));
    }
    const QPainterPath face = pathAt(l.mainOrigin);
    if (surfaceType_ != stBrushTransparent) {
        p.save();
        p.setClipPath(face);
        switch (surfaceType_) {
        case stNormal: p.fillRect(bounds, ToQColor(Font().color)); break;
        case stBrushImage:
            if (!texture_.isEmpty()) {
                p.setBrushOrigin(bounds.topLeft());
                p.fillRect(bounds, textureBrush(texture_.image(), double(dpi) / TFontDesc::kFontPpi));
            }
            break;
        case stGradientFill: {
            const int extra = report.inchToPixels(kPrintGradientExtension);
            p.translate(bounds.topLeft());
            PaintGradientBands(p, bounds.width() + extra, bounds.height() + extra, fillDirection_,
                               ToQColor(gradientFrom_), ToQColor(gradientTo_));
            break;
        }
        default: break;
        }
        p.restore();
    }
    if (outlineStyle_ != psClear && outlineWidth_ >= 1) {
        // As thick on paper as on the screen.
        QPen pen(ToQColor(outlineColor_), double(outlineWidth_) * dpi / TFontDesc::kFontPpi,
                 penStyleOf(outlineStyle_));
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(face, pen);
    }
    p.restore();
}

} // namespace velmora
