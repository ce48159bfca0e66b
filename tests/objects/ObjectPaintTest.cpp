// What the page shows of objects and the selection: handle squares, and that editing repaints
// only the areas it touches.
#include "TestObjects.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

QRgb pixel(TTestPanel &t, int x, int y)
{
    return t.panel.grab().toImage().pixel(x, y) & 0xFFFFFF;
}

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kGrey = 0x808080;
constexpr QRgb kBlue = 0x0000FF; // the test box's fill, as RGB

TEST(ObjectPaint, OneSelectedObjectShowsEightBlackSquares)
{
    TTestPanel t;
    TTestBox *a = t.add(100, 100, 80, 40);
    t.panel.Handle().Select(a);
    const QImage image = t.panel.grab().toImage();
    const auto at = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(98, 98), kBlack); // corner squares, 5 x 5 from R.left - 2
    EXPECT_EQ(at(102, 102), kBlack);
    EXPECT_EQ(at(103, 103), kBlue);
    EXPECT_EQ(at(181, 141), kBlack);
    EXPECT_EQ(at(140, 98), kBlack); // edge middles
    EXPECT_EQ(at(98, 120), kBlack);
    EXPECT_EQ(at(140, 120), kBlue);
}

TEST(ObjectPaint, SeveralSelectedShowGreyCornersOnly)
{
    TTestPanel t;
    TTestBox *a = t.add(100, 100, 80, 40);
    TTestBox *b = t.add(300, 300, 80, 40);
    t.panel.Handle().Select(a);
    t.panel.Handle().Select(b);
    EXPECT_EQ(pixel(t, 98, 98), kGrey);
    EXPECT_EQ(pixel(t, 381, 341), kGrey);
    EXPECT_EQ(pixel(t, 140, 99), 0xFFFFFFU); // no middle square above the object
}

TEST(ObjectPaint, DraggingRepaintsOnlyWhatMoved)
{
    TTestPanel t;
    t.panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.panel));
    TTestBox *a = t.add(100, 100, 80, 40);
    t.click({140, 120});
    t.now += 500;
    QApplication::processEvents();
    t.panel.painted.clear();
    t.press({140, 120});
    for (int i = 1; i <= 10; ++i) {
        t.move({140 + 3 * i, 120 + 2 * i}, 20);
        QApplication::processEvents();
    }
    t.release({170, 140});
    QApplication::processEvents();
    EXPECT_EQ(rectOf(*a), (TRect{130, 120, 210, 160}));
    ASSERT_GE(t.panel.painted.size(), 10U);
    for (const QRect &r : t.panel.painted)
        EXPECT_LT(r.width() * r.height(), 200 * 200)
            << "repainted " << r.width() << "x" << r.height();
    t.panel.hide();
}

} // namespace
} // namespace velmora::test
