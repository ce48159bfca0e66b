#pragma once
// An iCalendar (.ics) file read through libical, reduced to plain values: its events with
// their repeat rules, and the occurrences of those events in a calendar month. This is the
// only place that talks to libical; everything above works on the structs below.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Damaged, truncated or oversized input, and rules too costly to expand. The message is
// meant for the user as it stands.
class IcsImportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Files larger than this are refused before parsing: no calendar a person keeps comes near.
inline constexpr std::size_t kMaxIcsBytes = 16u << 20;
// More events than this in one file are refused as well.
inline constexpr std::size_t kMaxIcsEvents = 100000;
// Occurrences beyond this in one month are refused: no page could show them.
inline constexpr std::size_t kMaxIcsOccurrencesPerMonth = 1000;

// A civil date and time without a zone: minutes since 1 January 1970 00:00 in whatever
// zone the caller chose to show times in.
using CivilMinutes = std::int64_t;
CivilMinutes civilMinutes(int year, int month, int day, int hour = 0, int minute = 0);
void civilFromMinutes(CivilMinutes value, int &year, int &month, int &day, int &hour,
                      int &minute);

// One RRULE as far as the recurring dates store can use it.
struct IcsRule
{
    enum class Frequency { Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly, None };
    struct WeekdayPosition
    {
        int position = 0; // 0 every such weekday; 1..53 the Nth; -1..-53 the Nth from the end
        int weekday = 0;  // 1 Sunday .. 7 Saturday
    };
    Frequency frequency = Frequency::None;
    int interval = 1;
    bool ends = false; // COUNT or UNTIL
    std::vector<int> byMonth;
    std::vector<int> byMonthDay;
    std::vector<WeekdayPosition> byDay;
    // BYSECOND, BYMINUTE, BYHOUR, BYYEARDAY, BYWEEKNO, BYSETPOS or a calendar scale.
    bool otherParts = false;
};

struct IcsEvent
{
    std::string summary; // UTF-8, line breaks turned into spaces
    bool allDay = false;
    // The start as written, in the event's own zone.
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    // All-day events: whole days; timed events: minutes. Never negative.
    std::int64_t length = 0;
    std::vector<IcsRule> rules;
    bool hasExtraDates = false;    // RDATE
    bool hasExcludedDates = false; // EXDATE or EXRULE
    bool changesOneDate = false;   // RECURRENCE-ID: one changed date of a repeating event
    bool cancelled = false;
};

// One occurrence, in the zone the times are shown in.
struct IcsInstance
{
    std::size_t event = 0; // index into TIcsCalendar::events()
    bool allDay = false;
    CivilMinutes start = 0;
    CivilMinutes end = 0; // exclusive; equal to start for an event without length
};

class TIcsCalendar
{
public:
    // Reads the bytes. timeZone is the IANA name of the zone times are shown in; empty or
    // unknown shows every time as written in its own zone. Throws IcsImportError.
    TIcsCalendar(std::string_view bytes, const std::string &timeZone);
    ~TIcsCalendar();
    TIcsCalendar(TIcsCalendar &&) noexcept;
    TIcsCalendar &operator=(TIcsCalendar &&) noexcept;
    TIcsCalendar(const TIcsCalendar &) = delete;
    TIcsCalendar &operator=(const TIcsCalendar &) = delete;

    const std::vector<IcsEvent> &events() const;

    // Every occurrence that touches the month (a multi-day one that began earlier too),
    // ordered by start. Cancelled events and cancelled dates are left out. Throws
    // IcsImportError when a rule needs more steps than any sane calendar does.
    std::vector<IcsInstance> instancesInMonth(int year, int month) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace velmora
