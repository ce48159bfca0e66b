#include "recurring/IcsImport.h"

#include "common/Cp1252.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

constexpr CivilMinutes kDay = 24 * 60;

const IcsTimeText &orDefault(const IcsTimeText &timeText)
{
    static const IcsTimeText fallback = DefaultIcsTimeText;
    return timeText ? timeText : fallback;
}

std::string titleOf(const IcsEvent &event)
{
    return event.summary.empty() ? std::string("(no title)") : event.summary;
}

// 1 Sunday .. 7 Saturday; 1 January 1970 was a Thursday.
int weekdayOf(int year, int month, int day)
{
    const CivilMinutes days = civilMinutes(year, month, day) / kDay;
    return static_cast<int>(((days + 4) % 7 + 7) % 7) + 1;
}

const char *unitName(IcsRule::Frequency f)
{
    switch (f) {
    case IcsRule::Frequency::Daily: return "days";
    case IcsRule::Frequency::Weekly: return "weeks";
    case IcsRule::Frequency::Monthly: return "months";
    case IcsRule::Frequency::Yearly: return "years";
    default: return "times";
    }
}

struct Conversion
{
    std::string formula;
    std::string reason;
};

Conversion refuse(std::string reason)
{
    return {{}, std::move(reason)};
}

// "@" or "$" for one month index (0 every month) from a rule's day parts.
Conversion dateFormula(const IcsEvent &event, const IcsRule &rule, int monthIndex)
{
    if (!rule.byDay.empty() && !rule.byMonthDay.empty())
        return refuse("combines days of the month with weekdays");
    if (rule.byDay.empty()) {
        if (rule.byMonthDay.size() > 1) return refuse("falls on several days of the month");
        const int day = rule.byMonthDay.empty() ? event.day : rule.byMonthDay.front();
        if (day < 1 || day > 31) return refuse("counts days from the end of the month");
        return {DayOfMonthFormula(day, monthIndex), {}};
    }
    if (rule.byDay.size() > 1) return refuse("falls on several weekdays");
    const IcsRule::WeekdayPosition wp = rule.byDay.front();
    if (wp.weekday < 1 || wp.weekday > 7) return refuse("names no weekday");
    int occurrence = 0;
    if (wp.position >= 1 && wp.position <= 5)
        occurrence = wp.position - 1;
    else if (wp.position == -1)
        occurrence = kLastOccurrence;
    else if (wp.position == 0)
        return refuse("falls on every such weekday of the month");
    else
        return refuse("counts weekdays in a way the recurring dates cannot");
    return {SpecialFormula(occurrence, wp.weekday - 1, monthIndex), {}};
}

Conversion weekdaysFormula(const IcsEvent &event, const IcsRule &rule, bool everyDay)
{
    if (!rule.byMonth.empty() || !rule.byMonthDay.empty())
        return refuse("is limited to some months or days");
    std::array<bool, 7> days{};
    if (rule.byDay.empty()) {
        if (everyDay)
            days.fill(true);
        else
            days[static_cast<std::size_t>(weekdayOf(event.year, event.month, event.day) - 1)] = true;
    }
    for (const IcsRule::WeekdayPosition &wp : rule.byDay) {
        if (wp.position != 0) return refuse("counts weekdays in a way the recurring dates cannot");
        if (wp.weekday < 1 || wp.weekday > 7) return refuse("names no weekday");
        days[static_cast<std::size_t>(wp.weekday - 1)] = true;
    }
    return {DaysOfWeekFormula(days), {}};
}

Conversion convert(const IcsEvent &event)
{
    if (event.cancelled) return refuse("is cancelled");
    if (event.changesOneDate) return refuse("changes one date of a repeating event");
    if (event.rules.empty())
        return refuse(event.hasExtraDates ? "repeats on a list of dates" : "happens only once");
    if (event.rules.size() > 1) return refuse("has several repeat rules");
    if (event.hasExtraDates) return refuse("repeats on extra dates as well");
    if (event.hasExcludedDates) return refuse("leaves out some dates");
    const bool severalDays = event.allDay ? event.length > 1
                                          : event.hour * 60 + event.minute + event.length > kDay;
    if (severalDays) return refuse("lasts more than one day");
    const IcsRule &rule = event.rules.front();
    if (rule.ends) return refuse("stops after a number of times or on a date");
    if (rule.otherParts) return refuse("uses rule parts the recurring dates cannot express");
    if (rule.interval > 1)
        return refuse("repeats every " + std::to_string(rule.interval) + " " +
                      unitName(rule.frequency));
    switch (rule.frequency) {
    case IcsRule::Frequency::Yearly: {
        if (rule.byMonth.size() > 1) return refuse("falls in several months");
        const int month = rule.byMonth.empty() ? event.month : rule.byMonth.front();
        if (month < 1 || month > 12) return refuse("names no month");
        return dateFormula(event, rule, month);
    }
    case IcsRule::Frequency::Monthly:
        if (!rule.byMonth.empty()) return refuse("is limited to some months");
        return dateFormula(event, rule, kEachMonth);
    case IcsRule::Frequency::Weekly:
        return weekdaysFormula(event, rule, false);
    case IcsRule::Frequency::Daily:
        return weekdaysFormula(event, rule, true);
    case IcsRule::Frequency::None:
        return refuse("has a repeat rule without a frequency");
    default:
        return refuse("repeats more than once a day");
    }
}

} // namespace

std::string DefaultIcsTimeText(int hour, int minute)
{
    std::string text = std::to_string(hour) + ':';
    if (minute < 10) text += '0';
    return text + std::to_string(minute);
}

std::vector<IcsDayText> IcsDayTexts(const TIcsCalendar &calendar, int year, int month,
                                    const IcsTimeText &timeText)
{
    const IcsTimeText &time = orDefault(timeText);
    const CivilMinutes monthStart = civilMinutes(year, month, 1);
    const int monthDays = DaysInMonth(year, month);
    struct Placed
    {
        int day;
        std::size_t event;
        std::string text;
    };
    std::vector<Placed> placed;
    const std::vector<IcsInstance> instances = calendar.instancesInMonth(year, month);
    for (const IcsInstance &inst : instances) {
        const std::string title = titleOf(calendar.events()[inst.event]);
        // The last minute the event covers decides its last day; an event without length
        // covers its start.
        const CivilMinutes last = std::max(inst.start, inst.end - 1);
        const CivilMinutes firstDay = (inst.start - monthStart) >= 0
                                          ? (inst.start - monthStart) / kDay
                                          : -((monthStart - inst.start + kDay - 1) / kDay);
        const CivilMinutes lastDay = (last - monthStart) >= 0
                                         ? (last - monthStart) / kDay
                                         : -((monthStart - last + kDay - 1) / kDay);
        for (CivilMinutes d = std::max<CivilMinutes>(firstDay, 0);
             d <= std::min<CivilMinutes>(lastDay, monthDays - 1); ++d) {
            std::string text = title;
            if (!inst.allDay && d == firstDay) {
                int y = 0, m = 0, day = 0, hour = 0, minute = 0;
                civilFromMinutes(inst.start, y, m, day, hour, minute);
                text = time(hour, minute) + " " + title;
            }
            placed.push_back({static_cast<int>(d) + 1, inst.event, std::move(text)});
            if (placed.size() > kMaxIcsOccurrencesPerMonth)
                throw IcsImportError(
                    "The calendar has more than 1,000 events in one month; nothing was imported.");
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed &a, const Placed &b) { return a.day < b.day; });
    std::vector<IcsDayText> texts;
    texts.reserve(placed.size());
    for (Placed &p : placed)
        texts.push_back({p.day, std::move(p.text), p.event, titleOf(calendar.events()[p.event])});
    return texts;
}

std::vector<IcsDayText> IcsOccurrencesInMonth(std::string_view ics, int year, int month,
                                              const IcsImportOptions &options)
{
    const TIcsCalendar calendar(ics, options.timeZone);
    return IcsDayTexts(calendar, year, month, options.timeText);
}

IcsStoreImport IcsStoreEntries(const TIcsCalendar &calendar, const IcsTimeText &timeText)
{
    const IcsTimeText &time = orDefault(timeText);
    IcsStoreImport result;
    for (const IcsEvent &event : calendar.events()) {
        const Conversion c = convert(event);
        if (c.formula.empty()) {
            result.notImported.push_back({titleOf(event), c.reason});
            continue;
        }
        std::string text = titleOf(event);
        if (!event.allDay) text = time(event.hour, event.minute) + " " + text;
        const std::string line = MakeRecurringEntry(Utf8ToCp1252(text), c.formula);
        if (std::find(result.entries.begin(), result.entries.end(), line) == result.entries.end())
            result.entries.push_back(line);
    }
    return result;
}

std::vector<std::string> MergeIntoStore(std::vector<std::string> store,
                                        const std::vector<std::string> &entries)
{
    for (const std::string &line : entries)
        if (std::find(store.begin(), store.end(), line) == store.end()) store.push_back(line);
    sortRecurLines(store);
    return store;
}

} // namespace velmora
