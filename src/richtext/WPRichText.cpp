#include "richtext/WPRichText.h"

#include "common/ColorSwatch.h"
#include "richtext/RtfReader.h"
#include "richtext/WPRtfStorage.h"

#include <QAbstractTextDocumentLayout>
#include <QFocusEvent>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cmath>
#include <memory>
#include <vector>

namespace velmora {

namespace {
double effectiveSize(const QTextCharFormat &f, const QTextDocument &doc)
{
    const double s = f.fontPointSize();
    return s > 0 ? s : doc.defaultFont().pointSizeF();
}
// Word processors put their own RTF beside HTML on the clipboard; it carries sizes, colours
// and alignment more faithfully than their HTML, so it is preferred. Web pages give HTML.
bool readPastedText(const QMimeData &source, QTextDocument &doc)
{
    for (const QString &type : {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                QStringLiteral("text/richtext")}) {
        const QByteArray rtf = source.data(type);
        if (rtf.startsWith("{\\rtf")) {
            readRtf(std::string_view(rtf.constData(), size_t(rtf.size())), doc);
            return true;
        }
    }
    if (!source.hasHtml())
        return false;
    doc.setHtml(source.html());
    // Web pages give sizes in pixels; the store keeps points (96 pixels make 72 points).
    QTextCursor c(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            QTextCharFormat f = frag.charFormat();
            if (!f.hasProperty(QTextFormat::FontPixelSize))
                continue;
            const int px = f.intProperty(QTextFormat::FontPixelSize);
            f.clearProperty(QTextFormat::FontPixelSize);
            if (px > 0)
                f.setFontPointSize(px * 72.0 / 96.0);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(f);
        }
    return true;
}

void copyImageResources(const QTextDocument &from, QTextDocument &to)
{
    for (QTextBlock b = to.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl name(f.toImageFormat().name());
            const QVariant res = from.resource(QTextDocument::ImageResource, name);
            if (res.isValid())
                to.addResource(QTextDocument::ImageResource, name, res);
        }
}
} // namespace

void ScaleDocument(QTextDocument &doc, double factor)
{
    if (factor == 1.0 || factor <= 0)
        return;
    struct Change
    {
        int position;
        int length;
        QTextCharFormat format;
    };
    std::vector<Change> changes;
    std::vector<std::pair<int, QTextCharFormat>> blockFormats;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextCharFormat bf = b.charFormat();
        bf.setFontPointSize(effectiveSize(bf, doc) * factor);
        blockFormats.emplace_back(b.position(), bf);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            QTextCharFormat f = frag.charFormat();
            f.setFontPointSize(effectiveSize(f, doc) * factor);
            if (f.isImageFormat()) {
                QTextImageFormat img = f.toImageFormat();
                if (img.width() > 0)
                    img.setWidth(img.width() * factor);
                if (img.height() > 0)
                    img.setHeight(img.height() * factor);
                f = img;
            }
            changes.push_back({frag.position(), frag.length(), f});
        }
    }
    QTextCursor c(&doc);
    c.beginEditBlock();
    for (const auto &[pos, f] : blockFormats) {
        c.setPosition(pos);
        c.setBlockCharFormat(f);
    }
    for (const Change &ch : changes) {
        c.setPosition(ch.position);
        c.setPosition(ch.position + ch.length, QTextCursor::KeepAnchor);
        c.setCharFormat(ch.format);
    }
    c.endEditBlock();
}

TWPRichText::TWPRichText(QWidget *parent) : QTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptRichText(true);
    setTabChangesFocus(false);
    document()->setDocumentMargin(0);
    setAutoFillBackground(true);
}

const std::array<TColor, 16> &TWPRichText::ColorTable()
{
    // The editor's palette is the sixteen standard colours, in their usual order.
    static const std::array<TColor, 16> table = [] {
        std::array<TColor, 16> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t.at(i) = StandardColors().at(i).first;
        return t;
    }();
    return table;
}

int TWPRichText::ColorIndexOf(TColor color)
{
    int found = 0;
    for (int i = 0; i < 16; ++i)
        if (ColorTable().at(size_t(i)) == color)
            found = i;
    return found;
}

void TWPRichText::LoadFromStore(const TWPRtfStorage &store)
{
    auto doc = std::make_unique<QTextDocument>();
    store.loadIntoDocument(*doc);
    ScaleDocument(*doc, zoomPercent_ / 100.0);
    document()->clear();
    QTextCursor c(document());
    c.insertFragment(QTextDocumentFragment(doc.get()));
    // Pictures live in the source document's resources; carry them over.
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QString name = f.toImageFormat().name();
            const QVariant res = doc->resource(QTextDocument::ImageResource, QUrl(name));
            if (res.isValid())
                document()->addResource(QTextDocument::ImageResource, QUrl(name), res);
        }
    document()->setModified(false);
}

void TWPRichText::SaveToStore(TWPRtfStorage &store) const
{
    std::unique_ptr<QTextDocument> copy(document()->clone());
    ScaleDocument(*copy, 100.0 / zoomPercent_);
    store.saveFromDocument(*copy);
}

bool TWPRichText::IsEmptyText() const
{
    return document()->isEmpty() && document()->blockCount() <= 1;
}

void TWPRichText::SetZoomPercent(int percent)
{
    percent = std::max(10, percent);
    if (percent == zoomPercent_)
        return;
    ScaleDocument(*document(), double(percent) / zoomPercent_);
    zoomPercent_ = percent;
    applyPageWidth();
}

void TWPRichText::SetPageSizeTwips(int width, int)
{
    pageWidthTwips_ = width;
    applyPageWidth();
}

void TWPRichText::applyPageWidth()
{
    if (pageWidthTwips_ <= 0) {
        setLineWrapMode(QTextEdit::WidgetWidth);
        return;
    }
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(
        std::max(1, int(std::lround(pageWidthTwips_ / 1440.0 * 96.0 * zoomPercent_ / 100.0))));
}

void TWPRichText::SetBackgroundColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TWPRichText::FocusAtStart()
{
    setFocus(Qt::OtherFocusReason);
    moveCursor(QTextCursor::Start);
}

void TWPRichText::FocusAtEnd()
{
    setFocus(Qt::OtherFocusReason);
    moveCursor(QTextCursor::End);
}

TCharAttributes TWPRichText::CurrentAttributes() const
{
    const QTextCharFormat f = currentCharFormat();
    TCharAttributes a;
    const QFont font = f.font();
    a.fontName = font.family();
    a.size = effectiveSize(f, *document()) * 100.0 / zoomPercent_;
    a.style = uint8_t((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                      (font.strikeOut() ? 8 : 0));
    const QColor c = f.foreground().color();
    a.colorIndex = ColorIndexOf(rgbColor(c.red(), c.green(), c.blue()));
    return a;
}

QTextCharFormat CharFormatOf(const TCharAttributes &a, int zoomPercent)
{
    QTextCharFormat f;
    f.setFontFamilies({a.fontName});
    f.setFontPointSize(a.size * zoomPercent / 100.0);
    f.setFontWeight((a.style & 1) != 0 ? QFont::Bold : QFont::Normal);
    f.setFontItalic((a.style & 2) != 0);
    f.setFontUnderline((a.style & 4) != 0);
    f.setFontStrikeOut((a.style & 8) != 0);
    const TColor c = TWPRichText::ColorTable().at(size_t(std::clamp(a.colorIndex, 0, 15)));
    f.setForeground(QColor(colorRed(c), colorGreen(c), colorBlue(c)));
    return f;
}

void TWPRichText::SetCurrentAttributes(const TCharAttributes &a)
{
    setCurrentCharFormat(CharFormatOf(a, zoomPercent_));
}

QTextCharFormat TWPRichText::CurrentFormat() const
{
    return currentCharFormat();
}

void TWPRichText::NewParagraph()
{
    textCursor().insertBlock();
}

void TWPRichText::InsertTextWithFormat(const QString &text, const QTextCharFormat &format)
{
    QTextCursor c = textCursor();
    c.insertText(text, format);
    setTextCursor(c);
}

void TWPRichText::InsertPicture(const QImage &image)
{
    if (image.isNull())
        return;
    const QString name = QStringLiteral("velmora-picture-%1").arg(++pictureCount_);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    // Text typed after the picture keeps the font it would have had without it.
    const QTextCharFormat before = currentCharFormat();
    QTextCharFormat text;
    text.setFont(before.font(), QTextCharFormat::FontPropertiesSpecifiedOnly);
    if (before.hasProperty(QTextFormat::ForegroundBrush))
        text.setForeground(before.foreground());
    QTextImageFormat f;
    f.merge(text);
    f.setName(name);
    f.setWidth(image.width() * zoomPercent_ / 100.0);
    f.setHeight(image.height() * zoomPercent_ / 100.0);
    textCursor().insertImage(f);
    setCurrentCharFormat(text);
}

void TWPRichText::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    emit focusEntered();
}

bool TWPRichText::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void TWPRichText::insertFromMimeData(const QMimeData *source)
{
    if (source->hasImage()) {
        InsertPicture(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    QTextDocument pasted;
    if (!readPastedText(*source, pasted)) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    // Pasted sizes are sizes on paper; the editor shows its text at its zoom.
    ScaleDocument(pasted, zoomPercent_ / 100.0);
    QTextCursor c = textCursor();
    c.beginEditBlock();
    const bool intoEmptyParagraph = c.block().length() <= 1;
    const int start = c.position();
    c.insertFragment(QTextDocumentFragment(&pasted));
    // A fragment's first paragraph joins the one it is pasted into, which keeps its own
    // alignment; an empty paragraph takes the pasted one's, as the source showed it.
    if (intoEmptyParagraph) {
        QTextCursor first(document());
        first.setPosition(start);
        QTextBlockFormat f = first.blockFormat();
        f.setAlignment(pasted.firstBlock().blockFormat().alignment());
        first.setBlockFormat(f);
    }
    c.endEditBlock();
    copyImageResources(pasted, *document());
    setTextCursor(c);
}

} // namespace velmora
