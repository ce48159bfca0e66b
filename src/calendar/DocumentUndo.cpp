#include "calendar/DocumentUndo.h"

#include "calendar/CalendarDocument.h"
#include "calendar/CalendarPage.h"
#include "calendar/DocumentFile.h"
#include "objects/GGraphc.h"

namespace velmora {

namespace {

// The page's own object holder, except that objects keep the names their records carry:
// a file opened gets fresh names, a step taken back must not, or its objects would no
// longer be the ones the window has selected and the bytes would differ.
class TNamedObjects final : public TDocumentObjects
{
public:
    explicit TNamedObjects(TDocumentObjects &page) : page_(page) {}
    void writeObjects(TWriter &w) const override { page_.writeObjects(w); }
    TStreamable *createObject(const std::string &className) override
    {
        return page_.createObject(className);
    }
    TStreamable *createStoredObject(const TComponentHeader &header) override
    {
        TStreamable *object = page_.createObject(header.className);
        if (auto *control = dynamic_cast<TGGraphicControl *>(object); control && !header.name.empty())
            control->SetName(header.name);
        return object;
    }
    void objectLoaded(TStreamable *object) override { page_.objectLoaded(object); }
    void discardObject(TStreamable *object) override { page_.discardObject(object); }
    bool keepRecord(std::span<const uint8_t> record) override { return page_.keepRecord(record); }

private:
    TDocumentObjects &page_;
};

} // namespace

TDocumentUndo::TDocumentUndo(TCalendarDocument &document, size_t depth)
    : document_(document), history_(depth)
{
    Reset();
}

TBytes TDocumentUndo::bytesNow() const
{
    TCalendarPage &page = const_cast<TCalendarPage &>(document_.Page());
    return DocumentBytes(page, &page.DocumentObjects());
}

void TDocumentUndo::Reset()
{
    history_.Clear(!document_.Modified());
    current_ = bytesNow();
}

void TDocumentUndo::Changed(const QString &name, int mergeKey)
{
    TBytes now = bytesNow();
    if (history_.Record(name, current_, now, mergeKey))
        current_ = std::move(now);
}

void TDocumentUndo::Saved()
{
    // A save may follow changes nobody reported; they become one step of their own.
    Changed(QStringLiteral("Change"));
    history_.MarkSaved();
}

QString TDocumentUndo::UndoText() const
{
    return history_.CanUndo() ? QStringLiteral("Undo %1").arg(history_.UndoName()) : QStringLiteral("Undo");
}

QString TDocumentUndo::RedoText() const
{
    return history_.CanRedo() ? QStringLiteral("Redo %1").arg(history_.RedoName()) : QStringLiteral("Redo");
}

void TDocumentUndo::restore(const TBytes &bytes)
{
    TCalendarPage &page = document_.Page();
    const float zoom = page.Objects().Zoom();
    page.ClearAllCells();
    page.Objects().Clear();
    page.SetUserTitle(std::string());
    // The bytes were written by this program a moment ago; a failure here would be a
    // fault of the writer, and the page then keeps what was read.
    TNamedObjects objects(page.DocumentObjects());
    ReadDocument(page, bytes, &objects);
    page.Objects().SetZoom(zoom);
    page.RecalcLayout(false);
    current_ = bytes;
    document_.SetModified(!history_.AtSavedState());
    if (Restored)
        Restored();
}

bool TDocumentUndo::Undo()
{
    // Changes not yet reported (a cell being typed into) are a step of their own first.
    Changed(QStringLiteral("Change"));
    auto before = history_.Undo(current_);
    if (!before)
        return false;
    restore(*before);
    return true;
}

bool TDocumentUndo::Redo()
{
    if (bytesNow() != current_)
        return false; // a new change replaced what could be redone
    auto after = history_.Redo(current_);
    if (!after)
        return false;
    restore(*after);
    return true;
}

} // namespace velmora
