#pragma once
// The SuperText dialogs: "SuperText Properties" with its live preview, the "Symbol Selector"
// and the "Load Texture Image" browser. Each can be driven without a modal loop: tests set
// the controls and call the handlers.
#include "imaging/Picture.h"
#include "objects/gsstext.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;
class QToolButton;
class QTreeView;
class QFileSystemModel;

namespace velmora {

class TColorCombo;
class TSuperTextGetSymbol;
class TSuperTextBrushImageBrowser;

// Shows a SuperText that no page holds, at its own size.
class TSuperTextView : public QWidget
{
public:
    TSuperTextView(TGSuperText &text, QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TGSuperText &text_;
};

struct TSuperTextDialogHooks
{
    // Each returns true when the dialog closed with OK; empty means the real modal dialog.
    std::function<bool(class TSuperTextProperties &)> runProperties;
    std::function<bool(TSuperTextGetSymbol &)> runSymbols;
    std::function<bool(TSuperTextBrushImageBrowser &)> runTextures;
    // A scalable font, or nothing when cancelled.
    std::function<std::optional<TFontDesc>(const TFontDesc &)> chooseFont;
};

TSuperTextDialogHooks &SuperTextDialogHooks();

class TSuperTextProperties : public QDialog
{
public:
    static constexpr int kHelpTopic = 40014;
    static constexpr int kMinFontSize = 10;
    static constexpr int kMaxFontSize = 150;
    static constexpr int kFitDelayMs = 200;

    TSuperTextProperties(TGSuperText &object, QWidget *parent = nullptr);
    ~TSuperTextProperties() override;

    TGSuperText &Preview() { return *preview_; }
    const QString &TexturePath() const { return texturePath_; }
    const TPicture &LastTexture() const { return lastTexture_; }
    bool FitPending() const { return fitPending_; }

    // Shows the preview's values in the controls.
    void ShowValues();
    void SizeUpClick();
    void SizeDownClick();
    void SelectFontClick();
    void SelectSymbolClick();
    void LoadTextureClick();
    // False (with "Please enter some text") while the caption is empty.
    bool OkClick();
    // The object takes the preview's looks, in the order the dialog promises.
    void ApplyTo(TGSuperText &object);
    // The refit the timer runs.
    void FitTimerTick();

    QComboBox *SurfaceTypeCombo;
    QComboBox *FillDirectionCombo;
    TColorCombo *GradientFromcolorButton;
    TColorCombo *GradientToColorButton;
    TColorCombo *FontColorButton;
    TColorCombo *OutlineColorButton;
    TColorCombo *ShadowColorButton;
    QComboBox *OutlineStyleCombo;
    QSpinBox *OutLineWidthSpinner;
    QComboBox *ShadowOrientationCombo;
    QSpinBox *ShadowDepthSpinner;
    QLineEdit *CaptionText;
    QWidget *FillPanel;
    QWidget *FontcolorPanel;
    QWidget *ImagePanel;
    QToolButton *SizeUpButton;
    QToolButton *SizeDownButton;
    QPushButton *SelectFontButton;
    QPushButton *SelectSymbolButton;
    QPushButton *LoadTextureButton;
    QTimer *FitTimer;

private:
    void surfaceChanged(int index);
    void updatePanels();
    void fitPreview();
    void changeFontSize(int step);
    void showCaptionFont();

    std::unique_ptr<TGSuperText> preview_;
    TSuperTextView *previewView_ = nullptr;
    QString texturePath_;
    TPicture lastTexture_;
    bool fitPending_ = false;
    bool showing_ = false;
};

class TSuperTextGetSymbol : public QDialog
{
public:
    static constexpr int kHelpTopic = 40012;
    explicit TSuperTextGetSymbol(QWidget *parent = nullptr);

    // False when no symbol font is installed ("No Symbol fonts installed" was shown).
    bool HasFonts() const { return hasFonts_; }
    const QString &FontName() const { return fontName_; }
    QChar Character() const { return character_; }
    void SelectFont(const QString &name);
    void SelectCell(int row, int column);
    bool OkClick();

    // The installed faces that hold symbols rather than a script.
    static QStringList SymbolFonts();
    // A face whose characters 33 to 255 are nearly all its own symbols (a symbol-encoded face).
    static bool SymbolEncoded(const QString &family);

    QComboBox *SymbolSets;
    QTableWidget *SymbolList;

private:
    bool hasFonts_ = false;
    QString fontName_;
    QChar character_;
};

class TSuperTextBrushImageBrowser : public QDialog
{
public:
    static constexpr int kHelpTopic = 40012;
    // texturePath: the file chosen last; preview: the properties dialog's preview.
    TSuperTextBrushImageBrowser(const QString &texturePath, const TGSuperText &preview,
                                QWidget *parent = nullptr);

    // The folder the file list starts in when no chosen file exists.
    static QString StartFolder();
    const QString &Folder() const { return folder_; }
    void SetFolder(const QString &folder);
    // Loads a file as the preview's texture; false (texture emptied) when it cannot.
    bool SelectFile(const QString &path);
    const QString &FileName() const { return fileName_; }
    TGSuperText &Preview() { return *preview_; }

    QListWidget *FileListBox1;
    QTreeView *FolderList;

private:
    void fillFiles();

    std::unique_ptr<TGSuperText> preview_;
    TSuperTextView *SuperTextExample = nullptr;
    QFileSystemModel *folders_ = nullptr;
    QString folder_;
    QString fileName_;
};

} // namespace velmora
