#pragma once
// What a design object may ask of the page it sits on. The objects themselves draw, print
// and stream without any window; the page's view implements this to give them selection,
// repainting, the clipboard and the dialogs they open. Objects without a host (a page
// rendered by the exporter) simply skip those requests.
#include "common/Color.h"
#include "common/Font.h"
#include "common/Rect.h"
#include "objects/DesignTypes.h"

#include <optional>
#include <string>

namespace velmora {

class TCanvas;
class TGGraphicControl;
class TGBaseLabel;

class TObjectHost
{
public:
    virtual ~TObjectHost() = default;

    // Selection and repainting.
    virtual void ObjectBoundsChanged(TGGraphicControl &object) = 0;
    virtual void UnselectObject(TGGraphicControl &object) = 0;
    virtual void ClearSelection() = 0;
    virtual void DrawHandlesOf(TCanvas &canvas, const TGGraphicControl &object) = 0;
    virtual void InvalidateRect(const TRect &rect) = 0;
    // Any object changed; the host decides whether the document counts as modified.
    virtual void FireLabelChanged() = 0;
    virtual bool Printing() const = 0;

    // Drawing order, the clipboard and copies.
    virtual void BringObjectToFront(TGGraphicControl *object) = 0;
    virtual void SendObjectToBack(TGGraphicControl *object) = 0;
    virtual void ClipboardAction(TClipboardKind kind, TGGraphicControl *object) = 0;
    virtual TGGraphicControl *CloneObject(TGGraphicControl &source) = 0;

    // The page's size at factor 1 and the font new text objects start from.
    virtual int UnzoomedWidth() const = 0;
    virtual int UnzoomedHeight() const = 0;
    virtual const TFontDesc &PanelFont() const = 0;

    // The dialogs objects open, over the host's window. Each returns nothing (or false)
    // when the user cancelled.
    virtual std::optional<TFontDesc> ChooseObjectFont(const TFontDesc &start) = 0;
    virtual std::optional<TColor> ChooseObjectColor(TColor start) = 0;
    virtual std::optional<std::string> EditLabelText(const std::string &text) = 0;
    virtual bool EditLabelEffects(TGBaseLabel &label) = 0;
};

} // namespace velmora
