#pragma once
// Windows-1252, the 8-bit text of every file the program reads and writes.
#include <string>
#include <string_view>

namespace velmora {

// Bytes in Windows-1252 to UTF-8. Bytes the code page leaves undefined map to the C1 controls.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; characters the code page lacks and broken UTF-8 become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Lower case for ASCII and the Windows-1252 letters that have a case partner; what
// ini keys and recurring date sorting compare without regard to case.
unsigned char Cp1252FoldCase(unsigned char c);

} // namespace velmora
