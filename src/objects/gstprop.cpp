#include "objects/gstprop.h"

#include "common/DialogButtons.h"
#include "common/Program.h"
#include "imaging/Imager.h"
#include "objects/ColorCombo.h"
#include "objects/ObjectDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QRawFont>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {
namespace {

QComboBox *makeCombo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    return c;
}

QSpinBox *makeSpinner(QWidget *parent, const char *name)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(0, 10);
    return s;
}

TColorCombo *makeColor(QWidget *parent, const char *name)
{
    auto *c = new TColorCombo(parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

std::optional<TFontDesc> chooseScalableFont(QWidget *parent, const TFontDesc &start)
{
    if (const auto &hook = SuperTextDialogHooks().chooseFont) return hook(start);
    bool ok = false;
    QFont initial(QString::fromStdString(start.name));
    initial.setPointSize(std::max(1, start.size()));
    initial.setBold(start.bold());
    initial.setItalic(start.italic());
    initial.setUnderline(start.underline());
    const QFont f = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"),
                                         QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    uint8_t style = 0;
    if (f.bold()) style |= uint8_t(TFontStyle::fsBold);
    if (f.italic()) style |= uint8_t(TFontStyle::fsItalic);
    if (f.underline()) style |= uint8_t(TFontStyle::fsUnderline);
    if (f.strikeOut()) style |= uint8_t(TFontStyle::fsStrikeOut);
    return TFontDesc::make(f.family().toStdString(), std::max(1, f.pointSize()), style,
                           start.color);
}

template <class Dialog>
bool runDialog(const std::function<bool(Dialog &)> &hook, Dialog &dialog)
{
    return hook ? hook(dialog) : RunModalDialog(dialog);
}

const QStringList kPictureMasks{QStringLiteral("*.bmp"), QStringLiteral("*.dib"),
                                QStringLiteral("*.jpg"), QStringLiteral("*.jif"),
                                QStringLiteral("*.pcx"), QStringLiteral("*.rle"),
                                QStringLiteral("*.tga"), QStringLiteral("*.ico"),
                                QStringLiteral("*.wmf")};

} // namespace

TSuperTextDialogHooks &SuperTextDialogHooks()
{
    static TSuperTextDialogHooks hooks;
    return hooks;
}

void RegisterSuperTextDialogs()
{
    SuperTextPropertiesRunner() = [](TGSuperText &object) {
        TSuperTextProperties dialog(object, QApplication::activeWindow());
        if (!runDialog(SuperTextDialogHooks().runProperties, dialog)) return false;
        dialog.ApplyTo(object);
        return true;
    };
}

TSuperTextView::TSuperTextView(TGSuperText &text, QWidget *parent) : QWidget(parent), text_(text)
{
}

QSize TSuperTextView::sizeHint() const
{
    return {text_.Width(), text_.Height()};
}

void TSuperTextView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    text_.PaintContent(p);
}

// ---------------------------------------------------------------------------------------

TSuperTextProperties::TSuperTextProperties(TGSuperText &object, QWidget *parent)
    : QDialog(parent), preview_(std::make_unique<TGSuperText>())
{
    setWindowTitle(QStringLiteral("SuperText Properties"));
    setObjectName(QStringLiteral("TSuperTextProperties"));
    preview_->SetBounds(0, 0, 100, 100);
    preview_->CopyFrom(object);
    texturePath_ = QString::fromStdString(object.LastBitmapFileNameandPath());

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PreviewPanel"));
    previewView_ = new TSuperTextView(*preview_, scroll);
    scroll->setWidget(previewView_);
    scroll->setWidgetResizable(false);
    scroll->setMinimumSize(420, 140);

    auto *form = new QFormLayout;
    SurfaceTypeCombo = makeCombo(this, "SurfaceTypeCombo",
                                 {QStringLiteral("Normal"), QStringLiteral("Transparent"),
                                  QStringLiteral("Texture"), QStringLiteral("Gradient Fill")});
    form->addRow(QStringLiteral("Surface"), SurfaceTypeCombo);

    // The three option panels share one place; the surface type picks the one shown.
    auto *panels = new QWidget(this);
    auto *stack = new QVBoxLayout(panels);
    stack->setContentsMargins(0, 0, 0, 0);
    FillPanel = new QWidget(panels);
    FillPanel->setObjectName(QStringLiteral("FillPanel"));
    auto *fill = new QFormLayout(FillPanel);
    FillDirectionCombo = makeCombo(FillPanel, "FillDirectionCombo",
                                   {QStringLiteral("Up"), QStringLiteral("Down"),
                                    QStringLiteral("Left"), QStringLiteral("Right")});
    GradientFromcolorButton = makeColor(FillPanel, "GradientFromcolorButton");
    GradientToColorButton = makeColor(FillPanel, "GradientToColorButton");
    fill->addRow(QStringLiteral("Fill Direction"), FillDirectionCombo);
    fill->addRow(QStringLiteral("From Color"), GradientFromcolorButton);
    fill->addRow(QStringLiteral("To Color"), GradientToColorButton);
    FontcolorPanel = new QWidget(panels);
    FontcolorPanel->setObjectName(QStringLiteral("FontcolorPanel"));
    auto *fontColor = new QFormLayout(FontcolorPanel);
    FontColorButton = makeColor(FontcolorPanel, "FontColorButton");
    fontColor->addRow(QStringLiteral("Font Color"), FontColorButton);
    ImagePanel = new QWidget(panels);
    ImagePanel->setObjectName(QStringLiteral("ImagePanel"));
    auto *image = new QHBoxLayout(ImagePanel);
    LoadTextureButton = new QPushButton(QStringLiteral("Load Texture"), ImagePanel);
    LoadTextureButton->setObjectName(QStringLiteral("LoadTextureButton"));
    image->addWidget(LoadTextureButton);
    for (QWidget *w : {FillPanel, FontcolorPanel, ImagePanel}) stack->addWidget(w);

    OutlineColorButton = makeColor(this, "OutlineColorButton");
    OutlineStyleCombo = makeCombo(this, "OutlineStyleCombo",
                                  {QStringLiteral("Solid Line"), QStringLiteral("Dash Line"),
                                   QStringLiteral("Dotted Line"), QStringLiteral("DashDot Line"),
                                   QStringLiteral("DashDotDot Line"), QStringLiteral("Clear")});
    OutLineWidthSpinner = makeSpinner(this, "OutLineWidthSpinner");
    ShadowColorButton = makeColor(this, "ShadowColorButton");
    ShadowOrientationCombo = makeCombo(
        this, "ShadowOrientationCombo",
        {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
         QStringLiteral("Down and Right"), QStringLiteral("Down and Left"), QStringLiteral("Down")});
    ShadowDepthSpinner = makeSpinner(this, "ShadowDepthSpinner");
    form->addRow(QString(), panels);
    form->addRow(QStringLiteral("Outline Color"), OutlineColorButton);
    form->addRow(QStringLiteral("Outline Style"), OutlineStyleCombo);
    form->addRow(QStringLiteral("Outline Width"), OutLineWidthSpinner);
    form->addRow(QStringLiteral("Shadow Color"), ShadowColorButton);
    form->addRow(QStringLiteral("Shadow"), ShadowOrientationCombo);
    form->addRow(QStringLiteral("Shadow Depth"), ShadowDepthSpinner);

    CaptionText = new QLineEdit(this);
    CaptionText->setObjectName(QStringLiteral("CaptionText"));
    SelectFontButton = new QPushButton(QStringLiteral("Select Font"), this);
    SelectFontButton->setObjectName(QStringLiteral("SelectFontButton"));
    SizeDownButton = new QToolButton(this);
    SizeDownButton->setObjectName(QStringLiteral("SizeDownButton"));
    SizeDownButton->setArrowType(Qt::DownArrow);
    SizeUpButton = new QToolButton(this);
    SizeUpButton->setObjectName(QStringLiteral("SizeUpButton"));
    SizeUpButton->setArrowType(Qt::UpArrow);
    SelectSymbolButton = new QPushButton(QStringLiteral("Select Symbol"), this);
    SelectSymbolButton->setObjectName(QStringLiteral("SelectSymbolButton"));
    auto *textRow = new QHBoxLayout;
    textRow->addWidget(CaptionText, 1);
    textRow->addWidget(SelectFontButton);
    textRow->addWidget(SizeDownButton);
    textRow->addWidget(SizeUpButton);
    textRow->addWidget(SelectSymbolButton);

    FitTimer = new QTimer(this);
    FitTimer->setObjectName(QStringLiteral("FitTimer"));
    FitTimer->setInterval(kFitDelayMs);
    connect(FitTimer, &QTimer::timeout, this, [this] { FitTimerTick(); });
    FitTimer->start();

    auto *root = new QVBoxLayout(this);
    root->addWidget(scroll, 1);
    root->addLayout(textRow);
    root->addLayout(form);
    root->addWidget(OkCancelHelpButtons(
        this, [this] { OkClick(); }, [this] { reject(); },
        [] { ShowHelpContext(kHelpTopic); }));

    ShowValues();

    const auto live = [this](auto fn) {
        return [this, fn](auto value) {
            if (showing_) return;
            fn(value);
            previewView_->update();
        };
    };
    connect(SurfaceTypeCombo, &QComboBox::currentIndexChanged, this,
            [this](int i) { if (!showing_) surfaceChanged(i); });
    connect(FillDirectionCombo, &QComboBox::currentIndexChanged, this,
            live([this](int i) { preview_->SetFillDirection(TFillDirection(i)); }));
    connect(GradientFromcolorButton, &TColorCombo::colorPicked, this,
            live([this](TColor c) { preview_->SetGradientFromColor(c); }));
    connect(GradientToColorButton, &TColorCombo::colorPicked, this,
            live([this](TColor c) { preview_->SetGradientToColor(c); }));
    connect(FontColorButton, &TColorCombo::colorPicked, this, live([this](TColor c) {
                TFontDesc f = preview_->Font();
                f.color = c;
                preview_->ApplyFont(f);
            }));
    connect(OutlineColorButton, &TColorCombo::colorPicked, this,
            live([this](TColor c) { preview_->SetOutlineColor(c); }));
    connect(OutlineStyleCombo, &QComboBox::currentIndexChanged, this,
            live([this](int i) { preview_->SetOutlineStyle(TOutlineStyle(i)); }));
    connect(OutLineWidthSpinner, &QSpinBox::valueChanged, this,
            live([this](int v) { preview_->SetOutlineWidth(v); }));
    connect(ShadowColorButton, &TColorCombo::colorPicked, this,
            live([this](TColor c) { preview_->SetShadowcolor(c); }));
    connect(ShadowOrientationCombo, &QComboBox::currentIndexChanged, this, live([this](int i) {
                preview_->SetShadowOrientation(TShadowDirection(i));
                fitPending_ = true;
            }));
    connect(ShadowDepthSpinner, &QSpinBox::valueChanged, this, live([this](int v) {
                preview_->SetShadowDepth(v);
                fitPending_ = true;
            }));
    connect(CaptionText, &QLineEdit::textEdited, this, live([this](const QString &t) {
                preview_->SetCaptionText(t.toStdString());
                fitPending_ = true;
            }));
    connect(SizeUpButton, &QToolButton::clicked, this, [this] { SizeUpClick(); });
    connect(SizeDownButton, &QToolButton::clicked, this, [this] { SizeDownClick(); });
    connect(SelectFontButton, &QPushButton::clicked, this, [this] { SelectFontClick(); });
    connect(SelectSymbolButton, &QPushButton::clicked, this, [this] { SelectSymbolClick(); });
    connect(LoadTextureButton, &QPushButton::clicked, this, [this] { LoadTextureClick(); });
    fitPreview();
}

TSuperTextProperties::~TSuperTextProperties() = default;

void TSuperTextProperties::ShowValues()
{
    showing_ = true;
    const TGSuperText &p = *preview_;
    SurfaceTypeCombo->setCurrentIndex(p.SurfaceType());
    FillDirectionCombo->setCurrentIndex(p.FillDirection());
    GradientFromcolorButton->SetColor(p.GradientFromColor());
    GradientToColorButton->SetColor(p.GradientToColor());
    FontColorButton->SetColor(p.Font().color);
    OutlineColorButton->SetColor(p.OutlineColor());
    // "Inside frame" draws as a solid line and is shown as one.
    OutlineStyleCombo->setCurrentIndex(p.OutlineStyle() > psClear ? psSolid : p.OutlineStyle());
    OutLineWidthSpinner->setValue(p.OutlineWidth());
    ShadowColorButton->SetColor(p.Shadowcolor());
    ShadowOrientationCombo->setCurrentIndex(p.ShadowOrientation());
    ShadowDepthSpinner->setValue(p.ShadowDepth());
    CaptionText->setText(QString::fromStdString(p.Caption()));
    showCaptionFont();
    if (!p.Texture().isEmpty()) lastTexture_ = p.Texture();
    updatePanels();
    showing_ = false;
}

void TSuperTextProperties::showCaptionFont()
{
    QFont f = CaptionText->font();
    f.setFamily(QString::fromStdString(preview_->Font().name));
    CaptionText->setFont(f);
}

void TSuperTextProperties::updatePanels()
{
    const int surface = SurfaceTypeCombo->currentIndex();
    FillPanel->setVisible(surface == stGradientFill);
    ImagePanel->setVisible(surface == stBrushImage);
    FontcolorPanel->setVisible(surface == stNormal);
}

void TSuperTextProperties::surfaceChanged(int index)
{
    if (index == stBrushImage) preview_->SetTexture(lastTexture_);
    preview_->SetSurfaceType(TSurfaceType(index));
    if (index == stBrushImage) preview_->SetTexture(lastTexture_);
    // A transparent surface may have turned a clear outline solid.
    showing_ = true;
    OutlineStyleCombo->setCurrentIndex(std::min<int>(preview_->OutlineStyle(), psClear));
    showing_ = false;
    fitPreview();
    updatePanels();
}

void TSuperTextProperties::fitPreview()
{
    fitPending_ = false;
    preview_->FitToText();
    previewView_->resize(preview_->Width(), preview_->Height());
    previewView_->update();
}

void TSuperTextProperties::FitTimerTick()
{
    if (fitPending_) fitPreview();
}

void TSuperTextProperties::changeFontSize(int step)
{
    TFontDesc f = preview_->Font();
    const int size = f.size();
    if ((step < 0 && size <= kMinFontSize) || (step > 0 && size >= kMaxFontSize)) return;
    f.setSize(size + step);
    preview_->ApplyFont(f);
    fitPreview();
}

void TSuperTextProperties::SizeUpClick()
{
    changeFontSize(5);
}

void TSuperTextProperties::SizeDownClick()
{
    changeFontSize(-5);
}

void TSuperTextProperties::SelectFontClick()
{
    const std::optional<TFontDesc> chosen = chooseScalableFont(this, preview_->Font());
    if (!chosen) return;
    TFontDesc f = *chosen;
    f.color = preview_->Font().color;
    preview_->ApplyFont(f);
    fitPreview();
    showCaptionFont();
}

void TSuperTextProperties::SelectSymbolClick()
{
    TSuperTextGetSymbol picker(this);
    if (!picker.HasFonts()) return;
    if (!runDialog(SuperTextDialogHooks().runSymbols, picker)) return;
    if (!picker.Character().isNull()) {
        CaptionText->setText(QString(picker.Character()));
        preview_->SetCaptionText(CaptionText->text().toStdString());
    }
    if (!picker.FontName().isEmpty()) {
        TFontDesc f = preview_->Font();
        f.name = picker.FontName().toStdString();
        preview_->ApplyFont(f);
    }
    fitPreview();
    showCaptionFont();
    QApplication::restoreOverrideCursor();
}

void TSuperTextProperties::LoadTextureClick()
{
    TSuperTextBrushImageBrowser browser(texturePath_, *preview_, this);
    const QString workingFolder = QDir::currentPath();
    if (runDialog(SuperTextDialogHooks().runTextures, browser)) {
        preview_->SetTexture(browser.Preview().Texture());
        lastTexture_ = browser.Preview().Texture();
        texturePath_ = browser.FileName();
    }
    QDir::setCurrent(workingFolder);
    fitPreview();
}

bool TSuperTextProperties::OkClick()
{
    if (CaptionText->text().isEmpty()) {
        ShowInformation(QStringLiteral("Please enter some text"));
        CaptionText->setFocus();
        return false;
    }
    accept();
    return true;
}

void TSuperTextProperties::ApplyTo(TGSuperText &object)
{
    const TGSuperText &p = *preview_;
    object.SetGradientFromColor(p.GradientFromColor());
    object.SetFillDirection(p.FillDirection());
    object.SetGradientToColor(p.GradientToColor());
    object.SetTexture(p.Texture());
    object.SetOutlineColor(p.OutlineColor());
    object.SetOutlineStyle(p.OutlineStyle());
    object.SetOutlineWidth(p.OutlineWidth());
    object.SetShadowcolor(p.Shadowcolor());
    object.SetShadowDepth(p.ShadowDepth());
    object.SetShadowOrientation(p.ShadowOrientation());
    object.SetSurfaceType(p.SurfaceType());
    object.SetLastBitmapFileNameandPath(texturePath_.toStdString());
    object.ApplyFont(p.Font());
    object.SetCaptionText(CaptionText->text().toStdString());
    if (object.SurfaceType() == stGradientFill) object.RebuildGradient();
    object.MarkLayoutDirty();
    object.UpdateLayout();
    object.Invalidate();
    object.NotifyChanged();
}

// ---------------------------------------------------------------------------------------

QStringList TSuperTextGetSymbol::SymbolFonts()
{
    QStringList fonts;
    for (const QString &family : QFontDatabase::families()) {
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        const bool symbolMain = !systems.isEmpty() &&
                                (systems.first() == QFontDatabase::Symbol ||
                                 (systems.size() == 1 && systems.contains(QFontDatabase::Symbol)));
        const QString upper = family.toUpper();
        const bool dingbats = upper.contains(QLatin1String("DINGBAT")) ||
                              upper.contains(QLatin1String("WINGDING")) ||
                              upper.contains(QLatin1String("SYMBOL"));
        // Colour emoji faces draw bitmaps: their letters make no outline to fill or clip.
        if (upper.contains(QLatin1String("EMOJI"))) continue;
        if ((symbolMain || dingbats) && QFontDatabase::isScalable(family)) fonts << family;
    }
    fonts.removeDuplicates();
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Symbol Selector"));
    setObjectName(QStringLiteral("TSuperTextGetSymbol"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SymbolSets = new QComboBox(this);
    SymbolSets->setObjectName(QStringLiteral("SymbolSets"));
    SymbolList = new QTableWidget(15, 15, this);
    SymbolList->setObjectName(QStringLiteral("SymbolList"));
    SymbolList->horizontalHeader()->hide();
    SymbolList->verticalHeader()->hide();
    SymbolList->horizontalHeader()->setDefaultSectionSize(34);
    SymbolList->verticalHeader()->setDefaultSectionSize(34);
    SymbolList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SymbolList->setSelectionMode(QAbstractItemView::SingleSelection);
    SymbolList->setMinimumSize(15 * 34 + 24, 8 * 34);
    for (int code = 32; code <= 255; ++code) {
        auto *item = new QTableWidgetItem(QString(QChar(code)));
        item->setTextAlignment(Qt::AlignCenter);
        SymbolList->setItem((code - 32) / 15, (code - 32) % 15, item);
    }
    auto *root = new QVBoxLayout(this);
    root->addWidget(SymbolSets);
    root->addWidget(SymbolList, 1);
    root->addWidget(OkCancelHelpButtons(
        this, [this] { OkClick(); }, [this] { reject(); },
        [] { ShowHelpContext(kHelpTopic); }));

    const QStringList fonts = SymbolFonts();
    SymbolSets->addItems(fonts);
    hasFonts_ = !fonts.isEmpty();
    connect(SymbolSets, &QComboBox::currentTextChanged, this,
            [this](const QString &name) { SelectFont(name); });
    connect(SymbolList, &QTableWidget::cellClicked, this,
            [this](int row, int column) { SelectCell(row, column); });
    connect(SymbolList, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        SelectCell(row, column);
        OkClick();
    });
    QApplication::restoreOverrideCursor();
    if (!hasFonts_) {
        ShowInformation(QStringLiteral("No Symbol fonts installed"));
        return;
    }
    int preferred = -1;
    for (int i = 0; i < fonts.size() && preferred < 0; ++i)
        if (fonts[i].toUpper().contains(QLatin1String("WINGDING"))) preferred = i;
    // Without a Wingdings face, open on a symbol-encoded face that fills the grid: the
    // Unicode symbol faces keep their symbols outside characters 32 to 255.
    for (int i = 0; i < fonts.size() && preferred < 0; ++i)
        if (SymbolEncoded(fonts[i])) preferred = i;
    if (preferred < 0) preferred = 0;
    SymbolSets->setCurrentIndex(preferred);
    SelectFont(fonts[preferred]);
    SelectCell(0, 0);
}

bool TSuperTextGetSymbol::SymbolEncoded(const QString &family)
{
    if (!QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol)) return false;
    QFont f(family);
    f.setPixelSize(24);
    const QRawFont raw = QRawFont::fromFont(f);
    int present = 0;
    for (int code = 33; code <= 255; ++code)
        if (raw.supportsCharacter(QChar(code))) ++present;
    return present >= 150;
}

void TSuperTextGetSymbol::SelectFont(const QString &name)
{
    fontName_ = name;
    QFont f(name);
    f.setPixelSize(24);
    // Only the face's own characters: another font's letter standing in for a missing
    // symbol would be chosen and then print as something else.
    f.setStyleStrategy(QFont::NoFontMerging);
    SymbolList->setFont(f);
    const QRawFont raw = QRawFont::fromFont(f);
    for (int code = 32; code <= 255; ++code) {
        QTableWidgetItem *item = SymbolList->item((code - 32) / 15, (code - 32) % 15);
        const bool shown = code == 32 || !raw.isValid() || raw.supportsCharacter(QChar(code));
        item->setText(shown ? QString(QChar(code)) : QString());
        item->setFlags(shown ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
    }
}

void TSuperTextGetSymbol::SelectCell(int row, int column)
{
    const QTableWidgetItem *item = SymbolList->item(row, column);
    if (item == nullptr || item->text().isEmpty()) return;
    SymbolList->setCurrentCell(row, column);
    character_ = item->text().at(0);
}

bool TSuperTextGetSymbol::OkClick()
{
    if (fontName_.isEmpty() && character_.isNull()) return false;
    accept();
    return true;
}

// ---------------------------------------------------------------------------------------

QString TSuperTextBrushImageBrowser::StartFolder()
{
    const QString app = AppFolder();
    for (const char *sub : {"bmbrush/", "Textures/"}) {
        const QString folder = QDir(app).filePath(QLatin1String(sub));
        if (QFileInfo(folder).isDir()) return QDir::cleanPath(folder);
    }
    return QDir::cleanPath(app);
}

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(const QString &texturePath,
                                                         const TGSuperText &preview,
                                                         QWidget *parent)
    : QDialog(parent), preview_(std::make_unique<TGSuperText>())
{
    setWindowTitle(QStringLiteral("Load Texture Image"));
    setObjectName(QStringLiteral("TSuperTextBrushImageBrowser"));
    preview_->CopyFrom(preview);
    preview_->SetSurfaceType(stBrushImage);
    preview_->SetTexture(preview.Texture());

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setRootPath(QDir::rootPath());
    FolderList = new QTreeView(this);
    FolderList->setObjectName(QStringLiteral("FolderList"));
    FolderList->setModel(folders_);
    for (int c = 1; c < folders_->columnCount(); ++c) FolderList->hideColumn(c);
    FolderList->setHeaderHidden(true);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    auto *scroll = new QScrollArea(this);
    SuperTextExample = new TSuperTextView(*preview_, scroll);
    SuperTextExample->setObjectName(QStringLiteral("SuperTextExample"));
    scroll->setWidget(SuperTextExample);
    scroll->setMinimumSize(300, 120);

    auto *lists = new QHBoxLayout;
    lists->addWidget(FolderList, 1);
    lists->addWidget(FileListBox1, 1);
    auto *root = new QVBoxLayout(this);
    root->addLayout(lists, 1);
    root->addWidget(scroll);
    root->addWidget(OkCancelHelpButtons(
        this, [this] { accept(); }, [this] { reject(); },
        [] { ShowHelpContext(kHelpTopic); }));
    resize(640, 480);

    connect(FolderList, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { SetFolder(folders_->filePath(i)); });
    connect(FileListBox1, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (!name.isEmpty()) SelectFile(QDir(folder_).filePath(name));
    });

    const QFileInfo chosen(texturePath);
    if (!texturePath.isEmpty() && chosen.isFile()) {
        SetFolder(chosen.absolutePath());
        const QList<QListWidgetItem *> hits = FileListBox1->findItems(chosen.fileName(), Qt::MatchExactly);
        if (!hits.isEmpty()) FileListBox1->setCurrentItem(hits.first());
    } else {
        SetFolder(StartFolder());
    }
    preview_->FitToText();
}

void TSuperTextBrushImageBrowser::SetFolder(const QString &folder)
{
    folder_ = QDir::cleanPath(folder);
    const QModelIndex index = folders_->index(folder_);
    FolderList->setCurrentIndex(index);
    FolderList->scrollTo(index);
    fillFiles();
}

void TSuperTextBrushImageBrowser::fillFiles()
{
    const QSignalBlocker block(FileListBox1);
    FileListBox1->clear();
    QDir dir(folder_);
    dir.setNameFilters(kPictureMasks);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    FileListBox1->addItems(dir.entryList());
}

bool TSuperTextBrushImageBrowser::SelectFile(const QString &path)
{
    fileName_ = path;
    const QString ext = QFileInfo(path).suffix().toUpper();
    TSmartImage loader;
    bool ok = loader.LoadPictureFile(path);
    ok = ok && !loader.picture().isEmpty();
    if (ok) {
        preview_->SetTexture(loader.picture());
    } else {
        if (ext == QLatin1String("BMP") || ext == QLatin1String("WMF"))
            ShowInformation(QStringLiteral("Error loading file!"));
        preview_->SetTexture(TPicture());
    }
    preview_->FitToText();
    SuperTextExample->resize(preview_->Width(), preview_->Height());
    SuperTextExample->update();
    FileListBox1->setFocus();
    return ok;
}

} // namespace velmora
