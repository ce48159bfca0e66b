#include "calendar/DayText.h"

#include "calendar/CalendarPage.h"

#include <QTextCharFormat>
#include <QTextDocument>

namespace velmora {

namespace {
QTextCharFormat dayTextFormat()
{
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Arial")});
    format.setFontPointSize(10);
    return format;
}
} // namespace

void AppendTextToDay(TCalendarPage &page, int day, const QString &text)
{
    const int cell = page.CellOfDay(day);
    if (cell < 1)
        return;
    QTextDocument doc;
    page.CellStore(cell).loadIntoDocument(doc);
    appendParagraph(doc, text, dayTextFormat());
    page.CellStore(cell).saveFromDocument(doc);
}

TDayTextAppender::TDayTextAppender(TCalendarPage &page)
    : TDayTextAppender(page, [](QTextDocument &) { return dayTextFormat(); })
{
}

TDayTextAppender::TDayTextAppender(TCalendarPage &page, CellFormat format)
    : page_(page), format_(std::move(format))
{
}

TDayTextAppender::~TDayTextAppender() = default;

void TDayTextAppender::append(int day, const QString &text)
{
    const int cell = page_.CellOfDay(day);
    if (cell < 1)
        return;
    Cell &c = cells_[cell];
    if (!c.doc) {
        c.doc = std::make_unique<QTextDocument>();
        page_.CellStore(cell).loadIntoDocument(*c.doc);
        c.format = format_(*c.doc);
    }
    appendParagraph(*c.doc, text, c.format);
}

int TDayTextAppender::write()
{
    const int written = int(cells_.size());
    for (const auto &[cell, c] : cells_)
        page_.CellStore(cell).saveFromDocument(*c.doc);
    cells_.clear();
    return written;
}

} // namespace velmora
