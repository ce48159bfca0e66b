#include "app/Camain.h"
#include "calendar/CalendarDocument.h"
#include "calendar/Calpanel32.h"
#include "app/MRUList.h"
#include "support/ScriptedUi.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace velmora;

namespace {

class OpenFromOutside : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    test::ScopedScriptedUi scripted;
    test::ScriptedUi &ui = scripted.ui();

    void SetUp() override { SetAppFolder(dir.path()); }
    void TearDown() override { SetAppFolder(QString()); }
};

} // namespace

// A document handed over while the current one has changes: the usual question first,
// then the document opens.
TEST_F(OpenFromOutside, AsksAboutChangesThenOpens)
{
    TCalendarMain w;
    w.FirstActivation();
    const QString saved = dir.filePath(QStringLiteral("Given.QXF"));
    ASSERT_TRUE(w.SaveCalendarFile(saved));
    w.SetModified(true);
    ui.answers = {false}; // do not save the changes
    w.OpenFileFromOutside(saved);
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("Save changes?")});
    EXPECT_EQ(w.CurrentFileName(), saved);
    EXPECT_FALSE(w.Modified());
}

// Answering Yes with no file name yet runs Save As; cancelling that keeps the changes and
// the document that has them.
TEST_F(OpenFromOutside, CancelledSaveKeepsTheChangedDocument)
{
    TCalendarMain w;
    w.FirstActivation();
    const QString other = dir.filePath(QStringLiteral("Other.QXF"));
    ASSERT_TRUE(w.SaveCalendarFile(other));
    w.Document().ForgetFile();
    w.SetModified(true);
    ui.answers = {true};
    ui.fileAnswers = {QString()}; // Save As cancelled
    w.OpenFileFromOutside(other);
    EXPECT_TRUE(w.CurrentFileName().isEmpty());
    EXPECT_TRUE(w.Modified());
}

TEST_F(OpenFromOutside, MissingFileIsReported)
{
    TCalendarMain w;
    w.FirstActivation();
    const QString gone = dir.filePath(QStringLiteral("Gone.QXF"));
    w.OpenFileFromOutside(gone);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("no longer exists")));
}

// A sample opens as a new calendar without a name and stays off the recent files.
TEST_F(OpenFromOutside, NewFromSampleGivesAnUntitledCopy)
{
    SetDataFolder(QString::fromStdString(test::shippedData("")));
    TCalendarMain w;
    w.FirstActivation();
    const QString sample = DataFolder() + QStringLiteral("Samples/Family Month.QXF");
    ui.fileAnswers = {sample};
    w.NewFromSampleClick();
    EXPECT_EQ(ui.fileDialogs, QStringList{QStringLiteral("New from Sample")});
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(w.CurrentFileName().isEmpty());
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(w.CalendarPanel()->Settings().UserTitle, "The Family in December");
    EXPECT_FALSE(w.MRUList()->Items().contains(sample));
    EXPECT_FALSE(w.windowTitle().contains(QStringLiteral("Family Month")));
    SetDataFolder({});
}
