#include "app/MRUList.h"

#include "common/IniFile.h"

#include <QMenu>

#include <algorithm>

namespace velmora {

namespace {

QString caption(int number, const QString &path)
{
    // A '&' in a path would otherwise turn the next letter into an access key.
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(number) + QLatin1Char(' ') + shown;
}

} // namespace

TMRUFileList::TMRUFileList(QObject *parent) : QObject(parent) {}

TMRUFileList::~TMRUFileList()
{
    if (!autoSave_) return;
    try {
        save();
    } catch (const TIniFileError &) {
    }
}

void TMRUFileList::SetMaximum(int maximum)
{
    maximum_ = std::clamp(maximum, 0, 255);
}

void TMRUFileList::SetUseSubmenu(bool on)
{
    if (useSubmenu_ == on) return;
    useSubmenu_ = on;
    if (updating_ == 0) rebuildMenu();
}

void TMRUFileList::SetSubmenuName(const QString &name)
{
    if (submenuName_ == name) return;
    submenuName_ = name;
    if (updating_ == 0) rebuildMenu();
}

void TMRUFileList::SetFileMenu(QMenu *menu, QAction *anchor)
{
    removeMenuItems();
    fileMenu_ = menu;
    anchor_ = anchor;
    if (updating_ == 0) rebuildMenu();
}

std::vector<TMRUMenuItem *> TMRUFileList::MenuEntries() const
{
    std::vector<TMRUMenuItem *> entries;
    for (const QPointer<TMRUMenuItem> &item : items_)
        if (item && item->number() > 0) entries.push_back(item);
    return entries;
}

int TMRUFileList::indexOf(const QString &path) const
{
    for (qsizetype i = 0; i < files_.size(); ++i)
        if (files_[i].compare(path, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void TMRUFileList::cutToMaximum()
{
    while (files_.size() > maximum_) files_.removeLast();
}

void TMRUFileList::add(const QString &path)
{
    if (path.isEmpty()) return;
    const int existing = indexOf(path);
    if (existing >= 0) files_.removeAt(existing);
    files_.prepend(path);
    // Cut on every add, also a move: a list read long from a hand-edited file shrinks
    // at the first add whatever was opened.
    cutToMaximum();
    if (updating_ == 0) rebuildMenu();
}

void TMRUFileList::remove(const QString &path)
{
    const int existing = indexOf(path);
    if (existing < 0) return;
    files_.removeAt(existing);
    if (updating_ == 0) rebuildMenu();
}

void TMRUFileList::load()
{
    if (autoSaveName_.isEmpty() || autoSaveKey_.isEmpty()) return;
    const TIniFile ini(autoSaveName_.toStdString());
    files_.clear();
    for (const auto &[key, value] : ini.readSectionValues(autoSaveKey_.toStdString())) {
        const QString path = QString::fromStdString(value);
        if (!path.isEmpty() && indexOf(path) < 0) files_.append(path);
    }
    rebuildMenu();
}

void TMRUFileList::save() const
{
    if (autoSaveName_.isEmpty() || autoSaveKey_.isEmpty()) return;
    const TIniFile ini(autoSaveName_.toStdString());
    const std::string section = autoSaveKey_.toStdString();
    if (files_.isEmpty()) {
        ini.eraseSection(section);
        return;
    }
    TIniValues values;
    for (qsizetype i = 0; i < files_.size(); ++i)
        values.emplace_back("F" + std::to_string(i), files_[i].toStdString());
    ini.writeSection(section, values);
}

void TMRUFileList::endUpdate()
{
    if (updating_ > 0 && --updating_ == 0) rebuildMenu();
}

void TMRUFileList::removeMenuItems()
{
    // Deleted later: the item clicked may be the one whose signal is still running.
    for (const QPointer<TMRUMenuItem> &item : items_) {
        if (!item) continue;
        for (QObject *holder : item->associatedObjects())
            if (auto *widget = qobject_cast<QWidget *>(holder)) widget->removeAction(item);
        item->deleteLater();
    }
    items_.clear();
    if (submenu_) submenu_->deleteLater();
    submenu_.clear();
}

void TMRUFileList::rebuildMenu()
{
    if (!fileMenu_) return;
    removeMenuItems();
    if (files_.isEmpty()) return;
    // An anchor that has left the menu can no longer mark a place: append instead.
    QAction *before = anchor_ && fileMenu_->actions().contains(anchor_.data()) ? anchor_.data()
                                                                               : nullptr;
    auto *separator = new TMRUMenuItem(0, this);
    separator->setSeparator(true);
    fileMenu_->insertAction(before, separator);
    items_.emplace_back(separator);

    QMenu *entriesMenu = fileMenu_;
    if (useSubmenu_) {
        submenu_ = new QMenu(submenuName_, fileMenu_);
        auto *submenuItem = new TMRUMenuItem(0, this);
        submenuItem->setText(submenuName_);
        submenuItem->setMenu(submenu_);
        fileMenu_->insertAction(before, submenuItem);
        items_.emplace_back(submenuItem);
        entriesMenu = submenu_;
        before = nullptr;
    }
    for (qsizetype i = 0; i < files_.size(); ++i) {
        auto *item = new TMRUMenuItem(static_cast<int>(i + 1), this);
        item->setText(caption(static_cast<int>(i + 1), files_[i]));
        connect(item, &QAction::triggered, this, [this, item] { itemClicked(item); });
        entriesMenu->insertAction(before, item);
        items_.emplace_back(item);
    }
}

void TMRUFileList::itemClicked(TMRUMenuItem *item)
{
    const bool current = std::any_of(items_.begin(), items_.end(),
                                     [item](const auto &p) { return p.data() == item; });
    if (!current || item->number() < 1 || item->number() > files_.size()) return;
    const QString path = files_[item->number() - 1];
    if (removeOnClick_) {
        files_.removeAt(item->number() - 1);
        rebuildMenu();
    }
    if (onClick_) onClick_(item, path);
}

} // namespace velmora
