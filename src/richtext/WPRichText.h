#pragma once
// The rich text editor laid over a day cell (and used by rich text labels): shows a store's
// text at the page zoom, takes formatted typing, pictures and programmatic paragraphs, and
// gives the text back to a store at factor 1.
#include "common/Color.h"

#include <QTextEdit>

#include <array>

class QImage;

namespace velmora {

class TWPRtfStorage;

struct TCharAttributes
{
    QString fontName;
    double size = 10; // points
    uint8_t style = 0; // bold 1, italic 2, underline 4, strikeout 8
    int colorIndex = 0; // into ColorTable()
};

class TWPRichText : public QTextEdit
{
    Q_OBJECT
public:
    explicit TWPRichText(QWidget *parent = nullptr);

    // The 16 colours the colour index of the character attributes refers to.
    static const std::array<TColor, 16> &ColorTable();
    // Last table entry equal to the colour, 0 when none is.
    static int ColorIndexOf(TColor color);

    void LoadFromStore(const TWPRtfStorage &store);
    void SaveToStore(TWPRtfStorage &store) const;
    bool IsEmptyText() const;

    int ZoomPercent() const { return zoomPercent_; }
    void SetZoomPercent(int percent);
    // The text page in twips; margins are always zero.
    void SetPageSizeTwips(int width, int height);
    void SetBackgroundColor(const QColor &color);

    void FocusAtStart();
    void FocusAtEnd();
    TCharAttributes CurrentAttributes() const;
    void SetCurrentAttributes(const TCharAttributes &attributes);
    QTextCharFormat CurrentFormat() const;
    void NewParagraph();
    void InsertTextWithFormat(const QString &text, const QTextCharFormat &format);
    void InsertPicture(const QImage &image);

signals:
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void applyPageWidth();
    int zoomPercent_ = 100;
    int pageWidthTwips_ = 0;
    int pictureCount_ = 0;
};

// Multiplies every font size and picture size of a document by factor.
void ScaleDocument(QTextDocument &doc, double factor);
// The character format of the attributes at the zoom.
QTextCharFormat CharFormatOf(const TCharAttributes &attributes, int zoomPercent = 100);

} // namespace velmora
