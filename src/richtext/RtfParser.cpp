#include "richtext/RtfParser.h"

#include <QCryptographicHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>

namespace velmora::rtf {

namespace {
// Enough for any real document; deeper input shares the innermost state instead of growing
// the stack without bound.
constexpr std::size_t kMaxDepth = 512;
constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch over 96 pixels an inch
} // namespace

Parser::Parser(std::string_view rtf, QTextDocument &d) : lex(rtf), doc(d), cursor(&d) {}

RtfReadReport Parser::run()
{
    cursor.beginEditBlock();
    bool rootClosed = false;
    while (!rootClosed) {
        const Token t = lex.next();
        if (t.kind == TokenKind::End)
            break;
        switch (t.kind) {
        case TokenKind::GroupStart: openGroup(); break;
        case TokenKind::GroupEnd: rootClosed = !closeGroup(); break;
        case TokenKind::Word: onWord(t); break;
        case TokenKind::Symbol: onSymbol(t.byte); break;
        case TokenKind::HexByte: onHexByte(t.byte); break;
        case TokenKind::Text: onText(t.text); break;
        case TokenKind::End: break;
        }
    }
    if (!rootClosed)
        report.damaged = true;
    finishDocument();
    cursor.endEditBlock();
    return report;
}

void Parser::openGroup()
{
    flushBytes();
    skipCount = 0;
    starPending = false;
    if (stack.size() >= kMaxDepth) {
        ++overflowDepth;
        return;
    }
    stack.push_back(st);
    st.opensPicture = false;
    st.opensFont = false;
}

bool Parser::closeGroup()
{
    flushBytes();
    skipCount = 0;
    starPending = false;
    if (overflowDepth > 0) {
        --overflowDepth;
        return true;
    }
    if (st.opensFont)
        finishFontEntry();
    if (st.opensPicture)
        finishPicture();
    // The outermost group's state stays current: its paragraph settings format the last line.
    if (stack.size() <= 1)
        return false;
    st = stack.back();
    stack.pop_back();
    return true;
}

bool Parser::consumeSkippedCharacter()
{
    if (skipCount == 0)
        return false;
    --skipCount;
    return true;
}

void Parser::onText(std::string_view bytes)
{
    const std::size_t skipped = std::min<std::size_t>(static_cast<std::size_t>(skipCount), bytes.size());
    skipCount -= static_cast<int>(skipped);
    bytes.remove_prefix(skipped);
    if (!bytes.empty())
        addBytes(bytes);
}

void Parser::addBytes(std::string_view bytes)
{
    switch (st.dest) {
    case Dest::Text:
        pendingBytes.append(bytes);
        break;
    case Dest::FontTable:
        for (char c : bytes) {
            if (c == ';')
                finishFontEntry();
            else
                fontNameBytes += c;
        }
        break;
    case Dest::ColorTable:
        for (char c : bytes) {
            if (c != ';')
                continue;
            colors.push_back(colorGiven ? QColor(red, green, blue) : QColor());
            red = green = blue = 0;
            colorGiven = false;
        }
        break;
    case Dest::Picture:
        picture.addHex(bytes);
        break;
    case Dest::ShapePropName:
        shape.propName.append(bytes);
        break;
    default:
        break;
    }
}

void Parser::onHexByte(unsigned char byte)
{
    if (consumeSkippedCharacter())
        return;
    const char c = static_cast<char>(byte);
    if (st.dest == Dest::Text)
        pendingBytes += c;
    else if (st.dest == Dest::FontTable)
        fontNameBytes += c;
}

void Parser::onSymbol(unsigned char symbol)
{
    if (symbol == '*') {
        starPending = true;
        return;
    }
    if (consumeSkippedCharacter())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        const char c = static_cast<char>(symbol);
        addBytes(std::string_view(&c, 1));
        break;
    }
    case '~': appendCharacter(QString(QChar(0x00A0))); break;
    case '_': appendCharacter(QString(QChar(0x2011))); break;
    case '-': appendCharacter(QString(QChar(0x00AD))); break;
    default: break;
    }
}

void Parser::appendCharacter(const QString &text)
{
    flushBytes();
    if (st.dest == Dest::Text) {
        appendText(text);
    } else if (st.dest == Dest::FontTable) {
        const FontEntry &font = fonts[fontNumber];
        fontNameText += decoder.decode(fontNameBytes, font.codePage > 0 ? font.codePage : ansiCodePage);
        fontNameText += text;
        fontNameBytes.clear();
    }
}

void Parser::flushBytes()
{
    if (pendingBytes.empty())
        return;
    const QString text = decoder.decode(pendingBytes, codePageOf(st.chr));
    pendingBytes.clear();
    appendText(text);
}

void Parser::appendText(const QString &text)
{
    if (st.chr.hidden || text.isEmpty())
        return;
    ensureParagraph();
    if (!pendingText.isEmpty() && !(pendingProps == st.chr))
        flushText();
    pendingProps = st.chr;
    // Paragraphs come from \par alone: a line feed or paragraph separator smuggled in as
    // \'0a or \u8233 would split the block behind the reader's back, and an object
    // character would pose as a picture without one.
    for (const QChar ch : text) {
        if (ch == QChar::ParagraphSeparator)
            pendingText += QChar(QChar::LineSeparator);
        else if ((ch.unicode() >= 0x20 || ch == u'\t') && ch != QChar::ObjectReplacementCharacter)
            pendingText += ch;
    }
}

void Parser::flushText()
{
    if (pendingText.isEmpty())
        return;
    cursor.insertText(pendingText, charFormat(pendingProps));
    pendingText.clear();
}

void Parser::ensureParagraph()
{
    if (!breakPending)
        return;
    flushText();
    cursor.insertBlock(blockFormat(st.para), charFormat(st.chr));
    breakPending = false;
}

void Parser::endParagraph()
{
    if (st.dest != Dest::Text)
        return;
    ensureParagraph();
    flushText();
    // Paragraph settings in force at the mark are the paragraph's, as are the character
    // settings, which an empty paragraph keeps for the text typed into it later.
    cursor.setBlockFormat(blockFormat(st.para));
    cursor.setBlockCharFormat(charFormat(st.chr));
    breakPending = true;
}

void Parser::finishDocument()
{
    flushBytes();
    flushText();
    // A final \par closes the last paragraph rather than opening an empty one after it.
    if (!breakPending) {
        cursor.setBlockFormat(blockFormat(st.para));
        cursor.setBlockCharFormat(charFormat(st.chr));
    }
}

void Parser::finishFontEntry()
{
    if (fontNameBytes.empty() && fontNameText.isEmpty())
        return;
    FontEntry &font = fonts[fontNumber];
    const int codePage = font.codePage > 0 ? font.codePage : ansiCodePage;
    QString name = fontNameText + decoder.decode(fontNameBytes, codePage);
    name.removeIf([](QChar c) { return c.unicode() < 0x20; });
    font.name = name.trimmed();
    fontNameBytes.clear();
    fontNameText.clear();
}

QSizeF Parser::pictureSize(const QImage &image) const
{
    // Metafiles are drawn at a higher pixel density; their size is the device-independent one.
    double w = image.deviceIndependentSize().width();
    double h = image.deviceIndependentSize().height();
    if (picture.goalWidth > 0 && picture.goalHeight > 0) {
        w = picture.goalWidth / kTwipsPerPixel;
        h = picture.goalHeight / kTwipsPerPixel;
    } else if (picture.fromShape && shape.right > shape.left && shape.bottom > shape.top) {
        w = (shape.right - shape.left) / kTwipsPerPixel;
        h = (shape.bottom - shape.top) / kTwipsPerPixel;
    }
    return {w * picture.scaleX / 100.0, h * picture.scaleY / 100.0};
}

void Parser::finishPicture()
{
    const DecodedPicture decoded = decodePicture(picture);
    if (!decoded.ok()) {
        if (picture.kind == PictureKind::Metafile || !picture.bytes.empty())
            ++report.picturesSkipped;
        picture = {};
        return;
    }
    if (picture.fromShape)
        shape.havePicture = true;
    // Named by content, so the same picture read twice is one resource and the name never
    // depends on what the document held before.
    const QByteArray key(picture.bytes.data(), static_cast<qsizetype>(picture.bytes.size()));
    const QString name = QStringLiteral("rtfimage:")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
    if (decoded.original.isEmpty())
        doc.addResource(QTextDocument::ImageResource, QUrl(name), decoded.image);
    else
        doc.addResource(QTextDocument::ImageResource, QUrl(name), decoded.original);

    QTextImageFormat format;
    format.setName(name);
    const QSizeF size = pictureSize(decoded.image);
    format.setWidth(size.width());
    format.setHeight(size.height());
    ensureParagraph();
    flushText();
    cursor.insertImage(format);
    picture = {};
}

int Parser::codePageOf(const CharProps &c) const
{
    const auto it = fonts.find(c.font < 0 ? defaultFont : c.font);
    if (it != fonts.end() && it->second.codePage > 0)
        return it->second.codePage;
    return ansiCodePage;
}

QColor Parser::colorAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= colors.size())
        return {};
    return colors[static_cast<std::size_t>(index)];
}

QTextCharFormat Parser::charFormat(const CharProps &c) const
{
    QTextCharFormat f;
    const auto font = fonts.find(c.font < 0 ? defaultFont : c.font);
    if (font != fonts.end() && !font->second.name.isEmpty())
        f.setFontFamilies({font->second.name});
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (const QColor fg = colorAt(c.foreground); fg.isValid())
        f.setForeground(fg);
    if (const QColor bg = colorAt(c.background); bg.isValid())
        f.setBackground(bg);
    if (c.vertical != 0)
        f.setVerticalAlignment(c.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    return f;
}

QTextBlockFormat Parser::blockFormat(const ParaProps &p) const
{
    QTextBlockFormat f;
    f.setAlignment(p.alignment);
    if (p.leftIndent != 0)
        f.setLeftMargin(p.leftIndent / kTwipsPerPixel);
    if (p.rightIndent != 0)
        f.setRightMargin(p.rightIndent / kTwipsPerPixel);
    if (p.firstIndent != 0)
        f.setTextIndent(p.firstIndent / kTwipsPerPixel);
    if (p.spaceBefore != 0)
        f.setTopMargin(p.spaceBefore / kTwipsPerPixel);
    if (p.spaceAfter != 0)
        f.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
    return f;
}

} // namespace velmora::rtf
