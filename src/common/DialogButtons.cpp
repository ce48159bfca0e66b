#include "common/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace velmora {

namespace {

QPushButton *addButton(QDialogButtonBox *buttons, const QString &text,
                       QDialogButtonBox::ButtonRole role, const char *name,
                       std::function<void()> handler)
{
    QPushButton *b = buttons->addButton(text, role);
    b->setObjectName(QLatin1String(name));
    QObject::connect(b, &QPushButton::clicked, buttons, std::move(handler));
    return b;
}

} // namespace

QDialogButtonBox *OkCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                      std::function<void()> cancel, std::function<void()> help,
                                      const TButtonNames &names)
{
    auto *buttons = new QDialogButtonBox(dialog);
    if (!ok)
        ok = [dialog] { dialog->accept(); };
    if (!cancel)
        cancel = [dialog] { dialog->reject(); };
    addButton(buttons, QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole, names.ok, std::move(ok))
        ->setDefault(true);
    addButton(buttons, QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole, names.cancel,
              std::move(cancel));
    if (help)
        addButton(buttons, QStringLiteral("&Help"), QDialogButtonBox::HelpRole, names.help,
                  std::move(help));
    return buttons;
}

QPushButton *AddRowButton(QDialogButtonBox *buttons, const QString &text, const char *name,
                          std::function<void()> handler)
{
    return addButton(buttons, text, QDialogButtonBox::ActionRole, name, std::move(handler));
}

QPushButton *RowButton(QDialogButtonBox *buttons, const char *name)
{
    return buttons->findChild<QPushButton *>(QLatin1String(name));
}

} // namespace velmora
