#include "calendar/UndoHistory.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;

namespace {

TBytes state(int n, size_t size = 64)
{
    TBytes b(size, uint8_t('a' + n % 26));
    const std::string tag = std::to_string(n);
    std::copy(tag.begin(), tag.end(), b.begin());
    return b;
}

// Steps 0->1->...->n, each named "Step i".
void walk(TUndoHistory &h, int n)
{
    for (int i = 0; i < n; ++i)
        h.Record(QStringLiteral("Step %1").arg(i + 1), state(i), state(i + 1));
}

} // namespace

TEST(UndoHistory, UndoAndRedoGiveBackTheExactBytesAndNames)
{
    TUndoHistory h;
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.Undo(state(0)).has_value());
    walk(h, 3);
    EXPECT_EQ(h.UndoName(), QStringLiteral("Step 3"));
    EXPECT_EQ(h.Undo(state(3)), state(2));
    EXPECT_EQ(h.RedoName(), QStringLiteral("Step 3"));
    EXPECT_EQ(h.UndoName(), QStringLiteral("Step 2"));
    EXPECT_EQ(h.Undo(state(2)), state(1));
    EXPECT_EQ(h.Redo(state(1)), state(2));
    EXPECT_EQ(h.Redo(state(2)), state(3));
    EXPECT_FALSE(h.CanRedo());
    EXPECT_FALSE(h.Redo(state(3)).has_value());
}

TEST(UndoHistory, AChangeThatChangedNothingIsNoStepAndANewStepDropsTheRedos)
{
    TUndoHistory h;
    EXPECT_FALSE(h.Record(QStringLiteral("Move"), state(1), state(1)));
    EXPECT_FALSE(h.CanUndo());
    walk(h, 2);
    ASSERT_TRUE(h.Undo(state(2)));
    EXPECT_TRUE(h.CanRedo());
    h.Record(QStringLiteral("Other"), state(1), state(7));
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.Undo(state(7)), state(1));
}

TEST(UndoHistory, HeldKeyStepsMergeUntilTheKeyIsReleased)
{
    TUndoHistory h;
    constexpr int kArrow = 7;
    for (int i = 0; i < 10; ++i)
        h.Record(QStringLiteral("Move"), state(i), state(i + 1), kArrow);
    EXPECT_EQ(h.UndoCount(), 1u);
    h.EndMerge();
    h.Record(QStringLiteral("Move"), state(10), state(11), kArrow);
    EXPECT_EQ(h.UndoCount(), 2u);
    // Another kind of step never joins an open one.
    h.Record(QStringLiteral("Resize"), state(11), state(12), 8);
    EXPECT_EQ(h.UndoCount(), 3u);
    EXPECT_EQ(h.Undo(state(12)), state(11));
    EXPECT_EQ(h.Undo(state(11)), state(10));
    EXPECT_EQ(h.Undo(state(10)), state(0));
    // After an undo the next held-key step starts afresh.
    h.Record(QStringLiteral("Move"), state(0), state(20), kArrow);
    h.Record(QStringLiteral("Move"), state(20), state(21), kArrow);
    EXPECT_EQ(h.UndoCount(), 1u);
    EXPECT_EQ(h.Undo(state(21)), state(0));
}

TEST(UndoHistory, KeepsAtLeastAHundredStepsAndDropsTheOldestBeyondItsDepth)
{
    TUndoHistory deep;
    EXPECT_GE(deep.Depth(), 100u);
    walk(deep, 100);
    int undone = 0;
    TBytes now = state(100);
    while (auto back = deep.Undo(now)) {
        now = *back;
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(now, state(0));

    TUndoHistory h(100);
    h.MarkSaved(); // state 0 is on disk
    walk(h, 130);
    EXPECT_EQ(h.UndoCount(), 100u);
    now = state(130);
    while (auto back = h.Undo(now))
        now = *back;
    EXPECT_EQ(now, state(30));
    // The saved state fell off the far end: no undone state counts as saved.
    EXPECT_FALSE(h.AtSavedState());
}

TEST(UndoHistory, TheSavedStateIsKnownAcrossUndoRedoAndLostWhenABranchReplacesIt)
{
    TUndoHistory h;
    h.Clear(false); // a new page was never saved
    EXPECT_FALSE(h.AtSavedState());
    walk(h, 3);
    h.MarkSaved();
    EXPECT_TRUE(h.AtSavedState());
    walk(h, 0);
    h.Record(QStringLiteral("Step 4"), state(3), state(4));
    EXPECT_FALSE(h.AtSavedState());
    h.Undo(state(4));
    EXPECT_TRUE(h.AtSavedState()) << "saving keeps the history";
    h.Undo(state(3));
    EXPECT_FALSE(h.AtSavedState());
    h.Redo(state(2));
    EXPECT_TRUE(h.AtSavedState());
    // Undo before the saved state, then a different step: the saved state is unreachable.
    h.Undo(state(3));
    h.Record(QStringLiteral("Other"), state(2), state(9));
    EXPECT_FALSE(h.AtSavedState());
    h.Undo(state(9));
    EXPECT_FALSE(h.AtSavedState());
    h.Clear(true);
    EXPECT_TRUE(h.AtSavedState());
    EXPECT_FALSE(h.CanUndo());
}

TEST(UndoHistory, ASavedStateInsideAHeldKeyRunIsLeftByTheNextMergedStep)
{
    TUndoHistory h;
    h.Record(QStringLiteral("Move"), state(0), state(1), 3);
    h.MarkSaved(); // also closes the run
    h.Record(QStringLiteral("Move"), state(1), state(2), 3);
    EXPECT_EQ(h.UndoCount(), 2u);
    EXPECT_FALSE(h.AtSavedState());
    h.Undo(state(2));
    EXPECT_TRUE(h.AtSavedState());
}

TEST(UndoHistory, SnapshotsAreKeptCompressed)
{
    TUndoHistory h;
    for (int i = 0; i < 100; ++i)
        h.Record(QStringLiteral("Step"), state(i, 200000), state(i + 1, 200000));
    EXPECT_LT(h.MemoryUsage(), 100u * 200000u / 20u);
}
