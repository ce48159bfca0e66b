#pragma once
// The recent-files list of the File menu: paths most recent first, kept in a section of
// the ini file and shown as numbered menu entries "&1 <path>", "&2 <path>", ...
#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace velmora {

// A menu entry of the list. Its number is the 1-based entry it opens; the separator
// ahead of the entries and the submenu item carry 0.
class TMRUMenuItem : public QAction
{
    Q_OBJECT
public:
    TMRUMenuItem(int number, QObject *parent) : QAction(parent), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

class TMRUFileList : public QObject
{
    Q_OBJECT
public:
    using TClickHandler = std::function<void(TMRUMenuItem *item, const QString &fileName)>;

    explicit TMRUFileList(QObject *parent = nullptr);
    // Saves the list first when AutoSave is on; a failed save is dropped, as nobody is left
    // to report it to.
    ~TMRUFileList() override;

    int Maximum() const { return maximum_; }
    void SetMaximum(int maximum); // clamped to 0..255
    bool RemoveOnClick() const { return removeOnClick_; }
    void SetRemoveOnClick(bool on) { removeOnClick_ = on; }
    bool UseSubmenu() const { return useSubmenu_; }
    void SetUseSubmenu(bool on);
    const QString &SubmenuName() const { return submenuName_; }
    void SetSubmenuName(const QString &name);
    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool on) { autoSave_ = on; }
    // The ini file and its section.
    const QString &AutoSaveName() const { return autoSaveName_; }
    void SetAutoSaveName(const QString &iniPath) { autoSaveName_ = iniPath; }
    const QString &AutoSaveKey() const { return autoSaveKey_; }
    void SetAutoSaveKey(const QString &section) { autoSaveKey_ = section; }
    void SetOnMRUItemClick(TClickHandler handler) { onClick_ = std::move(handler); }

    // The entries go into menu ahead of anchor, or at its end without one: the File menu
    // puts them below "E&xit"; a menu that reserves a place passes that place's action.
    QMenu *FileMenu() const { return fileMenu_; }
    void SetFileMenu(QMenu *menu, QAction *anchor = nullptr);

    // Index 0 is the most recent.
    const QStringList &Items() const { return files_; }
    // The menu entries of the last rebuild, numbered from 1 (the separator and the
    // submenu item are not among them).
    std::vector<TMRUMenuItem *> MenuEntries() const;

    // Puts path at the top. A path already listed (compared without regard to case) moves
    // there and takes the new spelling, which is the one that was just opened; then the
    // oldest entries fall off beyond Maximum.
    void add(const QString &path);
    // Takes path (compared without regard to case) off the list.
    void remove(const QString &path);
    // Replaces the list with the section's values in file order, whatever their keys.
    // Not cut to Maximum: hand-written extra entries stay until the next add. Empty and
    // repeated paths are skipped. Nothing happens without a file name or section.
    void load();
    // Rewrites the section as F0 (most recent), F1, ... in one write. Throws TIniFileError.
    void save() const;
    void rebuildMenu();
    // Hold back menu rebuilds during several adds; endUpdate rebuilds once.
    void beginUpdate() { ++updating_; }
    void endUpdate();

    // What a click on an entry does; entries of an earlier rebuild are ignored.
    void itemClicked(TMRUMenuItem *item);

private:
    void removeMenuItems();
    int indexOf(const QString &path) const;
    void cutToMaximum();

    QStringList files_;
    int maximum_ = 5;
    bool removeOnClick_ = true;
    bool useSubmenu_ = false;
    QString submenuName_ = QStringLiteral("Reopen");
    bool autoSave_ = true;
    QString autoSaveName_ = QStringLiteral("\\Software\\My Application");
    QString autoSaveKey_ = QStringLiteral("MRU Items");
    TClickHandler onClick_;
    QPointer<QMenu> fileMenu_;
    QPointer<QAction> anchor_;
    int updating_ = 0;
    std::vector<QPointer<TMRUMenuItem>> items_; // separator, submenu item and entries
    QPointer<QMenu> submenu_;
};

} // namespace velmora
