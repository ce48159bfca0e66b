#include "richtext/RtfReader.h"

#include "richtext/RtfParser.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

namespace velmora {

namespace {
bool looksLikeRtf(std::string_view bytes)
{
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

void readPlainText(std::string_view bytes, QTextDocument &doc)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError())
        text = rtf::CodePageDecoder().decode(bytes, 1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.remove(QChar(0));
    QTextCursor(&doc).insertText(text);
}
} // namespace

RtfReadReport readRtf(std::string_view rtf, QTextDocument &doc)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    RtfReadReport report;
    if (looksLikeRtf(rtf))
        report = rtf::Parser(rtf, doc).run();
    else
        readPlainText(rtf, doc);
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
    return report;
}

} // namespace velmora
