// Where a text label puts its text and its two copies, and how it sizes itself to them.
#include "objects/Gpbasel.h"

#include "TestObjects.h"

#include <gmock/gmock.h>

namespace velmora {
inline void PrintTo(const TPixelPoint &p, std::ostream *os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}
} // namespace velmora

namespace velmora::test {
namespace {

TLabelLayoutInput input(int angle, int width, int height)
{
    TLabelLayoutInput in;
    in.angle = angle;
    in.width = width;
    in.height = height;
    in.textHeight = 20;
    in.textWidth = 50;
    return in;
}

TLabelLayoutInput withEffects(TLabelLayoutInput in)
{
    in.shadow = ShadowOffsetOf(sdDownRight, 3);
    in.highlight = HighlightOffsetOf(hdUpLeft, 1);
    return in;
}

TEST(LabelLayout, AlignmentMovesAllThreeCopiesAlike)
{
    TLabelLayoutInput in = withEffects(input(0, 142, 33));
    in.alignment = taRightJustify;
    TLabelLayout l = LayOutLabel(in);
    EXPECT_EQ(l.mainOrigin, (TPixelPoint{92, 1}));
    EXPECT_EQ(l.highlightOrigin, (TPixelPoint{91, 0}));
    EXPECT_EQ(l.shadowOrigin, (TPixelPoint{95, 4}));
    in.alignment = taCenter;
    l = LayOutLabel(in);
    EXPECT_EQ(l.mainOrigin.x, 141 / 2 - 25);
}

TEST(LabelLayout, TurnedTextStartsAtTheCornerItIsTurnedAbout)
{
    TLabelLayout l = LayOutLabel(input(90, 33, 142));
    EXPECT_EQ(l.main, (TRect{0, -1, 20, 141}));
    EXPECT_EQ(l.mainOrigin, (TPixelPoint{0, 141}));

    l = LayOutLabel(withEffects(input(90, 33, 142)));
    EXPECT_EQ(l.main, (TRect{1, 1, 21, 141}));
    // Down-right of upward text is right and up on the page.
    EXPECT_EQ(l.shadowOrigin, (TPixelPoint{4, 138}));
    EXPECT_EQ(l.highlightOrigin, (TPixelPoint{0, 142}));

    l = LayOutLabel(input(270, 33, 142));
    EXPECT_EQ(l.mainOrigin, (TPixelPoint{20, 0}));
}

TEST(LabelLayout, UpsideDownLabelNarrowsToTwiceItsText)
{
    const TLabelLayout l = LayOutLabel(input(180, 142, 33));
    EXPECT_EQ(l.width, 100);
    EXPECT_EQ(l.main, (TRect{-1, 0, 99, 20}));
    EXPECT_EQ(l.mainOrigin, (TPixelPoint{99, 20}));
    EXPECT_EQ(LayOutLabel(input(0, 142, 33)).width, 142);
}

TEST(LabelLayout, GrowsToHoldTheTextNeverShrinks)
{
    TLabelLayout l = LayOutLabel(input(0, 4, 10));
    EXPECT_EQ(l.width, 50);  // a sliver takes the text's width
    EXPECT_EQ(l.height, 24); // 1.2 lines
    l = LayOutLabel(input(0, 30, 200));
    EXPECT_EQ(l.width, 30);
    EXPECT_EQ(l.height, 200);
    l = LayOutLabel(input(90, 10, 10));
    EXPECT_EQ(l.height, 60);
    EXPECT_EQ(l.width, 24);
    // The shadow below and the highlight above add to the line.
    l = LayOutLabel(withEffects(input(0, 142, 10)));
    EXPECT_EQ(l.height, 28); // (20 + 3 + 1) × 1.2
}

} // namespace
} // namespace velmora::test
