#include "calendar/Calpanel32.h"
#include "calendar/PageLayout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velmora;

namespace {

using Rects = std::vector<TRect>;

TCalendarSettings settings(int layout, float margin = 0.25F, uint8_t paper = 0)
{
    TCalendarSettings s;
    s.CalendarLayout = layout;
    s.LeftMarginInch = s.TopMarginInch = s.RightMarginInch = s.BottomMarginInch = margin;
    s.PaperKind = paper;
    s.MainCalMonth = 3;
    s.MainCalYear = 1998;
    return s;
}

std::string show(const TRect &r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

void expectMinis(const TPageLayout &p, const Rects &want)
{
    ASSERT_EQ(p.minis.size(), want.size());
    for (size_t k = 0; k < want.size(); ++k)
        EXPECT_EQ(p.minis[k].rect, want[k])
            << "mini " << k + 1 << " is " << show(p.minis[k].rect) << ", want " << show(want[k]);
}

} // namespace

TEST(PageLayout, RoundingIsToNearestWithHalvesToEven)
{
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(31.5), 32);
    EXPECT_EQ(RoundEven(2.4999), 2);
    EXPECT_EQ(InchToPixels(0.25), 24);
    EXPECT_EQ(InchToPixels(0.5), 48);
    EXPECT_EQ(InchToPixels(3.0 / 64), 4); // 4.5
    EXPECT_EQ(InchToPixels(5.0 / 64), 8); // 7.5
    EXPECT_EQ(InchToPixels(1.5), 144);
    EXPECT_EQ(InchToPixels(1.5, 300), 450);
}

TEST(PageLayout, PageSizes)
{
    struct Case
    {
        uint8_t paper;
        int layout;
        int w, h;
    };
    const Case cases[] = {
        {0, loFullCalendar, 816, 1056}, {0, LOFullCalendarLS, 1056, 816},
        {1, loFullCalendar, 794, 1122}, {1, LOFullCalendarLS, 1122, 794},
        {0, loMC60MonthLS, 1056, 816},  {0, loDay15, 816, 1056},
        {1, lo2Week, 794, 1122},        {1, loFC12AfterLS, 1122, 794},
    };
    for (const Case &c : cases) {
        const TPageLayout p = ComputePageLayout(settings(c.layout, 0.25F, c.paper), {});
        EXPECT_EQ(p.width, c.w) << "paper " << int(c.paper) << " layout " << c.layout;
        EXPECT_EQ(p.height, c.h) << "paper " << int(c.paper) << " layout " << c.layout;
    }
}

TEST(PageLayout, ControlSizeFollowsZoom)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(LOFullCalendarLS);
    EXPECT_EQ(page.width(), 1056);
    EXPECT_EQ(page.height(), 816);
    page.SetZoom(0.5F);
    EXPECT_EQ(page.width(), 528);
    EXPECT_EQ(page.height(), 408);
    page.SetCalendarLayout(loFullCalendar);
    EXPECT_EQ(page.width(), 408);
    EXPECT_EQ(page.height(), 528);
    page.SetZoom(0.3F);
    EXPECT_EQ(page.width(), 245); // 244.8
    EXPECT_EQ(page.height(), 317); // 316.8
    page.SetPaperKind(1);
    page.SetZoom(0.5F);
    EXPECT_EQ(page.width(), 397);
    EXPECT_EQ(page.height(), 561);
    page.SetZoom(1.0F);
    EXPECT_EQ(page.width(), 794);
    EXPECT_EQ(page.height(), 1122);
    // The page pixel size itself never depends on the zoom.
    EXPECT_EQ(page.PageWidth(), 794);
}

TEST(PageLayout, MainRectangleOfTheSingleCalendarsAndPlanners)
{
    struct Case
    {
        int layout;
        float margin;
        uint8_t paper;
        TRect main;
    };
    const Case cases[] = {
        {loFullCalendar, 0.25F, 0, {26, 26, 790, 1030}},
        {LOFullCalendarLS, 0.25F, 0, {26, 26, 1030, 790}},
        {loFullCalendar, 0.5F, 0, {50, 50, 766, 1006}},
        {loFullCalendar, 0.25F, 1, {26, 26, 768, 1096}},
        {LOFullCalendarLS, 0.25F, 1, {26, 26, 1096, 768}},
        {loFullCalendar, 3.0F / 64, 0, {6, 6, 810, 1050}}, // 4.5 pixels round to 4
        {loFullCalendar, 0.3F, 0, {31, 31, 785, 1025}},
        {loWeek, 0.25F, 0, {26, 26, 790, 1030}},
        {lo2Week, 0.25F, 0, {26, 26, 790, 1030}},
        {loDay10, 0.5F, 0, {50, 50, 766, 1006}},
        {loDay15, 0.25F, 1, {26, 26, 768, 1096}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin);
        const TPageLayout p = ComputePageLayout(settings(c.layout, c.margin, c.paper), {});
        EXPECT_EQ(p.main, c.main) << show(p.main);
        EXPECT_TRUE(p.minis.empty());
    }
}

TEST(PageLayout, SwitchesByLayout)
{
    // For a March 1998 page: which parts each layout has, and the months of its minis,
    // consecutive from the first, the page's own month left out where the minis surround it.
    struct Case
    {
        int layout;
        bool monthGrid, hasMinis, planner;
        int minis, firstMonth, firstYear;
        bool skipsPageMonth;
    };
    const Case cases[] = {
        {0, true, false, false, 0, 0, 0, false},      {1, true, false, false, 0, 0, 0, false},
        {2, true, true, false, 2, 2, 1998, true},      {3, true, true, false, 2, 2, 1998, true},
        {4, true, true, false, 12, 9, 1997, true},     {5, true, true, false, 12, 9, 1997, true},
        {6, true, true, false, 12, 4, 1998, false},    {7, true, true, false, 12, 4, 1998, false},
        {8, false, true, false, 6, 3, 1998, false},    {9, false, true, false, 6, 3, 1998, false},
        {10, false, true, false, 12, 3, 1998, false},  {11, false, true, false, 12, 3, 1998, false},
        {12, false, true, false, 24, 3, 1998, false},  {13, false, true, false, 24, 3, 1998, false},
        {14, false, true, false, 48, 3, 1998, false},  {15, false, true, false, 48, 3, 1998, false},
        {16, false, true, false, 60, 3, 1998, false},  {17, false, true, false, 60, 3, 1998, false},
        {18, false, false, true, 0, 0, 0, false},      {19, false, false, true, 0, 0, 0, false},
        {20, false, false, true, 0, 0, 0, false},      {21, false, false, true, 0, 0, 0, false},
    };
    ASSERT_EQ(std::size(cases), size_t(kLayoutCount));
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        const TPageLayout p = ComputePageLayout(settings(c.layout), {});
        EXPECT_EQ(p.monthGrid, c.monthGrid);
        EXPECT_EQ(p.hasMinis, c.hasMinis);
        EXPECT_EQ(p.planner, c.planner);
        ASSERT_EQ(p.minis.size(), size_t(c.minis));
        int month = c.firstMonth, year = c.firstYear;
        for (size_t k = 0; k < p.minis.size(); ++k) {
            if (c.skipsPageMonth && month == 3 && year == 1998)
                month = 4;
            EXPECT_EQ(p.minis[k].monthYear.month, month) << "mini " << k + 1;
            EXPECT_EQ(p.minis[k].monthYear.year, year) << "mini " << k + 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

TEST(PageLayout, MinisInTheTitleCorners)
{
    struct Case
    {
        int layout;
        float margin;
        TRect main;
        Rects minis;
    };
    const Case cases[] = {
        {loFCMinisInTitle, 0.25F, {26, 26, 790, 1030}, {{38, 38, 158, 158}, {658, 38, 778, 158}}},
        {loFCMinisInTitleLS, 0.25F, {26, 26, 1030, 790}, {{38, 38, 158, 158}, {898, 38, 1018, 158}}},
        {loFCMinisInTitleLS, 0.5F, {50, 50, 1006, 766}, {{62, 62, 182, 182}, {874, 62, 994, 182}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin);
        const TPageLayout p = ComputePageLayout(settings(c.layout, c.margin), {});
        EXPECT_EQ(p.main, c.main) << show(p.main);
        expectMinis(p, c.minis);
    }
}

TEST(PageLayout, MinisInStripsBesideTheMonth)
{
    struct Case
    {
        int layout;
        float margin;
        TRect main;
        Rects minis;
    };
    const Case cases[] = {
        {loFC6Before6After, 0.25F, {26, 151, 790, 905},
         {{26, 26, 147, 147}, {155, 26, 276, 147}, {284, 26, 405, 147}, {413, 26, 534, 147},
          {542, 26, 663, 147}, {669, 26, 790, 147}, {26, 909, 147, 1030}, {155, 909, 276, 1030},
          {284, 909, 405, 1030}, {413, 909, 534, 1030}, {542, 909, 663, 1030},
          {669, 909, 790, 1030}}},
        {loFC6Before6AfterLS, 0.25F, {153, 26, 903, 790},
         {{26, 26, 149, 147}, {26, 155, 149, 276}, {26, 284, 149, 405}, {26, 413, 149, 534},
          {26, 542, 149, 663}, {26, 669, 149, 790}, {909, 26, 1030, 147}, {909, 155, 1030, 276},
          {909, 284, 1030, 405}, {909, 413, 1030, 534}, {909, 542, 1030, 663},
          {909, 669, 1030, 790}}},
        // The strip of layout 6 ends 2 pixels below the bottom margin line (1056 - 24 + 2).
        {loFC12After, 0.25F, {26, 26, 790, 752},
         {{26, 765, 147, 898}, {155, 765, 276, 898}, {284, 765, 405, 898}, {413, 765, 534, 898},
          {542, 765, 663, 898}, {669, 765, 790, 898}, {26, 901, 147, 1034}, {155, 901, 276, 1034},
          {284, 901, 405, 1034}, {413, 901, 534, 1034}, {542, 901, 663, 1034},
          {669, 901, 790, 1034}}},
        // The strip of layout 7 ends on the right margin line (1056 - 24).
        {loFC12AfterLS, 0.25F, {26, 26, 752, 790},
         {{765, 26, 897, 147}, {900, 26, 1032, 147}, {765, 155, 897, 276}, {900, 155, 1032, 276},
          {765, 284, 897, 405}, {900, 284, 1032, 405}, {765, 413, 897, 534}, {900, 413, 1032, 534},
          {765, 542, 897, 663}, {900, 542, 1032, 663}, {765, 669, 897, 790},
          {900, 669, 1032, 790}}},
        {loFC6Before6After, 0.5F, {50, 175, 766, 881},
         {{50, 50, 164, 171}, {171, 50, 285, 171}, {292, 50, 406, 171}, {413, 50, 527, 171},
          {534, 50, 648, 171}, {652, 50, 766, 171}, {50, 885, 164, 1006}, {171, 885, 285, 1006},
          {292, 885, 406, 1006}, {413, 885, 527, 1006}, {534, 885, 648, 1006},
          {652, 885, 766, 1006}}},
        {loFC6Before6AfterLS, 0.5F, {177, 50, 879, 766},
         {{50, 50, 173, 164}, {50, 171, 173, 285}, {50, 292, 173, 406}, {50, 413, 173, 527},
          {50, 534, 173, 648}, {50, 652, 173, 766}, {885, 50, 1006, 164}, {885, 171, 1006, 285},
          {885, 292, 1006, 406}, {885, 413, 1006, 527}, {885, 534, 1006, 648},
          {885, 652, 1006, 766}}},
        {loFC12After, 0.5F, {50, 50, 766, 728},
         {{50, 741, 164, 874}, {171, 741, 285, 874}, {292, 741, 406, 874}, {413, 741, 527, 874},
          {534, 741, 648, 874}, {652, 741, 766, 874}, {50, 877, 164, 1010}, {171, 877, 285, 1010},
          {292, 877, 406, 1010}, {413, 877, 527, 1010}, {534, 877, 648, 1010},
          {652, 877, 766, 1010}}},
        {loFC12AfterLS, 0.5F, {50, 50, 728, 766},
         {{741, 50, 873, 164}, {876, 50, 1008, 164}, {741, 171, 873, 285}, {876, 171, 1008, 285},
          {741, 292, 873, 406}, {876, 292, 1008, 406}, {741, 413, 873, 527}, {876, 413, 1008, 527},
          {741, 534, 873, 648}, {876, 534, 1008, 648}, {741, 652, 873, 766},
          {876, 652, 1008, 766}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin);
        const TPageLayout p = ComputePageLayout(settings(c.layout, c.margin), {});
        EXPECT_EQ(p.main, c.main) << show(p.main);
        expectMinis(p, c.minis);
    }
}

TEST(PageLayout, MiniSheets)
{
    struct Case
    {
        int layout;
        float margin;
        uint8_t paper;
        Rects minis; // all, or when longer than listed: first, second, first of row 2, last two
        int columns;
    };
    const Case cases[] = {
        {lopMC6Month, 0.25F, 0,
         {{26, 26, 404, 354}, {412, 26, 790, 354}, {26, 364, 404, 692}, {412, 364, 790, 692},
          {26, 702, 404, 1030}, {412, 702, 790, 1030}}, 2},
        // Landscape: 2 rows × 3 columns, the third column flush with the area's right edge.
        {lopMC6MonthLS, 0.25F, 0,
         {{26, 26, 354, 404}, {364, 26, 692, 404}, {702, 26, 1030, 404}, {26, 412, 354, 790},
          {364, 412, 692, 790}, {702, 412, 1030, 790}}, 3},
        {lopMC6MonthLS, 0.5F, 0,
         {{50, 50, 362, 404}, {372, 50, 684, 404}, {694, 50, 1006, 404}, {50, 412, 362, 766},
          {372, 412, 684, 766}, {694, 412, 1006, 766}}, 3},
        {lopMC6MonthLS, 0.25F, 1,
         {{26, 26, 375, 394}, {386, 26, 735, 394}, {747, 26, 1096, 394}, {26, 400, 375, 768},
          {386, 400, 735, 768}, {747, 400, 1096, 768}}, 3},
        {loMC12Month, 0.25F, 0,
         {{26, 26, 275, 270}, {283, 26, 532, 270}, {26, 280, 275, 524}, {283, 786, 532, 1030},
          {541, 786, 790, 1030}}, 3},
        {loMC12MonthLS, 0.25F, 0,
         {{26, 26, 270, 275}, {280, 26, 524, 275}, {26, 283, 270, 532}, {534, 541, 778, 790},
          {786, 541, 1030, 790}}, 4},
        {loMC24Month, 0.25F, 0,
         {{26, 26, 211, 185}, {219, 26, 404, 185}, {26, 195, 211, 354}, {412, 871, 597, 1030},
          {605, 871, 790, 1030}}, 4},
        {loMC24MonthLS, 0.25F, 0,
         {{26, 26, 185, 211}, {195, 26, 354, 211}, {26, 219, 185, 404}, {702, 605, 861, 790},
          {871, 605, 1030, 790}}, 6},
        {loMC48Month, 0.25F, 0,
         {{26, 26, 147, 143}, {155, 26, 276, 143}, {26, 153, 147, 270}, {542, 913, 663, 1030},
          {669, 913, 790, 1030}}, 6},
        {loMC48MonthLS, 0.25F, 0,
         {{26, 26, 143, 147}, {153, 26, 270, 147}, {26, 155, 143, 276}, {788, 669, 905, 790},
          {913, 669, 1030, 790}}, 8},
        {loMC60Month, 0.25F, 0,
         {{26, 26, 147, 117}, {155, 26, 276, 117}, {26, 127, 147, 218}, {542, 939, 663, 1030},
          {669, 939, 790, 1030}}, 6},
        {loMC60MonthLS, 0.25F, 0,
         {{26, 26, 117, 147}, {127, 26, 218, 147}, {26, 155, 117, 276}, {834, 669, 925, 790},
          {939, 669, 1030, 790}}, 10},
    };
    const TRect previous{1, 2, 3, 4};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin
                                        << " paper " << int(c.paper));
        const TPageLayout p = ComputePageLayout(settings(c.layout, c.margin, c.paper), previous);
        // No main calendar: the main rectangle stays what it was.
        EXPECT_EQ(p.main, previous);
        if (p.minis.size() == c.minis.size()) {
            expectMinis(p, c.minis);
            continue;
        }
        const size_t n = p.minis.size();
        ASSERT_EQ(n, size_t(MiniCount(c.layout)));
        const size_t idx[5] = {0, 1, size_t(c.columns), n - 2, n - 1};
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(p.minis[idx[i]].rect, c.minis[i])
                << "mini " << idx[i] + 1 << " is " << show(p.minis[idx[i]].rect);
    }
}

TEST(PageLayout, LayoutMiniGrid)
{
    // 250 × 0.01 = 2.5 and 350 × 0.01 = 3.5: the gaps round half to even.
    std::vector<TMiniRect> minis(6);
    LayoutMiniGrid(minis, 2, 3, 1, 6, {0, 0, 350, 250});
    const Rects want = {{0, 0, 114, 124},   {118, 0, 232, 124},   {236, 0, 350, 124},
                        {0, 126, 114, 250}, {118, 126, 232, 250}, {236, 126, 350, 250}};
    for (size_t k = 0; k < want.size(); ++k)
        EXPECT_EQ(minis[k].rect, want[k]) << "mini " << k + 1 << " " << show(minis[k].rect);

    // (102 - 1) / 2 = 50.5 rounds to 50; the last row still ends on the bottom edge.
    std::vector<TMiniRect> two(2);
    LayoutMiniGrid(two, 2, 1, 1, 2, {0, 0, 10, 102});
    EXPECT_EQ(two[0].rect, (TRect{0, 0, 10, 50}));
    EXPECT_EQ(two[1].rect, (TRect{0, 52, 10, 102}));

    // A grid fills consecutive indices from the first and stops after the last.
    std::vector<TMiniRect> part(12);
    const TRect marker{7, 7, 7, 7};
    for (auto &m : part)
        m.rect = marker;
    LayoutMiniGrid(part, 2, 3, 4, 8, {0, 0, 350, 250});
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(part[k].rect, marker) << "mini " << k + 1;
    for (size_t k = 3; k < 8; ++k)
        EXPECT_EQ(part[k].rect, want[k - 3]) << "mini " << k + 1;
    for (size_t k = 8; k < 12; ++k)
        EXPECT_EQ(part[k].rect, marker) << "mini " << k + 1;
}

TEST(PageLayout, PageUsesTheLayoutOfItsSettings)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFC12AfterLS);
    ASSERT_EQ(page.Layout().minis.size(), 12U);
    EXPECT_EQ(page.Layout().minis.back().rect, (TRect{900, 669, 1032, 790}));
    EXPECT_EQ(page.Layout().main, (TRect{26, 26, 752, 790}));
    // A mini-only layout keeps the main rectangle from before.
    page.SetCalendarLayout(loMC24Month);
    EXPECT_EQ(page.Layout().main, (TRect{26, 26, 752, 790}));
}
