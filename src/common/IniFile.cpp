#include "common/IniFile.h"

#include "common/AtomicFile.h"

#include "common/Cp1252.h"

#include <array>
#include <fstream>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

unsigned char foldCase(unsigned char c)
{
    return Cp1252FoldCase(c);
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // raw value, trimmed
};

ParsedLine parseLine(std::string_view line)
{
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';') return {};
    if (t.front() == '[') {
        // A header without its ']' is damage, not a section: its keys stay where they were.
        const auto close = t.find(']');
        if (close == std::string_view::npos) return {};
        return {LineKind::Section, trim(t.substr(1, close - 1)), {}};
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return {};
    const std::string_view key = trim(t.substr(0, eq));
    if (key.empty()) return {};
    return {LineKind::Key, key, trim(t.substr(eq + 1))};
}

// The header line and the end (exclusive) of a section's body.
struct SectionRange
{
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> findSection(const Lines &lines, std::string_view name,
                                        std::size_t from = 0)
{
    for (std::size_t i = from; i < lines.size(); ++i) {
        const ParsedLine p = parseLine(lines[i]);
        if (p.kind != LineKind::Section || !equalNoCase(p.name, name)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && parseLine(lines[end]).kind != LineKind::Section) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const Lines &lines, SectionRange range, std::string_view key)
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const ParsedLine p = parseLine(lines[i]);
        if (p.kind == LineKind::Key && equalNoCase(p.name, key)) return i;
    }
    return std::nullopt;
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A value is written so that the read rules give it back: surrounding blanks or quotes
// would be stripped, so such a value gets a pair of quotes of its own.
std::string encodeValue(std::string_view utf8)
{
    std::string value = Utf8ToCp1252(utf8);
    for (char &c : value)
        if (c == '\r' || c == '\n') c = ' ';
    if (value.empty()) return value;
    const bool needsQuotes = trim(value).size() != value.size() || unquote(value) != value;
    return needsQuotes ? '"' + value + '"' : value;
}

std::string encodeName(std::string_view utf8, bool isSection)
{
    const std::string name(trim(Utf8ToCp1252(utf8)));
    const bool bad = name.empty() || name.find_first_of("\r\n") != std::string::npos ||
                     name.find(isSection ? ']' : '=') != std::string::npos ||
                     (!isSection && (name.front() == '[' || name.front() == ';'));
    if (bad)
        throw std::invalid_argument("Not a usable ini " +
                                    std::string(isSection ? "section" : "key") + " name: " +
                                    std::string(utf8));
    return name;
}

Lines splitLines(std::string_view bytes)
{
    // A byte order mark left by an editor would hide the first section header.
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t newline = bytes.find('\n', start);
        std::size_t end = newline == std::string_view::npos ? bytes.size() : newline;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.emplace_back(bytes.substr(start, end - start));
        if (newline == std::string_view::npos) break;
        start = newline + 1;
    }
    return lines;
}

// The file's lines; an empty list when it does not exist, nullopt when it exists but
// cannot be read.
std::optional<Lines> loadLines(const fs::path &file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return Lines{};
    if (ec || fs::is_directory(status)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    std::array<char, 16384> buffer; // filled by each read before it is used
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return splitLines(bytes);
}

Lines readableLines(const fs::path &file)
{
    std::optional<Lines> lines = loadLines(file);
    return lines ? std::move(*lines) : Lines{};
}

[[noreturn]] void failWrite(const fs::path &file)
{
    throw TIniFileError("Unable to write to " + file.string());
}

void saveLines(const fs::path &file, const Lines &lines)
{
    // Replace the file a link points to, not the link.
    std::error_code ec;
    fs::path target = file;
    if (fs::is_symlink(file, ec)) {
        const fs::path resolved = fs::canonical(file, ec);
        if (!ec) target = resolved;
    }
    std::string bytes;
    for (const std::string &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    try {
        WriteFileAtomic(target, bytes);
    } catch (const TAtomicWriteError &) {
        failWrite(file);
    }
}

template <typename Edit>
void modify(const fs::path &file, Edit edit)
{
    std::optional<Lines> lines = loadLines(file);
    if (!lines) failWrite(file);
    if (edit(*lines)) saveLines(file, *lines);
}

std::optional<std::string_view> findValue(const Lines &lines, std::string_view section,
                                          std::string_view key)
{
    const std::string sectionName = Utf8ToCp1252(section);
    const std::string keyName = Utf8ToCp1252(key);
    const auto range = findSection(lines, trim(sectionName));
    if (!range) return std::nullopt;
    const auto index = findKey(lines, *range, trim(keyName));
    if (!index) return std::nullopt;
    return unquote(parseLine(lines[*index]).value);
}

std::optional<int32_t> parseHex(std::string_view digits)
{
    uint32_t value = 0;
    for (char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        if (value > 0x0FFFFFFFu) return std::nullopt; // more than 32 bits
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    // Colours are written this way: 0xFFFFFFFF is the bit pattern of -1.
    return static_cast<int32_t>(value);
}

std::optional<int32_t> parseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

std::optional<int32_t> parseProfileInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseHex(text.substr(2));
    return parseDecimal(text);
}

TIniSnapshot::TIniSnapshot(const fs::path &file) : lines_(readableLines(file)) {}

TIniSnapshot TIniSnapshot::FromBytes(std::string_view bytes)
{
    TIniSnapshot snapshot;
    snapshot.lines_ = splitLines(bytes);
    return snapshot;
}

std::string TIniSnapshot::readString(std::string_view section, std::string_view key,
                                     std::string_view def) const
{
    const auto value = findValue(lines_, section, key);
    if (!value) return std::string(def);
    return Cp1252ToUtf8(value->substr(0, TIniFile::kMaxString));
}

int32_t TIniSnapshot::readInteger(std::string_view section, std::string_view key,
                                  int32_t def) const
{
    const auto value = findValue(lines_, section, key);
    if (!value) return def;
    return parseProfileInteger(value->substr(0, TIniFile::kMaxString)).value_or(def);
}

bool TIniSnapshot::readBool(std::string_view section, std::string_view key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniSnapshot::sectionExists(std::string_view section) const
{
    const std::string name = Utf8ToCp1252(section);
    return findSection(lines_, trim(name)).has_value();
}

bool TIniSnapshot::valueExists(std::string_view section, std::string_view key) const
{
    return findValue(lines_, section, key).has_value();
}

std::vector<std::string> TIniSnapshot::readSection(std::string_view section) const
{
    std::vector<std::string> keys;
    for (auto &[key, value] : readSectionValues(section)) keys.push_back(std::move(key));
    return keys;
}

TIniValues TIniSnapshot::readSectionValues(std::string_view section) const
{
    const std::string name = Utf8ToCp1252(section);
    const auto range = findSection(lines_, trim(name));
    TIniValues values;
    if (!range) return values;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const ParsedLine p = parseLine(lines_[i]);
        if (p.kind != LineKind::Key) continue;
        values.emplace_back(Cp1252ToUtf8(p.name),
                            Cp1252ToUtf8(unquote(p.value).substr(0, TIniFile::kMaxString)));
    }
    return values;
}

std::string TIniFile::readString(std::string_view section, std::string_view key,
                                 std::string_view def) const
{
    return snapshot().readString(section, key, def);
}

int32_t TIniFile::readInteger(std::string_view section, std::string_view key, int32_t def) const
{
    return snapshot().readInteger(section, key, def);
}

bool TIniFile::readBool(std::string_view section, std::string_view key, bool def) const
{
    return snapshot().readBool(section, key, def);
}

bool TIniFile::sectionExists(std::string_view section) const
{
    return snapshot().sectionExists(section);
}

bool TIniFile::valueExists(std::string_view section, std::string_view key) const
{
    return snapshot().valueExists(section, key);
}

std::vector<std::string> TIniFile::readSection(std::string_view section) const
{
    return snapshot().readSection(section);
}

TIniValues TIniFile::readSectionValues(std::string_view section) const
{
    return snapshot().readSectionValues(section);
}

namespace {

void setValue(Lines &lines, const std::string &sectionName, const std::string &keyName,
              const std::string &encoded)
{
    const auto range = findSection(lines, sectionName);
    if (!range) {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back('[' + sectionName + ']');
        lines.push_back(keyName + '=' + encoded);
        return;
    }
    if (const auto index = findKey(lines, *range, keyName)) {
        // The key keeps the spelling it has in the file.
        const std::string existing(parseLine(lines[*index]).name);
        lines[*index] = existing + '=' + encoded;
        return;
    }
    // New keys go after the section's last key, ahead of blank lines and comments
    // that introduce the next section.
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (parseLine(lines[i]).kind == LineKind::Key) insertAt = i + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyName + '=' + encoded);
}

} // namespace

void TIniFile::writeString(std::string_view section, std::string_view key,
                           std::string_view value) const
{
    const std::string sectionName = encodeName(section, true);
    const std::string keyName = encodeName(key, false);
    const std::string encoded = encodeValue(value);
    modify(file_, [&](Lines &lines) {
        setValue(lines, sectionName, keyName, encoded);
        return true;
    });
}

void TIniFile::writeValues(const std::vector<TIniEntry> &entries) const
{
    // Encode everything first: a bad name must throw before the file is touched.
    std::vector<std::array<std::string, 3>> encoded;
    encoded.reserve(entries.size());
    for (const TIniEntry &e : entries)
        encoded.push_back({encodeName(e.section, true), encodeName(e.key, false), encodeValue(e.value)});
    modify(file_, [&](Lines &lines) {
        for (const auto &[section, key, value] : encoded) setValue(lines, section, key, value);
        return !encoded.empty();
    });
}

void TIniFile::writeInteger(std::string_view section, std::string_view key, int32_t value) const
{
    writeString(section, key, std::to_string(value));
}

void TIniFile::writeBool(std::string_view section, std::string_view key, bool value) const
{
    writeString(section, key, value ? "1" : "0");
}

void TIniFile::deleteKey(std::string_view section, std::string_view key) const
{
    const std::string sectionName = encodeName(section, true);
    const std::string keyName = encodeName(key, false);
    modify(file_, [&](Lines &lines) {
        const auto range = findSection(lines, sectionName);
        if (!range) return false;
        const auto index = findKey(lines, *range, keyName);
        if (!index) return false;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*index));
        return true;
    });
}

void TIniFile::eraseSection(std::string_view section) const
{
    const std::string sectionName = encodeName(section, true);
    modify(file_, [&](Lines &lines) {
        bool changed = false;
        while (const auto range = findSection(lines, sectionName)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                        lines.begin() + static_cast<std::ptrdiff_t>(range->end));
            changed = true;
        }
        return changed;
    });
}

void TIniFile::writeSection(std::string_view section, const TIniValues &values) const
{
    const std::string sectionName = encodeName(section, true);
    Lines body;
    for (const auto &[key, value] : values)
        body.push_back(encodeName(key, false) + '=' + encodeValue(value));
    modify(file_, [&](Lines &lines) {
        const auto first = findSection(lines, sectionName);
        if (!first) {
            if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
            lines.push_back('[' + sectionName + ']');
            lines.insert(lines.end(), body.begin(), body.end());
            return true;
        }
        // Later sections of the same name would shadow nothing but confuse hand editing.
        while (const auto extra = findSection(lines, sectionName, first->end)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(extra->header),
                        lines.begin() + static_cast<std::ptrdiff_t>(extra->end));
        }
        // Blank lines that separate the section from the next one stay.
        std::size_t keepFrom = first->end;
        while (keepFrom > first->header + 1 && trim(lines[keepFrom - 1]).empty()) --keepFrom;
        const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(first->header + 1);
        lines.erase(begin, lines.begin() + static_cast<std::ptrdiff_t>(keepFrom));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first->header + 1), body.begin(),
                     body.end());
        return true;
    });
}

} // namespace velmora
