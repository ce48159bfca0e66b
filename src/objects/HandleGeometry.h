#pragma once
// The arithmetic of the selection frame, kept apart from any widget so that every formula
// can be checked on its own. All rectangles are page pixels at the current zoom; a frame's
// width is right - left.
#include "common/Rect.h"
#include "objects/DesignTypes.h"

#include <span>
#include <vector>

namespace velmora {

// Parts of the frame a press can grab.
enum THandleZone : int {
    hzBody = 0,
    hzTopLeft = 1,
    hzTopRight = 2,
    hzBottomLeft = 3,
    hzBottomRight = 4,
    hzTop = 5,
    hzLeft = 6,
    hzBottom = 7,
    hzRight = 8,
};

// How far the frame reaches beyond the objects on the right and below: 5 when it is
// placed around a selection, 6 when it follows a change of an object's bounds.
constexpr int kFrameExtent = 5;
constexpr int kRealignedFrameExtent = 6;
// Frames never get narrower or lower than this while dragged.
constexpr int kMinFrameSize = 5;
// The size of the hidden frame.
constexpr int kHiddenFrameSize = 24;

// Frame around the union of object bounds; empty input gives the hidden frame's size.
TRect FrameAround(std::span<const TRect> objects, int extent = kFrameExtent);

// The zone under (x, y) in frame coordinates for a frame of w x h; hzBody when no handle
// is near. Later tests win over earlier ones where the zones overlap.
THandleZone HitZone(int x, int y, int w, int h);
TScreenCursor ZoneCursor(THandleZone zone);

// Truncates toward zero to a multiple of step (step 1 leaves v alone).
constexpr int Snap(int v, int step)
{
    return step > 1 ? (v / step) * step : v;
}

// The frame a drag of (dx, dy) on `zone` leads to. Dragging a right or bottom edge yields
// one pixel less than the pointer travel, as the frame always has.
TRect DragFrame(const TRect &frame, int zone, int dx, int dy, int gridX, int gridY);

// The object area inside a frame, drawn as feedback while dragging.
TRect FeedbackOutline(const TRect &frame);

// The 5 x 5 handle squares of one object: four corners, and the edge middles when it is
// the only selected object.
std::vector<TRect> HandleSquares(const TRect &object, bool single);

// True when the rectangles share at least one pixel (an empty one shares none).
constexpr bool Intersects(const TRect &a, const TRect &b)
{
    const int l = a.left > b.left ? a.left : b.left;
    const int r = a.right < b.right ? a.right : b.right;
    const int t = a.top > b.top ? a.top : b.top;
    const int bo = a.bottom < b.bottom ? a.bottom : b.bottom;
    return l < r && t < bo;
}

// Left <= right and top <= bottom.
constexpr TRect Normalized(const TRect &r)
{
    return {r.left < r.right ? r.left : r.right, r.top < r.bottom ? r.top : r.bottom,
            r.left < r.right ? r.right : r.left, r.top < r.bottom ? r.bottom : r.top};
}

} // namespace velmora
