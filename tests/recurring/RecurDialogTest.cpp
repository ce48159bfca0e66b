#include "RecurDialogFixture.h"

#include "recurring/Recd.h"
#include "recurring/RecurCommands.h"
#include "recurring/RecurFormula.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace velmora;
using Lines = std::vector<std::string>;

namespace {

class RecurDialogs : public test::RecurDialogFixture
{
protected:
    static bool pressOk(TEditRecurringDateFormula &d)
    {
        d.OkbuttonClick();
        return d.result() == QDialog::Accepted;
    }
    static bool pressCancel(TEditRecurringDateFormula &d)
    {
        d.CancelButtonClick();
        return false;
    }
    static bool enabled(const QWidget &d, const char *name)
    {
        return child<QWidget>(d, name)->isEnabled();
    }
};

const std::string kThanksgiving = MakeRecurringEntry("Thanksgiving Day", "$3 4 11");
const std::string kBirthday = MakeRecurringEntry("Birthday", "@0612");

} // namespace

TEST_F(RecurDialogs, NewThenOkSavesTheDefaultEntryExactly)
{
    TEditRecurringDates dates;
    EXPECT_EQ(dates.lines(), Lines{});
    EXPECT_FALSE(enabled(dates, "Editbutton"));
    dates.runFormulaDialog = [](TEditRecurringDateFormula &d) {
        EXPECT_EQ(d.windowTitle(), "Add Recurring Date");
        EXPECT_EQ(d.eventText(), "[Enter event]");
        return pressOk(d);
    };
    dates.NewbuttonClick();
    dates.okbuttonClick();
    EXPECT_EQ(dates.result(), QDialog::Accepted);
    const std::string line = std::string("[Enter event]") + std::string(107, ' ') + "@0001     ";
    ASSERT_EQ(line.size(), 130u);
    EXPECT_EQ(storeBytes(), line + "\r\n");
    EXPECT_EQ(dates.selectedRow(), 0);
    EXPECT_TRUE(enabled(dates, "Editbutton") && enabled(dates, "DeleteButton"));
}

TEST_F(RecurDialogs, EditReplacesTheLineOnceAndSelectsIt)
{
    writeStore({kThanksgiving, kBirthday});
    TEditRecurringDates dates;
    EXPECT_EQ(dates.lines(), (Lines{kBirthday, kThanksgiving})); // sorted on load
    dates.list()->setCurrentRow(1);
    dates.runFormulaDialog = [](TEditRecurringDateFormula &d) {
        EXPECT_EQ(d.windowTitle(), "Edit Recurring Date Formula");
        EXPECT_EQ(d.eventText(), FixedWidth("Thanksgiving Day", 120)); // padding included
        EXPECT_TRUE(child<QRadioButton>(d, "rbSpecial")->isChecked());
        EXPECT_EQ(child<QComboBox>(d, "SpecialDayOfWeek")->currentIndex(), 4);
        child<QLineEdit>(d, "Event")->setText("Anniversary");
        child<QComboBox>(d, "SpecialMonth")->setCurrentIndex(10);
        return pressOk(d);
    };
    dates.EditbuttonClick();
    const std::string edited = MakeRecurringEntry("Anniversary", "$3 4 10");
    EXPECT_EQ(dates.lines(), (Lines{edited, kBirthday}));
    EXPECT_EQ(dates.selectedRow(), 0);

    // Unchanged text and formula give the same line, still listed once.
    dates.runFormulaDialog = pressOk;
    dates.EditbuttonClick();
    EXPECT_EQ(dates.lines(), (Lines{edited, kBirthday}));
    dates.runFormulaDialog = pressCancel;
    dates.list()->setCurrentRow(1);
    dates.EditbuttonClick();
    EXPECT_EQ(dates.lines(), (Lines{edited, kBirthday}));
    EXPECT_EQ(dates.selectedRow(), 1);
}

TEST_F(RecurDialogs, EditRefusesFeastsAndBeepsWithoutSelection)
{
    const std::string easter = predefinedHolidayEntries()[5];
    writeStore({easter, std::string(40, 'x')});
    TEditRecurringDates dates;
    int opened = 0;
    dates.runFormulaDialog = [&](TEditRecurringDateFormula &) { return ++opened, false; };
    dates.list()->setCurrentRow(dates.lines()[0] == easter ? 0 : 1);
    dates.EditbuttonClick();
    EXPECT_EQ(ui().messages, QStringList{"This entry cannot be edited"});
    dates.list()->setCurrentRow(dates.lines()[0] == easter ? 1 : 0); // no formula: nothing
    dates.EditbuttonClick();
    dates.list()->clearSelection();
    EXPECT_FALSE(enabled(dates, "Editbutton"));
    dates.EditbuttonClick();
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(ui().messages.size(), 1);
}

TEST_F(RecurDialogs, HolidaysAreAddedOnceAndEasterKeepsItsShortLine)
{
    const Lines holidays = predefinedHolidayEntries();
    writeStore({holidays[2]}); // Christmas Day
    TEditRecurringDates dates;
    dates.list()->clearSelection();
    dates.runHolidaysDialog = [](TGetHolidays &h) {
        EXPECT_TRUE(h.selectedLines().empty());
        h.okbuttonClick(); // nothing chosen: a beep, still open
        EXPECT_NE(h.result(), QDialog::Accepted);
        h.list()->item(2)->setSelected(true);
        h.list()->item(5)->setSelected(true);
        h.okbuttonClick();
        return h.result() == QDialog::Accepted;
    };
    dates.HolidaysbuttonClick();
    EXPECT_EQ(ui().beeps, 1);
    ASSERT_EQ(dates.lines(), (Lines{holidays[2], holidays[5]}));
    EXPECT_EQ(dates.lines()[1].size(), 127u);
    EXPECT_EQ(dates.selectedRow(), 0);

    dates.runHolidaysDialog = [](TGetHolidays &h) {
        h.AllButtonClick();
        EXPECT_EQ(h.selectedLines().size(), 26u);
        h.nonebuttonClick();
        h.AllButtonClick();
        h.okbuttonClick();
        return true;
    };
    dates.HolidaysbuttonClick();
    EXPECT_EQ(dates.lines(), holidays);
}

TEST_F(RecurDialogs, DeleteCancelAndEmptySave)
{
    writeStore({kBirthday});
    const std::string before = storeBytes();
    {
        TEditRecurringDates dates;
        dates.DeleteButtonClick();
        EXPECT_EQ(dates.lines(), Lines{});
        EXPECT_EQ(dates.selectedRow(), -1);
        EXPECT_FALSE(enabled(dates, "Editbutton") || enabled(dates, "DeleteButton"));
        dates.CancelButtonClick();
        EXPECT_EQ(dates.result(), QDialog::Rejected);
    }
    EXPECT_EQ(storeBytes(), before);
    TEditRecurringDates dates;
    dates.DeleteButtonClick();
    dates.okbuttonClick();
    EXPECT_TRUE(std::filesystem::exists(store()));
    EXPECT_EQ(storeBytes(), "");
}

TEST_F(RecurDialogs, FailedSaveKeepsDialogOpenAndOldFile)
{
    writeStore({kBirthday});
    TEditRecurringDates dates;
    dates.DeleteButtonClick();
    std::filesystem::create_directory(recurTempPath(store())); // blocks the temporary file
    dates.okbuttonClick();
    EXPECT_NE(dates.result(), QDialog::Accepted);
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_TRUE(ui().messages[0].startsWith("The recurring dates could not be saved."));
    EXPECT_EQ(storeBytes(), kBirthday + "\r\n");
}

TEST_F(RecurDialogs, UnreadableStoreIsReportedInsteadOfOpeningAnEmptyList)
{
    std::filesystem::create_directory(store());
    int hidden = 0, shown = 0, ran = 0;
    const bool saved = EditRecurringDates(nullptr, {[&] { ++hidden; }, [&] { ++shown; }},
                                          [&](TEditRecurringDates &) { return ++ran, true; });
    EXPECT_FALSE(saved);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(shown, 1);
}

// --- the formula dialog on its own ----------------------------------------------------------

TEST_F(RecurDialogs, FormulaCategoriesEnableTheirControlsOnly)
{
    TEditRecurringDateFormula d;
    EXPECT_EQ(d.formula(), "@");
    EXPECT_TRUE(enabled(d, "DayOfMonthDay") && enabled(d, "DayOfMonthMonth"));
    EXPECT_FALSE(enabled(d, "Monday") || enabled(d, "AllDaysCheck") || enabled(d, "SpecialMonth"));
    child<QRadioButton>(d, "rbDayOfweek")->setChecked(true);
    EXPECT_TRUE(enabled(d, "Sunday") && enabled(d, "AllDaysCheck"));
    EXPECT_FALSE(enabled(d, "DayOfMonthDay") || enabled(d, "SpecialOccurrance"));
    EXPECT_TRUE(child<QRadioButton>(d, "rbDayOfweek")->font().bold());
    EXPECT_FALSE(child<QRadioButton>(d, "rbDayOfMonth")->font().bold());
    // Mon to Fri start checked.
    ASSERT_TRUE(pressOk(d));
    EXPECT_EQ(d.formula(), "%23456");
}

TEST_F(RecurDialogs, FormulaSetsControlsFromEachKind)
{
    TEditRecurringDateFormula d;
    d.setFormula("%17       ");
    EXPECT_TRUE(child<QRadioButton>(d, "rbDayOfweek")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(d, "Sunday")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(d, "Saturday")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(d, "Monday")->isChecked());
    d.setFormula("@0231     ");
    EXPECT_EQ(child<QSpinBox>(d, "DayOfMonthDay")->value(), 31);
    EXPECT_EQ(child<QComboBox>(d, "DayOfMonthMonth")->currentIndex(), 2);
    d.setFormula("@zz"); // unreadable: the controls stay
    EXPECT_TRUE(child<QRadioButton>(d, "rbDayOfMonth")->isChecked());
    ASSERT_TRUE(pressOk(d)); // 31 February is accepted
    EXPECT_EQ(d.formula(), "@0231");
    d.setFormula("$9 0 1"); // no such occurrence: shown as none, refused on OK
    EXPECT_EQ(child<QComboBox>(d, "SpecialOccurrance")->currentIndex(), -1);
    EXPECT_FALSE(d.DetermineFormulaString());
    EXPECT_EQ(ui().messages, QStringList{"Invalid value entered for Special category"});
}

TEST_F(RecurDialogs, FormulaInputErrorsKeepTheDialogOpen)
{
    TEditRecurringDateFormula d;
    child<QSpinBox>(d, "DayOfMonthDay")->findChild<QLineEdit *>()->setText("");
    EXPECT_FALSE(pressOk(d));
    child<QSpinBox>(d, "DayOfMonthDay")->setValue(5);
    child<QComboBox>(d, "DayOfMonthMonth")->setCurrentIndex(-1);
    EXPECT_FALSE(pressOk(d));
    child<QRadioButton>(d, "rbDayOfweek")->setChecked(true);
    child<QCheckBox>(d, "AllDaysCheck")->setChecked(true);
    EXPECT_TRUE(child<QCheckBox>(d, "Saturday")->isChecked());
    child<QCheckBox>(d, "AllDaysCheck")->setChecked(false);
    EXPECT_FALSE(pressOk(d));
    EXPECT_EQ(ui().messages,
              (QStringList{"Invalid day of month entered ", "Invalid month entered ",
                           "You must select at least one day for this \nreminder to occur on"}));
    EXPECT_EQ(d.formula(), "@");
    EXPECT_FALSE(child<QCheckBox>(d, "Wednesday")->isChecked()); // values left as they were
}

TEST_F(RecurDialogs, EventTextKeepsWindows1252Letters)
{
    writeStore({MakeRecurringEntry("F\xEAte de la Musique", "@0621")});
    TEditRecurringDates dates;
    dates.runFormulaDialog = [](TEditRecurringDateFormula &d) {
        EXPECT_EQ(TrimSpaces(d.eventText()), "F\xEAte de la Musique");
        return pressOk(d);
    };
    dates.EditbuttonClick();
    EXPECT_EQ(dates.lines(), Lines{MakeRecurringEntry("F\xEAte de la Musique", "@0621")});
}
