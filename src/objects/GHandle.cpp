#include "objects/GHandle.h"

#include "common/Canvas.h"
#include "objects/GGraphc.h"
#include "objects/Gbasepnl.h"
#include "objects/Overlay.h"

#include <algorithm>

namespace velmora {
namespace {

// A press shorter than this is a click: it never moves anything.
constexpr int64_t kClickMs = 150;
// After a selection, the button must be held this long before moving drags.
constexpr int64_t kArmMs = 10;
// Arrow keys never make an object smaller than this.
constexpr int kMinKeySize = 10;

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

} // namespace

TGHandle::TGHandle(TGBasePanel &page) : page_(page) {}

int64_t TGHandle::now() const
{
    return page_.Ticks();
}

void TGHandle::SetStoredGrid(int step)
{
    storedGrid_ = std::clamp(step, 1, 32);
    if (SnapToGrid()) gridX_ = gridY_ = storedGrid_;
}

void TGHandle::SetSnapping(bool on)
{
    gridX_ = gridY_ = on ? storedGrid_ : 1;
}

TRect TGHandle::unionOfSelection(int extent) const
{
    std::vector<TRect> rects;
    rects.reserve(selected_.size());
    for (const TGGraphicControl *o : selected_)
        rects.push_back(o->ScreenRect());
    return FrameAround(rects, extent);
}

void TGHandle::placeFrame(const TRect &frame)
{
    page_.InvalidateRect(frame_);
    frame_ = frame;
    page_.InvalidateRect(frame_);
}

void TGHandle::Select(TGGraphicControl *object)
{
    if (object != nullptr && object->Unselectable()) return;
    pressTime_ = now();
    if (object == nullptr || IsSelected(object)) return;
    page_.SetScreenCursor(TScreenCursor::HandGrab);
    if (selected_.empty()) setFeedback(std::nullopt);
    selected_.push_back(object);
    visible_ = true;
    placeFrame(unionOfSelection(kFrameExtent));
    zone_ = hzBody;
    captured_ = true;
    page_.setFocus();
}

void TGHandle::Unselect(TGGraphicControl *object)
{
    const auto it = std::ranges::find(selected_, object);
    if (it == selected_.end()) return;
    selected_.erase(it);
    if (!selected_.empty())
        placeFrame(unionOfSelection(kFrameExtent));
    else
        hide();
}

void TGHandle::ClearSelection()
{
    selected_.clear();
    hide();
}

void TGHandle::hide()
{
    locked_ = false;
    setFeedback(std::nullopt);
    if (keyEditing_) page_.InvalidateOutline(keyRect_);
    keyEditing_ = false;
    // A gesture on a frame that is gone has nothing left to move.
    dragging_ = false;
    captured_ = false;
    page_.InvalidateRect(frame_);
    visible_ = false;
    frame_ = {frame_.left, frame_.top, frame_.left + kHiddenFrameSize,
              frame_.top + kHiddenFrameSize};
}

TGGraphicControl *TGHandle::SelectedObject(int index) const
{
    if (index < 0 || index >= SelectedCount()) return nullptr;
    return selected_[size_t(index)];
}

bool TGHandle::IsSelected(const TGGraphicControl *object) const
{
    return std::ranges::find(selected_, object) != selected_.end();
}

TGGraphicControl *TGHandle::ObjectAt(int x, int y) const
{
    for (TGGraphicControl *o : selected_) {
        const TRect r = o->ScreenRect();
        if (TRect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}.contains(x, y)) return o;
    }
    return nullptr;
}

void TGHandle::SetBoundsRect(const TRect &frame)
{
    const int dl = frame.left - frame_.left;
    const int dt = frame.top - frame_.top;
    const int dw = frame.width() - frame_.width();
    const int dh = frame.height() - frame_.height();
    placeFrame(frame);
    // Copied: a change of bounds may make an object's owner alter the selection.
    const std::vector<TGGraphicControl *> objects = selected_;
    for (TGGraphicControl *o : objects)
        if (!o->Locked() && page_.Contains(o)) o->ChangeScreenBounds(dl, dt, dw, dh);
    // Locked objects stay behind, so the frame follows what really moved.
    Realign();
}

void TGHandle::Realign()
{
    if (selected_.empty()) return;
    placeFrame(unionOfSelection(kRealignedFrameExtent));
}

QPoint TGHandle::clampToPage(int x, int y) const
{
    const int px = std::clamp(frame_.left + x, 0, std::max(0, page_.width()));
    const int py = std::clamp(frame_.top + y, 0, std::max(0, page_.height()));
    return {px - frame_.left, py - frame_.top};
}

void TGHandle::setFeedback(std::optional<TRect> outline)
{
    if (feedback_) page_.InvalidateOutline(*feedback_);
    feedback_ = outline;
    if (feedback_) page_.InvalidateOutline(*feedback_);
}

void TGHandle::Pressed(const TMouseInfo &m)
{
    if (m.button == Qt::LeftButton && page_.Pointing()) {
        pressTime_ = now();
        const bool drag = !locked_;
        // Shift+click may take objects out and so move the frame: the drag starts from the
        // frame that is left.
        page_.FramePressed(m);
        if (drag && visible_) {
            dragStart_ = {m.x - frame_.left, m.y - frame_.top};
            dragging_ = true;
        }
        return;
    }
    if (m.button == Qt::RightButton) {
        TGGraphicControl *object = ObjectAt(m.x, m.y);
        if (object != nullptr && SelectedCount() == 1)
            page_.ShowObjectMenu(*object, m.global);
        else
            page_.ShowPageMenu(m.global);
        return;
    }
    page_.SetScreenCursor(TScreenCursor::Default);
    page_.PagePressed(m);
}

void TGHandle::updateZoneAndCursor(int x, int y)
{
    if (!dragging_) page_.SetScreenCursor(TScreenCursor::HandGrab);
    THandleZone found = hzBody;
    if (SelectedCount() == 1) {
        found = HitZone(x, y, frame_.width(), frame_.height());
        if (found != hzBody) page_.SetScreenCursor(ZoneCursor(found));
    }
    if (locked_) page_.SetScreenCursor(TScreenCursor::NoDrop);
    if (!dragging_) zone_ = found;
}

void TGHandle::Moved(const TMouseInfo &m)
{
    const int x = m.x - frame_.left;
    const int y = m.y - frame_.top;
    if (afterDoubleClick_) {
        afterDoubleClick_ = false;
        dragging_ = false;
        setFeedback(std::nullopt);
    }
    if (!page_.Pointing()) {
        page_.SetScreenCursor(TScreenCursor::Drag);
        return;
    }
    if (!m.leftDown() || dragging_ || locked_) {
        if (!m.leftDown()) captured_ = false;
        updateZoneAndCursor(x, y);
        if (dragging_) {
            const QPoint p = clampToPage(x, y);
            const TRect frame = DragFrame(frame_, zone_, p.x() - dragStart_.x(),
                                          p.y() - dragStart_.y(), gridX_, gridY_);
            setFeedback(FeedbackOutline(frame));
        }
        return;
    }
    if (pressTime_ && now() - *pressTime_ > kArmMs) {
        dragStart_ = {x, y};
        dragging_ = true;
    }
}

void TGHandle::Released(const TMouseInfo &m)
{
    // Another button let go during a drag leaves the drag running.
    if (dragging_ && m.button != Qt::LeftButton) return;
    const QPoint p = clampToPage(m.x - frame_.left, m.y - frame_.top);
    if (dragging_ && pressTime_ && now() - *pressTime_ < kClickMs) dragStart_ = p;
    pressTime_.reset();
    if (!dragging_ || m.button != Qt::LeftButton) {
        page_.PageReleased(m);
        page_.InvalidateRect(frame_);
        return;
    }
    finishDrag(m);
}

void TGHandle::finishDrag(const TMouseInfo &m)
{
    const QPoint p = clampToPage(m.x - frame_.left, m.y - frame_.top);
    setFeedback(std::nullopt);
    dragging_ = false;
    captured_ = false;
    if (p != dragStart_) {
        // However long the drag, its one change is one step.
        const TGBasePanel::TChangeStep step(
            page_, zone_ == hzBody ? QStringLiteral("Move") : QStringLiteral("Resize"));
        SetBoundsRect(DragFrame(frame_, zone_, p.x() - dragStart_.x(), p.y() - dragStart_.y(),
                                gridX_, gridY_));
    }
    if (visible_) page_.setFocus();
    page_.SetScreenCursor(TScreenCursor::Default);
    page_.PageReleased(m);
    page_.InvalidateRect(frame_);
}

void TGHandle::DoubleClicked(const TMouseInfo &m)
{
    afterDoubleClick_ = true;
    page_.DoubleClicked(m);
}

bool TGHandle::KeyDown(int key, bool shift)
{
    if (!isArrow(key) || selected_.empty()) return false;
    if (keyEditing_) {
        page_.InvalidateOutline(keyRect_);
    } else {
        keyEditing_ = true;
        // The area the objects cover; the frame reaches two pixels beyond it on every side.
        const TRect frame = unionOfSelection(0);
        keyStart_ = keyRect_ = {frame.left + 2, frame.top + 2, frame.right + 2, frame.bottom + 2};
    }
    TRect &r = keyRect_;
    const int pageW = page_.width();
    const int pageH = page_.height();
    if (shift && SelectedCount() == 1) {
        if (key == Qt::Key_Left && r.width() > kMinKeySize)
            --r.right;
        else if (key == Qt::Key_Up && r.height() > kMinKeySize)
            --r.bottom;
        else if (key == Qt::Key_Right && r.right < pageW)
            ++r.right;
        else if (key == Qt::Key_Down && r.bottom < pageH)
            ++r.bottom;
    } else {
        const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
        const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
        if ((dx < 0 && r.left > 0) || (dx > 0 && r.right < pageW) || (dy < 0 && r.top > 0) ||
            (dy > 0 && r.bottom < pageH))
            r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    page_.InvalidateOutline(keyRect_);
    return true;
}

bool TGHandle::KeyUp(int key)
{
    if (!isArrow(key) || !keyEditing_) return false;
    page_.InvalidateOutline(keyRect_);
    keyEditing_ = false;
    applyKeyRect();
    return true;
}

void TGHandle::applyKeyRect()
{
    // Differences between where the keys began and ended, so the outcome does not depend
    // on whether the frame was last placed around a selection or realigned after a change.
    const int dl = keyRect_.left - keyStart_.left;
    const int dt = keyRect_.top - keyStart_.top;
    const int dw = keyRect_.width() - keyStart_.width();
    const int dh = keyRect_.height() - keyStart_.height();
    if (dl == 0 && dt == 0 && dw == 0 && dh == 0) return;
    // A held key repeats its presses but applies once, when let go: one step.
    const TGBasePanel::TChangeStep step(page_, dw == 0 && dh == 0 ? QStringLiteral("Move")
                                                                 : QStringLiteral("Resize"));
    SetBoundsRect(
        {frame_.left + dl, frame_.top + dt, frame_.right + dl + dw, frame_.bottom + dt + dh});
}

void TGHandle::DrawHandlesOf(TCanvas &canvas, const TGGraphicControl &object) const
{
    if (!IsSelected(&object)) return;
    const bool single = SelectedCount() == 1;
    canvas.setBrushSolid(single ? Color : SecondaryColor);
    for (const TRect &square : HandleSquares(object.ScreenRect(), single))
        canvas.fillRect(square);
}

void TGHandle::Paint(TCanvas &canvas) const
{
    for (const TGGraphicControl *o : selected_)
        DrawHandlesOf(canvas, *o);
    if (feedback_) DrawXorOutline(canvas.painter(), *feedback_);
    if (keyEditing_) DrawXorOutline(canvas.painter(), keyRect_);
}

} // namespace velmora
