#include "objects/Gf3d.h"

#include "common/Canvas.h"
#include "common/Program.h"
#include "objects/ColorCombo.h"
#include "objects/ObjectDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

QStringList depthItems(int max)
{
    QStringList items;
    for (int d = 0; d <= max; ++d)
        items << QString::number(d);
    return items;
}

// A list shows a value by its index; one it has no item for shows nothing.
void showValue(QComboBox *list, int value)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

} // namespace

TLabelPreview::TLabelPreview(TGBaseLabel &label, QWidget *parent) : QWidget(parent), label_(label)
{
}

void TLabelPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    TCanvas canvas(painter, TFontDesc::kFontPpi);
    label_.Paint(canvas);
}

TGFont3DEffects::TGFont3DEffects(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GFont3DEffects"));
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowContextHelpButtonHint);
    sample_.SetCaption("Text");
    sample_.SetBounds(0, 0, kPreviewWidth, kPreviewHeight);

    auto *grid = new QGridLayout;
    const auto row = [this, grid](int r, int column, const char *caption, QWidget *control) {
        auto *label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(control);
        grid->addWidget(label, r, column);
        grid->addWidget(control, r, column + 1);
    };
    shadowDirection_ = makeList("ShadowDirection", {"None", "Right", "Left", "Lower Right",
                                                    "Lower Left", "Down"});
    shadowColor_ = makeColorCombo("ShadowColorCombo");
    shadowDepth_ = makeList("ShadowDepth", depthItems(kMaxListedDepth));
    highlightDirection_ = makeList("HighlightDirection", {"None", "Right", "Left",
                                                          "Upper Right", "Upper Left", "Up"});
    highlightColor_ = makeColorCombo("HighLightColorCombo");
    highlightDepth_ = makeList("HighLightDepth", depthItems(kMaxListedDepth));
    fontColor_ = makeColorCombo("FontColorCombo");
    row(0, 0, "Shadow Direction", shadowDirection_);
    row(1, 0, "Shadow Color", shadowColor_);
    row(2, 0, "Shadow Depth", shadowDepth_);
    row(0, 2, "Highlight Direction", highlightDirection_);
    row(1, 2, "Highlight Color", highlightColor_);
    row(2, 2, "Highlight Depth", highlightDepth_);
    row(3, 0, "Font Color", fontColor_);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    preview_ = new TLabelPreview(sample_, panel);
    preview_->setObjectName(QStringLiteral("Sample"));
    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    panelLayout->addWidget(preview_, 0, Qt::AlignCenter);

    auto *buttons = OkCancelHelpButtons(this, [this] { OkClick(); }, [this] { CancelClick(); },
                                        [this] { HelpClick(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(panel);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connectControls();
}

QComboBox *TGFont3DEffects::makeList(const char *name, const QStringList &items)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    return list;
}

TColorCombo *TGFont3DEffects::makeColorCombo(const char *name)
{
    auto *combo = new TColorCombo(this);
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

void TGFont3DEffects::connectControls()
{
    // Every choice shows at once, on the preview only; the label changes on OK.
    const auto onList = [this](QComboBox *list, auto apply) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, apply](int index) {
            if (index < 0) return;
            apply(index);
            previewChanged();
        });
    };
    onList(shadowDirection_, [this](int i) { sample_.SetDirectionShadow(TShadowDirection(i)); });
    onList(shadowDepth_, [this](int i) { sample_.SetDepthShadow(i); });
    onList(highlightDirection_,
           [this](int i) { sample_.SetDirectionHighlight(THighlightDirection(i)); });
    onList(highlightDepth_, [this](int i) { sample_.SetDepthHighlight(i); });
    const auto onColor = [this](TColorCombo *combo, auto apply) {
        connect(combo, &TColorCombo::colorPicked, this, [this, apply](TColor c) {
            apply(c);
            previewChanged();
        });
    };
    onColor(shadowColor_, [this](TColor c) { sample_.SetColorShadow(c); });
    onColor(highlightColor_, [this](TColor c) { sample_.SetColorHighlight(c); });
    onColor(fontColor_, [this](TColor c) {
        TFontDesc font = sample_.Font();
        font.color = c;
        sample_.SetFont(font);
    });
}

void TGFont3DEffects::previewChanged()
{
    preview_->update();
}

void TGFont3DEffects::Load(const TGBaseLabel &label)
{
    // The label's own words show the effects best; an empty label keeps the sample word.
    if (!label.Caption().empty())
        sample_.SetCaption(label.Caption());
    sample_.SetFont(label.Font());
    sample_.SetDepthShadow(label.DepthShadow());
    sample_.SetDepthHighlight(label.DepthHighlight());
    sample_.SetDirectionShadow(label.DirectionShadow());
    sample_.SetDirectionHighlight(label.DirectionHighlight());
    sample_.SetColorShadow(label.colorShadow());
    sample_.SetColorHighlight(label.colorHighlight());
    sample_.SetBounds(0, 0, kPreviewWidth, kPreviewHeight);
    highlightColor_->SetColor(label.colorHighlight());
    shadowColor_->SetColor(label.colorShadow());
    fontColor_->SetColor(label.Font().color);
    showValue(shadowDirection_, label.DirectionShadow());
    showValue(shadowDepth_, label.DepthShadow());
    showValue(highlightDirection_, label.DirectionHighlight());
    showValue(highlightDepth_, label.DepthHighlight());
    previewChanged();
}

void TGFont3DEffects::Apply(TGBaseLabel &label) const
{
    label.SetFont(sample_.Font());
    label.SetDepthShadow(sample_.DepthShadow());
    label.SetDepthHighlight(sample_.DepthHighlight());
    label.SetDirectionShadow(sample_.DirectionShadow());
    label.SetDirectionHighlight(sample_.DirectionHighlight());
    label.SetColorShadow(sample_.colorShadow());
    label.SetColorHighlight(sample_.colorHighlight());
}

void TGFont3DEffects::HelpClick()
{
    ShowHelpContext(kHelpTopic);
}

} // namespace velmora
