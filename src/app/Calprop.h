#pragma once
// The Calendar Properties dialog: every page property of the calendar, chosen on a private
// preview page that the main window fills before the dialog runs and reads back after OK.
#include "app/PropertyRules.h"
#include "calendar/NameTables.h"

#include <QDialog>

class QAbstractButton;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;
class QTabBar;

namespace velmora {

class TCalendarPanel32;
class TColorDropButton;
class TRadioGroup;

class TCalendarProperties : public QDialog
{
    Q_OBJECT
public:
    explicit TCalendarProperties(QWidget *parent = nullptr);
    ~TCalendarProperties() override;

    // ---- What the main window tells the dialog before it runs ----

    // For New: the preview starts from the defaults and nothing on the page can be lost.
    void SetIsNew(bool isNew) { isNew_ = isNew; }
    bool IsNew() const { return isNew_; }
    // Some day cell of the document holds text.
    void SetCellsHaveText(bool hasText) { cellsHaveText_ = hasText; }
    bool CellsHaveText() const { return cellsHaveText_; }
    // Design objects lie on the page; a change of layout family removes them too.
    void SetPageHasObjects(bool hasObjects) { pageHasObjects_ = hasObjects; }
    bool PageHasObjects() const { return pageHasObjects_; }
    // LayoutFamily of the document page when the dialog opened; 1 until set.
    void SetStartingFamily(int family) { startingFamily_ = family; }
    int StartingFamily() const { return startingFamily_; }

    // The preview page: the caller copies the page's properties in before the dialog runs
    // and copies them (and its zoom factor) back after OK.
    TCalendarPanel32 *ExampleCalendar() const { return example_; }

    // ---- State ----

    bool Suppressed() const { return suppress_; }
    bool IsPlanner() const { return planner_; }
    // A style sheet was read into the preview while the dialog ran.
    bool StyleSheetLoaded() const { return styleSheetLoaded_; }

    // ---- Handlers; public so that callers and tests reach them without a modal loop ----

    // Runs once, when the dialog is first shown (or called before that).
    void FormActivate();
    // Fills every control from the preview.
    void DetermineSettings();
    void LayoutListClick();
    void CalendarChange();
    void SetButtons();
    void Button8Click();  // previous year
    void Button9Click();  // previous month
    void Button10Click(); // now
    void Button11Click(); // next month
    void Button12Click(); // next year
    void StartingtimeButtonClick();
    void MonthNamesExit();
    void DayNamesExit();
    void LanguageClick(TNameLanguage language);
    void MarginComboChange(QComboBox *combo);
    void UnitsClick();
    void FontButtonClick(QAbstractButton *button);
    void ColorPicked(TColorDropButton *button, int color);
    void ZoomInButtonClick();
    void ZoomOutbuttonClick();
    void OkbuttonClick();
    void DefaultbuttonClick();
    void HelpbuttonClick();
    void SaveAsStyleSheetButtonClick();
    void LoadStyleSheetButtonClick();

    // Help topics are this number plus the notebook page (2100 Layout .. 2108 Margins).
    static constexpr int kHelpTopicBase = 2100;

public slots:
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction, one notebook page each.
    QWidget *buildLayoutPage();
    QWidget *buildDatePage();
    // The fonts and colours of one calendar, main or mini: the same controls under their
    // own names.
    struct TFontsPageDesign
    {
        const char *captionPrefix;
        const char *titleFont, *headerFont, *cellFont;
        const char *headerBackground, *background;
        // The group of the background colour; none puts it beside the title font.
        const char *backgroundCaption;
    };
    QWidget *buildFontsPage(const TFontsPageDesign &design);
    QWidget *buildHeaderStylesPage();
    QWidget *buildLineStylesPage();
    QWidget *buildPlannerPage();
    QWidget *buildLanguagePage();
    QWidget *buildMarginsPage();
    QWidget *buildPreview();
    QWidget *buildButtonRow();
    QPushButton *fontButton(const char *name, QWidget *parent);
    TColorDropButton *colorButton(const char *name, QWidget *parent);
    QComboBox *styleCombo(const char *name, const QStringList &items, QWidget *parent);
    QComboBox *marginCombo(const char *name, bool emptySeventh, QWidget *parent);
    void applyHints();

    // Helpers of the handlers.
    void setGridDate(const TGridDate &date);
    TGridDate gridDate() const;
    void takeDateFromGrid();
    void updateDateLabel();
    void setDateHeading(bool planner);
    void fillNames();
    void fillMarginEntries();
    void fillListEntries(QComboBox *combo, const QComboBox *source);
    void updateZoomLabel();
    void refillAfterReset();
    void commitEditedNames();
    bool confirmErase();

    // Dialog state.
    bool suppress_ = true;
    bool planner_ = false;
    int savedOrientation_ = -1; // the orientation chosen before a planner row, to restore
    bool isNew_ = false;
    bool styleSheetLoaded_ = false;
    bool cellsHaveText_ = false;
    bool pageHasObjects_ = false;
    int startingFamily_ = 1;
    int startingMonth_ = 0; // the preview's month and year at first activation
    int startingYear_ = 0;

    TCalendarPanel32 *example_ = nullptr;
    QTabBar *tabs_ = nullptr;
    QStackedWidget *notebook_ = nullptr;
    QListWidget *layoutList_ = nullptr;
    TRadioGroup *orientation_ = nullptr;
    TRadioGroup *paperSize_ = nullptr;
    QGroupBox *dateGroup_ = nullptr;
    QCalendarWidget *calendar_ = nullptr;
    QLabel *dateLabel_ = nullptr;
    TRadioGroup *weekStartsOn_ = nullptr;
    QCheckBox *titleShowYear_ = nullptr;
    QCheckBox *miniShowYear_ = nullptr;
    QLabel *timeLabel_ = nullptr;
    QPlainTextEdit *monthNames_ = nullptr;
    QPlainTextEdit *dayNames_ = nullptr;
    QRadioButton *useInches_ = nullptr;
    QRadioButton *useMillimeters_ = nullptr;
    QComboBox *invisInches_ = nullptr;
    QComboBox *invisMM_ = nullptr;
    QScrollArea *scrollBox_ = nullptr;
    QLabel *zoomLabel_ = nullptr;
};

} // namespace velmora
