#include "recurring/CheckListDialog.h"

#include "common/Program.h"
#include "recurring/DialogSupport.h"
#include "recurring/EntryList.h"

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

    auto *buttons = new QHBoxLayout;
    QPushButton *ok = makeButton(this, "okbutton", QStringLiteral("&Ok"));
    ok->setDefault(true);
    QPushButton *all = makeButton(this, design.allButton, QStringLiteral("&All"));
    QPushButton *none = makeButton(this, design.noneButton, QStringLiteral("&None"));
    QPushButton *cancel = makeButton(this, "CancelButton", QStringLiteral("&Cancel"));
    for (QPushButton *button : {ok, all, none, cancel})
        buttons->addWidget(button);
    outer->addLayout(buttons);
    SetFixedDialogFrame(this, false);

    connect(ok, &QPushButton::clicked, this, [this] { okbuttonClick(); });
    connect(all, &QPushButton::clicked, this, [this] { selectAllRows(); });
    connect(none, &QPushButton::clicked, this, [this] { selectNoRows(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
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
