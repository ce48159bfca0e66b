#include "common/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace velmora {

QDialogButtonBox *OkCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                      std::function<void()> cancel, std::function<void()> help,
                                      const TButtonNames &names)
{
    auto *buttons = new QDialogButtonBox(dialog);
    auto add = [&](const QString &text, QDialogButtonBox::ButtonRole role, const char *name,
                   std::function<void()> handler) {
        QPushButton *b = buttons->addButton(text, role);
        b->setObjectName(QLatin1String(name));
        QObject::connect(b, &QPushButton::clicked, dialog, std::move(handler));
        return b;
    };
    if (!ok)
        ok = [dialog] { dialog->accept(); };
    if (!cancel)
        cancel = [dialog] { dialog->reject(); };
    add(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole, names.ok, std::move(ok))->setDefault(true);
    add(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, names.cancel, std::move(cancel));
    if (help)
        add(QStringLiteral("Help"), QDialogButtonBox::HelpRole, names.help, std::move(help));
    return buttons;
}

} // namespace velmora
