#pragma once
// SuperText: one line of large text whose letters are a clipping shape, filled with a solid
// colour, a two-colour gradient or a tiled texture, outlined with a pen, with a drop shadow,
// on a clear or coloured box with an optional border.
//
// The letters are always text paths, on screen and on paper: the face is whatever the path
// lets through, so a PDF keeps sharp letters at any zoom.
#include "common/Color.h"
#include "objects/DesignTypes.h"
#include "objects/GGraphc.h"
#include "objects/Gpbasel.h"
#include "imaging/Picture.h"

#include <QImage>
#include <QPainterPath>

#include <functional>
#include <optional>
#include <string>

class QPainter;

namespace velmora {

enum TFillDirection : int32_t { gdUp = 0, gdDown = 1, gdLeft = 2, gdRight = 3 };
enum TSurfaceType : int32_t {
    stNormal = 0,
    stBrushTransparent = 1,
    stBrushImage = 2,
    stGradientFill = 3,
};
// Pen styles as documents number them.
enum TOutlineStyle : int32_t {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psClear = 5,
    psInsideFrame = 6,
};

// The colour of gradient band i (0..255) running from `from` to `to`.
QColor GradientBandColor(QColor from, QColor to, int band);
// Paints the 256 bands over a width × height area starting at the origin.
void PaintGradientBands(QPainter &painter, int width, int height, TFillDirection direction,
                        QColor from, QColor to);

struct TSuperTextLayout
{
    int mx = 0;
    int my = 0;
    int sdx = 0; // shadow offset at the current zoom
    int sdy = 0;
    TRect main;
    TRect shadow;
    TPixelPoint mainOrigin;
    TPixelPoint shadowOrigin;
};

class TGSuperText : public TGGraphicControl
{
public:
    static constexpr const char *kClassName = "TGSuperText";

    TGSuperText();
    std::string className() const override { return kClassName; }

    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int value);
    TShadowDirection ShadowOrientation() const { return shadowOrientation_; }
    void SetShadowOrientation(TShadowDirection value);
    TColor Shadowcolor() const { return shadowColor_; }
    void SetShadowcolor(TColor value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool ControlTransparent() const { return controlTransparent_; }
    void SetControlTransparent(bool value);
    TColor BGColor() const { return bgColor_; }
    void SetBGColor(TColor value);
    TFillDirection FillDirection() const { return fillDirection_; }
    void SetFillDirection(TFillDirection value);
    TColor GradientToColor() const { return gradientTo_; }
    void SetGradientToColor(TColor value);
    TColor GradientFromColor() const { return gradientFrom_; }
    void SetGradientFromColor(TColor value);
    // The texture; an empty image empties it. A drawing becomes the bitmap it draws.
    const QImage &Image() const { return texture_.image(); }
    const TPicture &Texture() const { return texture_; }
    void SetImage(const QImage &image);
    void SetTexture(const TPicture &picture);
    // The caption as the user changes it: the layout follows and the document is told.
    void SetCaptionText(const std::string &text);
    TColor OutlineColor() const { return outlineColor_; }
    void SetOutlineColor(TColor value);
    TOutlineStyle OutlineStyle() const { return outlineStyle_; }
    void SetOutlineStyle(TOutlineStyle value);
    int OutlineWidth() const { return outlineWidth_; }
    void SetOutlineWidth(int value);
    TSurfaceType SurfaceType() const { return surfaceType_; }
    void SetSurfaceType(TSurfaceType value);
    const std::string &LastBitmapFileNameandPath() const { return lastBitmapPath_; }
    void SetLastBitmapFileNameandPath(const std::string &path) { lastBitmapPath_ = path; }

    TPixelOffset ShadowOffset() const { return shadowOffset_; }
    // The gradient as large as the object at factor 1; rebuilt when colours, direction or
    // size change under a gradient fill.
    const QImage &GradientBitmap() const { return gradient_; }
    void RebuildGradient();
    const TSuperTextLayout &Layout() const { return layout_; }
    void MarkLayoutDirty() { layoutDirty_ = true; }
    // Lays out when dirty; may grow the object to hold its text.
    void UpdateLayout();

    // Sizes the object around its caption; true when the text then fits.
    bool FitToText();
    // Takes every look and the size of another SuperText.
    void CopyFrom(const TGSuperText &other);
    // The properties dialog; true when it closed with OK.
    bool EditProperties();
    bool EditFont();
    void ChooseBGColor();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void PopupShowing() override;
    void ApplyFont(const TFontDesc &font) override;
    void PrintObject(TReportCanvas &report, double xOffset, double yOffset) override;
    void PrepareForDrawing(const TObjectHost &host) override;
    void DrawingFinished() override { EditProperties(); }

    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

    // Draws the object into a painter whose origin is the object's top-left corner, at the
    // given zoom; shared by the page, the dialogs' previews and the tests.
    void PaintContent(QPainter &painter);

private:
    void setShadow(TShadowDirection direction, int depth);
    void repaint() const { Invalidate(); }
    void updateCheckMarks();
    QFont zoomedFont(float zoom) const;
    // The caption shortened from its end until it fits in `room` pixels.
    QString fittingText(const QFont &font, int room) const;
    TSuperTextLayout measure(float zoom, int &width, int &height) const;
    void setScreenSize(int width, int height);
    std::optional<TFontDesc> chooseFont(const TFontDesc &start) const;
    std::optional<TColor> chooseColor(TColor start) const;
    void paintFace(QPainter &p, const QPainterPath &path, int width, int height, float zoom);

    int shadowDepth_ = 0;
    TShadowDirection shadowOrientation_ = sdDownRight;
    TColor shadowColor_ = clGray;
    TBorderStyle borderStyle_ = bsNone;
    bool controlTransparent_ = true;
    TColor bgColor_ = clWhite;
    TFillDirection fillDirection_ = gdRight;
    TColor gradientTo_ = clYellow;
    TColor gradientFrom_ = clBlue;
    TPicture texture_; // kept as its BMP file, so documents read and write it unchanged
    TColor outlineColor_ = clBlack;
    TOutlineStyle outlineStyle_ = psSolid;
    int outlineWidth_ = 1;
    TSurfaceType surfaceType_ = stGradientFill;
    std::string lastBitmapPath_;
    int fontPitch_ = 0;
    bool propertiesRead_ = false;

    TPixelOffset shadowOffset_;
    QImage gradient_;
    TSuperTextLayout layout_;
    bool layoutDirty_ = true;
    bool layingOut_ = false;
    bool painting_ = false;
    std::string laidOutCaption_;
    TFontDesc laidOutFont_;
};

// Opens the properties dialog for an object; set by the dialog's module when the classes are
// registered, replaced by tests.
std::function<bool(TGSuperText &)> &SuperTextPropertiesRunner();

// Makes the properties dialog the runner; the page's view calls it, so pages without a
// window (the exporter) need no dialogs.
void RegisterSuperTextDialogs();

// Lets documents, the object clipboard and the SuperText tool create SuperText objects.
void RegisterSuperText();

} // namespace velmora
