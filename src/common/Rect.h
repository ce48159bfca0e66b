#pragma once
#include <cstdint>

namespace velmora {

// Left, top, right, bottom; a point is inside when left <= x < right and top <= y < bottom.
struct TRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const
    {
        return left <= x && x < right && top <= y && y < bottom;
    }
    constexpr bool isAllZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    friend constexpr bool operator==(const TRect &, const TRect &) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

} // namespace velmora
