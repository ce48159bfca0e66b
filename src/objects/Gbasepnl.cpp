#include "objects/Gbasepnl.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace velmora {

TGBasePanel::TGBasePanel(QWidget *parent) : QWidget(parent) {}

void TGBasePanel::SetZoom(float factor)
{
    if (!std::isfinite(factor))
        factor = 1.0F;
    factor = std::clamp(factor, 0.2F, 1.0F);
    if (factor == zoom_)
        return;
    zoom_ = factor;
    zoomChanged();
}

void TGBasePanel::SetPanelState(TLPanelState state)
{
    if (state == panelState_)
        return;
    panelState_ = state;
    pointing_ = state == psPointing;
    // The drawing tools show the drag cursor over the whole screen until a tool is done.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr) {
        if (toolCursor_)
            QApplication::restoreOverrideCursor();
        toolCursor_ = !pointing_;
        if (toolCursor_)
            QApplication::setOverrideCursor(Qt::DragMoveCursor);
    }
}

} // namespace velmora
