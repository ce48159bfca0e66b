#include "common/Font.h"

#include <cstdlib>

namespace velmora {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long num = static_cast<long long>(a) * b;
    long long q = std::llabs(num) * 2 + std::llabs(static_cast<long long>(c));
    q /= 2 * std::llabs(static_cast<long long>(c));
    const bool negative = (num < 0) != (c < 0);
    return static_cast<int>(negative ? -q : q);
}

int TFontDesc::size() const
{
    return -MulDiv(height, 72, kFontPpi);
}

void TFontDesc::setSize(int points)
{
    height = -MulDiv(points, kFontPpi, 72);
}

void TFontDesc::setStyle(TFontStyle s, bool on)
{
    if (on)
        style = static_cast<uint8_t>(style | uint8_t(s));
    else
        style = static_cast<uint8_t>(style & ~uint8_t(s));
}

TFontDesc TFontDesc::make(const std::string &name, int points, uint8_t style, TColor color)
{
    TFontDesc f;
    f.name = name;
    f.setSize(points);
    f.style = style;
    f.color = color;
    return f;
}

} // namespace velmora
