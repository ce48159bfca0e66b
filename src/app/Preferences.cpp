#include "app/Preferences.h"

#include "common/IniFile.h"
#include "common/Program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr std::string_view kZooming = "Zooming";
constexpr std::string_view kFont = "Default Font";
constexpr std::string_view kIcons = "Icons";
constexpr std::string_view kHints = "Hints";

// The largest point size the classic font dialog offers.
constexpr int kMaxFontPoints = 1638;

int validZoomCode(int code)
{
    // Only whole tenths from 20 to 100 exist; anything else goes to its neighbour.
    return ZoomToCode(CodeToZoom(code));
}

std::string folderOf(const std::filesystem::path &iniPath)
{
    std::string folder = iniPath.parent_path().string();
    if (folder.empty()) folder = ".";
    if (folder.back() != '/') folder += '/';
    return folder;
}

TRect readRect(const TIniSnapshot &ini, std::string_view section)
{
    return TRect{ini.readInteger(section, "Left", 0), ini.readInteger(section, "Top", 0),
                 ini.readInteger(section, "Right", 0), ini.readInteger(section, "Bottom", 0)};
}

// Moves [low, high) into [min, max): first back over max, then forward over min, cutting
// the far end when the span is longer than the room.
void fitSpan(int32_t &low, int32_t &high, int32_t min, int32_t max)
{
    if (high > max) {
        low -= high - max;
        high = max;
    }
    if (low < min) {
        high = std::min(high + (min - low), max);
        low = min;
    }
}

} // namespace

TPreferences DefaultPreferences(const std::string &appFolder)
{
    TPreferences prefs;
    prefs.iconLibraryFile = appFolder + "MISC1.ICL";
    return prefs;
}

TPreferences LoadPreferences(const std::filesystem::path &iniPath)
{
    return LoadPreferences(iniPath, folderOf(iniPath));
}

TPreferences LoadPreferences(const std::filesystem::path &iniPath, const std::string &appFolder)
{
    return LoadPreferences(TIniFile(iniPath).snapshot(), appFolder);
}

TPreferences LoadPreferences(const TIniSnapshot &ini, const std::string &appFolder)
{
    const TPreferences d = DefaultPreferences(appFolder);
    TPreferences p;
    p.mainZoomCode = validZoomCode(ini.readInteger(kZooming, "Main", d.mainZoomCode));
    p.propZoomCode = validZoomCode(ini.readInteger(kZooming, "Prop", d.propZoomCode));
    p.fontName = ini.readString(kFont, "Name", d.fontName);
    p.fontSize = ini.readInteger(kFont, "Size", d.fontSize);
    p.fontBold = ini.readBool(kFont, "Bold", d.fontBold);
    p.fontItalic = ini.readBool(kFont, "Italic", d.fontItalic);
    p.fontUnderline = ini.readBool(kFont, "Underline", d.fontUnderline);
    p.fontStrikeout = ini.readBool(kFont, "Strikeout", d.fontStrikeout);
    p.fontColor = ini.readInteger(kFont, "Color", d.fontColor);
    p.iconLibraryFile = ini.readString(kIcons, "File", d.iconLibraryFile);
    p.iconToolVisible = ini.readBool(kIcons, "Visible", d.iconToolVisible);
    p.hintsOn = ini.readBool(kHints, "On", d.hintsOn);
    // An empty name or an impossible size would give the cell editor no usable font.
    if (p.fontName.empty() || p.fontSize < 1 || p.fontSize > kMaxFontPoints) {
        p.fontName = d.fontName;
        p.fontSize = d.fontSize;
    }
    return p;
}

void SavePreference(const std::filesystem::path &iniPath, const TPreferences &p,
                    TPreferenceKey key)
{
    const TIniFile ini(iniPath);
    switch (key) {
    case TPreferenceKey::MainZoom: ini.writeInteger(kZooming, "Main", p.mainZoomCode); break;
    case TPreferenceKey::PropZoom: ini.writeInteger(kZooming, "Prop", p.propZoomCode); break;
    case TPreferenceKey::FontName: ini.writeString(kFont, "Name", p.fontName); break;
    case TPreferenceKey::FontSize: ini.writeInteger(kFont, "Size", p.fontSize); break;
    case TPreferenceKey::FontBold: ini.writeBool(kFont, "Bold", p.fontBold); break;
    case TPreferenceKey::FontItalic: ini.writeBool(kFont, "Italic", p.fontItalic); break;
    case TPreferenceKey::FontUnderline: ini.writeBool(kFont, "Underline", p.fontUnderline); break;
    case TPreferenceKey::FontStrikeout: ini.writeBool(kFont, "Strikeout", p.fontStrikeout); break;
    case TPreferenceKey::FontColor: ini.writeInteger(kFont, "Color", p.fontColor); break;
    case TPreferenceKey::IconsVisible: ini.writeBool(kIcons, "Visible", p.iconToolVisible); break;
    case TPreferenceKey::HintsOn: ini.writeBool(kHints, "On", p.hintsOn); break;
    case TPreferenceKey::IconFile: ini.writeString(kIcons, "File", p.iconLibraryFile); break;
    }
}

void SavePreferences(const std::filesystem::path &iniPath, const TPreferences &p)
{
    const auto number = [](int32_t v) { return std::to_string(v); };
    const auto flag = [](bool v) { return std::string(v ? "1" : "0"); };
    const auto key = [](std::string_view section, std::string_view name, std::string value) {
        return TIniEntry{std::string(section), std::string(name), std::move(value)};
    };
    // The order the main window has always written them in, now in one replace.
    TIniFile(iniPath).writeValues({
        key(kZooming, "Main", number(p.mainZoomCode)),
        key(kZooming, "Prop", number(p.propZoomCode)),
        key(kFont, "Name", p.fontName),
        key(kFont, "Size", number(p.fontSize)),
        key(kFont, "Bold", flag(p.fontBold)),
        key(kFont, "Italic", flag(p.fontItalic)),
        key(kFont, "Underline", flag(p.fontUnderline)),
        key(kFont, "Strikeout", flag(p.fontStrikeout)),
        key(kFont, "Color", number(p.fontColor)),
        key(kIcons, "Visible", flag(p.iconToolVisible)),
        key(kHints, "On", flag(p.hintsOn)),
        key(kIcons, "File", p.iconLibraryFile),
    });
}

TFontDesc DefaultEditorFont(const TPreferences &prefs)
{
    TFontDesc font = TFontDesc::make(prefs.fontName, prefs.fontSize, 0, prefs.fontColor);
    font.setStyle(TFontStyle::fsBold, prefs.fontBold);
    font.setStyle(TFontStyle::fsItalic, prefs.fontItalic);
    font.setStyle(TFontStyle::fsUnderline, prefs.fontUnderline);
    font.setStyle(TFontStyle::fsStrikeOut, prefs.fontStrikeout);
    return font;
}

void SetDefaultEditorFont(TPreferences &prefs, const TFontDesc &font)
{
    prefs.fontName = font.name;
    prefs.fontSize = font.size();
    prefs.fontBold = font.bold();
    prefs.fontItalic = font.italic();
    prefs.fontUnderline = font.underline();
    prefs.fontStrikeout = font.strikeOut();
    prefs.fontColor = font.color;
}

// ---- Window placement ----

std::string PlacementSection(std::string_view className, int dotsPerInch)
{
    std::string section = std::string(className) + "_Placement";
    if (dotsPerInch > 96) section += std::to_string(dotsPerInch);
    return section;
}

TPlacement ReadPlacement(const std::filesystem::path &iniPath, std::string_view section,
                         bool currentlyMaximized)
{
    return ReadPlacement(TIniFile(iniPath).snapshot(), section, currentlyMaximized);
}

TPlacement ReadPlacement(const TIniSnapshot &ini, std::string_view section,
                         bool currentlyMaximized)
{
    return TPlacement{readRect(ini, section),
                      ini.readBool(section, "Maximized", currentlyMaximized)};
}

void WritePlacement(const std::filesystem::path &iniPath, std::string_view section,
                    const TPlacement &placement)
{
    const std::string name(section);
    TIniFile(iniPath).writeValues({
        {name, "Left", std::to_string(placement.rect.left)},
        {name, "Top", std::to_string(placement.rect.top)},
        {name, "Right", std::to_string(placement.rect.right)},
        {name, "Bottom", std::to_string(placement.rect.bottom)},
        {name, "Maximized", placement.maximized ? "1" : "0"},
    });
}

TRestoredPlacement FitPlacement(const TPlacement &stored, const TRect &screen)
{
    TRestoredPlacement result;
    result.maximized = stored.maximized;
    const TRect &r = stored.rect;
    // A damaged section can hold any numbers; a window without area is no placement.
    if (r.bottom == 0 || r.width() <= 0 || r.height() <= 0) return result;
    result.centre = false;
    result.rect = r;
    fitSpan(result.rect.left, result.rect.right, screen.left, screen.right);
    fitSpan(result.rect.top, result.rect.bottom, screen.top, screen.bottom);
    return result;
}

TRestoredPlacement RestorePlacement(const std::filesystem::path &iniPath,
                                    std::string_view className, int dotsPerInch,
                                    const TRect &screen, bool currentlyMaximized)
{
    const std::string section = PlacementSection(className, dotsPerInch);
    return FitPlacement(ReadPlacement(iniPath, section, currentlyMaximized), screen);
}

void SavePlacement(const std::filesystem::path &iniPath, std::string_view className,
                   int dotsPerInch, const TPlacement &placement)
{
    WritePlacement(iniPath, PlacementSection(className, dotsPerInch), placement);
}

// ---- On real windows ----

namespace {

std::string windowClassName(const QWidget &window, const QString &given)
{
    if (!given.isEmpty()) return given.toStdString();
    const QString full = QString::fromLatin1(window.metaObject()->className());
    const auto at = full.lastIndexOf(QStringLiteral("::"));
    return (at < 0 ? full : full.mid(at + 2)).toStdString();
}

const QScreen *screenOf(const QWidget &window)
{
    const QScreen *screen = window.screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

int dotsPerInchOf(const QWidget &window)
{
    const QScreen *screen = screenOf(window);
    return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

std::filesystem::path toPath(const QString &path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

void RestorePlacement(QWidget &window, const QString &iniPath, const QString &className)
{
    const QScreen *screen = screenOf(window);
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const TRect screenRect{area.left(), area.top(), area.left() + area.width(),
                           area.top() + area.height()};
    const std::string name = windowClassName(window, className);
    const TRestoredPlacement placement = RestorePlacement(
        toPath(iniPath), name, dotsPerInchOf(window), screenRect, window.isMaximized());
    if (placement.centre) {
        CenterForm(&window);
    } else {
        const TRect &r = placement.rect;
        window.setGeometry(r.left, r.top, r.width(), r.height());
    }
    if (placement.maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
    // Saving here only makes the section exist; a read-only folder must not keep the
    // window from opening.
    try {
        SavePlacement(window, iniPath, QString::fromStdString(name));
    } catch (const TIniFileError &) {
    }
}

void SavePlacement(const QWidget &window, const QString &iniPath, const QString &className)
{
    QRect normal = window.isMaximized() ? window.normalGeometry() : window.geometry();
    if (normal.isEmpty()) normal = window.geometry();
    const TPlacement placement{
        TRect{normal.left(), normal.top(), normal.left() + normal.width(),
              normal.top() + normal.height()},
        window.isMaximized()};
    SavePlacement(toPath(iniPath), windowClassName(window, className), dotsPerInchOf(window),
                  placement);
}

} // namespace velmora
