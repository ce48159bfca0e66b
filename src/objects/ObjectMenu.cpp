#include "objects/ObjectMenu.h"

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

} // namespace velmora
