#include "recurring/RecurCommands.h"

#include "common/Program.h"
#include "recurring/EntryList.h"
#include "recurring/HolidaySets.h"
#include "recurring/RecurFill.h"
#include "recurring/RecurStore.h"

namespace velmora {

namespace {

// Hides the palette for its lifetime, so that no return and no exception forgets to show
// it again.
class PaletteAside
{
public:
    explicit PaletteAside(const TPaletteHooks &hooks) : hooks_(hooks)
    {
        if (hooks_.hide) hooks_.hide();
    }
    ~PaletteAside()
    {
        if (hooks_.show) hooks_.show();
    }
    PaletteAside(const PaletteAside &) = delete;
    PaletteAside &operator=(const PaletteAside &) = delete;

private:
    const TPaletteHooks &hooks_;
};

} // namespace

bool EditRecurringDates(QWidget *parent, const TPaletteHooks &palette,
                        const DialogRunner<TEditRecurringDates> &run)
{
    const PaletteAside aside(palette);
    TEditRecurringDates dialog(parent);
    if (!dialog.loadError().isEmpty()) {
        ShowInformation(dialog.loadError());
        return false;
    }
    return RunDialog(run, dialog);
}

FillResult FillCalendarWithRecurringDates(int month, int year, const PutTextOnDay &putTextOnDay,
                                          const TPaletteHooks &palette,
                                          const DialogRunner<TSelectRecurringDates> &select,
                                          QWidget *parent)
{
    const std::filesystem::path store = RecurStorePath();
    if (!RecurStoreExists(store)) return FillResult::NoStore;
    const PaletteAside aside(palette);
    std::vector<std::string> offered;
    try {
        offered = EntriesForMonth(readRecurLines(store), year, month);
    } catch (const RecurStoreError &error) {
        ShowInformation(QStringLiteral("The recurring dates could not be read.\n%1")
                            .arg(QString::fromLocal8Bit(error.what())));
        return FillResult::StoreUnreadable;
    }
    if (offered.empty()) {
        ShowInformation(QStringLiteral("No predefined dates match the current month"));
        return FillResult::NothingOffered;
    }
    TSelectRecurringDates dialog(parent);
    dialog.setEntries(offered);
    if (!RunDialog(select, dialog)) return FillResult::Cancelled;
    PutTextsOnDays(dialog.selectedLines(), month, year, putTextOnDay);
    if (const HolidayCountry *rules = dialog.observedRules())
        PutObservedTexts(*rules, dialog.selectedLines(), year, month,
                         [&](int day, const std::string &text) { putTextOnDay(day, fromStoreText(text)); });
    return FillResult::Filled;
}

} // namespace velmora
