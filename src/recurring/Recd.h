#pragma once
// The store's editor: every recurring date of the installation in one sorted list, with
// New, Edit, Delete and the predefined holidays. Nothing reaches the file before OK.

#include "recurring/DialogSupport.h"
#include "recurring/Erecdf.h"
#include "recurring/Holidays.h"

#include <QDialog>

#include <string>
#include <vector>

class QDialogButtonBox;
class QListWidget;
class QPushButton;

namespace velmora {

class TEditRecurringDates final : public QDialog
{
public:
    // Loads the store from the application folder.
    explicit TEditRecurringDates(QWidget *parent = nullptr);

    // Empty when the store was read. Otherwise the reason it could not be; the dialog must
    // then not be run, since saving its empty list would wipe entries nobody saw.
    const QString &loadError() const { return loadError_; }

    std::vector<std::string> lines() const;
    int selectedRow() const; // -1 for none
    QListWidget *list() const { return DatesList; }

    // How New, Edit and Holidays run their dialogs; empty means centred and modal.
    DialogRunner<TEditRecurringDateFormula> runFormulaDialog;
    DialogRunner<TGetHolidays> runHolidaysDialog;

    // Handlers, reachable without a modal loop.
    void setbuttons();
    void NewbuttonClick();
    void EditbuttonClick();
    void DeleteButtonClick();
    void HolidaysbuttonClick();
    void okbuttonClick();
    void CancelButtonClick();

protected:
    bool event(QEvent *event) override;

private:
    QDialogButtonBox *buildButtons();
    // Puts the line at its sorted place and selects the first row holding exactly it.
    void insertAndSelect(const std::string &line);
    void insertSorted(const std::string &line);
    void selectRow(int row);
    bool contains(const std::string &line) const;
    void editLine(int row, const std::string &line);

    QString loadError_;
    QListWidget *DatesList = nullptr;
    QPushButton *okbutton = nullptr;
    QPushButton *Editbutton = nullptr;
    QPushButton *Newbutton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *Holidaysbutton = nullptr;
    QPushButton *CancelButton = nullptr;
};

} // namespace velmora
