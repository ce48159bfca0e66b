#pragma once
// Writes a QTextDocument as RTF.
//
// The output is 8-bit (Windows-1252 with \uN for the rest of Unicode) and a pure function of
// the document: the same document always gives the same bytes, and text read back by
// readRtf() writes again unchanged. Pictures are written as PNG, or as the PNG or JPEG bytes
// they were read from; pictures whose resource is missing are left out.
#include <string>

class QTextDocument;

namespace velmora {

std::string writeRtf(const QTextDocument &doc);

} // namespace velmora
