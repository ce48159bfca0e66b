#include "objects/ObjectLayer.h"

#include "common/Canvas.h"
#include "objects/GGraphc.h"
#include "objects/HandleGeometry.h"
#include "objects/ObjectHost.h"
#include "objects/ObjectFiler.h"

#include <algorithm>

namespace velmora {
namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

TObjectLayer::TObjectLayer() = default;
TObjectLayer::~TObjectLayer() = default;

TGGraphicControl *TObjectLayer::Object(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return items_[size_t(index)].get();
}

bool TObjectLayer::Contains(const TGGraphicControl *object) const
{
    return std::ranges::any_of(items_, [object](const auto &o) { return o.get() == object; });
}

TGGraphicControl *TObjectLayer::FindObject(std::string_view name) const
{
    for (const auto &o : items_)
        if (sameName(o->Name(), name)) return o.get();
    return nullptr;
}

bool TObjectLayer::HasObjectOfClass(std::string_view className) const
{
    return std::ranges::any_of(items_, [className](const auto &o) { return o->className() == className; });
}

void TObjectLayer::SetHost(TObjectHost *host)
{
    host_ = host;
    for (const auto &o : items_)
        o->parent_ = host;
}

void TObjectLayer::SetZoom(float factor)
{
    zoom_ = factor;
    for (const auto &o : items_)
        o->SetZoom(factor);
}

TGGraphicControl *TObjectLayer::Adopt(std::unique_ptr<TGGraphicControl> object)
{
    TGGraphicControl *o = object.get();
    o->parent_ = host_;
    o->zoom_ = zoom_;
    items_.push_back(std::move(object));
    o->Invalidate();
    return o;
}

std::unique_ptr<TGGraphicControl> TObjectLayer::Release(TGGraphicControl *object)
{
    const auto it =
        std::ranges::find_if(items_, [object](const auto &o) { return o.get() == object; });
    if (it == items_.end()) return nullptr;
    object->Invalidate();
    // Kept records that followed this object now follow the one below it.
    const TGGraphicControl *below = it == items_.begin() ? nullptr : std::prev(it)->get();
    for (TForeignRecord &record : foreign_)
        if (record.after == object) record.after = below;
    std::unique_ptr<TGGraphicControl> owned = std::move(*it);
    items_.erase(it);
    owned->parent_ = nullptr;
    return owned;
}

void TObjectLayer::Clear()
{
    if (host_ != nullptr) host_->ClearSelection();
    foreign_.clear();
    while (!items_.empty())
        Release(items_.back().get());
    pending_.clear();
}

bool TObjectLayer::NameTaken(std::string_view name) const
{
    const auto named = [name](const auto &o) { return sameName(o->Name(), name); };
    return std::ranges::any_of(items_, named) || std::ranges::any_of(pending_, named) ||
           (OwnerHasName && OwnerHasName(name));
}

std::string TObjectLayer::FreeName(std::string_view prefix, int first) const
{
    for (int n = first; n <= 1000; ++n) {
        std::string name = std::string(prefix) + std::to_string(n);
        if (!NameTaken(name)) return name;
    }
    return {};
}

void TObjectLayer::WriteObjects(TWriter &writer) const
{
    writeForeignRecords(writer, nullptr);
    for (const auto &o : items_) {
        writer.writeComponent(*o, o->Name());
        writeForeignRecords(writer, o.get());
    }
}

void TObjectLayer::writeForeignRecords(TWriter &writer, const TGGraphicControl *after) const
{
    for (const TForeignRecord &record : foreign_)
        if (record.after == after) writer.writeRawBytes(record.bytes);
}

void TObjectLayer::KeepForeignRecord(std::span<const uint8_t> record)
{
    const TGGraphicControl *after = items_.empty() ? nullptr : items_.back().get();
    foreign_.push_back({after, TBytes(record.begin(), record.end())});
}

TGGraphicControl *TObjectLayer::CreateObject(const std::string &className)
{
    if (!DesignObjectClasses().contains(className)) return nullptr;
    std::unique_ptr<TGGraphicControl> object = DesignObjectClasses().create(className);
    object->SetName(FreeName("Component", 0));
    object->SetReading(true);
    pending_.push_back(std::move(object));
    return pending_.back().get();
}

void TObjectLayer::ObjectLoaded(TStreamable *object)
{
    const auto it = std::ranges::find_if(pending_, [object](const auto &o) {
        return static_cast<TStreamable *>(o.get()) == object;
    });
    if (it == pending_.end()) return;
    std::unique_ptr<TGGraphicControl> loaded = std::move(*it);
    pending_.erase(it);
    loaded->SetReading(false);
    loaded->Loaded();
    Adopt(std::move(loaded));
}

void TObjectLayer::DiscardObject(TStreamable *object)
{
    std::erase_if(pending_, [object](const auto &o) {
        return static_cast<TStreamable *>(o.get()) == object;
    });
}

void TObjectLayer::ClearPending()
{
    pending_.clear();
}

void TObjectLayer::PaintObjects(TCanvas &canvas, const TRect &area) const
{
    for (const auto &o : items_) {
        const TRect r = o->ScreenRect();
        if (!o->Visible() || !Intersects({r.left - 3, r.top - 3, r.right + 3, r.bottom + 3}, area))
            continue;
        // Objects stay inside their bounds: only those are repainted when they change.
        canvas.setClipRect(r);
        o->Paint(canvas);
        canvas.clearClip();
    }
}

void TObjectLayer::PrintObjects(TReportCanvas &report, double xOffset, double yOffset) const
{
    // A copy of the list: printing must not see objects come and go.
    std::vector<TGGraphicControl *> list;
    for (const auto &o : items_)
        list.push_back(o.get());
    for (TGGraphicControl *o : list)
        o->PrintObject(report, xOffset, yOffset);
}

} // namespace velmora
