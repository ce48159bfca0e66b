// The component stream on its own: root records of any class, every value kind, nested
// children, as the reader walks them when it does not know the class.
#include "FuzzSupport.h"

#include "common/ComponentStream.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    const auto bytes = fuzz::bytesOf(data, size);
    try {
        TReader r(bytes);
        while (!r.atEnd()) {
            r.readComponentHeader();
            r.skipProperties();
            r.skipChildren();
        }
    } catch (const std::exception &) {
    }
    try {
        TReader r(bytes);
        while (!r.atEnd())
            r.readValue();
    } catch (const std::exception &) {
    }
    return 0;
}
