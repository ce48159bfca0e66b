#include "objects/HandleGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

TRect FrameAround(std::span<const TRect> objects, int extent)
{
    if (objects.empty()) return {0, 0, kHiddenFrameSize, kHiddenFrameSize};
    int left = objects.front().left;
    int top = objects.front().top;
    int right = objects.front().right;
    int bottom = objects.front().bottom;
    for (const TRect &r : objects) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    return {left - 2, top - 2, left - 2 + (right - left + extent),
            top - 2 + (bottom - top + extent)};
}

THandleZone HitZone(int x, int y, int w, int h)
{
    const auto near = [](int a, int b) { return std::abs(a - b) < 8; };
    const auto nearMiddle = [](int a, int size) { return std::abs(a - size * 0.5) < 6; };
    THandleZone zone = hzBody;
    if (near(x, 0) && near(y, 0)) zone = hzTopLeft;
    if (near(x, w) && near(y, h)) zone = hzBottomRight;
    if (near(x, w) && near(y, 0)) zone = hzTopRight;
    if (near(x, 0) && near(y, h)) zone = hzBottomLeft;
    if (nearMiddle(x, w) && near(y, 0)) zone = hzTop;
    if (nearMiddle(x, w) && near(y, h)) zone = hzBottom;
    if (nearMiddle(y, h) && near(x, 0)) zone = hzLeft;
    if (nearMiddle(y, h) && near(x, w)) zone = hzRight;
    return zone;
}

TScreenCursor ZoneCursor(THandleZone zone)
{
    switch (zone) {
    case hzTopLeft:
    case hzBottomRight:
        return TScreenCursor::SizeNWSE;
    case hzTopRight:
    case hzBottomLeft:
        return TScreenCursor::SizeNESW;
    case hzTop:
    case hzBottom:
        return TScreenCursor::SizeNS;
    case hzLeft:
    case hzRight:
        return TScreenCursor::SizeWE;
    case hzBody:
        break;
    }
    return TScreenCursor::HandGrab;
}

TRect DragFrame(const TRect &frame, int zone, int dx, int dy, int gridX, int gridY)
{
    const int L = frame.left;
    const int T = frame.top;
    const int W = frame.width();
    const int H = frame.height();
    int left = L;
    int top = T;
    int width = W;
    int height = H;
    const bool movesLeft =
        zone == hzBody || zone == hzTopLeft || zone == hzBottomLeft || zone == hzLeft;
    const bool movesTop =
        zone == hzBody || zone == hzTopLeft || zone == hzTopRight || zone == hzTop;
    const bool dragsRight = zone == hzTopRight || zone == hzBottomRight || zone == hzRight;
    const bool dragsBottom = zone == hzBottomLeft || zone == hzBottomRight || zone == hzBottom;
    if (movesLeft) left = Snap(L + dx, gridX);
    if (movesTop) top = Snap(T + dy, gridY);
    if (movesLeft && zone != hzBody) width = W + L - left;
    if (movesTop && zone != hzBody) height = H + T - top;
    if (dragsRight) width = Snap(W + dx, gridX) - 1;
    if (dragsBottom) height = Snap(H + dy, gridY) - 1;
    width = std::max(width, kMinFrameSize);
    height = std::max(height, kMinFrameSize);
    return {left, top, left + width, top + height};
}

TRect FeedbackOutline(const TRect &frame)
{
    return {frame.left + 2, frame.top + 2, frame.left + frame.width() - 3,
            frame.top + frame.height() - 3};
}

std::vector<TRect> HandleSquares(const TRect &o, bool single)
{
    const TRect r{o.left - 2, o.top - 2, o.right + 2, o.bottom + 2};
    std::vector<TRect> squares{
        {r.left, r.top, r.left + 5, r.top + 5},
        {r.right - 5, r.top, r.right, r.top + 5},
        {r.left, r.bottom - 5, r.left + 5, r.bottom},
        {r.right - 5, r.bottom - 5, r.right, r.bottom},
    };
    if (single) {
        const int half = (r.right - r.left) / 2;
        const int vhalf = (r.bottom - r.top) / 2;
        squares.push_back({r.left + half - 2, r.top, r.left + half + 3, r.top + 5});
        squares.push_back({r.left + half - 2, r.bottom - 5, r.left + half + 3, r.bottom});
        squares.push_back({r.left, r.top + vhalf - 2, r.left + 5, r.top + vhalf + 3});
        squares.push_back({r.right - 5, r.top + vhalf - 2, r.right, r.top + vhalf + 3});
    }
    return squares;
}

} // namespace velmora
