// How the object host routes the mouse and the keyboard: the selection frame first, then the
// object under the pointer, then the empty page with its rubber band.
#include "objects/Gbasepnl.h"

#include "objects/Overlay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace velmora {

TMouseInfo TGBasePanel::mouseInfo(const QMouseEvent &event) const
{
    TMouseInfo m;
    const QPoint p = event.position().toPoint();
    m.x = p.x();
    m.y = p.y();
    m.button = event.button();
    m.buttons = event.buttons();
    m.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    m.global = event.globalPosition().toPoint();
    return m;
}

void TGBasePanel::mousePressEvent(QMouseEvent *event)
{
    // A second button pressed during a gesture must not start another one; its release is
    // passed on to the running gesture, which ignores it.
    if (gesture_ != TGesture::None && (event->buttons() & ~event->button()) != Qt::NoButton) {
        event->accept();
        return;
    }
    pageClick_ = false;
    gesture_ = TGesture::None;
    const TMouseInfo m = mouseInfo(*event);
    // The frame lies above every object, so a press inside it belongs to the selection.
    if (handle_.Contains(m.x, m.y)) {
        gesture_ = TGesture::Frame;
        handle_.Pressed(m);
    } else if (TGGraphicControl *object = ObjectAtPoint(m.x, m.y)) {
        objectPressed(*object, m);
    } else {
        PagePressed(m);
    }
    event->accept();
}

void TGBasePanel::objectPressed(TGGraphicControl &object, const TMouseInfo &m)
{
    // A drawing tool draws over objects, and an unselectable object is part of the page.
    if (!pointing_ || object.Unselectable()) {
        PagePressed(m);
        return;
    }
    if (!m.shift) handle_.ClearSelection();
    handle_.Select(&object);
    gesture_ = TGesture::Frame;
    if (handle_.SelectedCount() == 1 && m.button == Qt::RightButton)
        ShowObjectMenu(object, m.global);
}

void TGBasePanel::PagePressed(const TMouseInfo &m)
{
    band_ = {m.x, m.y, m.x, m.y};
    if (m.button != Qt::LeftButton) {
        ShowPageMenu(m.global);
        return;
    }
    banding_ = true;
    gesture_ = TGesture::Band;
    SetScreenCursor(TScreenCursor::HandPoint);
}

void TGBasePanel::FramePressed(const TMouseInfo &m)
{
    if (!m.shift) return;
    // Shift+click on a selected object takes it out of the selection.
    std::vector<TGGraphicControl *> keep = handle_.Selection();
    handle_.ClearSelection();
    std::erase_if(keep, [&m](TGGraphicControl *o) { return o->ScreenRect().contains(m.x, m.y); });
    for (TGGraphicControl *o : keep)
        handle_.Select(o);
}

void TGBasePanel::mouseMoveEvent(QMouseEvent *event)
{
    const TMouseInfo m = mouseInfo(*event);
    if (banding_)
        bandMoved(m);
    else if (handle_.Visible() &&
             (gesture_ == TGesture::Frame || handle_.Captured() || handle_.Contains(m.x, m.y)))
        handle_.Moved(m);
    else
        hover(m);
    event->accept();
}

void TGBasePanel::hover(const TMouseInfo &m)
{
    if (ObjectAtPoint(m.x, m.y) != nullptr) {
        if (pointing_) SetScreenCursor(TScreenCursor::HandPoint);
        return;
    }
    SetScreenCursor(pointing_ ? TScreenCursor::Default : TScreenCursor::Drag);
}

void TGBasePanel::bandMoved(const TMouseInfo &m)
{
    SetScreenCursor(TScreenCursor::HandPoint);
    InvalidateOutline(Normalized(band_));
    band_.right = m.x;
    band_.bottom = m.y;
    InvalidateOutline(Normalized(band_));
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent *event)
{
    pageClick_ = false;
    const TMouseInfo m = mouseInfo(*event);
    if (banding_) {
        if (m.button == Qt::LeftButton) bandReleased(m);
    } else if (gesture_ == TGesture::Frame) {
        handle_.Released(m);
    } else {
        PageReleased(m);
    }
    if (event->buttons() == Qt::NoButton) gesture_ = TGesture::None;
    event->accept();
}

void TGBasePanel::bandReleased(const TMouseInfo &m)
{
    InvalidateOutline(Normalized(band_));
    const QPoint anchor(band_.left, band_.top);
    band_.right = m.x;
    band_.bottom = m.y;
    const TRect band = Normalized(band_);
    banding_ = false;
    if (pointing_) {
        selectByBand(band, m.shift);
        // Only a click, not a band dragged across the page, reaches the page's own cells.
        pageClick_ = m.button == Qt::LeftButton && (QPoint(m.x, m.y) - anchor).manhattanLength() <
                                                       QApplication::startDragDistance();
    } else {
        if (DrawRect(band) && DroppedObjectEvent) DroppedObjectEvent(band);
    }
    if (pointing_) SetScreenCursor(TScreenCursor::Default);
}

void TGBasePanel::selectByBand(const TRect &band, bool shift)
{
    std::vector<TGGraphicControl *> list;
    if (shift) list = handle_.Selection();
    handle_.ClearSelection();
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        TGGraphicControl *o = it->get();
        if (!o->Visible() || !Intersects(o->ScreenRect(), band)) continue;
        const auto found = std::ranges::find(list, o);
        if (found == list.end())
            list.push_back(o);
        else if (shift)
            list.erase(found);
    }
    for (TGGraphicControl *o : list)
        handle_.Select(o);
}

void TGBasePanel::PageReleased(const TMouseInfo &)
{
    if (pointing_) SetScreenCursor(TScreenCursor::Default);
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    const TMouseInfo m = mouseInfo(*event);
    const bool onFrame = handle_.Contains(m.x, m.y);
    TGGraphicControl *object = onFrame ? nullptr : ObjectAtPoint(m.x, m.y);
    // The second press of a double-click is a press like any other.
    mousePressEvent(event);
    if (onFrame && handle_.Visible())
        handle_.DoubleClicked(m);
    else if (object != nullptr && pointing_ && Contains(object))
        ShowObjectMenu(*object, m.global);
}

void TGBasePanel::DoubleClicked(const TMouseInfo &m)
{
    if (handle_.SelectedCount() > 1) return;
    TGGraphicControl *object = handle_.ObjectAt(m.x, m.y);
    if (object == nullptr) return;
    if (object->DoubleClickAction) {
        // A copy: the action may replace or destroy the object that holds it.
        const std::function<void()> action = object->DoubleClickAction;
        const TChangeStep step(*this, QStringLiteral("Edit"));
        action();
    } else {
        ShowObjectMenu(*object, m.global);
    }
}

void TGBasePanel::keyPressEvent(QKeyEvent *event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const int key = event->key();
    if (handle_.KeyDown(key, shift))
        event->accept();
    else if (ctrl && key == Qt::Key_X) {
        const TChangeStep step(*this, QStringLiteral("Cut"));
        ClipboardAction(ckCut);
    } else if (ctrl && key == Qt::Key_C) {
        ClipboardAction(ckCopy);
    } else if (ctrl && key == Qt::Key_V) {
        const TChangeStep step(*this, QStringLiteral("Paste"));
        ClipboardAction(ckPaste);
    } else if (!ctrl && key == Qt::Key_Delete) {
        const TChangeStep step(*this, QStringLiteral("Delete"));
        ClipboardAction(ckDelete);
    }
    else
        QWidget::keyPressEvent(event);
}

void TGBasePanel::keyReleaseEvent(QKeyEvent *event)
{
    // Held keys repeat as press/release pairs; the move is applied once, when let go.
    if (!event->isAutoRepeat() && handle_.KeyUp(event->key()))
        event->accept();
    else if (handle_.KeyEditing())
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

} // namespace velmora
