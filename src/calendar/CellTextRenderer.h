#pragma once
// Draws the rich text of the page's day cells: into bitmaps at the page zoom, and as
// vectors onto paper.
#include "calendar/CellText.h"

#include <QImage>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

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
    // One cell text as read from its bytes, and laid out for the widths it was drawn at.
    // Cells of the same bytes share it: a weekly entry fills the same text into every
    // such day of every month of a year.
    struct Parsed
    {
        bool empty = true;
        std::unique_ptr<QTextDocument> unlaid; // read, not laid out yet
        std::vector<std::pair<double, std::unique_ptr<QTextDocument>>> laid;
    };
    struct Entry
    {
        std::string rtf;
        std::shared_ptr<Parsed> parsed;
    };
    std::unique_ptr<QTextDocument> read(const std::string &rtf) const;
    // The cell's text as read from its current bytes, read once per distinct text.
    Parsed &parsed(int cell) const;
    // The cell's text laid out for a width in page pixels at factor 1.
    QTextDocument &document(int cell, double width);

    const TCalendarPage &page_;
    mutable std::array<Entry, 42> cache_;
    mutable std::unordered_map<std::string, std::shared_ptr<Parsed>> byText_;
    QImage layoutDevice_; // 96 pixels per inch, whatever the screen
};

} // namespace velmora
