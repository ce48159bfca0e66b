#include "objects/ObjectMenu.h"

#include <QMenu>

namespace velmora {

TMenuEntry &TObjectMenu::add(std::string name, const QString &text, std::function<void()> action)
{
    TMenuEntry entry;
    entry.name = std::move(name);
    entry.text = text;
    entry.action = std::move(action);
    entries_.push_back(std::move(entry));
    return entries_.back();
}

void TObjectMenu::addSeparator()
{
    TMenuEntry entry;
    entry.text = QStringLiteral("-");
    entries_.push_back(std::move(entry));
}

TMenuEntry *TObjectMenu::find(std::string_view name)
{
    for (TMenuEntry &e : entries_)
        if (!e.name.empty() && e.name == name) return &e;
    return nullptr;
}

const TMenuEntry *TObjectMenu::find(std::string_view name) const
{
    return const_cast<TObjectMenu *>(this)->find(name);
}

void TObjectMenu::fill(QMenu &menu, const std::function<bool()> &guard) const
{
    menu.clear();
    for (const TMenuEntry &e : entries_) {
        if (e.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(e.text);
        action->setObjectName(QString::fromStdString(e.name));
        action->setCheckable(e.checkable);
        action->setChecked(e.checked);
        action->setEnabled(e.enabled);
        // The action keeps its own copy: running it may destroy the menu's owner, and with
        // it the entry this copy came from.
        QObject::connect(action, &QAction::triggered, &menu, [fn = e.action, guard] {
            if (fn && (!guard || guard())) fn();
        });
    }
}

} // namespace velmora
