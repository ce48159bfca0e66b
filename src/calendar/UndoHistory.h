#pragma once
// The undo history of a document: the document's own bytes before each step, kept
// compressed, and the bytes after each undone step for redo. Restoring a step is reading
// those bytes back with the normal document reader, so an undone page is exactly the page
// that was saved into the snapshot. Nothing here knows about pages or windows.
#include "common/ComponentStream.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace velmora {

class TUndoHistory
{
public:
    static constexpr size_t kDefaultDepth = 200;
    explicit TUndoHistory(size_t depth = kDefaultDepth);

    // Forget every step. The present state is the saved one when saved is true (a document
    // just opened), or no state is (a new, never saved page).
    void Clear(bool saved);

    // A step named name took the document from before to after. Nothing is recorded when
    // the bytes are equal. A step with a non-zero merge key equal to the previous step's,
    // recorded while that step is still open (see EndMerge), joins it: one held arrow key
    // or one run of the same typing stays one step. Returns whether a step was added or
    // extended.
    bool Record(const QString &name, const TBytes &before, const TBytes &after, int mergeKey = 0);
    // The open step takes no more merges.
    void EndMerge() { mergeOpen_ = false; }

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The name of the step Undo or Redo would take back; empty when there is none.
    QString UndoName() const;
    QString RedoName() const;
    // The bytes to restore to take back the last step; current is the document now and
    // becomes what Redo returns. Empty when there is nothing to undo.
    std::optional<TBytes> Undo(const TBytes &current);
    std::optional<TBytes> Redo(const TBytes &current);

    // The document now is the state on disk.
    void MarkSaved();
    // The document now equals the state last saved.
    bool AtSavedState() const;

    size_t UndoCount() const { return undo_.size(); }
    size_t RedoCount() const { return redo_.size(); }
    size_t Depth() const { return depth_; }
    // The bytes the kept snapshots take.
    size_t MemoryUsage() const;

private:
    struct Step
    {
        QString name;
        QByteArray packed;
        int mergeKey = 0;
    };
    static QByteArray pack(const TBytes &bytes);
    static TBytes unpack(const QByteArray &packed);

    size_t depth_;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
    // Steps from the oldest kept state to the saved state, counted as undo_.size() would be
    // there; none when the saved state can no longer be reached.
    std::optional<long> savedAt_;
    bool mergeOpen_ = false;
};

} // namespace velmora
