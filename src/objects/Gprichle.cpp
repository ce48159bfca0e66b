#include "objects/Gprichle.h"

#include "common/Color.h"
#include "common/DialogButtons.h"
#include "common/Program.h"
#include "objects/Gprichl.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velmora {

std::function<bool(TRichTextLabelEditor &)> &RichTextEditorDialogHook()
{
    static std::function<bool(TRichTextLabelEditor &)> hook;
    return hook;
}

void InstallRichTextEditor()
{
    RichTextEditorRunner() = [](TGPRichBaseLabel &label) {
        BeginWait();
        bool ok = false;
        {
            TRichTextLabelEditor editor(QApplication::activeWindow());
            editor.Load(label);
            if (const auto &hook = RichTextEditorDialogHook()) {
                ok = hook(editor);
            } else {
                CenterForm(&editor);
                EndWait();
                ok = editor.exec() == QDialog::Accepted;
                BeginWait();
            }
            if (ok) editor.Apply(label);
        }
        EndWait();
        return ok;
    };
}

TRichTextLabelEditor::TRichTextLabelEditor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("RichTextLabelEditor"));
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    auto *layout = new QVBoxLayout(this);

    toolBar_ = new TWPToolBar(this);
    toolBar_->setObjectName(QStringLiteral("WPToolBar1"));
    layout->addWidget(toolBar_);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollBox1"));
    scroll_->setWidgetResizable(false);
    scroll_->setBackgroundRole(QPalette::Dark);
    panel_ = new QWidget;
    panel_->setObjectName(QStringLiteral("WPPanel"));
    panel_->setAutoFillBackground(true);
    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    editor_ = new TWPRichText(panel_);
    editor_->setObjectName(QStringLiteral("WPRichText1"));
    panelLayout->addWidget(editor_);
    scroll_->setWidget(panel_);
    layout->addWidget(scroll_, 1);
    toolBar_->Attach(editor_);

    auto addZoomButton = [this](const QString &name, const QString &text, const QString &hint) {
        auto *b = new QToolButton(toolBar_);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
        toolBar_->addSeparator();
        toolBar_->addWidget(b);
        return b;
    };
    zoomPlus_ = addZoomButton(QStringLiteral("ZoomPlusButton"), QStringLiteral("+"),
                              QStringLiteral("Zoom In"));
    zoomMinus_ = addZoomButton(QStringLiteral("ZoomMinusButton"), QStringLiteral("-"),
                               QStringLiteral("Zoom Out"));
    connect(zoomPlus_, &QToolButton::clicked, this, [this] { ZoomPlusButtonClick(); });
    connect(zoomMinus_, &QToolButton::clicked, this, [this] { ZoomMinusButtonClick(); });

    QDialogButtonBox *strip = OkCancelHelpButtons(
        this, [this] { OkbuttonClick(); }, [this] { CancelbuttonClick(); },
        [this] { HelpbuttonClick(); },
        {.ok = "Okbutton", .cancel = "Cancelbutton", .help = "Helpbutton"});
    // Enter belongs to the text being written, never to a button.
    for (QAbstractButton *b : strip->buttons()) {
        auto *button = static_cast<QPushButton *>(b);
        button->setDefault(false);
        button->setAutoDefault(false);
    }
    layout->addWidget(strip);
    resize(640, 420);
    updateZoomButtons();
}

int TRichTextLabelEditor::ZoomPercent() const
{
    return editor_->ZoomPercent();
}

void TRichTextLabelEditor::Load(const TGPRichBaseLabel &label)
{
    // The zoom first: the document is scaled to it as it is loaded.
    const int zoom = static_cast<int>(std::lround(double(label.ZoomFactor()) * 100.0));
    editor_->SetZoomPercent(zoom);
    // Lines break where the label breaks them: at its width on the page.
    editor_->SetPageSizeTwips(label.Width() * 15, label.Height() * 15);
    editor_->LoadFromStore(label.RTFText());
    const TColor bg = label.Transparent() ? clWhite : label.BGColor();
    QPalette p = panel_->palette();
    p.setColor(QPalette::Window, ToQColor(bg));
    panel_->setPalette(p);
    editor_->SetBackgroundColor(ToQColor(bg));
    const TRect r = label.ScreenRect();
    panel_->resize(r.width() + 1, r.height() + 1);
    referenceWidth_ = panel_->width();
    referenceHeight_ = panel_->height();
    referenceZoom_ = editor_->ZoomPercent();
    // Room for the whole panel where the screen allows it.
    resize(std::max(width(), referenceWidth_ + 60), std::max(height(), referenceHeight_ + 140));
    updateZoomButtons();
}

void TRichTextLabelEditor::Apply(TGPRichBaseLabel &label) const
{
    TWPRtfStorage store;
    editor_->SaveToStore(store);
    label.SetRTFText(store);
    label.Invalidate();
    label.NotifyChanged();
}

void TRichTextLabelEditor::zoomTo(int percent)
{
    editor_->SetZoomPercent(percent);
    const double f = double(percent) / referenceZoom_;
    panel_->resize(static_cast<int>(std::lround(f * referenceWidth_)),
                   static_cast<int>(std::lround(f * referenceHeight_)));
    updateZoomButtons();
}

void TRichTextLabelEditor::ZoomPlusButtonClick()
{
    if (ZoomPercent() < kMaxZoom) zoomTo(std::min(kMaxZoom, ZoomPercent() + kZoomStep));
}

void TRichTextLabelEditor::ZoomMinusButtonClick()
{
    if (ZoomPercent() > kMinZoom) zoomTo(std::max(kMinZoom, ZoomPercent() - kZoomStep));
}

void TRichTextLabelEditor::updateZoomButtons()
{
    zoomPlus_->setEnabled(ZoomPercent() < kMaxZoom);
    zoomMinus_->setEnabled(ZoomPercent() > kMinZoom);
}

void TRichTextLabelEditor::HelpbuttonClick()
{
    ShowHelpContext(kHelpTopic);
}

void TRichTextLabelEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    editor_->FocusAtStart();
}

} // namespace velmora
