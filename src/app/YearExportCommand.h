#pragma once
// File > Export Calendar Year: the dialog that chooses the months, the output and the
// pictures, the choice of recurring dates, and the run with a progress bar and Cancel. The
// pages themselves come from ExportCalendarYear, as the exporter's do.
#include "calendar/YearExport.h"
#include "common/Program.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora {

class TCalendarPage;
class TSelectRecurringDates;
struct HolidayCountry;
struct TPaletteHooks;

// Writes every entry of the store that concerns the page's month into its day cells; the
// page has been drawn. Throws RecurStoreError for a store that cannot be read.
void FillMonthWithRecurringDates(TCalendarPage &page, const std::filesystem::path &store);

// The recurring dates of a run: the entries the user kept, and the country whose observed
// days are marked (none when nullptr).
struct TYearFillChoice
{
    std::vector<std::string> entries;
    const HolidayCountry *observed = nullptr;
};

// The lines, in store order and each once, that concern at least one of count months
// from month/year on.
std::vector<std::string> EntriesForMonths(const std::vector<std::string> &lines, int month,
                                          int year, int count);

// Writes those chosen entries that concern the page's month, and their observed days, into
// its day cells, as Fill Calendar with Recurring Dates would for that month.
void FillMonthWithChosenDates(TCalendarPage &page, const TYearFillChoice &choice);

// The folders the dialog last used, kept in the preferences file.
struct TYearExportFolders
{
    QString output;   // where the last export was written
    QString pictures; // the last photo folder
};
TYearExportFolders LoadYearExportFolders(const std::filesystem::path &iniPath);
// Throws TIniFileError when the file cannot be written.
void SaveYearExportFolders(const std::filesystem::path &iniPath, const TYearExportFolders &folders);

class TExportYearDialog : public QDialog
{
    Q_OBJECT
public:
    // firstMonth/firstYear name the page's month; proposedName the output's first name.
    TExportYearDialog(int firstMonth, int firstYear, const QString &proposedName,
                      QWidget *parent = nullptr);

    QSpinBox *Months = nullptr;
    QComboBox *Format = nullptr; // 0 PDF, 1 numbered PNG pictures
    QLineEdit *Output = nullptr;
    QCheckBox *FillRecurring = nullptr;
    QCheckBox *KeepObjects = nullptr;
    QLineEdit *PictureFolder = nullptr;
    QCheckBox *PhotoPages = nullptr;
    QComboBox *Fit = nullptr; // 0 cover, 1 contain
    // Where Browse for the photo folder starts while none is chosen.
    QString PictureBrowseStart;

    // "November 2026 to October 2027", for the months chosen.
    QString RangeText() const;

    // The choices as export options (no fill, no progress).
    TYearExportOptions Options() const;
    // The files a run with these choices would write.
    QStringList OutputFiles() const;
    // Checks the choices as OK does: a message and false when they cannot be used, a
    // question about replacing existing files answered No is false too.
    bool CheckChoices();
    void accept() override;

private:
    void formatChanged();
    void browseOutput();
    void browseFolder();
    void updateRange();
    void updatePhotoOptions();

    int firstMonth_;
    int firstYear_;
    QLabel *range_ = nullptr;
    QString confirmed_; // an output the save dialog already asked to replace
};

// What a test puts in place of the modal parts of the command.
struct TYearExportHooks
{
    DialogRunner<TExportYearDialog> dialog;
    DialogRunner<TSelectRecurringDates> select;
    // Called with the progress of the run; false cancels it as the Cancel button does.
    std::function<bool(int done, int total)> progress;
};

enum class TYearExportOutcome { Cancelled, Written, Failed };

// The whole command for the page: the dialog, the choice among the recurring dates of the
// months, the run and its messages. The page itself is not touched. documentName is the
// page's file (empty when untitled); startFolder where the output goes when no earlier
// export is remembered in iniPath.
TYearExportOutcome ExportCalendarYearCommand(QWidget *parent, const TCalendarPage &page,
                                             const QString &documentName,
                                             const QString &startFolder,
                                             const std::filesystem::path &iniPath,
                                             const TYearExportHooks &hooks,
                                             const TPaletteHooks &palette);

// Runs the export of a copy of the page with a progress dialog and a busy cursor; the page
// itself is not touched. The message for the user when something went wrong, else empty;
// cancelled tells a cancel apart from success. progressHook lets tests cancel from inside
// the run.
QString RunYearExport(QWidget *parent, const TCalendarPage &page, TYearExportOptions options,
                      const std::function<void(TCalendarPage &)> &fill,
                      const std::function<bool(int done, int total)> &progressHook = {},
                      bool *cancelled = nullptr);

} // namespace velmora
