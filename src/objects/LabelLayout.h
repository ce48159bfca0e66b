#pragma once
// Where a text label puts its three copies of the text (shadow, highlight, the text itself)
// and how large it makes itself to hold them. Pure arithmetic on measured text, so the
// screen, the printer and the tests all get the same numbers.
#include "common/Rect.h"

#include <cstdint>

namespace velmora {

enum TAlignment : int32_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

struct TPixelOffset
{
    int dx = 0;
    int dy = 0;
    friend bool operator==(const TPixelOffset &, const TPixelOffset &) = default;
};

struct TPixelPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const TPixelPoint &, const TPixelPoint &) = default;
};

struct TLabelLayoutInput
{
    int angle = 0; // 0, 90, 180 or 270
    TAlignment alignment = taLeftJustify;
    int width = 0; // the label's size in the pixels being laid out
    int height = 0;
    int textHeight = 0; // cell height plus both leadings
    int textWidth = 0;  // the caption followed by one space
    TPixelOffset shadow;
    TPixelOffset highlight;
};

struct TLabelLayout
{
    // The size the label takes; it only grows, except that a label upside down is narrowed
    // to twice its text.
    int width = 0;
    int height = 0;
    int marginX = 0;
    int marginY = 0;
    TRect main;
    TRect shadow;
    TRect highlight;
    // Where each copy's text cell starts, the corner depending on the angle: the text is
    // turned about this point.
    TPixelPoint mainOrigin;
    TPixelPoint shadowOrigin;
    TPixelPoint highlightOrigin;
};

TLabelLayout LayOutLabel(const TLabelLayoutInput &in);

} // namespace velmora
