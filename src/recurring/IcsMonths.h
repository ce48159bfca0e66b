#pragma once
// iCalendar events as day texts without any dialog: the file read with its size limit, the
// time form the page uses, and the exporter's --ics months.
#include "recurring/IcsImport.h"
#include "recurring/MonthFill.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The zone event times are shown in: the system's.
std::string IcsShownZone();

// The program's short time form, as times are written elsewhere on the page (UTF-8).
std::string ShortIcsTimeText(int hour, int minute);

// The exporter's --ics: the texts of every month to be written, computed before anything
// is written. Throws IcsImportError, whose message names the file's trouble.
class TIcsMonths
{
public:
    TIcsMonths(const std::filesystem::path &file, int month, int year, int months);
    void put(int month, int year, const PutTextOnDay &putTextOnDay) const;

private:
    std::map<std::pair<int, int>, std::vector<IcsDayText>> texts_;
};

// The whole file, refused when larger than kMaxIcsBytes. Throws IcsImportError.
std::string ReadIcsFile(const std::filesystem::path &file);

} // namespace velmora
