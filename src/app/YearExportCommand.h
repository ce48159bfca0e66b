#pragma once
// File > Export Calendar Year: the dialog that chooses the months, the output and the
// pictures, and the run with a progress bar and Cancel. The pages themselves come from
// ExportCalendarYear, as the exporter's do.
#include "calendar/YearExport.h"

#include <QDialog>

#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora {

class TCalendarPage;

// Writes every entry of the store that concerns the page's month into its day cells; the
// page has been drawn. Throws RecurStoreError for a store that cannot be read.
void FillMonthWithRecurringDates(TCalendarPage &page, const std::filesystem::path &store);

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

    // The choices as export options (no fill, no progress).
    TYearExportOptions Options() const;

private:
    void formatChanged();
    void browseOutput();
    void browseFolder();
    void updateRange();
    void accept() override;

    int firstMonth_;
    int firstYear_;
    QLabel *range_ = nullptr;
};

// Runs the export of a copy of the page with a progress dialog; the page itself is not
// touched. The message for the user when something went wrong, else empty. progressShown
// lets tests cancel from inside the run.
QString RunYearExport(QWidget *parent, const TCalendarPage &page, TYearExportOptions options,
                      bool fillRecurring, const std::filesystem::path &store,
                      const std::function<bool(int done, int total)> &progressHook = {});

} // namespace velmora
