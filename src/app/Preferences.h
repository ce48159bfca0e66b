#pragma once
// The user's preferences and window placements, kept in QX.ini beside the program.
//
// The rules live in plain functions over TPreferences and TRect so that they can be tested
// without windows or screens; the QWidget overloads at the end apply them to real windows.
#include "common/Color.h"
#include "common/Font.h"
#include "common/IniFile.h"
#include "common/Rect.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

class QWidget;

namespace velmora {

// Every key of the preference sections, with the value a first start gets.
struct TPreferences
{
    int mainZoomCode = 60;          // "Zooming"/"Main": the page's zoom code, 20..100
    int propZoomCode = 30;          // "Zooming"/"Prop": the Properties preview's zoom code
    std::string fontName = "Arial"; // "Default Font"/...: the font an empty day cell starts with
    int fontSize = 10;              // points
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikeout = false;
    TColor fontColor = clBlack;      // 0x00BBGGRR
    std::string iconLibraryFile;     // "Icons"/"File"; AppFolder + "MISC1.ICL" when missing
    bool iconToolVisible = true;     // "Icons"/"Visible"
    bool hintsOn = true;             // "Hints"/"On"

    friend bool operator==(const TPreferences &, const TPreferences &) = default;
};

// One key each; the main window writes single keys where only one value changed.
enum class TPreferenceKey {
    MainZoom,
    PropZoom,
    FontName,
    FontSize,
    FontBold,
    FontItalic,
    FontUnderline,
    FontStrikeout,
    FontColor,
    IconsVisible,
    HintsOn,
    IconFile,
};

// appFolder ends with a separator, as AppFolder() does.
TPreferences DefaultPreferences(const std::string &appFolder);

// Reads every preference key. A missing file or key gives the default; so does a value
// nothing could use (a zoom code outside 20..100 is moved to the nearest code, a font
// size outside 1..1638 points or an empty font name falls back to the default font).
// The application folder is the ini file's folder unless given.
TPreferences LoadPreferences(const std::filesystem::path &iniPath);
TPreferences LoadPreferences(const std::filesystem::path &iniPath, const std::string &appFolder);
TPreferences LoadPreferences(const TIniSnapshot &ini, const std::string &appFolder);

// Writes every key in the order the main window has always written them, in one replace of
// the file. Throws TIniFileError("Unable to write to <path>"); the file then stays as it was.
void SavePreferences(const std::filesystem::path &iniPath, const TPreferences &prefs);
void SavePreference(const std::filesystem::path &iniPath, const TPreferences &prefs,
                    TPreferenceKey key);

// The default editor font: each style bit (strikeout too) follows its own boolean.
TFontDesc DefaultEditorFont(const TPreferences &prefs);
void SetDefaultEditorFont(TPreferences &prefs, const TFontDesc &font);

// ---- Window placement ----

// A window's rectangle in its normal (not maximised) state, screen pixels, right and bottom
// exclusive, and whether it is maximised.
struct TPlacement
{
    TRect rect;
    bool maximized = false;
    friend bool operator==(const TPlacement &, const TPlacement &) = default;
};

// What restoring decided: centre the window (nothing usable stored) or give it rect.
struct TRestoredPlacement
{
    bool centre = true;
    TRect rect;
    bool maximized = false;
    friend bool operator==(const TRestoredPlacement &, const TRestoredPlacement &) = default;
};

// className + "_Placement", with the resolution appended above 96 dots per inch, so that
// each resolution keeps its own window sizes.
std::string PlacementSection(std::string_view className, int dotsPerInch);

// Reads Left, Top, Right, Bottom (default 0) and Maximized (default currentlyMaximized).
TPlacement ReadPlacement(const std::filesystem::path &iniPath, std::string_view section,
                         bool currentlyMaximized);
TPlacement ReadPlacement(const TIniSnapshot &ini, std::string_view section,
                         bool currentlyMaximized);
void WritePlacement(const std::filesystem::path &iniPath, std::string_view section,
                    const TPlacement &placement);

// A zero bottom edge means nothing was stored, and so does an empty rectangle: the window
// is centred. Otherwise the rectangle is moved left and up until its right and bottom edges
// are on the screen, then right and down until its left and top edges are, shrinking it
// when it is larger than the screen, so that its title bar can always be reached.
TRestoredPlacement FitPlacement(const TPlacement &stored, const TRect &screen);

// Reads the window's section and fits it; the caller applies the result and then saves
// the window's placement at once, so that the section exists after the first start.
TRestoredPlacement RestorePlacement(const std::filesystem::path &iniPath,
                                    std::string_view className, int dotsPerInch,
                                    const TRect &screen, bool currentlyMaximized);
void SavePlacement(const std::filesystem::path &iniPath, std::string_view className,
                   int dotsPerInch, const TPlacement &placement);

// The same on a real window, using the screen it is on. The class name defaults to the
// window's own class without namespace ("TCalendarMain"). Saving throws TIniFileError.
void RestorePlacement(QWidget &window, const QString &iniPath, const QString &className = {});
void SavePlacement(const QWidget &window, const QString &iniPath, const QString &className = {});

} // namespace velmora
