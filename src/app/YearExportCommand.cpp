#include "app/YearExportCommand.h"

#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "calendar/MonthGrid.h"
#include "common/IniFile.h"
#include "recurring/DialogSupport.h"
#include "recurring/EntryList.h"
#include "recurring/HolidaySets.h"
#include "recurring/MonthFill.h"
#include "recurring/RecurCommands.h"
#include "recurring/RecurFill.h"
#include "recurring/RecurStore.h"
#include "recurring/Selrecu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>

#include <memory>
#include <set>

namespace velmora {

void FillMonthWithRecurringDates(TCalendarPage &page, const std::filesystem::path &store)
{
    TDayTextAppender cells(page);
    FillCalendarWithAllRecurringDates(store, page.MainCalMonth(), page.MainCalYear(),
                                      [&cells](int day, const QString &text) { cells.append(day, text); });
    cells.write();
}

std::vector<std::string> EntriesForMonths(const std::vector<std::string> &lines, int month,
                                          int year, int count)
{
    std::set<std::string> concerned;
    for (int i = 0; i < count; ++i) {
        const TMonthYear m = AddMonths(month, year, i);
        for (std::string &line : EntriesForMonth(lines, m.year, m.month))
            concerned.insert(std::move(line));
    }
    std::vector<std::string> offered;
    for (const std::string &line : lines)
        if (concerned.erase(line) > 0) // a line stored twice is offered once
            offered.push_back(line);
    return offered;
}

void FillMonthWithChosenDates(TCalendarPage &page, const TYearFillChoice &choice)
{
    const int month = page.MainCalMonth(), year = page.MainCalYear();
    TDayTextAppender cells(page);
    const auto append = [&cells](int day, const QString &text) { cells.append(day, text); };
    PutTextsOnDays(EntriesForMonth(choice.entries, year, month), month, year, append);
    // All of them: a holiday of January may be observed on the last day of December.
    if (choice.observed)
        PutObservedTexts(*choice.observed, choice.entries, year, month,
                         [&](int day, const std::string &text) {
                             append(day, fromStoreText(text));
                         });
    cells.write();
}

namespace {
constexpr std::string_view kSection = "Year Export";
} // namespace

TYearExportFolders LoadYearExportFolders(const std::filesystem::path &iniPath)
{
    const TIniFile ini(iniPath);
    return {QString::fromStdString(ini.readString(kSection, "Folder", "")),
            QString::fromStdString(ini.readString(kSection, "Pictures", ""))};
}

void SaveYearExportFolders(const std::filesystem::path &iniPath, const TYearExportFolders &folders)
{
    TIniFile(iniPath).writeValues({{std::string(kSection), "Folder", folders.output.toStdString()},
                                   {std::string(kSection), "Pictures", folders.pictures.toStdString()}});
}

TExportYearDialog::TExportYearDialog(int firstMonth, int firstYear, const QString &proposedName,
                                     QWidget *parent)
    : QDialog(parent), firstMonth_(firstMonth), firstYear_(firstYear)
{
    setObjectName(QStringLiteral("TExportYearDialog"));
    setWindowTitle(QStringLiteral("Export Calendar Year"));
    auto *form = new QFormLayout;

    Months = new QSpinBox(this);
    Months->setObjectName(QStringLiteral("Months"));
    Months->setRange(1, 24);
    Months->setValue(12);
    range_ = new QLabel(this);
    range_->setObjectName(QStringLiteral("Range"));
    auto *monthsRow = new QHBoxLayout;
    monthsRow->addWidget(Months);
    monthsRow->addWidget(range_, 1);
    // A row of a layout gets no buddy from the form: its mnemonic is set here.
    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label(QStringLiteral("&Months:"), Months), monthsRow);

    Format = new QComboBox(this);
    Format->setObjectName(QStringLiteral("Format"));
    Format->addItems({QStringLiteral("One PDF document"), QStringLiteral("Numbered PNG pictures")});
    form->addRow(QStringLiteral("&Write as:"), Format);

    Output = new QLineEdit(proposedName, this);
    Output->setObjectName(QStringLiteral("Output"));
    Output->setMinimumWidth(320);
    auto *browse = new QPushButton(QStringLiteral("&Browse…"), this);
    browse->setObjectName(QStringLiteral("BrowseOutput"));
    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(Output, 1);
    outputRow->addWidget(browse);
    form->addRow(label(QStringLiteral("&File:"), Output), outputRow);

    FillRecurring = new QCheckBox(QStringLiteral("Fill each month with the &recurring dates"), this);
    FillRecurring->setObjectName(QStringLiteral("FillRecurring"));
    KeepObjects = new QCheckBox(QStringLiteral("Keep the page's &design objects on every page"), this);
    KeepObjects->setObjectName(QStringLiteral("KeepObjects"));
    KeepObjects->setChecked(true);
    form->addRow(FillRecurring);
    form->addRow(KeepObjects);

    PictureFolder = new QLineEdit(this);
    PictureFolder->setObjectName(QStringLiteral("PictureFolder"));
    PictureFolder->setPlaceholderText(QStringLiteral("none: a calendar without photos"));
    auto *browseDir = new QPushButton(QStringLiteral("B&rowse…"), this);
    browseDir->setObjectName(QStringLiteral("BrowseFolder"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(PictureFolder, 1);
    folderRow->addWidget(browseDir);
    form->addRow(label(QStringLiteral("&Photo folder:"), PictureFolder), folderRow);
    PhotoPages = new QCheckBox(QStringLiteral("Photo on its &own page before each month"), this);
    PhotoPages->setObjectName(QStringLiteral("PhotoPages"));
    form->addRow(PhotoPages);
    Fit = new QComboBox(this);
    Fit->setObjectName(QStringLiteral("Fit"));
    Fit->addItems({QStringLiteral("Cover the area (crop)"), QStringLiteral("Contain the whole photo")});
    form->addRow(QStringLiteral("F&it:"), Fit);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ExportButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TExportYearDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);

    connect(Months, &QSpinBox::valueChanged, this, [this] { updateRange(); });
    connect(Format, &QComboBox::currentIndexChanged, this, [this] { formatChanged(); });
    connect(PictureFolder, &QLineEdit::textChanged, this, [this] { updatePhotoOptions(); });
    connect(browse, &QPushButton::clicked, this, [this] { browseOutput(); });
    connect(browseDir, &QPushButton::clicked, this, [this] { browseFolder(); });
    updateRange();
    updatePhotoOptions();
}

QString TExportYearDialog::RangeText() const
{
    const TMonthYear last = AddMonths(firstMonth_, firstYear_, Months->value() - 1);
    const auto name = [](int m, int y) {
        return QLocale(QLocale::English).standaloneMonthName(m) + QLatin1Char(' ') + QString::number(y);
    };
    return name(firstMonth_, firstYear_) + QStringLiteral(" to ") + name(last.month, last.year);
}

void TExportYearDialog::updateRange()
{
    range_->setText(RangeText());
}

void TExportYearDialog::updatePhotoOptions()
{
    const bool photos = !PictureFolder->text().trimmed().isEmpty();
    PhotoPages->setEnabled(photos);
    Fit->setEnabled(photos);
}

void TExportYearDialog::formatChanged()
{
    const QString text = Output->text().trimmed();
    if (text.isEmpty())
        return;
    const QFileInfo info(text);
    const QString suffix = Format->currentIndex() == 0 ? QStringLiteral("pdf") : QStringLiteral("png");
    const QString dir = info.path() == QLatin1String(".") && !text.startsWith(QLatin1String("./"))
                            ? QString()
                            : info.path() + QLatin1Char('/');
    const bool known = info.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0 ||
                       info.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    Output->setText(dir + (known ? info.completeBaseName() : info.fileName()) + QLatin1Char('.') + suffix);
}

void TExportYearDialog::browseOutput()
{
    const bool pdf = Format->currentIndex() == 0;
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Calendar Year"), Output->text(),
        pdf ? QStringLiteral("PDF documents (*.pdf)") : QStringLiteral("PNG pictures (*.png)"));
    if (file.isEmpty())
        return;
    Output->setText(file);
    confirmed_ = file; // the file dialog asked about replacing it
}

void TExportYearDialog::browseFolder()
{
    const QString start = PictureFolder->text().trimmed().isEmpty() ? PictureBrowseStart
                                                                      : PictureFolder->text().trimmed();
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Photo Folder"), start);
    if (!dir.isEmpty())
        PictureFolder->setText(dir);
}

TYearExportOptions TExportYearDialog::Options() const
{
    TYearExportOptions o;
    o.pdf = Format->currentIndex() == 0;
    o.output = Output->text().trimmed();
    const QString suffix = o.pdf ? QStringLiteral("pdf") : QStringLiteral("png");
    if (!o.output.isEmpty() && QFileInfo(o.output).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        o.output += QLatin1Char('.') + suffix;
    o.months = Months->value();
    o.keepObjects = KeepObjects->isChecked();
    o.picturesDir = PictureFolder->text().trimmed();
    o.photoPages = !o.picturesDir.isEmpty() && PhotoPages->isChecked();
    o.fit = Fit->currentIndex() == 0 ? TPictureFit::Cover : TPictureFit::Contain;
    return o;
}

QStringList TExportYearDialog::OutputFiles() const
{
    const TYearExportOptions o = Options();
    if (o.output.isEmpty())
        return {};
    if (o.pdf)
        return {o.output};
    const int pages = o.months * (o.photoPages ? 2 : 1);
    QStringList files;
    for (int i = 1; i <= pages; ++i)
        files << NumberedName(o.output, i, pages);
    return files;
}

namespace {

// An exporter message ("cannot write x: reason") as a sentence.
QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

} // namespace

bool TExportYearDialog::CheckChoices()
{
    const TYearExportOptions o = Options();
    if (o.output.isEmpty()) {
        ShowInformation(QStringLiteral("Choose the file to write."));
        return false;
    }
    const QFileInfo output(o.output);
    if (!output.absoluteDir().exists()) {
        ShowInformation(QStringLiteral("The folder %1 does not exist.")
                            .arg(QDir::toNativeSeparators(output.absolutePath())));
        return false;
    }
    if (output.isDir()) {
        ShowInformation(QStringLiteral("%1 is a folder: choose a file name.")
                            .arg(QDir::toNativeSeparators(o.output)));
        return false;
    }
    if (!o.picturesDir.isEmpty()) {
        QString error;
        if (PictureFilesIn(o.picturesDir, &error).isEmpty()) {
            ShowInformation(sentence(error));
            return false;
        }
    }
    QStringList existing;
    for (const QString &f : OutputFiles())
        if (QFileInfo::exists(f))
            existing << QDir::toNativeSeparators(f);
    if (!existing.isEmpty() && !(existing.size() == 1 && o.output == confirmed_)) {
        const QString question =
            existing.size() == 1
                ? QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(existing.first())
                : QStringLiteral("%1 and %2 more files of these names already exist.\nDo you want to replace them?")
                      .arg(existing.first())
                      .arg(existing.size() - 1);
        if (!AskYesNo(question, windowTitle()))
            return false;
    }
    return true;
}

void TExportYearDialog::accept()
{
    if (CheckChoices())
        QDialog::accept();
}

QString RunYearExport(QWidget *parent, const TCalendarPage &page, TYearExportOptions options,
                      const std::function<void(TCalendarPage &)> &fill,
                      const std::function<bool(int, int)> &progressHook, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    // The run works on a copy read from the page's own bytes: the page on screen keeps its
    // month, cells and objects whatever happens.
    TCalendarPage &source = const_cast<TCalendarPage &>(page);
    TCalendarPage copy;
    ReadDocument(copy, DocumentBytes(source, &source.DocumentObjects()), &copy.DocumentObjects());
    copy.RecalcLayout(false);

    options.fillMonth = fill;
    QProgressDialog progress(QStringLiteral("Writing the calendar pages…"), QStringLiteral("Cancel"), 0,
                             options.months, parent);
    progress.setObjectName(QStringLiteral("YearExportProgress"));
    progress.setWindowTitle(QStringLiteral("Export Calendar Year"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoReset(false);
    options.progress = [&](int done, int total) {
        progress.setMaximum(total);
        progress.setLabelText(done < total ? QStringLiteral("Writing page %1 of %2…").arg(done + 1).arg(total)
                                           : QStringLiteral("Writing the file…"));
        progress.setValue(done);
        if (progressHook && !progressHook(done, total))
            progress.cancel();
        return !progress.wasCanceled();
    };
    // The arrow stays beside the hourglass: Cancel can still be pressed.
    const bool widgets = qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
    if (widgets)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    TYearExportResult r;
    QString message;
    try {
        r = ExportCalendarYear(copy, options);
    } catch (const std::exception &e) {
        message = QStringLiteral("The calendar was not exported.\n%1").arg(sentence(QString::fromLocal8Bit(e.what())));
    }
    if (widgets)
        QApplication::restoreOverrideCursor();
    if (!message.isEmpty())
        return message;
    if (r.cancelled) {
        if (cancelled)
            *cancelled = true;
        return {};
    }
    if (!r.error.isEmpty())
        return QStringLiteral("The calendar was not exported.\n%1").arg(sentence(r.error));
    return {};
}

TYearExportOutcome ExportCalendarYearCommand(QWidget *parent, const TCalendarPage &page,
                                             const QString &documentName, const QString &startFolder,
                                             const std::filesystem::path &iniPath,
                                             const TYearExportHooks &hooks, const TPaletteHooks &palette)
{
    struct Aside
    {
        const TPaletteHooks &hooks;
        explicit Aside(const TPaletteHooks &h) : hooks(h)
        {
            if (hooks.hide)
                hooks.hide();
        }
        ~Aside()
        {
            if (hooks.show)
                hooks.show();
        }
    } aside(palette);

    const TYearExportFolders remembered = LoadYearExportFolders(iniPath);
    const QString folder = !remembered.output.isEmpty() && QFileInfo(remembered.output).isDir()
                               ? remembered.output
                               : startFolder;
    const int month = page.MainCalMonth(), year = page.MainCalYear();
    const QString base = documentName.isEmpty() ? QStringLiteral("Calendar %1").arg(year)
                                                : QFileInfo(documentName).completeBaseName();
    TExportYearDialog dialog(month, year, QDir(folder).filePath(base + QStringLiteral(".pdf")), parent);
    if (!remembered.pictures.isEmpty() && QFileInfo(remembered.pictures).isDir())
        dialog.PictureBrowseStart = remembered.pictures;
    else
        dialog.PictureBrowseStart = QDir(folder).absolutePath();
    // Sheets of mini calendars have no day cells to fill.
    const int layout = page.CalendarLayout();
    if (layout >= lopMC6Month && layout <= loMC60MonthLS)
        dialog.FillRecurring->setEnabled(false);
    if (!RunDialog(hooks.dialog, dialog))
        return TYearExportOutcome::Cancelled;
    const TYearExportOptions options = dialog.Options();
    try {
        SaveYearExportFolders(iniPath, {QFileInfo(options.output).absolutePath(),
                                        options.picturesDir.isEmpty() ? remembered.pictures
                                                                      : QDir(options.picturesDir).absolutePath()});
    } catch (const std::exception &) {
        // A preferences file that cannot be written costs only the remembered folders.
    }

    std::function<void(TCalendarPage &)> fill;
    auto choice = std::make_shared<TYearFillChoice>();
    if (dialog.FillRecurring->isEnabled() && dialog.FillRecurring->isChecked()) {
        const std::filesystem::path store = RecurStorePath();
        if (!RecurStoreExists(store)) {
            ShowInformation(QStringLiteral("There are no recurring dates yet: add them with Edit Recurring Dates."));
            return TYearExportOutcome::Cancelled;
        }
        std::vector<std::string> offered;
        try {
            offered = EntriesForMonths(readRecurLines(store), month, year, options.months);
        } catch (const RecurStoreError &error) {
            ShowInformation(QStringLiteral("The recurring dates could not be read.\n%1")
                                .arg(QString::fromLocal8Bit(error.what())));
            return TYearExportOutcome::Failed;
        }
        if (offered.empty()) {
            ShowInformation(QStringLiteral("No predefined dates match the months %1.").arg(dialog.RangeText()));
            return TYearExportOutcome::Cancelled;
        }
        TSelectRecurringDates select(parent);
        select.setEntries(offered);
        if (!RunDialog(hooks.select, select))
            return TYearExportOutcome::Cancelled;
        choice->entries = select.selectedLines();
        choice->observed = select.observedRules();
        fill = [choice](TCalendarPage &p) { FillMonthWithChosenDates(p, *choice); };
    }

    bool cancelled = false;
    const QString error = RunYearExport(parent, page, options, fill, hooks.progress, &cancelled);
    if (cancelled)
        return TYearExportOutcome::Cancelled;
    if (!error.isEmpty()) {
        ShowInformation(error);
        return TYearExportOutcome::Failed;
    }
    return TYearExportOutcome::Written;
}

} // namespace velmora
