// QX.ini as the program reads it at start: preferences, window placements, recent files.
#include "app/Preferences.h"
#include "common/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    const TIniSnapshot ini =
        TIniSnapshot::FromBytes(std::string_view(reinterpret_cast<const char *>(data), size));
    try {
        LoadPreferences(ini, "/nowhere/");
        FitPlacement(ReadPlacement(ini, "TCalendarMain_Placement", false), TRect{0, 0, 1024, 768});
        for (const char *section : {"MRU", "Icons", "Default Font", "Zooming"})
            ini.readSectionValues(section);
        ini.readSection("Recent");
        ini.valueExists("Hints", "On");
    } catch (const std::exception &) {
    }
    return 0;
}
