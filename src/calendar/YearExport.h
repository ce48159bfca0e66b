#pragma once
// Year and photo calendars: a run of consecutive months of one page's style written as one
// PDF or as numbered PNG pictures, each month optionally filled with dates and given a
// picture from a folder, either over the area above its grid or on a page of its own before
// it. The program's dialog and the exporter both run this, so the same choices give the
// same pages. Nothing here is a widget.
#include "imaging/PrintPicture.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace velmora {

class TCalendarPage;

struct TYearExportOptions
{
    QString output;       // a .PDF, or the first of the numbered .PNG names
    bool pdf = true;
    int months = 12;      // from the page's month on
    double pngZoom = 1.0; // pictures only
    bool keepObjects = true;
    // A folder of pictures; each month takes the next one in name order.
    QString picturesDir;
    bool photoPages = false;
    TPictureFit fit = TPictureFit::Cover;
    // Writes a month's dates into the page's day cells; the cells are empty before every
    // month after the first. Nothing is filled without it.
    std::function<void(TCalendarPage &)> fillMonth;
    // Called before each page and once at the end (done == total); false cancels.
    std::function<bool(int done, int total)> progress;
};

struct TYearExportResult
{
    bool cancelled = false;
    QString error;        // empty when the pages were written (or cancelled)
    bool writeFailed = false; // the error is the output's, not the pictures'
    QStringList written;  // the files written; none after a cancel or an error
    bool ok() const { return !cancelled && error.isEmpty(); }
};

// The picture files of a folder in name order (case ignored); the reason when there are none.
QStringList PictureFilesIn(const QString &dir, QString *error = nullptr);

// The name of page index (1-based) of count numbered pictures: NAME-01.png ...; the name
// itself when there is one page.
QString NumberedName(const QString &path, int index, int count);
// The page moves on to the next month (the day kept inside it) and lays itself out again.
void StepToNextMonth(TCalendarPage &page);

// Writes the months, starting at the page's month; the page is left at the last month.
// Exceptions from fillMonth end the run without leaving files and are passed on.
TYearExportResult ExportCalendarYear(TCalendarPage &page, const TYearExportOptions &options);

} // namespace velmora
