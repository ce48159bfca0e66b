#pragma once
// What the recurring date dialogs share: their window frames and how they are run.

#include "common/Program.h"

#include <QDialog>

#include <filesystem>
#include <functional>

namespace velmora {

// A fixed frame; with a system menu the frame also has a close box.
void SetFixedDialogFrame(QDialog *dialog, bool systemMenu);

// QXRECUR.DAX in the application folder.
std::filesystem::path RecurStorePath();

} // namespace velmora
