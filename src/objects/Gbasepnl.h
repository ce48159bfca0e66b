#pragma once
// The panel that hosts design objects and owns the zoom factor, the tool state, the snap grid
// and the selection frame. The calendar page derives from it.
//
// A page that derives from this panel plugs in as follows:
//  - paintEvent: paint the calendar, then the objects (Objects().PaintObjects) and then
//    PaintOverlay (skip both while the page holds painting, so objects are not painted then);
//  - mouse and key handlers: call the panel's handler first. Objects and the selection frame
//    take presses on them; the page's own click handling (day cells, title) acts only when
//    IsPageClick() is true after TGBasePanel::mouseReleaseEvent;
//  - zoomChanged: resize the page for Zoom(); objects follow the zoom by themselves;
//  - never repaint the whole page for an object: objects and the frame ask for their own
//    areas with update(rect), which the page serves from its cached calendar picture.
#include "common/Font.h"
#include "common/Rect.h"
#include "objects/DesignTypes.h"
#include "objects/GGraphc.h"
#include "objects/GHandle.h"
#include "objects/ObjectHost.h"
#include "objects/ObjectLayer.h"
#include "objects/ObjectMenu.h"
#include "objects/PanelState.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QMenu;

namespace velmora {

class TReportCanvas;

enum TGridSize : int32_t { gs4x4 = 0, gs8x8 = 1 };

class TGBasePanel : public QWidget, public TObjectHost
{
    Q_OBJECT
public:
    // A panel with objects of its own, or the view of a page model's objects.
    explicit TGBasePanel(QWidget *parent = nullptr);
    TGBasePanel(std::shared_ptr<TObjectLayer> layer, QWidget *parent);
    ~TGBasePanel() override;

    TObjectLayer &Objects() { return *layer_; }
    const TObjectLayer &Objects() const { return *layer_; }

    float Zoom() const { return zoom_; }
    // Tenths 0.2 .. 1.0; other values are brought into that range. Objects keep their
    // bounds at factor 1 and only show at the new factor.
    virtual void SetZoom(float factor);

    TLPanelState PanelState() const { return panelState_; }
    void SetPanelState(TLPanelState state);
    bool Pointing() const { return pointing_; }

    bool Printing() const override { return printing_; }
    void SetPrinting(bool on) { printing_ = on; }
    bool DrawOutline() const { return drawOutline_; }
    void SetDrawOutline(bool on) { drawOutline_ = on; }
    TGridSize GridSize() const { return gridSize_; }
    void SetGridSize(TGridSize g);
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool on);
    bool SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool on);
    // The font new text objects and the Font command start from.
    const TFontDesc &PanelFont() const override { return panelFont_; }
    void SetPanelFont(const TFontDesc &font) { panelFont_ = font; }
    // The page's size in pixels at factor 1, as positions on it are stored.
    int UnzoomedWidth() const override;
    int UnzoomedHeight() const override;

    // Any object changed (not while notifications are held or while printing).
    std::function<void()> LabelChangedEvent;
    // A drawing tool placed an object in this rectangle (page pixels).
    std::function<void(const TRect &)> DroppedObjectEvent;
    // The tool changed (the page goes back to psPointing after every drawn rectangle).
    std::function<void(TLPanelState)> PanelStateChangedEvent;
    void FireLabelChanged() override;
    bool NotificationsHeld() const { return notificationsHeld_; }

    // The changes one command makes (a drag, a menu entry, a dialog's OK) form one step of
    // the undo history, named after the command. Steps nest; the outermost names the step,
    // and where it ends the step is complete, so changes reported before the objects
    // really changed (arranging) or in several parts (aligning) still make one step.
    class TChangeStep
    {
    public:
        TChangeStep(TGBasePanel &panel, const QString &name);
        ~TChangeStep();
        TChangeStep(const TChangeStep &) = delete;
        TChangeStep &operator=(const TChangeStep &) = delete;

    private:
        TGBasePanel &panel_;
    };
    // The running step's name; empty outside any step.
    const QString &ChangeStepName() const { return stepName_; }
    bool InChangeStep() const { return stepDepth_ > 0; }
    // Before the outermost step begins, and after it ended with the step's name.
    std::function<void()> ChangeStepStarting;
    std::function<void(const QString &name)> ChangeStepEnded;
    // What placing an object with a drawing tool is called ("Place Text Label").
    static QString PlaceStepName(TLPanelState tool);

    // Objects in drawing order, the lowest first.
    int ObjectCount() const { return layer_->Count(); }
    TGGraphicControl *Object(int index) const { return layer_->Object(index); }
    bool Contains(const TGGraphicControl *object) const { return layer_->Contains(object); }
    // The topmost visible object whose on-screen bounds contain the page point.
    TGGraphicControl *ObjectAtPoint(int x, int y) const;
    bool HasObjectAt(int x, int y) const { return ObjectAtPoint(x, y) != nullptr; }
    TGGraphicControl *FindObject(std::string_view name) const { return layer_->FindObject(name); }

    // The class each drawing tool creates, by registered class name. A tool whose class is
    // not registered creates nothing.
    void SetToolClass(TLPanelState tool, std::string className);
    // A rectangle dragged with a drawing tool (page pixels): creates the tool's object.
    // Either way the page is back on psPointing; false when nothing was created.
    bool DrawRect(const TRect &rect);
    // Places a new object in a rectangle of page pixels at the current zoom and names it
    // "Special" + n.
    TGGraphicControl *AddObject(std::unique_ptr<TGGraphicControl> object, const TRect &rect);
    // Gives every object the page's zoom factor (objects read from a stream start at 1).
    void AttachObjects();
    void RemoveAllObjects();
    // Unselects and destroys one object.
    void DestroyObject(TGGraphicControl *object);
    void BringObjectToFront(TGGraphicControl *object) override;
    void SendObjectToBack(TGGraphicControl *object) override;
    // Cut, copy, paste or delete: the whole selection, or one unselected object.
    void ClipboardAction(TClipboardKind kind, TGGraphicControl *object = nullptr) override;
    bool CanPaste() const { return !clipboard_.empty(); }
    // A copy 25 pixels lower on top of all objects; nullptr when it cannot be made.
    TGGraphicControl *CloneObject(TGGraphicControl &source) override;
    // After the page's size changed: objects are brought back onto it.
    void ClampObjects();
    // Destroys objects that lie off the page or have no area.
    void PurgeObjects();

    // Records of unknown classes kept for saving (see TObjectLayer).
    void KeepForeignRecord(std::span<const uint8_t> record) { layer_->KeepForeignRecord(record); }
    int ForeignRecordCount() const { return layer_->ForeignRecordCount(); }

    // Component names (see TObjectLayer).
    bool NameTaken(std::string_view name) const { return layer_->NameTaken(name); }
    std::string FreeName(std::string_view prefix, int first) const
    {
        return layer_->FreeName(prefix, first);
    }

    TGHandle &Handle() { return handle_; }
    const TGHandle &Handle() const { return handle_; }

    // Menus open through this hook; by default the menu pops up without blocking. Tests
    // replace it to look at the menu instead.
    using TPopupHook = std::function<void(QMenu &menu, const QPoint &globalPos)>;
    void SetPopupHook(TPopupHook hook) { popupHook_ = std::move(hook); }
    TObjectMenu &PageMenu() { return pageMenu_; }
    // Recomputes the entries' enabling, as before every showing.
    void UpdatePageMenu();
    void ShowPageMenu(const QPoint &globalPos);
    void ShowObjectMenu(TGGraphicControl &object, const QPoint &globalPos);
    // The Font command's dialog; returns the chosen font or nothing when cancelled.
    std::function<std::optional<TFontDesc>(const TFontDesc &)> ChooseFont;

    void SetTickSource(TTickSource source) { ticks_ = std::move(source); }
    int64_t Ticks() const { return ticks_(); }

    TScreenCursor ScreenCursor() const { return cursor_; }
    void SetScreenCursor(TScreenCursor kind);

    // Called by objects and the frame.
    void ObjectBoundsChanged(TGGraphicControl &object) override;
    void UnselectObject(TGGraphicControl &object) override;
    void ClearSelection() override;
    void DrawHandlesOf(TCanvas &canvas, const TGGraphicControl &object) override;
    void InvalidateRect(const TRect &rect) override;
    std::optional<TFontDesc> ChooseObjectFont(const TFontDesc &start) override;
    std::optional<TColor> ChooseObjectColor(TColor start) override;
    std::optional<std::string> EditLabelText(const std::string &text) override;
    bool EditLabelEffects(TGBaseLabel &label) override;
    void ChooseObjectPicture(TGImage &image) override;
    void InvalidateOutline(const TRect &rect);
    // Selection rules of a left press inside the frame (Shift+click deselects).
    void FramePressed(const TMouseInfo &m);
    void PagePressed(const TMouseInfo &m);
    void PageReleased(const TMouseInfo &m);
    void DoubleClicked(const TMouseInfo &m);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The selection handles and any drag outline, over the objects.
    void PaintOverlay(QPainter &painter);
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    // True after mouseReleaseEvent when the release ended a left click on the empty page
    // with the selection tool: the one release the page's own click handling acts on.
    bool IsPageClick() const { return pageClick_; }
    // The zoom changed; the bare panel scales its size by the ratio of the factors.
    virtual void zoomChanged();
    float LastZoomRatio() const { return lastZoomRatio_; }

private:
    enum class TGesture { None, Frame, Band };

    void buildPageMenu();
    void showMenu(const TObjectMenu &menu, const QPoint &globalPos, std::function<bool()> guard);
    void objectPressed(TGGraphicControl &object, const TMouseInfo &m);
    void hover(const TMouseInfo &m);
    void bandMoved(const TMouseInfo &m);
    void bandReleased(const TMouseInfo &m);
    void selectByBand(const TRect &band, bool shift);
    TMouseInfo mouseInfo(const QMouseEvent &event) const;
    TGGraphicControl *adopt(std::unique_ptr<TGGraphicControl> object) { return layer_->Adopt(std::move(object)); }
    std::unique_ptr<TGGraphicControl> release(TGGraphicControl *object);
    void writeClipboard(const std::vector<TGGraphicControl *> &objects);
    void deleteObjects(const std::vector<TGGraphicControl *> &objects);
    void paste();
    void alignSelection(int how);
    void centerSelection(bool vertically);
    void applyFontToSelection();
    std::vector<TGGraphicControl *> allObjects() const;
    std::string firstFreeName(std::string_view prefix, int first, int last) const;
    void addName(const std::string &name);
    // staysTaken: the name is counted again at once, so no number becomes free.
    void removeName(const std::string &name, bool staysTaken = false);
    int toUnzoomed(int pixels) const;

    float zoom_ = 1.0F;
    float lastZoomRatio_ = 1.0F;
    TLPanelState panelState_ = psPointing;
    bool pointing_ = true;
    bool printing_ = false;
    bool drawOutline_ = false;
    TGridSize gridSize_ = gs4x4;
    bool showGrid_ = false;
    bool snapToGrid_ = false;
    bool toolCursor_ = false;
    bool notificationsHeld_ = false;
    int stepDepth_ = 0;
    QString stepName_;
    bool drawing_ = false;
    bool pageClick_ = false;
    TFontDesc panelFont_;

    std::shared_ptr<TObjectLayer> layer_;
    TObjectLayer::TList &objects_;
    std::map<TLPanelState, std::string> toolClasses_;
    TGHandle handle_;

    TGesture gesture_ = TGesture::None;
    bool banding_ = false;
    TRect band_; // anchor corner and current corner, not normalised

    TBytes clipboard_;
    std::optional<int64_t> lastPaste_;
    TObjectMenu pageMenu_;
    QPointer<QMenu> shownMenu_;
    TPopupHook popupHook_;
    TTickSource ticks_ = SteadyTicks;
    TScreenCursor cursor_ = TScreenCursor::Default;
};

} // namespace velmora
