#include "app/Floater.h"
#include "app/IconCtls.h"

#include "common/Program.h"
#include "support/IconFiles.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

std::vector<std::vector<Picture>> taggedIcons(int count)
{
    std::vector<std::vector<Picture>> icons;
    for (int i = 0; i < count; ++i) icons.push_back({taggedPicture(32, i % 256)});
    return icons;
}

class IconPalette : public testing::Test
{
protected:
    QTemporaryDir dir;
    ScopedScriptedUi scripted;
    ScriptedUi &ui = scripted.ui();

    void SetUp() override { SetAppFolder(dir.path()); }
    void TearDown() override { SetAppFolder(QString()); }

    // A wider alignment lets large libraries fit the 16-bit offsets.
    QString library(const QString &name, int icons, int shift = 4)
    {
        const QString path = AppFolder() + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeFile(path.toStdString(), neFile(taggedIcons(icons), shift));
        return path;
    }
    QString textFile(const QString &name)
    {
        const QString path = AppFolder() + name;
        writeFile(path.toStdString(), Bytes{'n', 'o', 't', ' ', 'i', 'c', 'o', 'n', 's'});
        return path;
    }
    static QAction *item(TFloatingPalette &p, const char *name)
    {
        return p.findChild<QAction *>(QLatin1String(name));
    }
    static QStringList checkedItems(TFloatingPalette &p)
    {
        QStringList names;
        for (QAction *a : p.findChildren<QAction *>())
            if (a->isChecked()) names << (a->objectName().isEmpty() ? a->text() : a->objectName());
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(IconPalette, ListLoadsCountsAndDisablesWithoutAFile)
{
    TIconListBox list;
    EXPECT_EQ(list.numberOfIcons(), -1);
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(list.version(), QStringLiteral("TIconListBox v1.10"));
    int changes = 0;
    list.OnFileChange = [&] { ++changes; };

    const QString path = library("three.icl", 3);
    list.setFileName(path);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.numberOfIcons(), 3);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(2)->text(), QStringLiteral("2"));
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_TRUE(list.isEnabled());
    list.setFileName(path);
    EXPECT_EQ(changes, 1) << "the same name does not reload";

    list.setFileName(textFile("readme.txt"));
    EXPECT_EQ(list.numberOfIcons(), 0);
    EXPECT_TRUE(list.isEnabled());

    list.setFileName(AppFolder() + "missing.icl");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.numberOfIcons(), -1);
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.isEnabled());
    list.setAutoDisable(false);
    EXPECT_TRUE(list.isEnabled());
}

TEST_F(IconPalette, CachingExtractsOnlyWhatIsDrawn)
{
    const QString path = library("many.icl", 300, 6);
    TIconListBox cached;
    cached.setXIcons(3);
    cached.setYIcons(3);
    cached.setFileName(path);
    ASSERT_EQ(cached.numberOfIcons(), 300);
    EXPECT_FALSE(cached.isIconExtracted(0));
    EXPECT_FALSE(cached.isIconExtracted(299));
    cached.show();
    cached.grab();
    EXPECT_TRUE(cached.isIconExtracted(0));
    EXPECT_FALSE(cached.isIconExtracted(299)) << "far out of view";

    TIconListBox eager;
    eager.setEnableCaching(false);
    eager.setFileName(path);
    EXPECT_TRUE(eager.isIconExtracted(0));
    EXPECT_TRUE(eager.isIconExtracted(299));
    EXPECT_EQ(eager.iconImage(299).pixel(5, 6), tagPixel(5, 6, 299 % 256));
}

TEST_F(IconPalette, CellsAndSizeFollowTheIconCounts)
{
    TIconListBox list;
    EXPECT_EQ(list.cellSize(), 38);
    list.setXIcons(3);
    list.setYIcons(2);
    list.setXIcons(0);
    list.setYIcons(-1);
    EXPECT_EQ(list.xIcons(), 3);
    EXPECT_EQ(list.yIcons(), 2);
    EXPECT_EQ(list.width(), 3 * 38 + 2);

    TGIconListBox plain;
    EXPECT_EQ(plain.cellSize(), 34);
    EXPECT_EQ(plain.orientation(), TGIconListBox::lbVertical);
}

TEST_F(IconPalette, DraggedIconTravelsAsImage)
{
    TGIconListBox list;
    list.setFileName(library("two.icl", 2));
    std::unique_ptr<QMimeData> data(list.iconMimeData(1));
    ASSERT_TRUE(data);
    ASSERT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(image.pixel(7, 3), tagPixel(7, 3, 1));
    EXPECT_FALSE(list.iconMimeData(2));
    EXPECT_FALSE(list.iconMimeData(-1));
}

TEST_F(IconPalette, DisplayNamesOfLibraries)
{
    EXPECT_EQ(LibraryDisplayName("C:\\Icons\\Holiday.ICL"), "HOLIDAYS");
    EXPECT_EQ(LibraryDisplayName("D:\\x\\events.icl"), "EVENTS");
    EXPECT_EQ(LibraryDisplayName("/usr/share/velmora/activity.icl"), "ACTIVITIES");
    EXPECT_EQ(LibraryDisplayName("A:misc2.icl"), "MISCELLANEOUS #2");
    EXPECT_EQ(LibraryDisplayName("misc1"), "MISCELLANEOUS #1");
    const QString longName = QString(70, QLatin1Char('a'));
    EXPECT_EQ(LibraryDisplayName("C:\\" + longName + ".icl"), QString(64, QLatin1Char('A')));
    EXPECT_EQ(LibraryDisplayName(""), "");
}

TEST_F(IconPalette, CreationLoadsActivitiesAndHidingIsReported)
{
    library("activity.icl", 5);
    TFloatingPalette palette;
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("Icons"));
    EXPECT_EQ(palette.list()->numberOfIcons(), 5);
    EXPECT_EQ(palette.list()->xIcons(), 3);
    EXPECT_EQ(palette.list()->yIcons(), 3);
    for (const char *name : {"mnuActivitiesICL", "mnuEventsICL", "mnuHolidaysICL", "mnuMisc1ICL",
                             "mnuMisc2ICL", "mnuBonusIconSets", "mnuOtherIconFile"})
        EXPECT_TRUE(item(palette, name)) << name;

    int hidden = 0;
    palette.OnHide = [&] { ++hidden; };
    palette.show();
    palette.hide();
    EXPECT_EQ(hidden, 1);
}

TEST_F(IconPalette, ShowLibraryChecksItsItemAndFallsBackToMisc1)
{
    const QString holidays = library("Holiday.ICL", 2);
    const QString stars = library("stars.icl", 4);
    library("Misc1.icl", 6);
    textFile("empty.icl");
    TFloatingPalette palette;

    palette.ShowLibrary(holidays);
    EXPECT_EQ(checkedItems(palette), QStringList{"mnuHolidaysICL"});
    EXPECT_EQ(palette.libraryFile(), holidays);

    palette.ShowLibrary(stars);
    EXPECT_EQ(checkedItems(palette), QStringList{"mnuOtherIconFile"});
    EXPECT_EQ(palette.list()->numberOfIcons(), 4);

    palette.ShowLibrary(AppFolder() + "empty.icl");
    EXPECT_EQ(palette.list()->numberOfIcons(), 6) << "Misc1 replaces a library without icons";

    // The fixed items name their files in lower case; the file of another case is used.
    item(palette, "mnuMisc1ICL")->trigger();
    EXPECT_EQ(checkedItems(palette), QStringList{"mnuMisc1ICL"});
    EXPECT_EQ(palette.list()->numberOfIcons(), 6);
}

TEST_F(IconPalette, BonusSetsAreListedSortedAndLoad)
{
    library("BonusIcons/Sports.icl", 2);
    library("BonusIcons/arts.icl", 3);
    library("BonusIcons/Zoo.icl", 1);
    TFloatingPalette palette;
    QAction *bonus = item(palette, "mnuBonusIconSets");
    ASSERT_TRUE(bonus && bonus->menu());
    QStringList names;
    for (QAction *a : bonus->menu()->actions()) names << a->text();
    EXPECT_EQ(names, (QStringList{"arts", "Sports", "Zoo"}));

    bonus->menu()->actions()[1]->trigger();
    EXPECT_EQ(palette.libraryFile(), AppFolder() + "BonusIcons/Sports.icl");
    EXPECT_EQ(palette.list()->numberOfIcons(), 2);
    EXPECT_EQ(checkedItems(palette), QStringList{"Sports"});
}

TEST_F(IconPalette, NoBonusSetsIsSaid)
{
    TFloatingPalette palette;
    QAction *bonus = item(palette, "mnuBonusIconSets");
    ASSERT_TRUE(bonus);
    EXPECT_FALSE(bonus->menu());
    bonus->trigger();
    ASSERT_EQ(ui.messages.size(), 1);
}

TEST_F(IconPalette, OtherFileAsksAgainUntilItHasIcons)
{
    library("Misc1.icl", 6);
    const QString good = library("good.icl", 3);
    const QString bad = textFile("bad.dll");
    {
        TFloatingPalette palette;
        ui.fileAnswers = {bad, good};
        item(palette, "mnuOtherIconFile")->trigger();
        EXPECT_EQ(ui.messages, QStringList{"No icons found in " + bad});
        EXPECT_EQ(palette.libraryFile(), good);
        EXPECT_EQ(checkedItems(palette), QStringList{"mnuOtherIconFile"});
    }
    {
        ui.messages.clear();
        TFloatingPalette palette;
        ui.fileAnswers = {bad}; // then cancelled
        item(palette, "mnuOtherIconFile")->trigger();
        EXPECT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(palette.list()->numberOfIcons(), 6);
        EXPECT_EQ(checkedItems(palette), QStringList{"mnuMisc1ICL"});
    }
    {
        TFloatingPalette palette;
        ui.fileAnswers = {AppFolder() + "good"}; // typed without extension
        item(palette, "mnuOtherIconFile")->trigger();
        EXPECT_EQ(palette.libraryFile(), good);
    }
}
