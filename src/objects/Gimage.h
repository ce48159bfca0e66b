#pragma once
// The picture object ("TGImage"): a bitmap or a metafile anywhere on the page, with an
// optional black frame, stretched over its rectangle or sized to the picture itself.
#include "imaging/Picture.h"
#include "objects/DesignTypes.h"
#include "objects/GGraphc.h"

#include <QImage>

namespace velmora {

class TGImage : public TGGraphicControl
{
public:
    static constexpr const char *kClassName = "TGImage";
    // A picture object made without a drawing tool has this size.
    static constexpr int kDefaultSize = 105;

    TGImage();
    std::string className() const override { return kClassName; }

    bool AutoSize() const { return autoSize_; }
    bool Stretch() const { return stretch_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    const TPicture &Picture() const { return picture_; }
    // AutoSize and Stretch are kept opposite: setting one sets the other to the negation.
    // While a document is read both are only stored, so what was written comes back.
    void SetAutoSize(bool on);
    void SetStretch(bool on);
    void SetBorderStyle(TBorderStyle style);
    void SetPicture(const TPicture &picture);
    // Sets both at once; only the browser step may leave both off.
    void SetSizing(bool stretch, bool autoSize);

    // The picture chosen in the browser, with its boxes (both may be off).
    void TakeChosenPicture(const TPicture &picture, bool stretch, bool autoSize);

    // Popup commands. The browser runs through the page hosting the object.
    void LoadImageFromDisk();
    void ToggleBorder();
    void ToggleStretch();
    void ToggleAutoSize();

    void Loaded() override;
    void PopupShowing() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void PrintObject(TReportCanvas &report, double xOffset, double yOffset) override;
    void DrawingFinished() override { LoadImageFromDisk(); }

    // True when the picture fills the whole object, so the page beneath need not be drawn.
    bool Opaque() const;

    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

private:
    void pictureChanged();
    void fitToPicture();
    // The picture as the screen shows it: drawn once per size, not at every repaint.
    const QImage &screenImage(QSize size) const;

    bool autoSize_ = false;
    bool stretch_ = true;
    TBorderStyle borderStyle_ = bsNone;
    TPicture picture_;
    mutable QImage cache_;
};

// Lets documents, the object clipboard and the Clip Art tool create picture objects.
void RegisterImageObject();

} // namespace velmora
