#include "app/CellEditing.h"

#include "app/IconCtls.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"

#include <QDropEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QUrl>

#include <cmath>
#include <utility>

namespace velmora {

TCellEditing::TCellEditing(TCalendarPanel32 &page, TWPRichText &editor, TWPToolBar &toolbar,
                           QObject *parent)
    : QObject(parent), page_(page), editor_(editor), toolbar_(toolbar)
{
    connect(&editor_, &QTextEdit::textChanged, this, [this] {
        if (tracking_ && editing_)
            changed();
        // An emptied cell starts again from the default editor font, not the toolkit's.
        if (editing_ && !resettingFont_ && editor_.IsEmptyText()) {
            resettingFont_ = true;
            SetDefaultFontNow();
            resettingFont_ = false;
        }
    });
    connect(&editor_, &TWPRichText::focusEntered, this, &TCellEditing::editorEntered);
    page_.setAcceptDrops(true);
    page_.installEventFilter(this);
}

void TCellEditing::changed()
{
    dirty_ = true;
    if (Changed)
        Changed();
}

void TCellEditing::Commit()
{
    if (!editing_ || store_ == nullptr)
        return;
    editor_.SaveToStore(*store_);
    editor_.hide();
    editing_ = false;
    if (std::exchange(dirty_, false) && TextStored)
        TextStored();
    toolbar_.setEnabled(false);
    page_.Repaint();
}

void TCellEditing::Sync()
{
    if (!editing_ || store_ == nullptr || !dirty_)
        return;
    editor_.SaveToStore(*store_);
    dirty_ = false;
    if (TextStored)
        TextStored();
}

void TCellEditing::OpenCell(const TRect &rFree, int cell)
{
    currentCell_ = cell;
    tracking_ = false;
    Commit();
    store_ = &page_.CellStore(cell);
    editing_ = true;
    const int w = rFree.right - rFree.left + 1, h = rFree.bottom - rFree.top + 1;
    editor_.SetPageSizeTwips(int(std::trunc(w / 96.0 * 1440)), int(std::trunc(h / 96.0 * 1440)));
    editor_.SetZoomPercent(int(std::lround(double(page_.Zoom()) * 100.0)));
    editor_.LoadFromStore(*store_);
    // Undo in the editor takes back typing in this cell, never the loading of its text.
    editor_.document()->clearUndoRedoStacks();
    dirty_ = false;
    editor_.setGeometry(rFree.left + page_.x() + 1, rFree.top + page_.y() + 1, w, h);
    editor_.show();
    editor_.raise();
    editor_.FocusAtStart();
    editorEntered(); // also when the window is not active and no focus event arrives
    tracking_ = true;
}

void TCellEditing::PutTextOnDay(int day, const QString &text)
{
    const int returnTo = currentCell_;
    Commit();
    const int k = page_.CellOfDay(day);
    if (k == -1)
        return;
    page_.ActivateCell(k);
    const QTextCharFormat format = editor_.CurrentFormat();
    editor_.moveCursor(QTextCursor::End);
    // A trailing empty paragraph (left by the previous call) takes the text itself, so
    // repeated calls stack their texts line by line.
    if (!editor_.textCursor().block().text().isEmpty())
        editor_.NewParagraph();
    editor_.InsertTextWithFormat(text, format);
    editor_.NewParagraph();
    changed();
    if (returnTo > 0)
        page_.ActivateCell(returnTo);
}

void TCellEditing::PutTextsOnDays(const std::function<void(const std::function<void(int, const QString &)> &)> &fill)
{
    const bool wasEditing = editing_;
    const int returnTo = currentCell_;
    Commit();
    // The format the editor would type in at the start of the cell: the default font in an
    // empty cell, else that of the cell's first character.
    TDayTextAppender cells(page_, [this](QTextDocument &cell) {
        if (DefaultFont && cell.blockCount() == 1 && cell.firstBlock().length() <= 1)
            return CharFormatOf(DefaultFont());
        return QTextCursor(&cell).charFormat();
    });
    fill([&cells](int day, const QString &text) { cells.append(day, text); });
    if (cells.write() > 0)
        changed();
    if (wasEditing && returnTo > 0)
        page_.ActivateCell(returnTo); // reloads the cell, whose text may have grown
}

QImage TCellEditing::DroppedPicture(const QMimeData *data)
{
    if (data == nullptr)
        return {};
    if (data->hasImage())
        return qvariant_cast<QImage>(data->imageData());
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QImageReader reader(url.toLocalFile());
        if (reader.canRead())
            return reader.read();
    }
    return {};
}

bool TCellEditing::DropPictureOnCell(const QImage &picture, int x, int y, const QString &stepName)
{
    if (picture.isNull() || !page_.IsPointInCell(x, y))
        return false;
    const TGBasePanel::TChangeStep step(page_, stepName);
    Commit();
    page_.ClickCellAtPoint(x, y);
    editor_.InsertPicture(picture);
    currentCell_ = page_.CellAtPoint(x, y);
    changed();
    return true;
}

void TCellEditing::editorEntered()
{
    toolbar_.setEnabled(true);
    toolbar_.Attach(&editor_);
    if (editor_.IsEmptyText())
        SetDefaultFontNow();
}

void TCellEditing::SetDefaultFontNow()
{
    if (DefaultFont)
        editor_.SetCurrentAttributes(DefaultFont());
}

bool TCellEditing::HandleEditorKey(QObject *target, QKeyEvent *key)
{
    const bool inEditor = !editor_.isHidden() &&
                          (target == &editor_ || target == editor_.viewport() || editor_.hasFocus());
    if (!inEditor)
        return false;
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        if (key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) != 0)
            page_.ActivatePrevCell(currentCell_);
        else
            page_.ActivateNextCell(currentCell_);
        return true;
    }
    if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier) != 0) {
        editor_.selectAll();
        return true;
    }
    return false;
}

bool TCellEditing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &page_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
        dragPicture_ = DroppedPicture(static_cast<QDragEnterEvent *>(event)->mimeData());
        [[fallthrough]];
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        const QPoint pt = drag->position().toPoint();
        if (!dragPicture_.isNull() && page_.IsPointInCell(pt.x(), pt.y()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::DragLeave:
        dragPicture_ = QImage();
        return false;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QPoint pt = drop->position().toPoint();
        // A drop without an enter first (synthesised) still decodes its data.
        const QImage picture = dragPicture_.isNull() ? DroppedPicture(drop->mimeData()) : dragPicture_;
        dragPicture_ = QImage();
        const bool icon = drop->mimeData() != nullptr &&
                          drop->mimeData()->hasFormat(QLatin1String(kIconMimeType));
        if (DropPictureOnCell(picture, pt.x(), pt.y(),
                              icon ? QStringLiteral("Drop Icon") : QStringLiteral("Drop Picture")))
            drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

} // namespace velmora
