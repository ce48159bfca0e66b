#include "HandMadeDocument.h"

#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "support/DiskSeam.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

TBytes bytesOf(std::initializer_list<int> values)
{
    TBytes b;
    for (int v : values)
        b.push_back(static_cast<uint8_t>(v));
    return b;
}

bool contains(const TBytes &hay, const TBytes &needle)
{
    return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

TBytes withShortString(TBytes prefix, const std::string &s)
{
    prefix.push_back(static_cast<uint8_t>(s.size()));
    prefix.insert(prefix.end(), s.begin(), s.end());
    return prefix;
}

// A design object stand-in with one integer property.
class Box final : public TStreamable
{
public:
    int32_t left = 0;
    std::string className() const override { return "TBox"; }
    bool readProperty(const std::string &name, TReader &r) override
    {
        if (name != "Left")
            return false;
        left = r.readInteger();
        return true;
    }
    void writeProperties(TWriter &w) const override
    {
        w.writePropertyName("Left");
        w.writeInteger(left);
    }
};

class BoxObjects final : public TDocumentObjects
{
public:
    std::vector<std::unique_ptr<Box>> boxes;
    std::vector<std::string> extraClasses; // written as records of unknown classes
    int discarded = 0;

    void writeObjects(TWriter &w) const override
    {
        for (const auto &b : boxes)
            w.writeComponent(*b, "Component" + std::to_string(b->left));
        for (const auto &c : extraClasses) {
            w.writeComponentHeader(c, "X");
            w.endProperties();
            w.endChildren();
        }
    }
    TStreamable *createObject(const std::string &className) override
    {
        if (className != "TBox")
            return nullptr;
        pending = std::make_unique<Box>();
        return pending.get();
    }
    void objectLoaded(TStreamable *) override { boxes.push_back(std::move(pending)); }
    void discardObject(TStreamable *) override
    {
        pending.reset();
        ++discarded;
    }

private:
    std::unique_ptr<Box> pending;
};

class DocumentFile : public ::testing::Test
{
protected:
    TCalendarPanel32 page;
    void SetUp() override
    {
        page.ResetToDefaults();
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        page.SetMainCalDay(29);
    }
};

} // namespace

TEST_F(DocumentFile, HeadersAndSettingsLayout)
{
    const TBytes doc = DocumentBytes(page, nullptr);
    ASSERT_GE(doc.size(), 7U);
    EXPECT_EQ(TBytes(doc.begin(), doc.begin() + 7), bytesOf({1, 2, 3, 2, 1, 2, 0}));
    page.SetPaperKind(1);
    const TBytes style = StyleSheetBytes(page.Settings());
    EXPECT_EQ(TBytes(style.begin(), style.begin() + 7), bytesOf({1, 2, 1, 2, 2, 2, 1}));
    EXPECT_EQ(style.back(), 0);

    // Margins in hundredths: 0.3 in is 30.
    page.SetLeftMarginInch(0.3F);
    TWriter w;
    WriteSettings(w, page.Settings());
    const TBytes settings = w.bytes();
    EXPECT_EQ(TBytes(settings.begin(), settings.begin() + 6), bytesOf({2, 1, 2, 1, 2, 30}));

    // White as a 32-bit integer; black as an 8-bit one.
    TWriter colours;
    colours.writeInteger(clWhite);
    colours.writeInteger(clBlack);
    EXPECT_EQ(colours.bytes(), bytesOf({4, 0xFF, 0xFF, 0xFF, 0, 2, 0}));
}

TEST_F(DocumentFile, FontRecordAndEmptyCellRecord)
{
    TWriter w;
    WriteFontRecord(w, TFontDesc::make("Times New Roman", 16, uint8_t(TFontStyle::fsBold), clBlack));
    TBytes expected = withShortString(bytesOf({6}), "Times New Roman");
    for (int b : {2, 16, 9, 8, 8, 8, 2, 0})
        expected.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(w.bytes(), expected);

    const TBytes doc = DocumentBytes(page, nullptr);
    TBytes emptyCell = bytesOf({'T', 'P', 'F', '0'});
    emptyCell = withShortString(emptyCell, "TWPRtfStorage");
    for (int b : {0, 0, 0})
        emptyCell.push_back(static_cast<uint8_t>(b));
    size_t count = 0;
    for (auto it = doc.begin(); (it = std::search(it, doc.end(), emptyCell.begin(), emptyCell.end())) != doc.end(); ++it)
        ++count;
    EXPECT_EQ(count, 42U);
}

TEST_F(DocumentFile, PlannerHourTitleAndRoundTrip)
{
    page.SetPlannerFirstHour(EncodeTime(8, 30, 45));
    page.SetUserTitle(std::string(300, 'x'));
    page.SetMonthName(3, "März");
    page.SetLeftMarginInch(0.3F);
    page.SetCalendarLayout(loWeek);
    page.SetTitleBGColor(rgbColor(10, 20, 30));
    page.CellStore(5).setRtfBytes("{\\rtf1\\ansi hello\\par}");
    const TBytes doc = DocumentBytes(page, nullptr);
    // Day, month, year, week start, then 8:30 as hour and minute.
    EXPECT_TRUE(contains(doc, bytesOf({2, 29, 2, 12, 3, 0xCD, 0x07, 2, 1, 2, 8, 2, 30})));
    EXPECT_TRUE(contains(doc, bytesOf({12, 0x2C, 1, 0, 0})));
    EXPECT_TRUE(contains(doc, bytesOf({'M', 0xE4, 'r', 'z'}))); // Windows-1252 in the file

    TCalendarPanel32 copy;
    const TLoadReport report = ReadDocument(copy, doc, nullptr);
    EXPECT_EQ(report.version, 3);
    EXPECT_EQ(copy.LeftMarginInch(), 0.3F);
    EXPECT_EQ(copy.UserTitle(), std::string(300, 'x'));
    std::string march;
    copy.GetMonthName(3, march);
    EXPECT_EQ(march, "März");
    EXPECT_EQ(copy.PlannerFirstHour(), EncodeTime(8, 30, 0)); // seconds are dropped
    EXPECT_EQ(copy.CalendarOrientation(), coPortrait);
    EXPECT_EQ(copy.CellStore(5).rtfBytes(), "{\\rtf1\\ansi hello\\par}");
    EXPECT_EQ(DocumentBytes(copy, nullptr), doc);
}

TEST_F(DocumentFile, OlderVersionsAndWrongKinds)
{
    // Version 1: no title, no objects. Version 2: a title, no objects.
    for (int version : {1, 2}) {
        TWriter w;
        w.writeListBegin();
        w.writeInteger(version);
        w.writeInteger(1);
        WriteSettings(w, page.Settings());
        for (int v : {5, 6, 2026, 2, 9, 0})
            w.writeInteger(v);
        for (int i = 0; i < 42; ++i) {
            w.writeComponentHeader("TWPRtfStorage", "");
            w.endProperties();
            w.endChildren();
        }
        if (version == 2)
            w.writeString("Old title");
        w.writeListEnd();
        TCalendarPanel32 target;
        const TLoadReport report = ReadDocument(target, w.bytes(), nullptr);
        EXPECT_EQ(report.version, version);
        EXPECT_EQ(target.MainCalMonth(), 6);
        EXPECT_EQ(target.UserTitle(), version == 2 ? "Old title" : "");
    }

    // A style sheet is not a document: the list end stands where the day is expected.
    const TBytes style = StyleSheetBytes(page.Settings());
    TCalendarPanel32 target;
    EXPECT_THROW(ReadDocument(target, style, nullptr), EReadError);

    // A document read as a style sheet applies its settings, then fails at the list end.
    page.SetTitleBGColor(clYellow);
    TCalendarSettings s;
    EXPECT_THROW(ReadStyleSheet(s, DocumentBytes(page, nullptr)), EReadError);
    EXPECT_EQ(s.Main.Background, clYellow);
}

TEST_F(DocumentFile, ObjectsAndUnknownClasses)
{
    BoxObjects out;
    for (int i : {10, 20}) {
        out.boxes.push_back(std::make_unique<Box>());
        out.boxes.back()->left = i;
    }
    out.extraClasses = {"TNotRegistered", "TAlsoUnknown"};
    const TBytes doc = DocumentBytes(page, &out);

    BoxObjects in;
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &in);
    ASSERT_EQ(in.boxes.size(), 2U);
    EXPECT_EQ(in.boxes[1]->left, 20);
    EXPECT_EQ(report.objectsLoaded, 2);
    // A holder that cannot keep records of unknown classes loses them, and only them.
    EXPECT_EQ(report.objectsKept, 0);
    EXPECT_EQ(report.objectsLost, 2);
}

TEST_F(DocumentFile, UnknownClassBetweenTwoLabelsSurvivesARoundTrip)
{
    const TBytes foreign = foreignRecord();
    const TBytes doc = documentWith(page, {labelRecord("First", "Component0", 10), foreign,
                                           labelRecord("Second", "Component1", 200)});
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 2);
    EXPECT_EQ(report.objectsKept, 1);
    EXPECT_EQ(report.objectsLost, 0);
    ASSERT_EQ(target.ObjectCount(), 2);
    EXPECT_EQ(target.Object(0)->Caption(), "First");
    EXPECT_EQ(target.Object(1)->Caption(), "Second");
    EXPECT_EQ(DocumentBytes(target, &target.DocumentObjects()), doc);

    // With the object it followed gone, the record keeps its place below the rest.
    target.DestroyObject(target.Object(0));
    const TBytes saved = DocumentBytes(target, &target.DocumentObjects());
    const size_t foreignAt = find(saved, foreign);
    ASSERT_NE(foreignAt, std::string::npos);
    EXPECT_LT(foreignAt, find(saved, {'S', 'e', 'c', 'o', 'n', 'd'}));
    TCalendarPanel32 again;
    const TLoadReport second = ReadDocument(again, saved, &again.DocumentObjects());
    EXPECT_EQ(second.objectsKept, 1);
    ASSERT_EQ(again.ObjectCount(), 1);
    EXPECT_EQ(again.Object(0)->Caption(), "Second");

    // New and Open forget it with the objects.
    again.RemoveAllObjects();
    EXPECT_EQ(again.ForeignRecordCount(), 0);
    EXPECT_EQ(find(DocumentBytes(again, &again.DocumentObjects()), foreign), std::string::npos);
}

TEST_F(DocumentFile, BadValuesCostTheirPropertyAndDamageCostsTheRest)
{
    const TBytes doc = documentWith(
        page, {labelWithBadValues("Kept", "Component0", 10), labelRecord("After", "Component1", 200)});
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 2);
    EXPECT_EQ(report.objectsPartlyRead, 1);
    EXPECT_EQ(report.objectsLost, 0);
    ASSERT_EQ(target.ObjectCount(), 2);
    const auto &bad = static_cast<const TGPLabel &>(*target.Object(0));
    EXPECT_EQ(bad.Caption(), "Kept");
    EXPECT_EQ(bad.Alignment(), taLeftJustify);
    EXPECT_EQ(bad.Left(), 10);
    EXPECT_EQ(target.Object(1)->Caption(), "After");
    EXPECT_EQ(LoadReportMessage(report.objectsLost, report.objectsPartlyRead, "a.QXF"),
              "1 design object(s) in a.QXF had settings that could not be read; those settings "
              "were left at their defaults.");

    // A value with no valid tag leaves no way to the record's end: it and what follows are
    // lost, counted by the records that can still be seen.
    TBytes damaged = labelRecord("Broken", "Component1", 50);
    const size_t caption = find(damaged, {'C', 'a', 'p', 't', 'i', 'o', 'n'});
    ASSERT_NE(caption, std::string::npos);
    damaged[caption + 7] = 0x55;
    const TBytes broken = documentWith(
        page, {labelRecord("Good", "Component0", 10), damaged, labelRecord("Lost", "Component2", 90)});
    TCalendarPanel32 other;
    const TLoadReport lost = ReadDocument(other, broken, &other.DocumentObjects());
    EXPECT_EQ(lost.objectsLoaded, 1);
    EXPECT_EQ(lost.objectsLost, 2);
    ASSERT_EQ(other.ObjectCount(), 1);
    EXPECT_EQ(other.Object(0)->Caption(), "Good");
}

TEST_F(DocumentFile, TruncatedDocumentsFailCleanly)
{
    page.CellStore(1).setRtfBytes("{\\rtf1 a}");
    page.SetUserTitle("Title");
    BoxObjects out;
    out.boxes.push_back(std::make_unique<Box>());
    const TBytes doc = DocumentBytes(page, &out);
    // Where the object list starts: everything before it is required.
    TBytes objectList = bytesOf({0, 1, 'T', 'P', 'F', '0'});
    const auto at = std::search(doc.begin(), doc.end(), objectList.begin(), objectList.end());
    ASSERT_NE(at, doc.end());
    const size_t objectsStart = size_t(at - doc.begin()) + 1;
    for (size_t n = 0; n < doc.size(); ++n) {
        TCalendarPanel32 target;
        BoxObjects in;
        const std::span<const uint8_t> cut(doc.data(), n);
        if (n < objectsStart) {
            EXPECT_THROW(ReadDocument(target, cut, &in), EReadError) << "cut at " << n;
        } else {
            const TLoadReport r = ReadDocument(target, cut, &in);
            EXPECT_EQ(r.objectsLoaded + r.objectsLost >= 0, true);
        }
    }
}

TEST_F(DocumentFile, SavesAreAtomicAndStyleNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dec1997.QXF"));
    SaveToFile(page, path);
    const TBytes first = ReadWholeFile(path);
    // A save into a folder that does not exist fails and leaves nothing.
    EXPECT_THROW(SaveToFile(page, dir.filePath(QStringLiteral("missing/x.QXF"))), EWriteError);
    // A save whose target cannot be replaced keeps the old file.
    const QString blocked = dir.filePath(QStringLiteral("blocked.QXF"));
    QDir(dir.path()).mkdir(QStringLiteral("blocked.QXF"));
    EXPECT_THROW(SaveToFile(page, blocked), EWriteError);
    EXPECT_EQ(ReadWholeFile(path), first);

    TCalendarPanel32 loaded;
    LoadFromFile(loaded, path);
    EXPECT_EQ(DocumentBytes(loaded, nullptr), first);

    EXPECT_TRUE(IsStyleSheetName(QStringLiteral("/a/MyStyle.qxs")));
    EXPECT_FALSE(IsStyleSheetName(QStringLiteral("/a/MyStyle.QXF")));
    EXPECT_EQ(DocumentOpenErrorMessage(QStringLiteral("a.QXF")),
              QStringLiteral("Unable to open a.QXF. Possibly \rcorrupted, possibly not a Calendar file"));
}

TEST_F(DocumentFile, FullDiskAtEveryByteKeepsOldDocumentAndStyleSheet)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("Dec1997.QXF"));
    const QString style = dir.filePath(QStringLiteral("MyStyle.QXS"));
    page.SetUserTitle("before");
    SaveToFile(page, doc);
    SaveStyleSheet(page, style);
    const TBytes oldDoc = ReadWholeFile(doc), oldStyle = ReadWholeFile(style);
    page.SetUserTitle("after, and a little longer");
    page.SetCalendarLayout(3);
    const std::size_t docSize = DocumentBytes(page, nullptr).size();
    const std::size_t styleSize = StyleSheetBytes(page.Settings()).size();
    for (std::size_t room = 0; room < docSize; ++room) {
        test::TFullDisk disk(room);
        ASSERT_THROW(SaveToFile(page, doc), EWriteError) << "room " << room;
        ASSERT_EQ(ReadWholeFile(doc), oldDoc) << "room " << room;
    }
    for (std::size_t room = 0; room < styleSize; room += 7) {
        test::TFullDisk disk(room);
        ASSERT_THROW(SaveStyleSheet(page, style), EWriteError) << "room " << room;
        ASSERT_EQ(ReadWholeFile(style), oldStyle) << "room " << room;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    try {
        test::TFullDisk disk(docSize / 2);
        SaveToFile(page, doc);
    } catch (const EWriteError &e) {
        EXPECT_EQ(QString::fromStdString(e.what()),
                  QStringLiteral("Unable to write to %1: No space left on device").arg(doc));
    }
}

TEST_F(DocumentFile, LabelBoundsFromFilesAreBroughtIntoRange)
{
    // Left = 2147483647 once overflowed while the bounds were computed.
    TCalendarPanel32 loaded;
    loaded.ClearAllCells();
    const TLoadReport report = LoadFromFile(
        loaded, QString::fromStdString(test::fixture("documents/label_left_int_max.QXF")),
        &loaded.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 1);
    EXPECT_EQ(report.objectsLost, 0);
}
