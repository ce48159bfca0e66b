#include "app/CellEditing.h"
#include "calendar/Calpanel32.h"
#include "richtext/WPToolBar.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

using namespace velmora;

namespace {

// Picture data that counts how often it is handed out as an image.
class CountingPicture final : public QMimeData
{
public:
    mutable int decoded = 0;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        if (mimeType == QLatin1String("application/x-qt-image"))
            ++decoded;
        return QMimeData::retrieveData(mimeType, type);
    }
};

struct Editing
{
    QWidget holder;
    TCalendarPanel32 *page = new TCalendarPanel32(&holder);
    TWPRichText *editor = new TWPRichText(&holder);
    TWPToolBar toolbar;
    TCellEditing cells{*page, *editor, toolbar};
    int changes = 0;

    Editing()
    {
        page->ResetToDefaults();
        page->SetCalendarLayout(loFullCalendar);
        page->SetMainCalMonth(12);
        page->SetMainCalYear(1997);
        page->RenderToBitmap();
        cells.Changed = [this] { ++changes; };
        page->ClickedInCellEvent = [this](const TRect &, const TRect &free, int cell, int) {
            cells.OpenCell(free, cell);
        };
    }
    QPoint inDay(int day) const
    {
        const TRect r = page->Cells().cell(page->CellOfDay(day)).rFree;
        return {r.left + 3, r.top + 3};
    }
};

TEST(CellEditing, APictureIsDecodedOncePerDragAndDroppedIntoTheCell)
{
    Editing e;
    CountingPicture data;
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::red);
    data.setImageData(dot);

    const QPoint at = e.inDay(15);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(e.page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    for (int i = 0; i < 5; ++i) {
        QDragMoveEvent move(at + QPoint(i, i), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(e.page, &move);
        EXPECT_TRUE(move.isAccepted());
    }
    // Outside every cell the drag is refused, still without decoding again.
    QDragMoveEvent outside(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(e.page, &outside);
    EXPECT_FALSE(outside.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(e.page, &drop);
    EXPECT_EQ(data.decoded, 1);

    EXPECT_EQ(e.cells.CurrentCell(), e.page->CellOfDay(15));
    EXPECT_GT(e.changes, 0);
    e.cells.Commit();
    EXPECT_FALSE(e.cells.Editing());
    EXPECT_NE(e.page->CellStore(e.page->CellOfDay(15)).rtfBytes().find("\\pict"), std::string::npos);
}

TEST(CellEditing, TextsAddedToDaysStackAndTheEditedCellStaysOpen)
{
    Editing e;
    const int cell20 = e.page->CellOfDay(20);
    e.page->ClickCellAtPoint(e.inDay(20).x(), e.inDay(20).y());
    EXPECT_TRUE(e.cells.Editing());
    EXPECT_EQ(e.cells.CurrentCell(), cell20);

    e.cells.PutTextOnDay(3, QStringLiteral("First"));
    e.cells.PutTextOnDay(3, QStringLiteral("Second"));
    e.cells.PutTextOnDay(40, QStringLiteral("No such day")); // ignored
    EXPECT_EQ(e.cells.CurrentCell(), cell20);
    e.cells.Commit();
    const std::string rtf = e.page->CellStore(e.page->CellOfDay(3)).rtfBytes();
    const size_t first = rtf.find("First"), second = rtf.find("Second");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_GT(e.changes, 0);
}

} // namespace

// The fill commands add many texts at once; each cell is read and written once, yet must
// end up with the very bytes the same texts added one by one give.
namespace {
void fillAhead(Editing &e)
{
    e.cells.DefaultFont = [] { return TCharAttributes{QStringLiteral("Times New Roman"), 12, 1, 4}; };
    QTextDocument formatted;
    QTextCharFormat italic;
    italic.setFontFamilies({QStringLiteral("Arial")});
    italic.setFontPointSize(14);
    italic.setFontItalic(true);
    italic.setForeground(QColor(200, 0, 0));
    QTextCursor(&formatted).insertText(QStringLiteral("Dentist 9:30"), italic);
    e.page->CellStore(e.page->CellOfDay(7)).saveFromDocument(formatted);
    QTextDocument plain;
    QTextCursor(&plain).insertText(QStringLiteral("Two\nlines"));
    e.page->CellStore(e.page->CellOfDay(9)).saveFromDocument(plain);
}

const std::vector<std::pair<int, QString>> &fillTexts()
{
    static const std::vector<std::pair<int, QString>> texts{
        {3, QStringLiteral("New Year's Day")}, {3, QStringLiteral("Gym")},
        {7, QStringLiteral("Rent")},           {3, QStringLiteral("Payday \u00e9t\u00e9")},
        {9, QStringLiteral("Book club")},      {40, QStringLiteral("No such day")},
        {7, QStringLiteral("Bins out")},       {31, QStringLiteral("Last")}};
    return texts;
}
} // namespace

TEST(CellEditing, TextsAddedTogetherGiveTheBytesOfTextsAddedOneByOne)
{
    for (const bool editingFirst : {false, true}) {
        SCOPED_TRACE(editingFirst ? "a cell being edited" : "no cell open");
        Editing one, together;
        fillAhead(one);
        fillAhead(together);
        if (editingFirst) {
            for (Editing *e : {&one, &together})
                e->page->ClickCellAtPoint(e->inDay(20).x(), e->inDay(20).y());
        }

        for (const auto &[day, text] : fillTexts())
            one.cells.PutTextOnDay(day, text);
        one.cells.Commit();
        int changesBefore = together.changes;
        together.cells.PutTextsOnDays([](const auto &put) {
            for (const auto &[day, text] : fillTexts())
                put(day, text);
        });
        EXPECT_GT(together.changes, changesBefore);

        EXPECT_EQ(together.cells.Editing(), editingFirst);
        if (editingFirst) {
            EXPECT_EQ(together.cells.CurrentCell(), together.page->CellOfDay(20));
        }
        together.cells.Commit();
        for (int cell = 1; cell <= 42; ++cell)
            EXPECT_EQ(together.page->CellStore(cell).rtfBytes(), one.page->CellStore(cell).rtfBytes())
                << "cell " << cell << " day " << one.page->CellDay(cell);

        // Nothing put: nothing written, nothing changed.
        changesBefore = together.changes;
        const std::string day3 = together.page->CellStore(together.page->CellOfDay(3)).rtfBytes();
        together.cells.PutTextsOnDays([](const auto &put) { put(40, QStringLiteral("never")); });
        EXPECT_EQ(together.changes, changesBefore);
        EXPECT_EQ(together.page->CellStore(together.page->CellOfDay(3)).rtfBytes(), day3);
    }
}
