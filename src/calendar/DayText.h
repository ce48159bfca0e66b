#pragma once
// Adding text to a day without the cell editor (the command-line exporter's fill).
#include <QString>
#include <QStringList>
#include <QTextCharFormat>

#include <functional>
#include <map>
#include <memory>

class QTextDocument;

namespace velmora {

class TCalendarPage;

// Appends the text as a paragraph of its own to the cell showing the day, in the default
// cell font. Days no cell shows are ignored; the page must have been drawn once.
void AppendTextToDay(TCalendarPage &page, int day, const QString &text);

// The same for many texts at once: each cell's stored text is read on its first append and
// written back once by write(), instead of a read and a write per text. Appends not
// written are dropped.
class TDayTextAppender
{
public:
    // The format a cell's appended texts take, chosen once per cell from its stored text
    // as it was before the first append.
    using CellFormat = std::function<QTextCharFormat(QTextDocument &cell)>;

    // Texts in the default cell font.
    explicit TDayTextAppender(TCalendarPage &page);
    TDayTextAppender(TCalendarPage &page, CellFormat format);
    ~TDayTextAppender();
    TDayTextAppender(const TDayTextAppender &) = delete;
    TDayTextAppender &operator=(const TDayTextAppender &) = delete;

    void append(int day, const QString &text);
    // The number of cells written.
    int write();

private:
    struct Cell
    {
        std::unique_ptr<QTextDocument> doc;
        QTextCharFormat format;
        // A cell empty before, in the default font: only the texts until write().
        bool fromEmpty = false;
        QStringList texts;
    };
    TCalendarPage &page_;
    CellFormat format_;
    bool fixedFormat_ = false;
    std::map<int, Cell> cells_;
};

} // namespace velmora
