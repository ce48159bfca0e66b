// Showing a menu kept as data: one QAction per entry, built just before it pops up.
#include "objects/ObjectMenu.h"

#include <QMenu>

namespace velmora {
namespace {

QString plainText(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    return plain;
}

void fillMenu(QMenu &menu, const std::vector<TMenuEntry> &entries,
              const std::function<bool()> &guard, const TObjectMenu::TRunner &runner,
              const QString &parentText)
{
    for (const TMenuEntry &e : entries) {
        if (e.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (!e.items.empty()) {
            QMenu *sub = menu.addMenu(e.text);
            sub->setObjectName(QString::fromStdString(e.name));
            sub->setEnabled(e.enabled);
            fillMenu(*sub, e.items, guard, runner, plainText(e.text) + QLatin1Char(' '));
            continue;
        }
        QAction *action = menu.addAction(e.text);
        action->setObjectName(QString::fromStdString(e.name));
        action->setCheckable(e.checkable);
        action->setChecked(e.checked);
        action->setEnabled(e.enabled);
        // The action keeps its own copy: running it may destroy the menu's owner, and with
        // it the entry this copy came from.
        QObject::connect(action, &QAction::triggered, &menu,
                         [fn = e.action, guard, runner, text = parentText + plainText(e.text)] {
                             if (!fn || (guard && !guard())) return;
                             if (runner)
                                 runner(text, fn);
                             else
                                 fn();
                         });
    }
}

} // namespace

void TObjectMenu::fill(QMenu &menu, const std::function<bool()> &guard, const TRunner &runner) const
{
    menu.clear();
    fillMenu(menu, entries_, guard, runner, QString());
}

} // namespace velmora
