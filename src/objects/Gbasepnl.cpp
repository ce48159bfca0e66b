#include "objects/Gbasepnl.h"

#include "common/Canvas.h"
#include "objects/DesignCursors.h"
#include "objects/ObjectFiler.h"
#include "objects/Overlay.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace velmora {
namespace {

std::optional<TFontDesc> fontFromDialog(QWidget *parent, const TFontDesc &start)
{
    QFont initial(QString::fromStdString(start.name), start.size());
    initial.setBold(start.bold());
    initial.setItalic(start.italic());
    initial.setUnderline(start.underline());
    initial.setStrikeOut(start.strikeOut());
    // The dialog lists installed families only; a stored name such as "Arial" is shown as
    // the family that stands in for it, and comes back unchanged when left alone.
    const QString shown = QFontInfo(initial).family();
    initial.setFamily(shown);
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    if (f.family() == shown) f.setFamily(QString::fromStdString(start.name));
    uint8_t style = 0;
    if (f.bold()) style |= uint8_t(TFontStyle::fsBold);
    if (f.italic()) style |= uint8_t(TFontStyle::fsItalic);
    if (f.underline()) style |= uint8_t(TFontStyle::fsUnderline);
    if (f.strikeOut()) style |= uint8_t(TFontStyle::fsStrikeOut);
    return TFontDesc::make(f.family().toStdString(), std::max(1, f.pointSize()), style,
                           start.color);
}

} // namespace

TGBasePanel::TGBasePanel(QWidget *parent)
    : TGBasePanel(std::make_shared<TObjectLayer>(), parent)
{
}

TGBasePanel::TGBasePanel(std::shared_ptr<TObjectLayer> layer, QWidget *parent)
    : QWidget(parent), layer_(std::move(layer)), objects_(layer_->Items()), handle_(*this)
{
    layer_->SetHost(this);
    layer_->SetZoom(zoom_);
    // Hover cursors and the frame's handle zones need moves without a button.
    setMouseTracking(true);
    toolClasses_ = {{psLabel, "TGPLabel"},
                    {psImage, "TGImage"},
                    {psRichLabel, "TGPRichBaseLabel"},
                    {psSuperText, "TGSuperText"},
                    {psFlatCalendar, "TGFlatCalendar"}};
    SetGridSize(gs4x4);
    SetSnapToGrid(false);
    ChooseFont = [this](const TFontDesc &start) { return fontFromDialog(this, start); };
    buildPageMenu();
}

TGBasePanel::~TGBasePanel()
{
    handle_.ClearSelection();
    // A page model may keep its objects after its view is gone; they no longer report here.
    layer_->SetHost(nullptr);
    layer_->ClearPending();
    if (toolCursor_ && qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr)
        QApplication::restoreOverrideCursor();
}

void TGBasePanel::SetZoom(float factor)
{
    if (!std::isfinite(factor)) factor = 1.0F;
    factor = std::clamp(factor, 0.2F, 1.0F);
    if (factor == zoom_) return;
    notificationsHeld_ = true;
    const float current = zoom_ == 0.0F ? 1.0F : zoom_;
    lastZoomRatio_ = factor / current;
    zoom_ = factor;
    layer_->SetZoom(factor);
    handle_.Realign();
    zoomChanged();
    notificationsHeld_ = false;
    update();
}

void TGBasePanel::zoomChanged()
{
    const double f = static_cast<double>(lastZoomRatio_);
    resize(static_cast<int>(std::nearbyint(width() * f)),
           static_cast<int>(std::nearbyint(height() * f)));
}

void TGBasePanel::SetPanelState(TLPanelState state)
{
    if (state == panelState_) return;
    panelState_ = state;
    pointing_ = state == psPointing;
    if (PanelStateChangedEvent) PanelStateChangedEvent(state);
    cursor_ = pointing_ ? TScreenCursor::Default : TScreenCursor::Drag;
    // The drawing tools show the drag cursor over the whole screen until a tool is done.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr) {
        if (toolCursor_) QApplication::restoreOverrideCursor();
        toolCursor_ = !pointing_;
        if (toolCursor_) QApplication::setOverrideCursor(CursorFor(TScreenCursor::Drag));
        setCursor(CursorFor(cursor_));
    }
}

void TGBasePanel::SetGridSize(TGridSize g)
{
    gridSize_ = g;
    handle_.SetStoredGrid(g == gs8x8 ? 8 : 4);
    if (showGrid_) update();
}

void TGBasePanel::SetShowGrid(bool on)
{
    showGrid_ = on;
    update();
}

void TGBasePanel::SetSnapToGrid(bool on)
{
    snapToGrid_ = on;
    handle_.SetSnapping(on);
}

int TGBasePanel::toUnzoomed(int pixels) const
{
    return static_cast<int>(std::nearbyint(pixels / static_cast<double>(zoom_)));
}

int TGBasePanel::UnzoomedWidth() const
{
    return toUnzoomed(width());
}

int TGBasePanel::UnzoomedHeight() const
{
    return toUnzoomed(height());
}

void TGBasePanel::FireLabelChanged()
{
    if (!notificationsHeld_ && LabelChangedEvent) LabelChangedEvent();
}

TGBasePanel::TChangeStep::TChangeStep(TGBasePanel &panel, const QString &name) : panel_(panel)
{
    if (panel_.stepDepth_ == 0) {
        if (panel_.ChangeStepStarting) panel_.ChangeStepStarting();
        panel_.stepName_ = name;
    }
    ++panel_.stepDepth_;
}

TGBasePanel::TChangeStep::~TChangeStep()
{
    if (--panel_.stepDepth_ > 0) return;
    const QString name = std::exchange(panel_.stepName_, QString());
    if (panel_.ChangeStepEnded) panel_.ChangeStepEnded(name);
}

QString TGBasePanel::PlaceStepName(TLPanelState tool)
{
    switch (tool) {
    case psLabel: return QStringLiteral("Place Text Label");
    case psImage: return QStringLiteral("Place Picture");
    case psRichLabel: return QStringLiteral("Place Rich Text Label");
    case psSuperText: return QStringLiteral("Place SuperText");
    case psFlatCalendar: return QStringLiteral("Place Floating Calendar");
    case psPointing: break;
    }
    return QStringLiteral("Place Object");
}

TGGraphicControl *TGBasePanel::ObjectAtPoint(int x, int y) const
{
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if ((*it)->Visible() && (*it)->ScreenRect().contains(x, y)) return it->get();
    return nullptr;
}

std::vector<TGGraphicControl *> TGBasePanel::allObjects() const
{
    std::vector<TGGraphicControl *> list;
    list.reserve(objects_.size());
    for (const auto &o : objects_)
        list.push_back(o.get());
    return list;
}

std::unique_ptr<TGGraphicControl> TGBasePanel::release(TGGraphicControl *object)
{
    if (!layer_->Contains(object)) return nullptr;
    handle_.Unselect(object);
    return layer_->Release(object);
}

void TGBasePanel::DestroyObject(TGGraphicControl *object)
{
    release(object);
}

void TGBasePanel::BringObjectToFront(TGGraphicControl *object)
{
    const auto it =
        std::ranges::find_if(objects_, [object](const auto &o) { return o.get() == object; });
    if (it == objects_.end()) return;
    std::rotate(it, it + 1, objects_.end());
    object->Invalidate();
}

void TGBasePanel::SendObjectToBack(TGGraphicControl *object)
{
    const auto it =
        std::ranges::find_if(objects_, [object](const auto &o) { return o.get() == object; });
    if (it == objects_.end()) return;
    std::rotate(objects_.begin(), it, it + 1);
    object->Invalidate();
}

void TGBasePanel::SetToolClass(TLPanelState tool, std::string className)
{
    toolClasses_[tool] = std::move(className);
}

bool TGBasePanel::DrawRect(const TRect &rect)
{
    // An editor opened by the new object could end in another rectangle being drawn.
    if (drawing_) return false;
    drawing_ = true;
    // The object's first dialog (its text, its picture) belongs to placing it.
    const TChangeStep step(*this, PlaceStepName(panelState_));
    TRect r = rect;
    if (r.right - r.left < 25) r.right = r.left + 50;
    if (r.bottom - r.top < 15) r.bottom = r.top + 15;
    const auto tool = toolClasses_.find(panelState_);
    if (tool != toolClasses_.end() && DesignObjectClasses().contains(tool->second)) {
        std::unique_ptr<TGGraphicControl> object = DesignObjectClasses().create(tool->second);
        object->Loaded();
        object->PrepareForDrawing(*this);
        TGGraphicControl *placed = AddObject(std::move(object), r);
        SetScreenCursor(TScreenCursor::Default);
        SetPanelState(psPointing);
        placed->DrawingFinished();
        drawing_ = false;
        return true;
    }
    // A tool whose object cannot be made must not leave the page stuck in that tool.
    SetScreenCursor(TScreenCursor::Default);
    SetPanelState(psPointing);
    drawing_ = false;
    return false;
}

TGGraphicControl *TGBasePanel::AddObject(std::unique_ptr<TGGraphicControl> object,
                                         const TRect &rect)
{
    if (!object) return nullptr;
    object->SetName(FreeName("Special", 1));
    TGGraphicControl *o = adopt(std::move(object));
    const int width = std::max(toUnzoomed(rect.right - rect.left), kMinObjectWidth);
    const int height = std::max(toUnzoomed(rect.bottom - rect.top), kMinObjectHeight);
    o->SetBounds(toUnzoomed(rect.left), toUnzoomed(rect.top), width, height);
    FireLabelChanged();
    return o;
}

void TGBasePanel::AttachObjects()
{
    layer_->SetHost(this);
    layer_->SetZoom(zoom_);
}

void TGBasePanel::RemoveAllObjects()
{
    layer_->Clear();
}

void TGBasePanel::SetScreenCursor(TScreenCursor kind)
{
    if (kind == cursor_ && testAttribute(Qt::WA_SetCursor)) return;
    cursor_ = kind;
    setCursor(CursorFor(kind));
}

void TGBasePanel::ObjectBoundsChanged(TGGraphicControl &object)
{
    if (handle_.IsSelected(&object)) handle_.Realign();
}

void TGBasePanel::UnselectObject(TGGraphicControl &object)
{
    handle_.Unselect(&object);
}

void TGBasePanel::ClearSelection()
{
    handle_.ClearSelection();
}

void TGBasePanel::DrawHandlesOf(TCanvas &canvas, const TGGraphicControl &object)
{
    handle_.DrawHandlesOf(canvas, object);
}

void TGBasePanel::InvalidateRect(const TRect &rect)
{
    if (rect.right > rect.left && rect.bottom > rect.top) update(ToQRect(rect));
}

void TGBasePanel::InvalidateOutline(const TRect &rect)
{
    update(OutlineRegion(rect));
}

void TGBasePanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (showGrid_) {
        const int step = gridSize_ == gs8x8 ? 8 : 4;
        const QRect r = event->rect();
        for (int y = r.top() - r.top() % step; y <= r.bottom(); y += step)
            for (int x = r.left() - r.left() % step; x <= r.right(); x += step)
                painter.fillRect(x, y, 1, 1, Qt::black);
    }
    {
        TCanvas canvas(painter, TFontDesc::kFontPpi);
        const QRect d = event->rect();
        layer_->PaintObjects(canvas, {d.x(), d.y(), d.x() + d.width(), d.y() + d.height()});
    }
    PaintOverlay(painter);
}

void TGBasePanel::PaintOverlay(QPainter &painter)
{
    TCanvas canvas(painter, TFontDesc::kFontPpi);
    handle_.Paint(canvas);
    if (banding_) DrawXorOutline(painter, Normalized(band_));
}

} // namespace velmora
