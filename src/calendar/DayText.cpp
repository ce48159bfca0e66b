#include "calendar/DayText.h"

#include "calendar/CalendarPage.h"

#include <QTextCharFormat>
#include <QTextDocument>

#include <unordered_map>

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
    fixedFormat_ = true;
}

TDayTextAppender::TDayTextAppender(TCalendarPage &page, CellFormat format)
    : page_(page), format_(std::move(format))
{
}

TDayTextAppender::~TDayTextAppender() = default;

namespace {
// The stored text of an empty cell given texts in the default cell font, by the texts: a
// year of pages writes the same few combinations (a weekly entry alone, with the rent...)
// again and again.
std::unordered_map<QString, std::string> &writtenTexts()
{
    static std::unordered_map<QString, std::string> written;
    return written;
}
constexpr size_t kKeptWrittenTexts = 1024;
} // namespace

void TDayTextAppender::append(int day, const QString &text)
{
    const int cell = page_.CellOfDay(day);
    if (cell < 1)
        return;
    Cell &c = cells_[cell];
    if (!c.doc && !c.fromEmpty) {
        if (fixedFormat_ && page_.CellStore(cell).rtfBytes().empty()) {
            c.fromEmpty = true;
        } else {
            c.doc = std::make_unique<QTextDocument>();
            page_.CellStore(cell).loadIntoDocument(*c.doc);
            c.format = format_(*c.doc);
        }
    }
    if (c.fromEmpty) {
        c.texts.push_back(text);
        return;
    }
    appendParagraph(*c.doc, text, c.format);
}

int TDayTextAppender::write()
{
    const int written = int(cells_.size());
    for (auto &[cell, c] : cells_) {
        TWPRtfStorage &store = page_.CellStore(cell);
        if (!c.fromEmpty) {
            store.saveFromDocument(*c.doc);
            continue;
        }
        QString key; // each text after its length: no two lists of texts give the same key
        for (const QString &text : c.texts)
            key += QString::number(text.size()) + QLatin1Char(':') + text;
        auto &known = writtenTexts();
        if (const auto it = known.find(key); it != known.end()) {
            store.setRtfBytes(it->second);
            continue;
        }
        QTextDocument doc;
        store.loadIntoDocument(doc);
        const QTextCharFormat format = format_(doc);
        for (const QString &text : c.texts)
            appendParagraph(doc, text, format);
        store.saveFromDocument(doc);
        if (known.size() >= kKeptWrittenTexts)
            known.clear();
        known.emplace(std::move(key), store.rtfBytes());
    }
    cells_.clear();
    return written;
}

} // namespace velmora
