#include "calendar/DayText.h"

#include "calendar/CalendarPage.h"

#include <QTextCharFormat>
#include <QTextDocument>

namespace velmora {

void AppendTextToDay(TCalendarPage &page, int day, const QString &text)
{
    const int cell = page.CellOfDay(day);
    if (cell < 1)
        return;
    QTextDocument doc;
    page.CellStore(cell).loadIntoDocument(doc);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Arial")});
    format.setFontPointSize(10);
    appendParagraph(doc, text, format);
    page.CellStore(cell).saveFromDocument(doc);
}

} // namespace velmora
