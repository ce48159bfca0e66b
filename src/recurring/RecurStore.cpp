#include "recurring/RecurStore.h"
#include "common/AtomicFile.h"
#include "common/Cp1252.h"

#include "recurring/RecurFormula.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <unordered_set>

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::string describe(const fs::path &file, const std::error_code &ec = {})
{
    std::string text = file.string();
    if (ec) text += ": " + ec.message();
    return text;
}

std::string readAllBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) throw RecurStoreError("Cannot open " + describe(file));
    std::string bytes;
    std::array<char, 16384> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad()) throw RecurStoreError("Cannot read " + describe(file));
    return bytes;
}

std::vector<std::string> splitLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t newline = bytes.find('\n', start);
        std::size_t end = newline == std::string::npos ? bytes.size() : newline;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.emplace_back(bytes, start, end - start);
        if (newline == std::string::npos) break;
        start = newline + 1;
    }
    return lines;
}

unsigned char foldCase(unsigned char c)
{
    return Cp1252FoldCase(c);
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string feastEntry(std::string_view name, std::string_view keyword)
{
    return FixedWidth(name, kEntryNameWidth) + std::string(keyword);
}

} // namespace

std::vector<std::string> readRecurLines(const fs::path &file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return {};
    if (ec || !fs::is_regular_file(status))
        throw RecurStoreError("Cannot read " + describe(file, ec));
    return splitLines(readAllBytes(file));
}

fs::path recurTempPath(const fs::path &file)
{
    return AtomicTempPath(file);
}

void writeRecurLines(const fs::path &file, const std::vector<std::string> &lines)
{
    std::string bytes;
    for (std::string line : lines) {
        std::replace_if(
            line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        bytes += line;
        bytes += "\r\n";
    }
    try {
        WriteFileAtomic(file, bytes);
    } catch (const TAtomicWriteError &e) {
        throw RecurStoreError(e.what());
    }
}

std::vector<std::string> predefinedHolidayEntries()
{
    return {
        MakeRecurringEntry("April Fools's Day", "@0401"),
        MakeRecurringEntry("Armed Forces Day", "$2 6 5"),
        MakeRecurringEntry("Christmas Day", "@1225"),
        MakeRecurringEntry("Daylight Savings time begins", "$0 0 4"),
        MakeRecurringEntry("Daylight Savings Time ends", "$5 0 10"),
        feastEntry("Easter", kEasterKeyword),
        MakeRecurringEntry("Father's Day", "$2 0 6"),
        MakeRecurringEntry("Flag Day", "@0614"),
        feastEntry("Good Friday", kGoodFridayKeyword),
        MakeRecurringEntry("Groundhog Day", "@0202"),
        MakeRecurringEntry("Halloween", "@1031"),
        MakeRecurringEntry("Independence Day", "@0704"),
        MakeRecurringEntry("Labor Day", "$0 1 9"),
        MakeRecurringEntry("Lincoln's Birthday", "@0212"),
        MakeRecurringEntry("Martin Luther King Day", "$2 1 1"),
        MakeRecurringEntry("Memorial Day", "$5 1 5"),
        MakeRecurringEntry("Mother's Day", "$1 0 5"),
        MakeRecurringEntry("New Year's Day", "@0101"),
        feastEntry("Palm Sunday", kPalmSundayKeyword),
        MakeRecurringEntry("President's Day", "$2 1 2"),
        MakeRecurringEntry("St. Patrick's Day", "@0317"),
        MakeRecurringEntry("Thanksgiving Day", "$3 4 11"),
        MakeRecurringEntry("United Nations Day", "@1024"),
        MakeRecurringEntry("Valentine's Day", "@0214"),
        MakeRecurringEntry("Veterans Day", "@1111"),
        MakeRecurringEntry("Washington's Birthday", "@0222"),
    };
}

bool recurLineLess(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = foldCase(static_cast<unsigned char>(a[i]));
        const unsigned char cb = foldCase(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void sortRecurLines(std::vector<std::string> &lines)
{
    std::sort(lines.begin(), lines.end(),
              [](const std::string &a, const std::string &b) { return recurLineLess(a, b); });
}

std::string convertLegacyLine(std::string_view line)
{
    const std::string_view date = line.substr(0, 4);
    const std::string_view text = line.size() > 4 ? line.substr(4, 150) : std::string_view();
    return FixedWidth(text, kEntryNameWidth) + kDayOfMonthMarker + FixedWidth(date, kFormulaWidth);
}

LegacyConversion convertLegacyRecurFile(const fs::path &folder)
{
    const fs::path legacy = folder / fs::path(kLegacyRecurFileName);
    const fs::path store = folder / fs::path(kRecurStoreFileName);
    std::error_code ec;
    if (fs::status(legacy, ec).type() == fs::file_type::not_found)
        return LegacyConversion::NothingToDo;
    try {
        const std::vector<std::string> legacyLines = readRecurLines(legacy);
        std::vector<std::string> lines = readRecurLines(store);
        std::unordered_set<std::string> known(lines.begin(), lines.end());
        for (const std::string &line : legacyLines) {
            if (isBlank(line)) continue;
            std::string entry = convertLegacyLine(line);
            if (known.insert(entry).second) lines.push_back(std::move(entry));
        }
        writeRecurLines(store, lines);
    } catch (const RecurStoreError &) {
        return LegacyConversion::Failed;
    }
    // Should the delete fail, the next start merges the same lines again and adds nothing.
    fs::remove(legacy, ec);
    return LegacyConversion::Converted;
}

} // namespace velmora
