#include "app/Calprop.h"

#include "ScriptedChoices.h"
#include "app/ColorDropButton.h"
#include "app/RadioGroup.h"
#include "app/Settd.h"
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "common/Program.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QTest>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QDir>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>

using namespace velmora;
using velmora::test::ScopedScriptedChoices;
using velmora::test::ScopedScriptedUi;

namespace {

const QString kLayoutWarning = QStringLiteral(
    "Warning: changing to this type of layout\rwill erase all text and icons from the "
    "current\rcalendar. Proceed?");

class CalendarProperties : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        SetAppFolder(folder.path());
        dlg = std::make_unique<TCalendarProperties>();
        page = dlg->ExampleCalendar();
        page->ResetToDefaults();
        page->SetZoom(0.3F);
    }
    void TearDown() override
    {
        dlg.reset();
        SetAppFolder(QString());
    }

    template <typename T> T *child(const char *name) const
    {
        T *w = dlg->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QComboBox *combo(const char *name) const { return child<QComboBox>(name); }
    void chooseRow(int row) { child<QListWidget>("LayoutList")->setCurrentRow(row); }
    void setDate(int year, int month, int day)
    {
        page->SetMainCalYear(year);
        page->SetMainCalMonth(month);
        page->SetMainCalDay(day);
    }
    bool accepted() const { return dlg->result() == QDialog::Accepted; }
    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }

    QTemporaryDir folder;
    ScopedScriptedUi scripted;
    ScopedScriptedChoices choices;
    std::unique_ptr<TCalendarProperties> dlg;
    TCalendarPanel32 *page = nullptr;
};

// Runs `step` on the start time dialog once its modal loop is running.
void whenTimeDialogRuns(std::function<void(TSetTimeDialog &)> step)
{
    QTimer::singleShot(0, [step] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<TSetTimeDialog *>(w); d != nullptr && d->isVisible())
                return step(*d);
        ADD_FAILURE() << "no start time dialog on screen";
    });
}

} // namespace

TEST_F(CalendarProperties, OpensOnThePreviewsSettings)
{
    page->SetCalendarLayout(loFC12After);
    page->SetPaperKind(1);
    setDate(2023, 7, 14);
    page->SetStartOfWeek(2);
    page->SetLeftMarginInch(0.3F);
    page->SetTopMarginInch(0.6F);
    page->SetRightMarginInch(2.0F);
    page->SetBottomMarginInch(1.0F);
    page->SetPlannerFirstHour(EncodeTime(9, 30, 0));
    page->SetMiniHeadersStyle(dsWhole);
    dlg->FormActivate();

    EXPECT_FALSE(dlg->Suppressed());
    EXPECT_EQ(child<QListWidget>("LayoutList")->currentRow(), 3);
    EXPECT_EQ(child<TRadioGroup>("rOrientation")->ItemIndex(), 0);
    EXPECT_EQ(child<TRadioGroup>("PaperSize")->ItemIndex(), 1);
    EXPECT_EQ(child<TRadioGroup>("WeekStartsOn")->ItemIndex(), 1);
    EXPECT_EQ(child<QCalendarWidget>("Calendar")->selectedDate(), QDate(2023, 7, 14));
    EXPECT_EQ(combo("MiniHeadersStyleCombo")->currentIndex(), int(dsWhole));
    EXPECT_EQ(combo("LeftMarginInchcombo")->currentText(), QStringLiteral("\u00bc Inch"));
    EXPECT_EQ(combo("TopMarginInchcombo")->currentText(), QStringLiteral("\u00bd Inch"));
    EXPECT_EQ(combo("RightMarginInchcombo")->currentText(), QStringLiteral("1\u00bd Inch"));
    EXPECT_EQ(combo("BottomMarginInchcombo")->currentText(), QStringLiteral("1 Inch"));
    EXPECT_EQ(child<QLabel>("TimeLabel")->text(), ShortTimeText(EncodeTime(9, 30, 0)));
    EXPECT_EQ(child<QLabel>("ZoomLabel")->text(), QStringLiteral("30%"));
    EXPECT_EQ(child<QGroupBox>("DateGroup")->title(), QStringLiteral("Select Month && Year"));
    // Opening changes nothing: the margins shown are not written back as entry values.
    EXPECT_EQ(page->LeftMarginInch(), 0.3F);
    EXPECT_EQ(page->CalendarLayout(), loFC12After);
    EXPECT_EQ(page->PaperKind(), 1);
}

TEST_F(CalendarProperties, APageFromAnOldDocumentWithDayZeroOpensOnTheFirst)
{
    setDate(1997, 12, 0);
    dlg->FormActivate();
    EXPECT_EQ(child<QCalendarWidget>("Calendar")->selectedDate(), QDate(1997, 12, 1));
    EXPECT_EQ(page->MainCalMonth(), 12);
    EXPECT_EQ(page->MainCalYear(), 1997);
}

TEST_F(CalendarProperties, LandscapeWithAPlannerRowLeavesThePlannerAlone)
{
    dlg->FormActivate();
    chooseRow(9);
    EXPECT_EQ(page->CalendarLayout(), loWeek);
    EXPECT_TRUE(dlg->IsPlanner());
    EXPECT_FALSE(child<TRadioGroup>("rOrientation")->isEnabled());
    EXPECT_FALSE(child<TRadioGroup>("WeekStartsOn")->isEnabled());
    EXPECT_EQ(child<QGroupBox>("DateGroup")->title(), QStringLiteral("Select Starting Date"));

    child<TRadioGroup>("rOrientation")->SetItemIndex(1);
    EXPECT_EQ(page->CalendarLayout(), loWeek);
    EXPECT_EQ(page->CalendarOrientation(), coPortrait);

    // Back on a calendar row the landscape choice applies again.
    chooseRow(5);
    EXPECT_EQ(page->CalendarLayout(), loMC12MonthLS);
    EXPECT_TRUE(child<TRadioGroup>("rOrientation")->isEnabled());
    EXPECT_EQ(child<QGroupBox>("DateGroup")->title(), QStringLiteral("Select Month && Year"));
}

TEST_F(CalendarProperties, ControlsFollowWhatTheLayoutCanShow)
{
    dlg->FormActivate();
    chooseRow(5); // minis only
    EXPECT_FALSE(child<QCheckBox>("TitleShowYearCheck")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("TitleFontbutton")->isEnabled());
    EXPECT_TRUE(child<QComboBox>("MiniHeadersStyleCombo")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("StartingtimeButton")->isEnabled());
    chooseRow(11); // day planner
    EXPECT_TRUE(child<QPushButton>("StartingtimeButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("HeaderFontButton")->isEnabled());
    EXPECT_FALSE(child<TColorDropButton>("MiniCalBGColorButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("NumberFontButton")->isEnabled());
}

TEST_F(CalendarProperties, PaperAndControlsActOnThePreviewAtOnce)
{
    dlg->FormActivate();
    child<TRadioGroup>("PaperSize")->Item(1)->click();
    EXPECT_EQ(page->PaperKind(), 1);
    child<TRadioGroup>("WeekStartsOn")->Item(1)->click();
    EXPECT_EQ(page->StartOfWeek(), 2);
    child<QCheckBox>("MiniShowYearCheck")->click();
    EXPECT_FALSE(page->MiniShowYear());
    combo("CalendarLineLayoutCombo")->setCurrentIndex(llCellsOnly);
    EXPECT_EQ(page->CalendarLineLayout(), llCellsOnly);
    EXPECT_EQ(page->CalendarBorder(), cbNone);
}

TEST_F(CalendarProperties, MarginEntriesSetInchesAndTheEmptyEntryKeepsTheMargin)
{
    dlg->FormActivate();
    combo("TopMarginInchcombo")->setCurrentIndex(4);
    EXPECT_EQ(page->TopMarginInch(), 1.25F);
    EXPECT_EQ(page->LeftMarginInch(), 0.5F);

    QComboBox *left = combo("LeftMarginInchcombo");
    ASSERT_EQ(left->count(), 7);
    EXPECT_TRUE(left->itemText(6).isEmpty());
    left->setCurrentIndex(6);
    EXPECT_EQ(page->LeftMarginInch(), 0.5F);
    EXPECT_EQ(left->currentIndex(), 1);
}

TEST_F(CalendarProperties, MillimetresAndBackKeepEverySelection)
{
    dlg->FormActivate();
    const char *names[] = {"LeftMarginInchcombo", "TopMarginInchcombo", "RightMarginInchcombo",
                           "BottomMarginInchcombo"};
    const int entries[] = {2, 5, 0, 4};
    for (int i = 0; i < 4; ++i)
        combo(names[i])->setCurrentIndex(entries[i]);
    EXPECT_EQ(combo("TopMarginInchcombo")->count(), 6);
    const TCalendarSettings before = page->Settings();

    child<QRadioButton>("UseMillimeters")->click();
    const char *mm[] = {"19 mm", "38 mm", "6 mm", "32 mm"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(combo(names[i])->currentIndex(), entries[i]) << names[i];
        EXPECT_EQ(combo(names[i])->currentText(), QLatin1String(mm[i])) << names[i];
    }
    child<QRadioButton>("useInches")->click();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(combo(names[i])->currentIndex(), entries[i]) << names[i];
        EXPECT_EQ(combo(names[i])->count(), 7) << names[i];
    }
    EXPECT_EQ(combo("TopMarginInchcombo")->currentText(), QStringLiteral("1\u00bd Inch"));
    EXPECT_TRUE(combo("TopMarginInchcombo")->itemText(6).isEmpty());
    EXPECT_EQ(page->Settings(), before);
}

TEST_F(CalendarProperties, WarnsOnlyWhenTextWouldBeLostToANewLayoutFamily)
{
    page->SetCalendarLayout(loFCMinisInTitleLS);
    dlg->SetStartingFamily(0);
    dlg->SetCellsHaveText(true);
    dlg->FormActivate();

    chooseRow(0); // another full calendar: nothing to lose
    dlg->OkbuttonClick();
    EXPECT_TRUE(scripted.ui().questions.isEmpty());
    EXPECT_TRUE(accepted());

    dlg->setResult(0);
    chooseRow(5); // 12 months of minis
    scripted.ui().answers = {false, true};
    dlg->OkbuttonClick();
    ASSERT_EQ(scripted.ui().questions.size(), 1);
    EXPECT_EQ(scripted.ui().questions.at(0), kLayoutWarning);
    EXPECT_FALSE(accepted());
    dlg->OkbuttonClick();
    EXPECT_TRUE(accepted());
}

TEST_F(CalendarProperties, WithoutTextAFamilyChangeNeedsNoQuestion)
{
    dlg->SetStartingFamily(0);
    dlg->FormActivate();
    chooseRow(12);
    dlg->OkbuttonClick();
    EXPECT_TRUE(scripted.ui().questions.isEmpty());
    EXPECT_TRUE(accepted());
}

TEST_F(CalendarProperties, ObjectsOnThePageAreWarnedForLikeText)
{
    dlg->SetStartingFamily(0);
    dlg->SetPageHasObjects(true);
    dlg->FormActivate();
    chooseRow(9);
    scripted.ui().answers = {false};
    dlg->OkbuttonClick();
    EXPECT_EQ(scripted.ui().questions, QStringList{kLayoutWarning});
    EXPECT_FALSE(accepted());
}

TEST_F(CalendarProperties, MovingDayTextsToAnotherMonthAsksFirst)
{
    setDate(2024, 3, 10);
    dlg->SetStartingFamily(0);
    dlg->SetCellsHaveText(true);
    dlg->FormActivate();
    child<QPushButton>("Button11")->click();
    EXPECT_EQ(page->MainCalMonth(), 4);
    scripted.ui().answers = {false};
    dlg->OkbuttonClick();
    ASSERT_EQ(scripted.ui().questions.size(), 1);
    EXPECT_TRUE(scripted.ui().questions.at(0).startsWith(QStringLiteral("Warning: changing the month")));
    EXPECT_FALSE(accepted());

    // Another day of the same month keeps the texts: no question.
    child<QPushButton>("Button9")->click();
    child<QCalendarWidget>("Calendar")->setSelectedDate(QDate(2024, 3, 20));
    dlg->OkbuttonClick();
    EXPECT_EQ(scripted.ui().questions.size(), 1);
    EXPECT_TRUE(accepted());
}

TEST_F(CalendarProperties, ForNewThePreviewStartsFromTheDefaultsAndNeverWarns)
{
    page->SetCalendarLayout(loDay15);
    page->SetLeftMarginInch(1.5F);
    page->SetTitleBGColor(clRed);
    dlg->SetIsNew(true);
    dlg->SetStartingFamily(5);
    dlg->FormActivate();
    EXPECT_EQ(page->CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page->LeftMarginInch(), 0.5F);
    EXPECT_EQ(page->TitleBGColor(), clWhite);
    EXPECT_EQ(child<QListWidget>("LayoutList")->currentRow(), 1);
    chooseRow(5);
    dlg->OkbuttonClick();
    EXPECT_TRUE(scripted.ui().questions.isEmpty());
    EXPECT_TRUE(accepted());
}

TEST_F(CalendarProperties, YearButtonsMoveLeapDayToTheTwentyEighth)
{
    setDate(2024, 2, 29);
    dlg->FormActivate();
    child<QPushButton>("Button12")->click();
    EXPECT_EQ(child<QCalendarWidget>("Calendar")->selectedDate(), QDate(2025, 2, 28));
    EXPECT_EQ(page->MainCalYear(), 2025);
    EXPECT_EQ(page->MainCalMonth(), 2);
    EXPECT_EQ(page->MainCalDay(), 28);
    EXPECT_TRUE(child<QLabel>("DateLabel")->text().endsWith(QStringLiteral("2025")));

    setDate(2024, 2, 29);
    dlg->DetermineSettings();
    child<QPushButton>("Button8")->click();
    EXPECT_EQ(page->MainCalYear(), 2023);
    EXPECT_EQ(page->MainCalDay(), 28);
}

TEST_F(CalendarProperties, NowShowsTodayAndPlannersShowTheWholeDate)
{
    setDate(1999, 1, 31);
    page->SetCalendarLayout(loWeek);
    dlg->FormActivate();
    child<QPushButton>("Button10")->click();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(page->MainCalDay(), today.day());
    EXPECT_EQ(page->MainCalYear(), today.year());
    EXPECT_EQ(child<QLabel>("DateLabel")->text(),
              QLocale::system().toString(today, QLocale::LongFormat));
}

TEST_F(CalendarProperties, NamesAreTakenLineByLineWhenTheBoxIsLeft)
{
    dlg->FormActivate();
    child<QPushButton>("English")->click();
    auto *months = child<QPlainTextEdit>("MonthNames");
    // A final line break opens no thirteenth (or second) line.
    months->setPlainText(QStringLiteral("Jan\n"));
    dlg->MonthNamesExit();
    std::string name;
    page->GetMonthName(1, name);
    EXPECT_EQ(name, "Jan");
    page->GetMonthName(2, name);
    EXPECT_EQ(name, "February");
    months->clear();
    dlg->MonthNamesExit();
    page->GetMonthName(1, name);
    EXPECT_EQ(name, "Jan");

    child<QPushButton>("German")->click();
    page->GetDayName(6, name);
    EXPECT_EQ(name, "Freitag ");
    EXPECT_TRUE(child<QPlainTextEdit>("DayNames")->toPlainText().startsWith(QStringLiteral("Sonntag\nMontag")));
}

TEST_F(CalendarProperties, OkTakesNamesStillBeingTyped)
{
    dlg->FormActivate();
    dlg->LanguageClick(TNameLanguage::English);
    auto *days = child<QPlainTextEdit>("DayNames");
    days->setPlainText(QStringLiteral("Sun\nMon"));
    days->document()->setModified(true);
    dlg->OkbuttonClick();
    std::string name;
    page->GetDayName(2, name);
    EXPECT_EQ(name, "Mon");
    page->GetDayName(3, name);
    EXPECT_EQ(name, "Tuesday");
}

TEST_F(CalendarProperties, FontsAndColoursComeFromTheChoices)
{
    dlg->FormActivate();
    TFontDesc chosen = TFontDesc::make("Liberation Sans", 20, uint8_t(TFontStyle::fsItalic), clNavy);
    choices.choices().fontAnswers = {chosen, std::nullopt};
    child<QPushButton>("TitleFontbutton")->click();
    EXPECT_EQ(page->TitleFont(), chosen);
    ASSERT_EQ(choices.choices().fontsOffered.size(), 1U);
    EXPECT_EQ(choices.choices().fontsOffered.at(0).name, "Times New Roman");
    child<QPushButton>("MiniCellFontButton")->click(); // cancelled
    EXPECT_EQ(page->MiniCellFont().name, "Times New Roman");

    child<TColorDropButton>("MiniHeadersBGColorButton")->PickColor(clBlack);
    EXPECT_EQ(page->MiniHeadersBGColor(), clBlack);
    EXPECT_EQ(page->HeadersBGColor(), clWhite);
}

TEST_F(CalendarProperties, StartingTimeComesFromTheTimeDialogUnlessCancelled)
{
    page->SetCalendarLayout(loDay10);
    dlg->FormActivate();
    whenTimeDialogRuns([](TSetTimeDialog &d) {
        EXPECT_EQ(d.Hour(), 8);
        d.HourCell(12)->click();
        d.MinuteCell(30)->click();
        d.accept();
    });
    dlg->StartingtimeButtonClick();
    EXPECT_DOUBLE_EQ(page->PlannerFirstHour(), EncodeTime(12, 30, 0));
    EXPECT_EQ(child<QLabel>("TimeLabel")->text(), ShortTimeText(EncodeTime(12, 30, 0)));

    whenTimeDialogRuns([](TSetTimeDialog &d) {
        d.HourCell(3)->click();
        d.reject();
    });
    dlg->StartingtimeButtonClick();
    EXPECT_DOUBLE_EQ(page->PlannerFirstHour(), EncodeTime(12, 30, 0));
    EXPECT_EQ(child<QLabel>("TimeLabel")->text(), ShortTimeText(EncodeTime(12, 30, 0)));
}

TEST_F(CalendarProperties, AnUnreadableStartingTimeBecomesTheCurrentTime)
{
    dlg->FormActivate();
    child<QLabel>("TimeLabel")->setText(QStringLiteral("garbled"));
    whenTimeDialogRuns([](TSetTimeDialog &d) { d.reject(); });
    dlg->StartingtimeButtonClick();
    TDateTime shown = 0;
    EXPECT_TRUE(TryReadShortTime(child<QLabel>("TimeLabel")->text(), shown));
    EXPECT_DOUBLE_EQ(page->PlannerFirstHour(), EncodeTime(8, 0, 0));
}

TEST_F(CalendarProperties, PreviewZoomStepsByTenthsBetweenTwentyAndOneHundred)
{
    dlg->FormActivate();
    auto *out = child<QAbstractButton>("ZoomOutbutton");
    auto *in = child<QAbstractButton>("ZoomInButton");
    out->click();
    EXPECT_EQ(child<QLabel>("ZoomLabel")->text(), QStringLiteral("20%"));
    out->click();
    EXPECT_EQ(page->Zoom(), 0.2F);
    EXPECT_EQ(child<QLabel>("ZoomLabel")->text(), QStringLiteral("20%"));
    for (int i = 0; i < 12; ++i)
        in->click();
    EXPECT_EQ(page->Zoom(), 1.0F);
    EXPECT_EQ(child<QLabel>("ZoomLabel")->text(), QStringLiteral("100%"));
    // A factor reached by float sums still counts as its tenth.
    page->SetZoom(0.1F + 0.2F + 0.3F);
    out->click();
    EXPECT_EQ(child<QLabel>("ZoomLabel")->text(), QStringLiteral("50%"));
    EXPECT_EQ(ZoomToCode(static_cast<double>(page->Zoom())), 50);
}

TEST_F(CalendarProperties, DefaultStyleResetsThePreviewAndItsControls)
{
    page->SetCalendarLayout(loMC24Month);
    dlg->FormActivate();
    combo("LeftMarginInchcombo")->setCurrentIndex(5);
    child<TColorDropButton>("TitleBGColor")->PickColor(clYellow);
    child<QPushButton>("Defaultbutton")->click();
    EXPECT_EQ(page->CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page->LeftMarginInch(), 0.5F);
    EXPECT_EQ(page->TitleBGColor(), clWhite);
    EXPECT_EQ(child<QListWidget>("LayoutList")->currentRow(), 1);
    EXPECT_EQ(child<TRadioGroup>("rOrientation")->ItemIndex(), 1);
    EXPECT_EQ(combo("LeftMarginInchcombo")->currentIndex(), 1);
    EXPECT_EQ(child<TColorDropButton>("TitleBGColor")->Color(), clWhite);
    EXPECT_FALSE(dlg->Suppressed());
}

TEST_F(CalendarProperties, StyleSheetsSaveOnlyAsQxsAndLoadBackIntoThePreview)
{
    dlg->FormActivate();
    scripted.ui().fileAnswers = {path("style.txt")};
    dlg->SaveAsStyleSheetButtonClick();
    EXPECT_EQ(scripted.ui().messages, QStringList{QLatin1String(kStyleSaveExtensionMessage)});
    EXPECT_FALSE(QFile::exists(path("style.txt")));
    EXPECT_EQ(scripted.ui().fileDialogs.at(0),
              QLatin1String(kStyleSaveTitle) + QStringLiteral("|MyStyle.QXS"));

    chooseRow(7);
    combo("BottomMarginInchcombo")->setCurrentIndex(3);
    scripted.ui().fileAnswers = {path("mine.qxs")};
    dlg->SaveAsStyleSheetButtonClick();
    ASSERT_TRUE(QFile::exists(path("mine.qxs")));

    dlg->DefaultbuttonClick();
    scripted.ui().fileAnswers = {path("mine.qxs")};
    dlg->LoadStyleSheetButtonClick();
    EXPECT_EQ(scripted.ui().messages.size(), 1);
    EXPECT_EQ(page->CalendarLayout(), loMC48MonthLS);
    EXPECT_EQ(page->BottomMarginInch(), 1.0F);
    EXPECT_EQ(child<QListWidget>("LayoutList")->currentRow(), 7);
    EXPECT_EQ(combo("BottomMarginInchcombo")->currentIndex(), 3);
}

TEST_F(CalendarProperties, ADamagedStyleSheetIsReportedAndChangesNothing)
{
    dlg->FormActivate();
    const TCalendarSettings before = page->Settings();
    // The header and the first few values of a style sheet, then nothing.
    QFile damaged(path("broken.QXS"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray::fromHex("0102010202020102010219"));
    damaged.close();
    scripted.ui().fileAnswers = {path("broken.QXS"), path("notes.QXF")};
    dlg->LoadStyleSheetButtonClick();
    dlg->LoadStyleSheetButtonClick();
    EXPECT_EQ(scripted.ui().messages,
              (QStringList{StyleSheetOpenErrorMessage(path("broken.QXS")),
                           QLatin1String(kStyleOpenExtensionMessage)}));
    EXPECT_EQ(page->Settings(), before);
}

TEST_F(CalendarProperties, HelpOpensTheTopicOfTheShownPage)
{
    QDir(folder.path()).mkdir(QStringLiteral("help"));
    for (const char *name : {"help/index.html", "help/2108.html"}) {
        QFile page(path(name));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html><body>topic</body></html>");
    }
    dlg->FormActivate();
    child<QTabBar>("TabSet1")->setCurrentIndex(8);
    dlg->HelpbuttonClick();
    EXPECT_TRUE(scripted.ui().messages.isEmpty());
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->source().toLocalFile().endsWith(QStringLiteral("2108.html")));
    HelpWindow()->close();
}

TEST_F(CalendarProperties, ClosingRemembersWhereTheDialogWas)
{
    dlg->show();
    EXPECT_FALSE(dlg->Suppressed());
    dlg->move(40, 50);
    child<QPushButton>("CancelButton")->click();
    EXPECT_EQ(dlg->result(), kModalCancel);
    QFile ini(IniFileName());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[TCalendarProperties_Placement]"));
}

TEST_F(CalendarProperties, TheTitleFontButtonExplainsTheTitle)
{
    EXPECT_EQ(child<QWidget>("TitleFontbutton")->toolTip(),
              QStringLiteral("Select the Title font\n(the title is the part of the calendar "
                             "showing \nthe month and year)"));
}

TEST_F(CalendarProperties, FontButtonsShowTheirFontAndPlannersShowPortrait)
{
    dlg->FormActivate();
    EXPECT_EQ(child<QPushButton>("TitleFontbutton")->text(),
              QStringLiteral("Times New Roman, %1 pt").arg(page->TitleFont().size()));
    choices.choices().fontAnswers = {TFontDesc::make("Liberation Sans", 20, 0, clNavy)};
    child<QPushButton>("TitleFontbutton")->click();
    EXPECT_EQ(child<QPushButton>("TitleFontbutton")->text(), QStringLiteral("Liberation Sans, 20 pt"));

    ASSERT_EQ(child<TRadioGroup>("rOrientation")->ItemIndex(), 1); // the landscape default
    chooseRow(9);
    EXPECT_EQ(child<TRadioGroup>("rOrientation")->ItemIndex(), 0) << "planners are portrait";
    EXPECT_EQ(page->CalendarOrientation(), coPortrait);
}

TEST_F(CalendarProperties, DefaultStyleNeverLeavesATitleInItsBackgroundsColour)
{
    TFontDesc white = page->TitleFont();
    white.color = clWhite;
    page->SetTitleFont(&white);
    page->SetTitleBGColor(clNavy);
    TFontDesc miniHeaders = page->MiniHeadersFont();
    dlg->FormActivate();
    child<QPushButton>("Defaultbutton")->click();
    EXPECT_EQ(page->TitleBGColor(), clWhite);
    EXPECT_EQ(page->TitleFont().color, clBlack);
    EXPECT_EQ(page->TitleFont().name, white.name);
    // Fonts that were readable stay as they were.
    EXPECT_EQ(page->HeadersFont().color, TFontDesc().color);
    EXPECT_EQ(page->MiniHeadersFont().name, miniHeaders.name);
}

TEST(HelpPages, FontAndHeaderTopicsDescribeTheirOwnTabs)
{
    const auto text = [](int topic) {
        QFile f(QStringLiteral(VELMORA_FIXTURES "/../../help/%1.html").arg(topic));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << topic;
        return QString::fromUtf8(f.readAll()).toLower();
    };
    // Showing the year is a choice of the Date tab; the number position is no choice at all.
    EXPECT_FALSE(text(2102).contains(QStringLiteral("shows the year,")));
    EXPECT_TRUE(text(2102).contains(QStringLiteral("date tab")));
    EXPECT_TRUE(text(2101).contains(QStringLiteral("year")));
    EXPECT_FALSE(text(2104).contains(QStringLiteral("day numbers")));
    EXPECT_TRUE(text(2104).contains(QStringLiteral("mini calendars")));
}

namespace {

// Runs `step` on the font dialog once its modal loop runs; closes it after a second in
// any case, so a dialog that stays open fails the test instead of hanging it.
void whenFontDialogRuns(std::function<void(QDialog &, QFontDialog &)> step, bool &stuck)
{
    QTimer::singleShot(0, [step, &stuck] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QFontDialog *fonts = d != nullptr ? d->findChild<QFontDialog *>() : nullptr;
        if (fonts == nullptr)
            return ADD_FAILURE() << "no font dialog on screen";
        QTimer::singleShot(1000, d, [d, &stuck] {
            stuck = true;
            d->reject();
        });
        step(*d, *fonts);
    });
}

} // namespace

TEST(FontDialog, OpensOnTheFamilyShownForTheStoredNameAndKeepsThatName)
{
    for (const char *name : {"Times New Roman", "Arial"}) {
        SCOPED_TRACE(name);
        const TFontDesc initial = TFontDesc::make(name, 12, 0, clBlack);
        QString shown;
        bool stuck = false;
        whenFontDialogRuns(
            [&shown](QDialog &d, QFontDialog &fonts) {
                shown = fonts.currentFont().family();
                d.accept();
            },
            stuck);
        const std::optional<TFontDesc> chosen = Choices().chooseFont(nullptr, initial);
        EXPECT_FALSE(stuck);
        EXPECT_EQ(shown, QFontInfo(QFont(QString::fromLatin1(name))).family());
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(chosen->name, name) << "OK without a change keeps the font";
        EXPECT_EQ(*chosen, initial);
    }
}

TEST(FontDialog, EscapeClosesTheWholeFontWindow)
{
    bool stuck = false;
    whenFontDialogRuns([](QDialog &, QFontDialog &fonts) { QTest::keyClick(&fonts, Qt::Key_Escape); },
                       stuck);
    const auto chosen = Choices().chooseFont(nullptr, TFontDesc::make("Arial", 10, 0, clRed));
    EXPECT_FALSE(stuck) << "an empty Font window stayed open";
    EXPECT_FALSE(chosen.has_value());
}
