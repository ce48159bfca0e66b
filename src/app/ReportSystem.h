#pragma once
// Runs one print job: a setup step the user can cancel (printer, copies, preview or PDF
// file), the orientation fixed before the page, one page drawn through a callback in
// printer pixels, and a status window while it prints.
#include <QPageLayout>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace velmora {

class TReportCanvas;

enum class TReportDestination { Printer, Preview, PdfFile };

struct TReportSetup
{
    TReportDestination destination = TReportDestination::Printer;
    QString printerName; // empty: the default printer
    int copies = 1;
    QString pdfFile;     // for PdfFile
};

class TReportSystem
{
public:
    explicit TReportSystem(QWidget *parent = nullptr);

    QString Title = QStringLiteral("ReportPrinter Report");
    // Paper of the job when no printer decides it (PDF and preview).
    QPageSize::PageSizeId PaperSize = QPageSize::Letter;

    // Called once after the setup is confirmed; sets Orientation.
    std::function<void(TReportSystem &)> BeforePrint;
    // Draws the page.
    std::function<void(TReportSystem &, TReportCanvas &)> Print;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;

    // The setup step; replaceable for tests. Returns false when the user cancels.
    std::function<bool(TReportSetup &)> RunSetupDialog;

    // Shows the setup, then prints. False when the setup was cancelled or printing failed.
    bool Execute();
    // The system's printer setup dialog for the chosen printer.
    void PrinterSetup();
    // Prints onto a prepared printer (also used by the preview).
    void PrintOn(QPrinter &printer);
    QString LastError() const { return lastError_; }
    // What the last confirmed setup chose.
    TReportDestination Destination() const { return setup_.destination; }
    QString PdfFile() const { return setup_.pdfFile; }
    // Where the PDF file dialog starts; empty: the program folder.
    QString StartFolder;

private:
    bool defaultSetupDialog(TReportSetup &setup);
    QWidget *parent_;
    TReportSetup setup_;
    QString lastError_;
    bool previewing_ = false;
};

} // namespace velmora
