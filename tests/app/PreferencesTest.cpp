#include "app/Preferences.h"

#include "common/IniFile.h"
#include "common/Program.h"
#include "support/DiskSeam.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <fstream>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

class Preferences : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("velmora-prefs-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path ini() const { return folder / "QX.ini"; }
    std::string appFolder() const { return folder.string() + "/"; }
    void writeIni(const std::string &bytes) { std::ofstream(ini(), std::ios::binary) << bytes; }
    std::string readIni() const
    {
        std::ifstream in(ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path folder;
};

constexpr TRect kScreen{0, 0, 1024, 768};

TRestoredPlacement fitted(TRect r)
{
    return TRestoredPlacement{false, r, false};
}

} // namespace

TEST_F(Preferences, FirstStartWithoutIniTakesEveryDefault)
{
    const TPreferences p = LoadPreferences(ini());
    EXPECT_EQ(p, DefaultPreferences(appFolder()));
    EXPECT_DOUBLE_EQ(CodeToZoom(p.mainZoomCode), 0.6);
    EXPECT_DOUBLE_EQ(CodeToZoom(p.propZoomCode), 0.3);
    EXPECT_TRUE(p.hintsOn);
    EXPECT_TRUE(p.iconToolVisible);
    EXPECT_EQ(p.iconLibraryFile, appFolder() + "MISC1.ICL");
    EXPECT_EQ(DefaultEditorFont(p), TFontDesc::make("Arial", 10, 0, clBlack));
    EXPECT_FALSE(fs::exists(ini())); // reading creates nothing
}

TEST_F(Preferences, SavedInTheClassicKeyOrder)
{
    TPreferences p = DefaultPreferences("/opt/velmora/");
    p.fontColor = clRed;
    SavePreferences(ini(), p);
    EXPECT_EQ(readIni(), "[Zooming]\r\nMain=60\r\nProp=30\r\n\r\n"
                         "[Default Font]\r\nName=Arial\r\nSize=10\r\nBold=0\r\nItalic=0\r\n"
                         "Underline=0\r\nStrikeout=0\r\nColor=255\r\n\r\n"
                         "[Icons]\r\nVisible=1\r\nFile=/opt/velmora/MISC1.ICL\r\n\r\n"
                         "[Hints]\r\nOn=1\r\n");
}

TEST_F(Preferences, DefaultFontWithStrikeoutComesBackWithStrikeout)
{
    TPreferences p = DefaultPreferences(appFolder());
    SetDefaultEditorFont(p, TFontDesc::make("Liberation Serif", 14,
                                            uint8_t(TFontStyle::fsStrikeOut), clNavy));
    SavePreferences(ini(), p);

    const TPreferences back = LoadPreferences(ini());
    EXPECT_EQ(back, p);
    const TFontDesc font = DefaultEditorFont(back);
    EXPECT_EQ(font.style, uint8_t(TFontStyle::fsStrikeOut));
    EXPECT_EQ(font.name, "Liberation Serif");
    EXPECT_EQ(font.size(), 14);
    EXPECT_EQ(font.color, clNavy);

    // Clearing it must clear the stored bit too, not leave the old one behind.
    SetDefaultEditorFont(p, TFontDesc::make("Arial", 9, uint8_t(TFontStyle::fsBold), clBlack));
    SavePreferences(ini(), p);
    EXPECT_EQ(DefaultEditorFont(LoadPreferences(ini())).style, uint8_t(TFontStyle::fsBold));
}

TEST_F(Preferences, UnusableValuesFallBackToDefaults)
{
    writeIni("[zooming]\r\nMain=abc\r\nProp=65\r\n"
             "[Default Font]\r\nName=\r\nSize=0\r\nBold=yes\r\nColor=0x00FF0000\r\n"
             "[HINTS]\r\non=0\r\n");
    const TPreferences p = LoadPreferences(ini());
    EXPECT_EQ(p.mainZoomCode, 60);
    EXPECT_EQ(p.propZoomCode, 60);
    EXPECT_EQ(p.fontName, "Arial");
    EXPECT_EQ(p.fontSize, 10);
    EXPECT_FALSE(p.fontBold);
    EXPECT_EQ(p.fontColor, clBlue);
    EXPECT_FALSE(p.hintsOn);

    writeIni("[Zooming]\r\nMain=500\r\nProp=-3\r\n[Default Font]\r\nSize=99999\r\n");
    const TPreferences q = LoadPreferences(ini());
    EXPECT_EQ(q.mainZoomCode, 100);
    EXPECT_EQ(q.propZoomCode, 20);
    EXPECT_EQ(q.fontSize, 10);
}

TEST_F(Preferences, OneKeyWrittenAlone)
{
    writeIni("[Hints]\r\nOn=1\r\n");
    TPreferences p = LoadPreferences(ini());
    p.hintsOn = false;
    p.mainZoomCode = 90; // not written by a hints toggle
    SavePreference(ini(), p, TPreferenceKey::HintsOn);
    EXPECT_EQ(readIni(), "[Hints]\r\nOn=0\r\n");
}

TEST(PlacementSectionName, ResolutionAbove96GetsItsOwnSection)
{
    EXPECT_EQ(PlacementSection("TCalendarMain", 96), "TCalendarMain_Placement");
    EXPECT_EQ(PlacementSection("TCalendarMain", 72), "TCalendarMain_Placement");
    EXPECT_EQ(PlacementSection("TCalendarMain", 120), "TCalendarMain_Placement120");
    EXPECT_EQ(PlacementSection("TFloatingPalette", 144), "TFloatingPalette_Placement144");
}

TEST(PlacementFit, ZeroBottomOrNoAreaCentres)
{
    EXPECT_TRUE(FitPlacement({{0, 0, 800, 0}, false}, kScreen).centre);
    EXPECT_TRUE(FitPlacement({{0, 0, 0, 0}, false}, kScreen).centre);
    EXPECT_TRUE(FitPlacement({{500, 100, 400, 300}, false}, kScreen).centre);
    EXPECT_TRUE(FitPlacement({{100, 300, 400, 300}, false}, kScreen).centre);
    const TRestoredPlacement maximized = FitPlacement({{0, 0, 800, 0}, true}, kScreen);
    EXPECT_TRUE(maximized.centre);
    EXPECT_TRUE(maximized.maximized);
}

TEST(PlacementFit, RectanglesAreMovedOntoTheScreen)
{
    const std::pair<TRect, TRect> cases[] = {
        {{100, 100, 500, 400}, {100, 100, 500, 400}},       // inside: unchanged
        {{0, 0, 1024, 768}, {0, 0, 1024, 768}},             // exactly the screen
        {{900, 100, 1300, 400}, {624, 100, 1024, 400}},     // past the right edge
        {{100, 700, 500, 1000}, {100, 468, 500, 768}},      // past the bottom edge
        {{900, 700, 1300, 1000}, {624, 468, 1024, 768}},    // past both
        {{-3000, -50, -2600, 250}, {0, 0, 400, 300}},       // left on a missing monitor
        {{-100, -100, 1200, 900}, {0, 0, 1024, 768}},       // larger than the screen
        {{200, 100, 1600, 500}, {0, 100, 1024, 500}},       // wider than the screen
    };
    for (const auto &[stored, expected] : cases)
        EXPECT_EQ(FitPlacement({stored, false}, kScreen), fitted(expected))
            << stored.left << ',' << stored.top << ',' << stored.right << ',' << stored.bottom;

    // A second screen to the right keeps its own coordinates.
    const TRect right{1024, 0, 2944, 1080};
    EXPECT_EQ(FitPlacement({{1100, 50, 1900, 650}, false}, right), fitted({1100, 50, 1900, 650}));
    EXPECT_EQ(FitPlacement({{100, 50, 900, 650}, false}, right), fitted({1024, 50, 1824, 650}));
}

TEST_F(Preferences, PlacementRoundTripKeepsResolutionsApart)
{
    SavePlacement(ini(), "TCalendarMain", 96, {{10, 20, 810, 620}, false});
    SavePlacement(ini(), "TCalendarMain", 120, {{30, 40, 1030, 790}, true});
    EXPECT_EQ(RestorePlacement(ini(), "TCalendarMain", 96, kScreen, false),
              fitted({10, 20, 810, 620}));
    const TRestoredPlacement at120 = RestorePlacement(ini(), "tcalendarmain", 120, kScreen, false);
    EXPECT_EQ(at120.rect, (TRect{24, 18, 1024, 768}));
    EXPECT_TRUE(at120.maximized);
    EXPECT_NE(readIni().find("[TCalendarMain_Placement120]\r\nLeft=30\r\nTop=40\r\n"
                             "Right=1030\r\nBottom=790\r\nMaximized=1\r\n"),
              std::string::npos);

    // Without a stored "Maximized" the window keeps its present state.
    writeIni("[TCalendarProperties_Placement]\r\nLeft=1\r\nTop=2\r\nRight=300\r\nBottom=200\r\n");
    EXPECT_TRUE(RestorePlacement(ini(), "TCalendarProperties", 96, kScreen, true).maximized);
    EXPECT_FALSE(RestorePlacement(ini(), "TCalendarProperties", 96, kScreen, false).maximized);
}

TEST_F(Preferences, RealWindowTakesAndStoresItsPlacement)
{
    const QString path = QString::fromStdString(ini().string());
    QWidget window;
    window.resize(300, 200);
    RestorePlacement(window, path, QStringLiteral("TFloatingPalette"));
    // Restoring saves at once, so even a first start leaves the section behind.
    const TPlacement first = ReadPlacement(ini(), "TFloatingPalette_Placement", true);
    EXPECT_EQ(first.rect.width(), 300);
    EXPECT_EQ(first.rect.height(), 200);
    EXPECT_FALSE(first.maximized);

    SavePlacement(ini(), "TFloatingPalette", 96, {{40, 50, 240, 150}, false});
    RestorePlacement(window, path, QStringLiteral("TFloatingPalette"));
    EXPECT_EQ(window.geometry(), QRect(40, 50, 200, 100));

    SavePlacement(ini(), "TFloatingPalette", 96, {{40, 50, 240, 150}, true});
    RestorePlacement(window, path, QStringLiteral("TFloatingPalette"));
    EXPECT_TRUE(window.isMaximized());
    // The normal rectangle, not the maximised one, is what is kept.
    EXPECT_EQ(ReadPlacement(ini(), "TFloatingPalette_Placement", false),
              (TPlacement{{40, 50, 240, 150}, true}));
}

// All keys in one replace: a save cut short anywhere leaves the old file whole, never a
// complete-looking file with some keys missing.
TEST_F(Preferences, SavesAreOneReplaceOfTheWholeFile)
{
    TPreferences p = DefaultPreferences("/opt/velmora/");
    SavePreferences(ini(), p);
    SavePlacement(ini(), "TCalendarMain", 96, TPlacement{TRect{1, 2, 300, 400}, false});
    const std::string before = readIni();
    p.mainZoomCode = 80;
    p.fontName = "Liberation Serif";
    for (std::size_t room = 0; room < before.size(); room += 5) { // both new files are longer
        test::TFullDisk disk(room);
        EXPECT_THROW(SavePreferences(ini(), p), TIniFileError);
        EXPECT_THROW(SavePlacement(ini(), "TCalendarMain", 96, TPlacement{TRect{5, 6, 700, 800}, true}),
                     TIniFileError);
        ASSERT_EQ(readIni(), before) << "room " << room;
    }
    EXPECT_EQ(test::otherFiles(folder, ini()), 0);
}
