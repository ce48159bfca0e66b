#include "objects/FontStream.h"

#include "common/Cp1252.h"

#include <array>
#include <string>

namespace velmora {

namespace {

constexpr std::array<std::string_view, 3> kPitchNames{"fpDefault", "fpVariable", "fpFixed"};
constexpr std::array<std::string_view, 4> kStyleNames{"fsBold", "fsItalic", "fsUnderline",
                                                      "fsStrikeOut"};

} // namespace

bool ReadFontPart(std::string_view part, TReader &r, TFontDesc &font, int32_t *pitch)
{
    if (SameIdent(part, "Color"))
        font.color = r.readColor();
    else if (SameIdent(part, "Height"))
        font.height = r.readInteger();
    else if (SameIdent(part, "Size"))
        font.setSize(r.readInteger());
    else if (SameIdent(part, "Name"))
        font.name = Cp1252ToUtf8(r.readString());
    else if (SameIdent(part, "Style"))
        font.style = uint8_t(r.readSetMask(kStyleNames));
    else if (SameIdent(part, "Pitch")) {
        const int value = r.readEnum(kPitchNames);
        if (pitch != nullptr)
            *pitch = value;
    } else
        return false;
    return true;
}

void WriteFontProperties(TWriter &w, std::string_view prefix, const TFontDesc &font, int32_t pitch)
{
    const std::string p = std::string(prefix) + '.';
    w.writePropertyName(p + "Color");
    w.writeColor(font.color);
    w.writePropertyName(p + "Height");
    w.writeInteger(font.height);
    w.writePropertyName(p + "Name");
    w.writeString(Utf8ToCp1252(font.name));
    if (pitch != 0) {
        w.writePropertyName(p + "Pitch");
        if (pitch > 0 && size_t(pitch) < kPitchNames.size())
            w.writeIdent(kPitchNames[size_t(pitch)]);
        else
            w.writeInteger(pitch);
    }
    if (font.style != 0) {
        w.writePropertyName(p + "Style");
        w.writeSetMask(kStyleNames, font.style);
    }
}

} // namespace velmora
