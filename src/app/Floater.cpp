#include "app/Floater.h"

#include "app/IconCtls.h"
#include "app/Preferences.h"
#include "common/IniFile.h"
#include "common/Program.h"

#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

constexpr int kClientSize = 140;
constexpr int kBorder = 4;

// Library files were named on a system that ignores case; an existing file of the same
// name in another case is the one meant.
QString inFolder(const QString &folder, const QString &name)
{
    const QStringList found =
        QDir(folder).entryList({name}, QDir::Files | QDir::Hidden | QDir::System);
    return folder + (found.isEmpty() ? name : found.front());
}

QString misc1Library()
{
    return DataFile(QStringLiteral("Misc1.icl"));
}

// A stored library path names a file in AppFolder; the shipped libraries live in the data
// folder when the program is installed, and may differ in letter case.
QString locateLibrary(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isFile()) return path;
    const QFileInfo info(path);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    if (folder == AppFolder() || folder == DataFolder()) {
        const QString found = DataFile(info.fileName());
        if (QFileInfo(found).isFile()) return found;
    }
    const QString sameName = inFolder(folder, info.fileName());
    return QFileInfo(sameName).isFile() ? sameName : path;
}

bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString captionOf(const QAction *action)
{
    QString text = action->text();
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QString escaped(QString caption)
{
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// Both cases of each pattern, since file names on this system keep their case.
QString filterOf(const QString &title, const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &e : extensions)
        patterns << QStringLiteral("*.") + e << QStringLiteral("*.") + e.toLower();
    return title + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString openIconCollectionFilter()
{
    // The combined icon library and icon file filter comes first so that it is the one the
    // dialog starts with.
    return QStringList{
        filterOf(QStringLiteral("ICL and ICO Files"), {QStringLiteral("ICL"), QStringLiteral("ICO")}),
        filterOf(QStringLiteral("All Files"),
                 {QStringLiteral("ICL"), QStringLiteral("DLL"), QStringLiteral("EXE"),
                  QStringLiteral("ICO"), QStringLiteral("NIL")}),
        filterOf(QStringLiteral("ICL Files"), {QStringLiteral("ICL")}),
        filterOf(QStringLiteral("DLL Files"), {QStringLiteral("DLL")}),
        filterOf(QStringLiteral("EXE Files"), {QStringLiteral("EXE")}),
        filterOf(QStringLiteral("ICO Files"), {QStringLiteral("ICO")}),
        filterOf(QStringLiteral("NIL Files"), {QStringLiteral("NIL")})}
        .join(QStringLiteral(";;"));
}

// A name typed without extension means an icon library.
QString withDefaultExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty() || fileExists(path)) return path;
    const QFileInfo info(path);
    return inFolder(info.absolutePath() + QLatin1Char('/'), info.fileName() + QStringLiteral(".ICL"));
}

// What follows the last folder separator or drive colon, at most 64 characters, cut
// before the first dot.
QString libraryBaseName(const QString &path)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i)
        if (path[i] == QLatin1Char('\\') || path[i] == QLatin1Char('/') || path[i] == QLatin1Char(':'))
            start = i + 1;
    QString base = path.mid(start, 64);
    const qsizetype dot = base.indexOf(QLatin1Char('.'));
    if (dot >= 0) base.truncate(dot);
    return base;
}

} // namespace

QString LibraryDisplayName(const QString &path)
{
    QString base = libraryBaseName(path).toUpper();
    if (base == QLatin1String("ACTIVITY")) return QStringLiteral("ACTIVITIES");
    if (base == QLatin1String("HOLIDAY")) return QStringLiteral("HOLIDAYS");
    if (base == QLatin1String("MISC1")) return QStringLiteral("MISCELLANEOUS #1");
    if (base == QLatin1String("MISC2")) return QStringLiteral("MISCELLANEOUS #2");
    return base;
}

TFloatingPalette::TFloatingPalette(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TFloatingPalette"));
    setWindowTitle(QStringLiteral("Icons"));

    menuBar_ = new QMenuBar(this);
    file1_ = menuBar_->addMenu(QStringLiteral("&File"));
    file1_->setObjectName(QStringLiteral("File1"));

    list_ = new TIconListBox(this);
    list_->setObjectName(QStringLiteral("IconListBox"));
    list_->setXIcons(3);
    list_->setYIcons(3);
    QPalette white = list_->palette();
    white.setColor(QPalette::Base, Qt::white);
    list_->setPalette(white);
    list_->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(list_);
    setFixedSize(kClientSize, kClientSize + menuBar_->sizeHint().height());

    addLibraryItem("mnuActivitiesICL", QStringLiteral("Activities"), QStringLiteral("activity.icl"));
    addLibraryItem("mnuEventsICL", QStringLiteral("Events"), QStringLiteral("events.icl"));
    addLibraryItem("mnuHolidaysICL", QStringLiteral("Holidays"), QStringLiteral("holiday.icl"));
    addLibraryItem("mnuMisc1ICL", QStringLiteral("Miscellaneous #1"), QStringLiteral("misc1.icl"));
    addLibraryItem("mnuMisc2ICL", QStringLiteral("Miscellaneous #2"), QStringLiteral("misc2.icl"));
    collectBonusSets();
    other_ = file1_->addAction(QStringLiteral("Other..."), this, &TFloatingPalette::chooseOtherFile);
    other_->setObjectName(QStringLiteral("mnuOtherIconFile"));
    other_->setCheckable(true);

    // Only the position comes from the ini file; the size is the palette's own.
    const QSize size = this->size();
    RestorePlacement(*this, IniFileName(), QStringLiteral("TFloatingPalette"));
    setFixedSize(size);
    resize(size);

    list_->setFileName(DataFile(QStringLiteral("activity.icl")));
}

TFloatingPalette::~TFloatingPalette()
{
    savePlacement();
}

void TFloatingPalette::savePlacement() const
{
    try {
        SavePlacement(*this, IniFileName(), QStringLiteral("TFloatingPalette"));
    } catch (const TIniFileError &) {
        // A read-only folder costs the position, nothing else.
    }
}

QString TFloatingPalette::libraryFile() const
{
    return list_->fileName();
}

void TFloatingPalette::addLibraryItem(const char *name, const QString &caption, const QString &file)
{
    QAction *item = file1_->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, file] {
        const QString path = DataFile(file);
        list_->setFileName(path);
        ShowLibrary(path);
    });
}

void TFloatingPalette::collectBonusSets()
{
    // The user's own sets in AppFolder and the shipped ones; a user's set replaces a shipped
    // one of the same name.
    QStringList files;
    QMap<QString, QString> pathOf; // upper-cased file name -> path
    for (const QString &root : {AppFolder(), DataFolder()}) {
        const QString folder = root + QStringLiteral("BonusIcons/");
        if (!QFileInfo(folder).isDir()) continue;
        for (const QString &file : QDir(folder).entryList({QStringLiteral("*.icl")},
                                                          QDir::Files | QDir::Hidden | QDir::System))
            if (!pathOf.contains(file.toUpper())) {
                pathOf.insert(file.toUpper(), folder + file);
                files << file;
            }
    }
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    if (files.isEmpty()) {
        QAction *item = file1_->addAction(QStringLiteral("Bonus Icon Sets"), this, [] {
            ShowInformation(QStringLiteral("No bonus icon sets were found."));
        });
        item->setObjectName(QStringLiteral("mnuBonusIconSets"));
        item->setCheckable(true);
        return;
    }
    QMenu *sets = file1_->addMenu(QStringLiteral("Bonus Icon Sets"));
    sets->menuAction()->setObjectName(QStringLiteral("mnuBonusIconSets"));
    sets->menuAction()->setCheckable(true);
    for (const QString &file : files) {
        QAction *item = sets->addAction(escaped(libraryBaseName(file)));
        item->setCheckable(true);
        // The file found is the one loaded, whatever the case of its extension.
        const QString path = pathOf.value(file.toUpper());
        connect(item, &QAction::triggered, this, [this, path] { ShowLibrary(path); });
        bonusItems_ << item;
    }
}

void TFloatingPalette::ShowLibrary(const QString &given)
{
    const QString path = locateLibrary(given);
    const QString display = LibraryDisplayName(path);
    bool anyChecked = false;
    const auto mark = [&](QAction *item) {
        if (item->isSeparator()) return;
        const bool on = captionOf(item).toUpper() == display;
        item->setChecked(on);
        anyChecked = anyChecked || on;
    };
    for (QAction *item : file1_->actions()) mark(item);
    for (QAction *item : bonusItems_) mark(item);
    const bool exists = fileExists(path);
    if (!anyChecked && exists) other_->setChecked(true);

    if (exists && QString::compare(path, list_->fileName(), Qt::CaseInsensitive) != 0)
        list_->setFileName(path);
    if (list_->numberOfIcons() <= 0) list_->setFileName(misc1Library());
}

QString TFloatingPalette::askForLibrary()
{
    return withDefaultExtension(Ui().openFileName(QStringLiteral("Open Icon Collection"),
                                                  AppFolder(), openIconCollectionFilter()));
}

void TFloatingPalette::chooseOtherFile()
{
    QString chosen = askForLibrary();
    if (!chosen.isEmpty()) {
        list_->setFileName(chosen);
        while (list_->numberOfIcons() == 0) {
            ShowInformation(QStringLiteral("No icons found in ") + chosen);
            chosen = askForLibrary();
            if (chosen.isEmpty()) break;
            list_->setFileName(chosen);
        }
    }
    if (list_->numberOfIcons() <= 0) list_->setFileName(misc1Library());
    ShowLibrary(list_->fileName());
}

void TFloatingPalette::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    emit paletteHidden();
    if (OnHide) OnHide();
}

void TFloatingPalette::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    emit paletteShown();
    if (OnShow) OnShow();
}

} // namespace velmora
