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

bool RunCentredDialog(QDialog &dialog)
{
    CenterForm(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<TColor> ChooseObjectColor(QWidget *parent, TColor initial)
{
    if (const auto &hook = ObjectDialogHooks().chooseColor) return hook(initial);
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

QDialogButtonBox *OkCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                      std::function<void()> cancel, std::function<void()> help)
{
    auto *buttons = new QDialogButtonBox(dialog);
    auto add = [&](const QString &text, QDialogButtonBox::ButtonRole role, const QString &name,
                   std::function<void()> handler) {
        QPushButton *b = buttons->addButton(text, role);
        b->setObjectName(name);
        QObject::connect(b, &QPushButton::clicked, dialog, std::move(handler));
        return b;
    };
    add(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole, QStringLiteral("OkButton"), std::move(ok))
        ->setDefault(true);
    add(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, QStringLiteral("CancelButton"),
        std::move(cancel));
    add(QStringLiteral("Help"), QDialogButtonBox::HelpRole, QStringLiteral("HelpButton"),
        std::move(help));
    return buttons;
}

} // namespace velmora
