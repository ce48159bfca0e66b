#include "calendar/UndoHistory.h"

namespace velmora {

TUndoHistory::TUndoHistory(size_t depth) : depth_(depth < 1 ? 1 : depth)
{
    Clear(true);
}

void TUndoHistory::Clear(bool saved)
{
    undo_.clear();
    redo_.clear();
    savedAt_.reset();
    if (saved)
        savedAt_ = 0;
    mergeOpen_ = false;
}

QByteArray TUndoHistory::pack(const TBytes &bytes)
{
    // Documents are mostly repeated RTF control words and empty cells: a fast level
    // shrinks a busy page several times over in well under a millisecond.
    QByteArray packed = qCompress(reinterpret_cast<const uchar *>(bytes.data()), qsizetype(bytes.size()), 1);
    // The compressor leaves room for the worst case; a hundred snapshots must not keep it.
    packed.squeeze();
    return packed;
}

TBytes TUndoHistory::unpack(const QByteArray &packed)
{
    const QByteArray raw = qUncompress(packed);
    return TBytes(raw.begin(), raw.end());
}

bool TUndoHistory::Record(const QString &name, const TBytes &before, const TBytes &after,
                          int mergeKey)
{
    if (before == after)
        return false;
    const long position = long(undo_.size());
    // A new step makes the undone ones unreachable, the saved state among them.
    if (!redo_.empty()) {
        redo_.clear();
        if (savedAt_ && *savedAt_ > position)
            savedAt_.reset();
    }
    if (mergeKey != 0 && mergeOpen_ && !undo_.empty() && undo_.back().mergeKey == mergeKey) {
        // The step keeps its first before; the state it ends in is the document itself.
        if (savedAt_ && *savedAt_ == position)
            savedAt_.reset();
        return true;
    }
    undo_.push_back(Step{name, pack(before), mergeKey});
    mergeOpen_ = mergeKey != 0;
    while (undo_.size() > depth_) {
        undo_.pop_front();
        if (savedAt_) {
            if (*savedAt_ == 0)
                savedAt_.reset();
            else
                --*savedAt_;
        }
    }
    return true;
}

QString TUndoHistory::UndoName() const
{
    return undo_.empty() ? QString() : undo_.back().name;
}

QString TUndoHistory::RedoName() const
{
    return redo_.empty() ? QString() : redo_.back().name;
}

std::optional<TBytes> TUndoHistory::Undo(const TBytes &current)
{
    if (undo_.empty())
        return std::nullopt;
    mergeOpen_ = false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    TBytes before = unpack(step.packed);
    step.packed = pack(current);
    step.mergeKey = 0;
    redo_.push_back(std::move(step));
    return before;
}

std::optional<TBytes> TUndoHistory::Redo(const TBytes &current)
{
    if (redo_.empty())
        return std::nullopt;
    mergeOpen_ = false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    TBytes after = unpack(step.packed);
    step.packed = pack(current);
    undo_.push_back(std::move(step));
    return after;
}

void TUndoHistory::MarkSaved()
{
    mergeOpen_ = false;
    savedAt_ = long(undo_.size());
}

bool TUndoHistory::AtSavedState() const
{
    return savedAt_ && *savedAt_ == long(undo_.size());
}

size_t TUndoHistory::MemoryUsage() const
{
    size_t total = 0;
    for (const Step &s : undo_)
        total += size_t(s.packed.capacity()) + size_t(s.name.capacity()) * 2 + sizeof(Step);
    for (const Step &s : redo_)
        total += size_t(s.packed.capacity()) + size_t(s.name.capacity()) * 2 + sizeof(Step);
    return total;
}

} // namespace velmora
