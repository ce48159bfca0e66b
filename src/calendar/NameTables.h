#pragma once
// Month and day names: the five built-in languages and the system's own names.
#include <array>
#include <string>

namespace velmora {

enum class TNameLanguage { English, French, German, Spanish, Italian };

struct TNameTables
{
    std::array<std::string, 12> months; // index 0 = January; UTF-8
    std::array<std::string, 7> days;    // index 0 = Sunday; UTF-8
    friend bool operator==(const TNameTables &, const TNameTables &) = default;
};

const TNameTables &BuiltInNames(TNameLanguage language);
// Long month and day names of the user's locale; English where the locale has none.
TNameTables SystemNames();

} // namespace velmora
