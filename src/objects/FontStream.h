#pragma once
// A font as design objects stream it: the dotted properties Prefix.Color, .Height, .Name,
// then .Pitch and .Style when they are not the defaults; .Size is accepted on reading.
#include "common/ComponentStream.h"
#include "common/Font.h"

#include <cstdint>
#include <string_view>

namespace velmora {

// Reads the part after the prefix's dot into the font; false when `part` names none of the
// font's properties. A null pitch reads the pitch and lets it go.
bool ReadFontPart(std::string_view part, TReader &r, TFontDesc &font, int32_t *pitch);

// Writes the font's properties under `prefix` ("Font", "TitleFont", ...). A pitch of 0 is
// the default and is not written.
void WriteFontProperties(TWriter &w, std::string_view prefix, const TFontDesc &font,
                         int32_t pitch = 0);

} // namespace velmora
