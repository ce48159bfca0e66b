#pragma once
// Draws the rich text of the page's day cells: into bitmaps at the page zoom, and as
// vectors onto paper.
#include "calendar/CellText.h"

#include <QImage>

#include <array>
#include <memory>
#include <string>

class QTextDocument;

namespace velmora {

class TCalendarPage;

class TStoreCellRenderer final : public TCellTextRenderer
{
public:
    explicit TStoreCellRenderer(const TCalendarPage &page);
    ~TStoreCellRenderer() override;
    TStoreCellRenderer(const TStoreCellRenderer &) = delete;
    TStoreCellRenderer &operator=(const TStoreCellRenderer &) = delete;

    bool hasText(int cell) const override;
    void paintCell(int cell, QImage &image, int zoomPercent) override;
    void printCell(int cell, QPainter &painter, const QRect &target, int printerDpi) override;
    bool overflows(int cell, const QSize &size, int zoomPercent) override;

private:
    struct Entry
    {
        std::string rtf;
        std::unique_ptr<QTextDocument> doc;
        bool empty = true;
        bool laidOut = false;
    };
    // The cell's text as parsed from its current bytes; read once per change of the bytes,
    // for the emptiness test and the drawing alike.
    Entry &parsed(int cell) const;
    // The cell's text laid out for a width in page pixels at factor 1.
    QTextDocument &document(int cell, double width);

    const TCalendarPage &page_;
    mutable std::array<Entry, 42> cache_;
    QImage layoutDevice_; // 96 pixels per inch, whatever the screen
};

} // namespace velmora
