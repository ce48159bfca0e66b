#pragma once
// Lists of recurring date entries as the dialogs show them: the locale's date names, the
// row painting of the plain entry list and of the check list, and the list items, which
// keep each store line's bytes untouched so that nothing is lost to a code page round trip.

#include "recurring/RecurFormula.h"

#include <QImage>
#include <QStyledItemDelegate>

#include <string>
#include <string_view>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QLocale;
class QPainter;

namespace velmora {

// Month and abbreviated day names of a locale, in Windows-1252 as the store texts are.
LocaleDateNames LocaleDateNamesFor(const QLocale &locale);
// The names of QLocale::system(), taken once.
const LocaleDateNames &SystemDateNames();

// EntryDisplayText with the system names, as a QString.
QString EntryListText(std::string_view entry);

// Store bytes to display text and back.
QString fromStoreText(std::string_view cp1252);
std::string toStoreText(const QString &text);

inline constexpr int kEntryRowHeight = 16;
inline constexpr int kCheckMarkSize = 16;
inline constexpr int kCheckTextIndent = kCheckMarkSize + 5;

// The 16 x 16 check mark: the mark's pixels opaque in colour, every other pixel transparent.
QImage CheckMarkImage(const QColor &colour);

// One row of a check list: the focused row inverted (black with white text), others on the
// window colour; a selected row carries the check mark at its left and top.
void DrawCheckListRow(QPainter &painter, const QRect &rect, const QString &text, bool selected,
                      bool focused, const QColor &windowColour);
// One row of the store's list: the usual selection colours, the text at left and top.
void DrawEntryRow(QPainter &painter, const QRect &rect, const QString &text, bool selected,
                  const QPalette &palette);

// Paints rows of a list whose items carry store lines.
class TEntryRowDelegate final : public QStyledItemDelegate
{
public:
    enum class Style { Plain, Check };
    TEntryRowDelegate(Style style, QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    Style style_;
};

// Rows 16 pixels high in 12-pixel Arial, painted by a TEntryRowDelegate of the style.
void SetupEntryList(QListWidget *list, TEntryRowDelegate::Style style);

QListWidgetItem *makeEntryItem(const std::string &line);
std::string entryLine(const QListWidgetItem *item);
std::vector<std::string> entryLines(const QListWidget *list);
// Lines of the selected rows, top to bottom.
std::vector<std::string> selectedEntryLines(const QListWidget *list);

} // namespace velmora
