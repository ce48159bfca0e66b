#include "common/DateValue.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(DateValue, KnownSerials)
{
    struct Case { int y, m, d; double serial; int dow; };
    const Case cases[] = {
        {1899, 12, 30, 0, 7}, {1899, 12, 31, 1, 1}, {1900, 1, 1, 2, 2},
        {1900, 3, 1, 61, 5},  {2000, 1, 1, 36526, 7}, {1997, 12, 29, 35793, 2},
        {2000, 2, 29, 36585, 3}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
        EXPECT_EQ(DayOfWeek(c.serial), c.dow);
        int y = 0, m = 0, d = 0;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}
