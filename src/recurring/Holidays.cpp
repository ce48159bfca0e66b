#include "recurring/Holidays.h"

#include "recurring/HolidaySets.h"
#include "recurring/RecurStore.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

namespace velmora {

TGetHolidays::TGetHolidays(QWidget *parent)
    : TCheckListDialog({QStringLiteral("Holidays"), "Holidays", "AllButton", "nonebutton",
                        QSize(330, 16 * 16 + 4)},
                       parent)
{
    setObjectName(QStringLiteral("TGetHolidays"));
    CountryCombo = new QComboBox(this);
    CountryCombo->setObjectName(QStringLiteral("CountryCombo"));
    CountryCombo->addItem(QStringLiteral("Predefined holidays"));
    for (const HolidayCountry &country : HolidayCountries())
        CountryCombo->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(country.name),
                                                            QString::fromStdString(country.code)));
    if (auto *outer = qobject_cast<QBoxLayout *>(layout())) {
        auto *row = new QHBoxLayout;
        auto *label = new QLabel(QStringLiteral("&Country:"), this);
        label->setBuddy(CountryCombo);
        row->addWidget(label);
        row->addWidget(CountryCombo, 1);
        outer->insertLayout(0, row);
    }
    CountryComboChange(0);
    connect(CountryCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { CountryComboChange(index); });
}

void TGetHolidays::CountryComboChange(int index)
{
    std::vector<std::string> holidays;
    const std::vector<HolidayCountry> &countries = HolidayCountries();
    if (index >= 1 && index <= static_cast<int>(countries.size())) {
        for (const CountryHoliday &h : countries[static_cast<std::size_t>(index - 1)].holidays)
            holidays.push_back(h.line);
    } else {
        holidays = predefinedHolidayEntries();
    }
    sortRecurLines(holidays);
    setLines(holidays);
}

} // namespace velmora
