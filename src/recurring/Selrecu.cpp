#include "recurring/Selrecu.h"

#include "recurring/EntryList.h"
#include "recurring/HolidaySets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

namespace velmora {

TSelectRecurringDates::TSelectRecurringDates(QWidget *parent)
    : TCheckListDialog({QStringLiteral("Select Recurring Dates To Use"), "Dates", "Allbutton",
                        "Nonebutton", QSize(420, 12 * kEntryRowHeight + 4)},
                       parent)
{
    setObjectName(QStringLiteral("TSelectRecurringDates"));
    // One column as wide as the list; more rows continue in columns to the right.
    list()->setFlow(QListView::TopToBottom);
    list()->setWrapping(true);
    list()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    ObservedCheck = new QCheckBox(QStringLiteral("Also mark &observed days for"), this);
    ObservedCheck->setObjectName(QStringLiteral("ObservedCheck"));
    ObservedCountry = new QComboBox(this);
    ObservedCountry->setObjectName(QStringLiteral("ObservedCountry"));
    for (const std::string &code : CountriesWithObservedDays()) {
        const HolidayCountry *country = FindHolidayCountry(code);
        ObservedCountry->addItem(QString::fromStdString(country->name), QString::fromStdString(code));
    }
    ObservedCountry->setEnabled(false);
    connect(ObservedCheck, &QCheckBox::toggled, ObservedCountry, &QWidget::setEnabled);
    if (auto *outer = qobject_cast<QBoxLayout *>(layout())) {
        auto *row = new QHBoxLayout;
        row->addWidget(ObservedCheck);
        row->addWidget(ObservedCountry, 1);
        outer->insertLayout(1, row);
    }
}

const HolidayCountry *TSelectRecurringDates::observedRules() const
{
    if (!ObservedCheck->isChecked()) return nullptr;
    return FindHolidayCountry(ObservedCountry->currentData().toString().toStdString());
}

void TSelectRecurringDates::setEntries(const std::vector<std::string> &lines)
{
    setLines(lines);
    selectAllRows();
}

} // namespace velmora
