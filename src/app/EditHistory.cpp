#include "app/EditHistory.h"

#include "app/CellEditing.h"
#include "calendar/CalendarDocument.h"
#include "calendar/Calpanel32.h"

namespace velmora {

TEditHistory::TEditHistory(TCalendarDocument &document, TCalendarPanel32 &page,
                           TCellEditing &cells, QObject *parent)
    : QObject(parent), page_(page), pageAlive_(&page), cells_(cells), undo_(document)
{
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    connect(&flushTimer_, &QTimer::timeout, this, [this] {
        // A dialog's own event loop inside a step must not cut the step in two.
        if (!page_.InChangeStep())
            Flush();
    });
    page_.ChangeStepStarting = [this] { stepStarting(); };
    page_.ChangeStepEnded = [this](const QString &name) { stepEnded(name); };
    undo_.Restored = [this] {
        page_.AttachObjects();
        for (const std::string &name : selection_)
            if (TGGraphicControl *o = page_.FindObject(name); o != nullptr && o->Visible())
                page_.Handle().Select(o);
        if (Restored)
            Restored();
    };
}

TEditHistory::~TEditHistory()
{
    // The window may have destroyed the page first.
    if (pageAlive_) {
        page_.ChangeStepStarting = nullptr;
        page_.ChangeStepEnded = nullptr;
    }
}

void TEditHistory::Noted(const QString &name)
{
    if (restoring_)
        return;
    if (!pending_ || pendingName_ == GenericStepName())
        pendingName_ = name.isEmpty() ? GenericStepName() : name;
    pending_ = true;
    if (!page_.InChangeStep())
        flushTimer_.start();
}

void TEditHistory::Flush()
{
    if (restoring_)
        return;
    cells_.Sync();
    flushTimer_.stop();
    if (pending_)
        record(pendingName_);
}

void TEditHistory::stepStarting()
{
    // What changed before the command is a step of its own, not part of the command's.
    Flush();
}

void TEditHistory::stepEnded(const QString &name)
{
    if (restoring_)
        return;
    // A command may leave its text in the open cell editor (a dropped icon).
    cells_.Sync();
    flushTimer_.stop();
    // The bytes are compared even without a report: a change an object forgot to report
    // still lands in the step that made it.
    record(name.isEmpty() ? GenericStepName() : name);
}

void TEditHistory::record(const QString &name)
{
    const QString step = name; // may be pendingName_ itself
    pending_ = false;
    pendingName_.clear();
    undo_.Changed(step);
    stepsChanged();
}

void TEditHistory::Reset()
{
    flushTimer_.stop();
    pending_ = false;
    pendingName_.clear();
    undo_.Reset();
    stepsChanged();
}

void TEditHistory::Saved()
{
    Flush();
    undo_.Saved();
    stepsChanged();
}

bool TEditHistory::takeBack(bool redo)
{
    if (restoring_)
        return false;
    // The cell's text goes back to its store (a step of its own when it changed), so the
    // editor never shows a text the page no longer has.
    cells_.Commit();
    Flush();
    selection_.clear();
    for (const TGGraphicControl *o : page_.Handle().Selection())
        selection_.push_back(o->Name());
    restoring_ = true;
    const bool done = redo ? undo_.Redo() : undo_.Undo();
    restoring_ = false;
    selection_.clear();
    stepsChanged();
    return done;
}

bool TEditHistory::Undo()
{
    return takeBack(false);
}

bool TEditHistory::Redo()
{
    return takeBack(true);
}

void TEditHistory::stepsChanged()
{
    if (StepsChanged)
        StepsChanged();
}

} // namespace velmora
