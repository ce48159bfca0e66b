#include "RecurDialogFixture.h"

#include "recurring/HolidaySets.h"
#include "recurring/IcsCommands.h"
#include "recurring/RecurFormula.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <fstream>
#include <utility>

using namespace velmora;
using Calls = std::vector<std::pair<int, QString>>;

namespace {

const char *const kEvents =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Choir\r\nDTSTART:20270104T190000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nEXDATE:20270111T190000\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Anna\r\nDTSTART;VALUE=DATE:19900112\r\n"
    "RRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:c\r\nSUMMARY:Dentist\r\nDTSTART;VALUE=DATE:20270120\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

class IcsCommand : public test::RecurDialogFixture
{
protected:
    QString writeIcs(const std::string &bytes)
    {
        const auto path = folder / "events.ics";
        std::ofstream(path, std::ios::binary) << bytes;
        return QString::fromStdString(path.string());
    }
    IcsImportResult run(const QString &file, bool intoStore,
                        const std::function<bool(TSelectRecurringDates &)> &choose = {})
    {
        IcsImportRunners runners;
        runners.chooseFile = [file] { return file; };
        runners.chooseWay = [intoStore](TIcsImportWay &w) {
            (intoStore ? w.rbStore : w.rbCells)->setChecked(true);
            w.OkbuttonClick();
            return true;
        };
        runners.chooseEvents = [&](TSelectRecurringDates &d) {
            rows.clear();
            for (int i = 0; i < d.list()->count(); ++i)
                rows << d.list()->item(i)->text();
            checked = static_cast<int>(d.selectedLines().size());
            if (choose) return choose(d);
            d.okbuttonClick();
            return true;
        };
        return ImportIcsEvents(
            1, 2027, [this](int day, const QString &text) { calls.emplace_back(day, text); },
            {[this] { ++hidden; }, [this] { ++shown; }}, nullptr, runners);
    }
    Calls calls;
    QStringList rows;
    int checked = -1, hidden = 0, shown = 0;
};

} // namespace

TEST_F(IcsCommand, IntoTheMonthsCellsThroughTheCheckList)
{
    const QString file = writeIcs(kEvents);
    ASSERT_EQ(run(file, false), IcsImportResult::Filled);
    EXPECT_EQ(rows, (QStringList{"Choir (4, 18, 25)", "Anna (12)", "Dentist (20)"}));
    EXPECT_EQ(checked, 3);
    const QString choir = QString::fromStdString(ShortIcsTimeText(19, 0)) + " Choir";
    EXPECT_EQ(calls, (Calls{{4, choir}, {18, choir}, {25, choir}, {12, "Anna"}, {20, "Dentist"}}));
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(shown, 1);

    calls.clear();
    ASSERT_EQ(run(file, false, [](TSelectRecurringDates &d) {
                  d.list()->item(0)->setSelected(false);
                  d.okbuttonClick();
                  return true;
              }),
              IcsImportResult::Filled);
    EXPECT_EQ(calls, (Calls{{12, "Anna"}, {20, "Dentist"}}));
}

TEST_F(IcsCommand, IntoTheStoreWithTheEventsLeftOutNamed)
{
    writeStore({MakeRecurringEntry("Anna", "@0112")});
    ASSERT_EQ(run(writeIcs(kEvents), true), IcsImportResult::Stored);
    EXPECT_EQ(readRecurLines(store()), std::vector<std::string>{MakeRecurringEntry("Anna", "@0112")})
        << "Anna is there already; the rest cannot be kept";
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_TRUE(ui().messages[0].contains("0 of the events were added"));
    EXPECT_TRUE(ui().messages[0].contains("1 were there already"));
    EXPECT_TRUE(ui().messages[0].contains("Choir: leaves out some dates"));
    EXPECT_TRUE(ui().messages[0].contains("Dentist: happens only once"));

    const QString weekly = writeIcs("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:g\r\nSUMMARY:Gym\r\n"
                                    "DTSTART;VALUE=DATE:20270106\r\nRRULE:FREQ=WEEKLY\r\n"
                                    "END:VEVENT\r\nEND:VCALENDAR\r\n");
    ASSERT_EQ(run(weekly, true), IcsImportResult::Stored);
    EXPECT_EQ(readRecurLines(store()), (std::vector<std::string>{MakeRecurringEntry("Anna", "@0112"),
                                                                 MakeRecurringEntry("Gym", "%4")}));
    EXPECT_TRUE(ui().messages[1].startsWith("1 of the events were added"));
    EXPECT_TRUE(calls.empty());
}

TEST_F(IcsCommand, DamagedFilesChangeNothing)
{
    writeStore({MakeRecurringEntry("Anna", "@0112")});
    const std::string before = storeBytes();
    std::string damaged = kEvents;
    damaged.resize(damaged.size() / 2);
    for (const bool intoStore : {false, true}) {
        EXPECT_EQ(run(writeIcs(damaged), intoStore), IcsImportResult::Failed);
        EXPECT_EQ(run(QString::fromStdString((folder / "missing.ics").string()), intoStore),
                  IcsImportResult::Failed);
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(storeBytes(), before);
    ASSERT_EQ(ui().messages.size(), 4);
    EXPECT_TRUE(ui().messages[0].startsWith("The events could not be imported."));
    EXPECT_EQ(hidden, shown);
    EXPECT_EQ(run(QString(), false), IcsImportResult::Cancelled);
}

TEST_F(IcsCommand, ExporterMonthsAreComputedBeforehand)
{
    const TIcsMonths months(writeIcs(kEvents).toStdString(), 12, 2026, 2);
    Calls dec, jan, feb;
    months.put(12, 2026, [&](int d, const QString &t) { dec.emplace_back(d, t); });
    months.put(1, 2027, [&](int d, const QString &t) { jan.emplace_back(d, t); });
    months.put(2, 2027, [&](int d, const QString &t) { feb.emplace_back(d, t); });
    EXPECT_TRUE(dec.empty());
    EXPECT_EQ(jan.size(), 5u);
    EXPECT_TRUE(feb.empty()) << "outside the months asked for";
    EXPECT_THROW(TIcsMonths((folder / "none.ics").string(), 1, 2027, 1), IcsImportError);
}

TEST_F(IcsCommand, FillMarksObservedDaysOfTheChosenCountry)
{
    const std::string independence = MakeRecurringEntry("Independence Day", "@0704");
    writeStore({independence});
    Calls filled;
    auto put = [&](int day, const QString &text) { filled.emplace_back(day, text); };
    auto observedFor = [](const char *code) {
        return [code](TSelectRecurringDates &d) {
            d.observedCheck()->setChecked(true);
            d.observedCountry()->setCurrentIndex(d.observedCountry()->findData(QString(code)));
            d.okbuttonClick();
            return true;
        };
    };
    EXPECT_EQ(FillCalendarWithRecurringDates(7, 2027, put, {}, observedFor("US")), FillResult::Filled);
    EXPECT_EQ(filled, (Calls{{4, "Independence Day"}, {5, "Independence Day (observed)"}}));
    filled.clear();
    EXPECT_EQ(FillCalendarWithRecurringDates(7, 2027, put, {}, observedFor("GB")), FillResult::Filled);
    EXPECT_EQ(filled, (Calls{{4, "Independence Day"}})) << "not a British holiday";
    filled.clear();
    EXPECT_EQ(FillCalendarWithRecurringDates(7, 2027, put, {},
                                             [](TSelectRecurringDates &d) {
                                                 EXPECT_FALSE(d.observedCheck()->isChecked());
                                                 d.okbuttonClick();
                                                 return true;
                                             }),
              FillResult::Filled);
    EXPECT_EQ(filled, (Calls{{4, "Independence Day"}}));
}

TEST_F(IcsCommand, HolidayPickerOffersEachCountrysSet)
{
    TGetHolidays picker;
    QComboBox *country = child<QComboBox>(picker, "CountryCombo");
    ASSERT_EQ(country->count(), static_cast<int>(HolidayCountries().size()) + 1);
    EXPECT_EQ(picker.list()->count(), 26);
    const std::vector<std::string> predefined = [] {
        auto lines = predefinedHolidayEntries();
        sortRecurLines(lines);
        return lines;
    }();
    country->setCurrentIndex(country->findText("Germany (DE)"));
    EXPECT_EQ(picker.list()->count(), 9);
    picker.AllButtonClick();
    const std::vector<std::string> chosen = picker.selectedLines();
    EXPECT_NE(std::find(chosen.begin(), chosen.end(),
                        FixedWidth("Whit Monday", 120) + "#WHITMONDAY"),
              chosen.end());
    country->setCurrentIndex(0);
    picker.AllButtonClick();
    EXPECT_EQ(picker.selectedLines(), predefined) << "the 26 stay exactly as they are";
}
