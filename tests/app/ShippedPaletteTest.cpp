#include "app/Floater.h"
#include "app/IconCtls.h"
#include "support/ScriptedUi.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

using namespace velmora;

// An installed program: the user's folder is empty and the libraries are in the data
// folder. Every set of the palette shows icons, and the user's own bonus set joins the
// shipped ones.
TEST(ShippedPalette, EverySetShowsIconsFromTheDataFolder)
{
    QTemporaryDir user;
    test::ScopedScriptedUi scripted;
    SetAppFolder(user.path());
    SetDataFolder(QString::fromStdString(test::shippedData("")));
    QDir().mkpath(user.filePath("BonusIcons"));
    QFile::copy(QString::fromStdString(test::shippedData("misc2.icl")), user.filePath("BonusIcons/Mine.icl"));
    {
        TFloatingPalette palette;
        EXPECT_EQ(palette.list()->numberOfIcons(), 40) << "Activities at the start";
        const std::pair<const char *, int> fixed[] = {{"mnuActivitiesICL", 40}, {"mnuEventsICL", 40},
                                                      {"mnuHolidaysICL", 40},    {"mnuMisc1ICL", 36},
                                                      {"mnuMisc2ICL", 40}};
        for (const auto &[name, count] : fixed) {
            QAction *item = palette.findChild<QAction *>(QLatin1String(name));
            ASSERT_TRUE(item) << name;
            item->trigger();
            EXPECT_EQ(palette.list()->numberOfIcons(), count) << name;
            EXPECT_TRUE(item->isChecked()) << name;
        }
        QAction *bonus = palette.findChild<QAction *>(QStringLiteral("mnuBonusIconSets"));
        ASSERT_TRUE(bonus && bonus->menu());
        QStringList names;
        for (QAction *a : bonus->menu()->actions()) {
            names << a->text();
            a->trigger();
            EXPECT_GT(palette.list()->numberOfIcons(), 0) << a->text().toStdString();
        }
        EXPECT_EQ(names, (QStringList{"Food", "Garden", "Mine", "Sports", "Travel"}));

        // The default stored library, in the case the preferences write it.
        palette.ShowLibrary(AppFolder() + "MISC1.ICL");
        EXPECT_EQ(palette.list()->numberOfIcons(), 36);
        EXPECT_EQ(palette.libraryFile(), DataFolder() + "misc1.icl");
    }
    SetDataFolder({});
    SetAppFolder({});
}
