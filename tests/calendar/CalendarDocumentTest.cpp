#include "calendar/CalendarDocument.h"
#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "objects/Gplabel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velmora;

namespace {

class CalendarDocument : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    TCalendarPage page;
    TCalendarDocument doc{page};
    int modifiedChanges = 0;

    void SetUp() override
    {
        doc.ModifiedChanged = [this] { ++modifiedChanges; };
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(12);
        page.SetMainCalYear(2026);
        page.RenderToImage(1.0); // the day cells exist once the page has been drawn
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void addLabel(const std::string &caption)
    {
        auto label = std::make_unique<TGPLabel>();
        label->SetCaption(caption);
        label->SetBounds(40, 40, 120, 30);
        page.Objects().Adopt(std::move(label));
    }
};

TEST_F(CalendarDocument, SavedDocumentsOpenAsTheyWereAndCancelGoesBackToTheFile)
{
    AppendTextToDay(page, 3, QStringLiteral("Recital"));
    addLabel("Notes");
    doc.SetModified(true);
    doc.SaveAs(path(QStringLiteral("a.QXF")));
    EXPECT_EQ(doc.FileName(), path(QStringLiteral("a.QXF")));
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(modifiedChanges, 2);

    // Changes after the save go away with Cancel Changes.
    page.SetUserTitle("Changed");
    page.ClearAllCells();
    page.Objects().Clear();
    doc.SetModified(true);
    doc.CancelChanges();
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(page.UserTitle(), "");
    EXPECT_TRUE(page.HasCellText());
    ASSERT_EQ(page.Objects().Count(), 1);
    EXPECT_EQ(page.Objects().Object(0)->Caption(), "Notes");
    EXPECT_TRUE(doc.LoadReportMessage(QStringLiteral("a.QXF")).isEmpty());
}

TEST_F(CalendarDocument, NewIsUntitledEmptyAndModified)
{
    AppendTextToDay(page, 3, QStringLiteral("Recital"));
    addLabel("Notes");
    doc.SaveAs(path(QStringLiteral("a.QXF")));
    doc.New();
    EXPECT_TRUE(doc.Untitled());
    EXPECT_TRUE(doc.Modified());
    EXPECT_FALSE(page.HasCellText());
    EXPECT_EQ(page.Objects().Count(), 0);
    // Cancel Changes of an untitled document has no file to go back to.
    doc.CancelChanges();
    EXPECT_TRUE(doc.Modified());
}

TEST_F(CalendarDocument, AFileThatCannotBeReadLeavesNothingOfItBehind)
{
    AppendTextToDay(page, 3, QStringLiteral("Recital"));
    doc.SaveAs(path(QStringLiteral("good.QXF")));
    QFile good(path(QStringLiteral("good.QXF")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    // Cut inside the day cells: the settings and some cells read, then the end comes.
    bytes.truncate(bytes.size() - 40);
    QFile bad(path(QStringLiteral("bad.QXF")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(bytes);
    bad.close();

    page.SetUserTitle("Before");
    EXPECT_ANY_THROW(doc.Open(path(QStringLiteral("bad.QXF"))));
    EXPECT_TRUE(doc.Untitled());
    EXPECT_FALSE(page.HasCellText());
    EXPECT_EQ(page.UserTitle(), "");
    EXPECT_EQ(page.CalendarLayout(), loFCMinisInTitleLS); // back at the defaults
}

TEST_F(CalendarDocument, AFailedSaveKeepsTheNameAndTheChanges)
{
    doc.SaveAs(path(QStringLiteral("a.QXF")));
    doc.SetModified(true);
    EXPECT_ANY_THROW(doc.SaveAs(path(QStringLiteral("no/such/folder/b.QXF"))));
    EXPECT_EQ(doc.FileName(), path(QStringLiteral("a.QXF")));
    EXPECT_TRUE(doc.Modified());
}

} // namespace
