#include "recurring/DialogSupport.h"

#include "common/Program.h"
#include "recurring/RecurStore.h"

#include <QLayout>
#include <QPushButton>

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

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace velmora
