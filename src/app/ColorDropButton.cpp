#include "app/ColorDropButton.h"
#include "common/ColorSwatch.h"

#include "app/ChoiceDialogs.h"

#include <QMenu>
#include <QPixmap>

#include <utility>

namespace velmora {

namespace {
} // namespace

TColorDropButton::TColorDropButton(const QString &caption, QWidget *parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    buildMenu();
    setIcon(ColorSwatch(color_));
}

void TColorDropButton::buildMenu()
{
    auto *menu = new QMenu(this);
    for (const auto &[color, name] : StandardColors()) {
        const TColor c = color;
        menu->addAction(ColorSwatch(c), QLatin1String(name), this, [this, c] { PickColor(c); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("More Colors..."), this, [this] {
        if (const auto chosen = Choices().chooseColor(window(), color_))
            PickColor(*chosen);
    });
    setMenu(menu);
}

void TColorDropButton::SetColor(TColor color)
{
    color_ = color;
    setIcon(ColorSwatch(color));
}

void TColorDropButton::PickColor(TColor color)
{
    SetColor(color);
    emit colorPicked(color);
}

} // namespace velmora
