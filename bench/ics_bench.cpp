// Importing a large iCalendar file into one month: reading it with libical, expanding the
// repeat rules and producing the day texts, as the import command and the exporter do.
#include "BenchMain.h"

#include "recurring/IcsImport.h"

#include <string>

using namespace velmora;

namespace {

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// 5,000 events: 200 repeating ones (weekly, monthly on a weekday, yearly, daily to the end
// of their year, fortnightly, some with excluded dates and zones) begun from 2020 to 2028,
// and 4,800 single events spread over the same years. March 2027 gets some 400 texts.
std::string largeCalendar()
{
    std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora bench//EN\r\n";
    for (int i = 0; i < 5000; ++i) {
        const int year = 2020 + i % 9;
        const int month = 1 + i % 12;
        const int day = 1 + i % 28;
        const std::string date = std::to_string(year) + twoDigits(month) + twoDigits(day);
        ics += "BEGIN:VEVENT\r\nUID:event-" + std::to_string(i) + "@bench\r\n";
        ics += "SUMMARY:Event number " + std::to_string(i) + "\r\n";
        ics += "DESCRIPTION:Some notes that a calendar program keeps with the event.\r\n";
        if (i < 200) {
            switch (i % 5) {
            case 0:
                ics += "DTSTART;TZID=Europe/Berlin:" + date + "T090000\r\nDURATION:PT1H\r\n"
                       "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nEXDATE;TZID=Europe/Berlin:" +
                       date + "T090000\r\n";
                break;
            case 1:
                ics += "DTSTART;VALUE=DATE:" + date + "\r\nRRULE:FREQ=MONTHLY;BYDAY=-1FR\r\n";
                break;
            case 2:
                ics += "DTSTART;VALUE=DATE:" + date + "\r\nRRULE:FREQ=YEARLY\r\n";
                break;
            case 3:
                ics += "DTSTART:" + date + "T173000Z\r\nDTEND:" + date +
                       "T183000Z\r\nRRULE:FREQ=DAILY;UNTIL=" + std::to_string(year) +
                       "1231T000000Z\r\n";
                break;
            default:
                ics += "DTSTART;TZID=America/New_York:" + date +
                       "T220000\r\nDURATION:PT3H\r\nRRULE:FREQ=WEEKLY;INTERVAL=2\r\n";
                break;
            }
        } else {
            ics += "DTSTART:" + date + "T" + twoDigits(8 + i % 10) + "0000\r\nDTEND:" + date + "T" +
                   twoDigits(9 + i % 10) + "0000\r\n";
        }
        ics += "END:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

void BM_ImportIcsIntoOneMonth(benchmark::State &state)
{
    const std::string ics = largeCalendar();
    std::size_t texts = 0;
    for (auto _ : state) {
        const std::vector<IcsDayText> month =
            IcsOccurrencesInMonth(ics, 2027, 3, {"Europe/Berlin", {}});
        texts = month.size();
        benchmark::DoNotOptimize(texts);
    }
    state.counters["texts"] = static_cast<double>(texts);
    state.counters["bytes"] = static_cast<double>(ics.size());
}
BENCHMARK(BM_ImportIcsIntoOneMonth)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

VELMORA_BENCH_MAIN()
