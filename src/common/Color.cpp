#include "common/Color.h"

#include <QGuiApplication>
#include <QColor>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace velmora {

namespace {
struct NamedColor
{
    TColor value;
    const char *name;
};

constexpr std::array<NamedColor, 42> kNamed = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
}};

bool sameIdent(const std::string &a, const char *b)
{
    const std::string bs(b);
    return a.size() == bs.size() &&
           std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

QPalette::ColorRole roleOf(int index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 7: case 8: return QPalette::WindowText; // menu text, window text
    case 9: return QPalette::HighlightedText;  // caption text
    case 12: return QPalette::Dark;            // application workspace
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Mid;             // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}
} // namespace

std::optional<std::string> ColorToIdent(TColor color)
{
    for (const auto &n : kNamed)
        if (n.value == color)
            return std::string(n.name);
    if (color == clDefault)
        return std::string("clDefault");
    return std::nullopt;
}

std::optional<TColor> IdentToColor(const std::string &ident)
{
    for (const auto &n : kNamed)
        if (sameIdent(ident, n.name))
            return n.value;
    if (sameIdent(ident, "clDefault"))
        return clDefault;
    return std::nullopt;
}

QColor ToQColor(TColor color, const QPalette &palette)
{
    if ((color & kSystemColorFlag) != 0) {
        const int index = color & 0xFF;
        if (index == 17)
            return palette.color(QPalette::Disabled, QPalette::WindowText); // grey text
        return palette.color(QPalette::Active, roleOf(index));
    }
    return {colorRed(color), colorGreen(color), colorBlue(color)};
}

QColor ToQColor(TColor color)
{
    if ((color & kSystemColorFlag) != 0) {
        // Without a running application the window text is black, as on a fresh desktop.
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
            return ToQColor(color, QGuiApplication::palette());
        return (color & 0xFF) == 8 ? QColor(Qt::black) : QColor(Qt::white);
    }
    return {colorRed(color), colorGreen(color), colorBlue(color)};
}

TColor FromQColor(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

} // namespace velmora
