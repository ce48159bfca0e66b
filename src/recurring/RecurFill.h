#pragma once
// Which recurring dates belong in a calendar month and what goes into its day cells.
// Plain text work on store lines (Windows-1252); the dialogs and commands sit on top.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The lines, in their order, that concern the month (EntryConcernsMonth). The filter reads
// only the month field, so an entry may be offered that then writes nothing.
std::vector<std::string> EntriesForMonth(const std::vector<std::string> &lines, int year,
                                         int month);

// The text a day cell receives: "@" and "$" entries give their event text trimmed; "%" and
// "#" entries give the name field as stored, padding included, which existing documents
// were filled with and users may have laid out around.
std::string EntryFillText(std::string_view entry);

// Hands every entry's text to put, entry by entry in the given order and day by day in
// ascending order. An exception from put ends the work on that entry only, so that one
// troublesome entry cannot keep the others out of the page.
using PutEntryText = std::function<void(int day, const std::string &text)>;
void PutEntryTexts(const std::vector<std::string> &entries, int year, int month,
                   const PutEntryText &put);

} // namespace velmora
