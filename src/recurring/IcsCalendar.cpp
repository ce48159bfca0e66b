#include "recurring/IcsCalendar.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

namespace velmora {

namespace {

constexpr CivilMinutes kMinutesPerDay = 24 * 60;
// A rule that needs more steps than this to reach the month is stopped. Daily and slower
// rules jump close to the month (jumpNear); hourly for five years fits, a rule stepping by
// the second from long ago does not.
constexpr long kMaxStepsPerEvent = 50000;
constexpr long kMaxStepsPerMonth = 500000;
// Cells hold short notes; a summary longer than this is cut at a character boundary.
constexpr std::size_t kMaxSummaryBytes = 255;

// Days since 1970-01-01 of a proleptic Gregorian date (the usual era arithmetic).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int &year, int &month, int &day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

void ensureLibraryQuiet()
{
    // libical aborts on its own errors unless told otherwise; damaged input must not end
    // the program.
    static std::once_flag once;
    std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

struct ComponentFree
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

// The iterator must go also when the month overflows and an error is thrown mid-way.
struct IteratorFree
{
    void operator()(icalrecur_iterator *it) const { icalrecur_iterator_free(it); }
};
using IteratorPtr = std::unique_ptr<icalrecur_iterator, IteratorFree>;

std::string cleanSummary(const char *text)
{
    std::string s = text != nullptr ? text : "";
    for (char &c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    if (s.size() > kMaxSummaryBytes) {
        std::size_t cut = kMaxSummaryBytes;
        while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
            --cut;
        s.resize(cut);
    }
    return s;
}

// libical drops lines it cannot read and notes why. A broken description or an empty
// summary loses nothing that says when the event happens; any other damage might (a line
// whose name is unreadable may have been its start), and guessing around it would put
// events on wrong days.
bool harmlessError(const std::string &message)
{
    static constexpr std::string_view kDateProperties[] = {
        "DTSTART", "DTEND", "DURATION", "RRULE", "RDATE", "EXDATE", "EXRULE", "RECURRENCE-ID",
        "STATUS", "UID"};
    const std::size_t at = message.find(" property");
    if (at == std::string::npos) return false;
    const std::size_t from = message.rfind(' ', at == 0 ? 0 : at - 1);
    const std::string name = message.substr(from == std::string::npos ? 0 : from + 1,
                                            at - (from == std::string::npos ? 0 : from + 1));
    if (name.empty()) return false;
    for (const std::string_view date : kDateProperties)
        if (name == date) return false;
    return true;
}

void collectArray(const short *values, int size, std::vector<int> &out)
{
    for (int i = 0; i < size && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        out.push_back(values[i]);
}

bool arrayUsed(const short *values)
{
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

IcsRule ruleOf(const icalrecurrencetype &r)
{
    IcsRule rule;
    rule.frequency = r.freq <= ICAL_NO_RECURRENCE ? static_cast<IcsRule::Frequency>(r.freq)
                                                  : IcsRule::Frequency::None;
    rule.interval = r.interval;
    rule.ends = r.count > 0 || !icaltime_is_null_time(r.until);
    for (int i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        if (icalrecurrencetype_month_is_leap(r.by_month[i])) rule.otherParts = true;
        rule.byMonth.push_back(icalrecurrencetype_month_month(r.by_month[i]));
    }
    collectArray(r.by_month_day, ICAL_BY_MONTHDAY_SIZE, rule.byMonthDay);
    for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        rule.byDay.push_back({icalrecurrencetype_day_position(r.by_day[i]),
                              static_cast<int>(icalrecurrencetype_day_day_of_week(r.by_day[i]))});
    rule.otherParts = rule.otherParts || arrayUsed(r.by_second) || arrayUsed(r.by_minute) ||
                      arrayUsed(r.by_hour) || arrayUsed(r.by_year_day) ||
                      arrayUsed(r.by_week_no) || arrayUsed(r.by_set_pos) ||
                      (r.rscale != nullptr && *r.rscale != '\0');
    return rule;
}

// Whether an occurrence is the one a date list (EXDATE, RECURRENCE-ID) names. A date
// without time names every occurrence on that day.
bool names(const icaltimetype &listed, const icaltimetype &occurrence)
{
    if (listed.is_date)
        return listed.year == occurrence.year && listed.month == occurrence.month &&
               listed.day == occurrence.day;
    return icaltime_compare(listed, occurrence) == 0;
}

// RDATE, EXDATE and RECURRENCE-ID values come without their zone: it is in the property's
// TZID parameter, and without one the value shares the start's zone.
icaltimetype inZone(icalproperty *property, icalcomponent *event, icaltimetype t,
                    const icaltimezone *startZone)
{
    if (t.is_date || t.zone != nullptr || icaltime_is_utc(t)) return t;
    const icaltimezone *zone = startZone;
    if (icalparameter *tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
        const char *name = icalparameter_get_tzid(tzid);
        icaltimezone *own = name != nullptr
                                ? icalcomponent_get_timezone(icalcomponent_get_parent(event), name)
                                : nullptr;
        if (own == nullptr && name != nullptr) own = icaltimezone_get_builtin_timezone(name);
        zone = own;
    }
    return icaltime_set_timezone(&t, zone);
}

bool namedIn(const std::vector<icaltimetype> &list, const icaltimetype &occurrence)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const icaltimetype &t) { return names(t, occurrence); });
}

// Starts a rule's iteration shortly before the month instead of at DTSTART, so that a
// daily rule begun a century ago costs no more than one begun last week. libical can only
// do this for rules without COUNT, and aligns the steps correctly only from daily upward.
void jumpNear(icalrecur_iterator *it, const icalrecurrencetype &rule, const icaltimetype &start,
              CivilMinutes near)
{
    if (rule.count > 0 || rule.freq < ICAL_DAILY_RECURRENCE || rule.freq > ICAL_YEARLY_RECURRENCE)
        return;
    icaltimetype from = start;
    int hour = 0, minute = 0;
    civilFromMinutes(near, from.year, from.month, from.day, hour, minute);
    if (!start.is_date) {
        from.hour = 0;
        from.minute = 0;
        from.second = 0;
    }
    if (icaltime_compare(from, start) <= 0) return;
    if (!icaltime_is_null_time(rule.until) && icaltime_compare(from, rule.until) > 0) return;
    icalrecur_iterator_set_start(it, from);
}

// Rules that ask for what no month or year has (the eleventh Friday of a month, the 30th of
// February) make libical search to the end of its calendar for an occurrence: seconds for
// every month shown. They never occur and are skipped.
bool neverOccurs(const icalrecurrencetype &rule)
{
    auto values = [](const short *list, std::size_t size) {
        std::vector<short> out;
        for (std::size_t i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            out.push_back(list[i]);
        return out;
    };
    const std::vector<short> weekdays = values(rule.by_day, ICAL_BY_DAY_SIZE);
    const std::vector<short> months = values(rule.by_month, ICAL_BY_MONTH_SIZE);
    const std::vector<short> monthDays = values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    if (!weekdays.empty()) {
        // A month has a weekday at most five times, a year 53 times.
        const bool inMonth = rule.freq == ICAL_MONTHLY_RECURRENCE ||
                             (rule.freq == ICAL_YEARLY_RECURRENCE && !months.empty());
        const int most = inMonth ? 5 : 53;
        if (std::none_of(weekdays.begin(), weekdays.end(), [most](short d) {
                return std::abs(icalrecurrencetype_day_position(d)) <= most;
            }))
            return true;
    }
    if (!monthDays.empty()) {
        int longest = months.empty() ? 31 : 0;
        for (const short m : months) {
            const int month = icalrecurrencetype_month_month(m);
            longest = std::max(longest, month == 2                                       ? 29
                                        : month == 4 || month == 6 || month == 9 || month == 11 ? 30
                                                                                         : 31);
        }
        if (std::none_of(monthDays.begin(), monthDays.end(),
                         [longest](short d) { return d != 0 && std::abs(d) <= longest; }))
            return true;
    }
    return false;
}

} // namespace

CivilMinutes civilMinutes(int year, int month, int day, int hour, int minute)
{
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) *
               kMinutesPerDay +
           hour * 60 + minute;
}

void civilFromMinutes(CivilMinutes value, int &year, int &month, int &day, int &hour, int &minute)
{
    std::int64_t days = value / kMinutesPerDay;
    std::int64_t rest = value % kMinutesPerDay;
    if (rest < 0) {
        rest += kMinutesPerDay;
        --days;
    }
    civilFromDays(days, year, month, day);
    hour = static_cast<int>(rest / 60);
    minute = static_cast<int>(rest % 60);
}

struct TIcsCalendar::Impl
{
    struct Source
    {
        icaltimetype start{};
        std::int64_t lengthMinutes = 0; // all-day lengths too, as whole days of minutes
        std::vector<icalrecurrencetype> rules;
        std::vector<icaltimetype> extraDates;
        std::vector<icaltimetype> excluded; // EXDATE and dates changed by another event
    };

    ComponentPtr root;
    icaltimezone *shownZone = nullptr;
    std::vector<IcsEvent> events;
    std::vector<Source> sources;

    void read(std::string_view bytes);
    void readEvent(icalcomponent *event, std::map<std::string, std::vector<icaltimetype>> &changed,
                   std::vector<std::string> &uids);
    CivilMinutes shown(icaltimetype t) const;
};

void TIcsCalendar::Impl::read(std::string_view bytes)
{
    if (bytes.size() > kMaxIcsBytes)
        throw IcsImportError("The calendar file is too large to import (more than 16 MB).");
    // libical reads a C string; a NUL inside would silently cut the file short.
    if (bytes.find('\0') != std::string_view::npos)
        throw IcsImportError("The file is not an iCalendar file: it holds binary data.");
    const std::string text(bytes);
    ensureLibraryQuiet();
    root.reset(icalparser_parse_string(text.c_str()));
    icalcomponent *calendar = root.get();
    if (calendar != nullptr && icalcomponent_isa(calendar) == ICAL_XROOT_COMPONENT)
        calendar = icalcomponent_get_first_component(calendar, ICAL_VCALENDAR_COMPONENT);
    if (calendar == nullptr || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT)
        throw IcsImportError("The file is not an iCalendar file, or it is damaged or cut short.");

    std::map<std::string, std::vector<icaltimetype>> changed; // UID -> RECURRENCE-IDs
    std::vector<std::string> uids;
    std::size_t count = 0;
    for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (++count > kMaxIcsEvents)
            throw IcsImportError("The calendar file holds too many events to import.");
        readEvent(event, changed, uids);
    }
    // A changed date replaces the master's occurrence on the original date.
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].changesOneDate) continue;
        const auto found = changed.find(uids[i]);
        if (found != changed.end())
            sources[i].excluded.insert(sources[i].excluded.end(), found->second.begin(),
                                       found->second.end());
    }
}

void TIcsCalendar::Impl::readEvent(icalcomponent *event,
                                   std::map<std::string, std::vector<icaltimetype>> &changed,
                                   std::vector<std::string> &uids)
{
    IcsEvent info;
    Source source;
    info.summary = cleanSummary(icalcomponent_get_summary(event));
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(event, ICAL_XLICERROR_PROPERTY)) {
        const char *message = icalproperty_get_xlicerror(p);
        std::string what = message != nullptr ? message : "unreadable line";
        if (harmlessError(what)) continue;
        if (what.size() > 200) what.resize(200);
        throw IcsImportError("The calendar file is damaged: event \"" + info.summary + "\": " +
                             what);
    }

    source.start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(source.start) || !icaltime_is_valid_time(source.start))
        throw IcsImportError("The calendar file is damaged: event \"" + info.summary +
                             "\" has no start date.");
    if (source.start.year < 1 || source.start.year > 9999)
        throw IcsImportError("The calendar file is damaged: event \"" + info.summary +
                             "\" starts outside the years 1 to 9999.");
    info.allDay = source.start.is_date != 0;
    info.year = source.start.year;
    info.month = source.start.month;
    info.day = source.start.day;
    info.hour = info.allDay ? 0 : source.start.hour;
    info.minute = info.allDay ? 0 : source.start.minute;

    const icaltimetype end = icalcomponent_get_dtend(event);
    if (!icaltime_is_null_time(end) && icaltime_is_valid_time(end) && end.year >= 1 &&
        end.year <= 9999) {
        if (info.allDay) {
            const std::int64_t days = daysFromCivil(end.year, static_cast<unsigned>(end.month),
                                                    static_cast<unsigned>(end.day)) -
                                      daysFromCivil(info.year, static_cast<unsigned>(info.month),
                                                    static_cast<unsigned>(info.day));
            info.length = std::max<std::int64_t>(days, 1);
        } else {
            // Through UTC, so that a start and end in different zones measure right.
            const icaltimetype s = icaltime_convert_to_zone(source.start,
                                                            icaltimezone_get_utc_timezone());
            const icaltimetype e = icaltime_convert_to_zone(end, icaltimezone_get_utc_timezone());
            const std::int64_t minutes =
                civilMinutes(e.year, e.month, e.day, e.hour, e.minute) -
                civilMinutes(s.year, s.month, s.day, s.hour, s.minute);
            info.length = std::max<std::int64_t>(minutes, 0);
        }
    } else {
        info.length = info.allDay ? 1 : 0;
    }
    source.lengthMinutes = info.allDay ? info.length * kMinutesPerDay : info.length;

    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        source.rules.push_back(icalproperty_get_rrule(p));
        info.rules.push_back(ruleOf(source.rules.back()));
    }
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        icaltimetype t = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t) || t.year < 1 || t.year > 9999)
            continue;
        t = inZone(p, event, t, source.start.zone);
        source.extraDates.push_back(t);
        info.hasExtraDates = true;
    }
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype listed = icalproperty_get_exdate(p);
        if (icaltime_is_null_time(listed)) continue;
        const icaltimetype t = inZone(p, event, listed, source.start.zone);
        source.excluded.push_back(t);
        info.hasExcludedDates = true;
    }
    if (icalcomponent_get_first_property(event, ICAL_EXRULE_PROPERTY) != nullptr)
        info.hasExcludedDates = true;

    info.cancelled = icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
    const char *uid = icalcomponent_get_uid(event);
    uids.emplace_back(uid != nullptr ? uid : "");
    if (icalproperty *rid = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
        const icaltimetype id = inZone(rid, event, icalproperty_get_recurrenceid(rid),
                                       source.start.zone);
        if (!icaltime_is_null_time(id) && !uids.back().empty()) {
            info.changesOneDate = true;
            // The changed occurrence stands alone; its own rules, if any, are not the series'.
            source.rules.clear();
            changed[uids.back()].push_back(id);
        }
    }
    events.push_back(std::move(info));
    sources.push_back(std::move(source));
}

CivilMinutes TIcsCalendar::Impl::shown(icaltimetype t) const
{
    if (t.is_date) return civilMinutes(t.year, t.month, t.day);
    if (shownZone != nullptr && (t.zone != nullptr || icaltime_is_utc(t)))
        t = icaltime_convert_to_zone(t, shownZone);
    return civilMinutes(t.year, t.month, t.day, t.hour, t.minute);
}

TIcsCalendar::TIcsCalendar(std::string_view bytes, const std::string &timeZone)
    : impl_(std::make_unique<Impl>())
{
    ensureLibraryQuiet();
    if (timeZone == "UTC" || timeZone == "Etc/UTC")
        impl_->shownZone = icaltimezone_get_utc_timezone();
    else if (!timeZone.empty())
        impl_->shownZone = icaltimezone_get_builtin_timezone(timeZone.c_str());
    impl_->read(bytes);
}

TIcsCalendar::~TIcsCalendar() = default;
TIcsCalendar::TIcsCalendar(TIcsCalendar &&) noexcept = default;
TIcsCalendar &TIcsCalendar::operator=(TIcsCalendar &&) noexcept = default;

const std::vector<IcsEvent> &TIcsCalendar::events() const
{
    return impl_->events;
}

std::vector<IcsInstance> TIcsCalendar::instancesInMonth(int year, int month) const
{
    const CivilMinutes monthStart = civilMinutes(year, month, 1);
    const CivilMinutes monthEnd = month == 12 ? civilMinutes(year + 1, 1, 1)
                                              : civilMinutes(year, month + 1, 1);
    std::vector<IcsInstance> found;
    long totalSteps = 0;

    for (std::size_t i = 0; i < impl_->events.size(); ++i) {
        const IcsEvent &event = impl_->events[i];
        const Impl::Source &source = impl_->sources[i];
        if (event.cancelled) continue;
        std::vector<CivilMinutes> starts;
        // Times as written differ from the shown zone by less than a day either way, so
        // only occurrences written near the month need the costly zone conversion.
        const CivilMinutes nearFrom = monthStart - source.lengthMinutes - 2 * kMinutesPerDay;
        const CivilMinutes nearTo = monthEnd + 2 * kMinutesPerDay;
        auto written = [](const icaltimetype &t) {
            return civilMinutes(t.year, t.month, t.day, t.is_date ? 0 : t.hour,
                                t.is_date ? 0 : t.minute);
        };
        auto consider = [&](const icaltimetype &t) {
            const CivilMinutes w = written(t);
            if (w < nearFrom || w >= nearTo || namedIn(source.excluded, t)) return;
            const CivilMinutes s = impl_->shown(t);
            const CivilMinutes e = s + source.lengthMinutes;
            const bool touches = s < monthEnd && (e > monthStart || s >= monthStart);
            if (touches && std::find(starts.begin(), starts.end(), s) == starts.end()) {
                starts.push_back(s);
                if (found.size() + starts.size() > kMaxIcsOccurrencesPerMonth)
                    throw IcsImportError(
                        "The calendar has more than 1,000 events in one month; nothing was "
                        "imported.");
            }
        };
        // DTSTART is always an occurrence, whether or not the rule would produce it.
        consider(source.start);
        for (const icalrecurrencetype &rule : source.rules) {
            if (neverOccurs(rule))
                continue;
            const IteratorPtr it(icalrecur_iterator_new(rule, source.start));
            if (!it) continue; // a rule libical finds impossible yields nothing
            jumpNear(it.get(), rule, source.start, nearFrom);
            long steps = 0;
            for (icaltimetype t = icalrecur_iterator_next(it.get()); !icaltime_is_null_time(t);
                 t = icalrecur_iterator_next(it.get())) {
                if (++steps > kMaxStepsPerEvent || ++totalSteps > kMaxStepsPerMonth)
                    throw IcsImportError("The repeat rule of event \"" + event.summary +
                                         "\" repeats too often to be expanded.");
                if (written(t) >= nearTo) break;
                if (!t.is_date) t = icaltime_set_timezone(&t, source.start.zone);
                consider(t);
            }
        }
        for (const icaltimetype &t : source.extraDates)
            consider(t);
        for (const CivilMinutes s : starts)
            found.push_back({i, event.allDay, s, s + source.lengthMinutes});
    }
    std::stable_sort(found.begin(), found.end(), [](const IcsInstance &a, const IcsInstance &b) {
        if (a.start != b.start) return a.start < b.start;
        return a.allDay && !b.allDay;
    });
    return found;
}

} // namespace velmora
