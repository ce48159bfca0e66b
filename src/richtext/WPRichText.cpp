#include "richtext/WPRichText.h"

#include "common/ColorSwatch.h"
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

void TWPRichText::SetCurrentAttributes(const TCharAttributes &a)
{
    QTextCharFormat f;
    f.setFontFamilies({a.fontName});
    f.setFontPointSize(a.size * zoomPercent_ / 100.0);
    f.setFontWeight((a.style & 1) != 0 ? QFont::Bold : QFont::Normal);
    f.setFontItalic((a.style & 2) != 0);
    f.setFontUnderline((a.style & 4) != 0);
    f.setFontStrikeOut((a.style & 8) != 0);
    const TColor c = ColorTable().at(size_t(std::clamp(a.colorIndex, 0, 15)));
    f.setForeground(QColor(colorRed(c), colorGreen(c), colorBlue(c)));
    setCurrentCharFormat(f);
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
    QTextEdit::insertFromMimeData(source);
}

} // namespace velmora
