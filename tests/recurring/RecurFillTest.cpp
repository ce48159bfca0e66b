#include "RecurDialogFixture.h"

#include "recurring/EntryList.h"
#include "recurring/RecurCommands.h"
#include "recurring/RecurFormula.h"

#include <QListWidget>
#include <QLocale>
#include <QPainter>

#include <utility>

using namespace velmora;
using Lines = std::vector<std::string>;
using Calls = std::vector<std::pair<int, QString>>;

namespace {

class RecurFill : public test::RecurDialogFixture
{
protected:
    // Runs the command for the month; the selection is scripted by choose.
    FillResult fill(int month, int year,
                    const std::function<bool(TSelectRecurringDates &)> &choose = pressOk)
    {
        return FillCalendarWithRecurringDates(
            month, year, [this](int day, const QString &text) { calls.emplace_back(day, text); },
            {[this] { ++hidden; }, [this] { ++shown; }},
            [&](TSelectRecurringDates &d) {
                offered = d.list()->count();
                checkedAtStart = static_cast<int>(d.selectedLines().size());
                return choose(d);
            });
    }
    static bool pressOk(TSelectRecurringDates &d)
    {
        d.okbuttonClick();
        return d.result() == QDialog::Accepted;
    }

    Calls calls;
    int hidden = 0, shown = 0, offered = -1, checkedAtStart = -1;
};

const std::string kChristmas = MakeRecurringEntry("Christmas Day", "@1225");
const std::string kThanksgiving = MakeRecurringEntry("Thanksgiving Day", "$3 4 11");
const std::string kMeeting = MakeRecurringEntry("Team meeting", "%246");

Calls daysWith(const std::vector<int> &days, const QString &text)
{
    Calls expected;
    for (const int day : days)
        expected.emplace_back(day, text);
    return expected;
}

} // namespace

TEST_F(RecurFill, December2026OffersMatchingEntriesAllSelected)
{
    writeStore({kChristmas, kThanksgiving, kMeeting});
    EXPECT_EQ(fill(12, 2026), FillResult::Filled);
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(checkedAtStart, 2);
    Calls expected{{25, "Christmas Day"}};
    const Calls weekly = daysWith({2, 4, 7, 9, 11, 14, 16, 18, 21, 23, 25, 28, 30},
                                  QString::fromStdString(FixedWidth("Team meeting", 120)));
    expected.insert(expected.end(), weekly.begin(), weekly.end());
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(shown, 1);

    // A second run writes every text again.
    calls.clear();
    EXPECT_EQ(fill(12, 2026), FillResult::Filled);
    EXPECT_EQ(calls, expected);
}

TEST_F(RecurFill, EasterFeastsOnlyInTheirMonth)
{
    const Lines holidays = predefinedHolidayEntries();
    writeStore({holidays[5], holidays[8], holidays[18]}); // Easter, Good Friday, Palm Sunday
    EXPECT_EQ(fill(4, 2024), FillResult::NothingOffered);
    EXPECT_EQ(ui().messages, QStringList{"No predefined dates match the current month"});
    EXPECT_EQ(offered, -1);
    EXPECT_EQ(shown, 1);

    EXPECT_EQ(fill(3, 2024), FillResult::Filled);
    EXPECT_EQ(offered, 3);
    // Feast texts keep their padding.
    EXPECT_EQ(calls, (Calls{{31, QString::fromStdString(FixedWidth("Easter", 120))},
                            {29, QString::fromStdString(FixedWidth("Good Friday", 120))},
                            {24, QString::fromStdString(FixedWidth("Palm Sunday", 120))}}));
}

TEST_F(RecurFill, SelectionDecidesWhatIsWritten)
{
    const std::string fifthMonday = MakeRecurringEntry("Fifth Monday", "$4 1 0");
    writeStore({fifthMonday, kChristmas});
    auto firstOnly = [](TSelectRecurringDates &d) {
        d.NonebuttonClick();
        d.okbuttonClick(); // nothing chosen: a beep, still open
        EXPECT_NE(d.result(), QDialog::Accepted);
        d.list()->item(0)->setSelected(true);
        return pressOk(d);
    };
    EXPECT_EQ(fill(12, 2026, firstOnly), FillResult::Filled); // four Mondays: offered, no text
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(offered, 2);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(fill(11, 2026, firstOnly), FillResult::Filled);
    EXPECT_EQ(calls, (Calls{{30, "Fifth Monday"}}));

    calls.clear();
    auto cancel = [](TSelectRecurringDates &d) {
        d.CancelButtonClick();
        return false;
    };
    EXPECT_EQ(fill(11, 2026, cancel), FillResult::Cancelled);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(hidden, 3);
    EXPECT_EQ(shown, 3);
}

TEST_F(RecurFill, MissingEmptyAndUnreadableStores)
{
    EXPECT_EQ(fill(12, 2026), FillResult::NoStore);
    EXPECT_EQ(hidden + shown, 0);
    EXPECT_TRUE(ui().messages.isEmpty());

    writeStore({});
    EXPECT_EQ(fill(12, 2026), FillResult::NothingOffered);
    writeStore({kThanksgiving}); // concerns November only
    EXPECT_EQ(fill(12, 2026), FillResult::NothingOffered);
    EXPECT_EQ(ui().messages.size(), 2);

    std::filesystem::remove(store());
    std::filesystem::create_directory(store());
    EXPECT_EQ(fill(12, 2026), FillResult::StoreUnreadable);
    EXPECT_EQ(ui().messages.size(), 3);
    EXPECT_EQ(hidden, 3);
    EXPECT_EQ(shown, 3);
    EXPECT_TRUE(calls.empty());
}

TEST_F(RecurFill, FailingEntryDoesNotStopTheOthers)
{
    writeStore({kChristmas, kMeeting});
    int refused = 0;
    const FillResult result =
        FillCalendarWithAllRecurringDates(store(), 12, 2026, [&](int day, const QString &text) {
            if (text == "Christmas Day") throw std::runtime_error(std::to_string(++refused));
            calls.emplace_back(day, text);
        });
    EXPECT_EQ(result, FillResult::Filled);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(calls.size(), 13u);
}

TEST_F(RecurFill, HeadlessFillTakesEveryOfferedEntry)
{
    const auto put = [this](int day, const QString &text) { calls.emplace_back(day, text); };
    EXPECT_EQ(FillCalendarWithAllRecurringDates(store(), 12, 2026, put), FillResult::NoStore);
    writeStore({kThanksgiving, kChristmas});
    EXPECT_EQ(FillCalendarWithAllRecurringDates(store(), 11, 2026, put), FillResult::Filled);
    EXPECT_EQ(calls, (Calls{{26, "Thanksgiving Day"}}));
    EXPECT_EQ(FillCalendarWithAllRecurringDates(store(), 1, 2026, put), FillResult::NothingOffered);
    EXPECT_TRUE(ui().messages.isEmpty());
    std::filesystem::remove(store());
    std::filesystem::create_directory(store());
    EXPECT_THROW(FillCalendarWithAllRecurringDates(store(), 1, 2026, put), RecurStoreError);
}

// --- how the lists look ---------------------------------------------------------------------

TEST(RecurCheckList, CheckMarkIsTransparentAndInvertedOnTheFocusedRow)
{
    QImage image(60, 16, QImage::Format_RGB32);
    const auto row = [&](bool selected, bool focused) {
        image.fill(Qt::red);
        QPainter painter(&image);
        DrawCheckListRow(painter, image.rect(), QString(), selected, focused, Qt::white);
    };
    row(true, false);
    EXPECT_EQ(image.pixelColor(1, 7), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(13, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(5, 13), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 7), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::white));
    row(true, true);
    EXPECT_EQ(image.pixelColor(1, 7), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 7), QColor(Qt::black));
    row(false, true);
    EXPECT_EQ(image.pixelColor(1, 7), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(59, 15), QColor(Qt::black));
    int markPixels = 0;
    const QImage mark = CheckMarkImage(Qt::black);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            markPixels += mark.pixelColor(x, y).alpha() == 255;
    EXPECT_EQ(markPixels, 37);
}

TEST(RecurCheckList, TextStartsAfterTheCheckMark)
{
    QImage image(200, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    painter.setFont(font);
    DrawCheckListRow(painter, image.rect(), QStringLiteral("IIII"), false, false, Qt::white);
    painter.end();
    int firstInk = -1;
    for (int x = 0; x < 200 && firstInk < 0; ++x)
        for (int y = 0; y < 16; ++y)
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, kCheckTextIndent);
    EXPECT_LE(firstInk, kCheckTextIndent + 3);
}

TEST(RecurCheckList, LocaleNamesComeInTheStoreCodePage)
{
    const LocaleDateNames english = LocaleDateNamesFor(QLocale(QLocale::English));
    EXPECT_EQ(english.months, LocaleDateNames::english().months);
    EXPECT_EQ(english.shortDays, LocaleDateNames::english().shortDays);
    const LocaleDateNames french = LocaleDateNamesFor(QLocale(QLocale::French));
    EXPECT_EQ(french.months[11], "d\xE9"
                                 "cembre");
    EXPECT_EQ(french.months[7], "ao\xFBt");
}
