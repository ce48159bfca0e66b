#include "app/MRUList.h"

#include "common/IniFile.h"

#include <gtest/gtest.h>

#include <QMenu>

#include <fstream>
#include <memory>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

class MRUList : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("velmora-mru-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        menu.addAction(QStringLiteral("&New"));
        menu.addAction(QStringLiteral("E&xit"));
        list = makeList();
    }
    void TearDown() override
    {
        list.reset();
        fs::remove_all(folder);
    }

    // Set up as the main window does.
    std::unique_ptr<TMRUFileList> makeList()
    {
        auto l = std::make_unique<TMRUFileList>();
        l->SetAutoSave(false);
        l->SetAutoSaveName(QString::fromStdString(ini().string()));
        l->SetAutoSaveKey(QStringLiteral("MRU"));
        l->SetFileMenu(&menu);
        return l;
    }
    fs::path ini() const { return folder / "QX.ini"; }
    void writeIni(const std::string &bytes) { std::ofstream(ini(), std::ios::binary) << bytes; }
    std::string readIni() const
    {
        std::ifstream in(ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static QStringList texts(const QMenu &m)
    {
        QStringList result;
        for (const QAction *a : m.actions()) result << (a->isSeparator() ? "-" : a->text());
        return result;
    }
    // Opening succeeds when the file is "there": the path goes back on top and is saved.
    void openLikeTheMainWindow(bool succeeds)
    {
        list->SetOnMRUItemClick([this, succeeds](TMRUMenuItem *, const QString &path) {
            opened << path;
            if (!succeeds) return;
            list->add(path);
            list->save();
        });
    }

    fs::path folder;
    QMenu menu;
    std::unique_ptr<TMRUFileList> list;
    QStringList opened;
};

} // namespace

TEST_F(MRUList, SixthFileDropsTheOldestAndReopeningMovesToTheTop)
{
    for (const char *name : {"/d/a.QXF", "/d/b.QXF", "/d/c.QXF", "/d/d.QXF", "/d/e.QXF"})
        list->add(QString::fromLatin1(name));
    list->add(QStringLiteral("/d/f.QXF"));
    EXPECT_EQ(texts(menu), (QStringList{"&New", "E&xit", "-", "&1 /d/f.QXF", "&2 /d/e.QXF",
                                        "&3 /d/d.QXF", "&4 /d/c.QXF", "&5 /d/b.QXF"}));

    openLikeTheMainWindow(true);
    list->MenuEntries().at(2)->trigger();
    EXPECT_EQ(opened, QStringList{"/d/d.QXF"});
    EXPECT_EQ(list->Items(), (QStringList{"/d/d.QXF", "/d/f.QXF", "/d/e.QXF", "/d/c.QXF",
                                          "/d/b.QXF"}));
    EXPECT_EQ(texts(menu).mid(3, 2), (QStringList{"&1 /d/d.QXF", "&2 /d/f.QXF"}));
    EXPECT_EQ(texts(menu).size(), 8);
}

TEST_F(MRUList, SameFileInOtherLetterCaseIsOneEntry)
{
    list->add(QStringLiteral("/docs/Dec1997.QXF"));
    list->add(QStringLiteral("/docs/other.QXF"));
    list->add(QStringLiteral("/DOCS/dec1997.qxf"));
    EXPECT_EQ(list->Items(), (QStringList{"/DOCS/dec1997.qxf", "/docs/other.QXF"}));
    list->add(QString());
    EXPECT_EQ(list->Items().size(), 2);
}

TEST_F(MRUList, SevenHandWrittenEntriesStayUntilTheNextAdd)
{
    writeIni("[Zooming]\r\nMain=60\r\n[MRU]\r\nF0=/a\r\nF1=/b\r\nmine=/c\r\nF3=/d\r\n"
             "F3=/e\r\n; note\r\nF5=/f\r\nF6 = /g \r\nF7=\r\nF8=/A\r\n\r\n[Hints]\r\nOn=1\r\n");
    list->load();
    EXPECT_EQ(list->Items(), (QStringList{"/a", "/b", "/c", "/d", "/e", "/f", "/g"}));
    EXPECT_EQ(list->MenuEntries().size(), 7u);

    list->add(QStringLiteral("/c")); // even a move shrinks the list
    EXPECT_EQ(list->Items(), (QStringList{"/c", "/a", "/b", "/d", "/e"}));
    list->save();
    EXPECT_EQ(readIni(), "[Zooming]\r\nMain=60\r\n[MRU]\r\nF0=/c\r\nF1=/a\r\nF2=/b\r\n"
                         "F3=/d\r\nF4=/e\r\n\r\n[Hints]\r\nOn=1\r\n");
}

TEST_F(MRUList, FailedOpenRemovesTheEntryForThisRunOnly)
{
    list->add(QStringLiteral("/gone.QXF"));
    list->add(QStringLiteral("/here.QXF"));
    list->save();
    openLikeTheMainWindow(false);
    list->MenuEntries().at(1)->trigger();
    EXPECT_EQ(opened, QStringList{"/gone.QXF"});
    EXPECT_EQ(list->Items(), QStringList{"/here.QXF"});

    auto nextRun = makeList();
    nextRun->load();
    EXPECT_EQ(nextRun->Items(), (QStringList{"/here.QXF", "/gone.QXF"}));
}

TEST_F(MRUList, ClickKeepsTheEntryWithoutRemoveOnClickAndIgnoresStaleItems)
{
    list->add(QStringLiteral("/x.QXF"));
    list->SetRemoveOnClick(false);
    TMRUMenuItem *clicked = nullptr;
    list->SetOnMRUItemClick([&](TMRUMenuItem *item, const QString &path) {
        clicked = item;
        opened << path;
    });
    TMRUMenuItem *first = list->MenuEntries().at(0);
    first->trigger();
    EXPECT_EQ(clicked, first);
    EXPECT_EQ(first->number(), 1);
    EXPECT_EQ(list->Items(), QStringList{"/x.QXF"});

    list->add(QStringLiteral("/y.QXF")); // rebuilds: the old item leaves the menu
    EXPECT_FALSE(menu.actions().contains(first));
    list->itemClicked(first);
    EXPECT_EQ(opened, QStringList{"/x.QXF"});
}

TEST_F(MRUList, EntriesGoAheadOfAnAnchorOrIntoASubmenu)
{
    QMenu parent;
    parent.addAction(QStringLiteral("Open"));
    QAction *placeholder = parent.addAction(QStringLiteral("Recent"));
    list->SetFileMenu(&parent, placeholder);
    list->add(QStringLiteral("/R&D/plan.QXF"));
    EXPECT_EQ(texts(parent), (QStringList{"Open", "-", "&1 /R&&D/plan.QXF", "Recent"}));
    EXPECT_EQ(texts(menu), (QStringList{"&New", "E&xit"})); // left the old menu

    list->SetUseSubmenu(true);
    EXPECT_EQ(texts(parent), (QStringList{"Open", "-", "Reopen", "Recent"}));
    QMenu *sub = parent.actions().at(2)->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(texts(*sub), QStringList{"&1 /R&&D/plan.QXF"});
    const auto *subItem = qobject_cast<TMRUMenuItem *>(parent.actions().at(2));
    ASSERT_NE(subItem, nullptr);
    EXPECT_EQ(subItem->number(), 0);
}

TEST_F(MRUList, UpdatingHoldsBackRebuildsAndEmptyListShowsNothing)
{
    list->beginUpdate();
    list->add(QStringLiteral("/a"));
    list->add(QStringLiteral("/b"));
    EXPECT_EQ(menu.actions().size(), 2);
    list->endUpdate();
    EXPECT_EQ(texts(menu), (QStringList{"&New", "E&xit", "-", "&1 /b", "&2 /a"}));

    list->SetRemoveOnClick(true);
    list->MenuEntries().at(0)->trigger();
    list->MenuEntries().at(0)->trigger();
    EXPECT_EQ(texts(menu), (QStringList{"&New", "E&xit"}));
}

TEST_F(MRUList, SavingAndLoadingNeedAFileAndASection)
{
    list->add(QStringLiteral("/a"));
    list->SetAutoSaveKey(QString());
    list->save();
    list->load();
    EXPECT_FALSE(fs::exists(ini()));
    EXPECT_EQ(list->Items(), QStringList{"/a"});

    // AutoSave writes on destruction; an empty list leaves no section behind.
    list->SetAutoSaveKey(QStringLiteral("MRU"));
    list->SetAutoSave(true);
    list.reset();
    EXPECT_EQ(readIni(), "[MRU]\r\nF0=/a\r\n");
    auto empty = makeList();
    empty->save();
    EXPECT_EQ(readIni(), "");
}
