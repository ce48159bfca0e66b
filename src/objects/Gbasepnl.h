#pragma once
// The panel that hosts design objects and owns the zoom factor, the tool state and the
// snap grid. The calendar page derives from it.
#include "objects/PanelState.h"

#include <QWidget>

#include <functional>

namespace velmora {

enum TGridSize : int32_t { gs2x2 = 0, gs4x4 = 1, gs8x8 = 2, gs16x16 = 3 };

class TGBasePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TGBasePanel(QWidget *parent = nullptr);

    float Zoom() const { return zoom_; }
    // Tenths 0.2 .. 1.0; other values are brought into that range.
    virtual void SetZoom(float factor);

    TLPanelState PanelState() const { return panelState_; }
    void SetPanelState(TLPanelState state);
    bool Pointing() const { return pointing_; }

    bool Printing() const { return printing_; }
    void SetPrinting(bool on) { printing_ = on; }
    bool DrawOutline() const { return drawOutline_; }
    void SetDrawOutline(bool on) { drawOutline_ = on; }
    TGridSize GridSize() const { return gridSize_; }
    void SetGridSize(TGridSize g) { gridSize_ = g; }
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool on) { showGrid_ = on; }
    bool SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool on) { snapToGrid_ = on; }

protected:
    virtual void zoomChanged() {}

private:
    float zoom_ = 1.0F;
    TLPanelState panelState_ = psPointing;
    bool pointing_ = true;
    bool printing_ = false;
    bool drawOutline_ = false;
    TGridSize gridSize_ = gs4x4;
    bool showGrid_ = false;
    bool snapToGrid_ = false;
    bool toolCursor_ = false;
};

} // namespace velmora
