#include "richtext/WPRtfStorage.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace velmora {

namespace {
bool documentIsEmpty(const QTextDocument &doc)
{
    // A block's length counts its paragraph separator, so an empty paragraph has length 1.
    return doc.blockCount() == 1 && doc.firstBlock().length() <= 1;
}
} // namespace

bool TWPRtfStorage::isEmpty() const
{
    if (bytes.empty())
        return true;
    if (!emptyCache) {
        QTextDocument doc;
        readRtf(bytes, doc);
        emptyCache = documentIsEmpty(doc);
    }
    return *emptyCache;
}

void TWPRtfStorage::assign(const TWPRtfStorage &other)
{
    if (&other == this)
        return;
    bytes = other.bytes;
    emptyCache = other.emptyCache;
}

void TWPRtfStorage::clear()
{
    bytes.clear();
    emptyCache.reset();
}

void TWPRtfStorage::loadIntoDocument(QTextDocument &doc) const
{
    readRtf(bytes, doc);
}

void TWPRtfStorage::saveFromDocument(const QTextDocument &doc)
{
    bytes = writeRtf(doc);
    emptyCache.reset(); // the written text decides: a picture without its image is not kept
}

void TWPRtfStorage::setRtfBytes(std::string rtf)
{
    bytes = std::move(rtf);
    emptyCache.reset();
}

void appendParagraph(QTextDocument &doc, const QString &text, const QTextCharFormat &format)
{
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // The empty paragraph a previous call left behind takes the text; any other ends first.
    if (cursor.block().length() > 1)
        cursor.insertBlock();
    cursor.insertText(text, format);
    cursor.insertBlock();
    cursor.endEditBlock();
}

} // namespace velmora
