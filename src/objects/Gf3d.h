#pragma once
// The "Text 3D Effects" dialog: direction, depth and colour of a label's shadow and
// highlight copies and the colour of its text, tried out on a preview label before the
// label itself takes them.
#include "objects/Gplabel.h"

#include <QDialog>

class QComboBox;

namespace velmora {

class TColorCombo;

// Paints one label filling the widget, as the page would paint it.
class TLabelPreview : public QWidget
{
public:
    TLabelPreview(TGBaseLabel &label, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TGBaseLabel &label_;
};

class TGFont3DEffects : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 40008;
    static constexpr int kPreviewWidth = 437;
    static constexpr int kPreviewHeight = 85;
    static constexpr int kMaxListedDepth = 10;

    explicit TGFont3DEffects(QWidget *parent = nullptr);

    // The preview and the controls take the label's font, effects and colours. A depth the
    // lists cannot show leaves them without a selection and is kept unless one is chosen.
    void Load(const TGBaseLabel &label);
    // The label takes what the preview shows.
    void Apply(TGBaseLabel &label) const;

    TGPLabel &Sample() { return sample_; }
    QComboBox *ShadowDirection() const { return shadowDirection_; }
    QComboBox *ShadowDepth() const { return shadowDepth_; }
    QComboBox *HighlightDirection() const { return highlightDirection_; }
    QComboBox *HighLightDepth() const { return highlightDepth_; }
    TColorCombo *ShadowColorCombo() const { return shadowColor_; }
    TColorCombo *HighLightColorCombo() const { return highlightColor_; }
    TColorCombo *FontColorCombo() const { return fontColor_; }

    void OkClick() { accept(); }
    void CancelClick() { reject(); }
    void HelpClick();

private:
    QComboBox *makeList(const char *name, const QStringList &items);
    TColorCombo *makeColorCombo(const char *name);
    void connectControls();
    void previewChanged();

    TGPLabel sample_;
    TLabelPreview *preview_;
    QComboBox *shadowDirection_;
    QComboBox *shadowDepth_;
    QComboBox *highlightDirection_;
    QComboBox *highlightDepth_;
    TColorCombo *shadowColor_;
    TColorCombo *highlightColor_;
    TColorCombo *fontColor_;
};

} // namespace velmora
