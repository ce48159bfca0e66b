#include "app/ColorDropButton.h"

#include "app/ChoiceDialogs.h"

#include <QMenu>
#include <QPixmap>

#include <utility>

namespace velmora {

namespace {
QIcon swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

const std::pair<TColor, const char *> kStandardColors[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"}, {clGreen, "Green"}, {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"}, {clTeal, "Teal"},   {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},       {clLime, "Lime"},   {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"}, {clWhite, "White"},
};
} // namespace

TColorDropButton::TColorDropButton(const QString &caption, QWidget *parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    buildMenu();
    setIcon(swatch(color_));
}

void TColorDropButton::buildMenu()
{
    auto *menu = new QMenu(this);
    for (const auto &[color, name] : kStandardColors) {
        const TColor c = color;
        menu->addAction(swatch(c), QLatin1String(name), this, [this, c] { PickColor(c); });
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
    setIcon(swatch(color));
}

void TColorDropButton::PickColor(TColor color)
{
    SetColor(color);
    emit colorPicked(color);
}

} // namespace velmora
