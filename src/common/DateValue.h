#pragma once
#include <string>

// The shared date value: days since 30 December 1899, the fraction being the time of day.

namespace velmora {

using TDateTime = double;

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12 (values a damaged document can carry).
int DaysInMonth(int year, int month);

// Proleptic Gregorian encoding. Returns false (and leaves result alone) for a year
// outside 1..9999, a month outside 1..12 or a day outside the month.
bool TryEncodeDate(int year, int month, int day, TDateTime &result);
// Like TryEncodeDate; an impossible date gives 0.
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime date, int &year, int &month, int &day);

TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);
void DecodeTime(TDateTime time, int &hour, int &minute, int &second, int &msec);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);

// "h:mm ampm": 12-hour clock without a leading zero, "am" or "pm" (8:00 am, 12:30 pm).
std::string FormatTimeAmPm(TDateTime time);

} // namespace velmora
