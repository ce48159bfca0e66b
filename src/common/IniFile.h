#pragma once
// Profile ("ini") files: sections of key=value lines, with the rules Windows programs have
// always used for them, so that files written elsewhere read the same here.
//
// - Section and key names match without regard to case (Windows-1252 letters included).
// - Names and values are trimmed of spaces and tabs; a value enclosed in a matching pair
//   of single or double quotes is read without them.
// - The first matching section and, inside it, the first matching key win.
// - Lines starting with ';' are comments; lines that are neither a header, a key nor a
//   comment are kept but carry no value.
// - The file is Windows-1252 with CR LF line ends; the API speaks UTF-8. Characters the
//   code page lacks are stored as '?'.
//
// Nothing is cached: every call opens, reads (and for writes, replaces) and closes the
// file, so several windows and a hand editor can share it. A run of reads that belong
// together (the preferences, one window's placement) takes a TIniSnapshot: one read of the
// file for all of them. A write leaves every line it
// does not change as it was, and replaces the file atomically through a temporary file
// beside it; on failure it throws TIniFileError("Unable to write to <path>") and the old
// file stays as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

class TIniFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

using TIniValues = std::vector<std::pair<std::string, std::string>>;

struct TIniEntry
{
    std::string section;
    std::string key;
    std::string value;
};

// The file as it was when the snapshot was taken, with the read rules of TIniFile.
class TIniSnapshot
{
public:
    // A missing or unreadable file reads as empty.
    explicit TIniSnapshot(const std::filesystem::path &file);
    // The bytes of a whole file, as if read from one.
    static TIniSnapshot FromBytes(std::string_view bytes);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    bool sectionExists(std::string_view section) const;
    bool valueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> readSection(std::string_view section) const;
    TIniValues readSectionValues(std::string_view section) const;

private:
    TIniSnapshot() = default;
    std::vector<std::string> lines_;
};

class TIniFile
{
public:
    // Longest string a read returns, in characters (the classic 1024-byte buffer).
    static constexpr std::size_t kMaxString = 1023;

    explicit TIniFile(std::filesystem::path file) : file_(std::move(file)) {}
    const std::filesystem::path &fileName() const { return file_; }

    // One read of the file for many values.
    TIniSnapshot snapshot() const { return TIniSnapshot(file_); }

    // Reads never throw: a missing or unreadable file reads as empty.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal, or hexadecimal after "0x"/"0X" when the value is longer than two
    // characters; a missing, empty, non-numeric or out-of-range value gives def.
    int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Read as an integer: non-zero is true.
    bool readBool(std::string_view section, std::string_view key, bool def) const;

    bool sectionExists(std::string_view section) const;
    bool valueExists(std::string_view section, std::string_view key) const;
    // Key names of the section in file order.
    std::vector<std::string> readSection(std::string_view section) const;
    // Key and value of every key line of the section, in file order, duplicates included.
    TIniValues readSectionValues(std::string_view section) const;

    // Writes throw TIniFileError when the file cannot be replaced, and also when it exists
    // but cannot be read: rewriting it blind would lose every other line. Names that could
    // not be read back (empty, or holding '=', ']' or a line break) throw
    // std::invalid_argument. A line break inside a value is stored as a space.
    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    void writeInteger(std::string_view section, std::string_view key, int32_t value) const;
    void writeBool(std::string_view section, std::string_view key, bool value) const;
    // Sets every key, as writeString does one at a time, in a single replace of the file:
    // a program killed half-way leaves all of them written or none.
    void writeValues(const std::vector<TIniEntry> &entries) const;
    void deleteKey(std::string_view section, std::string_view key) const;
    // Removes every section of that name with its lines; nothing to erase is no error.
    void eraseSection(std::string_view section) const;
    // Replaces the section's contents in one write, so that a failure cannot leave it half
    // erased. The section keeps its place (the first of its name) or is appended.
    void writeSection(std::string_view section, const TIniValues &values) const;

private:
    std::filesystem::path file_;
};

// The integer rule of readInteger on one value; nullopt when it is not a number.
std::optional<int32_t> parseProfileInteger(std::string_view text);

} // namespace velmora
