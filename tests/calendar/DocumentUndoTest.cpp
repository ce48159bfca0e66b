#include "calendar/CalendarDocument.h"
#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "calendar/DocumentUndo.h"
#include "objects/Gplabel.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

using namespace velmora;

namespace {

class DocumentUndo : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    TCalendarPage page;
    TCalendarDocument doc{page};
    std::unique_ptr<TDocumentUndo> undo;

    void SetUp() override
    {
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(12);
        page.SetMainCalYear(2026);
        page.RenderToImage(1.0);
        AppendTextToDay(page, 3, QStringLiteral("Recital"));
        addLabel("Notes", 40);
        doc.SaveAs(dir.filePath(QStringLiteral("a.QXF")));
        undo = std::make_unique<TDocumentUndo>(doc);
    }
    TBytes bytes() { return DocumentBytes(page, &page.DocumentObjects()); }
    TGPLabel *addLabel(const std::string &caption, int x)
    {
        auto label = std::make_unique<TGPLabel>();
        label->SetCaption(caption);
        // Objects the program places are named; the reader names nameless ones.
        label->SetName("GPLabel" + std::to_string(x));
        label->SetBounds(x, 40, 120, 30);
        TGPLabel *raw = label.get();
        page.Objects().Adopt(std::move(label));
        return raw;
    }
    // The change, as the window reports it, then undo and redo.
    void roundTrip(const QString &name, const std::function<void()> &change)
    {
        SCOPED_TRACE(name.toStdString());
        const TBytes before = bytes();
        change();
        doc.SetModified(true);
        undo->Changed(name);
        const TBytes after = bytes();
        ASSERT_NE(before, after) << "the change changed nothing";
        EXPECT_EQ(undo->UndoText(), QStringLiteral("Undo ") + name);
        ASSERT_TRUE(undo->Undo());
        {
            const TBytes now = bytes();
            size_t i = 0;
            while (i < now.size() && i < before.size() && now[i] == before[i]) ++i;
            if (i < std::max(now.size(), before.size()))
                ADD_FAILURE() << "differs at " << i << " of " << before.size() << "/" << now.size() << ": "
                              << QByteArray(reinterpret_cast<const char *>(before.data()) + i - 40, 100).toHex(' ').toStdString() << " || "
                              << QByteArray(reinterpret_cast<const char *>(now.data()) + i - 40, 100).toHex(' ').toStdString();
        }
        EXPECT_EQ(undo->RedoText(), QStringLiteral("Redo ") + name);
        ASSERT_TRUE(undo->Redo());
        EXPECT_EQ(bytes(), after);
    }
};

} // namespace

TEST_F(DocumentUndo, EveryKindOfChangeUndoesToTheBytesBeforeAndRedoesToTheBytesAfter)
{
    roundTrip(QStringLiteral("Typing"), [&] { AppendTextToDay(page, 9, QStringLiteral("Dentist")); });
    roundTrip(QStringLiteral("Clear All Cell Contents"), [&] { page.ClearAllCells(); });
    roundTrip(QStringLiteral("Fill with Recurring Dates"), [&] {
        for (int day : {1, 8, 15, 22, 29})
            AppendTextToDay(page, day, QStringLiteral("Gym"));
    });
    roundTrip(QStringLiteral("Place Label"), [&] { addLabel("Added", 300); });
    roundTrip(QStringLiteral("Move"), [&] {
        TGGraphicControl *o = page.Objects().Object(0);
        o->SetBounds(o->Left() + 25, o->Top() + 10, o->Width(), o->Height());
    });
    roundTrip(QStringLiteral("Resize"), [&] {
        TGGraphicControl *o = page.Objects().Object(0);
        o->SetBounds(o->Left(), o->Top(), o->Width() + 50, o->Height() + 5);
    });
    roundTrip(QStringLiteral("Delete"), [&] { page.Objects().Clear(); });
    roundTrip(QStringLiteral("Label Text"), [&] { addLabel("x", 10)->SetCaption("Changed caption"); });
    roundTrip(QStringLiteral("Properties"), [&] {
        page.SetCalendarLayout(loFullCalendar + 1);
        page.SetStartOfWeek(1 - page.StartOfWeek());
        page.SetTitleBGColor(TColor(0x00336699));
    });
    roundTrip(QStringLiteral("Load Style Sheet"), [&] {
        TCalendarPage other;
        other.ResetToDefaults();
        other.SetHeadersBGColor(TColor(0x00112233));
        other.SetCalendarBorder(3);
        page.AssignStyle(other);
    });
    roundTrip(QStringLiteral("Title"), [&] { page.SetUserTitle("Our Year"); });
    roundTrip(QStringLiteral("Month"), [&] { page.SetMainCalMonth(1); });
}

TEST_F(DocumentUndo, AHundredStepsGoBackToTheStartAndTheSavedStateIsClean)
{
    const TBytes start = bytes();
    EXPECT_FALSE(doc.Modified());
    for (int i = 0; i < 100; ++i) {
        page.SetUserTitle("Title " + std::to_string(i));
        doc.SetModified(true);
        undo->Changed(QStringLiteral("Title"));
        if (i == 49) {
            doc.Save();
            undo->Saved();
        }
    }
    const TBytes end = bytes();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(undo->Undo());
    EXPECT_FALSE(doc.Modified()) << "back at the saved state";
    EXPECT_EQ(page.UserTitle(), "Title 49");
    ASSERT_TRUE(undo->Undo());
    EXPECT_TRUE(doc.Modified());
    for (int i = 0; i < 49; ++i)
        ASSERT_TRUE(undo->Undo());
    EXPECT_EQ(bytes(), start);
    EXPECT_FALSE(undo->CanUndo());
    while (undo->Redo()) {
    }
    EXPECT_EQ(bytes(), end);
    EXPECT_TRUE(doc.Modified());
}

TEST_F(DocumentUndo, ReadingBackKeepsTheZoomAndTheNamesAndANewHistoryStartsWithOpen)
{
    const std::string name = page.Objects().Object(0)->Name();
    page.Objects().SetZoom(0.5f);
    page.SetUserTitle("Zoomed");
    undo->Changed(QStringLiteral("Title"));
    ASSERT_TRUE(undo->Undo());
    EXPECT_FLOAT_EQ(page.Objects().Zoom(), 0.5f);
    EXPECT_EQ(page.Objects().Object(0)->Name(), name) << "the window reselects objects by name";

    doc.CancelChanges();
    undo->Reset();
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_FALSE(undo->CanRedo());
    EXPECT_EQ(undo->UndoText(), QStringLiteral("Undo"));
}

TEST_F(DocumentUndo, AHeldKeyIsOneStep)
{
    const TBytes before = bytes();
    TGGraphicControl *o = page.Objects().Object(0);
    for (int i = 0; i < 20; ++i) {
        o->SetBounds(o->Left() + 1, o->Top(), o->Width(), o->Height());
        undo->Changed(QStringLiteral("Move"), 1);
    }
    undo->EndMerge();
    EXPECT_EQ(undo->History().UndoCount(), 1u);
    ASSERT_TRUE(undo->Undo());
    EXPECT_EQ(bytes(), before);
}

TEST_F(DocumentUndo, AHundredStepsOfABusyPageStayUnderTwentyMebibytes)
{
    for (int day = 1; day <= 31; ++day)
        for (int line = 0; line < 4; ++line)
            AppendTextToDay(page, day, QStringLiteral("Appointment %1 with a longer note, line %2").arg(day).arg(line));
    for (int i = 0; i < 30; ++i)
        addLabel("Label " + std::to_string(i), 10 + i * 7);
    undo->Reset();
    for (int i = 0; i < 100; ++i) {
        TGGraphicControl *o = page.Objects().Object(i % 30);
        o->SetBounds(o->Left() + 3, o->Top() + 1, o->Width(), o->Height());
        undo->Changed(QStringLiteral("Move"));
    }
    EXPECT_EQ(undo->History().UndoCount(), 100u);
    EXPECT_LT(undo->History().MemoryUsage() + undo->Current().capacity(), 20u * 1024 * 1024);
}
