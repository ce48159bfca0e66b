#pragma once
// How the design objects run their dialogs and colour choices. Each hook is empty by
// default, which means the real modal dialog centred over the main window; tests put in
// functions that set the dialog's controls and call its handlers, so nothing blocks.
#include "common/Color.h"
#include "common/DialogButtons.h"
#include "common/Program.h"

#include <functional>
#include <optional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace velmora {

class TGetLabelText;
class TGFont3DEffects;

struct TObjectDialogHooks
{
    // Each returns true when the dialog closed with OK.
    std::function<bool(TGetLabelText &)> runLabelText;
    std::function<bool(TGFont3DEffects &)> runFont3DEffects;
    // The chosen colour, or nothing when the user cancelled.
    std::function<std::optional<TColor>(TColor initial)> chooseColor;
};

TObjectDialogHooks &ObjectDialogHooks();

std::optional<TColor> ChooseObjectColor(QWidget *parent, TColor initial);

} // namespace velmora
