#pragma once
// Undo and redo for a calendar document. The document's bytes are taken after every change
// and the history keeps the bytes from before it; undoing reads the earlier bytes back with
// the document reader, so the page is exactly the page those bytes describe. The objects'
// zoom stays as it is; the window keeps its own selection by object name.
#include "calendar/UndoHistory.h"

#include <QString>

#include <functional>

namespace velmora {

class TCalendarDocument;

class TDocumentUndo
{
public:
    explicit TDocumentUndo(TCalendarDocument &document, size_t depth = TUndoHistory::kDefaultDepth);

    // A new history for the document as it is now (after New, Open, Cancel Changes).
    void Reset();
    // The document changed by the named step. Changes with the same non-zero merge key join
    // one step until EndMerge: one mouse drag, one held key.
    void Changed(const QString &name, int mergeKey = 0);
    void EndMerge() { history_.EndMerge(); }
    // The document was saved: its state now is the clean one.
    void Saved();

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // "Undo Move", or "Undo" alone when there is nothing to undo.
    QString UndoText() const;
    QString RedoText() const;
    // Take back or redo one step; false when there was none. The document is modified
    // unless the step arrives at the saved state.
    bool Undo();
    bool Redo();

    const TUndoHistory &History() const { return history_; }
    // The bytes the document had after the last recorded change.
    const TBytes &Current() const { return current_; }

    // Runs after Undo or Redo put other bytes into the page.
    std::function<void()> Restored;

private:
    TBytes bytesNow() const;
    void restore(const TBytes &bytes);

    TCalendarDocument &document_;
    TUndoHistory history_;
    TBytes current_;
};

} // namespace velmora
