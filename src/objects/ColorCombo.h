#pragma once
// A colour drop-down for the objects' dialogs: the sixteen standard colours, the current
// colour when it is none of them, and "More Colors..." for any other.
#include "common/Color.h"

#include <QComboBox>

namespace velmora {

class TColorCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit TColorCombo(QWidget *parent = nullptr);

    TColor Color() const { return color_; }
    // Shows a colour without reporting it. The value is kept exactly, system colours too.
    void SetColor(TColor color);
    // The user's choice: shows the colour and reports it.
    void PickColor(TColor color);

signals:
    void colorPicked(TColor color);

private:
    void itemActivated(int index);
    int moreIndex() const { return count() - 1; }

    TColor color_ = clBlack;
};

} // namespace velmora
