#include "common/ColorSwatch.h"

#include <QPixmap>

namespace velmora {

const std::array<TNamedColor, 16> &StandardColors()
{
    static const std::array<TNamedColor, 16> colors = {{
        {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
        {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
        {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
        {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
    }};
    return colors;
}

QIcon ColorSwatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

} // namespace velmora
