#include "calendar/DocumentDump.h"

#include "common/ComponentStream.h"
#include "common/Cp1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <variant>
#include <vector>

namespace velmora {

namespace {

enum class TSlot { Int, Margin, Bool, Text, Font };

struct TSettingName
{
    std::string_view name;
    TSlot slot;
};

// The settings block in file order.
constexpr std::array<TSettingName, 49> kSettings{{
    {"PaperKind", TSlot::Int},
    {"CalendarOrientation", TSlot::Int},
    {"LeftMarginInch", TSlot::Margin},
    {"TopMarginInch", TSlot::Margin},
    {"RightMarginInch", TSlot::Margin},
    {"BottomMarginInch", TSlot::Margin},
    {"CalendarLayout", TSlot::Int},
    {"CalendarBorder", TSlot::Int},
    {"CalendarLineLayout", TSlot::Int},
    {"MonthName1", TSlot::Text},
    {"MonthName2", TSlot::Text},
    {"MonthName3", TSlot::Text},
    {"MonthName4", TSlot::Text},
    {"MonthName5", TSlot::Text},
    {"MonthName6", TSlot::Text},
    {"MonthName7", TSlot::Text},
    {"MonthName8", TSlot::Text},
    {"MonthName9", TSlot::Text},
    {"MonthName10", TSlot::Text},
    {"MonthName11", TSlot::Text},
    {"MonthName12", TSlot::Text},
    {"DayName1", TSlot::Text},
    {"DayName2", TSlot::Text},
    {"DayName3", TSlot::Text},
    {"DayName4", TSlot::Text},
    {"DayName5", TSlot::Text},
    {"DayName6", TSlot::Text},
    {"DayName7", TSlot::Text},
    {"TitleBGColor", TSlot::Int},
    {"TitleFont", TSlot::Font},
    {"TitleShowYear", TSlot::Bool},
    {"HeadersFont", TSlot::Font},
    {"HeadersBorder", TSlot::Int},
    {"HeadersStyle", TSlot::Int},
    {"HeadersBGColor", TSlot::Int},
    {"CellFont", TSlot::Font},
    {"CellBorder", TSlot::Int},
    {"MiniCalendarLineLayout", TSlot::Int},
    {"MiniCalBorder", TSlot::Int},
    {"MiniCalBGColor", TSlot::Int},
    {"MiniShowYear", TSlot::Bool},
    {"MiniTitleFont", TSlot::Font},
    {"MiniHeadersFont", TSlot::Font},
    {"MiniHeadersBGColor", TSlot::Int},
    {"MiniHeadersStyle", TSlot::Int},
    {"MiniHeadersBorder", TSlot::Int},
    {"MiniCellBorder", TSlot::Int},
    {"MiniCellFont", TSlot::Font},
    {"NumberPosition", TSlot::Int},
}};

constexpr std::string_view kCellClass = "TWPRtfStorage";
constexpr std::string_view kCellData = "RtfText.Data";
constexpr std::string_view kRtfTrailer{"\0\0\0\0", 4};

// Text in double quotes on one line: control characters become escapes, so a caption with
// line breaks cannot break the one-value-a-line form.
std::string quoted(std::string_view utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string fileText(std::string_view cp1252)
{
    return quoted(Cp1252ToUtf8(std::string(cp1252)));
}

std::string number(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string hundredthsText(int32_t value)
{
    const int64_t v = value;
    const int64_t magnitude = v < 0 ? -v : v;
    std::string cents = std::to_string(magnitude % 100);
    if (cents.size() < 2) cents.insert(0, 1, '0');
    return (v < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." + cents;
}

std::string valueText(const TValue &value)
{
    struct Visitor
    {
        std::string operator()(const TValue::Nil &) const { return "nil"; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(int32_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return number(d); }
        std::string operator()(const std::string &s) const { return fileText(s); }
        std::string operator()(const TValue::Ident &id) const
        {
            // Identifiers are plain names in anything we write; anything else is shown quoted.
            const bool plain = !id.name.empty() && std::ranges::all_of(id.name, [](char c) {
                return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                       (c >= '0' && c <= '9') || c == '_' || c == '.';
            });
            return plain ? id.name : fileText(id.name);
        }
        std::string operator()(const TBytes &b) const
        {
            return "<binary " + std::to_string(b.size()) + " bytes>";
        }
        std::string operator()(const TValue::Set &set) const
        {
            std::string out = "[";
            for (size_t i = 0; i < set.size(); ++i)
                out += (i > 0 ? ", " : "") + (*this)(TValue::Ident{set[i]});
            return out + "]";
        }
        std::string operator()(const TValue::List &list) const
        {
            std::string out = "(";
            for (size_t i = 0; i < list.size(); ++i)
                out += (i > 0 ? ", " : "") + valueText(list[i]);
            return out + ")";
        }
    };
    return std::visit(Visitor{}, value.data);
}

class TDumper
{
public:
    explicit TDumper(std::span<const uint8_t> bytes) : r(bytes) {}

    TDumpResult run(TDumpKind kind)
    {
        TDumpResult result;
        try {
            if (kind == TDumpKind::StyleSheet)
                styleSheet();
            else
                document();
            if (!r.atEnd()) line("Trailing bytes = " + std::to_string(r.remaining()));
        } catch (const EReadError &e) {
            result.error = e.what();
            result.errorOffset = r.position();
            depth = 0;
            line("Error at byte " + std::to_string(r.position()) + ": " + e.what());
        }
        result.text = std::move(out);
        return result;
    }

private:
    void line(std::string_view text)
    {
        out.append(size_t(depth) * 2, ' ');
        out += text;
        out += '\n';
    }
    void value(std::string_view name, const std::string &text)
    {
        line(std::string(name) + " = " + text);
    }
    void integer(std::string_view name) { value(name, std::to_string(r.readInteger())); }

    void styleSheet()
    {
        line("Style sheet");
        ++depth;
        r.readListBegin();
        integer("Version");
        integer("Kind");
        settings();
        r.readListEnd();
        --depth;
    }

    void document()
    {
        line("Document");
        ++depth;
        r.readListBegin();
        const int32_t version = r.readInteger();
        value("Version", std::to_string(version));
        integer("Kind");
        settings();
        for (const char *name :
             {"MainCalDay", "MainCalMonth", "MainCalYear", "StartOfWeek", "PlannerHour",
              "PlannerMinute"})
            integer(name);
        line("Cells");
        ++depth;
        for (int cell = 1; cell <= 42; ++cell)
            cellRecord(cell);
        --depth;
        if (version > 1) value("UserTitle", fileText(r.readString()));
        r.readListEnd();
        --depth;
        // As the program reads them: no object list before version 3, and a file may end
        // where it would start.
        if (version <= 2 || r.atEnd()) return;
        line("Objects");
        ++depth;
        r.readListBegin();
        while (!r.atEndOfList())
            component(r.readComponentHeader());
        r.readListEnd();
        --depth;
    }

    void settings()
    {
        line("Settings");
        ++depth;
        for (const TSettingName &setting : kSettings) {
            switch (setting.slot) {
            case TSlot::Int:
                integer(setting.name);
                break;
            case TSlot::Margin:
                value(setting.name, hundredthsText(r.readInteger()));
                break;
            case TSlot::Bool:
                value(setting.name, r.readBoolean() ? "True" : "False");
                break;
            case TSlot::Text:
                value(setting.name, fileText(r.readString()));
                break;
            case TSlot::Font:
                font(setting.name);
                break;
            }
        }
        --depth;
    }

    void font(std::string_view name)
    {
        line(name);
        ++depth;
        value("Name", fileText(r.readString()));
        integer("Size");
        for (const char *style : {"Bold", "Italic", "Underline", "StrikeOut"})
            value(style, r.readBoolean() ? "True" : "False");
        integer("Color");
        --depth;
    }

    void cellRecord(int cell)
    {
        const TComponentHeader header = r.readComponentHeader();
        // The cell is one line; the record is read whole first for its text's length.
        size_t rtf = 0;
        std::vector<std::string> others;
        while (!r.atEndOfList()) {
            const std::string name = r.readPropertyName();
            if (name != kCellData) {
                others.push_back(name + " = " + valueText(r.readValue()));
                continue;
            }
            const TBytes data = r.readBinary();
            rtf = data.size();
            if (rtf >= kRtfTrailer.size() &&
                std::equal(kRtfTrailer.begin(), kRtfTrailer.end(), data.end() - 4))
                rtf -= kRtfTrailer.size();
        }
        r.readListEnd();
        std::string text = "Cell " + std::to_string(cell) + ": RTF " + std::to_string(rtf) + " bytes";
        if (header.className != kCellClass || !header.name.empty())
            text += " (" + header.className + " " + fileText(header.name) + ")";
        line(text);
        ++depth;
        for (const std::string &other : others)
            line(other);
        children();
        --depth;
    }

    void component(const TComponentHeader &header)
    {
        line(header.className + " " + fileText(header.name));
        ++depth;
        while (!r.atEndOfList()) {
            const std::string name = r.readPropertyName();
            value(name, valueText(r.readValue()));
        }
        r.readListEnd();
        children();
        --depth;
    }

    void children()
    {
        while (!r.atEndOfList()) {
            if (nesting >= kMaxStreamDepth) throw EReadError("Invalid stream format");
            ++nesting;
            component(r.readChildComponentHeader());
            --nesting;
        }
        r.readListEnd();
    }

    TReader r;
    std::string out;
    int depth = 0;
    int nesting = 0;
};

} // namespace

TDumpResult DumpCalendarFile(std::span<const uint8_t> bytes, TDumpKind kind)
{
    return TDumper(bytes).run(kind);
}

} // namespace velmora
