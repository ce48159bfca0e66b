#include "common/AtomicFile.h"
#include "common/IniFile.h"

#include "support/DiskSeam.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class AtomicFile : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("velmora-atomic-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

std::string pattern(std::size_t size)
{
    std::string s;
    for (std::size_t i = 0; i < size; ++i)
        s += char('a' + i % 26);
    return s;
}

} // namespace

TEST_F(AtomicFile, FullDiskAtEveryByteKeepsTheOldFileAndLeavesNoTemporary)
{
    const fs::path target = folder / "doc.QXF";
    const std::string old = "the old document";
    const std::string next = pattern(700);
    for (const auto mode : {TFullDisk::Mode::RefuseWrite, TFullDisk::Mode::LoseBytes}) {
        for (std::size_t room = 0; room < next.size(); ++room) {
            writeBytes(target, old);
            {
                TFullDisk disk(room, mode);
                try {
                    WriteFileAtomic(target, next);
                    FAIL() << "reported success with room for " << room << " bytes";
                } catch (const TAtomicWriteError &e) {
                    EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + target.string(), 0), 0u);
                }
            }
            ASSERT_EQ(fileBytes(target), old) << "room " << room;
            ASSERT_EQ(otherFiles(folder, target), 0) << "room " << room;
        }
    }
    TFullDisk exact(next.size());
    WriteFileAtomic(target, next);
    EXPECT_EQ(fileBytes(target), next);
}

TEST_F(AtomicFile, LateFailuresAndShortWrites)
{
    const fs::path target = folder / "QX.ini";
    writeBytes(target, "old");
    {
        TFullDisk disk(0, TFullDisk::Mode::FailSync);
        EXPECT_THROW(WriteFileAtomic(target, pattern(10)), TAtomicWriteError);
    }
    EXPECT_EQ(fileBytes(target), "old");
    {
        // A device that takes a few bytes at a time is slow, not full.
        TFullDisk disk(7, TFullDisk::Mode::ShortWrites);
        WriteFileAtomic(target, pattern(100));
    }
    EXPECT_EQ(fileBytes(target), pattern(100));
    EXPECT_EQ(otherFiles(folder, target), 0);
    // Nothing to write is a valid, empty file.
    WriteFileAtomic(target, std::string());
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_F(AtomicFile, ReplacedFilesKeepModeAndLinks)
{
    const fs::path real = folder / "real.QXS";
    const fs::path link = folder / "link.QXS";
    writeBytes(real, "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);
    WriteFileAtomic(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(real), "new");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A folder in the target's place, or in the temporary's, is never replaced.
    fs::create_directory(folder / "dir.QXF");
    EXPECT_THROW(WriteFileAtomic(folder / "dir.QXF", "x"), TAtomicWriteError);
    fs::create_directory(folder / "blocked.QXF.tmp");
    EXPECT_THROW(WriteFileAtomic(folder / "blocked.QXF", "x"), TAtomicWriteError);
    EXPECT_FALSE(fs::exists(folder / "blocked.QXF"));
    EXPECT_THROW(WriteFileAtomic(folder / "missing" / "a.QXF", "x"), TAtomicWriteError);
}

TEST_F(AtomicFile, StaleTemporariesGoAtTheNextStart)
{
    const fs::path ini = folder / "QX.ini";
    writeBytes(AtomicTempPath(ini), "[Zooming]\r\nMain=");
    writeBytes(folder / "QXRECUR.DAX.tmp", "half");
    RemoveStaleTemporary(ini);
    RemoveStaleTemporary(folder / "QXRECUR.DAX");
    EXPECT_FALSE(fs::exists(folder / "QX.ini.tmp"));
    EXPECT_FALSE(fs::exists(folder / "QXRECUR.DAX.tmp"));
    fs::create_directory(AtomicTempPath(ini)); // not ours to remove
    RemoveStaleTemporary(ini);
    EXPECT_TRUE(fs::is_directory(AtomicTempPath(ini)));
}

TEST_F(AtomicFile, IniBatchIsOneReplace)
{
    const fs::path file = folder / "QX.ini";
    TIniFile ini(file);
    ini.writeInteger("Zooming", "Main", 50);
    const std::string before = fileBytes(file);
    {
        // Room for a part of the new file only: none of the keys may land.
        TFullDisk disk(before.size() + 10);
        EXPECT_THROW(ini.writeValues({{"Zooming", "Main", "60"}, {"Zooming", "Prop", "70"},
                                      {"Hints", "On", "1"}}),
                     TIniFileError);
    }
    EXPECT_EQ(fileBytes(file), before);
    ini.writeValues({{"Zooming", "Main", "60"}, {"Zooming", "Prop", "70"}, {"Hints", "On", "1"}});
    EXPECT_EQ(fileBytes(file), "[Zooming]\r\nMain=60\r\nProp=70\r\n\r\n[Hints]\r\nOn=1\r\n");
    EXPECT_THROW(ini.writeValues({{"S", "ok", "1"}, {"S", "bad=name", "1"}}), std::invalid_argument);
    EXPECT_FALSE(ini.sectionExists("S"));
}

TEST_F(AtomicFile, RealFullDisk)
{
    const fs::path disk = folder / "disk";
    fs::create_directory(disk);
    TSmallDisk small(disk, 256 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here: " << std::strerror(errno);
    const fs::path target = disk / "doc.QXF";
    const std::string old = pattern(5000);
    WriteFileAtomic(target, old);
    small.fillLeaving(8 * 1024);
    // 12.8 KB into 8 KiB: the size the buffered writer used to lose without a word.
    EXPECT_THROW(WriteFileAtomic(target, pattern(12800)), TAtomicWriteError);
    EXPECT_EQ(fileBytes(target), old);
    EXPECT_FALSE(fs::exists(AtomicTempPath(target)));
    WriteFileAtomic(target, pattern(4000)); // what fits still saves
    EXPECT_EQ(fileBytes(target), pattern(4000));
}
