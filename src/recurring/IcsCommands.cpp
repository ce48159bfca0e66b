#include "recurring/IcsCommands.h"

#include "common/DialogButtons.h"
#include "common/Program.h"
#include "recurring/EntryList.h"
#include "recurring/RecurStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QTimeZone>
#include <QVBoxLayout>

#include <fstream>

namespace velmora {

namespace {

constexpr int kMaxListedNotImported = 15;

// Keeps the icon palette out of the way for the whole command, every way out included.
class PaletteAway
{
public:
    explicit PaletteAway(const TPaletteHooks &hooks) : hooks_(hooks)
    {
        if (hooks_.hide) hooks_.hide();
    }
    ~PaletteAway()
    {
        if (hooks_.show) hooks_.show();
    }
    PaletteAway(const PaletteAway &) = delete;
    PaletteAway &operator=(const PaletteAway &) = delete;

private:
    const TPaletteHooks &hooks_;
};

QString utf8(const std::string &text)
{
    return QString::fromStdString(text);
}

// One row per event, with the days it goes into: "Choir (4, 7, 14)".
struct EventRow
{
    QString text;
    std::vector<IcsDayText> texts;
};

std::vector<EventRow> eventRows(const std::vector<IcsDayText> &texts)
{
    // In order of each event's first day.
    std::vector<EventRow> rows;
    std::map<std::size_t, std::size_t> rowOfEvent;
    for (const IcsDayText &t : texts) {
        const auto [it, added] = rowOfEvent.emplace(t.event, rows.size());
        if (added) rows.push_back({utf8(t.title), {}});
        rows[it->second].texts.push_back(t);
    }
    for (EventRow &row : rows) {
        QStringList days;
        for (const IcsDayText &t : row.texts)
            days << QString::number(t.day);
        row.text += QStringLiteral(" (%1)").arg(days.join(QStringLiteral(", ")));
    }
    return rows;
}

IcsImportResult intoCells(const TIcsCalendar &calendar, int month, int year,
                          const PutTextOnDay &putTextOnDay, QWidget *parent,
                          const IcsImportRunners &runners)
{
    const std::vector<IcsDayText> texts = IcsDayTexts(calendar, year, month, ShortIcsTimeText);
    if (texts.empty()) {
        ShowInformation(QStringLiteral("No events of the file fall in the current month"));
        return IcsImportResult::NothingInMonth;
    }
    const std::vector<EventRow> rows = eventRows(texts);
    // The same check list as Fill with Recurring Dates, its rows being the file's events.
    TSelectRecurringDates dialog(parent);
    dialog.observedCheck()->hide();
    dialog.observedCountry()->hide();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto *item = new QListWidgetItem(rows[i].text);
        item->setData(Qt::UserRole, QByteArray::number(static_cast<qulonglong>(i)));
        dialog.list()->addItem(item);
    }
    dialog.selectAllRows();
    if (!RunDialog(runners.chooseEvents, dialog)) return IcsImportResult::Cancelled;
    for (const std::string &key : dialog.selectedLines()) {
        const std::size_t row = std::stoul(key);
        for (const IcsDayText &t : rows[row].texts)
            putTextOnDay(t.day, utf8(t.text));
    }
    return IcsImportResult::Filled;
}

QString notImportedList(const IcsStoreImport &result)
{
    QString text;
    int listed = 0;
    for (const IcsStoreImport::NotImported &n : result.notImported) {
        if (listed++ == kMaxListedNotImported) {
            text += QStringLiteral("\n... and %1 more")
                        .arg(result.notImported.size() - kMaxListedNotImported);
            break;
        }
        text += QStringLiteral("\n%1: %2").arg(utf8(n.summary), utf8(n.reason));
    }
    return text;
}

IcsImportResult intoStore(const TIcsCalendar &calendar)
{
    const IcsStoreImport result = IcsStoreEntries(calendar, ShortIcsTimeText);
    if (result.entries.empty()) {
        ShowInformation(QStringLiteral("None of the events repeats in a way the recurring dates "
                                       "can keep. Not imported:") +
                        notImportedList(result));
        return IcsImportResult::NothingStored;
    }
    try {
        const std::filesystem::path store = RecurStorePath();
        const std::vector<std::string> before = readRecurLines(store);
        const std::vector<std::string> merged = MergeIntoStore(before, result.entries);
        writeRecurLines(store, merged);
        QString message = QStringLiteral("%1 of the events were added to the recurring dates.")
                              .arg(merged.size() - before.size());
        if (merged.size() - before.size() < result.entries.size())
            message += QStringLiteral(" %1 were there already.")
                           .arg(result.entries.size() - (merged.size() - before.size()));
        if (!result.notImported.empty())
            message += QStringLiteral("\n\nNot imported:") + notImportedList(result);
        ShowInformation(message);
    } catch (const RecurStoreError &error) {
        ShowInformation(QStringLiteral("The recurring dates could not be read or saved.\n%1")
                            .arg(QString::fromLocal8Bit(error.what())));
        return IcsImportResult::Failed;
    }
    return IcsImportResult::Stored;
}

} // namespace

TIcsImportWay::TIcsImportWay(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TIcsImportWay"));
    setWindowTitle(QStringLiteral("Import Events"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Put the events of the file"), this));
    rbCells = new QRadioButton(QStringLiteral("into this month's &day cells"), this);
    rbCells->setObjectName(QStringLiteral("rbCells"));
    rbStore = new QRadioButton(
        QStringLiteral("into the &recurring dates (events that repeat yearly, monthly or weekly)"),
        this);
    rbStore->setObjectName(QStringLiteral("rbStore"));
    rbCells->setChecked(true);
    layout->addWidget(rbCells);
    layout->addWidget(rbStore);
    layout->addWidget(OkCancelHelpButtons(
        this, [this] { OkbuttonClick(); }, [this] { CancelButtonClick(); }, nullptr,
        {.ok = "Okbutton", .cancel = "CancelButton"}));
    SetFixedDialogFrame(this, false);
}

IcsImportResult ImportIcsEvents(int month, int year, const PutTextOnDay &putTextOnDay,
                                const TPaletteHooks &palette, QWidget *parent,
                                const IcsImportRunners &runners)
{
    const PaletteAway away(palette);
    const QString file = runners.chooseFile
                             ? runners.chooseFile()
                             : Ui().openFileName(QStringLiteral("Import Events"), QString(),
                                                 QStringLiteral("iCalendar files (*.ics);;"
                                                                "All files (*)"));
    if (file.isEmpty()) return IcsImportResult::Cancelled;
    try {
        const TIcsCalendar calendar(ReadIcsFile(file.toStdString()), IcsShownZone());
        TIcsImportWay way(parent);
        if (!RunDialog(runners.chooseWay, way)) return IcsImportResult::Cancelled;
        if (way.rbStore->isChecked()) return intoStore(calendar);
        return intoCells(calendar, month, year, putTextOnDay, parent, runners);
    } catch (const IcsImportError &error) {
        ShowInformation(QStringLiteral("The events could not be imported.\n%1")
                            .arg(QString::fromUtf8(error.what())));
        return IcsImportResult::Failed;
    }
}

} // namespace velmora
