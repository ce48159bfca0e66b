// Floating calendars the way a user makes them: drawn with the Calendar tool, changed in
// their properties dialog, saved, opened again and printed.
#include "ScriptedChoices.h"
#include "app/Camain.h"
#include "app/PropertiesAnswer.h"
#include "app/ReportSystem.h"
#include "app/gcalflateditor.h"
#include "calendar/Calpanel32.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

using namespace velmora;

namespace {

void drag(QWidget *page, QPoint from, QPoint to)
{
    const auto send = [page](QEvent::Type type, QPoint pt, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(pt), QPointF(page->mapToGlobal(pt)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(page, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// Where a run under a real display leaves its pictures for a person to look at.
void shot(QWidget *w, const char *name)
{
    const QString folder = qEnvironmentVariable("VELMORA_TEST_SHOTS");
    if (!folder.isEmpty()) w->grab().save(folder + QLatin1Char('/') + QLatin1String(name));
}

class FlatCalendarUse : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    test::ScopedScriptedUi scripted;
    test::ScopedScriptedChoices choices;
    std::unique_ptr<TCalendarMain> w;
    std::unique_ptr<TFlatCalendarEditor> editor;

    void SetUp() override
    {
        SetAppFolder(dir.path());
        w = std::make_unique<TCalendarMain>();
        editor = std::make_unique<TFlatCalendarEditor>(w.get());
        editor->Install();
        w->resize(1300, 950);
        w->show();
        w->FirstActivation();
        w->RunPropertiesDialog = test::PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(loFullCalendar);
            preview.SetMainCalMonth(12);
            preview.SetMainCalYear(1997);
        });
        w->New1Click();
        w->CalendarPanel()->RenderToBitmap();
    }
    void TearDown() override
    {
        editor.reset();
        w.reset();
        SetAppFolder(QString());
    }
    TGFlatCalendar &calendar(int index)
    {
        return dynamic_cast<TGFlatCalendar &>(*w->CalendarPanel()->Object(index));
    }
    template <class T> T *control(const char *name)
    {
        return editor->findChild<T *>(QString::fromLatin1(name));
    }
    void swatch(const char *button, int index)
    {
        control<TFlatColorButton>(button)
            ->menu()
            ->findChild<QToolButton *>(QStringLiteral("Swatch%1").arg(index))
            ->click();
    }
};

} // namespace

TEST_F(FlatCalendarUse, TwoCalendarsSurviveSaveOpenAndPrint)
{
    TCalendarPanel32 *page = w->CalendarPanel();
    QToolButton *tool = w->findChild<QToolButton *>(QStringLiteral("PSpeedButton1"));
    ASSERT_NE(tool, nullptr);
    tool->click();
    drag(page, {40, 300}, {240, 470});
    tool->click();
    drag(page, {265, 300}, {445, 470});
    ASSERT_EQ(page->ObjectCount(), 2);
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(page->PanelState(), psPointing);

    // The first: February 2026, German three-letter names, cell lines, a grey shadow.
    editor->RunModal = [&](TFlatCalendarEditor &) {
        control<QSpinBox>("YearSpinner")->setValue(2026);
        control<QComboBox>("MonthCombo")->setCurrentIndex(1);
        control<QComboBox>("LanguageCombo")->setCurrentIndex(1);
        control<QComboBox>("HeadersStyleCombo")->setCurrentIndex(1);
        control<QComboBox>("CellBorderCombo")->setCurrentIndex(1);
        control<QSpinBox>("ShadowDepthSpinner")->setValue(6);
        control<QComboBox>("ShadowOrientationCombo")->setCurrentIndex(1);
        swatch("ShadowColorButton", 15);
        swatch("TitleBackgroundbutton", 9);
        shot(editor.get(), "flat-dialog.png");
        return true;
    };
    calendar(0).EditProperties();
    // The second: July 2027 with the year, other fonts and colours.
    choices.choices().fontAnswers = {TFontDesc::make("Liberation Serif", 14,
                                                     uint8_t(TFontStyle::fsBold), clBlue),
                                     TFontDesc::make("Liberation Sans", 9,
                                                     uint8_t(TFontStyle::fsItalic), clRed)};
    editor->RunModal = [&](TFlatCalendarEditor &) {
        control<QSpinBox>("YearSpinner")->setValue(2027);
        control<QComboBox>("MonthCombo")->setCurrentIndex(6);
        control<QPushButton>("TitleFontbutton")->click();
        control<QPushButton>("CellFontbutton")->click();
        editor->findChild<QCheckBox *>(QStringLiteral("ShowtitleInyearCheck"))->click();
        control<QComboBox>("CalendarBorderCombo")->setCurrentIndex(4);
        swatch("HeaderBackgroundButton", 11);
        swatch("Bodybackgroundbutton", 4);
        return true;
    };
    calendar(1).EditProperties();
    EXPECT_EQ(calendar(1).TitleText(), "July 2027");
    page->repaint();
    shot(w.get(), "flat-page.png");

    const TRect placed = calendar(1).BoundsRect();
    const QString path = dir.filePath(QStringLiteral("flat.QXF"));
    scripted.ui().fileAnswers = {path};
    ASSERT_TRUE(w->mnuSaveAsClick());
    w->OpenCalendarFile(path);
    ASSERT_EQ(page->ObjectCount(), 2);
    EXPECT_EQ(calendar(0).Language(), fclGerman);
    EXPECT_EQ(calendar(0).ShadowPosition(), fcpLowerLeft);
    EXPECT_EQ(calendar(0).ShadowColor(), TColor(0x7F7F7F));
    EXPECT_EQ(calendar(1).TitleFont().name, "Liberation Serif");
    EXPECT_EQ(calendar(1).Backgroundcolor(), TColor(0xBFD7BF));
    EXPECT_EQ(calendar(1).BoundsRect(), placed);
    page->repaint();
    shot(w.get(), "flat-reopened.png");

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    const QString pdf = dir.filePath(QStringLiteral("flat.pdf"));
    w->ReportSystem1().RunSetupDialog = [pdf](TReportSetup &s) {
        s.destination = TReportDestination::PdfFile;
        s.pdfFile = pdf;
        return true;
    };
    w->mnuPrintCalendarClick();
    if (const QString folder = qEnvironmentVariable("VELMORA_TEST_SHOTS"); !folder.isEmpty())
        QFile::copy(pdf, folder + QStringLiteral("/flat.pdf"));
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *word : {"Februar", "Mon", "July 2027", "December 1997"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << "\n" << text.toStdString();
}
