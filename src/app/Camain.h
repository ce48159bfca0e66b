#pragma once
// The main window: the page in a scroll box, the cell editor laid over a day cell, the
// tool strip, the rich text toolbar and the menu; it owns the document's lifecycle.
#include "app/Preferences.h"
#include "app/YearExportCommand.h"
#include "common/Rect.h"
#include "richtext/WPMasterRichText.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QImage;
class QMimeData;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;
class QButtonGroup;
class QStackedWidget;
class QVBoxLayout;

namespace velmora {

class TCalendarDocument;
class TCalendarPanel32;
class TCalendarProperties;
class TCellEditing;
class TEditHistory;
class TMRUFileList;
class TWPRichText;
class TWPToolBar;
class TWPRtfStorage;
class TReportSystem;
class TFloatingPalette;
class TUserTitleForm;
class TSelectRecurringDates;
class TEditRecurringDates;

class TCalendarMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TCalendarMain(QWidget *parent = nullptr);
    ~TCalendarMain() override;

    // The document shown and its cell editing.
    TCalendarDocument &Document() { return *document_; }
    TCellEditing &CellEditing() { return *cells_; }
    TEditHistory &History() { return *history_; }
    QString CurrentFileName() const;
    bool Modified() const;
    bool EditingCell() const;
    int CurrentCell() const;

    // State, as the window keeps it.
    bool ZoomBusy = false;
    bool Printed = false;
    bool PrinterAvailable = false;
    bool HintsOn = true;
    bool IconToolVisible = false;
    int MainZoomCode = 60;
    int PropZoomCode = 30;
    TPreferences Prefs;

    TCalendarPanel32 *CalendarPanel() const { return page_; }
    TWPRichText *WPRichText1() const { return editor_; }
    TWPToolBar *WPToolBar1() const { return toolbar_; }
    TMRUFileList *MRUList() const { return mru_; }
    TFloatingPalette *Palette() const { return palette_; }
    void ShowHideIconToolClick();
    QAction *action(const char *name) const;
    QToolButton *toolButton(const char *name) const;

    // Runs once after the window is first shown (tests may call it directly).
    void FirstActivation();
    void SetModified(bool value);
    void SetCaption();
    void SetButtons();
    void CheckFloaterStatus();

    // Document commands.
    void New1Click();
    void Open1Click();
    // A shipped sample as a new, untitled calendar.
    void NewFromSampleClick();
    void OpenCalendarFile(const QString &path);
    // A document from the command line or a second start: asks about unsaved changes as
    // Open does, opens it and brings the window to the front.
    void OpenFileFromOutside(const QString &path);
    bool SaveCalendarFile(const QString &path);
    // Saves under the current name; an untitled page asks for one.
    void mnuSaveClick();
    // Closes the document (asking to save) and shows the start panel.
    void mnuCloseClick();
    // Where Open and Save dialogs start: the folder last used, else the most recent
    // document's, else the user's documents or home folder.
    QString DialogFolder() const;
    bool mnuSaveAsClick();
    // Asks "Save changes?" when needed; false when the command that asked must stop.
    bool CheckSaveNeeded();
    void mnuCancelChangesClick();
    void mnuPropertiesClick();

    // Undo and redo of the document's last step (the Edit menu).
    void mnuUndoClick();
    void mnuRedoClick();

    // View and editing commands.
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();
    void mnuClearAllCellContentsClick();
    void mnuUserTitleClick();
    void DefaultEditorFont1Click();
    void mnuShowHintClick();
    void About1Click();

    // Recurring dates; the runners replace the modal loops in tests.
    void mnuFillCalendarwithRecurringDatesClick();
    void mnuEditrecurringDatesClick();
    std::function<bool(TSelectRecurringDates &)> SelectRecurringDates;
    std::function<bool(TEditRecurringDates &)> EditRecurringDatesRunner;

    // Output.
    bool CheckPrinters();
    void mnuPrintCalendarClick();
    void mnuPrintSetupClick();
    void mnuSaveAsBitmapClick();
    // File > Export Calendar Year; tests put their own dialog runs and progress in the hooks
    // (an empty select hook falls back to SelectRecurringDates).
    void mnuExportCalendarYearClick();
    TYearExportHooks ExportYearHooks;
    QString ProposedBitmapName() const;
    TReportSystem &ReportSystem1() { return *report_; }
    // The message shown after a print job for a page with or without SuperText objects.
    static QString PrintCompletedMessage(bool hasSuperText);

    // Day cells.
    void DoSaveRichtext();
    void CalendarPanelClickedInCellEvent(const TRect &rTotal, const TRect &rFree, int iCell,
                                         int iDay);
    void PuttextOnDay(int day, const QString &text);
    void SetDefaultFontNow();
    // A picture or picture file dragged onto the page becomes part of the cell's text.
    static QImage DroppedPicture(const QMimeData *data);
    bool DropPictureOnCell(const QImage &picture, int x, int y);

    // The Properties dialog's modal loop, set up as the command sets it up; replaceable
    // for tests. True for OK.
    std::function<bool(TCalendarProperties &dialog)> RunPropertiesDialog;
    // The title dialog's modal loop, replaceable for tests.
    std::function<bool(TUserTitleForm &)> RunUserTitleDialog;
    // Proposed file name for Save As of an untitled document (as Dec1997.QXF).
    QString ProposedFileName() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void buildToolStrip(QWidget *strip);
    void applyHints();
    bool handleKey(QObject *target, QKeyEvent *key);
    void showPage(bool visible);
    void savePreferencesQuietly();
    void clearAllCells();
    void acceptProperties(const TCalendarPanel32 &preview, int oldMonth, int oldYear);
    void applyDesignedValues();
    void buildStartPanel();
    void refreshStartPanel();
    void rememberFolder(const QString &file);
    void updateStatusPage();
    void updateUndoActions();
    void pageRestored();

    TCalendarPanel32 *page_ = nullptr;
    std::unique_ptr<TCalendarDocument> document_;
    TCellEditing *cells_ = nullptr;
    TEditHistory *history_ = nullptr;
    bool loading_ = false;
    bool newCalendar_ = false;
    bool propertiesAccepted_ = false;
    QScrollArea *scroll_ = nullptr;
    QStackedWidget *views_ = nullptr;
    QWidget *startPanel_ = nullptr;
    QLabel *recentHeading_ = nullptr;
    QVBoxLayout *recentList_ = nullptr;
    QLabel *statusHint_ = nullptr;
    QLabel *statusPage_ = nullptr;
    QString lastFolder_;
    TWPRichText *editor_ = nullptr;
    TWPToolBar *toolbar_ = nullptr;
    TMRUFileList *mru_ = nullptr;
    TFloatingPalette *palette_ = nullptr;
    bool paletteHeld_ = false;
    bool closing_ = false;
    void hidePaletteFor();   // while a dialog runs
    void showPaletteAfter();
    QButtonGroup *tools_ = nullptr;
    QPushButton *saveButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    std::unique_ptr<TReportSystem> report_;
    // Draws every rich text label of the page; labels find it by its name when loaded.
    std::shared_ptr<TWPMasterRichText> masterRichText_ = TWPMasterRichText::Create();
    bool activated_ = false;
};

} // namespace velmora
