#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora {

TRadioGroup::TRadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemChanged(id);
    });
}

int TRadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index == ItemIndex())
        return;
    if (QAbstractButton *button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // Clearing a radio group needs exclusivity off for a moment.
    buttons_->setExclusive(false);
    if (QAbstractButton *checked = buttons_->checkedButton())
        checked->setChecked(false);
    buttons_->setExclusive(true);
}

QRadioButton *TRadioGroup::Item(int index) const
{
    return qobject_cast<QRadioButton *>(buttons_->button(index));
}

int TRadioGroup::Count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

} // namespace velmora
