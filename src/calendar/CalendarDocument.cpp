#include "calendar/CalendarDocument.h"

#include "calendar/CalendarPage.h"

namespace velmora {

void TCalendarDocument::SetModified(bool value)
{
    if (value == modified_)
        return;
    modified_ = value;
    if (ModifiedChanged)
        ModifiedChanged();
}

void TCalendarDocument::New()
{
    fileName_.clear();
    page_.ClearAllCells();
    page_.Objects().Clear();
    SetModified(true);
}

void TCalendarDocument::Close()
{
    fileName_.clear();
    page_.ClearAllCells();
    page_.Objects().Clear();
    page_.SetUserTitle(std::string());
    SetModified(false);
}

TLoadReport TCalendarDocument::Open(const QString &pathGiven, TDocumentObjects *objects)
{
    // The path may be the document's own name (Cancel Changes), which is cleared next.
    const QString path = pathGiven;
    fileName_.clear();
    lastLoad_ = {};
    page_.ClearAllCells();
    page_.Objects().Clear();
    page_.SetUserTitle(std::string());
    try {
        lastLoad_ = LoadFromFile(page_, path, objects != nullptr ? objects : &page_.DocumentObjects());
    } catch (...) {
        // Whatever was read in part must not pass for the document.
        page_.ClearAllCells();
        page_.Objects().Clear();
        page_.ResetToDefaults();
        throw;
    }
    // Objects read from a file start at factor 1; they show at the page's zoom.
    page_.Objects().SetZoom(page_.Objects().Zoom());
    fileName_ = path;
    SetModified(false);
    return lastLoad_;
}

void TCalendarDocument::SaveAs(const QString &path)
{
    SaveToFile(page_, path, &page_.DocumentObjects());
    fileName_ = path;
    SetModified(false);
}

void TCalendarDocument::CancelChanges()
{
    if (!Untitled())
        Open(fileName_);
}

QString TCalendarDocument::LoadReportMessage(const QString &shownName) const
{
    return velmora::LoadReportMessage(lastLoad_.objectsLost, lastLoad_.objectsPartlyRead, shownName);
}

} // namespace velmora
