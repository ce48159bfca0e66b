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

TDayTextAppender::TDayTextAppender(TCalendarPage &page) : page_(page) {}

TDayTextAppender::~TDayTextAppender() = default;

void TDayTextAppender::append(int day, const QString &text)
{
    const int cell = page_.CellOfDay(day);
    if (cell < 1)
        return;
    std::unique_ptr<QTextDocument> &doc = cells_[cell];
    if (!doc) {
        doc = std::make_unique<QTextDocument>();
        page_.CellStore(cell).loadIntoDocument(*doc);
    }
    appendParagraph(*doc, text, dayTextFormat());
}

void TDayTextAppender::write()
{
    for (const auto &[cell, doc] : cells_)
        page_.CellStore(cell).saveFromDocument(*doc);
    cells_.clear();
}

} // namespace velmora
