#include "TestObjects.h"
#include "objects/HandleGeometry.h"

#include <gmock/gmock.h>

namespace velmora {
namespace {

TEST(FrameGeometry, FrameAroundOneAndSeveralObjects)
{
    const std::vector<TRect> one{{100, 50, 180, 90}};
    EXPECT_EQ(FrameAround(one), (TRect{98, 48, 98 + 85, 48 + 45}));
    // Realigned after a change of bounds: one pixel more to the right and below.
    EXPECT_EQ(FrameAround(one, kRealignedFrameExtent), (TRect{98, 48, 98 + 86, 48 + 46}));
    const std::vector<TRect> two{{100, 50, 180, 90}, {20, 200, 60, 230}};
    EXPECT_EQ(FrameAround(two), (TRect{18, 48, 18 + 165, 48 + 185}));
    EXPECT_EQ(FrameAround({}), (TRect{0, 0, 24, 24}));
}

TEST(FrameGeometry, HitZonesAndTheirCursors)
{
    struct Case
    {
        int x, y;
        THandleZone zone;
        TScreenCursor cursor;
    };
    const int w = 85, h = 45;
    for (const Case &c : {
             Case{0, 0, hzTopLeft, TScreenCursor::SizeNWSE},
             Case{84, 44, hzBottomRight, TScreenCursor::SizeNWSE},
             Case{w, 7, hzTopRight, TScreenCursor::SizeNESW},
             Case{-7, h, hzBottomLeft, TScreenCursor::SizeNESW},
             Case{42, 3, hzTop, TScreenCursor::SizeNS},
             Case{47, 44, hzBottom, TScreenCursor::SizeNS},
             Case{2, 22, hzLeft, TScreenCursor::SizeWE},
             Case{80, 27, hzRight, TScreenCursor::SizeWE},
             Case{42, 22, hzBody, TScreenCursor::HandGrab},
             Case{8, 0, hzBody, TScreenCursor::HandGrab}, // the corner reach is under 8
         }) {
        EXPECT_EQ(HitZone(c.x, c.y, w, h), c.zone) << c.x << "," << c.y;
        EXPECT_EQ(ZoneCursor(c.zone), c.cursor);
    }
    // On a tiny frame the zones overlap and the last test that holds wins.
    EXPECT_EQ(HitZone(5, 0, 10, 10), hzRight);
}

TEST(FrameGeometry, DragFramePerZone)
{
    const TRect f{100, 50, 185, 95}; // W 85, H 45
    const auto drag = [&f](int zone, int dx, int dy) {
        const TRect r = DragFrame(f, zone, dx, dy, 1, 1);
        return std::vector<int>{r.left, r.top, r.width(), r.height()};
    };
    using V = std::vector<int>;
    EXPECT_EQ(drag(hzBody, 20, -10), (V{120, 40, 85, 45}));
    EXPECT_EQ(drag(hzTopLeft, 20, 10), (V{120, 60, 65, 35}));
    EXPECT_EQ(drag(hzTopRight, 20, 10), (V{100, 60, 104, 35}));
    EXPECT_EQ(drag(hzBottomLeft, 20, 10), (V{120, 50, 65, 54}));
    EXPECT_EQ(drag(hzBottomRight, 20, 10), (V{100, 50, 104, 54}));
    EXPECT_EQ(drag(hzTop, 20, 10), (V{100, 60, 85, 35}));
    EXPECT_EQ(drag(hzLeft, 20, 10), (V{120, 50, 65, 45}));
    EXPECT_EQ(drag(hzBottom, 20, 10), (V{100, 50, 85, 54}));
    EXPECT_EQ(drag(hzRight, 20, 10), (V{100, 50, 104, 45}));
    // Past the opposite edge the frame stays 5 pixels.
    EXPECT_EQ(drag(hzBottomRight, -200, -200), (V{100, 50, 5, 5}));
    EXPECT_EQ(drag(hzTopLeft, 200, 200), (V{300, 250, 5, 5}));
}

TEST(FrameGeometry, SnappingTruncatesTowardZero)
{
    EXPECT_EQ(Snap(13, 4), 12);
    EXPECT_EQ(Snap(-7, 4), -4);
    EXPECT_EQ(Snap(-7, 1), -7);
    const TRect r = DragFrame({98, 48, 183, 93}, hzBody, 5, -51, 8, 8);
    EXPECT_EQ(r.left, 96);
    EXPECT_EQ(r.top, 0); // -3 truncates to 0, not -8
}

TEST(FrameGeometry, HandleSquares)
{
    const TRect object{100, 50, 180, 90};
    const std::vector<TRect> single = HandleSquares(object, true);
    ASSERT_EQ(single.size(), 8U);
    EXPECT_EQ(single[0], (TRect{98, 48, 103, 53}));
    EXPECT_EQ(single[3], (TRect{177, 87, 182, 92}));
    EXPECT_EQ(single[4], (TRect{138, 48, 143, 53})); // half of 84 is 42
    EXPECT_EQ(single[7], (TRect{177, 68, 182, 73})); // half of 44 is 22
    for (const TRect &s : single) {
        EXPECT_EQ(s.width(), 5);
        EXPECT_EQ(s.height(), 5);
    }
    EXPECT_EQ(HandleSquares(object, false).size(), 4U);
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

using namespace velmora::test;

TEST(ObjectBounds, ExtremeNumbersFromFilesStayInRangeWithoutOverflow)
{
    TTestBox box;
    box.SetBounds(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(box.Left(), 1 << 20);
    EXPECT_EQ(box.Top(), -(1 << 20));
    EXPECT_EQ(box.Width(), 1 << 20);
    EXPECT_EQ(box.Height(), 1 << 20);
    box.SetBounds(10, 20, -5, 30); // a negative extent reads as none
    EXPECT_EQ(rectOf(box), (TRect{10, 20, 10, 50}));
    box.SetBounds(INT32_MAX, 0, 40, 30);
    box.ChangeScreenBounds(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN);
    EXPECT_EQ(box.Left(), 1 << 20);
    EXPECT_EQ(box.Top(), -(1 << 20));
    EXPECT_EQ(box.Height(), 1);
}

} // namespace
} // namespace velmora
