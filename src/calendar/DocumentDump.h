#pragma once
// Documents and style sheets as indented text, one value a line: what a user of the binary
// format needs to see what a file holds, and what tests compare. Reads the bytes the way the
// program reads them, so a file the program refuses stops here at the same place.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace velmora {

enum class TDumpKind { Document, StyleSheet };

struct TDumpResult
{
    std::string text;  // everything read, ending in an "Error ..." line when reading failed
    std::string error; // empty when the whole file was read
    size_t errorOffset = 0;
    bool ok() const { return error.empty(); }
};

TDumpResult DumpCalendarFile(std::span<const uint8_t> bytes, TDumpKind kind);

} // namespace velmora
