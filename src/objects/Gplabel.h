#pragma once
// The text label as the text tool places it and documents store it ("TGPLabel"): the base
// label plus its text dialog, the rotation menu and growing to fit its text.
#include "objects/Gpbasel.h"

namespace velmora {

class TGPLabel : public TGBaseLabel
{
public:
    static constexpr const char *kClassName = "TGPLabel";

    std::string className() const override { return kClassName; }

    void Loaded() override;
    bool EditFont() override;
    // The text dialog; on OK the label takes the text and grows to show it.
    virtual void EditText();
    // Run once the text tool has placed the label.
    virtual void EditAfterCreate() { EditText(); }
    // Widens and heightens an upright label until its whole text shows; never shrinks it.
    void GrowToFit();

    // The text tool's label: the page's font at 20 points, opaque, with a border.
    void PrepareForDrawing(const TObjectHost &panel) override;
    void DrawingFinished() override { EditAfterCreate(); }
};

// Lets documents, the object clipboard and the text tool create text labels. The page calls
// it once when it is created.
void RegisterTextLabel();

} // namespace velmora
