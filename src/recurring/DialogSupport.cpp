#include "recurring/DialogSupport.h"

#include "common/Program.h"
#include "recurring/RecurStore.h"

#include <QLayout>

namespace velmora {

void SetFixedDialogFrame(QDialog *dialog, bool systemMenu)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(flags);
    if (dialog->layout() != nullptr) dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

std::filesystem::path RecurStorePath()
{
    return std::filesystem::path(AppFolder().toStdString()) / kRecurStoreFileName;
}

} // namespace velmora
