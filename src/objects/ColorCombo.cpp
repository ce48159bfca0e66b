#include "objects/ColorCombo.h"
#include "common/ColorSwatch.h"

#include "objects/ObjectDialogs.h"

#include <QPixmap>

#include <utility>

namespace velmora {
namespace {

constexpr int kStandardCount = 16;

} // namespace

TColorCombo::TColorCombo(QWidget *parent) : QComboBox(parent)
{
    for (const auto &[color, name] : StandardColors())
        addItem(ColorSwatch(color), QLatin1String(name), QVariant::fromValue(color));
    addItem(QStringLiteral("More Colors..."));
    connect(this, &QComboBox::activated, this, &TColorCombo::itemActivated);
    SetColor(clBlack);
}

void TColorCombo::SetColor(TColor color)
{
    color_ = color;
    // One extra item holds a colour outside the standard sixteen.
    if (count() > kStandardCount + 1) removeItem(kStandardCount);
    int index = findData(QVariant::fromValue(color));
    if (index < 0) {
        insertItem(kStandardCount, ColorSwatch(color), QStringLiteral("Custom"),
                   QVariant::fromValue(color));
        index = kStandardCount;
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

void TColorCombo::PickColor(TColor color)
{
    SetColor(color);
    emit colorPicked(color);
}

void TColorCombo::itemActivated(int index)
{
    if (index != moreIndex()) {
        PickColor(itemData(index).value<TColor>());
        return;
    }
    if (const auto chosen = ChooseObjectColor(window(), color_))
        PickColor(*chosen);
    else
        SetColor(color_);
}

} // namespace velmora
