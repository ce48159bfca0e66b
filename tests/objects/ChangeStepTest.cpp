// The steps the page's commands form for the undo history: where one begins and ends, and
// what it is called, for drags, held keys, menu entries and drawing tools.
#include "TestObjects.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

class ChangeSteps : public ::testing::Test
{
protected:
    TTestPanel t;
    TGHandle &handle = t.panel.Handle();
    int started = 0;
    QStringList ended;
    int changesInStep = 0;

    void SetUp() override
    {
        UseTestBoxes(t.panel);
        t.panel.ChangeStepStarting = [this] { ++started; };
        t.panel.ChangeStepEnded = [this](const QString &name) { ended << name; };
        t.panel.LabelChangedEvent = [this] {
            if (t.panel.InChangeStep()) ++changesInStep;
        };
    }
    void select(QPoint p)
    {
        t.click(p);
        t.now += 500;
    }
    void heldKey(Qt::Key k, Qt::KeyboardModifiers mods, int repeats)
    {
        QKeyEvent press(QEvent::KeyPress, k, mods);
        QCoreApplication::sendEvent(&t.panel, &press);
        for (int i = 0; i < repeats; ++i) {
            QKeyEvent up(QEvent::KeyRelease, k, mods, QString(), true);
            QCoreApplication::sendEvent(&t.panel, &up);
            QKeyEvent again(QEvent::KeyPress, k, mods, QString(), true);
            QCoreApplication::sendEvent(&t.panel, &again);
        }
        QKeyEvent release(QEvent::KeyRelease, k, mods);
        QCoreApplication::sendEvent(&t.panel, &release);
    }
};

TEST_F(ChangeSteps, NestedStepsAreOneNamedAfterTheOutermost)
{
    {
        const TGBasePanel::TChangeStep outer(t.panel, QStringLiteral("Fill with Recurring Dates"));
        EXPECT_EQ(t.panel.ChangeStepName(), QStringLiteral("Fill with Recurring Dates"));
        const TGBasePanel::TChangeStep inner(t.panel, QStringLiteral("Drop Picture"));
        EXPECT_EQ(t.panel.ChangeStepName(), QStringLiteral("Fill with Recurring Dates"));
        EXPECT_TRUE(ended.isEmpty());
    }
    EXPECT_EQ(started, 1);
    EXPECT_EQ(ended, QStringList({QStringLiteral("Fill with Recurring Dates")}));
    EXPECT_FALSE(t.panel.InChangeStep());
    EXPECT_TRUE(t.panel.ChangeStepName().isEmpty());
}

TEST_F(ChangeSteps, ADragOrAHeldKeyIsOneStepAndAClickIsNone)
{
    TTestBox *box = t.add(100, 100, 80, 40);
    select({140, 120});
    ended.clear();
    started = 0;
    t.press({140, 120});
    for (int i = 1; i <= 20; ++i)
        t.move({140 + i, 120 + i}, 20);
    t.release({160, 140}, Qt::LeftButton, {}, 20);
    EXPECT_EQ(rectOf(*box), (TRect{120, 120, 200, 160}));
    EXPECT_EQ(ended, QStringList({QStringLiteral("Move")}));
    EXPECT_GT(changesInStep, 0) << "the change is reported inside its step";

    // A quick click on the frame moves nothing and is no step.
    t.now += 500;
    t.click({150, 130});
    EXPECT_EQ(ended.size(), 1);

    t.hover({198, 158});
    ASSERT_EQ(handle.Zone(), hzBottomRight);
    t.now += 500;
    t.drag({198, 158}, {230, 170});
    EXPECT_EQ(ended.last(), QStringLiteral("Resize"));

    ended.clear();
    heldKey(Qt::Key_Right, {}, 15);
    heldKey(Qt::Key_Down, Qt::ShiftModifier, 6);
    EXPECT_EQ(ended, QStringList({QStringLiteral("Move"), QStringLiteral("Resize")}));
    EXPECT_EQ(started, 4);
}

TEST_F(ChangeSteps, MenuEntriesAndDrawingToolsNameTheirSteps)
{
    TTestBox *a = t.add(100, 100, 50, 30);
    t.add(300, 300, 50, 30);
    handle.Select(a);
    t.panel.ShowObjectMenu(*a, {});
    ASSERT_TRUE(t.trigger(QStringLiteral("Bring To Front")));
    t.panel.ShowPageMenu({});
    ASSERT_TRUE(t.trigger(QStringLiteral("Lock All")));
    EXPECT_EQ(ended, QStringList({QStringLiteral("Bring To Front"), QStringLiteral("Lock All")}));

    // The tool's object and whatever its first dialog does are one step.
    ended.clear();
    t.panel.SetPanelState(psLabel);
    t.drag({400, 400}, {500, 450});
    EXPECT_EQ(t.panel.ObjectCount(), 3);
    EXPECT_EQ(ended, QStringList({QStringLiteral("Place Text Label")}));
    ASSERT_NE(t.panel.Object(2), nullptr);
    EXPECT_EQ(static_cast<TTestBox *>(t.panel.Object(2))->drawings, 1);

    // Keys that change the page are steps too.
    ended.clear();
    handle.ClearSelection();
    handle.Select(t.panel.Object(2));
    t.key(Qt::Key_Delete);
    EXPECT_EQ(ended, QStringList({QStringLiteral("Delete")}));
}

} // namespace
} // namespace velmora::test
