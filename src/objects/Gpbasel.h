#pragma once
// The text label: one line of text in any font, turned by a quarter, half or three quarter
// turn, on a clear or coloured ground, with an optional border and a 3D look made of a
// shadow copy and a highlight copy of the text drawn behind it.
//
// The label sizes itself to its text when it lays out (before painting): it grows to hold
// the text and never shrinks, except that an upside-down label is narrowed to twice its
// text. Layout works in on-screen pixels at the current zoom and is redone whenever the
// size, zoom, caption, font or an effect changed.
#include "common/Canvas.h"
#include "objects/DesignTypes.h"
#include "objects/GGraphc.h"
#include "objects/LabelLayout.h"

#include <cstdint>
#include <string>

namespace velmora {

enum THighlightDirection : int32_t {
    hdNone = 0,
    hdright = 1,
    hdLeft = 2,
    hdUpRight = 3,
    hdUpLeft = 4,
    hdUp = 5,
};

enum TShadowDirection : int32_t {
    sdNone = 0,
    sdRight = 1,
    sdLeft = 2,
    sdDownRight = 3,
    sdDownLeft = 4,
    sdDown = 5,
};

// How far a copy lies from the text; a depth of 0 puts it right under the text.
TPixelOffset ShadowOffsetOf(TShadowDirection direction, int depth);
TPixelOffset HighlightOffsetOf(THighlightDirection direction, int depth);

struct TTextExtent
{
    int width = 0;
    TTextMetric metric;
};

class TGBaseLabel : public TGGraphicControl
{
public:
    TGBaseLabel();

    std::string className() const override { return "TGBaseLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    int DepthHighlight() const { return depthHighlight_; }
    void SetDepthHighlight(int value);
    int DepthShadow() const { return depthShadow_; }
    void SetDepthShadow(int value);
    THighlightDirection DirectionHighlight() const { return directionHighlight_; }
    void SetDirectionHighlight(THighlightDirection value);
    TShadowDirection DirectionShadow() const { return directionShadow_; }
    void SetDirectionShadow(TShadowDirection value);
    TColor colorHighlight() const { return colorHighlight_; }
    void SetColorHighlight(TColor value);
    TColor colorShadow() const { return colorShadow_; }
    void SetColorShadow(TColor value);
    // 0, 90, 180 or 270 degrees counter-clockwise; any other value is ignored. A turned
    // label is left-aligned and stands upright or lies flat as its text does.
    int Angle() const { return angle_; }
    void SetAngle(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // The font's pitch as documents store it (0 default, 1 variable, 2 fixed); kept only so
    // that a document reads and writes back unchanged.
    int FontPitch() const { return fontPitch_; }

    TPixelOffset ShadowOffset() const { return shadowOffset_; }
    TPixelOffset HighlightOffset() const { return highlightOffset_; }

    // The result of the last layout, in on-screen pixels relative to the label.
    const TLabelLayout &Layout() const { return layout_; }
    bool LayoutDirty() const { return layoutDirty_; }
    void MarkLayoutDirty() { layoutDirty_ = true; }
    // Lays out when anything changed since the last time, resizing the label to its text.
    void UpdateLayout();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void PopupShowing() override;
    void ApplyFont(const TFontDesc &font) override;
    void PrintObject(TReportCanvas &report, double xOffset, double yOffset) override;

    // The font dialog; true when a font was taken.
    virtual bool EditFont();
    // The 3D effects dialog; true when it closed with OK.
    bool Edit3DEffects();
    // A colour dialog for the ground; a chosen colour makes the label opaque.
    void ChooseBackColor();

    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

protected:
    // The label's font on a canvas, at the size it shows at the given zoom.
    void SelectLabelFont(TCanvas &canvas, float zoom) const;
    // A text's width and the font's metrics, in the label's font at the given zoom.
    TTextExtent MeasureText(const QString &text, float zoom) const;
    // Resizes to a size in on-screen pixels at the current zoom.
    void SetScreenSize(int width, int height);

private:
    TLabelLayout measureLayout(float zoom, int width, int height) const;
    void setShadow(TShadowDirection direction, int depth);
    void setHighlight(THighlightDirection direction, int depth);
    void effectChanged();
    void updateCheckMarks();
    void paintCopies(QPainter &painter, const TLabelLayout &l, const QFont &font, int ascent,
                     bool screen) const;
    bool readFontProperty(const std::string &name, TReader &reader);
    void writeFont(TWriter &writer) const;

    TAlignment alignment_ = taLeftJustify;
    int depthHighlight_ = 0;
    int depthShadow_ = 0;
    THighlightDirection directionHighlight_ = hdUpLeft;
    TShadowDirection directionShadow_ = sdDownRight;
    TColor colorHighlight_ = clAqua;
    TColor colorShadow_ = clGray;
    int angle_ = 0;
    bool transparent_ = true;
    TColor backColor_ = clWhite;
    TBorderStyle borderStyle_ = bsNone;
    int fontPitch_ = 0;
    bool propertiesRead_ = false;

    TPixelOffset shadowOffset_;
    TPixelOffset highlightOffset_;
    TLabelLayout layout_;
    bool layoutDirty_ = true;
    // What the last layout measured; a change of any of them lays out again.
    std::string laidOutCaption_;
    TFontDesc laidOutFont_;
};

} // namespace velmora
