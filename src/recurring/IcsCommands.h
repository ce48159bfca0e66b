#pragma once
// "Import Events (.ics)": events of another calendar program into this month's day cells or
// into the recurring dates store, and the exporter's --ics. The main window hands in its day
// cells and icon palette as for the recurring date commands.

#include "recurring/IcsImport.h"
#include "recurring/IcsMonths.h"
#include "recurring/RecurCommands.h"

#include <QDialog>

#include <filesystem>
#include <map>
#include <utility>

class QRadioButton;

namespace velmora {

// The two ways of importing, asked after the file has been read.
class TIcsImportWay final : public QDialog
{
public:
    explicit TIcsImportWay(QWidget *parent = nullptr);
    QRadioButton *rbCells = nullptr; // into this month's day cells (the default)
    QRadioButton *rbStore = nullptr; // into the recurring dates
    void OkbuttonClick() { accept(); }
    void CancelButtonClick() { reject(); }
};

struct IcsImportRunners
{
    std::function<QString()> chooseFile; // empty: the open-file dialog
    DialogRunner<TIcsImportWay> chooseWay;
    DialogRunner<TSelectRecurringDates> chooseEvents;
};

enum class IcsImportResult { Cancelled, Failed, NothingInMonth, Filled, Stored, NothingStored };

// The command. Nothing changes until every check has passed: a damaged or huge file, or
// one with more than 1,000 events in the month, gives one message and leaves page and
// store alone. Returns Filled when texts went to the day cells.
IcsImportResult ImportIcsEvents(int month, int year, const PutTextOnDay &putTextOnDay,
                                const TPaletteHooks &palette = {}, QWidget *parent = nullptr,
                                const IcsImportRunners &runners = {});

} // namespace velmora
