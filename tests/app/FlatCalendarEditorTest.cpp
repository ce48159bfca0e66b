// The floating calendar's properties dialog driven as a user would, through its controls.
#include "ScriptedChoices.h"
#include "app/RadioGroup.h"
#include "app/gcalflateditor.h"
#include "common/Program.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace velmora;

namespace {

class FlatEditor : public ::testing::Test
{
protected:
    test::ScopedScriptedUi scripted;
    test::ScopedScriptedChoices choices;
    TFlatCalendarEditor dlg;
    TGFlatCalendar object;

    void SetUp() override
    {
        object.SetBounds(0, 0, 180, 150);
        object.SetMonth(2);
        object.SetYear(2026);
    }
    template <class T> T *child(const char *name)
    {
        T *w = dlg.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    // Picks a colour from a colour button's drop-down palette.
    void pickSwatch(const char *button, int index)
    {
        auto *b = child<TFlatColorButton>(button);
        auto *swatch = b->menu()->findChild<QToolButton *>(QStringLiteral("Swatch%1").arg(index));
        ASSERT_NE(swatch, nullptr);
        swatch->click();
    }
};

TEST_F(FlatEditor, ControlsShowTheObjectWithoutChangingIt)
{
    object.SetStartOfWeek(2);
    object.SetLanguage(fclItalian);
    object.SetShadowPosition(fcpUpperRight);
    object.SetShadowDepth(4);
    object.SetCellBorderStyle(fcbTopBottom);
    object.SetMonth(14); // from a document: shown as December, kept as it is
    dlg.RunModal = [&](TFlatCalendarEditor &) {
        EXPECT_EQ(child<QSpinBox>("YearSpinner")->value(), 2026);
        EXPECT_EQ(child<QComboBox>("MonthCombo")->currentIndex(), 11);
        EXPECT_EQ(child<TRadioGroup>("WeekStartsOn")->ItemIndex(), 1);
        EXPECT_EQ(child<QComboBox>("LanguageCombo")->currentText(), QStringLiteral("L'italiano"));
        EXPECT_EQ(child<QComboBox>("ShadowOrientationCombo")->currentIndex(), 2);
        EXPECT_EQ(child<QSpinBox>("ShadowDepthSpinner")->value(), 4);
        EXPECT_EQ(child<QComboBox>("CellBorderCombo")->currentIndex(), 4);
        EXPECT_EQ(dlg.Sample().Month(), 14);
        EXPECT_EQ(dlg.Sample().Width(), 180);
        click("OKButton");
        return dlg.result() == QDialog::Accepted;
    };
    ASSERT_TRUE(dlg.Execute(object));
    EXPECT_EQ(object.Month(), 14);
    EXPECT_EQ(object.StartOfWeek(), 2);
}

TEST_F(FlatEditor, EveryControlReachesThePreviewAndOkCopiesIt)
{
    choices.choices().fontAnswers = {TFontDesc::make("Liberation Serif", 12,
                                                     uint8_t(TFontStyle::fsUnderline), clRed),
                                     TFontDesc::make("Liberation Sans", 9, 0, clBlue),
                                     TFontDesc::make("Liberation Mono", 6,
                                                     uint8_t(TFontStyle::fsStrikeOut), clGreen)};
    choices.choices().colorAnswers = {TColor(0x123456)};
    dlg.RunModal = [&](TFlatCalendarEditor &) {
        child<QSpinBox>("YearSpinner")->setValue(2030);
        child<QComboBox>("MonthCombo")->setCurrentIndex(6);
        QTest::mouseClick(child<QCheckBox>("ShowtitleInyearCheck"), Qt::LeftButton);
        child<QComboBox>("HeadersStyleCombo")->setCurrentIndex(2);
        child<QComboBox>("LanguageCombo")->setCurrentIndex(1);
        QTest::mouseClick(child<TRadioGroup>("WeekStartsOn")->Item(1), Qt::LeftButton);
        click("TitleFontbutton");
        click("HeaderFontbutton");
        click("CellFontbutton");
        child<QComboBox>("CalendarBorderCombo")->setCurrentIndex(0);
        child<QComboBox>("HeaderBorderCombo")->setCurrentIndex(2);
        child<QComboBox>("CellBorderCombo")->setCurrentIndex(1);
        pickSwatch("TitleBackgroundbutton", 4);
        pickSwatch("HeaderBackgroundButton", 19);
        auto *other = child<TFlatColorButton>("Bodybackgroundbutton")
                          ->menu()
                          ->findChild<QPushButton *>(QStringLiteral("OtherButton"));
        other->click();
        pickSwatch("ShadowColorButton", 1);
        child<QComboBox>("ShadowOrientationCombo")->setCurrentIndex(3);
        child<QSpinBox>("ShadowDepthSpinner")->setValue(6);
        EXPECT_EQ(dlg.Sample().Language(), fclGerman); // shown at once
        EXPECT_EQ(object.Language(), fclEnglish);
        QTest::mouseClick(child<QCheckBox>("TransparentCheck"), Qt::LeftButton);
        click("OKButton");
        return dlg.result() == QDialog::Accepted;
    };
    ASSERT_TRUE(dlg.Execute(object));
    EXPECT_EQ(object.Year(), 2030);
    EXPECT_EQ(object.Month(), 7);
    EXPECT_TRUE(object.ShowYear());
    EXPECT_EQ(object.DayNameStyle(), fdsWhole);
    EXPECT_EQ(object.Language(), fclGerman);
    EXPECT_EQ(object.StartOfWeek(), 2);
    EXPECT_EQ(object.TitleFont().name, "Liberation Serif");
    EXPECT_TRUE(object.TitleFont().underline());
    EXPECT_EQ(object.TitleFont().color, clRed);
    EXPECT_EQ(object.DayNameFont().color, clBlue);
    EXPECT_TRUE(object.CellFont().strikeOut());
    EXPECT_EQ(object.CalendarBorderStyle(), fcbNone);
    EXPECT_EQ(object.DayNameBorderStyle(), fcbTop);
    EXPECT_EQ(object.CellBorderStyle(), fcbAll);
    EXPECT_EQ(object.TitleBGcolor(), TColor(0xBFD7BF));
    EXPECT_EQ(object.DayNameBGColor(), TColor(0x9F9F9F));
    EXPECT_EQ(object.Backgroundcolor(), TColor(0x123456));
    EXPECT_EQ(object.ShadowColor(), TColor(0x0000FF));
    EXPECT_EQ(object.ShadowPosition(), fcpUpperLeft);
    EXPECT_EQ(object.ShadowDepth(), 6);
    EXPECT_TRUE(object.CalTransparent());
    // The fonts were offered as the preview had them.
    ASSERT_EQ(choices.choices().fontsOffered.size(), 3U);
    EXPECT_EQ(choices.choices().fontsOffered.at(0).name, "Arial");
    EXPECT_EQ(choices.choices().fontsOffered.at(2).size(), 7);
}

TEST_F(FlatEditor, CancelAndEscapeLeaveTheObjectAlone)
{
    for (const bool escape : {false, true}) {
        dlg.RunModal = [&](TFlatCalendarEditor &) {
            child<QComboBox>("LanguageCombo")->setCurrentIndex(4);
            child<QSpinBox>("ShadowDepthSpinner")->setValue(9);
            EXPECT_EQ(dlg.Sample().ShadowDepth(), 9);
            if (escape)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                click("Cancelbutton");
            return dlg.result() == QDialog::Accepted;
        };
        EXPECT_FALSE(dlg.Execute(object));
        EXPECT_EQ(object.Language(), fclEnglish);
        EXPECT_EQ(object.ShadowDepth(), 0);
    }
}

TEST_F(FlatEditor, InstalledDialogServesThePropertiesEntry)
{
    {
        TFlatCalendarEditor installed;
        installed.Install();
        installed.RunModal = [](TFlatCalendarEditor &d) {
            d.findChild<QComboBox *>(QStringLiteral("MonthCombo"))->setCurrentIndex(9);
            return true;
        };
        object.Loaded();
        object.PopupMenu().entries().back().action();
        EXPECT_EQ(object.Month(), 10);
    }
    // Gone with the dialog: the entry then does nothing rather than reach a dead window.
    EXPECT_FALSE(FlatCalendarEditor());
    object.EditProperties();
    EXPECT_EQ(object.Month(), 10);
}

TEST_F(FlatEditor, HelpOpensItsTopic)
{
    QTemporaryDir folder;
    SetAppFolder(folder.path());
    QDir(folder.path()).mkdir(QStringLiteral("help"));
    const QString source = QStringLiteral(VELMORA_FIXTURES "/../../help/");
    for (const char *page : {"index.html", "40015.html"})
        ASSERT_TRUE(QFile::copy(source + QString::fromLatin1(page),
                                folder.filePath(QStringLiteral("help/") + QString::fromLatin1(page))));
    click("Helpbutton");
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->source().toLocalFile().endsWith(QStringLiteral("40015.html")));
    EXPECT_TRUE(HelpWindow()->toPlainText().contains(QStringLiteral("Floating calendar")));
    HelpWindow()->close();
    SetAppFolder(QString());
}

TEST_F(FlatEditor, PaletteHasTwentyColoursAndOther)
{
    auto *b = child<TFlatColorButton>("ShadowColorButton");
    EXPECT_EQ(b->menu()->findChildren<QToolButton *>().size(), 20);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Floating Calendar Properties"));
    EXPECT_TRUE(child<QPushButton>("OKButton")->isDefault());
    EXPECT_EQ(child<QSpinBox>("YearSpinner")->minimum(), 1950);
    EXPECT_EQ(child<QSpinBox>("YearSpinner")->maximum(), 2500);
    EXPECT_EQ(child<QSpinBox>("ShadowDepthSpinner")->maximum(), 10);
}

} // namespace
