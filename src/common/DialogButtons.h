#pragma once
// The button row every dialog ends with: "Ok" (the default), "Cancel" and, when the dialog
// has help, "Help", each calling its handler. The object names are the designed ones.
#include <functional>

class QDialog;
class QDialogButtonBox;

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

} // namespace velmora
