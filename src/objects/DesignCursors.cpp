#include "objects/DesignCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velmora {
namespace {

constexpr int kCursorSize = 32;

QCursor handCursor(const QPainterPath &outline, QPoint hotSpot)
{
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(outline.simplified());
    p.end();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

QPainterPath pointingHand()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(9, 1, 5, 17), 2.5, 2.5); // index finger
    path.addRoundedRect(QRectF(13, 9, 5, 9), 2.5, 2.5); // folded fingers
    path.addRoundedRect(QRectF(17, 10, 5, 8), 2.5, 2.5);
    path.addRoundedRect(QRectF(21, 11, 5, 8), 2.5, 2.5);
    path.addRoundedRect(QRectF(9, 14, 17, 15), 5, 5);   // palm
    path.addRoundedRect(QRectF(3, 14, 9, 5), 2.5, 2.5); // thumb
    return path;
}

QPainterPath grabbingHand()
{
    QPainterPath path;
    for (int i = 0; i < 4; ++i)
        path.addRoundedRect(QRectF(8 + 4.5 * i, 8, 5, 8), 2.5, 2.5); // knuckles
    path.addRoundedRect(QRectF(8, 12, 18, 15), 5, 5);                // fist
    path.addRoundedRect(QRectF(3, 14, 8, 5), 2.5, 2.5);              // thumb
    return path;
}

} // namespace

QCursor NamedCursor(std::string_view name)
{
    // Built once, and never destroyed: a pixmap must not outlive the application object,
    // which a static's destructor would.
    if (name == "HANDGRAB") {
        static const auto *grab = new QCursor(handCursor(grabbingHand(), {16, 16}));
        return *grab;
    }
    if (name == "HANDPOINT") {
        static const auto *point = new QCursor(handCursor(pointingHand(), {11, 1}));
        return *point;
    }
    return QCursor(Qt::ArrowCursor);
}

QCursor CursorFor(TScreenCursor kind)
{
    switch (kind) {
    case TScreenCursor::Default:
        return QCursor(Qt::ArrowCursor);
    case TScreenCursor::Drag:
        return QCursor(Qt::DragMoveCursor);
    case TScreenCursor::NoDrop:
        return QCursor(Qt::ForbiddenCursor);
    case TScreenCursor::SizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case TScreenCursor::SizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case TScreenCursor::SizeNS:
        return QCursor(Qt::SizeVerCursor);
    case TScreenCursor::SizeWE:
        return QCursor(Qt::SizeHorCursor);
    case TScreenCursor::HandGrab:
        return NamedCursor("HANDGRAB");
    case TScreenCursor::HandPoint:
        return NamedCursor("HANDPOINT");
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace velmora
