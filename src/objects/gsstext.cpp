#include "objects/gsstext.h"

#include "common/Canvas.h"
#include "objects/ObjectHost.h"
#include "objects/ObjectFiler.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

constexpr int kCreationWidth = 142;
constexpr int kCreationHeight = 33;

} // namespace

QColor GradientBandColor(QColor from, QColor to, int band)
{
    const auto channel = [band](int start, int end) {
        return (start + MulDiv(band, end - start, 255)) & 0xFF;
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

void PaintGradientBands(QPainter &painter, int width, int height, TFillDirection direction,
                        QColor from, QColor to)
{
    const bool forward = direction == gdDown || direction == gdRight;
    const QColor start = forward ? from : to;
    const QColor end = forward ? to : from;
    const bool across = direction == gdLeft || direction == gdRight;
    for (int i = 0; i < 256; ++i) {
        const QColor c = GradientBandColor(start, end, i);
        if (across) {
            const int x1 = MulDiv(i, width, 256);
            const int x2 = MulDiv(i + 1, width, 256);
            if (x2 > x1) painter.fillRect(QRect(x1, 0, x2 - x1, height), c);
        } else {
            const int y1 = MulDiv(i, height, 256);
            const int y2 = MulDiv(i + 1, height, 256);
            if (y2 > y1) painter.fillRect(QRect(0, y1, width, y2 - y1), c);
        }
    }
}

std::function<bool(TGSuperText &)> &SuperTextPropertiesRunner()
{
    static std::function<bool(TGSuperText &)> runner;
    return runner;
}

TGSuperText::TGSuperText()
{
    SetCaption("Text");
    SetFont(TFontDesc::make("Times New Roman", 48, 0, clBlack));
    SetBounds(0, 0, kCreationWidth, kCreationHeight);
    shadowOffset_ = ShadowOffsetOf(shadowOrientation_, shadowDepth_);
    layoutDirty_ = true;
}

void TGSuperText::setShadow(TShadowDirection direction, int depth)
{
    shadowOrientation_ = direction;
    shadowDepth_ = depth;
    shadowOffset_ = ShadowOffsetOf(direction, depth);
    layoutDirty_ = true;
    repaint();
}

void TGSuperText::SetShadowDepth(int value)
{
    if (value != shadowDepth_) setShadow(shadowOrientation_, value);
}

void TGSuperText::SetShadowOrientation(TShadowDirection value)
{
    if (value != shadowOrientation_ && value >= sdNone && value <= sdDown)
        setShadow(value, shadowDepth_);
}

void TGSuperText::SetShadowcolor(TColor value)
{
    if (value == shadowColor_) return;
    shadowColor_ = value;
    repaint();
}

void TGSuperText::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_ || value < bsNone || value > bsSingle) return;
    borderStyle_ = value;
    updateCheckMarks();
    repaint();
    if (!Reading()) NotifyChanged();
}

void TGSuperText::SetControlTransparent(bool value)
{
    if (value == controlTransparent_) return;
    controlTransparent_ = value;
    updateCheckMarks();
    repaint();
}

void TGSuperText::SetBGColor(TColor value)
{
    if (value == bgColor_) return;
    bgColor_ = value;
    repaint();
    if (!Reading()) NotifyChanged();
}

void TGSuperText::SetFillDirection(TFillDirection value)
{
    if (value == fillDirection_ || value < gdUp || value > gdRight) return;
    fillDirection_ = value;
    if (surfaceType_ == stGradientFill) RebuildGradient();
    repaint();
}

void TGSuperText::SetGradientToColor(TColor value)
{
    if (value == gradientTo_) return;
    gradientTo_ = value;
    if (surfaceType_ == stGradientFill) RebuildGradient();
    repaint();
}

void TGSuperText::SetGradientFromColor(TColor value)
{
    if (value == gradientFrom_) return;
    gradientFrom_ = value;
    if (!Reading()) NotifyChanged();
    if (surfaceType_ == stGradientFill) RebuildGradient();
    repaint();
}

void TGSuperText::SetImage(const QImage &image)
{
    SetTexture(image.isNull() ? TPicture() : TPicture::fromImage(image));
}

void TGSuperText::SetTexture(const TPicture &picture)
{
    if (picture.isEmpty()) {
        texture_ = TPicture();
    } else if (picture.kind() == TPicture::Bitmap) {
        texture_ = picture;
    } else {
        // A drawing used as a texture is tiled as the bitmap it draws at its own size.
        texture_ = TPicture::fromImage(picture.toImage());
    }
    repaint();
}

void TGSuperText::SetOutlineColor(TColor value)
{
    if (value == outlineColor_) return;
    outlineColor_ = value;
    repaint();
}

void TGSuperText::SetOutlineStyle(TOutlineStyle value)
{
    if (value == outlineStyle_ || value < psSolid || value > psInsideFrame) return;
    outlineStyle_ = value;
    repaint();
}

void TGSuperText::SetOutlineWidth(int value)
{
    if (value == outlineWidth_) return;
    outlineWidth_ = value;
    repaint();
}

void TGSuperText::SetSurfaceType(TSurfaceType value)
{
    if (value == surfaceType_ || value < stNormal || value > stGradientFill) return;
    surfaceType_ = value;
    if (value != stBrushImage) texture_ = TPicture();
    if (value == stGradientFill) RebuildGradient();
    // Letters without a face would vanish without an outline.
    if (value == stBrushTransparent && outlineStyle_ == psClear) outlineStyle_ = psSolid;
    repaint();
}

void TGSuperText::SetCaptionText(const std::string &text)
{
    if (text == Caption()) return;
    SetCaption(text);
    layoutDirty_ = true;
    repaint();
    if (!Reading()) NotifyChanged();
}

void TGSuperText::RebuildGradient()
{
    const TRect r = ScreenRect();
    const int w = std::max(1, r.width());
    const int h = std::max(1, r.height());
    gradient_ = QImage(w, h, QImage::Format_RGB32);
    QPainter p(&gradient_);
    PaintGradientBands(p, w, h, fillDirection_, ToQColor(gradientFrom_), ToQColor(gradientTo_));
    p.end();
    repaint();
}

void TGSuperText::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    layoutDirty_ = true;
    if (Width() <= 0 || Height() <= 0) {
        SetBounds(Left(), Top(), std::max(1, Width()), std::max(1, Height()));
        return;
    }
    if (surfaceType_ == stGradientFill && !Reading()) RebuildGradient();
}

void TGSuperText::ApplyFont(const TFontDesc &font)
{
    SetFont(font);
    layoutDirty_ = true;
}

QFont TGSuperText::zoomedFont(float zoom) const
{
    const TFontDesc &f = Font();
    if (zoom == 1.0F) {
        if (f.height < 0) return TCanvas::makeFont(f.name, -f.height, f.style);
        // A cell height: the em is what remains after the font's internal leading.
        QFont font = TCanvas::makeFont(f.name, std::max(1, f.height), f.style);
        const QFontMetrics m(font);
        if (m.height() > 0 && m.height() != f.height)
            font.setPixelSize(std::max(1, int(std::lround(double(f.height) * f.height / m.height()))));
        return font;
    }
    const int points = static_cast<int>(f.size() * static_cast<double>(zoom));
    return TCanvas::makeFont(f.name, MulDiv(points, TFontDesc::kFontPpi, 72), f.style);
}

QString TGSuperText::fittingText(const QFont &font, int room) const
{
    QString text = QString::fromStdString(Caption());
    const QFontMetrics m(font);
    while (!text.isEmpty() && m.horizontalAdvance(text) > room)
        text.chop(text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate() ? 2 : 1);
    return text;
}

TSuperTextLayout TGSuperText::measure(float zoom, int &width, int &height) const
{
    TSuperTextLayout l;
    if (zoom != 1.0F) {
        l.sdx = static_cast<int>(static_cast<double>(zoom) * shadowOffset_.dx);
        l.sdy = static_cast<int>(shadowOffset_.dy * static_cast<double>(zoom));
    } else {
        l.sdx = shadowOffset_.dx;
        l.sdy = shadowOffset_.dy;
    }
    const QFontMetrics m(zoomedFont(zoom));
    const QString caption = QString::fromStdString(Caption());
    const int th = m.height();
    const int tw = m.horizontalAdvance(caption + QLatin1Char(' '));
    l.mx = l.sdx < 0 ? -l.sdx : 0;
    l.my = l.sdy < 0 ? -l.sdy : 0;
    if (width <= 5) width = tw;
    const int f = th + std::abs(l.sdy);
    if (height < f * 1.2 && controlTransparent_ && borderStyle_ == bsNone)
        height = static_cast<int>(f * 1.2);
    if (height < f) height = f;
    l.main = {l.mx + 5, l.my, width, th + l.my};
    l.shadow = {l.main.left + l.sdx, l.main.top + l.sdy, l.main.right + l.sdx,
                l.main.bottom + l.sdy};
    l.mainOrigin = {l.main.left, l.main.top};
    l.shadowOrigin = {l.main.left + l.sdx, l.shadow.top};
    return l;
}

void TGSuperText::setScreenSize(int width, int height)
{
    const TRect r = ScreenRect();
    if (width == r.width() && height == r.height()) return;
    const double z = static_cast<double>(ZoomFactor());
    const auto unzoom = [z](int v) { return std::max(1, static_cast<int>(std::nearbyint(v / z))); };
    SetBounds(Left(), Top(), unzoom(width), unzoom(height));
}

void TGSuperText::UpdateLayout()
{
    if (layingOut_) return;
    if (!layoutDirty_ && laidOutCaption_ == Caption() && laidOutFont_ == Font()) return;
    layingOut_ = true;
    const TRect r = ScreenRect();
    int w = r.width();
    int h = r.height();
    layout_ = measure(ZoomFactor(), w, h);
    setScreenSize(w, h);
    laidOutCaption_ = Caption();
    laidOutFont_ = Font();
    layoutDirty_ = false;
    layingOut_ = false;
}

bool TGSuperText::FitToText()
{
    const QFontMetrics m(zoomedFont(ZoomFactor()));
    const QString caption = QString::fromStdString(Caption());
    const int cx = m.horizontalAdvance(caption);
    const int cy = m.height();
    layoutDirty_ = true;
    UpdateLayout();
    const int c = std::max(layout_.main.left, layout_.shadow.left);
    const int d = std::max(layout_.main.top, layout_.shadow.top);
    int w = static_cast<int>(c + cx * 1.2);
    int h = static_cast<int>((cy + d) * 1.2);
    if (h < cy) h = static_cast<int>(cy * 1.5);
    if (w < cx) w = static_cast<int>(cx * 1.5);
    setScreenSize(w, h);
    layoutDirty_ = true;
    repaint();
    const TRect r = ScreenRect();
    return r.height() >= cy && r.width() >= cx;
}

void TGSuperText::CopyFrom(const TGSuperText &other)
{
    SetCaptionText(other.Caption());
    ApplyFont(other.Font());
    SetControlTransparent(other.controlTransparent_);
    SetBGColor(other.bgColor_);
    SetBorderStyle(other.borderStyle_);
    SetGradientFromColor(other.gradientFrom_);
    SetGradientToColor(other.gradientTo_);
    SetFillDirection(other.fillDirection_);
    SetTexture(other.texture_);
    SetOutlineColor(other.outlineColor_);
    SetOutlineStyle(other.outlineStyle_);
    SetOutlineWidth(other.outlineWidth_);
    SetShadowcolor(other.shadowColor_);
    SetShadowDepth(other.shadowDepth_);
    SetShadowOrientation(other.shadowOrientation_);
    SetSurfaceType(other.surfaceType_);
    SetBounds(Left(), Top(), other.Width(), other.Height());
    // Only the texture survives a surface that is not a texture; a copied texture must not
    // be dropped by the surface change above.
    if (other.surfaceType_ == stBrushImage) SetTexture(other.texture_);
}

void TGSuperText::Loaded()
{
    TGGraphicControl::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("Font", QStringLiteral("Font"), [this] { EditFont(); });
    m.add("Transparent", QStringLiteral("Transparent"), [this] {
         SetControlTransparent(!controlTransparent_);
         NotifyChanged();
     }).checkable = true;
    m.add("BackgroundColor", QStringLiteral("Background Color"), [this] { ChooseBGColor(); });
    m.add("Border", QStringLiteral("Border"), [this] {
         SetBorderStyle(borderStyle_ == bsSingle ? bsNone : bsSingle);
     }).checkable = true;
    m.add("Properties", QStringLiteral("Properties"), [this] { EditProperties(); });
    updateCheckMarks();
}

void TGSuperText::updateCheckMarks()
{
    TObjectMenu &m = PopupMenu();
    if (TMenuEntry *e = m.find("Border")) e->checked = borderStyle_ == bsSingle;
    if (TMenuEntry *e = m.find("Transparent")) e->checked = controlTransparent_;
}

void TGSuperText::PopupShowing()
{
    updateCheckMarks();
}

bool TGSuperText::EditFont()
{
    const std::optional<TFontDesc> chosen = chooseFont(Font());
    if (!chosen) return false;
    ApplyFont(*chosen);
    NotifyChanged();
    repaint();
    return true;
}

void TGSuperText::ChooseBGColor()
{
    const std::optional<TColor> chosen = chooseColor(bgColor_);
    if (!chosen) return;
    SetBGColor(*chosen);
    NotifyChanged();
    SetControlTransparent(false);
    repaint();
}

bool TGSuperText::EditProperties()
{
    const auto &run = SuperTextPropertiesRunner();
    if (!run) return false;
    return run(*this);
}

void TGSuperText::PrepareForDrawing(const TObjectHost &)
{
    SetBorderStyle(bsSingle);
    SetControlTransparent(false);
    SetBGColor(clWhite);
}

std::optional<TFontDesc> TGSuperText::chooseFont(const TFontDesc &start) const
{
    if (Parent() == nullptr) return std::nullopt;
    return Parent()->ChooseObjectFont(start);
}

std::optional<TColor> TGSuperText::chooseColor(TColor start) const
{
    if (Parent() == nullptr) return std::nullopt;
    return Parent()->ChooseObjectColor(start);
}

void RegisterSuperText()
{
    RegisterDesignObject<TGSuperText>(TGSuperText::kClassName);
}

} // namespace velmora
