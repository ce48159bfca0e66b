// Any bytes, dumped as a document and as a style sheet: the dump must end, in text or in an
// error line, without reading past the input.
#include "calendar/DocumentDump.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    for (const auto kind : {velmora::TDumpKind::Document, velmora::TDumpKind::StyleSheet}) {
        const velmora::TDumpResult dump = velmora::DumpCalendarFile(bytes, kind);
        if (!dump.ok() && dump.errorOffset > size) __builtin_trap();
    }
    return 0;
}
