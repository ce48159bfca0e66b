#include "recurring/RecurStore.h"

#include "recurring/RecurFormula.h"
#include "support/DiskSeam.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

class RecurStore : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("velmora-recur-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    void writeBytes(const fs::path &file, const std::string &bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::string readBytes(const fs::path &file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path store() const { return folder / "QXRECUR.DAX"; }
    fs::path legacy() const { return folder / "QXRECUR.DAT"; }

    fs::path folder;
};

} // namespace

TEST(RecurHolidays, TwentySixEntriesInListOrderAllReadable)
{
    const Lines holidays = predefinedHolidayEntries();
    ASSERT_EQ(holidays.size(), 26u);
    Lines sorted = holidays;
    sortRecurLines(sorted);
    EXPECT_EQ(sorted, holidays);
    for (const std::string &line : holidays) {
        const std::string name = TrimSpaces(entryName(line));
        const std::size_t expected = name == "Easter"                                   ? 127
                                     : (name == "Good Friday" || name == "Palm Sunday") ? 131
                                                                                        : 130;
        EXPECT_EQ(line.size(), expected) << name;
        // Each holiday falls on exactly one day of 2026.
        std::size_t days = 0;
        for (int m = 1; m <= 12; ++m)
            days += EntryConcernsMonth(line, 2026, m) ? EntryDays(line, 2026, m).size() : 0;
        EXPECT_EQ(days, 1u) << name;
    }
    EXPECT_EQ(holidays[21], MakeRecurringEntry("Thanksgiving Day", "$3 4 11"));
    EXPECT_EQ(holidays[5], FixedWidth("Easter", 120) + "#EASTER");
}

TEST(RecurHolidays, SortIgnoresCaseIncludingAccentedLetters)
{
    Lines lines = {"banana", "apple", "Cherry", "Apple", "\xC4rger", "\xE4pfel", "zebra"};
    sortRecurLines(lines);
    EXPECT_EQ(lines,
              (Lines{"Apple", "apple", "banana", "Cherry", "zebra", "\xE4pfel", "\xC4rger"}));
}

TEST_F(RecurStore, RoundTripWritesCrLfBytes)
{
    const Lines lines = {MakeRecurringEntry("Rent", "$0 7 0"), "", "caf\xE9"};
    writeRecurLines(store(), lines);
    EXPECT_EQ(readBytes(store()), lines[0] + "\r\n\r\ncaf\xE9\r\n");
    EXPECT_EQ(readRecurLines(store()), lines);
    EXPECT_FALSE(fs::exists(recurTempPath(store())));

    writeRecurLines(store(), {"a\r\nb"}); // a line end inside a line must not split it
    EXPECT_EQ(readRecurLines(store()), Lines{"a  b"});
    writeRecurLines(store(), {});
    EXPECT_TRUE(fs::exists(store()));
    EXPECT_EQ(fs::file_size(store()), 0u);
}

TEST_F(RecurStore, ReadingToleratesLineEndsAndRefusesNonFiles)
{
    EXPECT_TRUE(readRecurLines(store()).empty());
    writeBytes(store(), "one\ntwo\r\n\r\nthree");
    EXPECT_EQ(readRecurLines(store()), (Lines{"one", "two", "", "three"}));
    fs::remove(store());
    fs::create_directory(store());
    EXPECT_THROW(readRecurLines(store()), RecurStoreError);
}

TEST(RecurLegacy, LineConversion)
{
    const std::string line = convertLegacyLine("0704Independence Day");
    ASSERT_EQ(line.size(), 131u);
    EXPECT_EQ(line, FixedWidth("Independence Day", 120) + "@0704      ");
    EXPECT_EQ(EntryDays(line, 2026, 7), (std::vector<int>{4}));
    EXPECT_EQ(EntryDisplayText(line), "Independence Day (4th of July)");
    const std::string longText(200, 'y');
    EXPECT_EQ(entryName(convertLegacyLine("1225" + longText)), longText.substr(0, 120));
    EXPECT_EQ(convertLegacyLine("07").size(), 131u);
}

TEST_F(RecurStore, LegacyConversionCreatesStoreAndDeletesLegacyFile)
{
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::NothingToDo);
    EXPECT_FALSE(fs::exists(store()));
    writeBytes(legacy(), "1031Halloween\r\n0704Independence Day\r\n   \r\n");
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::Converted);
    EXPECT_EQ(readRecurLines(store()), (Lines{convertLegacyLine("1031Halloween"),
                                              convertLegacyLine("0704Independence Day")}));
    EXPECT_FALSE(fs::exists(legacy()));
}

TEST_F(RecurStore, LegacyConversionMergesWithoutDuplicates)
{
    const Lines existing = {MakeRecurringEntry("Rent", "$0 7 0"),
                            convertLegacyLine("1031Halloween")};
    writeRecurLines(store(), existing);
    const std::string legacyBytes = "1031Halloween\r\n0704Independence Day\r\n0704Independence Day";
    writeBytes(legacy(), legacyBytes);
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::Converted);
    const Lines merged = {existing[0], existing[1], convertLegacyLine("0704Independence Day")};
    EXPECT_EQ(readRecurLines(store()), merged);

    writeBytes(legacy(), legacyBytes); // a second run adds nothing
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::Converted);
    EXPECT_EQ(readRecurLines(store()), merged);
}

TEST_F(RecurStore, FailedWriteKeepsOldStoreAndLegacyFile)
{
    writeRecurLines(store(), {"old"});
    const std::string before = readBytes(store());
    fs::create_directory(recurTempPath(store())); // blocks the temporary file, even for root
    EXPECT_THROW(writeRecurLines(store(), {"new"}), RecurStoreError);
    writeBytes(legacy(), "0704Independence Day\r\n");
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::Failed);
    EXPECT_EQ(readBytes(store()), before);
    EXPECT_TRUE(fs::exists(legacy()));

    // A store that exists but cannot be read is never overwritten by the conversion.
    fs::remove(recurTempPath(store()));
    fs::remove(store());
    fs::create_directory(store());
    EXPECT_EQ(convertLegacyRecurFile(folder), LegacyConversion::Failed);
    EXPECT_TRUE(fs::is_directory(store()));
    EXPECT_TRUE(fs::exists(legacy()));
}

TEST_F(RecurStore, ReadOnlyFolderKeepsOldStore)
{
    writeRecurLines(store(), {"old"});
    fs::permissions(folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (std::ofstream(folder / "probe")) // root writes through missing permissions
        GTEST_SKIP() << "permissions do not restrict this user";
    EXPECT_THROW(writeRecurLines(store(), {"new"}), RecurStoreError);
    EXPECT_EQ(readRecurLines(store()), Lines{"old"});
}

TEST_F(RecurStore, FullDiskAtEveryByteKeepsTheOldStore)
{
    const Lines old = {MakeRecurringEntry("Rent", "$0 7 0")};
    writeRecurLines(store(), old);
    const std::string before = readBytes(store());
    const Lines next = predefinedHolidayEntries();
    std::size_t size = 0;
    for (const std::string &line : next)
        size += line.size() + 2;
    for (std::size_t room = 0; room < size; room += 3) {
        test::TFullDisk disk(room);
        ASSERT_THROW(writeRecurLines(store(), next), RecurStoreError) << "room " << room;
        ASSERT_EQ(readBytes(store()), before) << "room " << room;
    }
    EXPECT_FALSE(fs::exists(recurTempPath(store())));
}
