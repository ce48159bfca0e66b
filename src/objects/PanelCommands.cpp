// The object host's commands: the page menu, the object clipboard, clone, arranging, and
// keeping objects on the page.
#include "objects/Gbasepnl.h"
#include "objects/Gimageb.h"

#include "common/Program.h"
#include "objects/Gf3d.h"
#include "objects/LabelTextDialog.h"
#include "objects/ObjectDialogs.h"
#include "objects/ObjectFiler.h"

#include <QMenu>

#include <algorithm>
#include <climits>

namespace velmora {
namespace {

// A second paste this soon after the last one is taken for a key bounce and ignored.
constexpr int64_t kPasteIntervalMs = 1000;
// Pasted objects land this far right and down from where they were copied.
constexpr int kPasteOffset = 15;
constexpr int kCloneOffset = 25;

enum TAlign { alLeft, alRight, alTops, alBottoms };

// Page menu entries that need a selection.
constexpr std::string_view kSelectionEntries[] = {
    "BringToFront",       "SendToBack", "Cut",       "Copy",         "Delete",
    "AlignLeft",          "AlignRight", "AlignTops", "AlignBottoms", "CenterVertically",
    "CenterHorizontally", "Font"};

} // namespace

void TGBasePanel::buildPageMenu()
{
    TObjectMenu &m = pageMenu_;
    m.add("BringToFront", QStringLiteral("Bring To Front"), [this] {
        for (TGGraphicControl *o : handle_.Selection())
            BringObjectToFront(o);
        setFocus();
        FireLabelChanged();
    });
    m.add("SendToBack", QStringLiteral("Send To Back"), [this] {
        for (TGGraphicControl *o : handle_.Selection())
            SendObjectToBack(o);
        handle_.ClearSelection();
        FireLabelChanged();
    });
    m.addSeparator();
    m.add("Cut", QStringLiteral("Cut"), [this] { ClipboardAction(ckCut); });
    m.add("Copy", QStringLiteral("Copy"), [this] { ClipboardAction(ckCopy); });
    m.add("Paste", QStringLiteral("Paste"), [this] { ClipboardAction(ckPaste); });
    m.addSeparator();
    m.add("Delete", QStringLiteral("Delete"), [this] { ClipboardAction(ckDelete); });
    m.addSeparator();
    m.add("AlignLeft", QStringLiteral("Align Left"), [this] { alignSelection(alLeft); });
    m.add("AlignRight", QStringLiteral("Align Right"), [this] { alignSelection(alRight); });
    m.add("AlignTops", QStringLiteral("Align Tops"), [this] { alignSelection(alTops); });
    m.add("AlignBottoms", QStringLiteral("Align Bottoms"), [this] { alignSelection(alBottoms); });
    m.addSeparator();
    m.add("CenterVertically", QStringLiteral("Center Vertically"),
          [this] { centerSelection(true); });
    m.add("CenterHorizontally", QStringLiteral("Center Horizontally"),
          [this] { centerSelection(false); });
    m.addSeparator();
    m.add("LockAll", QStringLiteral("Lock All"), [this] {
        for (TGGraphicControl *o : allObjects())
            if (!o->Locked()) o->SetLocked(true);
    });
    m.add("UnlockAll", QStringLiteral("Unlock All"), [this] {
        for (TGGraphicControl *o : allObjects())
            if (o->Locked()) o->SetLocked(false);
    });
    m.addSeparator();
    m.add("MarkAllSelectable", QStringLiteral("Mark All Selectable"), [this] {
        for (TGGraphicControl *o : allObjects())
            o->SetUnselectable(false);
    });
    m.add("MarkAllUnselectable", QStringLiteral("Mark All Unselectable"), [this] {
        for (TGGraphicControl *o : allObjects())
            o->SetUnselectable(true);
    });
    m.add("SelectAll", QStringLiteral("Select All"), [this] {
        handle_.ClearSelection();
        for (TGGraphicControl *o : allObjects())
            handle_.Select(o);
    });
    m.addSeparator();
    m.add("Font", QStringLiteral("Font"), [this] { applyFontToSelection(); });
}

void TGBasePanel::UpdatePageMenu()
{
    const bool selected = handle_.SelectedCount() > 0;
    for (std::string_view name : kSelectionEntries)
        if (TMenuEntry *e = pageMenu_.find(name)) e->enabled = selected;
    if (TMenuEntry *paste = pageMenu_.find("Paste")) paste->enabled = CanPaste();
}

void TGBasePanel::showMenu(const TObjectMenu &menu, const QPoint &globalPos,
                           std::function<bool()> guard)
{
    // The previous menu may still be on its way out of a triggered action.
    if (shownMenu_) shownMenu_->deleteLater();
    shownMenu_ = new QMenu(this);
    // Each entry's changes are one undo step named after the entry.
    menu.fill(*shownMenu_, guard, [this](const QString &text, const std::function<void()> &action) {
        const TChangeStep step(*this, text);
        action();
    });
    if (popupHook_)
        popupHook_(*shownMenu_, globalPos);
    else
        shownMenu_->popup(globalPos);
}

void TGBasePanel::ShowPageMenu(const QPoint &globalPos)
{
    UpdatePageMenu();
    showMenu(pageMenu_, globalPos, {});
}

void TGBasePanel::ShowObjectMenu(TGGraphicControl &object, const QPoint &globalPos)
{
    object.PopupShowing();
    if (object.PopupMenu().empty()) return;
    TGGraphicControl *target = &object;
    const uint64_t serial = object.Serial();
    showMenu(object.PopupMenu(), globalPos,
             [this, target, serial] { return Contains(target) && target->Serial() == serial; });
}

void TGBasePanel::ClipboardAction(TClipboardKind kind, TGGraphicControl *object)
{
    if (kind == ckPaste) {
        paste();
        return;
    }
    const std::vector<TGGraphicControl *> targets =
        object == nullptr || handle_.IsSelected(object) ? handle_.Selection() : std::vector{object};
    if (targets.empty()) return;
    if (kind == ckCut || kind == ckCopy) writeClipboard(targets);
    if (kind == ckCut || kind == ckDelete) deleteObjects(targets);
}

void TGBasePanel::writeClipboard(const std::vector<TGGraphicControl *> &objects)
{
    clipboard_ = TGLabelObjectFiler::WriteObjects(objects);
}

void TGBasePanel::deleteObjects(const std::vector<TGGraphicControl *> &objects)
{
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        DestroyObject(*it);
        FireLabelChanged();
    }
}

void TGBasePanel::paste()
{
    if (lastPaste_ && Ticks() - *lastPaste_ < kPasteIntervalMs) return;
    if (clipboard_.empty()) return;
    std::vector<std::unique_ptr<TGGraphicControl>> pasted;
    try {
        pasted = TGLabelObjectFiler::ReadObjects(clipboard_);
    } catch (const EReadError &e) {
        // A user command: the error is reported here and never crosses the event loop.
        ShowInformation(QString::fromUtf8(e.what()));
        return;
    }
    for (auto &o : pasted) {
        if (std::string name = FreeName("Component", 0); !name.empty()) o->SetName(std::move(name));
        o->SetBounds(o->Left() + kPasteOffset, o->Top() + kPasteOffset, o->Width(), o->Height());
        adopt(std::move(o));
    }
    AttachObjects();
    FireLabelChanged();
    lastPaste_ = Ticks();
}

TGGraphicControl *TGBasePanel::CloneObject(TGGraphicControl &source)
{
    if (!Contains(&source)) return nullptr;
    std::vector<std::unique_ptr<TGGraphicControl>> copies;
    try {
        const TBytes bytes = TGLabelObjectFiler::WriteObjects(std::vector{&source});
        copies = TGLabelObjectFiler::ReadObjects(bytes);
    } catch (const EReadError &e) {
        ShowInformation(QString::fromUtf8(e.what()));
        return nullptr;
    }
    if (copies.size() != 1) return nullptr;
    if (std::string name = FreeName("Component", 0); !name.empty())
        copies.front()->SetName(std::move(name));
    TGGraphicControl *clone = adopt(std::move(copies.front())); // on top of all others
    clone->SetTop(source.Top() + kCloneOffset);
    if (handle_.IsSelected(&source)) {
        handle_.Unselect(&source);
        handle_.Select(clone);
    }
    AttachObjects();
    clone->NotifyChanged();
    return clone;
}

void TGBasePanel::alignSelection(int how)
{
    const std::vector<TGGraphicControl *> &sel = handle_.Selection();
    if (sel.empty()) return;
    FireLabelChanged();
    int edge = how == alLeft ? UnzoomedWidth() : how == alTops ? UnzoomedHeight() : 0;
    for (const TGGraphicControl *o : sel) {
        if (how == alLeft)
            edge = std::min(edge, o->Left());
        else if (how == alRight)
            edge = std::max(edge, o->Left() + o->Width());
        else if (how == alTops)
            edge = std::min(edge, o->Top());
        else
            edge = std::max(edge, o->Top() + o->Height());
    }
    // Copied: moving an object realigns the frame but never changes the selection.
    for (TGGraphicControl *o : std::vector(sel)) {
        if (how == alLeft)
            o->SetLeft(edge);
        else if (how == alRight)
            o->SetLeft(edge - o->Width());
        else if (how == alTops)
            o->SetTop(edge);
        else
            o->SetTop(edge - o->Height());
    }
}

void TGBasePanel::centerSelection(bool vertically)
{
    for (TGGraphicControl *o : std::vector(handle_.Selection())) {
        if (vertically)
            o->CenterVertically();
        else
            o->CenterHorizontally();
    }
}

void TGBasePanel::applyFontToSelection()
{
    if (!ChooseFont || handle_.SelectedCount() == 0) return;
    const std::optional<TFontDesc> font = ChooseFont(panelFont_);
    if (!font) return;
    for (TGGraphicControl *o : std::vector(handle_.Selection()))
        o->ApplyFont(*font);
    update();
}

void TGBasePanel::ClampObjects()
{
    handle_.ClearSelection();
    const int w = UnzoomedWidth();
    const int h = UnzoomedHeight();
    for (TGGraphicControl *o : allObjects()) {
        if (o->Top() > h - 10) o->SetTop(h - 10);
        if (o->Left() > w - 20) o->SetLeft(w - 20);
    }
}

void TGBasePanel::PurgeObjects()
{
    handle_.ClearSelection();
    const int w = UnzoomedWidth();
    const int h = UnzoomedHeight();
    for (TGGraphicControl *o : allObjects())
        if (o->Top() > h - 10 || o->Left() > w - 10 || o->Width() < 1 || o->Height() < 1)
            DestroyObject(o);
}

std::optional<TFontDesc> TGBasePanel::ChooseObjectFont(const TFontDesc &start)
{
    if (!ChooseFont) return std::nullopt;
    return ChooseFont(start);
}

std::optional<TColor> TGBasePanel::ChooseObjectColor(TColor start)
{
    return velmora::ChooseObjectColor(this, start);
}

std::optional<std::string> TGBasePanel::EditLabelText(const std::string &text)
{
    TGetLabelText dialog(this);
    dialog.SetText(text);
    if (!RunDialog(ObjectDialogHooks().runLabelText, dialog)) return std::nullopt;
    return dialog.Text();
}

void TGBasePanel::ChooseObjectPicture(TGImage &image)
{
    RunLoadImageStep(image, this);
}

bool TGBasePanel::EditLabelEffects(TGBaseLabel &label)
{
    TGFont3DEffects dialog(this);
    dialog.Load(label);
    if (!RunDialog(ObjectDialogHooks().runFont3DEffects, dialog)) return false;
    dialog.Apply(label);
    return true;
}

} // namespace velmora
