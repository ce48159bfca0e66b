#include "common/DateValue.h"

#include <cmath>
#include <cstdint>

namespace velmora {

namespace {
constexpr int64_t kDaysTo1899 = 693594; // days from 1 January 0001 to 30 December 1899
constexpr int64_t kMsPerDay = 86400000;

int64_t daysBeforeYear(int64_t y) // days from 0001-01-01 to y-01-01
{
    const int64_t i = y - 1;
    return i * 365 + i / 4 - i / 100 + i / 400;
}
} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime &result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    int64_t dayOfYear = day;
    for (int m = 1; m < month; ++m)
        dayOfYear += DaysInMonth(year, m);
    result = static_cast<double>(daysBeforeYear(year) + dayOfYear - kDaysTo1899);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d = 0;
    TryEncodeDate(year, month, day, d);
    return d;
}

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
    // Days since 0001-01-01 (that day being 0).
    int64_t n = static_cast<int64_t>(std::floor(date)) + kDaysTo1899 - 1;
    if (n < 0) {
        year = month = day = 0;
        return;
    }
    // 400-year cycles of 146097 days, then centuries, 4-year spans and years.
    int64_t y = 1 + 400 * (n / 146097);
    n %= 146097;
    int64_t c = n / 36524;
    if (c == 4)
        c = 3; // last day of a 400-year cycle
    y += 100 * c;
    n -= c * 36524;
    y += 4 * (n / 1461);
    n %= 1461;
    int64_t k = n / 365;
    if (k == 4)
        k = 3; // last day of a leap year
    y += k;
    n -= k * 365;
    int m = 1;
    while (m < 12 && n >= DaysInMonth(static_cast<int>(y), m)) {
        n -= DaysInMonth(static_cast<int>(y), m);
        ++m;
    }
    year = static_cast<int>(y);
    month = m;
    day = static_cast<int>(n) + 1;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    return static_cast<double>(static_cast<int64_t>(hour) * 3600000 + minute * 60000 +
                               second * 1000 + msec) /
           static_cast<double>(kMsPerDay);
}

void DecodeTime(TDateTime time, int &hour, int &minute, int &second, int &msec)
{
    double frac = std::fabs(time - std::trunc(time));
    auto ms = static_cast<int64_t>(std::llround(frac * static_cast<double>(kMsPerDay)));
    if (ms >= kMsPerDay)
        ms = kMsPerDay - 1;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime date)
{
    // Serial 0 (30 December 1899) was a Saturday.
    const auto n = static_cast<int64_t>(std::floor(date));
    return static_cast<int>(((n % 7) + 7 + 6) % 7) + 1;
}

std::string FormatTimeAmPm(TDateTime time)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(time, h, m, s, ms);
    const bool pm = h >= 12;
    int h12 = h % 12;
    if (h12 == 0)
        h12 = 12;
    std::string out = std::to_string(h12) + ":";
    if (m < 10)
        out += '0';
    out += std::to_string(m);
    out += pm ? " pm" : " am";
    return out;
}

} // namespace velmora
