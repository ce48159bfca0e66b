#pragma once
// The design objects of a page, in drawing order: ownership, names, the document's object
// list, and drawing them on any surface. It is plain data so a page can be read, drawn and
// printed without a window; a page view attaches itself as the objects' host.
#include "common/ComponentStream.h"
#include "common/Rect.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

class TCanvas;
class TGGraphicControl;
class TObjectHost;
class TReportCanvas;

class TObjectLayer
{
public:
    using TList = std::vector<std::unique_ptr<TGGraphicControl>>;

    TObjectLayer();
    ~TObjectLayer();
    TObjectLayer(const TObjectLayer &) = delete;
    TObjectLayer &operator=(const TObjectLayer &) = delete;

    // The lowest object first.
    TList &Items() { return items_; }
    const TList &Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TGGraphicControl *Object(int index) const;
    bool Contains(const TGGraphicControl *object) const;
    TGGraphicControl *FindObject(std::string_view name) const;
    bool HasObjectOfClass(std::string_view className) const;

    // The view objects report to (nullptr: none) and the factor they show at.
    void SetHost(TObjectHost *host);
    TObjectHost *Host() const { return host_; }
    float Zoom() const { return zoom_; }
    void SetZoom(float factor);
    // Takes the object on top of all others, with the layer's host and zoom.
    TGGraphicControl *Adopt(std::unique_ptr<TGGraphicControl> object);
    // Hands the object back, detached from the host; nullptr when it is not in the layer.
    std::unique_ptr<TGGraphicControl> Release(TGGraphicControl *object);
    // Destroys every object, after the host let go of its selection.
    void Clear();

    // Component names. The owner (the main window) may own further components whose names
    // new objects must not take.
    std::function<bool(std::string_view)> OwnerHasName;
    bool NameTaken(std::string_view name) const;
    // prefix + the first n in first..1000 that no component has; empty when all are taken.
    std::string FreeName(std::string_view prefix, int first) const;
    // A placed object was renamed.
    void NameChanged(const std::string &oldName, const std::string &newName);

    // The document's object list. CreateObject names the object "Component" + n; it joins
    // the layer in ObjectLoaded once its properties are read, or is thrown away by
    // DiscardObject. Both accept only what CreateObject returned.
    void WriteObjects(TWriter &writer) const;
    TGGraphicControl *CreateObject(const std::string &className);
    void ObjectLoaded(TStreamable *object);
    void DiscardObject(TStreamable *object);
    void ClearPending();
    // A whole record of a class this program does not know (from a newer or foreign writer).
    // It is not shown; WriteObjects puts it back unchanged after the object it followed when
    // it was read, so saving never drops what we cannot display. Clear forgets it.
    void KeepForeignRecord(std::span<const uint8_t> record);
    int ForeignRecordCount() const { return static_cast<int>(foreign_.size()); }

    // Each visible object whose bounds (with its handles' margin) meet the area, at its
    // on-screen bounds and clipped to them.
    void PaintObjects(TCanvas &canvas, const TRect &area) const;
    // Each object in inches on the report; offsets in inches.
    void PrintObjects(TReportCanvas &report, double xOffset, double yOffset) const;

private:
    struct TForeignRecord
    {
        const TGGraphicControl *after; // nullptr: before every object
        TBytes bytes;
    };
    void writeForeignRecords(TWriter &writer, const TGGraphicControl *after) const;
    std::string firstFreeName(std::string_view prefix, int first, int last) const;
    void addName(const std::string &name);
    // staysTaken: the name is counted again at once, so no number becomes free.
    void removeName(const std::string &name, bool staysTaken = false);

    TList items_;
    TList pending_;
    std::vector<TForeignRecord> foreign_; // in the order they were read
    // The names of items_ and pending_ in lower case, with their counts: a document of
    // thousands of objects names each new one without comparing it against all others.
    std::unordered_map<std::string, int> names_;
    // Per prefix and first number: every number below the value is taken. Valid until a
    // name is given up; not used while the owner has names of its own.
    mutable std::unordered_map<std::string, int> freeFrom_;
    TObjectHost *host_ = nullptr;
    float zoom_ = 1.0F;
};

} // namespace velmora
