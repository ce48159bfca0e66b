#include "recurring/CheckListDialog.h"

#include "common/DialogButtons.h"
#include "common/Program.h"
#include "recurring/DialogSupport.h"
#include "recurring/EntryList.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TCheckListDialog::TCheckListDialog(const Design &design, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(design.caption);
    auto *outer = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QLatin1String(design.list));
    // Each click toggles its row, as in a list of check boxes.
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    SetupEntryList(list_, TEntryRowDelegate::Style::Check);
    list_->setFixedSize(design.listSize);
    outer->addWidget(list_);

    QDialogButtonBox *buttons = OkCancelHelpButtons(
        this, [this] { okbuttonClick(); }, [this] { CancelButtonClick(); }, nullptr,
        {.ok = "okbutton", .cancel = "CancelButton"});
    AddRowButton(buttons, QStringLiteral("&All"), design.allButton, [this] { selectAllRows(); });
    AddRowButton(buttons, QStringLiteral("&None"), design.noneButton, [this] { selectNoRows(); });
    outer->addWidget(buttons);
    SetFixedDialogFrame(this, false);

    list_->setFocus();
}

void TCheckListDialog::setLines(const std::vector<std::string> &lines)
{
    list_->clear();
    for (const std::string &line : lines)
        list_->addItem(makeEntryItem(line));
    if (list_->count() > 0)
        list_->selectionModel()->setCurrentIndex(list_->model()->index(0, 0),
                                                 QItemSelectionModel::NoUpdate);
}

std::vector<std::string> TCheckListDialog::selectedLines() const
{
    return selectedEntryLines(list_);
}

void TCheckListDialog::selectAllRows()
{
    list_->selectAll();
}

void TCheckListDialog::selectNoRows()
{
    list_->clearSelection();
}

void TCheckListDialog::okbuttonClick()
{
    if (list_->selectedItems().isEmpty()) {
        Ui().beep();
        return;
    }
    accept();
}

void TCheckListDialog::CancelButtonClick()
{
    reject();
}

} // namespace velmora
