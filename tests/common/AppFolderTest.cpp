#include "common/Program.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velmora;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

// A build tree: the data sits beside the programs, which also keep their own files there.
TEST(AppFolder, BuildTreeKeepsEverythingBesideTheProgram)
{
    QTemporaryDir root;
    const QString exe = root.path() + "/build/src";
    touch(exe + "/help/index.html");
    touch(exe + "/activity.icl");
    EXPECT_EQ(ResolveDataFolder(exe), exe + "/");
    EXPECT_EQ(ResolveAppFolder(exe, root.path() + "/user"), exe + "/");
}

// An install tree: data in ../share/velmora, the user's files in the per-user folder even
// when the bin folder could be written (as it can for root).
TEST(AppFolder, InstallTreeReadsShareAndWritesPerUser)
{
    QTemporaryDir root;
    const QString prefix = root.path() + "/usr";
    QDir().mkpath(prefix + "/bin");
    touch(prefix + "/share/velmora/help/index.html");
    EXPECT_EQ(ResolveDataFolder(prefix + "/bin"), prefix + "/share/velmora/");
    EXPECT_EQ(ResolveDataFolder(prefix + "/bin/"), prefix + "/share/velmora/");
    EXPECT_EQ(ResolveAppFolder(prefix + "/bin", root.path() + "/user"), root.path() + "/user/");
}

// Neither: the program's own folder, so that a stray copy still starts and says what is
// missing instead of reading some other folder.
TEST(AppFolder, NoDataAnywhereFallsBackToTheProgramFolder)
{
    QTemporaryDir root;
    EXPECT_EQ(ResolveDataFolder(root.path()), root.path() + "/");
    EXPECT_EQ(ResolveAppFolder(root.path() + "/missing", root.path() + "/user"), root.path() + "/user/");
}

TEST(AppFolder, DataFilePrefersTheUsersCopyAndIgnoresCase)
{
    QTemporaryDir user, data;
    touch(data.path() + "/misc1.icl");
    touch(data.path() + "/BonusIcons/Sports.icl");
    touch(user.path() + "/events.icl");
    touch(data.path() + "/events.icl");
    SetAppFolder(user.path());
    SetDataFolder(data.path());
    EXPECT_EQ(DataFile("Misc1.icl"), data.path() + "/misc1.icl");
    EXPECT_EQ(DataFile("MISC1.ICL"), data.path() + "/misc1.icl");
    EXPECT_EQ(DataFile("BonusIcons/SPORTS.ICL"), data.path() + "/BonusIcons/Sports.icl");
    EXPECT_EQ(DataFile("events.icl"), user.path() + "/events.icl");
    EXPECT_EQ(DataFile("none.icl"), user.path() + "/none.icl");
    // With only AppFolder overridden, the data follows it (tests stay in their own folder).
    SetDataFolder({});
    EXPECT_EQ(DataFolder(), user.path() + "/");
    SetAppFolder({});
}
