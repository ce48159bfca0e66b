#pragma once
// The installation's list of recurring dates, QXRECUR.DAX: Windows-1252 text, one entry per
// line, CR LF line ends, no header. An older version kept fixed dates in QXRECUR.DAT
// ("MMDD" followed by the event text); that list is folded into the store once.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::string_view kRecurStoreFileName = "QXRECUR.DAX";
inline constexpr std::string_view kLegacyRecurFileName = "QXRECUR.DAT";

class RecurStoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Lines without their ends. CR LF and bare LF both end a line and the last line may lack
// an end. A missing file is an empty list; a file that exists but cannot be read throws
// RecurStoreError, so that saving afterwards cannot wipe entries nobody saw.
std::vector<std::string> readRecurLines(const std::filesystem::path &file);

// Replaces the file with the lines, each ended by CR LF, through a temporary file beside it
// (see recurTempPath) that is renamed over the target. A CR or LF inside a line would split
// it on the next read and is written as a space. Throws RecurStoreError on failure and then
// leaves any previous file untouched.
void writeRecurLines(const std::filesystem::path &file, const std::vector<std::string> &lines);
std::filesystem::path recurTempPath(const std::filesystem::path &file);

// The 26 holidays the picker offers, in list order.
std::vector<std::string> predefinedHolidayEntries();

// List order of the dialogs: the whole line compared without regard to case (Windows-1252
// letters included); lines equal but for case keep a fixed byte order.
bool recurLineLess(std::string_view a, std::string_view b);
void sortRecurLines(std::vector<std::string> &lines);

// One legacy line as a store entry: the event text from character 5 in the name field, the
// month and day digits after an "@", formula field 11 characters wide.
std::string convertLegacyLine(std::string_view line);

enum class LegacyConversion {
    NothingToDo, // no QXRECUR.DAT in the folder
    Converted,   // its entries are in QXRECUR.DAX and the legacy file is gone
    Failed       // the store could not be read or written; QXRECUR.DAT is kept for next time
};

// Merges the converted legacy entries into the folder's store: existing lines stay first and
// in their order, converted lines follow unless the store already holds them, and blank
// legacy lines are dropped. Because of the merge a repeated run adds nothing twice.
LegacyConversion convertLegacyRecurFile(const std::filesystem::path &folder);

} // namespace velmora
