#include "app/ReportSystem.h"

#include "common/DialogButtons.h"
#include "common/AtomicFile.h"
#include "common/Program.h"
#include "common/ReportCanvas.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace velmora {

TReportSystem::TReportSystem(QWidget *parent) : parent_(parent)
{
    RunSetupDialog = [this](TReportSetup &s) { return defaultSetupDialog(s); };
}

bool TReportSystem::defaultSetupDialog(TReportSetup &setup)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("Report Setup"));
    auto *form = new QFormLayout;
    auto *destination = new QComboBox(&dialog);
    destination->setObjectName(QStringLiteral("Destination"));
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
    for (const QString &p : printers)
        destination->addItem(QStringLiteral("Printer: ") + p, p);
    destination->addItem(QStringLiteral("Preview on screen"), QStringLiteral(":preview"));
    destination->addItem(QStringLiteral("PDF file"), QStringLiteral(":pdf"));
    const int def = printers.indexOf(defaultPrinter);
    destination->setCurrentIndex(def >= 0 ? def : printers.size());
    form->addRow(QStringLiteral("&Destination:"), destination);
    auto *copies = new QSpinBox(&dialog);
    copies->setRange(1, 999);
    copies->setValue(setup.copies);
    form->addRow(QStringLiteral("&Copies:"), copies);
    auto *setupButton = new QPushButton(QStringLiteral("&Printer Setup..."), &dialog);
    form->addRow(QString(), setupButton);
    auto updateEnabled = [&] {
        const bool printer = !destination->currentData().toString().startsWith(QLatin1Char(':'));
        setupButton->setEnabled(printer);
        copies->setEnabled(printer);
    };
    updateEnabled();
    QObject::connect(destination, &QComboBox::currentIndexChanged, &dialog, updateEnabled);
    QObject::connect(setupButton, &QPushButton::clicked, &dialog, [&] {
        setup_.printerName = destination->currentData().toString();
        PrinterSetup();
    });
    auto *buttons = OkCancelHelpButtons(&dialog, nullptr, nullptr);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString choice = destination->currentData().toString();
    setup.copies = copies->value();
    if (choice == QLatin1String(":preview")) {
        setup.destination = TReportDestination::Preview;
    } else if (choice == QLatin1String(":pdf")) {
        setup.destination = TReportDestination::PdfFile;
        setup.pdfFile = Ui().saveFileName(QStringLiteral("Print To File"),
                                          StartFolder.isEmpty() ? AppFolder() : StartFolder,
                                          QStringLiteral("Calendar.pdf"),
                                          QStringLiteral("PDF File (*.pdf)"), QStringLiteral("pdf"));
        if (setup.pdfFile.isEmpty())
            return false;
    } else {
        setup.destination = TReportDestination::Printer;
        setup.printerName = choice;
    }
    return true;
}

void TReportSystem::PrinterSetup()
{
    QPrinter printer(QPrinterInfo::printerInfo(setup_.printerName), QPrinter::HighResolution);
    QPageSetupDialog dialog(&printer, parent_);
    dialog.exec();
}

void TReportSystem::PrintOn(QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setDocName(Title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        lastError_ = QStringLiteral("The printer could not be started.");
        return;
    }
    QWidget status(parent_, Qt::Tool);
    status.setWindowTitle(QStringLiteral("Report Status"));
    auto *label = new QLabel(QStringLiteral("Printing page %1").arg(1), &status);
    (new QVBoxLayout(&status))->addWidget(label);
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        status.show();
        QCoreApplication::processEvents();
    }
    {
        // The canvas restores the painter state it saved before the painter ends.
        TReportCanvas report(painter, printer.resolution());
        // The preview shrinks the page from printer pixels to the screen; smoothed, a line a
        // hundredth of an inch wide stays visible there as it does in a PDF viewer. On paper
        // the page's lines and boxes lie on whole pixels, so nothing else changes.
        if (previewing_)
            painter.setRenderHint(QPainter::Antialiasing, true);
        if (Print)
            Print(*this, report);
    }
    painter.end();
}

bool TReportSystem::Execute()
{
    lastError_.clear();
    TReportSetup setup = setup_;
    if (!RunSetupDialog || !RunSetupDialog(setup))
        return false;
    setup_ = setup;
    if (BeforePrint)
        BeforePrint(*this);
    const QPageLayout layout(QPageSize(PaperSize), Orientation, QMarginsF(0, 0, 0, 0));
    switch (setup.destination) {
    case TReportDestination::PdfFile: {
        // The printer writes its file itself and reports no failed write: it writes a
        // private temporary, which must be complete, and the PDF is committed from that.
        QTemporaryFile temporary(QDir::tempPath() + QStringLiteral("/velmora-print-XXXXXX.pdf"));
        if (!temporary.open()) {
            lastError_ = QStringLiteral("Unable to write to ") + setup.pdfFile;
            break;
        }
        temporary.close();
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(temporary.fileName());
            printer.setPageLayout(layout);
            PrintOn(printer);
        }
        if (!lastError_.isEmpty())
            break;
        QByteArray pdf;
        if (temporary.open())
            pdf = temporary.readAll();
        try {
            // A PDF cut short on a full temporary folder lacks its end marker.
            if (!pdf.trimmed().endsWith("%%EOF"))
                throw TAtomicWriteError(setup.pdfFile.toStdString(), "incomplete output");
            WriteFileAtomic(setup.pdfFile, pdf);
        } catch (const TAtomicWriteError &) {
            lastError_ = QStringLiteral("Unable to write to ") + setup.pdfFile;
        }
        break;
    }
    case TReportDestination::Preview: {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(layout);
        QPrintPreviewDialog preview(&printer, parent_);
        previewing_ = true;
        preview.setWindowTitle(QStringLiteral("Report Preview"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [this](QPrinter *p) { PrintOn(*p); });

        preview.exec();
        previewing_ = false;
        break;
    }
    case TReportDestination::Printer: {
        QPrinter printer(QPrinterInfo::printerInfo(setup.printerName), QPrinter::HighResolution);
        printer.setPageOrientation(Orientation);
        printer.setCopyCount(setup.copies);
        PrintOn(printer);
        break;
    }
    }
    return lastError_.isEmpty();
}

} // namespace velmora
