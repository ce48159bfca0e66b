#pragma once
// Reads RTF from any producer into a QTextDocument.
//
// Liberal by design: unknown words are ignored, unbalanced or truncated input keeps what was
// read, and no input makes the reader crash, hang or allocate beyond a small multiple of the
// input's size. Pictures become image resources of the document: PNG and JPEG keep their
// original bytes (a QByteArray resource, which Qt's text layout decodes), bitmaps of other
// kinds are decoded into a QImage resource.
#include <string_view>

class QTextDocument;

namespace velmora {

struct RtfReadReport {
    // Pictures left out: metafiles (WMF, EMF, PICT) have no decoder at this level, and
    // damaged picture data cannot be decoded at all.
    int picturesSkipped = 0;
    // Braces did not balance or the input ended early; what was read is still in the document.
    bool damaged = false;
};

// Replaces the document's content (and its resources). Bytes that do not start an RTF group
// are taken as plain text (UTF-8 when valid, else Windows-1252).
RtfReadReport readRtf(std::string_view rtf, QTextDocument &doc);

} // namespace velmora
