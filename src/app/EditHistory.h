#pragma once
// The window's undo and redo: which changes form one step, what each step is called, and
// the page brought back around an undone step. Snapshots are the document's own bytes
// (see TDocumentUndo); this class decides when one is taken.
//
// A command that opens a step on the page (a drag, a menu entry, a dialog's OK, Fill
// with Recurring Dates) is one step, taken when the command ends. A change reported
// outside any step (an object that changed on its own) becomes a step of its own once
// control is back in the event loop, so the several reports of one change still make
// one step. Typing in a day cell is a step when the text goes back to the cell.
#include "calendar/DocumentUndo.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace velmora {

class TCalendarDocument;
class TCalendarPanel32;
class TCellEditing;

class TEditHistory : public QObject
{
    Q_OBJECT
public:
    TEditHistory(TCalendarDocument &document, TCalendarPanel32 &page, TCellEditing &cells,
                 QObject *parent = nullptr);
    ~TEditHistory() override;

    // What a change nobody named is called.
    static QString GenericStepName() { return QStringLiteral("Change"); }
    static QString TypingStepName() { return QStringLiteral("Typing"); }

    // The document changed. Inside a step of the page the change belongs to that step;
    // otherwise it is a step named name (or the generic name) when control returns to
    // the event loop, or at the next Flush.
    void Noted(const QString &name = QString());
    // Every change made so far is recorded now, the cell being typed into included.
    void Flush();

    // A new history for the document as it is now (New, Open, Cancel Changes, Close).
    void Reset();
    // The document was saved: its state now is the clean one.
    void Saved();

    // The cell being edited is closed first; false when there was nothing to take back.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    QString UndoText() const { return undo_.UndoText(); }
    QString RedoText() const { return undo_.RedoText(); }
    // True while an undone or redone page is being read back.
    bool Restoring() const { return restoring_; }
    const TUndoHistory &Steps() const { return undo_.History(); }

    // The page holds other bytes now; the window shows them (sizes, buttons, repaint).
    std::function<void()> Restored;
    // What Undo and Redo would do may have changed.
    std::function<void()> StepsChanged;

private:
    void stepStarting();
    void stepEnded(const QString &name);
    void record(const QString &name);
    bool takeBack(bool redo);
    void stepsChanged();

    TCalendarPanel32 &page_;
    QPointer<TCalendarPanel32> pageAlive_;
    TCellEditing &cells_;
    TDocumentUndo undo_;
    QTimer flushTimer_;
    bool pending_ = false;
    QString pendingName_;
    bool restoring_ = false;
    // The selection by object name, kept across reading a step back.
    std::vector<std::string> selection_;
};

} // namespace velmora
