// Drawing of the calendar page onto the screen, into bitmaps and onto paper.
#include "calendar/CalendarPainter.h"
#include "calendar/Calpanel32.h"
#include "common/ReportCanvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace velmora {

namespace {
TDrawFont drawFont(const TFontDesc &f, double scale)
{
    return {f.name, RoundEven(f.size() * scale), f.style, f.color};
}

TRect scaled(const TRect &r, double scale)
{
    return {RoundEven(r.left * scale), RoundEven(r.top * scale), RoundEven(r.right * scale),
            RoundEven(r.bottom * scale)};
}

// Page pixels at factor 1 to printer pixels, through inches and the offsets.
TRect toPrinter(const TReportCanvas &report, const TRect &r, double xOff, double yOff)
{
    const double ppi = kPagePpi;
    return report.inchRect(r.left / ppi + xOff, r.top / ppi + yOff, r.right / ppi + xOff,
                           r.bottom / ppi + yOff);
}
} // namespace

TCalDrawParams TCalendarPanel32::mainParams(double scale, int dpi, const TRect &area) const
{
    TCalDrawParams p;
    p.pageColor = clWhite;
    p.titleBackground = s_.TitleBGColor;
    p.minTitleHeight = RoundEven(dpi * 1.5 * scale);
    p.month = s_.MainCalMonth;
    p.year = s_.MainCalYear;
    p.day = s_.MainCalDay;
    p.area = area;
    p.numberPosition = s_.NumberPosition;
    p.startOfWeek = s_.StartOfWeek;
    p.calendarBorder = s_.CalendarBorder;
    p.titleFont = drawFont(s_.TitleFont, scale);
    p.showYear = s_.TitleShowYear;
    p.headersFont = drawFont(s_.HeadersFont, scale);
    p.headersBorder = s_.HeadersBorder;
    p.headersStyle = s_.HeadersStyle;
    p.headersBackground = s_.HeadersBGColor;
    p.cellFont = drawFont(s_.CellFont, scale);
    p.cellBorder = s_.CellBorder;
    p.names = s_.Names;
    p.plannerDays = s_.CalendarLayout == lo2Week ? 14 : 7;
    p.plannerHours = s_.CalendarLayout == loDay15 ? 15 : 10;
    p.plannerFirstHour = s_.PlannerFirstHour;
    return p;
}

TCalDrawParams TCalendarPanel32::miniParams(const TMiniRect &mini, double scale, int,
                                            const TRect &area) const
{
    TCalDrawParams p;
    p.pageColor = s_.MiniCalBGColor;
    p.titleBackground = s_.MiniCalBGColor;
    p.minTitleHeight = 0;
    p.month = mini.monthYear.month;
    p.year = mini.monthYear.year;
    p.area = area;
    p.numberPosition = cnpCenter;
    p.startOfWeek = s_.StartOfWeek;
    p.calendarBorder = s_.MiniCalBorder;
    p.titleFont = drawFont(s_.MiniTitleFont, scale);
    p.showYear = s_.MiniShowYear;
    p.headersFont = drawFont(s_.MiniHeadersFont, scale);
    p.headersBorder = s_.MiniHeadersBorder;
    p.headersStyle = s_.MiniHeadersStyle;
    p.headersBackground = s_.MiniHeadersBGColor;
    p.cellFont = drawFont(s_.MiniCellFont, scale);
    p.cellBorder = s_.MiniCellBorder;
    p.names = s_.Names;
    return p;
}

std::vector<TPlannerRow> TCalendarPanel32::plannerRows() const
{
    const int layout = s_.CalendarLayout;
    if (layout == loWeek || layout == lo2Week)
        return WeekPlannerRows(s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay,
                               layout == lo2Week ? 14 : 7, s_.Names,
                               static_cast<TCalHeadersStyle>(s_.HeadersStyle));
    return DayPlannerRows(s_.PlannerFirstHour, layout == loDay15 ? 15 : 10);
}

std::string TCalendarPanel32::plannerTitle() const
{
    if (!s_.UserTitle.empty())
        return s_.UserTitle;
    const int layout = s_.CalendarLayout;
    if (layout == loWeek || layout == lo2Week)
        return WeekPlannerTitle(s_.Names, s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay,
                                layout == lo2Week ? 14 : 7);
    return DayPlannerTitle(s_.Names, s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay);
}

void TCalendarPanel32::drawMain(TCanvas &canvas, TCalDrawParams &params)
{
    if (layout_.planner)
        DrawPlanner(canvas, params, plannerRows(), plannerTitle());
    else if (layout_.monthGrid)
        DrawMonth(canvas, params, s_.UserTitle);
}

void TCalendarPanel32::ComputeCellDays()
{
    // The same numbering DrawMonth and DrawPlanner give the cells.
    std::array<int, kCellCount> days{};
    if (layout_.planner) {
        const std::vector<TPlannerRow> rows = plannerRows();
        for (size_t i = 0; i < rows.size() && i < days.size(); ++i)
            days.at(i) = rows.at(i).iDay;
    } else if (layout_.monthGrid) {
        for (int r = 0; r < 6; ++r)
            for (int col = 0; col < 7; ++col)
                days.at(size_t(r * 7 + col)) =
                    GridDay(s_.MainCalYear, s_.MainCalMonth, s_.StartOfWeek, r, col);
    }
    for (int i = 1; i <= kCellCount; ++i)
        cells_.cell(i).iDay = days.at(size_t(i - 1));
}

void TCalendarPanel32::DrawCalendarInto(QImage &image)
{
    if (painting_)
        return;
    painting_ = true;
    const double z = Zoom();
    image.fill(Qt::white);
    cells_.clear();
    titleRect_ = dayNamesRect_ = {};
    {
        QPainter painter(&image);
        TCanvas canvas(painter, kPagePpi);
        if (layout_.planner || layout_.monthGrid) {
            TCalDrawParams params = mainParams(z, kPagePpi, scaled(layout_.main, z));
            drawMain(canvas, params);
            cells_ = params.cells;
            titleRect_ = params.titleRect;
            dayNamesRect_ = params.dayNamesRect;
        }
        if (layout_.hasMinis)
            for (const TMiniRect &mini : layout_.minis) {
                TCalDrawParams params = miniParams(mini, z, kPagePpi, scaled(mini.rect, z));
                DrawMonth(canvas, params, std::string());
            }
    }
    drawCellTexts(image);
    painting_ = false;
}

void TCalendarPanel32::drawCellTexts(QImage &image)
{
    overflowMarks_.clear();
    if (cellRenderer_ == nullptr || !(layout_.planner || layout_.monthGrid))
        return;
    const int zoomPercent = RoundEven(double(Zoom()) * 100.0);
    QPainter painter(&image);
    for (int i = 1; i <= kCellCount; ++i) {
        const TRect f = cells_.cell(i).rFree;
        const int w = f.right - f.left + 1, h = f.bottom - f.top + 1;
        // Cells without a text area or with an empty store show nothing of their own.
        if (f.isAllZero() || w <= 0 || h <= 0 || !cellRenderer_->hasText(i))
            continue;
        QImage cell(w, h, QImage::Format_RGB32);
        cell.fill(Qt::white);
        cellRenderer_->paintCell(i, cell, zoomPercent);
        painter.drawImage(f.left, f.top, cell);
        if (cellRenderer_->overflows(i, cell.size(), zoomPercent))
            overflowMarks_.push_back(f);
    }
}

void TCalendarPanel32::paintOverflowMarks(QPainter &painter, const QRect &area) const
{
    // A small corner triangle says that a cell holds more text than it shows. It belongs
    // to the screen only: the cached picture, bitmaps and paper stay without it.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    const int size = std::max(5, RoundEven(10.0 * double(Zoom())));
    for (const TRect &f : overflowMarks_) {
        const QPoint corner(f.right, f.bottom);
        if (!area.intersects(QRect(corner - QPoint(size, size), corner)))
            continue;
        const QPoint triangle[3] = {corner, corner - QPoint(size, 0), corner - QPoint(0, size)};
        painter.drawPolygon(triangle, 3);
    }
    painter.restore();
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    DrawCalendarInto(image);
    Repaint();
    return image;
}

void TCalendarPanel32::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (paintingHold_ || painting_) {
        // Nothing new is drawn while held; the last picture stays.
        if (!cache_.isNull())
            painter.drawImage(0, 0, cache_);
        return;
    }
    if (!cacheValid_ || cache_.size() != size()) {
        cache_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
        DrawCalendarInto(cache_);
        cacheValid_ = true;
    }
    painter.drawImage(event->rect(), cache_, event->rect());
    paintOverflowMarks(painter, event->rect());
    PaintObjectLayer(painter, event->rect());
}

void TCalendarPanel32::PrintPage(TReportCanvas &report, double xOff, double yOff)
{
    TCanvas &canvas = report.canvas();
    canvas.setPen(clBlack);
    canvas.setBrushSolid(clWhite);
    const int dpi = report.dpi();
    TDayCellTable printedCells;
    if (layout_.planner || layout_.monthGrid) {
        TCalDrawParams params = mainParams(1.0, dpi, toPrinter(report, layout_.main, xOff, yOff));
        params.paper = true;
        drawMain(canvas, params);
        printedCells = params.cells;
    }
    if (layout_.hasMinis)
        for (const TMiniRect &mini : layout_.minis) {
            TCalDrawParams params =
                miniParams(mini, 1.0, dpi, toPrinter(report, mini.rect, xOff, yOff));
            params.paper = true;
            // Paper is white, but a mini calendar may sit on a coloured title band.
            canvas.setBrushSolid(s_.MiniCalBGColor);
            canvas.fillRect(params.area);
            DrawMonth(canvas, params, std::string());
        }
    if (cellRenderer_ != nullptr && (layout_.planner || layout_.monthGrid))
        printCellTexts(report, printedCells);
    PrintObjects(report, xOff, yOff);
}

void TCalendarPanel32::printCellTexts(TReportCanvas &report, const TDayCellTable &printedCells)
{
    const int dpi = report.dpi();
    for (int i = 1; i <= kCellCount; ++i) {
        const TRect f = printedCells.cell(i).rFree;
        if (f.isAllZero() || f.right <= f.left || f.bottom <= f.top || !cellRenderer_->hasText(i))
            continue;
        cellRenderer_->printCell(i, report.painter(),
                                 QRect(f.left, f.top, f.right - f.left + 1, f.bottom - f.top + 1),
                                 dpi);
    }
}

} // namespace velmora
