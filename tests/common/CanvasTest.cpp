#include "common/Canvas.h"

#include "support/ImageProbe.h"

#include <gtest/gtest.h>

#include <QPaintEngine>
#include <QPainter>
#include <QPalette>

#include <functional>
#include <utility>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kRed = 0xFF0000; // QRgb is 0xRRGGBB

// A white picture with whatever the drawing function put on it through a canvas.
QImage draw(int w, int h, int dpi, const std::function<void(TCanvas &)> &fn)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        TCanvas canvas(painter, dpi);
        fn(canvas);
    }
    painter.end();
    return image;
}

QRgb rgbAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

} // namespace

// Every shape of the classic rules covers left..right-1 and top..bottom-1.
TEST(Canvas, ShapesExcludeRightAndBottomEdge)
{
    const TRect r{10, 10, 20, 15};
    struct Case
    {
        const char *name;
        std::function<void(TCanvas &)> paint;
        QRgb outline; // colour of the edge pixels
        QRgb inside;  // colour of the pixels within the edge
    };
    const Case cases[] = {
        {"fillRect",
         [&](TCanvas &c) {
             c.setBrushSolid(clRed);
             c.fillRect(r);
         },
         kRed, kRed},
        {"rectangle",
         [&](TCanvas &c) {
             c.setPen(clBlack);
             c.setBrushSolid(clRed);
             c.rectangle(r);
         },
         kBlack, kRed},
        {"rectangle without brush",
         [&](TCanvas &c) {
             c.setPen(clBlack);
             c.setBrushClear();
             c.rectangle(r);
         },
         kBlack, kWhite},
        {"frameRect",
         [&](TCanvas &c) {
             c.setBrushSolid(clRed);
             c.frameRect(r);
         },
         kRed, kWhite},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.name);
        const QImage img = draw(30, 25, 96, tc.paint);
        for (int y = 5; y < 20; ++y)
            for (int x = 5; x < 25; ++x) {
                QRgb want = kWhite;
                if (x >= 10 && x <= 19 && y >= 10 && y <= 14) {
                    const bool edge = x == 10 || x == 19 || y == 10 || y == 14;
                    want = edge ? tc.outline : tc.inside;
                }
                ASSERT_EQ(rgbAt(img, x, y), want) << "pixel " << x << "," << y;
            }
    }
}

TEST(Canvas, RectangleWithoutPenFillsOnePixelLessEachWay)
{
    const QImage img = draw(30, 25, 96, [](TCanvas &c) {
        c.setPen(clBlack, 1, TPenStyle::Clear);
        c.setBrushSolid(clRed);
        c.rectangle({10, 10, 20, 15});
    });
    EXPECT_EQ(countNot(img, QRect(QPoint(10, 10), QPoint(18, 13)), kRed), 0);
    EXPECT_EQ(countNot(img, QRect(0, 0, 30, 25), kWhite), 9 * 4);
}

TEST(Canvas, FillWithoutBrushLeavesPictureAlone)
{
    const QImage img = draw(30, 25, 96, [](TCanvas &c) {
        c.setBrushClear();
        c.fillRect({10, 10, 20, 15});
        c.frameRect({10, 10, 20, 15});
    });
    EXPECT_EQ(countNot(img, QRect(0, 0, 30, 25), kWhite), 0);
}

// A line covers its start point and stops one pixel before its end point, whichever way
// it runs.
TEST(Canvas, LineExcludesEndPoint)
{
    struct Case
    {
        int x1, y1, x2, y2;
    };
    const Case cases[] = {
        {5, 5, 15, 5},    // right
        {15, 7, 5, 7},    // left
        {3, 2, 3, 12},    // down
        {4, 12, 4, 2},    // up
        {20, 2, 30, 12},  // diagonal down-right
        {30, 25, 20, 15}, // diagonal up-left
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(testing::Message()
                     << "(" << tc.x1 << "," << tc.y1 << ")-(" << tc.x2 << "," << tc.y2 << ")");
        const QImage img = draw(40, 30, 96, [&](TCanvas &c) {
            c.setPen(clBlack);
            c.moveTo(tc.x1, tc.y1);
            c.lineTo(tc.x2, tc.y2);
        });
        const int steps = std::max(std::abs(tc.x2 - tc.x1), std::abs(tc.y2 - tc.y1));
        EXPECT_TRUE(isDark(img, tc.x1, tc.y1)) << "start point missing";
        EXPECT_FALSE(isDark(img, tc.x2, tc.y2)) << "end point drawn";
        EXPECT_EQ(countNot(img, QRect(0, 0, 40, 30), kWhite), steps);
        const int dx = (tc.x2 > tc.x1) - (tc.x2 < tc.x1), dy = (tc.y2 > tc.y1) - (tc.y2 < tc.y1);
        for (int i = 0; i < steps; ++i)
            EXPECT_TRUE(isDark(img, tc.x1 + i * dx, tc.y1 + i * dy)) << "step " << i;
    }
}

// Chained lines share their corners: the outline a,b -> c,b -> c,d -> a,d -> a,b is closed.
TEST(Canvas, ChainedLinesCloseAnOutline)
{
    const QImage img = draw(30, 30, 96, [](TCanvas &c) {
        c.setPen(clBlack);
        c.moveTo(5, 5);
        c.lineTo(20, 5);
        c.lineTo(20, 15);
        c.lineTo(5, 15);
        c.lineTo(5, 5);
    });
    EXPECT_EQ(darkInRow(img, 5, 0, 29), 16);
    EXPECT_EQ(darkInRow(img, 15, 0, 29), 16);
    EXPECT_EQ(darkInColumn(img, 5, 0, 29), 11);
    EXPECT_EQ(darkInColumn(img, 20, 0, 29), 11);
    EXPECT_EQ(countNot(img, QRect(0, 0, 30, 30), kWhite), 2 * 16 + 2 * 9);
}

TEST(Canvas, TextPlacedByAlignmentFlags)
{
    const TRect box{20, 10, 220, 110};
    struct Case
    {
        unsigned flags;
        const char *name;
    };
    const Case cases[] = {
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centred"},
        {DT_RIGHT | DT_TOP | DT_SINGLELINE, "upper right"},
        {DT_LEFT | DT_BOTTOM | DT_SINGLELINE, "lower left"},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.name);
        int textW = 0;
        TTextMetric m;
        const QImage img = draw(240, 130, 96, [&](TCanvas &c) {
            c.selectFontHeight("Times New Roman", -30, 0, clBlack);
            textW = c.textWidth(QStringLiteral("HHHH"));
            m = c.textMetric();
            c.drawText(box, QStringLiteral("HHHH"), tc.flags);
        });
        const QRect ink = darkBounds(img, QRect(0, 0, 240, 130));
        ASSERT_FALSE(ink.isNull());
        ASSERT_GT(textW, 40);
        if ((tc.flags & DT_CENTER) != 0) {
            // The ink of a row of capitals sits in the middle of the box.
            const double cx = (ink.left() + ink.right() + 1) / 2.0;
            const double cy = (ink.top() + ink.bottom() + 1) / 2.0;
            EXPECT_NEAR(cx, (box.left + box.right) / 2.0, 2.0);
            EXPECT_NEAR(cy, (box.top + box.bottom) / 2.0, 3.0);
        }
        if ((tc.flags & DT_RIGHT) != 0) {
            EXPECT_LE(ink.right(), box.right - 1);
            EXPECT_GE(ink.right(), box.right - 4);
            EXPECT_GE(ink.top(), box.top);
            EXPECT_LT(ink.top(), box.top + m.internalLeading + 12);
        }
        if ((tc.flags & DT_BOTTOM) != 0) {
            EXPECT_GE(ink.left(), box.left);
            EXPECT_LE(ink.left(), box.left + 4);
            // Capitals stand on the baseline, one descent above the box's bottom.
            EXPECT_NEAR(ink.bottom() + 1, box.bottom - m.descent, 2.0);
        }
    }
}

TEST(Canvas, TextIsClippedToItsRectangleUnlessAskedNotTo)
{
    const TRect box{10, 10, 40, 30};
    for (const bool noClip : {false, true}) {
        SCOPED_TRACE(noClip ? "DT_NOCLIP" : "clipped");
        const QImage img = draw(200, 60, 96, [&](TCanvas &c) {
            c.selectFontHeight("Times New Roman", -20, 0, clBlack);
            c.drawText(box, QStringLiteral("WWWWWWWW"),
                       DT_LEFT | DT_TOP | DT_SINGLELINE | (noClip ? DT_NOCLIP : 0u));
        });
        const int outside = darkInRow(img, 20, box.right, 199);
        if (noClip)
            EXPECT_GT(outside, 0);
        else
            EXPECT_EQ(outside, 0);
        EXPECT_GT(darkBounds(img, QRect(10, 10, 30, 20)).width(), 0);
    }
}

// A size in points gives the same look at any resolution: the pixel size scales with dpi.
TEST(Canvas, PointSizesScaleWithResolution)
{
    struct Case
    {
        int points;
        int dpi;
        int em; // -MulDiv(points, dpi, 72)
    };
    const Case cases[] = {{12, 96, 16},  {16, 96, 21},  {26, 96, 35},
                          {12, 300, 50}, {16, 300, 67}, {26, 300, 108}};
    for (const Case &tc : cases) {
        SCOPED_TRACE(testing::Message() << tc.points << " pt at " << tc.dpi << " dpi");
        const QImage img = draw(10, 10, tc.dpi, [&](TCanvas &c) {
            c.selectFont("Times New Roman", tc.points, 0, clBlack);
            EXPECT_EQ(c.font().pixelSize(), tc.em);
            EXPECT_EQ(c.dpi(), tc.dpi);
        });
        (void)img;
    }

    // The ink of the same text drawn at 96 and 300 dpi differs by the resolution ratio.
    auto inkHeight = [](int dpi) {
        const int side = dpi * 2;
        const QImage img = draw(side, side, dpi, [&](TCanvas &c) {
            c.selectFont("Times New Roman", 18, 0, clBlack);
            c.drawText({0, 0, side, side}, QStringLiteral("H"),
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        });
        return darkBounds(img, QRect(0, 0, side, side)).height();
    };
    const int h96 = inkHeight(96), h300 = inkHeight(300);
    ASSERT_GT(h96, 10);
    EXPECT_NEAR(double(h300) / h96, 300.0 / 96.0, 0.25);
}

TEST(Canvas, FontByPixelHeight)
{
    draw(10, 10, 96, [](TCanvas &c) {
        // Negative: the em size, so the line is taller than the number by the leading.
        c.selectFontHeight("Times New Roman", -40, 0, clBlack);
        EXPECT_EQ(c.font().pixelSize(), 40);
        TTextMetric m = c.textMetric();
        EXPECT_EQ(m.height, m.ascent + m.descent);
        EXPECT_GT(m.height, 40);
        EXPECT_EQ(m.internalLeading, m.height - 40);

        // Positive: the whole cell height, which the line must not exceed.
        c.selectFontHeight("Times New Roman", 40, 0, clBlack);
        m = c.textMetric();
        EXPECT_LE(m.height, 40);
        EXPECT_GE(m.height, 36);
        EXPECT_LT(c.font().pixelSize(), 40);
        EXPECT_EQ(c.textHeight(QStringLiteral("9")), m.height);
    });
}

// A cell height gives the largest em whose line fits: the same size the classic search from
// the top finds, for every height and face, a face the system lacks and a huge height too.
TEST(Canvas, CellHeightGivesTheLargestFittingEm)
{
    draw(10, 10, 300, [](TCanvas &c) {
        for (const char *face : {"Times New Roman", "Arial", "No Such Face 123"}) {
            for (const uint8_t style : {uint8_t(0), uint8_t(3)}) {
                for (const int height : {1, 2, 7, 13, 40, 74, 75, 121, 333, 20000}) {
                    SCOPED_TRACE(testing::Message() << face << " style " << int(style) << " height "
                                                    << height);
                    c.selectFontHeight(face, height, style, clBlack);
                    const int em = c.font().pixelSize();
                    const int line = c.textMetric().height;
                    if (em > 1) {
                        EXPECT_LE(line, height);
                    }
                    EXPECT_LE(em, height);
                    if (em + 1 < height) {
                        // One pixel more would not fit.
                        c.selectFontHeight(face, -(em + 1), style, clBlack);
                        EXPECT_GT(c.textMetric().height, height);
                    }
                    // Asked again, the same answer (it is kept, not searched anew).
                    c.selectFontHeight(face, height, style, clBlack);
                    EXPECT_EQ(c.font().pixelSize(), em);
                }
            }
        }
    });
}

// A line a little taller than its row is drawn whole when its glyphs fit; glyphs that really
// leave the rectangle are still cut at its edge.
TEST(Canvas, ShortRowsClipOnlyInkThatLeavesThem)
{
    TRect row{};
    draw(10, 10, 96, [&](TCanvas &c) {
        c.selectFontHeight("Times New Roman", -40, 0, clBlack);
        row = TRect{20, 20, 120, 20 + c.textMetric().height - 2};
    });
    const QImage whole = draw(200, 120, 96, [&](TCanvas &c) {
        c.selectFontHeight("Times New Roman", -40, 0, clBlack);
        c.drawText(row, QStringLiteral("18"), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    });
    const QImage fitted = draw(200, 120, 96, [&](TCanvas &c) {
        c.selectFontHeight("Times New Roman", -40, 0, clBlack);
        c.drawText(row, QStringLiteral("18"), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
    EXPECT_EQ(fitted, whole);
    const QImage cut = draw(200, 120, 96, [&](TCanvas &c) {
        c.selectFontHeight("Times New Roman", -40, 0, clBlack);
        c.drawText(TRect{20, 20, 120, 40}, QStringLiteral("Qg|"), DT_LEFT | DT_TOP | DT_SINGLELINE);
    });
    EXPECT_GT(darkBounds(cut, QRect(20, 20, 100, 20)).height(), 0);
    EXPECT_EQ(darkBounds(cut, QRect(0, 40, 200, 80)).height(), 0);
}

TEST(Canvas, ColoursAreBgrWithSystemColoursResolved)
{
    struct Case
    {
        TColor color;
        QColor want;
    };
    const Case cases[] = {
        {clRed, QColor(255, 0, 0)},
        {clBlue, QColor(0, 0, 255)},
        {clLime, QColor(0, 255, 0)},
        {rgbColor(1, 2, 3), QColor(1, 2, 3)},
        {0x00336699, QColor(0x99, 0x66, 0x33)},
    };
    for (const Case &tc : cases) {
        EXPECT_EQ(ToQColor(tc.color).rgb(), tc.want.rgb()) << std::hex << tc.color;
        EXPECT_EQ(FromQColor(tc.want), tc.color);
    }
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    EXPECT_EQ(ToQColor(clWindowText, palette).rgb(), QColor(10, 20, 30).rgb());
}

// Shaped texts are kept per font and resolution: the same string in fonts chosen in turn,
// and on surfaces of different resolution, is measured and drawn in each one's own font.
TEST(Canvas, CachedTextsBelongToTheirFontAndResolution)
{
    const QString text = QStringLiteral("Wednesday 28");
    auto once = [&](int dpi, int points, uint8_t style) {
        return draw(400, 60, dpi, [&](TCanvas &c) {
            c.selectFont("Arial", points, style, clBlack);
            c.drawText({0, 0, 400, 60}, text, DT_LEFT | DT_TOP | DT_SINGLELINE);
        });
    };
    std::vector<int> widths;
    const QImage mixed = draw(400, 60, 96, [&](TCanvas &c) {
        for (int round = 0; round < 3; ++round)
            for (const auto &[points, style] : {std::pair{10, 0}, std::pair{14, 1}, std::pair{10, 1}}) {
                c.selectFont("Arial", points, uint8_t(style), clBlack);
                if (round == 0)
                    widths.push_back(c.textWidth(text));
            }
        c.selectFont("Arial", 14, 1, clBlack);
        c.drawText({0, 0, 400, 60}, text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    });
    ASSERT_EQ(widths.size(), 3U);
    EXPECT_LT(widths[0], widths[1]);
    EXPECT_LT(widths[0], widths[2]); // bold is wider than regular at the same size
    EXPECT_EQ(mixed, once(96, 14, 1));
    EXPECT_NE(once(96, 10, 0), once(96, 10, 1));
    // 10 points at 192 dpi are as many pixels as 20 points at 96 dpi, not 10 points at 96.
    EXPECT_EQ(once(192, 10, 0), once(96, 20, 0));
    EXPECT_NE(once(192, 10, 0), once(96, 10, 0));
}

namespace {

// A surface that draws nothing and counts the times a clip is set: in a PDF each clip
// restarts the drawing state, so text that fits must not set one.
class ClipCountingEngine : public QPaintEngine
{
public:
    int clips = 0;
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if ((state.state() & (DirtyClipRegion | DirtyClipPath)) != 0 &&
            state.clipOperation() != Qt::NoClip)
            ++clips;
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
};

class ClipCountingDevice : public QPaintDevice
{
public:
    mutable ClipCountingEngine engine;
    QPaintEngine *paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 1000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 264;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1;
        }
    }
};

} // namespace

// A line of text is clipped only when it could reach outside its rectangle: a day number in
// a row a little lower than its font's line box is not, however often it was drawn before.
TEST(Canvas, TextSetsAClipOnlyWhenItCouldLeaveItsRectangle)
{
    ClipCountingDevice device;
    QPainter painter(&device);
    TCanvas c(painter, 96);
    c.selectFontHeight("Arial", -20, 0, clBlack);
    const TTextMetric m = c.textMetric();
    const QString day = QStringLiteral("28");
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    auto clipsFor = [&](const TRect &r, const QString &text, unsigned f) {
        const int before = device.engine.clips;
        c.drawText(r, text, f);
        return device.engine.clips - before;
    };
    // Room for the line: no clip, and the glyphs are not measured yet.
    EXPECT_EQ(clipsFor({0, 0, 100, m.height + 4}, day, flags), 0);
    // One row lower than the line: the digits still fit with a row to spare.
    EXPECT_EQ(clipsFor({0, 0, 100, m.height - 1}, day, flags), 0);
    // Lower than the digits themselves: clipped, though the string was drawn unclipped.
    EXPECT_EQ(clipsFor({0, 0, 100, m.ascent / 3}, day, flags), 1);
    // Too narrow: clipped, unless asked not to be.
    EXPECT_EQ(clipsFor({0, 0, 8, m.height + 4}, day, flags), 1);
    EXPECT_EQ(clipsFor({0, 0, 8, m.height + 4}, day, flags | DT_NOCLIP), 0);
    // A string with no ink fits anywhere its advance does.
    EXPECT_EQ(clipsFor({0, 0, 100, 2}, QStringLiteral("   "), flags), 0);
}
