#pragma once
// The common base of every design object: a windowless element floating on the page. It is
// a plain object, not a widget; the page that hosts it paints it after the calendar, hit-tests
// it and routes the mouse to it.
//
// Bounds are kept at zoom factor 1. They are what documents store and what printing uses,
// and zooming only changes the on-screen bounds derived from them, so zooming back and forth
// never moves or resizes an object.
#include "common/ComponentStream.h"
#include "common/Font.h"
#include "common/Rect.h"
#include "objects/ObjectMenu.h"

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

class TCanvas;
class TObjectHost;
class TObjectLayer;
class TReportCanvas;

// Objects are at least this large when they are placed.
constexpr int kMinObjectWidth = 10;
constexpr int kMinObjectHeight = 15;

class TGGraphicControl : public TStreamable
{
public:
    TGGraphicControl();
    ~TGGraphicControl() override;
    TGGraphicControl(const TGGraphicControl &) = delete;
    TGGraphicControl &operator=(const TGGraphicControl &) = delete;

    // The component name; unique among the owner's components, nothing else.
    const std::string &Name() const { return name_; }
    // A placed object's page keeps its names in step.
    void SetName(std::string name);
    // The page view hosting the object; nullptr until it is placed on a shown page.
    TObjectHost *Parent() const { return parent_; }
    // Distinguishes this object from a later one that may reuse its address.
    uint64_t Serial() const { return serial_; }

    // Bounds at factor 1.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width(); }
    int Height() const { return bounds_.height(); }
    const TRect &BoundsRect() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

    // Bounds on the page at the current zoom: each of left, top, width and height scaled and
    // rounded to the nearest pixel, ties to even.
    TRect ScreenRect() const;
    float ZoomFactor() const { return zoom_; }
    void SetZoom(float factor);
    // Moves and resizes by amounts in on-screen pixels. The size never drops below one pixel:
    // an object without area could no longer be seen, selected or kept.
    void ChangeScreenBounds(int dLeft, int dTop, int dWidth, int dHeight);

    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    const std::string &Caption() const { return caption_; }
    void SetCaption(const std::string &text);
    const TFontDesc &Font() const { return font_; }
    void SetFont(const TFontDesc &font);

    // Stored properties nothing in the program sets, kept so that documents round-trip.
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t v) { tag_ = v; }
    int16_t Cursor() const { return cursor_; }
    void SetCursor(int16_t v) { cursor_ = v; }
    const std::string &Hint() const { return hint_; }
    void SetHint(const std::string &v) { hint_ = v; }

    bool Locked() const { return locked_; }
    void SetLocked(bool on);
    bool Unselectable() const { return unselectable_; }
    void SetUnselectable(bool on);

    // Run when the selected object is double-clicked; without one the popup menu opens.
    std::function<void()> DoubleClickAction;

    TObjectMenu &PopupMenu() { return popup_; }
    const TObjectMenu &PopupMenu() const { return popup_; }

    // True while properties are being read; setters then only store.
    bool Reading() const { return reading_; }
    void SetReading(bool on);

    // Builds the popup menu; subclasses add their entries after calling this.
    virtual void Loaded();
    // Draws the object on the page at ScreenRect(); the base draws the handles only.
    virtual void Paint(TCanvas &canvas);
    virtual void BoundsChanged();
    // The popup menu is about to open: refresh check marks.
    virtual void PopupShowing() {}
    virtual void ApplyFont(const TFontDesc &) {}
    // Prints on the report; offsets in inches are added to the object's position.
    virtual void PrintObject(TReportCanvas &, double, double) {}
    // A drawing tool made this object: the first step runs before it is placed on the page,
    // the second after the tool fell back to pointing (subclasses set their looks and open
    // their editors there).
    virtual void PrepareForDrawing(const TObjectHost &) {}
    virtual void DrawingFinished() {}

    void NotifyChanged();
    // The selection handles, when this object is selected.
    void DrawHandles(TCanvas &canvas) const;
    // Asks the page to repaint the object's area.
    void Invalidate() const;

    // Popup menu actions. Cut and Delete destroy the object: do not touch it afterwards.
    void BringToFront();
    void SendToBack();
    void Cut();
    void Copy();
    void Delete();
    void Clone();
    void CenterVertically();
    void CenterHorizontally();

    // Streaming of the properties every object has; subclasses call these first.
    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;

    static double PixelsToInches(int pixels) { return pixels / 96.0; }

private:
    friend class TObjectLayer;

    void setBoundsRect(const TRect &r);
    void updateLockedMark();

    std::string name_;
    TObjectHost *parent_ = nullptr;
    TObjectLayer *layer_ = nullptr; // the list holding the object, which keeps its names
    uint64_t serial_;
    TRect bounds_;
    float zoom_ = 1.0F;
    bool visible_ = true;
    std::string caption_;
    TFontDesc font_;
    int32_t tag_ = 0;
    int16_t cursor_ = 0;
    std::string hint_;
    bool locked_ = false;
    bool unselectable_ = false;
    bool reading_ = false;
    bool busy_ = false;
    TRect lastBounds_;
    TObjectMenu popup_;
};

} // namespace velmora
