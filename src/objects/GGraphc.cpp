#include "objects/GGraphc.h"

#include "common/Canvas.h"
#include "common/Cp1252.h"
#include "objects/ObjectHost.h"
#include "objects/ObjectLayer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <utility>

namespace velmora {
namespace {

std::atomic<uint64_t> nextSerial{1};

// The cursor numbers that documents name by identifier.
constexpr std::array<std::pair<int16_t, std::string_view>, 22> kCursorNames{{
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-6, "crSizeNESW"}, {-7, "crSizeNS"},     {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
}};

void writeCursor(TWriter &w, int16_t cursor)
{
    for (const auto &[value, name] : kCursorNames)
        if (value == cursor) {
            w.writeIdent(name);
            return;
        }
    w.writeInteger(cursor);
}

int16_t readCursor(TReader &r)
{
    if (r.peekTag() != TagIdent) return static_cast<int16_t>(r.readInteger());
    const std::string ident = r.readIdent();
    for (const auto &[value, name] : kCursorNames)
        if (SameIdent(ident, name)) return value;
    throwInvalidValue();
}

int roundEven(double v)
{
    // Beyond int the conversion is undefined; no real coordinate comes near.
    return static_cast<int>(std::nearbyint(std::clamp(v, -2147483648.0, 2147483647.0)));
}

// Object bounds in pixels at factor 1. A page is about a thousand pixels across; the room
// left around it still lets right = left + width and any zoom stay far inside int.
constexpr int64_t kMaxCoordinate = 1 << 20;

int saneCoordinate(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
}

int saneExtent(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, 0, kMaxCoordinate));
}

} // namespace

TGGraphicControl::TGGraphicControl() : serial_(nextSerial++) {}

TGGraphicControl::~TGGraphicControl() = default;

void TGGraphicControl::SetBounds(int left, int top, int width, int height)
{
    // Bounds come from files as well as from the mouse; either may hold any int.
    const int l = saneCoordinate(left), t = saneCoordinate(top);
    setBoundsRect({l, t, l + saneExtent(width), t + saneExtent(height)});
}

void TGGraphicControl::SetName(std::string name)
{
    if (layer_ != nullptr)
        layer_->NameChanged(name_, name);
    name_ = std::move(name);
}

void TGGraphicControl::setBoundsRect(const TRect &r)
{
    if (r == bounds_) return;
    Invalidate();
    bounds_ = r;
    Invalidate();
    if (!reading_) BoundsChanged();
}

TRect TGGraphicControl::ScreenRect() const
{
    const double z = static_cast<double>(zoom_);
    const int left = roundEven(bounds_.left * z);
    const int top = roundEven(bounds_.top * z);
    return {left, top, left + roundEven(bounds_.width() * z),
            top + roundEven(bounds_.height() * z)};
}

void TGGraphicControl::SetZoom(float factor)
{
    if (factor == zoom_ || !(factor > 0.0F)) return;
    Invalidate();
    zoom_ = factor;
    Invalidate();
    BoundsChanged();
}

void TGGraphicControl::ChangeScreenBounds(int dLeft, int dTop, int dWidth, int dHeight)
{
    // Amounts on screen become amounts at factor 1, so a move at any zoom never changes
    // the size that is stored.
    const double z = static_cast<double>(zoom_);
    const auto unzoom = [z](int d) { return d == 0 ? 0 : roundEven(d / z); };
    const int left = saneCoordinate(int64_t{bounds_.left} + unzoom(dLeft));
    const int top = saneCoordinate(int64_t{bounds_.top} + unzoom(dTop));
    const int width = saneExtent(std::max<int64_t>(1, int64_t{Width()} + unzoom(dWidth)));
    const int height = saneExtent(std::max<int64_t>(1, int64_t{Height()} + unzoom(dHeight)));
    SetBounds(left, top, width, height);
}

void TGGraphicControl::SetVisible(bool on)
{
    if (on == visible_) return;
    visible_ = on;
    Invalidate();
}

void TGGraphicControl::SetCaption(const std::string &text)
{
    if (text == caption_) return;
    caption_ = text;
    Invalidate();
    if (!reading_) NotifyChanged();
}

void TGGraphicControl::SetFont(const TFontDesc &font)
{
    if (font == font_) return;
    font_ = font;
    Invalidate();
    if (!reading_) NotifyChanged();
}

void TGGraphicControl::SetLocked(bool on)
{
    locked_ = on;
    updateLockedMark();
    if (!reading_) NotifyChanged();
}

void TGGraphicControl::SetUnselectable(bool on)
{
    unselectable_ = on;
    if (reading_) return;
    NotifyChanged();
    if (on && parent_ != nullptr) parent_->UnselectObject(*this);
}

void TGGraphicControl::SetReading(bool on)
{
    reading_ = on;
    // Later changes are compared with the bounds as read; without this the first move
    // after a load would go unnoticed and the document would not count as modified.
    if (!on) lastBounds_ = bounds_;
}

void TGGraphicControl::updateLockedMark()
{
    if (TMenuEntry *entry = popup_.find("Locked")) entry->checked = locked_;
}

void TGGraphicControl::Loaded()
{
    popup_.clear();
    popup_.add("BringToFront", QStringLiteral("Bring To Front"), [this] { BringToFront(); });
    popup_.add("SendToBack", QStringLiteral("Send To Back"), [this] { SendToBack(); });
    popup_.add("Cut", QStringLiteral("Cut"), [this] { Cut(); });
    popup_.add("Copy", QStringLiteral("Copy"), [this] { Copy(); });
    popup_.add("Delete", QStringLiteral("Delete"), [this] { Delete(); });
    popup_.add("Clone", QStringLiteral("Clone"), [this] { Clone(); });
    popup_.addSeparator();
    popup_.add("Locked", QStringLiteral("Locked"), [this] { SetLocked(!locked_); }).checkable =
        true;
    popup_.add("Unselectable", QStringLiteral("Unselectable"), [this] { SetUnselectable(true); });
    popup_.addSeparator();
    popup_.add("CenterVertically", QStringLiteral("Center Vertically"),
               [this] { CenterVertically(); });
    popup_.add("CenterHorizontally", QStringLiteral("Center Horizontally"),
               [this] { CenterHorizontally(); });
    updateLockedMark();
}

void TGGraphicControl::Paint(TCanvas &canvas)
{
    DrawHandles(canvas);
}

void TGGraphicControl::BoundsChanged()
{
    if (busy_) return;
    busy_ = true;
    if (lastBounds_.isAllZero()) lastBounds_ = bounds_;
    if (bounds_ != lastBounds_) {
        NotifyChanged();
        lastBounds_ = bounds_;
        if (parent_ != nullptr) parent_->ObjectBoundsChanged(*this);
    }
    busy_ = false;
}

void TGGraphicControl::NotifyChanged()
{
    if (parent_ != nullptr && !parent_->Printing()) parent_->FireLabelChanged();
}

void TGGraphicControl::DrawHandles(TCanvas &canvas) const
{
    if (parent_ != nullptr) parent_->DrawHandlesOf(canvas, *this);
}

void TGGraphicControl::Invalidate() const
{
    if (parent_ == nullptr || !visible_) return;
    // The handles reach three pixels beyond the object.
    const TRect r = ScreenRect();
    parent_->InvalidateRect({r.left - 3, r.top - 3, r.right + 3, r.bottom + 3});
}

void TGGraphicControl::BringToFront()
{
    NotifyChanged();
    if (parent_ != nullptr) parent_->BringObjectToFront(this);
}

void TGGraphicControl::SendToBack()
{
    NotifyChanged();
    if (parent_ == nullptr) return;
    parent_->SendObjectToBack(this);
    parent_->ClearSelection();
}

void TGGraphicControl::Cut()
{
    if (parent_ == nullptr) return;
    NotifyChanged();
    parent_->ClipboardAction(ckCut, this);
}

void TGGraphicControl::Copy()
{
    if (parent_ != nullptr) parent_->ClipboardAction(ckCopy, this);
}

void TGGraphicControl::Delete()
{
    if (parent_ == nullptr) return;
    NotifyChanged();
    parent_->ClipboardAction(ckDelete, this);
}

void TGGraphicControl::Clone()
{
    if (parent_ != nullptr) parent_->CloneObject(*this);
}

void TGGraphicControl::CenterVertically()
{
    if (parent_ == nullptr) return;
    SetTop(parent_->UnzoomedHeight() / 2 - Height() / 2);
    NotifyChanged();
}

void TGGraphicControl::CenterHorizontally()
{
    if (parent_ == nullptr) return;
    SetLeft(parent_->UnzoomedWidth() / 2 - Width() / 2);
    NotifyChanged();
}

bool TGGraphicControl::readProperty(const std::string &name, TReader &r)
{
    if (SameIdent(name, "Tag"))
        tag_ = r.readInteger();
    else if (SameIdent(name, "Left"))
        SetBounds(r.readInteger(), Top(), Width(), Height());
    else if (SameIdent(name, "Top"))
        SetBounds(Left(), r.readInteger(), Width(), Height());
    else if (SameIdent(name, "Width"))
        SetBounds(Left(), Top(), r.readInteger(), Height());
    else if (SameIdent(name, "Height"))
        SetBounds(Left(), Top(), Width(), r.readInteger());
    else if (SameIdent(name, "Cursor"))
        cursor_ = readCursor(r);
    else if (SameIdent(name, "Hint"))
        hint_ = Cp1252ToUtf8(r.readString());
    else if (SameIdent(name, "Locked"))
        SetLocked(r.readBoolean());
    else if (SameIdent(name, "Unselectable"))
        SetUnselectable(r.readBoolean());
    else
        return false;
    return true;
}

void TGGraphicControl::writeProperties(TWriter &w) const
{
    if (tag_ != 0) {
        w.writePropertyName("Tag");
        w.writeInteger(tag_);
    }
    w.writePropertyName("Left");
    w.writeInteger(Left());
    w.writePropertyName("Top");
    w.writeInteger(Top());
    w.writePropertyName("Width");
    w.writeInteger(Width());
    w.writePropertyName("Height");
    w.writeInteger(Height());
    if (cursor_ != 0) {
        w.writePropertyName("Cursor");
        writeCursor(w, cursor_);
    }
    if (!hint_.empty()) {
        w.writePropertyName("Hint");
        w.writeString(Utf8ToCp1252(hint_));
    }
    w.writePropertyName("Locked");
    w.writeBoolean(locked_);
    w.writePropertyName("Unselectable");
    w.writeBoolean(unselectable_);
}

} // namespace velmora
