#include "objects/ObjectDialogs.h"

#include "common/Program.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace velmora {

TObjectDialogHooks &ObjectDialogHooks()
{
    static TObjectDialogHooks hooks;
    return hooks;
}

std::optional<TColor> ChooseObjectColor(QWidget *parent, TColor initial)
{
    if (const auto &hook = ObjectDialogHooks().chooseColor) return hook(initial);
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

} // namespace velmora
