#pragma once
// The selection frame: the list of selected objects, the handles drawn around them, and the
// state machine that moves and resizes them with the mouse and the arrow keys. It is part of
// the page's own overlay, not a window: the page routes presses inside the frame, moves and
// releases of a running gesture, and keys to it, and paints it after the objects.
#include "common/Color.h"
#include "common/Rect.h"
#include "objects/DesignTypes.h"
#include "objects/HandleGeometry.h"

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace velmora {

class TCanvas;
class TGBasePanel;
class TGGraphicControl;

class TGHandle
{
public:
    explicit TGHandle(TGBasePanel &page);

    // Handle colours for one and for several selected objects.
    TColor Color = clBlack;
    TColor SecondaryColor = 0x808080;

    // Frame-level lock: no dragging. Only an empty selection resets it.
    bool Locked() const { return locked_; }
    void SetLocked(bool on) { locked_ = on; }

    // Snapping steps in effect (1 = none) and the grid step they take when snapping is on.
    int GridX() const { return gridX_; }
    int GridY() const { return gridY_; }
    void SetStoredGrid(int step);
    void SetSnapping(bool on);
    bool SnapToGrid() const { return gridX_ > 1 || gridY_ > 1; }

    // The selection, in the order objects were added.
    void Select(TGGraphicControl *object);
    void Unselect(TGGraphicControl *object);
    void ClearSelection();
    int SelectedCount() const { return static_cast<int>(selected_.size()); }
    // nullptr for an index outside the list.
    TGGraphicControl *SelectedObject(int index) const;
    bool IsSelected(const TGGraphicControl *object) const;
    const std::vector<TGGraphicControl *> &Selection() const { return selected_; }
    // The first selected object whose bounds, two pixels larger on every side, contain the
    // page point.
    TGGraphicControl *ObjectAt(int x, int y) const;

    bool Visible() const { return visible_; }
    const TRect &BoundsRect() const { return frame_; }
    bool Contains(int x, int y) const { return visible_ && frame_.contains(x, y); }
    // Gives the frame new bounds and every selected, unlocked object the same change.
    void SetBoundsRect(const TRect &frame);
    // Fits the frame around the selection after objects changed their bounds.
    void Realign();

    // Mouse and keyboard, points in page pixels.
    void Pressed(const TMouseInfo &m);
    void Moved(const TMouseInfo &m);
    void Released(const TMouseInfo &m);
    void DoubleClicked(const TMouseInfo &m);
    // Arrow keys; false for any other key.
    bool KeyDown(int key, bool shift);
    bool KeyUp(int key);

    // True after a selection until the pointer moves with the left button up: moves go to
    // the frame even outside it, as a captured mouse would.
    bool Captured() const { return captured_; }
    bool Dragging() const { return dragging_; }
    THandleZone Zone() const { return zone_; }
    bool KeyEditing() const { return keyEditing_; }
    const TRect &KeyRect() const { return keyRect_; }

    // Handles of every selected object and the outline of a drag or key move.
    void Paint(TCanvas &canvas) const;
    void DrawHandlesOf(TCanvas &canvas, const TGGraphicControl &object) const;

private:
    int64_t now() const;
    TRect unionOfSelection(int extent) const;
    void placeFrame(const TRect &frame);
    void hide();
    QPoint clampToPage(int x, int y) const;
    void setFeedback(std::optional<TRect> outline);
    void updateZoneAndCursor(int x, int y);
    void finishDrag(const TMouseInfo &m);
    void applyKeyRect();

    TGBasePanel &page_;
    std::vector<TGGraphicControl *> selected_;
    TRect frame_{0, 0, kHiddenFrameSize, kHiddenFrameSize};
    bool visible_ = false;
    bool locked_ = false;
    int gridX_ = 1;
    int gridY_ = 1;
    int storedGrid_ = 8;
    std::optional<int64_t> pressTime_;
    bool dragging_ = false;
    QPoint dragStart_;
    THandleZone zone_ = hzBody;
    std::optional<TRect> feedback_;
    TRect keyRect_;
    TRect keyStart_;
    bool keyEditing_ = false;
    bool afterDoubleClick_ = false;
    bool captured_ = false;
};

} // namespace velmora
