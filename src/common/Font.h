#pragma once
// A font description as the page and its files know it: face, height, style, colour.
#include "common/Color.h"

#include <cstdint>
#include <string>

namespace velmora {

enum class TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Font heights are kept as the font's pixel height at 96 pixels per inch, as the page's
// fonts are designed: a negative height is the em size (character height without internal
// leading), a positive one the whole cell height. The point size is derived from it.
struct TFontDesc
{
    static constexpr int kFontPpi = 96;

    std::string name = "Times New Roman"; // UTF-8; at most 255 bytes in files
    int height = -13;
    uint8_t style = 0; // TFontStyle bits
    TColor color = clWindowText;

    int size() const;       // points, rounded as the classic MulDiv does
    void setSize(int points);
    bool bold() const { return (style & uint8_t(TFontStyle::fsBold)) != 0; }
    bool italic() const { return (style & uint8_t(TFontStyle::fsItalic)) != 0; }
    bool underline() const { return (style & uint8_t(TFontStyle::fsUnderline)) != 0; }
    bool strikeOut() const { return (style & uint8_t(TFontStyle::fsStrikeOut)) != 0; }
    void setStyle(TFontStyle s, bool on);

    // Name, style and colour equal; the size is not compared.
    bool sameLook(const TFontDesc &other) const
    {
        return name == other.name && style == other.style && color == other.color;
    }
    friend bool operator==(const TFontDesc &, const TFontDesc &) = default;

    static TFontDesc make(const std::string &name, int points, uint8_t style,
                          TColor color = clWindowText);
};

// a × b / c rounded half away from zero, as the classic MulDiv; 0 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace velmora
