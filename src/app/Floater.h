#pragma once
// The icon palette: a small tool window above the main window with one icon library as a
// grid of icons to drag onto day cells, and a menu to choose the library.
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace velmora {

class TIconListBox;

// The name a library goes by in the palette's menu: the base name of the path (after the
// last folder separator or drive colon, at most 64 characters, cut at the first dot),
// upper-cased, with the standard libraries' file names translated to their captions.
QString LibraryDisplayName(const QString &path);

class TFloatingPalette : public QWidget
{
    Q_OBJECT

public:
    // Restores the position from the ini file, loads the default library and collects the
    // bonus sets in AppFolder/BonusIcons.
    explicit TFloatingPalette(QWidget *mainWindow = nullptr);
    // Saves the position.
    ~TFloatingPalette() override;

    // Marks the menu item of a library and shows it, falling back to Misc1 when it has no
    // icons.
    void ShowLibrary(const QString &path);

    TIconListBox *list() const { return list_; }
    QMenu *fileMenu() const { return file1_; }
    // The library the palette shows, which the preferences store.
    QString libraryFile() const;
    void savePlacement() const;

    // Raised when the palette goes off or on screen at the program's request (not when the
    // window system hides it along with the main window).
    std::function<void()> OnHide;
    std::function<void()> OnShow;

signals:
    void paletteHidden();
    void paletteShown();

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void addLibraryItem(const char *name, const QString &caption, const QString &file);
    void collectBonusSets();
    void chooseOtherFile();
    QString askForLibrary();

    QMenuBar *menuBar_;
    QMenu *file1_;
    QAction *other_ = nullptr;
    QList<QAction *> bonusItems_;
    TIconListBox *list_;
};

} // namespace velmora
