#include "objects/Gpbasel.h"

#include "common/Canvas.h"
#include "objects/ObjectHost.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace velmora {
namespace {

constexpr int kCreationWidth = 142;
constexpr int kCreationHeight = 33;

// Text is measured off screen at the page's 96 pixels per inch, so the layout is the same
// whether it runs for painting, for printing or after a dialog.
struct TMeasuringCanvas
{
    static QImage makeImage()
    {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = int(std::lround(TFontDesc::kFontPpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }
    QImage image = makeImage();
    QPainter painter{&image};
    TCanvas canvas{painter, TFontDesc::kFontPpi};
};

} // namespace

TPixelOffset ShadowOffsetOf(TShadowDirection direction, int depth)
{
    switch (direction) {
    case sdRight: return {depth, 0};
    case sdLeft: return {-depth, 0};
    case sdDownRight: return {depth, depth};
    case sdDownLeft: return {-depth, depth};
    case sdDown: return {0, depth};
    default: return {};
    }
}

TPixelOffset HighlightOffsetOf(THighlightDirection direction, int depth)
{
    switch (direction) {
    case hdright: return {depth, 0};
    case hdLeft: return {-depth, 0};
    case hdUpRight: return {depth, -depth};
    case hdUpLeft: return {-depth, -depth};
    case hdUp: return {0, -depth};
    default: return {};
    }
}

TGBaseLabel::TGBaseLabel()
{
    SetCaption("Text");
    SetFont(TFontDesc::make("Arial", 10, 0, clBlack));
    SetBounds(0, 0, kCreationWidth, kCreationHeight);
    layoutDirty_ = true;
}

void TGBaseLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_ || value < taLeftJustify || value > taCenter) return;
    alignment_ = value;
    layoutDirty_ = true;
    Invalidate();
    if (!Reading()) NotifyChanged();
}

void TGBaseLabel::setShadow(TShadowDirection direction, int depth)
{
    directionShadow_ = direction;
    depthShadow_ = depth;
    shadowOffset_ = ShadowOffsetOf(direction, depth);
    effectChanged();
}

void TGBaseLabel::setHighlight(THighlightDirection direction, int depth)
{
    directionHighlight_ = direction;
    depthHighlight_ = depth;
    highlightOffset_ = HighlightOffsetOf(direction, depth);
    effectChanged();
}

void TGBaseLabel::effectChanged()
{
    layoutDirty_ = true;
    Invalidate();
}

void TGBaseLabel::SetDepthShadow(int value)
{
    if (value != depthShadow_) setShadow(directionShadow_, value);
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection value)
{
    if (value != directionShadow_ && value >= sdNone && value <= sdDown)
        setShadow(value, depthShadow_);
}

void TGBaseLabel::SetDepthHighlight(int value)
{
    if (value != depthHighlight_) setHighlight(directionHighlight_, value);
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection value)
{
    if (value != directionHighlight_ && value >= hdNone && value <= hdUp)
        setHighlight(value, depthHighlight_);
}

void TGBaseLabel::SetColorHighlight(TColor value)
{
    if (value == colorHighlight_) return;
    colorHighlight_ = value;
    Invalidate();
}

void TGBaseLabel::SetColorShadow(TColor value)
{
    if (value == colorShadow_) return;
    colorShadow_ = value;
    Invalidate();
}

void TGBaseLabel::SetAngle(int value)
{
    if (value != 0 && value != 90 && value != 180 && value != 270) return;
    if (value == angle_) return;
    angle_ = value;
    layoutDirty_ = true;
    // A document holds the size and alignment the label had when it was saved, which the
    // user may have changed after turning it.
    if (Reading()) return;
    if (value != 0) SetAlignment(taLeftJustify);
    const bool flat = value == 0 || value == 180;
    if ((flat && Width() < Height()) || (!flat && Height() < Width()))
        SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
    // Half a turn may change neither size nor alignment; the document must still know.
    NotifyChanged();
}

void TGBaseLabel::SetTransparent(bool value)
{
    if (value == transparent_) return;
    transparent_ = value;
    updateCheckMarks();
    if (!Reading()) NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBackColor(TColor value)
{
    if (value == backColor_) return;
    backColor_ = value;
    if (!Reading()) NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_ || value < bsNone || value > bsSizeToolWin) return;
    borderStyle_ = value;
    Invalidate();
    if (!Reading()) NotifyChanged();
}

void TGBaseLabel::ApplyFont(const TFontDesc &font)
{
    SetFont(font);
    layoutDirty_ = true;
}

void TGBaseLabel::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    layoutDirty_ = true;
    if (Width() <= 0 || Height() <= 0)
        SetBounds(Left(), Top(), std::max(1, Width()), std::max(1, Height()));
}

void TGBaseLabel::SetScreenSize(int width, int height)
{
    // Rounding the unzoomed size back to the nearest pixel gives exactly the on-screen size
    // again for every zoom up to 1.
    const double z = static_cast<double>(ZoomFactor());
    const auto unzoom = [z](int v) { return static_cast<int>(std::nearbyint(v / z)); };
    const TRect r = ScreenRect();
    if (width == r.width() && height == r.height()) return;
    SetBounds(Left(), Top(), unzoom(width), unzoom(height));
}

void TGBaseLabel::SelectLabelFont(TCanvas &canvas, float zoom) const
{
    const TFontDesc &f = Font();
    if (zoom == 1.0F) {
        canvas.selectFontHeight(f.name, f.height, f.style, f.color);
        return;
    }
    const int points = static_cast<int>(f.size() * static_cast<double>(zoom));
    canvas.selectFont(f.name, points, f.style, f.color);
}

TTextExtent TGBaseLabel::MeasureText(const QString &text, float zoom) const
{
    TMeasuringCanvas m;
    SelectLabelFont(m.canvas, zoom);
    return {m.canvas.textWidth(text), m.canvas.textMetric()};
}

TLabelLayout TGBaseLabel::measureLayout(float zoom, int width, int height) const
{
    // The caption is measured with one space after it, so even an empty one has a width.
    const TTextExtent e = MeasureText(QString::fromStdString(Caption()) + QLatin1Char(' '), zoom);
    TLabelLayoutInput in;
    in.angle = angle_;
    in.alignment = alignment_;
    in.width = width;
    in.height = height;
    in.textHeight = e.metric.height + e.metric.internalLeading + e.metric.externalLeading;
    in.textWidth = e.width;
    in.shadow = shadowOffset_;
    in.highlight = highlightOffset_;
    return LayOutLabel(in);
}

void TGBaseLabel::UpdateLayout()
{
    if (!layoutDirty_ && laidOutCaption_ == Caption() && laidOutFont_ == Font()) return;
    const TRect r = ScreenRect();
    layout_ = measureLayout(ZoomFactor(), r.width(), r.height());
    laidOutCaption_ = Caption();
    laidOutFont_ = Font();
    SetScreenSize(layout_.width, layout_.height);
    layoutDirty_ = false;
}

void TGBaseLabel::Loaded()
{
    TGGraphicControl::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("Font", QStringLiteral("Font"), [this] { EditFont(); });
    m.add("Effects3D", QStringLiteral("3D Effects"), [this] { Edit3DEffects(); });
    TMenuEntry &align = m.add("Alignment", QStringLiteral("Alignment"), {});
    const auto alignTo = [this](TAlignment a) {
        return [this, a] {
            SetAlignment(a);
            NotifyChanged();
        };
    };
    align.add("AlignLeft", QStringLiteral("Left"), alignTo(taLeftJustify)).checkable = true;
    align.add("AlignCenter", QStringLiteral("Center"), alignTo(taCenter)).checkable = true;
    align.add("AlignRight", QStringLiteral("Right"), alignTo(taRightJustify)).checkable = true;
    m.add("Transparent", QStringLiteral("Transparent"), [this] {
         SetTransparent(!transparent_);
     }).checkable = true;
    m.add("BackgroundColor", QStringLiteral("Background Color"), [this] { ChooseBackColor(); });
    m.add("Border", QStringLiteral("Border"), [this] {
         SetBorderStyle(borderStyle_ == bsSingle ? bsNone : bsSingle);
     }).checkable = true;
    updateCheckMarks();
}

void TGBaseLabel::updateCheckMarks()
{
    TObjectMenu &m = PopupMenu();
    const auto mark = [&m](std::string_view name, bool on) {
        if (TMenuEntry *e = m.find(name)) e->checked = on;
    };
    mark("Transparent", transparent_);
    mark("Border", borderStyle_ == bsSingle);
    mark("AlignLeft", alignment_ == taLeftJustify);
    mark("AlignCenter", alignment_ == taCenter);
    mark("AlignRight", alignment_ == taRightJustify);
    // Labels with a Rotation submenu show the current angle there.
    mark("NoRotation", angle_ == 0);
    mark("Rotate90", angle_ == 90);
    mark("Rotate180", angle_ == 180);
    mark("Rotate270", angle_ == 270);
}

void TGBaseLabel::PopupShowing()
{
    updateCheckMarks();
}

bool TGBaseLabel::EditFont()
{
    if (Parent() == nullptr) return false;
    const std::optional<TFontDesc> chosen = Parent()->ChooseObjectFont(Font());
    if (!chosen) return false;
    SetFont(*chosen);
    layoutDirty_ = true;
    Invalidate();
    return true;
}

bool TGBaseLabel::Edit3DEffects()
{
    if (Parent() == nullptr || !Parent()->EditLabelEffects(*this)) return false;
    NotifyChanged();
    return true;
}

void TGBaseLabel::ChooseBackColor()
{
    if (Parent() == nullptr) return;
    const std::optional<TColor> chosen = Parent()->ChooseObjectColor(backColor_);
    if (!chosen) return;
    SetBackColor(*chosen);
    SetTransparent(false);
    updateCheckMarks();
    Invalidate();
}

} // namespace velmora
