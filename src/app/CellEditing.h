#pragma once
// Editing the day cells' texts: the rich text editor laid over the clicked cell, writing
// it back to the cell's store, Tab and Shift+Tab between cells, texts added to days, and
// pictures dropped onto cells.
#include "common/Rect.h"
#include "richtext/WPRichText.h"

#include <QImage>
#include <QObject>

#include <functional>

class QKeyEvent;
class QMimeData;

namespace velmora {

class TCalendarPanel32;
class TWPRtfStorage;
class TWPToolBar;

class TCellEditing : public QObject
{
    Q_OBJECT
public:
    // The editor must be a sibling of the page inside the same parent.
    TCellEditing(TCalendarPanel32 &page, TWPRichText &editor, TWPToolBar &toolbar,
                 QObject *parent = nullptr);

    bool Editing() const { return editing_; }
    int CurrentCell() const { return currentCell_; }

    // The editor's text goes back to the cell's store and the editor closes.
    void Commit();
    // The editor's changed text goes back to the cell's store; the editor stays open.
    void Sync();
    // The editor holds changes its cell's store does not have yet.
    bool Dirty() const { return editing_ && dirty_; }
    // Lays the editor over the cell's free area and loads the cell's text.
    void OpenCell(const TRect &rFree, int cell);
    // Adds the text as a paragraph of its own to the day's cell; the cell being edited
    // stays the one being edited.
    void PutTextOnDay(int day, const QString &text);
    // The texts fill hands to put go to their days as PutTextOnDay would add them one by one,
    // but each cell is read once and written once when fill returns; the editor, if open,
    // stays on its cell, else it stays closed.
    void PutTextsOnDays(const std::function<void(const std::function<void(int day, const QString &text)> &put)> &fill);
    // A picture or picture file the data carries; null when it carries none.
    static QImage DroppedPicture(const QMimeData *data);
    // The picture becomes part of the text of the cell under the page point. stepName
    // names the change in the undo history.
    bool DropPictureOnCell(const QImage &picture, int x, int y,
                           const QString &stepName = QStringLiteral("Drop Picture"));
    // Tab and Shift+Tab move between cells, Ctrl+A selects the cell's whole text; true
    // when the key was taken.
    bool HandleEditorKey(QObject *target, QKeyEvent *key);
    // The editor's typing attributes become the default cell font.
    void SetDefaultFontNow();

    // The cell texts changed (the document is modified).
    std::function<void()> Changed;
    // A cell's changed text went back to its store (the editor closed or was synced).
    std::function<void()> TextStored;
    // The default cell font, from the preferences.
    std::function<TCharAttributes()> DefaultFont;

protected:
    // Drags over the page: a picture is decoded once when the drag enters, not on every
    // move.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void editorEntered();
    void changed();

    TCalendarPanel32 &page_;
    TWPRichText &editor_;
    TWPToolBar &toolbar_;
    TWPRtfStorage *store_ = nullptr;
    bool editing_ = false;
    bool dirty_ = false;
    int currentCell_ = 0;
    bool tracking_ = false;
    bool resettingFont_ = false;
    QImage dragPicture_;
};

} // namespace velmora
