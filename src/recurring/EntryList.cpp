#include "recurring/EntryList.h"

#include "common/Cp1252.h"

#include <QListWidget>
#include <QLocale>
#include <QPainter>

#include <array>

namespace velmora {

namespace {

constexpr int kLineRole = Qt::UserRole;

// The check mark, top row first; 'X' is a mark pixel.
constexpr std::array<std::string_view, kCheckMarkSize> kCheckMarkRows = {
    "................", ".............XX.", "............X...", "...........X....",
    ".........XX.....", "........XX......", ".......XXX......", ".X.....XX.......",
    "..XX..XXX.......", "..XXXXXX........", "...XXXXX........", "....XXX.........",
    "....XXX.........", ".....X..........", "................", "................"};

std::string cp1252(const QString &text)
{
    return Utf8ToCp1252(text.toStdString());
}

} // namespace

LocaleDateNames LocaleDateNamesFor(const QLocale &locale)
{
    LocaleDateNames names;
    // The nominative month form: in "of December" the name stands as a label, and locales
    // with a genitive form would otherwise show it bare in "(Last Mon of ...)" too.
    for (int m = 1; m <= 12; ++m)
        names.months[static_cast<std::size_t>(m - 1)] =
            cp1252(locale.standaloneMonthName(m, QLocale::LongFormat));
    // Qt counts Monday as 1 and Sunday as 7; the store counts from Sunday.
    names.shortDays[0] = cp1252(locale.dayName(7, QLocale::ShortFormat));
    for (int d = 1; d <= 6; ++d)
        names.shortDays[static_cast<std::size_t>(d)] =
            cp1252(locale.dayName(d, QLocale::ShortFormat));
    return names;
}

const LocaleDateNames &SystemDateNames()
{
    static const LocaleDateNames names = LocaleDateNamesFor(QLocale::system());
    return names;
}

QString fromStoreText(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string toStoreText(const QString &text)
{
    return cp1252(text);
}

QString EntryListText(std::string_view entry)
{
    return fromStoreText(EntryDisplayText(entry, SystemDateNames()));
}

QImage CheckMarkImage(const QColor &colour)
{
    QImage image(kCheckMarkSize, kCheckMarkSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kCheckMarkSize; ++y)
        for (int x = 0; x < kCheckMarkSize; ++x)
            if (kCheckMarkRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == 'X')
                image.setPixelColor(x, y, colour);
    return image;
}

void DrawCheckListRow(QPainter &painter, const QRect &rect, const QString &text, bool selected,
                      bool focused, const QColor &windowColour)
{
    const QColor ink = focused ? QColor(Qt::white) : QColor(Qt::black);
    painter.fillRect(rect, focused ? QColor(Qt::black) : windowColour);
    if (selected) {
        static const QImage black = CheckMarkImage(Qt::black);
        static const QImage white = CheckMarkImage(Qt::white);
        painter.drawImage(rect.topLeft(), focused ? white : black);
    }
    painter.setPen(ink);
    painter.drawText(rect.adjusted(kCheckTextIndent, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void DrawEntryRow(QPainter &painter, const QRect &rect, const QString &text, bool selected,
                  const QPalette &palette)
{
    painter.fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(selected ? palette.color(QPalette::HighlightedText) : QColor(Qt::black));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

TEntryRowDelegate::TEntryRowDelegate(Style style, QObject *parent)
    : QStyledItemDelegate(parent), style_(style)
{
}

void TEntryRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setFont(option.font);
    if (style_ == Style::Check)
        DrawCheckListRow(*painter, option.rect, text, selected,
                         option.state.testFlag(QStyle::State_HasFocus),
                         option.palette.color(QPalette::Base));
    else
        DrawEntryRow(*painter, option.rect, text, selected, option.palette);
    painter->restore();
}

QSize TEntryRowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    // Rows span the list's width: the list never scrolls sideways within a row, and a
    // wrapping check list thereby gets columns exactly as wide as itself.
    const auto *view = qobject_cast<const QAbstractItemView *>(parent());
    return {view != nullptr ? view->viewport()->width() : 100, kEntryRowHeight};
}

void SetupEntryList(QListWidget *list, TEntryRowDelegate::Style style)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    list->setFont(font);
    list->setItemDelegate(new TEntryRowDelegate(style, list));
    list->setUniformItemSizes(true);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QListWidgetItem *makeEntryItem(const std::string &line)
{
    auto *item = new QListWidgetItem(EntryListText(line));
    item->setData(kLineRole, QByteArray::fromStdString(line));
    return item;
}

std::string entryLine(const QListWidgetItem *item)
{
    return item->data(kLineRole).toByteArray().toStdString();
}

std::vector<std::string> entryLines(const QListWidget *list)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row)
        lines.push_back(entryLine(list->item(row)));
    return lines;
}

std::vector<std::string> selectedEntryLines(const QListWidget *list)
{
    std::vector<std::string> lines;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) lines.push_back(entryLine(list->item(row)));
    return lines;
}

} // namespace velmora
