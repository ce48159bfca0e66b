#pragma once
// The rich text label ("TGPRichBaseLabel"): a box holding a formatted document, drawn by the
// window's one master rich text control and edited in the rich text editor.
#include "objects/GGraphc.h"
#include "richtext/WPRtfStorage.h"

#include <functional>
#include <memory>
#include <stdexcept>

namespace velmora {

class TWPMasterRichText;

// The label found no master to draw it: it cannot be completed and is left out.
class ENoMasterWPRich : public std::runtime_error
{
public:
    ENoMasterWPRich() : std::runtime_error("No master rich text object found") {}
};

class TGPRichBaseLabel : public TGGraphicControl
{
public:
    static constexpr const char *kClassName = "TGPRichBaseLabel";
    enum TBorder { bsNone = 0, bsSingle = 1 };

    TGPRichBaseLabel();
    ~TGPRichBaseLabel() override;

    std::string className() const override { return kClassName; }

    // The document. Setting it copies the given one, repaints and tells the page.
    const TWPRtfStorage &RTFText() const { return store_; }
    void SetRTFText(const TWPRtfStorage &store);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TColor BGColor() const { return bgColor_; }
    void SetBGColor(TColor color);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);

    // The master this label draws through; nullptr before Loaded.
    const std::shared_ptr<TWPMasterRichText> &Master() const { return master_; }

    // Finds the master and builds the popup menu; throws ENoMasterWPRich without a master.
    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void PopupShowing() override;
    void PrintObject(TReportCanvas &report, double xOffset, double yOffset) override;
    // The rich text tool's label: opaque, with a border; the editor opens once it is placed.
    void PrepareForDrawing(const TObjectHost &host) override;
    void DrawingFinished() override { Edit(); }

    // Draws the label at its on-screen size with its top-left corner at the painter's origin.
    void DrawOn(TCanvas &canvas);
    // Opens the rich text editor; true when the user confirmed it.
    bool Edit();
    // The "Background Color" entry.
    void ChooseBGColor();
    // The whole percent the master draws at: the zoom factor truncated, but not below what
    // the factor means (0.7 is stored as 0.69999999 and still is 70 percent).
    static int ZoomPercentOf(float factor);

    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

private:
    void updateCheckMarks();

    TWPRtfStorage store_;
    std::shared_ptr<TWPMasterRichText> master_;
    bool transparent_ = true;
    TColor bgColor_ = clWhite;
    int borderStyle_ = bsSingle;
};

// How Edit opens the editor. The window layer installs the real editor; without one, Edit
// does nothing. Returns true when the label took the edited document.
using TRichTextEditorRunner = std::function<bool(TGPRichBaseLabel &)>;
TRichTextEditorRunner &RichTextEditorRunner();

// Lets documents, the object clipboard and the rich text tool create rich text labels.
void RegisterRichTextLabel();

} // namespace velmora
