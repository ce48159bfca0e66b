// The one renderer of the calendar page: screen pictures, bitmaps, printers and PDF all go
// through Render with a target that says how the surface differs.
#include "calendar/CalendarPage.h"

#include "calendar/CalendarPainter.h"
#include "common/ReportCanvas.h"
#include "common/Font.h"

#include <QPainter>

#include <cmath>

namespace velmora {

namespace {
TDrawFont drawFont(const TFontDesc &f, double scale)
{
    return {f.name, RoundEven(f.size() * scale), f.style, f.color};
}
} // namespace

TRect TRenderTarget::map(const TRect &r) const
{
    if (!paper)
        return {RoundEven(r.left * zoom), RoundEven(r.top * zoom), RoundEven(r.right * zoom),
                RoundEven(r.bottom * zoom)};
    // Page pixels at factor 1 to surface pixels, through inches and the offsets.
    const double ppi = kPagePpi;
    const auto px = [this](double inches) { return static_cast<int>(std::nearbyint(inches * dpi)); };
    return {px(r.left / ppi + xOffsetInch), px(r.top / ppi + yOffsetInch),
            px(r.right / ppi + xOffsetInch), px(r.bottom / ppi + yOffsetInch)};
}

namespace {
// What the main calendar and the minis draw alike from their style.
TCalDrawParams styleParams(const TCalendarStyle &style, const TCalendarSettings &s, double scale,
                           const TRect &area)
{
    TCalDrawParams p;
    p.titleBackground = style.Background;
    p.area = area;
    p.startOfWeek = s.StartOfWeek;
    p.calendarBorder = style.Border;
    p.titleFont = drawFont(style.TitleFont, scale);
    p.showYear = style.ShowYear;
    p.headersFont = drawFont(style.HeadersFont, scale);
    p.headersBorder = style.HeadersBorder;
    p.headersStyle = style.HeadersStyle;
    p.headersBackground = style.HeadersBackground;
    p.cellFont = drawFont(style.CellFont, scale);
    p.cellBorder = style.CellBorder;
    p.names = s.Names;
    return p;
}
} // namespace

TCalDrawParams TCalendarPage::mainParams(double scale, int dpi, const TRect &area) const
{
    TCalDrawParams p = styleParams(s_.Main, s_, scale, area);
    p.pageColor = clWhite;
    p.minTitleHeight = RoundEven(dpi * 1.5 * scale);
    p.month = s_.MainCalMonth;
    p.year = s_.MainCalYear;
    p.day = s_.MainCalDay;
    p.numberPosition = s_.NumberPosition;
    p.plannerDays = s_.CalendarLayout == lo2Week ? 14 : 7;
    p.plannerHours = s_.CalendarLayout == loDay15 ? 15 : 10;
    p.plannerFirstHour = s_.PlannerFirstHour;
    return p;
}

TCalDrawParams TCalendarPage::miniParams(const TMiniRect &mini, double scale,
                                         const TRect &area) const
{
    // A mini is all background, title included, and always numbers its days centred.
    TCalDrawParams p = styleParams(s_.Mini, s_, scale, area);
    p.pageColor = s_.Mini.Background;
    p.minTitleHeight = 0;
    p.month = mini.monthYear.month;
    p.year = mini.monthYear.year;
    p.numberPosition = cnpCenter;
    return p;
}

std::vector<TPlannerRow> TCalendarPage::plannerRows() const
{
    const int layout = s_.CalendarLayout;
    if (layout == loWeek || layout == lo2Week)
        return WeekPlannerRows(s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay,
                               layout == lo2Week ? 14 : 7, s_.Names,
                               static_cast<TCalHeadersStyle>(s_.Main.HeadersStyle));
    return DayPlannerRows(s_.PlannerFirstHour, layout == loDay15 ? 15 : 10);
}

std::string TCalendarPage::plannerTitle() const
{
    if (!s_.UserTitle.empty())
        return s_.UserTitle;
    const int layout = s_.CalendarLayout;
    if (layout == loWeek || layout == lo2Week)
        return WeekPlannerTitle(s_.Names, s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay,
                                layout == lo2Week ? 14 : 7);
    return DayPlannerTitle(s_.Names, s_.MainCalYear, s_.MainCalMonth, s_.MainCalDay);
}

void TCalendarPage::drawMain(TCanvas &canvas, TCalDrawParams &params) const
{
    if (layout_.planner)
        DrawPlanner(canvas, params, plannerRows(), plannerTitle());
    else if (layout_.monthGrid)
        DrawMonth(canvas, params, s_.UserTitle);
}

void TCalendarPage::ComputeCellDays()
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

void TCalendarPage::drawCalendar(TCanvas &canvas, const TRenderTarget &target, TDayCellTable &cells,
                                 TRect &titleRect, TRect &dayNamesRect) const
{
    if (target.paper) {
        canvas.setPen(clBlack);
        canvas.setBrushSolid(clWhite);
    }
    const double scale = target.fontScale();
    if (layout_.planner || layout_.monthGrid) {
        TCalDrawParams params = mainParams(scale, target.dpi, target.map(layout_.main));
        params.paper = target.paper;
        drawMain(canvas, params);
        cells = params.cells;
        titleRect = params.titleRect;
        dayNamesRect = params.dayNamesRect;
    }
    if (layout_.hasMinis)
        for (const TMiniRect &mini : layout_.minis) {
            TCalDrawParams params = miniParams(mini, scale, target.map(mini.rect));
            params.paper = target.paper;
            if (target.paper) {
                // Paper is white, but a mini calendar may sit on a coloured title band.
                canvas.setBrushSolid(s_.Mini.Background);
                canvas.fillRect(params.area);
            }
            DrawMonth(canvas, params, std::string());
        }
}

void TCalendarPage::drawCellTexts(QPainter &painter, const TRenderTarget &target,
                                  const TDayCellTable &cells)
{
    if (!target.paper)
        overflowMarks_.clear();
    if (cellRenderer_ == nullptr || !(layout_.planner || layout_.monthGrid))
        return;
    const int zoomPercent = RoundEven(target.zoom * 100.0);
    for (int i = 1; i <= kCellCount; ++i) {
        const TRect f = cells.cell(i).rFree;
        const int w = f.right - f.left + 1, h = f.bottom - f.top + 1;
        if (target.paper) {
            if (f.isAllZero() || f.right <= f.left || f.bottom <= f.top || !cellRenderer_->hasText(i))
                continue;
            // On paper the text stays vectors.
            cellRenderer_->printCell(i, painter, QRect(f.left, f.top, w, h), target.dpi);
            continue;
        }
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

void TCalendarPage::Render(QPainter &painter, const TRenderTarget &target)
{
    if (target.paper) {
        TReportCanvas report(painter, target.dpi);
        Render(report, target);
        return;
    }
    if (rendering_)
        return;
    rendering_ = true;
    cells_.clear();
    titleRect_ = dayNamesRect_ = {};
    {
        TCanvas canvas(painter, target.dpi);
        drawCalendar(canvas, target, cells_, titleRect_, dayNamesRect_);
    }
    drawCellTexts(painter, target, cells_);
    if (target.objects)
        RenderObjects(painter, target, {0, 0, RoundEven(layout_.width * target.zoom),
                                        RoundEven(layout_.height * target.zoom)});
    rendering_ = false;
}

void TCalendarPage::Render(TReportCanvas &report, const TRenderTarget &target)
{
    if (rendering_)
        return;
    rendering_ = true;
    // Paper keeps its own cell table: the screen's hit rectangles stay as they are.
    TDayCellTable printedCells;
    TRect titleRect, dayNamesRect;
    drawCalendar(report.canvas(), target, printedCells, titleRect, dayNamesRect);
    drawCellTexts(report.painter(), target, printedCells);
    if (target.objects)
        objects_->PrintObjects(report, target.xOffsetInch, target.yOffsetInch);
    rendering_ = false;
}

void TCalendarPage::RenderObjects(QPainter &painter, const TRenderTarget &target, const TRect &dirty)
{
    if (target.paper) {
        TReportCanvas report(painter, target.dpi);
        objects_->PrintObjects(report, target.xOffsetInch, target.yOffsetInch);
        return;
    }
    TCanvas canvas(painter, TFontDesc::kFontPpi);
    objects_->PaintObjects(canvas, dirty);
}

QImage TCalendarPage::RenderToImage(double zoom)
{
    QImage image(std::max(1, RoundEven(layout_.width * zoom)),
                 std::max(1, RoundEven(layout_.height * zoom)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(painter, TRenderTarget::Screen(zoom));
    return image;
}

} // namespace velmora
