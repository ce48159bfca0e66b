#pragma once
// A calendar document: one page and the file it lives in. It runs new, open, save and
// cancel changes on the page model, keeps the file name and the modified flag, and reports
// the design objects a file held that could not be read. The main window asks the user and
// shows messages around it; the exporter opens documents through it too.
#include "calendar/DocumentFile.h"

#include <QString>

#include <functional>

namespace velmora {

class TCalendarPage;

class TCalendarDocument
{
public:
    explicit TCalendarDocument(TCalendarPage &page) : page_(page) {}

    TCalendarPage &Page() { return page_; }
    const TCalendarPage &Page() const { return page_; }

    // Empty for a document never saved.
    const QString &FileName() const { return fileName_; }
    bool Untitled() const { return fileName_.isEmpty(); }
    bool Modified() const { return modified_; }
    void SetModified(bool value);
    // Runs after Modified changed.
    std::function<void()> ModifiedChanged;

    // An untitled page with the page's current settings and nothing on it; it counts as
    // modified until saved.
    void New();
    // Reads the file into the page: cells, objects and title start clean. The design
    // objects go to the page unless another receiver is given. Throws EReadError or
    // std::exception for a file that cannot be read; the page is then back at its
    // defaults and the document untitled.
    TLoadReport Open(const QString &path, TDocumentObjects *objects = nullptr);
    // Writes the page to path atomically and makes it the document's file. Throws
    // EWriteError; the old file and the modified flag stay as they were.
    void SaveAs(const QString &path);
    void Save() { SaveAs(fileName_); }
    // The document is put away: no file, nothing on the page, nothing to save.
    void Close();
    // The document no longer names a file (it went away); the page stays as it is.
    void ForgetFile() { fileName_.clear(); }
    // Reads the document's file again; nothing happens for an untitled document.
    void CancelChanges();

    // The last Open's report.
    const TLoadReport &LastLoad() const { return lastLoad_; }
    // The message about objects the last Open could not read or read only in part; empty
    // when every object came through.
    QString LoadReportMessage(const QString &shownName) const;

private:
    TCalendarPage &page_;
    QString fileName_;
    bool modified_ = false;
    TLoadReport lastLoad_;
};

} // namespace velmora
