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

namespace velmora {
namespace {

std::string lowerName(std::string_view name)
{
    std::string lower(name);
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return lower;
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

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

TGBasePanel::TGBasePanel(QWidget *parent) : QWidget(parent), handle_(*this)
{
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
    objects_.clear();
    pending_.clear();
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
    for (const auto &o : objects_)
        o->SetZoom(factor);
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

TGGraphicControl *TGBasePanel::Object(int index) const
{
    if (index < 0 || index >= ObjectCount()) return nullptr;
    return objects_[size_t(index)].get();
}

bool TGBasePanel::Contains(const TGGraphicControl *object) const
{
    return std::ranges::any_of(objects_, [object](const auto &o) { return o.get() == object; });
}

TGGraphicControl *TGBasePanel::ObjectAtPoint(int x, int y) const
{
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if ((*it)->Visible() && (*it)->ScreenRect().contains(x, y)) return it->get();
    return nullptr;
}

TGGraphicControl *TGBasePanel::FindObject(std::string_view name) const
{
    for (const auto &o : objects_)
        if (sameName(o->Name(), name)) return o.get();
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

bool TGBasePanel::NameTaken(std::string_view name) const
{
    return names_.contains(lowerName(name)) || (OwnerHasName && OwnerHasName(name));
}

void TGBasePanel::addName(const std::string &name)
{
    ++names_[lowerName(name)];
}

void TGBasePanel::removeName(const std::string &name, bool staysTaken)
{
    const auto it = names_.find(lowerName(name));
    if (it == names_.end()) return;
    if (--it->second == 0) names_.erase(it);
    if (!staysTaken) freeFrom_.clear();
}

void TGBasePanel::NameChanged(const std::string &oldName, const std::string &newName)
{
    removeName(oldName);
    addName(newName);
}

std::string TGBasePanel::firstFreeName(std::string_view prefix, int first, int last) const
{
    const bool useHint = !OwnerHasName;
    std::string key;
    int n = first;
    if (useHint) {
        key = std::string(prefix) + '\n' + std::to_string(first);
        if (const auto it = freeFrom_.find(key); it != freeFrom_.end()) n = std::max(n, it->second);
    }
    for (; n <= last; ++n) {
        std::string name = std::string(prefix) + std::to_string(n);
        if (!NameTaken(name)) {
            if (useHint) freeFrom_[key] = n;
            return name;
        }
    }
    if (useHint) freeFrom_[key] = n;
    return {};
}

std::string TGBasePanel::FreeName(std::string_view prefix, int first) const
{
    return firstFreeName(prefix, first, 1000);
}

TGGraphicControl *TGBasePanel::adopt(std::unique_ptr<TGGraphicControl> object)
{
    TGGraphicControl *o = object.get();
    o->parent_ = this;
    o->zoom_ = zoom_;
    addName(o->Name());
    objects_.push_back(std::move(object));
    o->Invalidate();
    return o;
}

std::unique_ptr<TGGraphicControl> TGBasePanel::release(TGGraphicControl *object)
{
    // From the top: clearing the page takes the objects off one by one from there.
    const auto rit = std::ranges::find_if(objects_.rbegin(), objects_.rend(),
                                          [object](const auto &o) { return o.get() == object; });
    if (rit == objects_.rend()) return nullptr;
    const auto it = std::prev(rit.base());
    handle_.Unselect(object);
    object->Invalidate();
    // Kept records that followed this object now follow the one below it.
    const TGGraphicControl *below = it == objects_.begin() ? nullptr : std::prev(it)->get();
    for (TForeignRecord &record : foreign_)
        if (record.after == object) record.after = below;
    std::unique_ptr<TGGraphicControl> owned = std::move(*it);
    objects_.erase(it);
    owned->parent_ = nullptr;
    removeName(owned->Name());
    return owned;
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
    for (const auto &o : objects_)
        o->SetZoom(zoom_);
}

void TGBasePanel::RemoveAllObjects()
{
    handle_.ClearSelection();
    foreign_.clear();
    while (!objects_.empty())
        release(objects_.back().get());
    for (const auto &o : pending_)
        removeName(o->Name());
    pending_.clear();
}

void TGBasePanel::WriteObjects(TWriter &writer) const
{
    writeForeignRecords(writer, nullptr);
    for (const auto &o : objects_) {
        writer.writeComponent(*o, o->Name());
        writeForeignRecords(writer, o.get());
    }
}

void TGBasePanel::writeForeignRecords(TWriter &writer, const TGGraphicControl *after) const
{
    for (const TForeignRecord &record : foreign_)
        if (record.after == after) writer.writeRawBytes(record.bytes);
}

void TGBasePanel::KeepForeignRecord(std::span<const uint8_t> record)
{
    const TGGraphicControl *after = objects_.empty() ? nullptr : objects_.back().get();
    foreign_.push_back({after, TBytes(record.begin(), record.end())});
}

TGGraphicControl *TGBasePanel::CreateObject(const std::string &className)
{
    if (!DesignObjectClasses().contains(className)) return nullptr;
    std::unique_ptr<TGGraphicControl> object = DesignObjectClasses().create(className);
    std::string name = FreeName("Component", 0);
    // Past a thousand objects the numbering goes on, so that every name stays unique.
    if (name.empty()) name = firstFreeName("Component", 1001, std::numeric_limits<int>::max() - 1);
    object->SetName(std::move(name));
    object->SetReading(true);
    addName(object->Name());
    pending_.push_back(std::move(object));
    return pending_.back().get();
}

void TGBasePanel::ObjectLoaded(TStreamable *object)
{
    const auto it = std::ranges::find_if(pending_, [object](const auto &o) {
        return static_cast<TStreamable *>(o.get()) == object;
    });
    if (it == pending_.end()) return;
    std::unique_ptr<TGGraphicControl> loaded = std::move(*it);
    pending_.erase(it);
    removeName(loaded->Name(), true); // adopt counts it again
    loaded->SetReading(false);
    loaded->Loaded();
    adopt(std::move(loaded));
}

void TGBasePanel::DiscardObject(TStreamable *object)
{
    std::erase_if(pending_, [this, object](const auto &o) {
        if (static_cast<TStreamable *>(o.get()) != object) return false;
        removeName(o->Name());
        return true;
    });
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
    PaintObjectLayer(painter, event->rect());
}

void TGBasePanel::PaintObjectLayer(QPainter &painter, const QRect &dirty)
{
    TCanvas canvas(painter, TFontDesc::kFontPpi);
    const TRect area{dirty.x(), dirty.y(), dirty.x() + dirty.width(), dirty.y() + dirty.height()};
    for (const auto &o : objects_) {
        const TRect r = o->ScreenRect();
        if (!o->Visible() || !Intersects({r.left - 3, r.top - 3, r.right + 3, r.bottom + 3}, area))
            continue;
        // Objects stay inside their bounds: only those are repainted when they change.
        canvas.setClipRect(r);
        o->Paint(canvas);
        canvas.clearClip();
    }
    handle_.Paint(canvas);
    if (banding_) DrawXorOutline(painter, Normalized(band_));
}

} // namespace velmora
