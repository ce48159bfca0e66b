#include "objects/ObjectLayer.h"

#include "common/Canvas.h"
#include "objects/GGraphc.h"
#include "objects/HandleGeometry.h"
#include "objects/ObjectHost.h"
#include "objects/ObjectFiler.h"

#include <algorithm>
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
        if (SameIdent(o->Name(), name)) return o.get();
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
    o->layer_ = this;
    o->zoom_ = zoom_;
    addName(o->Name());
    items_.push_back(std::move(object));
    o->Invalidate();
    return o;
}

std::unique_ptr<TGGraphicControl> TObjectLayer::Release(TGGraphicControl *object)
{
    // From the top: clearing the page takes the objects off one by one from there.
    const auto rit = std::ranges::find_if(items_.rbegin(), items_.rend(),
                                          [object](const auto &o) { return o.get() == object; });
    if (rit == items_.rend()) return nullptr;
    const auto it = std::prev(rit.base());
    object->Invalidate();
    // Kept records that followed this object now follow the one below it.
    const TGGraphicControl *below = it == items_.begin() ? nullptr : std::prev(it)->get();
    for (TForeignRecord &record : foreign_)
        if (record.after == object) record.after = below;
    std::unique_ptr<TGGraphicControl> owned = std::move(*it);
    items_.erase(it);
    owned->parent_ = nullptr;
    owned->layer_ = nullptr;
    removeName(owned->Name());
    return owned;
}

void TObjectLayer::Clear()
{
    if (host_ != nullptr) host_->ClearSelection();
    foreign_.clear();
    while (!items_.empty())
        Release(items_.back().get());
    for (const auto &o : pending_)
        removeName(o->Name());
    pending_.clear();
}

bool TObjectLayer::NameTaken(std::string_view name) const
{
    return names_.contains(lowerName(name)) || (OwnerHasName && OwnerHasName(name));
}

void TObjectLayer::addName(const std::string &name)
{
    ++names_[lowerName(name)];
}

void TObjectLayer::removeName(const std::string &name, bool staysTaken)
{
    const auto it = names_.find(lowerName(name));
    if (it == names_.end()) return;
    if (--it->second == 0) names_.erase(it);
    if (!staysTaken) freeFrom_.clear();
}

void TObjectLayer::NameChanged(const std::string &oldName, const std::string &newName)
{
    removeName(oldName);
    addName(newName);
}

std::string TObjectLayer::firstFreeName(std::string_view prefix, int first, int last) const
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

std::string TObjectLayer::FreeName(std::string_view prefix, int first) const
{
    return firstFreeName(prefix, first, 1000);
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
    std::string name = FreeName("Component", 0);
    // Past a thousand objects the numbering goes on, so that every name stays unique.
    if (name.empty()) name = firstFreeName("Component", 1001, std::numeric_limits<int>::max() - 1);
    object->SetName(std::move(name));
    object->SetReading(true);
    addName(object->Name());
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
    removeName(loaded->Name(), true); // Adopt counts it again
    loaded->SetReading(false);
    loaded->Loaded();
    Adopt(std::move(loaded));
}

void TObjectLayer::DiscardObject(TStreamable *object)
{
    std::erase_if(pending_, [this, object](const auto &o) {
        if (static_cast<TStreamable *>(o.get()) != object) return false;
        removeName(o->Name());
        return true;
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
