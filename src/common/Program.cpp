#include "common/Program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

namespace velmora {

namespace {
class TMessageBoxUi final : public TUiService
{
public:
    void information(const QString &text) override
    {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Information"),
                                 text);
    }
    bool askYesNo(const QString &text, const QString &caption) override
    {
        return QMessageBox::question(QApplication::activeWindow(), caption, text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    TAnswer askYesNoCancel(const QString &text, const QString &caption) override
    {
        QMessageBox box(QMessageBox::Question, caption, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes: return TAnswer::Yes;
        case QMessageBox::No: return TAnswer::No;
        default: return TAnswer::Cancel;
        }
    }
    void beep() override { QApplication::beep(); }
    QString openFileName(const QString &title, const QString &folder,
                         const QString &filter) override
    {
        QFileDialog dialog(QApplication::activeWindow(), title, folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    }
    QString saveFileName(const QString &title, const QString &folder, const QString &proposedName,
                         const QString &filter, const QString &defaultSuffix) override
    {
        QFileDialog dialog(QApplication::activeWindow(), title, folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.selectFile(proposedName);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    }
};

std::unique_ptr<TUiService> &service()
{
    static std::unique_ptr<TUiService> s = std::make_unique<TMessageBoxUi>();
    return s;
}

QString &appFolderOverride()
{
    static QString folder;
    return folder;
}

QPointer<QWidget> &mainForm()
{
    static QPointer<QWidget> form;
    return form;
}

int &waitDepth()
{
    static int depth = 0;
    return depth;
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

TUiService &Ui()
{
    return *service();
}

std::unique_ptr<TUiService> SetUiService(std::unique_ptr<TUiService> s)
{
    auto previous = std::move(service());
    service() = s ? std::move(s) : std::make_unique<TMessageBoxUi>();
    return previous;
}

namespace {
QString &dataFolderOverride()
{
    static QString folder;
    return folder;
}

// Help is the one piece of data every build and install has.
bool holdsData(const QString &folder)
{
    return QFileInfo::exists(withSlash(folder) + QStringLiteral("help/index.html"));
}

// The name as given when it exists, else an entry of the same name in another case.
QString existingInFolder(const QString &folder, const QString &name)
{
    const QFileInfo wanted(folder + name);
    if (wanted.exists()) return wanted.filePath();
    const QDir dir(wanted.absolutePath());
    if (!dir.exists()) return {};
    const QStringList found = dir.entryList({wanted.fileName()}, QDir::AllEntries | QDir::Hidden |
                                                                      QDir::System | QDir::NoDotAndDotDot);
    return found.isEmpty() ? QString() : dir.filePath(found.front());
}
} // namespace

QString ResolveDataFolder(const QString &exeFolder)
{
    if (holdsData(exeFolder)) return withSlash(exeFolder);
    const QString installed =
        QDir::cleanPath(withSlash(exeFolder) + QStringLiteral("../share/velmora"));
    if (QFileInfo(installed).isDir()) return withSlash(installed);
    return withSlash(exeFolder);
}

QString ResolveAppFolder(const QString &exeFolder, const QString &userFolder)
{
    // An installed program's folder is shared and, for root, writable all the same; only a
    // folder that carries the data is the program's own.
    const QFileInfo info(exeFolder);
    if (!exeFolder.isEmpty() && info.isDir() && info.isWritable() && holdsData(exeFolder))
        return withSlash(exeFolder);
    return withSlash(userFolder);
}

void SetAppFolder(const QString &folder)
{
    appFolderOverride() = folder.isEmpty() ? QString() : withSlash(folder);
}

QString AppFolder()
{
    if (!appFolderOverride().isEmpty())
        return appFolderOverride();
    static const QString folder = [] {
        QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (user.isEmpty())
            user = QDir::homePath() + QStringLiteral("/.velmora");
        const QString chosen =
            ResolveAppFolder(QCoreApplication::applicationDirPath(), user);
        QDir().mkpath(chosen);
        return chosen;
    }();
    return folder;
}

void SetDataFolder(const QString &folder)
{
    dataFolderOverride() = folder.isEmpty() ? QString() : withSlash(folder);
}

QString DataFolder()
{
    if (!dataFolderOverride().isEmpty()) return dataFolderOverride();
    if (!appFolderOverride().isEmpty()) return appFolderOverride();
    static const QString folder = ResolveDataFolder(QCoreApplication::applicationDirPath());
    return folder;
}

QString DataFile(const QString &name)
{
    for (const QString &folder : {AppFolder(), DataFolder()}) {
        const QString found = existingInFolder(folder, name);
        if (!found.isEmpty()) return found;
    }
    return AppFolder() + name;
}

QString IniFileName()
{
    return AppFolder() + QStringLiteral("QX.ini");
}

void ShowInformation(const QString &text)
{
    Ui().information(text);
}

bool AskYesNo(const QString &text, const QString &caption)
{
    return Ui().askYesNo(text, caption);
}

TUiService::TAnswer AskYesNoCancel(const QString &text, const QString &caption)
{
    return Ui().askYesNoCancel(text, caption);
}

void BeginWait()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return;
    if (waitDepth()++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void EndWait()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return;
    if (waitDepth() > 0 && --waitDepth() == 0)
        QApplication::restoreOverrideCursor();
}

bool RunModalDialog(QDialog &dialog)
{
    // A fixed size is only known once the layout has run; centre the real size.
    dialog.adjustSize();
    CenterForm(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

void SetMainForm(QWidget *form)
{
    mainForm() = form;
}

void CenterForm(QWidget *form)
{
    if (form == nullptr)
        return;
    QWidget *main = mainForm();
    // The main window itself centres on the screen.
    if (form == main || main == nullptr || main->isMaximized()) {
        const QScreen *screen = form->screen();
        if (screen == nullptr)
            return;
        const QRect area = screen->availableGeometry();
        form->move(area.left() + (area.width() - form->width()) / 2,
                   area.top() + (area.height() - form->height()) / 2);
        return;
    }
    const QRect g = main->frameGeometry();
    form->move(g.left() + (g.width() - form->width()) / 2,
               g.top() + (g.height() - form->height()) / 2);
}

namespace {
// Help pages are HTML files "<topic>.html" in a "help" folder beside the program, with
// index.html as the contents.
QString helpFolder()
{
    const QStringList candidates = {
        AppFolder() + QStringLiteral("help/"),
        DataFolder() + QStringLiteral("help/"),
    };
    for (const QString &c : candidates)
        if (QFileInfo::exists(c + QStringLiteral("index.html")))
            return c;
    return {};
}

QPointer<QTextBrowser> &helpWindow()
{
    static QPointer<QTextBrowser> window;
    return window;
}
} // namespace

QTextBrowser *HelpWindow()
{
    return helpWindow();
}

void ShowHelpContext(int topic)
{
    const QString folder = helpFolder();
    if (folder.isEmpty()) {
        ShowInformation(QStringLiteral("Help is not installed."));
        return;
    }
    QString page = folder + QStringLiteral("%1.html").arg(topic);
    if (topic == 0 || !QFileInfo::exists(page))
        page = folder + QStringLiteral("index.html");
    QPointer<QTextBrowser> &window = helpWindow();
    if (window == nullptr) {
        window = new QTextBrowser;
        window->setAttribute(Qt::WA_DeleteOnClose);
        // Help is a companion of the main window: the program ends when that one closes.
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->setWindowTitle(QStringLiteral("Velmora Help"));
        window->setOpenExternalLinks(true);
        window->resize(560, 480);
    }
    window->setSearchPaths({folder});
    window->setSource(QUrl::fromLocalFile(page));
    window->show();
    window->raise();
    window->activateWindow();
}

void ShowHelpContents()
{
    ShowHelpContext(0);
}

int ZoomToCode(double factor)
{
    // Each tenth maps to its own code; the small tolerance keeps 0.7f (0.69999...) at 70.
    constexpr double eps = 1e-6;
    if (factor < 0.3 - eps) return 20;
    if (factor < 0.4 - eps) return 30;
    if (factor < 0.5 - eps) return 40;
    if (factor < 0.6 - eps) return 50;
    if (factor < 0.7 - eps) return 60;
    if (factor < 0.8 - eps) return 70;
    if (factor < 0.9 - eps) return 80;
    if (factor < 1.0 - eps) return 90;
    return 100;
}

double CodeToZoom(int code)
{
    if (code < 30) return 0.2;
    if (code < 40) return 0.3;
    if (code < 50) return 0.4;
    if (code < 60) return 0.5;
    if (code < 70) return 0.6;
    if (code < 80) return 0.7;
    if (code < 90) return 0.8;
    if (code < 100) return 0.9;
    return 1.0;
}

} // namespace velmora
