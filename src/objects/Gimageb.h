#pragma once
// The "Load Image File" dialog: a folder tree, the picture files of the chosen folder, a
// preview of the chosen file and the Stretch and AutoSize boxes the picture object takes.
#include "imaging/Picture.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QScrollArea;
class QTreeView;

namespace velmora {

class TGImageBrowser : public QDialog
{
public:
    explicit TGImageBrowser(QWidget *parent = nullptr);

    // The files the list shows: the classic picture kinds plus PNG, SVG and EMF.
    static QStringList NameFilters();
    // The folder last used for pictures; else the shipped clip art; else the user's Pictures
    // folder; else the home folder.
    static QString StartFolder();
    // Remembered in the preferences for the next browser.
    static void RememberFolder(const QString &folder);
    // Places offered above the tree, (shown name, folder) for each that exists: the shipped
    // clip art, the system's open clip art, the last folder, Pictures and home.
    static QList<std::pair<QString, QString>> Places();

    QString Folder() const { return folder_; }
    void SetFolder(const QString &folder);
    QStringList Files() const;
    // Selects a file of the list by name and loads its preview; false when it is not listed.
    bool SelectFile(const QString &name);
    // The full path of the selected file; empty when none is selected.
    QString SelectedFile() const;
    // The chosen file's picture; empty when nothing is chosen or the file could not be read.
    const TPicture &PreviewPicture() const { return preview_; }

    bool StretchChecked() const;
    void SetStretchChecked(bool on);
    bool AutoSizeChecked() const;
    void SetAutoSizeChecked(bool on);

    void OKButtonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();

private:
    void FileListBox1Click();
    void loadPreview(const QString &path);
    void showPreview();

    QString folder_;
    TPicture preview_;
    QComboBox *places_ = nullptr;
    QTreeView *tree_ = nullptr;
    QFileSystemModel *dirs_ = nullptr;
    QListWidget *files_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QLabel *image_ = nullptr;
    QCheckBox *stretch_ = nullptr;
    QCheckBox *autoSize_ = nullptr;
};

// How the picture object runs the browser and reports a file it could not load. Empty
// hooks mean the real modal dialog and message box; tests put in functions that drive the
// dialog's controls and record the messages.
struct TImageBrowserHooks
{
    std::function<bool(TGImageBrowser &)> run;
    std::function<void(const QString &)> error;
};
TImageBrowserHooks &ImageBrowserHooks();

// "Error loading file!" in an error box with one OK button.
void ShowLoadError(QWidget *parent);

// The clip art that ships with the program; empty when it is missing.
QString ProgramClipArtFolder();
// The folders of Debian's openclipart packages that are installed, as (shown name, folder).
QList<std::pair<QString, QString>> SystemClipArtFolders();
// Where those packages are looked for; empty restores the system's folder. For tests.
void SetSystemClipArtRoot(const QString &folder);

class TGImage;
// "Load Image From Disk": the browser, preset with the object's boxes; on OK with a file
// chosen, the object takes its picture and boxes. A file that could not be read leaves the
// object as it was. The working folder is the same afterwards.
void RunLoadImageStep(TGImage &image, QWidget *parent);

} // namespace velmora
