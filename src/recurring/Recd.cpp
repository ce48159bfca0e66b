#include "recurring/Recd.h"

#include "common/DialogButtons.h"
#include "common/Program.h"
#include "recurring/EntryList.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TEditRecurringDates::TEditRecurringDates(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TEditRecurringDates"));
    setWindowTitle(QStringLiteral("Recurring Dates"));
    auto *outer = new QVBoxLayout(this);
    DatesList = new QListWidget(this);
    DatesList->setObjectName(QStringLiteral("DatesList"));
    DatesList->setSelectionMode(QAbstractItemView::SingleSelection);
    SetupEntryList(DatesList, TEntryRowDelegate::Style::Plain);
    DatesList->setFixedSize(480, 16 * kEntryRowHeight + 4);
    outer->addWidget(DatesList);
    outer->addWidget(buildButtons());
    SetFixedDialogFrame(this, false);
    DatesList->setFocus();

    try {
        std::vector<std::string> stored = readRecurLines(RecurStorePath());
        sortRecurLines(stored);
        for (const std::string &line : stored)
            DatesList->addItem(makeEntryItem(line));
    } catch (const RecurStoreError &error) {
        loadError_ = QStringLiteral("The recurring dates could not be read.\n%1")
                         .arg(QString::fromLocal8Bit(error.what()));
    }
    if (DatesList->count() > 0) selectRow(0);
    setbuttons();
    // Keeps Edit and Delete honest when a click clears the selection.
    connect(DatesList, &QListWidget::itemSelectionChanged, this, [this] { setbuttons(); });
}

QDialogButtonBox *TEditRecurringDates::buildButtons()
{
    QDialogButtonBox *row = OkCancelHelpButtons(
        this, [this] { okbuttonClick(); }, [this] { CancelButtonClick(); }, nullptr,
        {.ok = "okbutton", .cancel = "CancelButton"});
    okbutton = RowButton(row, "okbutton");
    CancelButton = RowButton(row, "CancelButton");
    Editbutton = AddRowButton(row, QStringLiteral("&Edit"), "Editbutton", [this] { EditbuttonClick(); });
    Newbutton = AddRowButton(row, QStringLiteral("&New"), "Newbutton", [this] { NewbuttonClick(); });
    DeleteButton =
        AddRowButton(row, QStringLiteral("&Delete"), "DeleteButton", [this] { DeleteButtonClick(); });
    Holidaysbutton = AddRowButton(row, QStringLiteral("Ho&lidays"), "Holidaysbutton",
                                  [this] { HolidaysbuttonClick(); });
    return row;
}

bool TEditRecurringDates::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) setbuttons();
    return QDialog::event(event);
}

std::vector<std::string> TEditRecurringDates::lines() const
{
    return entryLines(DatesList);
}

int TEditRecurringDates::selectedRow() const
{
    const QList<QListWidgetItem *> selected = DatesList->selectedItems();
    return selected.isEmpty() ? -1 : DatesList->row(selected.constFirst());
}

void TEditRecurringDates::setbuttons()
{
    const bool any = selectedRow() >= 0;
    Editbutton->setEnabled(any);
    DeleteButton->setEnabled(any);
}

void TEditRecurringDates::insertSorted(const std::string &line)
{
    // After any equal lines, so that the first equal row keeps its place.
    int row = 0;
    while (row < DatesList->count() && !recurLineLess(line, entryLine(DatesList->item(row))))
        ++row;
    DatesList->insertItem(row, makeEntryItem(line));
}

void TEditRecurringDates::selectRow(int row)
{
    if (row < 0) {
        DatesList->clearSelection();
        DatesList->setCurrentRow(-1);
        return;
    }
    DatesList->setCurrentRow(row);
    DatesList->scrollToItem(DatesList->item(row));
}

bool TEditRecurringDates::contains(const std::string &line) const
{
    for (int row = 0; row < DatesList->count(); ++row)
        if (entryLine(DatesList->item(row)) == line) return true;
    return false;
}

void TEditRecurringDates::insertAndSelect(const std::string &line)
{
    insertSorted(line);
    for (int row = 0; row < DatesList->count(); ++row)
        if (entryLine(DatesList->item(row)) == line) {
            selectRow(row);
            return;
        }
}

void TEditRecurringDates::NewbuttonClick()
{
    TEditRecurringDateFormula dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Recurring Date"));
    dialog.setEventText("[Enter event]");
    dialog.setFormula(std::string(1, kDayOfMonthMarker));
    if (RunDialog(runFormulaDialog, dialog))
        insertAndSelect(MakeRecurringEntry(dialog.eventText(), dialog.formula()));
    setbuttons();
}

void TEditRecurringDates::EditbuttonClick()
{
    const int row = selectedRow();
    if (row < 0) {
        Ui().beep();
        return;
    }
    const std::string line = entryLine(DatesList->item(row));
    switch (entryMarker(line)) {
    case kFeastMarker:
        ShowInformation(QStringLiteral("This entry cannot be edited"));
        break;
    case kDayOfMonthMarker:
    case kSpecialMarker:
    case kDaysOfWeekMarker:
        editLine(row, line);
        break;
    default:
        break;
    }
    setbuttons();
}

void TEditRecurringDates::editLine(int row, const std::string &line)
{
    TEditRecurringDateFormula dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Recurring Date Formula"));
    dialog.setEventText(entryName(line));
    dialog.setFormula(entryFormula(line));
    if (!RunDialog(runFormulaDialog, dialog)) return;
    delete DatesList->takeItem(row);
    insertAndSelect(MakeRecurringEntry(dialog.eventText(), dialog.formula()));
}

void TEditRecurringDates::DeleteButtonClick()
{
    const int row = selectedRow();
    if (row < 0) {
        Ui().beep();
        return;
    }
    delete DatesList->takeItem(row);
    selectRow(DatesList->count() > 0 ? 0 : -1);
    setbuttons();
}

void TEditRecurringDates::HolidaysbuttonClick()
{
    TGetHolidays dialog(this);
    if (RunDialog(runHolidaysDialog, dialog)) {
        for (const std::string &line : dialog.selectedLines())
            if (!contains(line)) insertSorted(line);
    }
    if (DatesList->count() > 0 && selectedRow() < 0) selectRow(0);
    setbuttons();
}

void TEditRecurringDates::okbuttonClick()
{
    try {
        writeRecurLines(RecurStorePath(), lines());
    } catch (const RecurStoreError &error) {
        // The list stays as it is, so the user can free space or fix permissions and retry.
        ShowInformation(QStringLiteral("The recurring dates could not be saved.\n%1")
                            .arg(QString::fromLocal8Bit(error.what())));
        return;
    }
    accept();
}

void TEditRecurringDates::CancelButtonClick()
{
    reject();
}

} // namespace velmora
