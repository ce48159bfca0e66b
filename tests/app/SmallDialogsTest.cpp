#include "app/Gettitle.h"
#include "app/Settd.h"
#include "app/Splash.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace velmora;

namespace {

int selectedHours(const TSetTimeDialog &d)
{
    int n = 0;
    for (int tag = 0; tag < 24; ++tag)
        n += TSetTimeDialog::IsCellSelected(d.HourCell(tag)) ? 1 : 0;
    return n;
}

int selectedMinutes(const TSetTimeDialog &d)
{
    int n = 0;
    for (int tag = 0; tag < 60; ++tag)
        n += TSetTimeDialog::IsCellSelected(d.MinuteCell(tag)) ? 1 : 0;
    return n;
}

} // namespace

TEST(SetTimeDialog, EightOClockSelectsTheMorningEightAndZeroMinutes)
{
    TSetTimeDialog d;
    d.SetTime(EncodeTime(8, 0, 0));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set Time As: 08:00 am"));
    EXPECT_EQ(d.HourCell(8)->text(), QStringLiteral("8"));
    EXPECT_TRUE(TSetTimeDialog::IsCellSelected(d.HourCell(8)));
    EXPECT_FALSE(TSetTimeDialog::IsCellSelected(d.HourCell(20)));
    EXPECT_EQ(d.MinuteCell(0)->text(), QStringLiteral("00"));
    EXPECT_TRUE(TSetTimeDialog::IsCellSelected(d.MinuteCell(0)));
    EXPECT_EQ(selectedHours(d), 1);
    EXPECT_EQ(selectedMinutes(d), 1);
}

TEST(SetTimeDialog, TheTwoTwelvesAreNoonAndMidnight)
{
    TSetTimeDialog d;
    d.SetTime(EncodeTime(8, 0, 0));
    EXPECT_EQ(d.HourCell(12)->text(), QStringLiteral("12"));
    d.HourCell(12)->click();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set Time As: 12:00 pm"));
    EXPECT_DOUBLE_EQ(d.Time(), 0.5);
    EXPECT_EQ(d.HourCell(0)->text(), QStringLiteral("12"));
    d.HourCell(0)->click();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set Time As: 12:00 am"));
    EXPECT_DOUBLE_EQ(d.Time(), 0.0);
    EXPECT_EQ(selectedHours(d), 1);
}

TEST(SetTimeDialog, CellsMoveTheSelectionAndTheTimeDropsSeconds)
{
    TSetTimeDialog d;
    d.SetTime(EncodeDate(2024, 5, 1) + EncodeTime(17, 45, 30));
    EXPECT_EQ(d.Hour(), 17);
    EXPECT_EQ(d.Minute(), 45);
    EXPECT_DOUBLE_EQ(d.Time(), EncodeTime(17, 45, 0));
    d.MinuteCell(5)->click();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set Time As: 05:05 pm"));
    EXPECT_FALSE(TSetTimeDialog::IsCellSelected(d.MinuteCell(45)));
    EXPECT_EQ(selectedMinutes(d), 1);
    d.HourCellClick(24); // no such cell
    EXPECT_EQ(d.Hour(), 17);
}

TEST(SetTimeDialog, OkAndCancelEndWithOneAndTwo)
{
    TSetTimeDialog d;
    d.findChild<QPushButton *>(QStringLiteral("okbutton"))->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    d.findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
    EXPECT_EQ(d.result(), kModalCancel);
    EXPECT_TRUE(d.findChild<QPushButton *>(QStringLiteral("okbutton"))->isDefault());
}

TEST(ShortTime, TextReadsBackAndNonsenseIsRefused)
{
    TDateTime t = -1;
    ASSERT_TRUE(TryReadShortTime(ShortTimeText(EncodeTime(14, 30, 0)), t));
    EXPECT_DOUBLE_EQ(t, EncodeTime(14, 30, 0));
    ASSERT_TRUE(TryReadShortTime(QStringLiteral("8:05 pm"), t));
    EXPECT_DOUBLE_EQ(t, EncodeTime(20, 5, 0));
    ASSERT_TRUE(TryReadShortTime(QStringLiteral(" 7:15 "), t));
    EXPECT_DOUBLE_EQ(t, EncodeTime(7, 15, 0));
    t = 0.25;
    EXPECT_FALSE(TryReadShortTime(QStringLiteral("teatime"), t));
    EXPECT_FALSE(TryReadShortTime(QString(), t));
    EXPECT_FALSE(TryReadShortTime(QStringLiteral("25:00"), t));
    EXPECT_DOUBLE_EQ(t, 0.25);
}

TEST(UserTitleForm, AnEmptyTitleConfirmedGivesAnEmptyTitle)
{
    TUserTitleForm f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("User Defined Title"));
    f.SetTitle("Family \u00e9t\u00e9 2024");
    EXPECT_EQ(f.TitleText()->text(), QStringLiteral("Family \u00e9t\u00e9 2024"));
    EXPECT_EQ(f.Title(), "Family \u00e9t\u00e9 2024");
    f.TitleText()->clear();
    f.findChild<QPushButton *>(QStringLiteral("okbutton"))->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.Title(), "");
}

TEST(UserTitleForm, CancelEndsWithTwo)
{
    TUserTitleForm f;
    f.SetTitle("Kept");
    f.findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
    EXPECT_EQ(f.result(), kModalCancel);
}

TEST(Splashform, ShowsVersionAndThisBuildsPlatform)
{
    TSplashform s;
    EXPECT_EQ(s.windowTitle(), QStringLiteral("About Velmora"));
    EXPECT_TRUE(s.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QStringList texts;
    for (const QLabel *l : s.findChildren<QLabel *>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 3.1a")));
    EXPECT_TRUE(texts.contains(sizeof(void *) == 8 ? QStringLiteral("64-bit version")
                                                   : QStringLiteral("32-bit version")));
    EXPECT_EQ(TSplashform::Picture().size(), QSize(160, 50));
    s.findChild<QPushButton *>(QStringLiteral("okbutton"))->click();
    EXPECT_EQ(s.result(), QDialog::Accepted);
}
