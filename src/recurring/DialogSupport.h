#pragma once
// What the recurring date dialogs share: their window frames and how they are run.

#include <QDialog>

#include <filesystem>
#include <functional>

class QPushButton;

namespace velmora {

// A fixed frame; with a system menu the frame also has a close box.
void SetFixedDialogFrame(QDialog *dialog, bool systemMenu);

// Centred over the main window and run modally; true when it closed with OK.
bool RunCentredModal(QDialog &dialog);

// How a command runs one of its dialogs. Empty means RunCentredModal; tests put in a
// function that sets the controls and calls the dialog's handlers instead.
template <class Dialog> using DialogRunner = std::function<bool(Dialog &)>;

template <class Dialog> bool runDialog(const DialogRunner<Dialog> &runner, Dialog &dialog)
{
    return runner ? runner(dialog) : RunCentredModal(dialog);
}

// QXRECUR.DAX in the application folder.
std::filesystem::path RecurStorePath();

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption);

} // namespace velmora
