#include "objects/Gplabel.h"

#include "objects/ObjectHost.h"
#include "objects/ObjectFiler.h"

#include <algorithm>

namespace velmora {

void RegisterTextLabel()
{
    RegisterDesignObject<TGPLabel>(TGPLabel::kClassName);
}

void TGPLabel::Loaded()
{
    TGBaseLabel::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("Text", QStringLiteral("Text"), [this] { EditText(); });
    m.addSeparator();
    TMenuEntry &rotation = m.add("Rotation", QStringLiteral("Rotation"), {});
    rotation.add("NoRotation", QStringLiteral("No Rotation"), [this] { SetAngle(0); }).checkable = true;
    rotation.add("Rotate90", QStringLiteral("90 Degrees"), [this] { SetAngle(90); }).checkable = true;
    rotation.add("Rotate180", QStringLiteral("180 Degrees"), [this] { SetAngle(180); }).checkable = true;
    rotation.add("Rotate270", QStringLiteral("270 Degrees"), [this] { SetAngle(270); }).checkable = true;
    PopupShowing();
}

bool TGPLabel::EditFont()
{
    if (!TGBaseLabel::EditFont()) return false;
    GrowToFit();
    return true;
}

void TGPLabel::EditText()
{
    if (Parent() == nullptr) return;
    const std::optional<std::string> text = Parent()->EditLabelText(Caption());
    if (!text) return;
    SetCaption(*text);
    GrowToFit();
    Invalidate();
}

void TGPLabel::GrowToFit()
{
    if (Angle() != 0) return;
    UpdateLayout();
    const TLabelLayout &l = Layout();
    const QString caption = QString::fromStdString(Caption());
    const float zoom = ZoomFactor();
    const TTextExtent wide = MeasureText(caption + QStringLiteral("     "), zoom);
    const int needWidth = std::max({l.main.left, l.shadow.left, l.highlight.left}) + wide.width;
    const int needHeight = std::max({l.main.top, l.shadow.top, l.highlight.top}) + wide.metric.height;
    const TRect r = ScreenRect();
    SetScreenSize(std::max(r.width(), needWidth), std::max(r.height(), needHeight));
    MarkLayoutDirty();
    Invalidate();
}

void TGPLabel::PrepareForDrawing(const TObjectHost &panel)
{
    SetCaption("Enter text...");
    TFontDesc font = panel.PanelFont();
    font.setSize(20);
    SetFont(font);
    SetTransparent(false);
    SetBorderStyle(bsSingle);
}

} // namespace velmora
