#include "app/YearExportCommand.h"

#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "calendar/MonthGrid.h"
#include "recurring/MonthFill.h"
#include "recurring/RecurStore.h"

#include <QCheckBox>
#include <QComboBox>
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

namespace velmora {

void FillMonthWithRecurringDates(TCalendarPage &page, const std::filesystem::path &store)
{
    TDayTextAppender cells(page);
    FillCalendarWithAllRecurringDates(store, page.MainCalMonth(), page.MainCalYear(),
                                      [&cells](int day, const QString &text) { cells.append(day, text); });
    cells.write();
}

TExportYearDialog::TExportYearDialog(int firstMonth, int firstYear, const QString &proposedName,
                                     QWidget *parent)
    : QDialog(parent), firstMonth_(firstMonth), firstYear_(firstYear)
{
    setWindowTitle(QStringLiteral("Export Calendar Year"));
    auto *form = new QFormLayout;

    Months = new QSpinBox(this);
    Months->setObjectName(QStringLiteral("Months"));
    Months->setRange(1, 24);
    Months->setValue(12);
    range_ = new QLabel(this);
    auto *monthsRow = new QHBoxLayout;
    monthsRow->addWidget(Months);
    monthsRow->addWidget(range_, 1);
    form->addRow(QStringLiteral("&Months:"), monthsRow);

    Format = new QComboBox(this);
    Format->setObjectName(QStringLiteral("Format"));
    Format->addItems({QStringLiteral("One PDF document"), QStringLiteral("Numbered PNG pictures")});
    form->addRow(QStringLiteral("&Write as:"), Format);

    Output = new QLineEdit(proposedName, this);
    Output->setObjectName(QStringLiteral("Output"));
    auto *browse = new QPushButton(QStringLiteral("&Browse…"), this);
    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(Output, 1);
    outputRow->addWidget(browse);
    form->addRow(QStringLiteral("&File:"), outputRow);

    FillRecurring = new QCheckBox(QStringLiteral("Fill each month with the &recurring dates"), this);
    KeepObjects = new QCheckBox(QStringLiteral("Keep the page's &design objects on every page"), this);
    KeepObjects->setChecked(true);
    form->addRow(FillRecurring);
    form->addRow(KeepObjects);

    PictureFolder = new QLineEdit(this);
    PictureFolder->setObjectName(QStringLiteral("PictureFolder"));
    PictureFolder->setPlaceholderText(QStringLiteral("none: a calendar without photos"));
    auto *browseDir = new QPushButton(QStringLiteral("B&rowse…"), this);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(PictureFolder, 1);
    folderRow->addWidget(browseDir);
    form->addRow(QStringLiteral("&Photo folder:"), folderRow);
    PhotoPages = new QCheckBox(QStringLiteral("Photo on its &own page before each month"), this);
    form->addRow(PhotoPages);
    Fit = new QComboBox(this);
    Fit->addItems({QStringLiteral("Cover the area (crop)"), QStringLiteral("Contain the whole photo")});
    form->addRow(QStringLiteral("F&it:"), Fit);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TExportYearDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);

    connect(Months, &QSpinBox::valueChanged, this, [this] { updateRange(); });
    connect(Format, &QComboBox::currentIndexChanged, this, [this] { formatChanged(); });
    connect(browse, &QPushButton::clicked, this, [this] { browseOutput(); });
    connect(browseDir, &QPushButton::clicked, this, [this] { browseFolder(); });
    updateRange();
}

void TExportYearDialog::updateRange()
{
    const TMonthYear last = AddMonths(firstMonth_, firstYear_, Months->value() - 1);
    const auto name = [](int m, int y) {
        return QLocale(QLocale::English).standaloneMonthName(m) + QLatin1Char(' ') + QString::number(y);
    };
    range_->setText(name(firstMonth_, firstYear_) + QStringLiteral(" to ") + name(last.month, last.year));
}

void TExportYearDialog::formatChanged()
{
    const QFileInfo info(Output->text());
    const QString suffix = Format->currentIndex() == 0 ? QStringLiteral("pdf") : QStringLiteral("png");
    if (!Output->text().isEmpty())
        Output->setText(info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') + suffix);
}

void TExportYearDialog::browseOutput()
{
    const bool pdf = Format->currentIndex() == 0;
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Calendar Year"), Output->text(),
        pdf ? QStringLiteral("PDF documents (*.pdf)") : QStringLiteral("PNG pictures (*.png)"));
    if (!file.isEmpty())
        Output->setText(file);
}

void TExportYearDialog::browseFolder()
{
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Photo Folder"), PictureFolder->text());
    if (!dir.isEmpty())
        PictureFolder->setText(dir);
}

void TExportYearDialog::accept()
{
    if (Output->text().trimmed().isEmpty()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Choose the file to write."));
        return;
    }
    if (!PictureFolder->text().trimmed().isEmpty()) {
        QString error;
        if (PictureFilesIn(PictureFolder->text().trimmed(), &error).isEmpty()) {
            QMessageBox::warning(this, windowTitle(), error);
            return;
        }
    }
    QDialog::accept();
}

TYearExportOptions TExportYearDialog::Options() const
{
    TYearExportOptions o;
    o.output = Output->text().trimmed();
    o.pdf = Format->currentIndex() == 0;
    o.months = Months->value();
    o.keepObjects = KeepObjects->isChecked();
    o.picturesDir = PictureFolder->text().trimmed();
    o.photoPages = PhotoPages->isChecked();
    o.fit = Fit->currentIndex() == 0 ? TPictureFit::Cover : TPictureFit::Contain;
    return o;
}

QString RunYearExport(QWidget *parent, const TCalendarPage &page, TYearExportOptions options,
                      bool fillRecurring, const std::filesystem::path &store,
                      const std::function<bool(int, int)> &progressHook)
{
    // The run works on a copy read from the page's own bytes: the page on screen keeps its
    // month, cells and objects whatever happens.
    TCalendarPage &source = const_cast<TCalendarPage &>(page);
    TCalendarPage copy;
    ReadDocument(copy, DocumentBytes(source, &source.DocumentObjects()), &copy.DocumentObjects());
    copy.RecalcLayout(false);

    if (fillRecurring)
        options.fillMonth = [&store](TCalendarPage &p) { FillMonthWithRecurringDates(p, store); };
    QProgressDialog progress(QStringLiteral("Writing the calendar pages…"), QStringLiteral("Cancel"), 0,
                             options.months, parent);
    progress.setWindowTitle(QStringLiteral("Export Calendar Year"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    options.progress = [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        if (progressHook && !progressHook(done, total))
            progress.cancel();
        return !progress.wasCanceled();
    };
    try {
        const TYearExportResult r = ExportCalendarYear(copy, options);
        return r.error;
    } catch (const RecurStoreError &) {
        return QStringLiteral("The recurring dates cannot be read.");
    }
}

} // namespace velmora
