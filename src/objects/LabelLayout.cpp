#include "objects/LabelLayout.h"

#include <algorithm>

namespace velmora {
namespace {

// trunc(v × 1.2) without a binary fraction that would put multiples of five one pixel short.
int timesOnePointTwo(int v)
{
    return v * 6 / 5;
}

void autoSize(const TLabelLayoutInput &in, TLabelLayout &out, int lines)
{
    const int tw = in.textWidth;
    if (in.angle == 0 || in.angle == 180) {
        if (in.angle == 180 && 2 * tw < out.width) out.width = 2 * tw;
        if (out.width <= 5) out.width = tw;
        if (5 * out.height < 6 * lines) out.height = timesOnePointTwo(lines);
        if (out.height < lines) out.height = lines;
    } else {
        if (5 * out.height < 6 * tw) out.height = timesOnePointTwo(tw);
        if (out.height < 5) out.height = tw;
        if (5 * out.width < 6 * lines) out.width = timesOnePointTwo(lines);
        if (out.width < lines) out.width = lines;
    }
}

TRect moved(const TRect &r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// A copy's rectangle: the text's, moved by the copy's offset as the turned text sees it.
TRect copyRect(const TRect &main, int angle, TPixelOffset o)
{
    switch (angle) {
    case 90: return moved(main, o.dy, -o.dx);
    case 180: return moved(main, -o.dx, -o.dy);
    case 270: return moved(main, -o.dy, o.dx);
    default: return moved(main, o.dx, o.dy);
    }
}

TPixelPoint originOf(const TRect &r, int angle)
{
    switch (angle) {
    case 90: return {r.left, r.bottom};
    case 180: return {r.right, r.bottom};
    case 270: return {r.right, r.top};
    default: return {r.left, r.top};
    }
}

} // namespace

TLabelLayout LayOutLabel(const TLabelLayoutInput &in)
{
    TLabelLayout out;
    out.width = in.width;
    out.height = in.height;
    const int th = in.textHeight;
    // Copies that reach left or up push the text right or down so they stay visible.
    out.marginX = std::max({0, -in.shadow.dx, -in.highlight.dx});
    out.marginY = std::max({0, -in.shadow.dy, -in.highlight.dy});
    const int mx = out.marginX;
    const int my = out.marginY;
    autoSize(in, out, th + in.shadow.dy - in.highlight.dy);

    if (in.angle == 90 || in.angle == 270)
        out.main = {my, mx, my + th, out.height - my};
    else
        out.main = {mx, my, out.width, th + my};
    const int h1 = out.main.bottom - out.main.top + 1;
    const int w1 = out.main.right - out.main.left + 1;
    if (in.angle == 90) out.main = moved(out.main, 0, out.height - h1 + in.highlight.dx);
    if (in.angle == 180) out.main = moved(out.main, out.width - w1 - in.shadow.dy, 0);

    out.shadow = copyRect(out.main, in.angle, in.shadow);
    out.highlight = copyRect(out.main, in.angle, in.highlight);
    out.mainOrigin = originOf(out.main, in.angle);
    out.shadowOrigin = originOf(out.shadow, in.angle);
    out.highlightOrigin = originOf(out.highlight, in.angle);

    if (in.angle == 0) {
        int x = out.main.left;
        if (in.alignment == taRightJustify) x = out.main.right - in.textWidth;
        if (in.alignment == taCenter)
            x = (out.main.right - out.main.left) / 2 - in.textWidth / 2;
        out.mainOrigin.x = x;
        out.highlightOrigin.x = x + in.highlight.dx;
        out.shadowOrigin.x = x + in.shadow.dx;
    }
    return out;
}

} // namespace velmora
