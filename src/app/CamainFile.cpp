// The main window's File menu: the document's life (new, properties, open, save, cancel
// changes) and its output (printing, bitmaps). The document object does the work on the
// page; the window asks the user, holds the painting and keeps the zoom around it.
#include "app/Camain.h"

#include "app/Calprop.h"
#include "app/CellEditing.h"
#include "app/EditHistory.h"
#include "app/MRUList.h"
#include "app/ReportSystem.h"
#include "calendar/CalendarDocument.h"
#include "calendar/Calpanel32.h"
#include "common/AtomicFile.h"
#include "common/Program.h"
#include "recurring/RecurCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QFileInfo>
#include <QBuffer>

namespace velmora {

namespace {
void processPendingEvents()
{
    QCoreApplication::processEvents();
}
} // namespace

// ---- document lifecycle ----

void TCalendarMain::New1Click()
{
    if (!CheckSaveNeeded())
        return;
    BeginWait();
    DoSaveRichtext();
    EndWait();
    newCalendar_ = true;
    mnuPropertiesClick();
    if (!propertiesAccepted_)
        return;
    document_->New();
    history_->Reset();
    showPage(true);
    SetButtons();
    SetCaption();
}

void TCalendarMain::mnuPropertiesClick()
{
    hidePaletteFor();
    const int oldMonth = page_->MainCalMonth(), oldYear = page_->MainCalYear();
    DoSaveRichtext();
    propertiesAccepted_ = false;
    TCalendarProperties dialog(this);
    dialog.ExampleCalendar()->SetZoom(static_cast<float>(CodeToZoom(PropZoomCode)));
    if (newCalendar_) {
        dialog.SetIsNew(true);
        dialog.SetCellsHaveText(false);
    } else if (!page_->isHidden()) {
        dialog.SetStartingFamily(page_->LayoutFamily());
        dialog.SetCellsHaveText(page_->HasCellText());
        // A new layout family removes the design objects too: a page holding only labels or
        // pictures is asked about as one holding text is.
        dialog.SetPageHasObjects(page_->Objects().Count() > 0);
    }
    dialog.ExampleCalendar()->AssignStyle(*page_);
    const bool ok = RunDialog(RunPropertiesDialog, dialog);
    PropZoomCode = ZoomToCode(double(dialog.ExampleCalendar()->Zoom()));
    if (ok) {
        const TGBasePanel::TChangeStep step(*page_, dialog.StyleSheetLoaded()
                                                        ? QStringLiteral("Load Style Sheet")
                                                        : QStringLiteral("Properties"));
        acceptProperties(*dialog.ExampleCalendar(), oldMonth, oldYear);
    }
    newCalendar_ = false;
    page_->Repaint();
    CheckFloaterStatus();
    showPaletteAfter();
    SetButtons();
    Prefs.propZoomCode = PropZoomCode;
    savePreferencesQuietly();
}

void TCalendarMain::acceptProperties(const TCalendarPanel32 &preview, int oldMonth, int oldYear)
{
    if (!preview.SameStyle(*page_))
        SetModified(true);
    propertiesAccepted_ = true;
    const int family = page_->LayoutFamily();
    page_->AssignStyle(preview);
    if (family != page_->LayoutFamily()) {
        clearAllCells();
        page_->RemoveAllObjects();
    }
    if ((page_->MainCalMonth() != oldMonth || page_->MainCalYear() != oldYear) &&
        page_->HasDayCells())
        clearAllCells();
}

void TCalendarMain::Open1Click()
{
    DoSaveRichtext();
    if (!CheckSaveNeeded())
        return;
    const QString path = Ui().openFileName(QStringLiteral("Open Calendar File"), DialogFolder(),
                                           QStringLiteral("Calendar File (*.QXF *.qxf)"));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    if (QFileInfo(path).suffix().toUpper() != QLatin1String("QXF")) {
        ShowInformation(QStringLiteral("Must be a Calendar file (*.QXF)"));
        return;
    }
    OpenCalendarFile(path);
}

// The sample is read like any document, then loses its name, so that saving asks for one
// of the user's own and the shipped file stays as it is; it stays off the recent files too.
void TCalendarMain::NewFromSampleClick()
{
    DoSaveRichtext();
    if (!CheckSaveNeeded())
        return;
    const QString path = Ui().openFileName(QStringLiteral("New from Sample"),
                                           DataFolder() + QStringLiteral("Samples/"),
                                           QStringLiteral("Calendar File (*.QXF *.qxf)"));
    if (path.isEmpty())
        return;
    OpenCalendarFile(path);
    mru_->remove(path);
    try {
        mru_->save();
    } catch (const std::exception &) {
        // As when opening: the list is a convenience.
    }
    if (document_->Untitled())
        return; // not read; the message has been shown
    document_->ForgetFile();
    SetModified(false);
    history_->Reset();
    SetCaption();
    SetButtons();
}

void TCalendarMain::OpenFileFromOutside(const QString &path)
{
    DoSaveRichtext();
    if (CheckSaveNeeded())
        OpenCalendarFile(path);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TCalendarMain::OpenCalendarFile(const QString &pathGiven)
{
    // A copy: the path may be the document's own name (Cancel Changes), which the open
    // clears before it reads.
    const QString path = pathGiven;
    page_->SetPaintingHold(true);
    float remembered = 1.0F;
    if (page_->Zoom() != 1.0F) {
        remembered = page_->Zoom();
        if (remembered < 0.1F || remembered > 1.1F)
            remembered = 1.0F;
    }
    loading_ = true;
    DoSaveRichtext();
    QString lostObjects;
    const bool attempted = QFileInfo::exists(path);
    if (!attempted) {
        document_->ForgetFile();
        ShowInformation(QStringLiteral("File ") + path + QStringLiteral(" no longer exists"));
    } else {
        BeginWait();
        // Objects are read at factor 1 and then shown at the window's zoom.
        page_->SetZoom(1.0F);
        try {
            document_->Open(path);
            page_->AttachObjects();
            lostObjects = document_->LoadReportMessage(QFileInfo(path).fileName());
            mru_->add(path);
            try {
                mru_->save();
            } catch (const std::exception &) {
                // The list is a convenience; a read-only ini file must not fail the open.
            }
            setWindowTitle(QStringLiteral("Velmora [") + QFileInfo(path).fileName() + QLatin1Char(']'));
        } catch (const std::exception &) {
            ShowInformation(DocumentOpenErrorMessage(path));
        }
        EndWait();
    }
    processPendingEvents();
    loading_ = false;
    SetButtons();
    showPage(!document_->Untitled());
    page_->Repaint();
    SetModified(false);
    SetButtons();
    CheckFloaterStatus();
    SetCaption();
    if (remembered != 1.0F)
        page_->SetZoom(remembered);
    SetCaption();
    page_->SetPaintingHold(false);
    // A file that is gone leaves the page, and with it its steps, as they were.
    if (attempted)
        history_->Reset();
    if (!lostObjects.isEmpty())
        ShowInformation(lostObjects);
}

bool TCalendarMain::SaveCalendarFile(const QString &path)
{
    page_->SetPaintingHold(true);
    const float remembered = page_->Zoom();
    page_->SetZoom(1.0F);
    BeginWait();
    DoSaveRichtext();
    bool ok = true;
    try {
        document_->SaveAs(path);
    } catch (const std::exception &) {
        ok = false;
    }
    EndWait();
    if (remembered >= 0.2F && remembered <= 1.0F)
        page_->SetZoom(remembered);
    page_->SetPaintingHold(false);
    if (ok) // the history keeps its steps; the state saved is the clean one
        history_->Saved();
    processPendingEvents();
    SetButtons();
    SetCaption();
    if (!ok) // the old file is untouched and the changes are still unsaved
        ShowInformation(QStringLiteral("Unable to write to ") + path);
    return ok;
}

void TCalendarMain::mnuSaveClick()
{
    if (page_->isHidden())
        return;
    if (document_->Untitled())
        mnuSaveAsClick();
    else
        SaveCalendarFile(document_->FileName());
}

void TCalendarMain::mnuCloseClick()
{
    if (page_->isHidden() || !CheckSaveNeeded())
        return;
    DoSaveRichtext();
    document_->Close();
    history_->Reset();
    showPage(false);
    CheckFloaterStatus();
    SetButtons();
    SetCaption();
}

QString TCalendarMain::ProposedFileName() const
{
    if (!document_->Untitled())
        return QFileInfo(document_->FileName()).fileName();
    std::string month;
    page_->GetMonthName(page_->MainCalMonth(), month);
    return QString::fromStdString(month).left(3) + QString::number(page_->MainCalYear()) +
           QStringLiteral(".QXF");
}

bool TCalendarMain::mnuSaveAsClick()
{
    const QString path = Ui().saveFileName(QStringLiteral("Save Calendar File"), DialogFolder(),
                                           ProposedFileName(),
                                           QStringLiteral("Calendar File (*.QXF)"),
                                           QStringLiteral("QXF"));
    bool ok = false;
    if (!path.isEmpty() && SaveCalendarFile(path)) {
        ok = true;
        rememberFolder(path);
        SetModified(false);
        mru_->add(path);
        try {
            mru_->save();
        } catch (const std::exception &) {
        }
    }
    SetButtons();
    return ok;
}

bool TCalendarMain::CheckSaveNeeded()
{
    DoSaveRichtext();
    if (!document_->Modified())
        return true;
    // Cancel (and Escape) keeps the document and its changes as they are.
    const TUiService::TAnswer answer = AskYesNoCancel(QStringLiteral("Save changes?"),
                                                      QStringLiteral("Save"));
    if (answer == TUiService::TAnswer::Cancel)
        return false;
    if (answer == TUiService::TAnswer::No)
        return true;
    // A cancelled Save As or a failed save stops the command that asked, so nothing
    // unsaved is thrown away without the user knowing.
    const bool saved = document_->Untitled() ? mnuSaveAsClick() : SaveCalendarFile(document_->FileName());
    if (!saved)
        return false;
    SetModified(false);
    return true;
}

void TCalendarMain::mnuCancelChangesClick()
{
    if (!AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    // Reading the file again goes through the window's open, which keeps the zoom.
    if (!document_->Untitled())
        OpenCalendarFile(document_->FileName());
    processPendingEvents();
    SetModified(false);
}

// ---- output ----

bool TCalendarMain::CheckPrinters()
{
    // Printing to PDF and to the preview works on every machine, so a missing printer
    // does not switch printing off; the setup dialog then offers those destinations.
    return true;
}

QString TCalendarMain::PrintCompletedMessage(bool hasSuperText)
{
    if (hasSuperText)
        return QStringLiteral("Print job completed and sent to printer!\r\rNote: this design "
                              "contains complex shapes or text.\rPlease be patient while the "
                              "printer produces its\routput...");
    return QStringLiteral("Print job completed and sent to printer!");
}

void TCalendarMain::mnuPrintCalendarClick()
{
    if (page_->isHidden())
        return;
    const float remembered = page_->Zoom();
    page_->SetPrinting(true);
    DoSaveRichtext();
    BeginWait();
    page_->SetZoom(1.0F);
    Printed = false;
    const bool ok = report_->Execute();
    if (remembered != 1.0F)
        page_->SetZoom(remembered);
    EndWait();
    if (Printed && ok) {
        // A preview has shown the result already; a file is named.
        if (report_->Destination() == TReportDestination::Printer)
            ShowInformation(PrintCompletedMessage(page_->HasSuperText()));
        else if (report_->Destination() == TReportDestination::PdfFile)
            ShowInformation(QStringLiteral("Saved ") +
                            QDir::toNativeSeparators(report_->PdfFile()));
    } else if (!report_->LastError().isEmpty())
        ShowInformation(report_->LastError());
    if (remembered != 1.0F)
        page_->Repaint();
    page_->SetPrinting(false);
    SetCaption();
}

void TCalendarMain::mnuPrintSetupClick()
{
    report_->PrinterSetup();
}

QString TCalendarMain::ProposedBitmapName() const
{
    if (!document_->Untitled())
        return QFileInfo(document_->FileName()).completeBaseName() + QStringLiteral(".BMP");
    return ProposedFileName().chopped(4) + QStringLiteral(".BMP");
}

void TCalendarMain::mnuSaveAsBitmapClick()
{
    const QString path = Ui().saveFileName(QStringLiteral("Save Calendar As Bitmap"), DialogFolder(),
                                           ProposedBitmapName(),
                                           QStringLiteral("Bitmap File (*.BMP)"), QStringLiteral("BMP"));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    DoSaveRichtext();
    const QImage bitmap = page_->RenderToBitmap();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    bool ok = buffer.open(QIODevice::WriteOnly) && bitmap.save(&buffer, "BMP");
    try {
        if (ok)
            WriteFileAtomic(path, bytes);
    } catch (const TAtomicWriteError &) {
        ok = false;
    }
    page_->Repaint();
    if (!ok)
        ShowInformation(QStringLiteral("Unable to write to ") + path);
}

QString TCalendarMain::DialogFolder() const
{
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir())
        return lastFolder_;
    const QStringList recent = mru_->Items();
    if (!recent.isEmpty() && QFileInfo(recent.constFirst()).absoluteDir().exists())
        return QFileInfo(recent.constFirst()).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void TCalendarMain::rememberFolder(const QString &file)
{
    lastFolder_ = QFileInfo(file).absolutePath();
    report_->StartFolder = lastFolder_;
}

// ---- recurring dates ----

void TCalendarMain::mnuFillCalendarwithRecurringDatesClick()
{
    const TGBasePanel::TChangeStep step(*page_, QStringLiteral("Fill with Recurring Dates"));
    FillResult result = FillResult::Cancelled;
    cells_->PutTextsOnDays([&](const PutTextOnDay &put) {
        result = FillCalendarWithRecurringDates(page_->MainCalMonth(), page_->MainCalYear(), put,
                                                {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }},
                                                SelectRecurringDates, this);
    });
    if (result == FillResult::Filled) {
        SetButtons();
        page_->Repaint();
    }
}

void TCalendarMain::mnuEditrecurringDatesClick()
{
    EditRecurringDates(this, {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }},
                       EditRecurringDatesRunner);
}

} // namespace velmora
