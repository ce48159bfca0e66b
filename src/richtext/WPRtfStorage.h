#pragma once
// One rich text kept as RTF bytes: a day cell's text, a rich text label's content.
#include <QString>

#include <optional>
#include <string>

class QTextCharFormat;
class QTextDocument;

namespace velmora {

class TWPRtfStorage
{
public:
    TWPRtfStorage() = default;

    // True for a single empty paragraph and nothing else, whatever its formatting, and for a
    // store that holds no bytes at all (a fresh or cleared one).
    bool isEmpty() const;

    void assign(const TWPRtfStorage &other);
    void clear();

    // Replaces the document's content with the stored text.
    void loadIntoDocument(QTextDocument &doc) const;
    void saveFromDocument(const QTextDocument &doc);

    const std::string &rtfBytes() const { return bytes; }
    void setRtfBytes(std::string rtf);

private:
    std::string bytes;
    // Deciding emptiness means reading the text; cached until the bytes change.
    mutable std::optional<bool> emptyCache;
};

// Appends text as a paragraph of its own at the end of the document: a new paragraph first
// unless the last one is empty, then the text with the given format, then a new empty
// paragraph. Repeated calls therefore stack their texts line by line.
void appendParagraph(QTextDocument &doc, const QString &text, const QTextCharFormat &format);

} // namespace velmora
