#pragma once
// The one drawing surface every painter uses. It keeps the classic Windows drawing rules
// over QPainter, so the same painter gives the same pixels on the screen, in a QImage, on
// a printer and in a PDF:
//  - filled and framed rectangles exclude their right and bottom edge;
//  - a line excludes its end point;
//  - fonts are chosen by points (at the canvas's resolution) or by pixel height, a negative
//    height being the em size;
//  - text is placed by alignment flags inside a rectangle and clipped to it;
//  - colours are TColor values, system colours resolved from the application palette.
#include "common/Color.h"
#include "common/Rect.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <optional>
#include <string>

class QPainter;
class QImage;
class QStaticText;

namespace velmora {

// Text placement flags, values as the classic DrawText knows them.
enum TTextFlag : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_NOPREFIX = 0x800,
};

struct TTextMetric
{
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
};

enum class TPenStyle { Solid, Clear, Dot };

class TCanvas
{
public:
    // dpi: the surface's pixels per inch, used to turn point sizes into pixels.
    TCanvas(QPainter &painter, int dpi);
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;
    ~TCanvas();

    int dpi() const { return dpi_; }
    QPainter &painter() { return painter_; }

    void setPen(TColor color, int width = 1, TPenStyle style = TPenStyle::Solid);
    void setBrushSolid(TColor color);
    void setBrushClear();
    bool brushClear() const { return !brush_.has_value(); }

    // Font by point size at this canvas's dpi, as a size in points would select it.
    void selectFont(const std::string &name, int points, uint8_t style, TColor color);
    // Font by pixel height: negative = em size, positive = cell height.
    void selectFontHeight(const std::string &name, int height, uint8_t style, TColor color);
    const QFont &font() const { return font_; }
    TColor fontColor() const { return fontColor_; }

    // Fills (left, top)..(right - 1, bottom - 1) with the brush.
    void fillRect(const TRect &r);
    // Outline with the pen, inside with the brush, both excluding right and bottom edge.
    void rectangle(const TRect &r);
    // One-pixel outline in the brush colour.
    void frameRect(const TRect &r);
    void moveTo(int x, int y);
    // Draws from the current position to (x, y) without the end point.
    void lineTo(int x, int y);

    // Draws text inside r by the flags (transparent background); clipped to r unless
    // DT_NOCLIP. Returns the height of the text drawn.
    int drawText(const TRect &r, const QString &text, unsigned flags);
    // Draws text with its top-left corner at (x, y), transparent, unclipped.
    void textOut(int x, int y, const QString &text);
    int textHeight(const QString &text) const;
    int textWidth(const QString &text) const;
    TTextMetric textMetric() const;

    void setClipRect(const TRect &r);
    void clearClip();

    // Copies an image opaquely into r, scaling it to r's size.
    void drawImage(const TRect &r, const QImage &image);

    static QFont makeFont(const std::string &name, int pixelSize, uint8_t style);

    // One font's shaped texts and metrics, shared by the canvases of a thread.
    struct FontTexts;
    // A shaped string with the rows its glyphs cover, from the top of its line.
    struct ShapedText;

private:
    void fontChanged();
    void selectFontPixels(const std::string &name, int pixelSize, uint8_t style);
    FontTexts &fontTexts() const;
    const ShapedText &staticText(const QString &text) const;
    void preparePainterForText();
    void hLine(int x1, int x2, int y); // pixels x1..x2-1
    void vLine(int x, int y1, int y2); // pixels y1..y2-1
    void thinLine(int x1, int y1, int x2, int y2); // start point up to, not including, the end

    QPainter &painter_;
    int dpi_;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::Solid;
    std::optional<TColor> brush_ = clWhite;
    QFont font_;
    QString fontKey_;
    // The shaped texts of the current font, found once per font change.
    mutable FontTexts *fontTexts_ = nullptr;
    mutable unsigned fontTextsGeneration_ = 0;
    // Measured on first use: a font chosen and replaced before any text is drawn in it
    // (the canvas's starting font, mostly) never loads.
    mutable TTextMetric metric_;
    mutable bool metricPending_ = false;
    const TTextMetric &metric() const;
    bool textStateValid_ = false;
    TColor fontColor_ = clBlack;
    int penX_ = 0;
    int penY_ = 0;
};

} // namespace velmora
