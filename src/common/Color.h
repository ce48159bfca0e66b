#pragma once
// Colours are 0x00BBGGRR; a value with the top bit set names a system colour whose
// low byte is the system colour index (window text, button face, ...).
#include <cstdint>
#include <optional>
#include <string>

class QColor;
class QPalette;

namespace velmora {

using TColor = int32_t;

constexpr TColor kSystemColorFlag = static_cast<TColor>(0x80000000u);
constexpr TColor sysColor(int index) { return static_cast<TColor>(0x80000000u | unsigned(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = sysColor(0);
constexpr TColor clBackground = sysColor(1);
constexpr TColor clActiveCaption = sysColor(2);
constexpr TColor clInactiveCaption = sysColor(3);
constexpr TColor clMenu = sysColor(4);
constexpr TColor clWindow = sysColor(5);
constexpr TColor clWindowFrame = sysColor(6);
constexpr TColor clMenuText = sysColor(7);
constexpr TColor clWindowText = sysColor(8);
constexpr TColor clCaptionText = sysColor(9);
constexpr TColor clActiveBorder = sysColor(10);
constexpr TColor clInactiveBorder = sysColor(11);
constexpr TColor clAppWorkSpace = sysColor(12);
constexpr TColor clHighlight = sysColor(13);
constexpr TColor clHighlightText = sysColor(14);
constexpr TColor clBtnFace = sysColor(15);
constexpr TColor clBtnShadow = sysColor(16);
constexpr TColor clGrayText = sysColor(17);
constexpr TColor clBtnText = sysColor(18);
constexpr TColor clInactiveCaptionText = sysColor(19);
constexpr TColor clBtnHighlight = sysColor(20);
constexpr TColor cl3DDkShadow = sysColor(21);
constexpr TColor cl3DLight = sysColor(22);
constexpr TColor clInfoText = sysColor(23);
constexpr TColor clInfoBk = sysColor(24);

constexpr int colorRed(TColor c) { return c & 0xFF; }
constexpr int colorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int colorBlue(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor rgbColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// Identifier of a named colour constant ("clWhite", "clWindowText"), if the value has one.
std::optional<std::string> ColorToIdent(TColor color);
// Value of a named colour constant, case-insensitive.
std::optional<TColor> IdentToColor(const std::string &ident);

// Plain RGB for a colour; system colours are resolved through the given palette.
QColor ToQColor(TColor color, const QPalette &palette);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);

} // namespace velmora
