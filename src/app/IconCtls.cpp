#include "app/IconCtls.h"

#include "imaging/IconImage.h"

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace velmora {

namespace {

// Draws an item as its icon centred in the cell, on the list's background; the item text
// (the index) is never shown.
class TIconDelegate final : public QStyledItemDelegate
{
public:
    explicit TIconDelegate(TIconListBase *list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return {list_->cellSize(), list_->cellSize()};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->fillRect(option.rect, list_->palette().brush(QPalette::Base));
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, list_->palette().brush(QPalette::Highlight));
        // A picture that cannot be read leaves the cell empty rather than stopping the
        // painting of the others.
        try {
            const QImage icon = list_->iconImage(index.row());
            if (icon.isNull()) return;
            const QPoint at(option.rect.left() + (option.rect.width() - icon.width()) / 2,
                            option.rect.top() + (option.rect.height() - icon.height()) / 2);
            painter->drawImage(at, icon);
        } catch (...) {
        }
    }

private:
    TIconListBase *list_;
};

// The hourglass while a whole library is extracted at once.
class TWaitCursor
{
public:
    explicit TWaitCursor(bool on) : on_(on)
    {
        if (on_) QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TWaitCursor()
    {
        if (on_) QApplication::restoreOverrideCursor();
    }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;

private:
    bool on_;
};

} // namespace

TIconListBase::TIconListBase(int padding, QWidget *parent) : QListWidget(parent), padding_(padding)
{
    setItemDelegate(new TIconDelegate(this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom); // items flow down the columns ...
    setWrapping(true);               // ... and the list scrolls sideways
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setGridSize(QSize(cellSize(), cellSize()));
    setSpacing(0);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    QFont f = font();
    f.setPixelSize(cellSize());
    setFont(f);
    updateEnabled();
}

void TIconListBase::setFileName(const QString &name)
{
    if (name == fileName_) return;
    fileName_ = name;
    load();
    emit fileChanged();
    if (OnFileChange) OnFileChange();
}

void TIconListBase::setAutoDisable(bool on)
{
    autoDisable_ = on;
    updateEnabled();
}

void TIconListBase::updateEnabled()
{
    setEnabled(!autoDisable_ || (!fileName_.isEmpty() && QFileInfo(fileName_).isFile()));
}

void TIconListBase::load()
{
    clear();
    icons_.clear();
    library_ = {};
    numberOfIcons_ = -1;
    updateEnabled();
    if (fileName_.isEmpty() || !QFileInfo(fileName_).isFile()) return;

    const TWaitCursor wait(!enableCaching_);
    library_ = TIconLibrary::fromFile(fileName_.toStdString());
    numberOfIcons_ = library_.count();
    icons_.resize(size_t(numberOfIcons_));
    for (int i = 0; i < numberOfIcons_; ++i) {
        addItem(QString::number(i));
        if (!enableCaching_) icons_[size_t(i)] = ExtractIconImage(library_, i, kIconSize);
    }
    if (numberOfIcons_ > 0) setCurrentRow(0);
}

QImage TIconListBase::iconImage(int index)
{
    if (index < 0 || size_t(index) >= icons_.size()) return {};
    std::optional<QImage> &slot = icons_[size_t(index)];
    if (!slot) slot = ExtractIconImage(library_, index, kIconSize);
    return *slot;
}

bool TIconListBase::isIconExtracted(int index) const
{
    return index >= 0 && size_t(index) < icons_.size() && icons_[size_t(index)].has_value();
}

QMimeData *TIconListBase::iconMimeData(int index)
{
    const QImage icon = iconImage(index);
    if (icon.isNull()) return nullptr;
    auto *data = new QMimeData;
    data->setImageData(icon);
    data->setData(QLatin1String(kIconMimeType),
                  (QString::number(index) + QLatin1Char('\n') + fileName_).toUtf8());
    return data;
}

QStringList TIconListBase::mimeTypes() const
{
    return {QLatin1String(kIconMimeType), QStringLiteral("application/x-qt-image")};
}

QMimeData *TIconListBase::mimeData(const QList<QListWidgetItem *> &items) const
{
    if (items.isEmpty()) return nullptr;
    // Extraction fills the cache, which is not part of what the list shows.
    return const_cast<TIconListBase *>(this)->iconMimeData(row(items.front()));
}

void TIconListBase::startDrag(Qt::DropActions)
{
    // The icon dragged is the one pressed on, which the press made current.
    const int index = currentRow();
    QMimeData *data = iconMimeData(index);
    if (data == nullptr) return;
    const QImage icon = iconImage(index);
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(QPixmap::fromImage(icon));
    drag->setHotSpot(QPoint(icon.width() / 2, icon.height() / 2));
    drag->exec(Qt::CopyAction);
}

// ---- TIconListBox ----

TIconListBox::TIconListBox(QWidget *parent) : TIconListBase(6, parent)
{
    fitToIcons();
}

void TIconListBox::setXIcons(int columns)
{
    if (columns < 1) return;
    xIcons_ = columns;
    fitToIcons();
}

void TIconListBox::setYIcons(int rows)
{
    if (rows < 1) return;
    yIcons_ = rows;
    fitToIcons();
}

void TIconListBox::fitToIcons()
{
    const int newWidth = xIcons_ * cellSize() + 2;
    // A list narrower than its columns shows a scroll bar below the rows.
    const int newHeight =
        width() < newWidth
            ? yIcons_ * cellSize() + horizontalScrollBar()->sizeHint().height() + 1
            : yIcons_ * cellSize() + 3;
    resize(newWidth, newHeight);
}

// ---- TGIconListBox ----

TGIconListBox::TGIconListBox(QWidget *parent) : TIconListBase(2, parent) {}

void TGIconListBox::setOrientation(TOrientation orientation)
{
    if (orientation == orientation_) return;
    orientation_ = orientation;
    viewport()->update();
}

} // namespace velmora
