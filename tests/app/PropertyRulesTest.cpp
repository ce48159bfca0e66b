#include "app/PropertyRules.h"

#include "calendar/CalendarTypes.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(PropertyRules, EveryLayoutSurvivesTheTripThroughListRowAndOrientation)
{
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        const int row = RowOfLayout(layout);
        ASSERT_GE(row, 0) << layout;
        ASSERT_LT(row, kLayoutRowCount) << layout;
        EXPECT_EQ(LayoutOfRow(row, OrientationRowOfLayout(layout) == 1, -1), layout) << layout;
    }
    EXPECT_EQ(OrientationRowOfLayout(loFCMinisInTitleLS), 1);
    EXPECT_EQ(OrientationRowOfLayout(loDay15), 0);
}

TEST(PropertyRules, PlannerRowsIgnoreLandscapeAndNoRowKeepsTheLayout)
{
    EXPECT_EQ(LayoutOfRow(9, true, 0), loWeek);
    EXPECT_EQ(LayoutOfRow(12, true, 0), loDay15);
    EXPECT_EQ(LayoutOfRow(8, true, 0), loMC60MonthLS);
    EXPECT_EQ(LayoutOfRow(-1, true, loMC24Month), loMC24Month);
    EXPECT_EQ(LayoutOfRow(13, false, loWeek), loWeek);
    // A damaged document's layout selects no row rather than a row past the list.
    EXPECT_EQ(RowOfLayout(22), -1);
    EXPECT_EQ(RowOfLayout(-3), -1);
}

TEST(PropertyRules, MarginEntriesCoverTheQuarterInchAboveEachValue)
{
    const std::pair<float, int> cases[] = {
        {0.3F, 0},  {0.6F, 1},  {2.0F, 5},   {0.25F, 0}, {0.4999F, 0}, {0.5F, 1},
        {0.75F, 2}, {1.0F, 3},  {1.25F, 4},  {1.5F, 5},  {0.0F, 0},    {-1.0F, 0},
    };
    for (const auto &[inches, entry] : cases)
        EXPECT_EQ(MarginEntry(inches), entry) << inches;
    EXPECT_STREQ(kInchCaptions.at(size_t(MarginEntry(0.3F))), "\u00bc Inch");
    EXPECT_STREQ(kInchCaptions.at(size_t(MarginEntry(0.6F))), "\u00bd Inch");
    EXPECT_STREQ(kInchCaptions.at(size_t(MarginEntry(2.0F))), "1\u00bd Inch");
}

TEST(PropertyRules, OnlyTheSixRealEntriesGiveAMargin)
{
    for (int entry = 0; entry < kMarginEntryCount; ++entry) {
        float inches = -1;
        ASSERT_TRUE(MarginOfEntry(entry, inches));
        EXPECT_EQ(inches, 0.25F * static_cast<float>(entry + 1));
        EXPECT_EQ(MarginEntry(inches), entry);
    }
    float untouched = 0.7F;
    EXPECT_FALSE(MarginOfEntry(6, untouched));
    EXPECT_FALSE(MarginOfEntry(-1, untouched));
    EXPECT_EQ(untouched, 0.7F);
}

TEST(PropertyRules, AvailabilityFollowsTheLayoutFamily)
{
    struct Case
    {
        int layout;
        TPropertyAvailability expected;
    };
    //                            orient week  full   title  minis  time
    const Case cases[] = {
        {loFullCalendar, {true, true, true, true, false, false}},
        {loFC12AfterLS, {true, true, true, true, true, false}},
        {lopMC6Month, {true, true, false, false, true, false}},
        {loMC60MonthLS, {true, true, false, false, true, false}},
        {loWeek, {false, false, false, true, false, false}},
        {lo2Week, {false, false, false, true, false, false}},
        {loDay10, {false, false, false, true, false, true}},
        {loDay15, {false, false, false, true, false, true}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AvailabilityOf(c.layout), c.expected) << c.layout;
}

TEST(PropertyRules, YearStepsTurnLeapDayIntoTheTwentyEighth)
{
    EXPECT_EQ(StepYear({2024, 2, 29}, 1), (TGridDate{2025, 2, 28}));
    EXPECT_EQ(StepYear({2024, 2, 29}, -1), (TGridDate{2023, 2, 28}));
    // The day is moved even when the target year has a 29th: the rule does not look ahead.
    EXPECT_EQ(StepYear({2000, 2, 29}, 4), (TGridDate{2004, 2, 28}));
    EXPECT_EQ(StepYear({2023, 3, 31}, 1), (TGridDate{2024, 3, 31}));
    EXPECT_EQ(StepYear({9999, 6, 1}, 1), (TGridDate{9999, 6, 1}));
    EXPECT_EQ(StepYear({1, 6, 1}, -1), (TGridDate{1, 6, 1}));
}

TEST(PropertyRules, MonthStepsCrossYearsAndKeepTheDayInsideTheMonth)
{
    EXPECT_EQ(StepMonth({2024, 1, 31}, 1), (TGridDate{2024, 2, 29}));
    EXPECT_EQ(StepMonth({2023, 1, 31}, 1), (TGridDate{2023, 2, 28}));
    EXPECT_EQ(StepMonth({2023, 12, 15}, 1), (TGridDate{2024, 1, 15}));
    EXPECT_EQ(StepMonth({2024, 1, 15}, -1), (TGridDate{2023, 12, 15}));
    EXPECT_EQ(StepMonth({2024, 3, 31}, -1), (TGridDate{2024, 2, 29}));
    EXPECT_EQ(StepMonth({9999, 12, 1}, 1), (TGridDate{9999, 12, 1}));
    EXPECT_EQ(StepMonth({1, 1, 1}, -1), (TGridDate{1, 1, 1}));
}

TEST(PropertyRules, PageDatesTheGridCannotShowAreBroughtIntoRange)
{
    // A page as designed carries day 0.
    EXPECT_EQ(ValidGridDate(1997, 12, 0), (TGridDate{1997, 12, 1}));
    EXPECT_EQ(ValidGridDate(2023, 2, 31), (TGridDate{2023, 2, 28}));
    EXPECT_EQ(ValidGridDate(2023, 13, 5), (TGridDate{2023, 12, 5}));
    EXPECT_EQ(ValidGridDate(0, 0, 0), (TGridDate{1, 1, 1}));
    EXPECT_EQ(ValidGridDate(20000, 2, 29), (TGridDate{9999, 2, 28}));
}
