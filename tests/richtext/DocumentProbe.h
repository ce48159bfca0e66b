#pragma once
// Looks into documents the way the tests need: paragraph texts and the format of a piece of text.
#include "richtext/RtfReader.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <string>
#include <vector>

namespace velmora::test {

inline QStringList paragraphs(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

// The format of the fragment holding the text; an invalid format when no fragment holds it.
inline QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
    return {};
}

inline QTextBlock blockWith(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().contains(text))
            return b;
    return {};
}

inline std::vector<QTextImageFormat> images(const QTextDocument &doc)
{
    std::vector<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out.push_back(it.fragment().charFormat().toImageFormat());
    return out;
}

inline QImage imageOf(const QTextDocument &doc, const QTextImageFormat &f)
{
    const QVariant r = doc.resource(QTextDocument::ImageResource, QUrl(f.name()));
    if (r.userType() == QMetaType::QByteArray)
        return QImage::fromData(r.toByteArray());
    return r.value<QImage>();
}

inline QString family(const QTextCharFormat &f)
{
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    return families.isEmpty() ? QString() : families.front();
}

inline RtfReadReport read(QTextDocument &doc, const std::string &rtf)
{
    return readRtf(rtf, doc);
}

} // namespace velmora::test
