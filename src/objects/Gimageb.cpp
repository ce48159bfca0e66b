#include "objects/Gimageb.h"

#include "common/DialogButtons.h"
#include "common/IniFile.h"
#include "common/Program.h"
#include "imaging/Imager.h"
#include "objects/Gimage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace velmora {

namespace {

constexpr const char *kIniSection = "Pictures";
constexpr const char *kIniKey = "LastFolder";
constexpr int kHelpTopic = 40003;

QString existingFolder(const QString &path)
{
    if (path.isEmpty()) return {};
    const QDir dir(path);
    return dir.exists() ? dir.absolutePath() : QString();
}

QString lastFolder()
{
    try {
        const TIniFile ini(IniFileName().toStdString());
        return QString::fromStdString(ini.readString(kIniSection, kIniKey, ""));
    } catch (...) {
        return {};
    }
}

QString &systemClipArtRoot()
{
    // Where Debian's openclipart-svg and openclipart-png packages put their pictures.
    static QString root = QStringLiteral("/usr/share/openclipart");
    return root;
}

} // namespace

QString ProgramClipArtFolder()
{
    // The shipped folder first; a portable copy may keep its clip art beside its settings.
    for (const QString &base : {DataFolder(), AppFolder()})
        if (const QString f = existingFolder(base + QStringLiteral("ClipArt")); !f.isEmpty())
            return f;
    return {};
}

QList<std::pair<QString, QString>> SystemClipArtFolders()
{
    // The pictures sit one level down, by format; offering the root alone would open on a
    // folder with no pictures in it.
    QList<std::pair<QString, QString>> found;
    const QString root = systemClipArtRoot();
    const std::pair<const char *, const char *> kinds[] = {{"SVG", "/svg"}, {"PNG", "/png"}};
    for (const auto &[kind, sub] : kinds)
        if (const QString f = existingFolder(root + QLatin1String(sub)); !f.isEmpty())
            found.append({QStringLiteral("Open Clip Art (%1)").arg(QLatin1String(kind)), f});
    if (found.isEmpty())
        if (const QString f = existingFolder(root); !f.isEmpty())
            found.append({QStringLiteral("Open Clip Art"), f});
    return found;
}

void SetSystemClipArtRoot(const QString &folder)
{
    systemClipArtRoot() = folder.isEmpty() ? QStringLiteral("/usr/share/openclipart") : folder;
}

namespace {

QString picturesFolder()
{
    return existingFolder(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

void setHelp(QWidget *w, const QString &text)
{
    w->setWhatsThis(text);
}

} // namespace

TImageBrowserHooks &ImageBrowserHooks()
{
    static TImageBrowserHooks hooks;
    return hooks;
}

void ShowLoadError(QWidget *parent)
{
    const QString text = QStringLiteral("Error loading file!");
    if (const auto &hook = ImageBrowserHooks().error) {
        hook(text);
        return;
    }
    QMessageBox::critical(parent, QStringLiteral("Error"), text, QMessageBox::Ok);
}

void RunLoadImageStep(TGImage &image, QWidget *parent)
{
    const QString workingFolder = QDir::currentPath();
    {
        TGImageBrowser browser(parent);
        browser.SetStretchChecked(image.Stretch());
        browser.SetAutoSizeChecked(image.AutoSize());
        bool ok = false;
        if (const auto &run = ImageBrowserHooks().run) {
            ok = run(browser);
        } else {
            CenterForm(&browser);
            ok = browser.exec() == QDialog::Accepted;
        }
        if (ok && !browser.SelectedFile().isEmpty()) {
            if (browser.PreviewPicture().isEmpty())
                // The object keeps the picture it had: a damaged file never costs the user
                // what was on the page.
                ShowLoadError(parent);
            else
                image.TakeChosenPicture(browser.PreviewPicture(), browser.StretchChecked(),
                                        browser.AutoSizeChecked());
        }
    }
    QDir::setCurrent(workingFolder);
}

QStringList TGImageBrowser::NameFilters()
{
    return {QStringLiteral("*.BMP"), QStringLiteral("*.DIB"), QStringLiteral("*.JPG"),
            QStringLiteral("*.JIF"), QStringLiteral("*.PCX"), QStringLiteral("*.RLE"),
            QStringLiteral("*.TGA"), QStringLiteral("*.WMF"), QStringLiteral("*.ICO"),
            QStringLiteral("*.PNG"), QStringLiteral("*.SVG"), QStringLiteral("*.EMF")};
}

QList<std::pair<QString, QString>> TGImageBrowser::Places()
{
    QList<std::pair<QString, QString>> places;
    const auto add = [&](const QString &name, const QString &folder) {
        if (!folder.isEmpty()) places.append({name, folder});
    };
    add(QStringLiteral("Clip Art"), ProgramClipArtFolder());
    for (const auto &[name, folder] : SystemClipArtFolders()) add(name, folder);
    add(QStringLiteral("Last used"), existingFolder(lastFolder()));
    add(QStringLiteral("Pictures"), picturesFolder());
    add(QStringLiteral("Home"), QDir::homePath());
    return places;
}

QString TGImageBrowser::StartFolder()
{
    for (const QString &f : {existingFolder(lastFolder()), ProgramClipArtFolder(), picturesFolder()})
        if (!f.isEmpty()) return f;
    return QDir::homePath();
}

void TGImageBrowser::RememberFolder(const QString &folder)
{
    try {
        const TIniFile ini(IniFileName().toStdString());
        ini.writeString(kIniSection, kIniKey, QDir(folder).absolutePath().toStdString());
    } catch (...) {
        // Not remembering a folder is no reason to fail loading the picture.
    }
}

TGImageBrowser::TGImageBrowser(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GImageBrowser"));
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    setCursor(Qt::ArrowCursor);

    places_ = new QComboBox(this);
    places_->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const auto &[name, folder] : Places()) places_->addItem(name, folder);
    setHelp(places_, QStringLiteral("Places where pictures are often kept."));

    dirs_ = new QFileSystemModel(this);
    dirs_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirs_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("DirectoryListBox1"));
    tree_->setModel(dirs_);
    for (int c = 1; c < dirs_->columnCount(); ++c) tree_->hideColumn(c);
    tree_->header()->hide();
    setHelp(tree_, QStringLiteral("Folders. Click one to list the pictures it holds."));

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("FileListBox1"));
    setHelp(files_, QStringLiteral("Picture files of the chosen folder. Click one to preview it."));

    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollBox1"));
    scroll_->setWidget(image_);
    scroll_->setMinimumSize(320, 260);
    scroll_->setBackgroundRole(QPalette::Base);
    setHelp(scroll_, QStringLiteral("A preview of the chosen picture."));

    auto *options = new QGroupBox(QStringLiteral(" Options "), this);
    stretch_ = new QCheckBox(QStringLiteral("Stretch"), options);
    stretch_->setObjectName(QStringLiteral("StretchBox"));
    stretch_->setToolTip(QStringLiteral("Stretch image to max display size"));
    autoSize_ = new QCheckBox(QStringLiteral("AutoSize"), options);
    autoSize_->setObjectName(QStringLiteral("AutoSizeBox"));
    autoSize_->setToolTip(QStringLiteral("AutoSize TImage"));
    setHelp(options, QStringLiteral("Stretch fits the picture to the object; AutoSize gives the "
                                    "object the picture's own size."));
    auto *optionsRow = new QHBoxLayout(options);
    optionsRow->addWidget(stretch_);
    optionsRow->addWidget(autoSize_);

    QDialogButtonBox *buttons = OkCancelHelpButtons(
        this, [this] { OKButtonClick(); }, [this] { CancelbuttonClick(); },
        [this] { HelpbuttonClick(); },
        {.ok = "OKButton", .cancel = "Cancelbutton", .help = "Helpbutton"});
    QPushButton *whatsThis = buttons->addButton(QStringLiteral("?"), QDialogButtonBox::HelpRole);
    whatsThis->setObjectName(QStringLiteral("WhatsThisButton"));
    whatsThis->setToolTip(QStringLiteral("What's this?"));

    auto *left = new QVBoxLayout;
    left->addWidget(places_);
    left->addWidget(tree_, 3);
    left->addWidget(files_, 2);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addWidget(scroll_, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(options);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom);
    resize(760, 460);

    connect(whatsThis, &QPushButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    connect(places_, &QComboBox::activated, this,
            [this](int i) { SetFolder(places_->itemData(i).toString()); });
    connect(tree_, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { SetFolder(dirs_->filePath(i)); });
    // The tree's model reads folders in the background and sorts them later still; show
    // the current one once it is in and again once its rows have moved.
    const auto showCurrent = [this] {
        const QModelIndex index = dirs_->index(folder_);
        if (tree_->currentIndex() != index) tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    };
    connect(dirs_, &QFileSystemModel::directoryLoaded, this, showCurrent);
    connect(dirs_, &QFileSystemModel::layoutChanged, this, showCurrent);
    connect(files_, &QListWidget::currentRowChanged, this, [this] { FileListBox1Click(); });
    // The boxes exclude each other, but both may be off.
    connect(stretch_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) autoSize_->setChecked(false);
        showPreview();
    });
    connect(autoSize_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) stretch_->setChecked(false);
        showPreview();
    });

    SetFolder(StartFolder());
    files_->setFocus();
}

void TGImageBrowser::SetFolder(const QString &folder)
{
    const QString f = existingFolder(folder);
    if (f.isEmpty()) return;
    folder_ = f;
    const QModelIndex index = dirs_->index(folder_);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
    // Listed at once rather than through the tree's model, which fills in the background.
    QDir dir(folder_);
    dir.setNameFilters(NameFilters());
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker block(files_);
    files_->clear();
    files_->addItems(dir.entryList());
    files_->setCurrentRow(-1);
    preview_ = TPicture();
    showPreview();
}

QStringList TGImageBrowser::Files() const
{
    QStringList names;
    for (int i = 0; i < files_->count(); ++i) names.append(files_->item(i)->text());
    return names;
}

bool TGImageBrowser::SelectFile(const QString &name)
{
    const auto found = files_->findItems(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (found.isEmpty()) return false;
    const int row = files_->row(found.first());
    if (row == files_->currentRow())
        FileListBox1Click();
    else
        files_->setCurrentRow(row);
    return true;
}

QString TGImageBrowser::SelectedFile() const
{
    const QListWidgetItem *item = files_->currentItem();
    if (item == nullptr || files_->currentRow() < 0) return {};
    return QDir(folder_).filePath(item->text());
}

bool TGImageBrowser::StretchChecked() const { return stretch_->isChecked(); }
void TGImageBrowser::SetStretchChecked(bool on) { stretch_->setChecked(on); }
bool TGImageBrowser::AutoSizeChecked() const { return autoSize_->isChecked(); }
void TGImageBrowser::SetAutoSizeChecked(bool on) { autoSize_->setChecked(on); }

void TGImageBrowser::FileListBox1Click()
{
    const QString path = SelectedFile();
    if (path.isEmpty()) return;
    loadPreview(path);
}

void TGImageBrowser::loadPreview(const QString &path)
{
    TSmartImage loader;
    if (loader.LoadPictureFile(path)) {
        preview_ = loader.picture();
    } else {
        // Every kind of file gets the message: a preview that silently stays empty
        // looks like a picture without content.
        preview_ = TPicture();
        ShowLoadError(this);
    }
    showPreview();
}

void TGImageBrowser::showPreview()
{
    if (preview_.isEmpty()) {
        image_->setPixmap({});
        image_->resize(scroll_->viewport()->size());
        return;
    }
    const QSize own = preview_.size();
    QSize size = scroll_->viewport()->size();
    if (autoSize_->isChecked()) {
        size = own;
    } else if (!stretch_->isChecked()) {
        // Neither box: the picture at its own size in an area filling the preview.
        size = own.boundedTo(QSize(4000, 4000));
    }
    const QImage shown = preview_.toImage(size);
    image_->setPixmap(QPixmap::fromImage(shown));
    // With AutoSize the area takes the picture's size and scrolls; otherwise it fills the view.
    image_->resize(autoSize_->isChecked() ? shown.size() : scroll_->viewport()->size());
}

void TGImageBrowser::OKButtonClick()
{
    RememberFolder(folder_);
    accept();
}

void TGImageBrowser::CancelbuttonClick()
{
    reject();
}

void TGImageBrowser::HelpbuttonClick()
{
    ShowHelpContext(kHelpTopic);
}

} // namespace velmora
