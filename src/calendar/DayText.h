#pragma once
// Adding text to a day without the cell editor (the command-line exporter's fill).
#include <QString>

namespace velmora {

class TCalendarPage;

// Appends the text as a paragraph of its own to the cell showing the day, in the default
// cell font. Days no cell shows are ignored; the page must have been drawn once.
void AppendTextToDay(TCalendarPage &page, int day, const QString &text);

} // namespace velmora
