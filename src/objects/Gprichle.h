#pragma once
// The "Rich Text Editor" window of rich text labels: the formatting toolbar with two zoom
// buttons of its own, the label's document on a panel the size of the label, Ok, Cancel
// and Help.
#include <QDialog>

#include <functional>

class QScrollArea;
class QToolButton;

namespace velmora {

class TGPRichBaseLabel;
class TWPRichText;
class TWPToolBar;

class TRichTextLabelEditor : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 40013;
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 100;
    static constexpr int kZoomStep = 10;

    explicit TRichTextLabelEditor(QWidget *parent = nullptr);

    // Takes a copy of the label's document, its background and its size on the page.
    void Load(const TGPRichBaseLabel &label);
    // Gives the edited document to the label.
    void Apply(TGPRichBaseLabel &label) const;

    TWPRichText *WPRichText1() const { return editor_; }
    TWPToolBar *WPToolBar1() const { return toolBar_; }
    QWidget *WPPanel() const { return panel_; }
    int ZoomPercent() const;

    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();
    void OkbuttonClick() { accept(); }
    void CancelbuttonClick() { reject(); }
    void HelpbuttonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void zoomTo(int percent);
    void updateZoomButtons();

    TWPToolBar *toolBar_;
    QScrollArea *scroll_;
    QWidget *panel_;
    TWPRichText *editor_;
    QToolButton *zoomPlus_;
    QToolButton *zoomMinus_;
    // The panel's size at the zoom it was loaded with; zooming scales from it, so going in
    // and out again gives back the same size.
    int referenceWidth_ = 0;
    int referenceHeight_ = 0;
    int referenceZoom_ = 100;
};

// Runs the editor modally; tests put in a function that works the editor without a loop.
// Returns true for OK.
std::function<bool(TRichTextLabelEditor &)> &RichTextEditorDialogHook();

// Makes Edit of rich text labels open this editor.
void InstallRichTextEditor();

} // namespace velmora
