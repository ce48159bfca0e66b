#pragma once
// A drop-down colour picker: the sixteen standard colours and "More Colors..." for any
// other, shown as a swatch on the button.
#include "common/Color.h"

#include <QToolButton>

namespace velmora {

class TColorDropButton : public QToolButton
{
    Q_OBJECT
public:
    explicit TColorDropButton(const QString &caption, QWidget *parent = nullptr);

    TColor Color() const { return color_; }
    // Shows a colour without reporting it.
    void SetColor(TColor color);
    // The user's choice: shows the colour and reports it.
    void PickColor(TColor color);

signals:
    void colorPicked(TColor color);

private:
    void buildMenu();
    TColor color_ = clWhite;
};

} // namespace velmora
