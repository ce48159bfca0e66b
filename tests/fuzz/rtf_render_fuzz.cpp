// RTF read, laid out and drawn into a cell-sized picture; then written and read back, where
// what we write must be stable: a second write of our own output gives the same bytes.
#include "FuzzSupport.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QPainter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

VELMORA_FUZZ_STARTS_QT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora;
    fuzz::EnsureApplication();
    QTextDocument doc;
    readRtf(std::string_view(reinterpret_cast<const char *>(data), size), doc);
    doc.setTextWidth(160);
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        doc.drawContents(&painter, QRectF(0, 0, 160, 120));
    }
    fuzz::consume(image);

    const std::string first = writeRtf(doc);
    QTextDocument again;
    readRtf(first, again);
    const std::string second = writeRtf(again);
    if (first != second) {
        std::fprintf(stderr, "RTF not stable:\n--- first\n%s\n--- second\n%s\n", first.c_str(),
                     second.c_str());
        std::abort();
    }
    return 0;
}
