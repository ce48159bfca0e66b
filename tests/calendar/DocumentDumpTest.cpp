#include "HandMadeDocument.h"

#include "calendar/DocumentDump.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace velmora;
using namespace velmora::test;

namespace {

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// True when `wanted` appear in `lines` in this order (others may lie between them).
testing::AssertionResult inOrder(const std::vector<std::string> &lines,
                                 const std::vector<std::string> &wanted)
{
    auto at = lines.begin();
    for (const std::string &w : wanted) {
        at = std::find(at, lines.end(), w);
        if (at == lines.end()) return testing::AssertionFailure() << "missing or out of order: " << w;
        ++at;
    }
    return testing::AssertionSuccess();
}

class DocumentDump : public ::testing::Test
{
protected:
    TCalendarPanel32 page;
    TBytes doc;
    void SetUp() override
    {
        page.ResetToDefaults();
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        page.SetMainCalDay(29);
        page.SetLeftMarginInch(0.3F);
        page.SetPlannerFirstHour(EncodeTime(8, 30, 0));
        page.SetUserTitle("Say \"hi\"\r\nbye");
        page.CellStore(5).setRtfBytes("{\\rtf1\\ansi hello\\par}");
        page.SetMonthName(12, "Dezember");
        page.SetTitleShowYear(true);
        TFontDesc title = page.Settings().Main.TitleFont;
        title.setSize(16);
        page.SetTitleFont(&title);
        doc = documentWith(page, {labelRecord("First", "Component0", 10), foreignRecord()});
    }
};

} // namespace

TEST_F(DocumentDump, EveryValueOnALineOfItsOwn)
{
    const TDumpResult dump = DumpCalendarFile(doc, TDumpKind::Document);
    ASSERT_TRUE(dump.ok()) << dump.error;
    const std::vector<std::string> lines = linesOf(dump.text);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 6);
    EXPECT_EQ(head, (std::vector<std::string>{"Document", "  Version = 3", "  Kind = 1", "  Settings",
                                              "    PaperKind = 0",
                                              "    CalendarOrientation = " + std::to_string(page.CalendarOrientation())}));
    std::string sunday;
    page.GetDayName(1, sunday);
    EXPECT_TRUE(inOrder(lines, {"    LeftMarginInch = 0.30", "    MonthName12 = \"Dezember\"",
                                "    DayName1 = \"" + sunday + "\"", "    TitleFont", "      Size = 16",
                                "      StrikeOut = False", "    TitleShowYear = True",
                                "    NumberPosition = " + std::to_string(page.NumberPosition()),
                                "  MainCalDay = 29", "  MainCalMonth = 12", "  MainCalYear = 1997",
                                "  PlannerHour = 8", "  PlannerMinute = 30", "  Cells",
                                "    Cell 1: RTF 0 bytes", "    Cell 5: RTF 22 bytes",
                                "    Cell 42: RTF 0 bytes",
                                "  UserTitle = \"Say \\\"hi\\\"\\r\\nbye\"", "Objects",
                                "  TGPLabel \"Component0\"", "    Left = 10", "    Width = 120",
                                "    Caption = \"First\"", "  TGStarShape \"Special7\"",
                                "    Left = 40", "    Points = (5, 2.5, \"x\")",
                                "    Style = [fsBold, fsItalic]",
                                "    Image.Data = <binary 6 bytes>", "    Kind = skStar",
                                "    TGStarPoint \"P1\"", "      X = 1000"}));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string &l) { return l.starts_with("    Cell "); }),
              42);
    EXPECT_EQ(lines.back(), "      X = 1000");

    // Bytes after the object list are shown, not taken for damage: the program ignores them.
    TBytes longer = doc;
    longer.push_back(7);
    const TDumpResult trailing = DumpCalendarFile(longer, TDumpKind::Document);
    EXPECT_TRUE(trailing.ok());
    EXPECT_EQ(linesOf(trailing.text).back(), "Trailing bytes = 1");
}

TEST_F(DocumentDump, DamagedFilesShowWhatWasReadThenTheError)
{
    const std::string full = DumpCalendarFile(doc, TDumpKind::Document).text;
    // The object list may be missing as a whole; everything else is required.
    const size_t objectsStart = doc.size() - labelRecord("First", "Component0", 10).size() -
                                foreignRecord().size() - 2;
    for (size_t n = 0; n < doc.size(); ++n) {
        SCOPED_TRACE(n);
        const TDumpResult dump = DumpCalendarFile(std::span(doc.data(), n), TDumpKind::Document);
        if (n == objectsStart) {
            EXPECT_TRUE(dump.ok());
            continue;
        }
        ASSERT_FALSE(dump.ok());
        EXPECT_LE(dump.errorOffset, n);
        const std::string error = "Error at byte " + std::to_string(dump.errorOffset) + ": " + dump.error + "\n";
        ASSERT_TRUE(dump.text.ends_with(error)) << dump.text;
        // What comes before the error is what a whole file shows up to there.
        EXPECT_TRUE(full.starts_with(dump.text.substr(0, dump.text.size() - error.size())));
    }
    const TDumpResult cut = DumpCalendarFile(std::span(doc.data(), 40), TDumpKind::Document);
    EXPECT_EQ(cut.error, "Stream read error");

    // A bad tag where a value should be, and nesting beyond reason.
    TBytes bad = documentWith(page, {labelRecord("First", "Component0", 10)});
    bad[find(bad, {'L', 'e', 'f', 't'}) + 4] = 0x55;
    EXPECT_TRUE(DumpCalendarFile(bad, TDumpKind::Document).text.ends_with(": Invalid property value\n"));
    TBytes deep = {'T', 'P', 'F', '0', 1, 'T', 0, 0};
    for (int i = 0; i < 100; ++i)
        deep.insert(deep.end(), {1, 'T', 0, 0});
    deep.insert(deep.end(), 101, TagEnd);
    EXPECT_FALSE(DumpCalendarFile(documentWith(page, {deep}), TDumpKind::Document).ok());
}

TEST_F(DocumentDump, StyleSheetsAndDocumentsReadAsTheProgramWould)
{
    const TDumpResult style = DumpCalendarFile(StyleSheetBytes(page.Settings()), TDumpKind::StyleSheet);
    ASSERT_TRUE(style.ok()) << style.error;
    const std::vector<std::string> lines = linesOf(style.text);
    EXPECT_EQ(lines.front(), "Style sheet");
    EXPECT_TRUE(inOrder(lines, {"  Version = 1", "  Kind = 2", "  Settings", "    LeftMarginInch = 0.30"}));
    EXPECT_TRUE(lines.back().starts_with("    NumberPosition = "));

    // A document read as a style sheet shows its settings, then fails at the list end.
    const TDumpResult wrong = DumpCalendarFile(doc, TDumpKind::StyleSheet);
    EXPECT_FALSE(wrong.ok());
    EXPECT_TRUE(wrong.text.find("NumberPosition") < wrong.text.find("Error at byte"));
    // And a style sheet read as a document stops where the day should be.
    const TDumpResult asDocument = DumpCalendarFile(StyleSheetBytes(page.Settings()), TDumpKind::Document);
    EXPECT_EQ(asDocument.error, "Invalid property value");
    EXPECT_EQ(linesOf(asDocument.text).size(), lines.size() + 1);
}
