#pragma once
// Program-wide routines: the application folder, messages and questions, the wait cursor,
// dialog placement, help and the zoom codes. Messages and questions go through one
// replaceable service so that tests can script the answers.
#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QTextBrowser;
class QWidget;

namespace velmora {

class TUiService
{
public:
    virtual ~TUiService() = default;
    virtual void information(const QString &text) = 0;
    virtual bool askYesNo(const QString &text, const QString &caption) = 0;
    // Yes, No or Cancel; closing the box or Escape is Cancel. Services that only know
    // yes/no never cancel.
    enum class TAnswer { Yes, No, Cancel };
    virtual TAnswer askYesNoCancel(const QString &text, const QString &caption)
    {
        return askYesNo(text, caption) ? TAnswer::Yes : TAnswer::No;
    }
    virtual void beep() = 0;
    // File dialogs: an empty result means the user cancelled.
    virtual QString openFileName(const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &title, const QString &folder,
                                 const QString &proposedName, const QString &filter,
                                 const QString &defaultSuffix) = 0;
};

// The service in use; the default shows real message boxes.
TUiService &Ui();
// Replaces the service (nullptr restores the default). Returns the previous one.
std::unique_ptr<TUiService> SetUiService(std::unique_ptr<TUiService> service);

// The folder for the files the program writes (QX.ini, QXRECUR.DAX, the object clipboard),
// with a trailing slash: the executable's folder when it holds the program's data and is
// writable (a build tree or a portable copy), else the per-user data folder. Tests point it
// elsewhere with SetAppFolder.
QString AppFolder();
void SetAppFolder(const QString &folder); // empty restores the automatic choice
QString IniFileName();

// The folder of the read-only data that ships with the program (help, icon libraries,
// textures, clip art, samples), with a trailing slash: the executable's folder in a build
// tree or portable copy, else the installed "../share/velmora" beside its "bin". While tests
// override AppFolder and not this, it follows AppFolder.
QString DataFolder();
void SetDataFolder(const QString &folder); // empty restores the automatic choice
// A shipped file by its name relative to the data: the user's own copy in AppFolder wins,
// then the shipped one; either found in any letter case, since the names were chosen on a
// system that ignores case. When neither exists, the name in AppFolder.
QString DataFile(const QString &name);

// The rules behind the two folders, given the executable's folder and the per-user folder.
QString ResolveDataFolder(const QString &exeFolder);
QString ResolveAppFolder(const QString &exeFolder, const QString &userFolder);

void ShowInformation(const QString &text);
bool AskYesNo(const QString &text, const QString &caption);
TUiService::TAnswer AskYesNoCancel(const QString &text, const QString &caption);
void BeginWait();
void EndWait();
void CenterForm(QWidget *form);
// Sized to its layout, centred over the main window and run modally; true when it closed
// with OK.
bool RunModalDialog(QDialog &dialog);
// How a command runs one of its dialogs. Empty means RunModalDialog; tests put in a
// function that sets the controls and calls the dialog's handlers instead.
template <class Dialog> using DialogRunner = std::function<bool(Dialog &)>;
template <class Dialog> bool RunDialog(const DialogRunner<Dialog> &runner, Dialog &dialog)
{
    return runner ? runner(dialog) : RunModalDialog(dialog);
}
// Opens help topic n in the help window (the contents when the topic has no page).
void ShowHelpContext(int topic);
void ShowHelpContents();
// The help window while it is open, for tests.
QTextBrowser *HelpWindow();
// The main window that CenterForm centres over; set by the main window when it is created.
void SetMainForm(QWidget *mainForm);

int ZoomToCode(double factor);
double CodeToZoom(int code);

} // namespace velmora
