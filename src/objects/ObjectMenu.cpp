#include "objects/ObjectMenu.h"

#include <QMenu>

namespace velmora {
namespace {

TMenuEntry &addEntry(std::vector<TMenuEntry> &entries, std::string name, const QString &text,
                     std::function<void()> action)
{
    TMenuEntry entry;
    entry.name = std::move(name);
    entry.text = text;
    entry.action = std::move(action);
    entries.push_back(std::move(entry));
    return entries.back();
}

TMenuEntry *findEntry(std::vector<TMenuEntry> &entries, std::string_view name)
{
    for (TMenuEntry &e : entries) {
        if (!e.name.empty() && e.name == name) return &e;
        if (TMenuEntry *inner = findEntry(e.items, name)) return inner;
    }
    return nullptr;
}

void fillMenu(QMenu &menu, const std::vector<TMenuEntry> &entries,
              const std::function<bool()> &guard)
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
            fillMenu(*sub, e.items, guard);
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

} // namespace

TMenuEntry &TMenuEntry::add(std::string itemName, const QString &itemText,
                            std::function<void()> fn)
{
    return addEntry(items, std::move(itemName), itemText, std::move(fn));
}

TMenuEntry &TObjectMenu::add(std::string name, const QString &text, std::function<void()> action)
{
    return addEntry(entries_, std::move(name), text, std::move(action));
}

void TObjectMenu::addSeparator()
{
    TMenuEntry entry;
    entry.text = QStringLiteral("-");
    entries_.push_back(std::move(entry));
}

TMenuEntry *TObjectMenu::find(std::string_view name)
{
    return findEntry(entries_, name);
}

const TMenuEntry *TObjectMenu::find(std::string_view name) const
{
    return const_cast<TObjectMenu *>(this)->find(name);
}

void TObjectMenu::fill(QMenu &menu, const std::function<bool()> &guard) const
{
    menu.clear();
    fillMenu(menu, entries_, guard);
}

} // namespace velmora
