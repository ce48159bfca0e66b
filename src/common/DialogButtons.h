#pragma once
// The button row every dialog ends with: "Ok" (the default), "Cancel" and, when the dialog
// has help, "Help", each calling its handler, with Alt+O, Alt+C and Alt+H as their keys.
// The object names are the designed ones. A dialog with commands of its own adds them to the
// same row with AddRowButton.
#include <functional>

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QString;

namespace velmora {

struct TButtonNames
{
    const char *ok = "OkButton";
    const char *cancel = "CancelButton";
    const char *help = "HelpButton";
};

// Without an ok or cancel handler the button accepts or rejects the dialog; without a help
// handler there is no Help button.
QDialogButtonBox *OkCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                      std::function<void()> cancel,
                                      std::function<void()> help = nullptr,
                                      const TButtonNames &names = {});

// A further command in the row, beside Ok and Cancel.
QPushButton *AddRowButton(QDialogButtonBox *buttons, const QString &text, const char *name,
                          std::function<void()> handler);
// A button of the row by its object name; nullptr when there is none.
QPushButton *RowButton(QDialogButtonBox *buttons, const char *name);

} // namespace velmora
