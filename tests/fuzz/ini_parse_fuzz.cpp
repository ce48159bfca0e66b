// QX.ini as the program reads it at start: preferences, window placements, recent files.
#include "FuzzSupport.h"

#include "app/Preferences.h"
#include "common/IniFile.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    const fuzz::TMemoryFile file(fuzz::bytesOf(data, size));
    if (!file.ok())
        return 0;
    const std::filesystem::path path(file.path());
    try {
        LoadPreferences(path, "/nowhere/");
        FitPlacement(ReadPlacement(path, "TCalendarMain_Placement", false), TRect{0, 0, 1024, 768});
        const TIniFile ini(path);
        for (const char *section : {"MRU", "Icons", "Default Font", "Zooming"})
            ini.readSectionValues(section);
        ini.readSection("Recent");
        ini.valueExists("Hints", "On");
    } catch (const std::exception &) {
    }
    return 0;
}
