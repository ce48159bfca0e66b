// The floating mini calendar: its grid arithmetic, shadow, borders, names, stored form,
// pixels, printing and the tool that places it.
#include "calendar/Calpanel32.h"
#include "calendar/gcalflat.h"
#include "common/Canvas.h"
#include "common/ComponentStream.h"
#include "common/ReportCanvas.h"
#include "objects/ObjectFiler.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

namespace velmora {
inline void PrintTo(const TRect &r, std::ostream *os)
{
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
} // namespace velmora

using namespace velmora;

namespace {

std::optional<TFlatCalLayout::Number> find(const TFlatCalLayout &l, int day)
{
    for (const auto &n : l.numbers)
        if (n.day == day) return n;
    return std::nullopt;
}

struct GridCase
{
    int month, year, start;
    int day, row, column;
};

class FlatGrid : public ::testing::TestWithParam<GridCase>
{};

TEST_P(FlatGrid, DayLandsInItsCell)
{
    const GridCase c = GetParam();
    const TFlatCalLayout l =
        FlatCalendarLayout({0, 0, 141, 121}, 10, 11, c.month, c.year, c.start, fcbAll);
    const auto n = find(l, c.day);
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(n->row, c.row);
    EXPECT_EQ(n->column, c.column);
    // Every number sits one pixel inside its cell, short of the next column.
    const int cw = l.columnWidth;
    EXPECT_EQ(n->rect, (TRect{c.column * cw + 1, l.gridTop + c.row * l.rowHeight + 1,
                              c.column * cw + cw - 1, l.gridTop + (c.row + 1) * l.rowHeight}));
}

INSTANTIATE_TEST_SUITE_P(
    Months, FlatGrid,
    ::testing::Values(GridCase{2, 2026, 1, 1, 0, 0},   // 1 February 2026 is a Sunday
                      GridCase{2, 2026, 1, 28, 3, 6},  // and the month fills four rows exactly
                      GridCase{2, 2026, 2, 1, 0, 6},   // Monday first: Sunday is the last column
                      GridCase{2, 2026, 2, 28, 4, 5},
                      GridCase{8, 2026, 1, 31, 5, 1},  // a Saturday first needs the sixth row
                      GridCase{2, 2024, 2, 29, 4, 3},  // leap day
                      GridCase{2, 1900, 1, 28, 4, 3},  // 1900 is no leap year
                      GridCase{12, 2026, 2, 31, 4, 3}));

TEST(FlatCalendarLayout, SixRowsAreLaidOutEvenWhenEmpty)
{
    const TFlatCalLayout l = FlatCalendarLayout({10, 20, 151, 141}, 10, 11, 2, 2026, 1, fcbAll);
    EXPECT_EQ(l.numbers.size(), 28U);
    EXPECT_FALSE(find(l, 29).has_value());
    // Rows 4 and 5 exist: their lines are drawn at the same row height.
    ASSERT_EQ(l.horizontalLines.size(), 7U);
    EXPECT_EQ(l.horizontalLines.at(5), l.gridTop + 5 * l.rowHeight);
    EXPECT_EQ(l.horizontalLines.at(6), 140);
    EXPECT_EQ(l.rowHeight, (140 - l.gridTop) / 6);
}

TEST(FlatCalendarLayout, TitleIsAtLeastTheTextHeight)
{
    // 17 % of (bottom - 1 - top) = 16.83, truncated to 16.
    EXPECT_EQ(FlatCalendarLayout({0, 0, 200, 100}, 12, 11, 1, 2026, 1, fcbNone).title,
              (TRect{0, 0, 199, 16}));
    EXPECT_EQ(FlatCalendarLayout({0, 0, 200, 100}, 16, 11, 1, 2026, 1, fcbNone).title.bottom, 16);
    EXPECT_EQ(FlatCalendarLayout({0, 0, 200, 100}, 31, 11, 1, 2026, 1, fcbNone).title.bottom, 31);
    // The band below: 1.5 × the day-name font's pixel height, truncated.
    const TFlatCalLayout l = FlatCalendarLayout({5, 7, 205, 107}, 31, -11, 1, 2026, 1, fcbNone);
    EXPECT_EQ(l.band, (TRect{5, 38, 204, 54}));
    EXPECT_EQ(l.columnWidth, 199 / 7);
}

TEST(FlatCalendarLayout, CellBordersChooseTheirLines)
{
    const auto lines = [](TFlatCalBorderStyle s) {
        const TFlatCalLayout l = FlatCalendarLayout({0, 0, 141, 121}, 10, 11, 3, 2026, 1, s);
        return std::make_pair(l.horizontalLines, l.verticalLines.size());
    };
    const TFlatCalLayout all = FlatCalendarLayout({0, 0, 141, 121}, 10, 11, 3, 2026, 1, fcbAll);
    const std::vector<int> &h = all.horizontalLines;
    ASSERT_EQ(h.size(), 7U);
    EXPECT_EQ(all.verticalLines, (std::vector<int>{0, 20, 40, 60, 80, 100, 120, 140}));
    EXPECT_EQ(lines(fcbTopBottom), std::make_pair(h, size_t(0)));
    EXPECT_EQ(lines(fcbTop).first, std::vector<int>(h.begin(), h.begin() + 6));
    EXPECT_EQ(lines(fcbBottom).first, std::vector<int>(h.begin() + 1, h.end()));
    EXPECT_TRUE(lines(fcbNone).first.empty());
    EXPECT_EQ(lines(fcbNone).second, 0U);
}

struct ShadowCase
{
    TFlatShadowPosition position;
    double zoom;
    TRect calendar, shadow;
};

class FlatShadow : public ::testing::TestWithParam<ShadowCase>
{};

TEST_P(FlatShadow, SplitsTheObject)
{
    const ShadowCase c = GetParam();
    const TFlatShadowSplit s = FlatShadowSplit(100, 80, 5, c.position, false, c.zoom);
    EXPECT_TRUE(s.hasShadow);
    EXPECT_EQ(s.calendar, c.calendar);
    EXPECT_EQ(s.shadow, c.shadow);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, FlatShadow,
    ::testing::Values(ShadowCase{fcpLowerRight, 1.0, {0, 0, 95, 75}, {5, 5, 100, 80}},
                      ShadowCase{fcpLowerLeft, 1.0, {5, 0, 100, 75}, {0, 5, 95, 80}},
                      ShadowCase{fcpUpperRight, 1.0, {0, 5, 95, 80}, {5, 0, 100, 75}},
                      ShadowCase{fcpUpperLeft, 1.0, {5, 5, 100, 80}, {0, 0, 95, 75}},
                      // 5 × 0.5 = 2.5 is truncated to 2
                      ShadowCase{fcpLowerRight, 0.5, {0, 0, 98, 78}, {2, 2, 100, 80}},
                      ShadowCase{fcpUpperLeft, double(0.7F), {3, 3, 100, 80}, {0, 0, 97, 77}}));

TEST(FlatShadowSplit, NoShadowWithoutDepthOrWhenTransparent)
{
    for (const auto &[depth, transparent] : {std::pair{0, false}, {-4, false}, {5, true}}) {
        const TFlatShadowSplit s = FlatShadowSplit(100, 80, depth, fcpUpperLeft, transparent, 1.0);
        EXPECT_FALSE(s.hasShadow);
        EXPECT_EQ(s.calendar, (TRect{0, 0, 100, 80}));
    }
}

QImage blank(int w, int h, QColor c = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

bool dark(const QImage &img, int x, int y)
{
    return qGray(img.pixel(x, y)) < 100;
}

TEST(FlatBorder, EachStyleDrawsItsLines)
{
    struct Expect
    {
        TFlatCalBorderStyle style;
        bool top, bottom, left, right;
    };
    for (const Expect e : {Expect{fcbNone, false, false, false, false},
                           Expect{fcbAll, true, true, true, true},
                           Expect{fcbTop, true, false, false, false},
                           Expect{fcbBottom, false, true, false, false},
                           Expect{fcbTopBottom, true, true, false, false}}) {
        QImage img = blank(40, 30);
        {
            QPainter p(&img);
            TCanvas canvas(p, 96);
            canvas.setPen(clBlack);
            DrawFlatBorder(canvas, {5, 5, 30, 20}, e.style);
        }
        SCOPED_TRACE(int(e.style));
        EXPECT_EQ(dark(img, 15, 5), e.top);
        EXPECT_EQ(dark(img, 15, 20), e.bottom);
        EXPECT_EQ(dark(img, 5, 12), e.left);
        EXPECT_EQ(dark(img, 30, 12), e.right);
        // Lines leave out their end point; the closed outline comes back to it.
        EXPECT_EQ(dark(img, 30, 5), e.style == fcbAll);
        EXPECT_FALSE(dark(img, 15, 12));
    }
}

TEST(FlatCalendar, CreationValuesAndSetterRules)
{
    TGFlatCalendar c;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(c.Month(), today.month());
    EXPECT_EQ(c.Year(), today.year());
    EXPECT_EQ(c.StartOfWeek(), 1);
    EXPECT_EQ(c.TitleFont(), TFontDesc::make("Arial", 8, 0, clWindowText));
    EXPECT_EQ(c.CellFont().size(), 7);
    EXPECT_EQ(c.CalendarBorderStyle(), fcbAll);
    EXPECT_EQ(c.DayNameBorderStyle(), fcbAll);
    EXPECT_EQ(c.CellBorderStyle(), fcbNone);
    EXPECT_EQ(c.ShadowColor(), clBlack);

    for (int v : {0, 3, 7, 255}) c.SetStartOfWeek(v);
    EXPECT_EQ(c.StartOfWeek(), 1);
    c.SetStartOfWeek(2);
    EXPECT_EQ(c.StartOfWeek(), 2);
    c.SetShadowDepth(11);
    EXPECT_EQ(c.ShadowDepth(), 0);
    c.SetShadowDepth(10);
    EXPECT_EQ(c.ShadowDepth(), 10);
    c.SetMonth(13);
    EXPECT_EQ(c.Month(), 13);
    EXPECT_EQ(c.clampedMonth(), 12);
}

TEST(FlatCalendar, NamesFollowLanguageStyleAndWeekStart)
{
    TGFlatCalendar c;
    c.SetMonth(3);
    c.SetLanguage(fclGerman);
    c.SetDayNameStyle(fdsThreeChars);
    EXPECT_EQ(c.DayNameText(0), "Son");
    EXPECT_EQ(c.DayNameText(6), "Sam");
    c.SetDayNameStyle(fdsWhole);
    EXPECT_EQ(c.DayNameText(5), "Freitag "); // the German table keeps its trailing space
    EXPECT_EQ(c.TitleText(), "März");
    c.SetStartOfWeek(2);
    EXPECT_EQ(c.DayNameText(0), "Montag");
    EXPECT_EQ(c.DayNameText(6), "Sonntag");
    c.SetLanguage(fclFrench);
    c.SetDayNameStyle(fdsFirstChar);
    EXPECT_EQ(c.DayNameText(0), "L");
    c.SetLanguage(fclItalian);
    c.SetYear(2027);
    c.SetShowYear(true);
    EXPECT_EQ(c.TitleText(), "Marzo 2027");
    c.SetLanguage(fclSpanish);
    c.SetDayNameStyle(fdsThreeChars);
    EXPECT_EQ(c.DayNameText(2), "Mié");
}

std::string names(const TBytes &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TBytes stored(const TGFlatCalendar &c)
{
    TWriter w;
    w.writeComponent(c, "Special1");
    return w.bytes();
}

TEST(FlatCalendarStream, EveryPropertyIsWrittenInItsOrderAndReadBack)
{
    RegisterFlatCalendar();
    TGFlatCalendar c;
    const std::string plain = names(stored(c));
    size_t at = 0;
    for (const char *p : {"Left", "Unselectable", "StartOfWeek", "Month", "Year", "TitleFont.Color",
                          "TitleFont.Name", "DayNameFont.Height", "CellFont.Name", "ShowYear",
                          "DayNameBGColor", "CalendarBorderStyle", "DayNameBorderStyle",
                          "CellBorderStyle", "DayNameStyle", "TitleBGcolor", "Backgroundcolor",
                          "ShadowColor", "ShadowDepth", "ShadowPosition", "Language",
                          "CalTransparent"}) {
        const size_t found = plain.find(p, at);
        ASSERT_NE(found, std::string::npos) << p;
        at = found;
    }

    c.SetBounds(12, 34, 160, 130);
    c.SetLocked(true);
    c.SetStartOfWeek(2);
    c.SetMonth(13); // kept as stored
    c.SetYear(-7);
    TFontDesc f = TFontDesc::make("Liberation Serif", 11, uint8_t(TFontStyle::fsBold) |
                                                          uint8_t(TFontStyle::fsStrikeOut),
                                  clRed);
    c.SetTitleFont(f);
    f.name = "Caf\xc3\xa9";
    c.SetDayNameFont(f);
    c.SetCellFont(TFontDesc::make("Arial", 9, uint8_t(TFontStyle::fsItalic), clBlue));
    c.SetShowYear(true);
    c.SetDayNameBGColor(0xBFD7BF);
    c.SetCalendarBorderStyle(fcbTopBottom);
    c.SetDayNameBorderStyle(fcbNone);
    c.SetCellBorderStyle(fcbBottom);
    c.SetDayNameStyle(fdsWhole);
    c.SetTitleBGcolor(clBtnFace);
    c.SetBackgroundcolor(0x9F9F9F);
    c.SetShadowColor(clGray);
    c.SetShadowDepth(7);
    c.SetShadowPosition(fcpUpperLeft);
    c.SetLanguage(fclSpanish);
    c.SetCalTransparent(true);

    const TBytes first = stored(c);
    TReader r(first);
    const std::unique_ptr<TGGraphicControl> read = ReadDesignObject(r);
    auto &copy = dynamic_cast<TGFlatCalendar &>(*read);
    EXPECT_EQ(copy.Month(), 13);
    EXPECT_EQ(copy.Year(), -7);
    EXPECT_EQ(copy.DayNameFont().name, "Caf\xc3\xa9");
    EXPECT_EQ(copy.TitleFont(), c.TitleFont());
    EXPECT_EQ(copy.ShadowPosition(), fcpUpperLeft);
    EXPECT_EQ(copy.Language(), fclSpanish);
    EXPECT_EQ(stored(copy), first);
    EXPECT_EQ(copy.PopupMenu().entries().back().text, QStringLiteral("Properties"));
}

TEST(FlatCalendarStream, RefusedValuesKeepTheCreationValue)
{
    RegisterFlatCalendar();
    TWriter w;
    w.writeComponentHeader(TGFlatCalendar::kClassName, "X");
    w.writePropertyName("StartOfWeek");
    w.writeInteger(5);
    w.writePropertyName("ShadowDepth");
    w.writeInteger(40);
    w.writePropertyName("Month");
    w.writeInteger(0);
    w.writeListEnd();
    w.writeListEnd();
    TReader r(w.bytes());
    const std::unique_ptr<TGGraphicControl> read = ReadDesignObject(r);
    auto &c = dynamic_cast<TGFlatCalendar &>(*read);
    EXPECT_EQ(c.StartOfWeek(), 1);
    EXPECT_EQ(c.ShadowDepth(), 0);
    EXPECT_EQ(c.Month(), 0);
    EXPECT_EQ(c.clampedMonth(), 1);
}

QImage paint(TGFlatCalendar &c, QColor page = Qt::white)
{
    QImage img = blank(c.Width() + 20, c.Height() + 20, page);
    QPainter p(&img);
    TCanvas canvas(p, 96);
    c.Paint(canvas);
    return img;
}

TEST(FlatCalendarPaint, ShadowFillsAndTransparency)
{
    TGFlatCalendar c;
    c.SetBounds(10, 10, 140, 120);
    c.SetMonth(2);
    c.SetYear(2026);
    c.SetShadowDepth(6);
    c.SetShadowColor(clRed);
    c.SetBackgroundcolor(clLime);
    c.SetZoom(0.5F);
    // At half size: 70 × 60 on screen from (5, 5), shadow 3 pixels to the lower right.
    ASSERT_EQ(c.ScreenRect(), (TRect{5, 5, 75, 65}));
    QImage img = paint(c);
    EXPECT_EQ(img.pixel(5 + 69, 5 + 59), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(5 + 69, 5 + 2), qRgb(255, 255, 255)); // above the shadow: page
    EXPECT_EQ(img.pixel(5 + 67, 5 + 3), qRgb(255, 0, 0));     // the shadow's edge beside the calendar
    EXPECT_EQ(img.pixel(5 + 64, 5 + 55), qRgb(0, 255, 0));    // body background

    c.SetCalTransparent(true);
    img = paint(c, Qt::yellow);
    EXPECT_TRUE(dark(img, 5 + 69, 5 + 59)); // no shadow: the calendar takes the whole object
    EXPECT_EQ(img.pixel(5 + 64, 5 + 55), qRgb(255, 255, 0)); // no fills
    EXPECT_TRUE(dark(img, 5, 40));                           // the outline is still drawn
}

TEST(FlatCalendarPaint, MonthsOutsideTheTableStillPaint)
{
    TGFlatCalendar c;
    c.SetBounds(0, 0, 140, 120);
    for (const auto &[month, year] : {std::pair{0, 2026}, {13, 2026}, {-2147483647 - 1, 0},
                                      {2147483647, 2147483647}}) {
        c.SetMonth(month);
        c.SetYear(year);
        const QImage img = paint(c);
        EXPECT_TRUE(dark(img, 0, 60)); // drawn, outline and all
        EXPECT_EQ(c.Month(), month);
    }
}

TEST(FlatCalendarPaint, MetafileHoldsTheObjectAtItsSize)
{
    TGFlatCalendar c;
    c.SetBounds(40, 50, 150, 110);
    c.SetShadowDepth(4);
    const std::unique_ptr<QPicture> pic = c.MakeCalendarMetafile();
    EXPECT_EQ(pic->boundingRect(), QRect(0, 0, 150, 110));
    QImage a = blank(150, 110);
    {
        QPainter p(&a);
        p.drawPicture(0, 0, *pic);
    }
    EXPECT_EQ(a.pixel(149, 109), qRgb(0, 0, 0)); // shadow in the corner
    EXPECT_EQ(a.pixel(2, 108), qRgb(255, 255, 255));
}

QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

TEST(FlatCalendarPrint, PdfHoldsRealTextAtTheObjectsPlace)
{
    const QString pdftotext = tool("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("flat.pdf"));
    TGFlatCalendar c;
    c.SetBounds(96, 192, 192, 144); // inches 1..3 across, 2..3.5 down
    c.SetMonth(2);
    c.SetYear(2026);
    c.SetZoom(0.5F); // the page prints at factor 1; the caller sets it
    c.SetZoom(1.0F);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        TReportCanvas report(p, 600);
        c.PrintObject(report, 0.0, 0.0);
    }
    QProcess run;
    run.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(20000));
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QMap<QString, QRectF> found;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        found.insert(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
    const QRectF object(72, 144, 144, 108); // points
    for (const char *w : {"February", "1", "14", "28", "S", "M"}) {
        ASSERT_TRUE(found.contains(QString::fromLatin1(w))) << w << "\n" << html.toStdString();
        EXPECT_TRUE(object.contains(found.value(QString::fromLatin1(w)))) << w;
    }
    // 28 falls in the last column, in the right seventh of the object.
    EXPECT_GT(found.value(QStringLiteral("28")).left(), 72 + 144 * 6 / 7.0 - 2);
    EXPECT_LT(found.value(QStringLiteral("February")).bottom(), 144 + 108 * 0.3);
}

TEST(FlatCalendarTool, PlacesACalendarOfTheCurrentMonth)
{
    TCalendarPanel32 page;
    page.SetPanelState(psFlatCalendar);
    ASSERT_TRUE(page.DrawRect({30, 40, 230, 190}));
    ASSERT_EQ(page.ObjectCount(), 1);
    auto *c = dynamic_cast<TGFlatCalendar *>(page.Object(0));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Month(), QDate::currentDate().month());
    EXPECT_EQ(c->BoundsRect().width(), 200);
    EXPECT_EQ(page.PanelState(), psPointing);
}

TEST(FlatCalendarProperties, OkCopiesThePreviewBackAndCancelLeavesAlone)
{
    TCalendarPanel32 page;
    int changes = 0;
    page.LabelChangedEvent = [&] { ++changes; };
    page.SetPanelState(psFlatCalendar);
    page.SetZoom(0.5F);
    ASSERT_TRUE(page.DrawRect({0, 0, 100, 80}));
    auto &c = dynamic_cast<TGFlatCalendar &>(*page.Object(0));
    const TBytes before = stored(c);
    changes = 0;

    bool answer = false;
    TRect previewBounds;
    FlatCalendarEditor() = [&](TGFlatCalendar &preview) {
        previewBounds = preview.BoundsRect();
        preview.SetMonth(preview.Month() % 12 + 1);
        preview.SetShadowDepth(3);
        preview.SetBounds(0, 0, 5, 5); // the size never comes back
        return answer;
    };
    c.EditProperties();
    EXPECT_EQ(previewBounds, (TRect{0, 0, 200, 160})); // unzoomed
    EXPECT_EQ(stored(c), before);
    EXPECT_EQ(changes, 0);

    answer = true;
    c.EditProperties();
    EXPECT_EQ(c.ShadowDepth(), 3);
    EXPECT_EQ(c.Month(), QDate::currentDate().month() % 12 + 1);
    EXPECT_EQ(c.BoundsRect(), (TRect{0, 0, 200, 160}));
    EXPECT_GE(changes, 1);
    FlatCalendarEditor() = nullptr;
}

} // namespace
