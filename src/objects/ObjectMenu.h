#pragma once
// A popup menu as data: entries with their check marks and enabling, turned into a QMenu
// only when shown. Keeping it as data lets an entry's action delete the object whose menu
// it is, and lets tests read and trigger entries without a window.
// An entry with items of its own opens a submenu.
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace velmora {

struct TMenuEntry
{
    std::string name; // also the shown action's object name; empty for separators
    QString text;     // "-" for a separator
    std::function<void()> action;
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
    std::vector<TMenuEntry> items; // a submenu when not empty

    bool isSeparator() const { return text == QStringLiteral("-"); }
    // Appends an entry to this entry's submenu.
    TMenuEntry &add(std::string itemName, const QString &itemText, std::function<void()> fn);
};

class TObjectMenu
{
public:
    TMenuEntry &add(std::string name, const QString &text, std::function<void()> action);
    void addSeparator();
    void clear() { entries_.clear(); }
    // nullptr for a name the menu does not have; submenus are searched too.
    TMenuEntry *find(std::string_view name);
    const TMenuEntry *find(std::string_view name) const;
    const std::vector<TMenuEntry> &entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

    // Runs an entry's action; given the entry's text ("Align Left", "Rotation 90 Degrees"
    // for an item of a submenu) so the change it makes can be named after it.
    using TRunner = std::function<void(const QString &text, const std::function<void()> &action)>;
    // Fills `menu` with one action per entry. `guard` runs before every action; an action
    // is skipped when it returns false (the menu's owner is gone). A runner, when given,
    // runs each action.
    void fill(QMenu &menu, const std::function<bool()> &guard, const TRunner &runner = {}) const;

private:
    std::vector<TMenuEntry> entries_;
};

} // namespace velmora
