#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QFile>

#include <cmath>
#include <functional>

using namespace velmora;

namespace {

// The page size only follows the settings when the layout is recomputed. Changing the
// paper behind the page's back therefore shows afterwards whether a setter recomputed:
// a portrait A4 page is 794 pixels wide, a Letter page 816.
void changePaperUnseen(TCalendarPanel32 &page)
{
    page.SettingsForReading().PaperKind = 1;
}
bool recomputedForA4(const TCalendarPanel32 &page)
{
    return page.PageWidth() == 794;
}

void expectBorders(const TCalendarPanel32 &p, int outer, int headers, int cells)
{
    EXPECT_EQ(p.CalendarBorder(), outer);
    EXPECT_EQ(p.HeadersBorder(), headers);
    EXPECT_EQ(p.CellBorder(), cells);
}

void expectMiniBorders(const TCalendarPanel32 &p, int outer, int headers, int cells)
{
    EXPECT_EQ(p.MiniCalBorder(), outer);
    EXPECT_EQ(p.MiniHeadersBorder(), headers);
    EXPECT_EQ(p.MiniCellBorder(), cells);
}

} // namespace

TEST(PageModel, CreatedValuesMatchTheDefaultDocument)
{
    // A new page saved as a document gives the committed file byte for byte: every value
    // of the settings block, the date, the names, the title and the empty cells of a fresh
    // page are what documents expect.
    TCalendarPage p;
    EXPECT_EQ(p.Settings().Names, SystemNames());
    p.SettingsForReading().Names = BuiltInNames(TNameLanguage::English);
    QFile file(QString::fromStdString(test::fixture("documents/created-page.QXF")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected = file.readAll();
    const TBytes actual = DocumentBytes(p, nullptr);
    ASSERT_EQ(actual.size(), size_t(expected.size()));
    for (size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != uint8_t(expected[int(i)])) {
            ADD_FAILURE() << "the new page's document differs first at byte " << i;
            break;
        }

    // What documents do not hold: the layout computed on creation and the view's state.
    EXPECT_EQ(p.PageWidth(), 816);
    EXPECT_EQ(p.PageHeight(), 1056);
    EXPECT_EQ(p.Layout().main, (TRect{26, 26, 790, 1030}));
    TCalendarPanel32 view;
    EXPECT_EQ(view.PanelState(), psPointing);
    EXPECT_TRUE(view.Pointing());
    EXPECT_FALSE(view.PaintingHold());
    EXPECT_FALSE(view.ClickedInCellEvent);
    EXPECT_EQ(view.width(), 816);
    EXPECT_EQ(view.height(), 1056);
}

TEST(PageModel, ResetToDefaults)
{
    TCalendarPanel32 p;
    // Things the reset restores.
    p.SetPaperKind(1);
    p.SetUserTitle("Mine");
    p.SetCalendarLayout(loWeek);
    p.SetStartOfWeek(2);
    p.SetMonthName(1, "Jan!");
    p.SetDayName(1, "Sun!");
    p.SetMainCalDay(3);
    p.SetMainCalMonth(4);
    p.SetMainCalYear(1950);
    p.SetTitleBGColor(clRed);
    p.SetHeadersBGColor(clRed);
    p.SetMiniCalBGColor(clRed);
    p.SetMiniHeadersBGColor(clRed);
    p.SetMiniHeadersStyle(dsWhole);
    p.SetTitleShowYear(false);
    p.SetMiniShowYear(false);
    p.SetLeftMarginInch(1);
    p.SetTopMarginInch(1);
    p.SetRightMarginInch(1);
    p.SetBottomMarginInch(1);
    p.SetPlannerFirstHour(EncodeTime(10, 0, 0));
    // Things it leaves alone.
    p.SetHeadersStyle(dsWhole);
    p.SetNumberPosition(cnpCenter);
    TFontDesc big = TFontDesc::make("Arial", 30, 0, clBlue);
    p.SetTitleFont(&big);
    p.SetHeadersFont(&big);
    p.SetCellFont(&big);
    TFontDesc red = p.MiniHeadersFont();
    red.color = clRed;
    p.SetMiniHeadersFont(&red);

    p.ResetToDefaults();

    EXPECT_EQ(p.PaperKind(), 0);
    EXPECT_EQ(p.UserTitle(), "");
    EXPECT_EQ(p.CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(p.CalendarOrientation(), coLandscape);
    EXPECT_EQ(p.StartOfWeek(), 1);
    EXPECT_EQ(p.Settings().Names, SystemNames());
    const QDate today = QDate::currentDate();
    EXPECT_EQ(p.MainCalDay(), today.day());
    EXPECT_EQ(p.MainCalMonth(), today.month());
    EXPECT_EQ(p.MainCalYear(), today.year());
    EXPECT_EQ(p.TitleBGColor(), clWhite);
    EXPECT_EQ(p.HeadersBGColor(), clWhite);
    EXPECT_EQ(p.MiniCalBGColor(), clWhite);
    EXPECT_EQ(p.MiniHeadersBGColor(), clWhite);
    EXPECT_EQ(p.MiniHeadersFont().color, clBlack);
    EXPECT_EQ(p.MiniHeadersStyle(), dsFirstChar);
    EXPECT_TRUE(p.TitleShowYear());
    EXPECT_TRUE(p.MiniShowYear());
    for (const float m :
         {p.LeftMarginInch(), p.TopMarginInch(), p.RightMarginInch(), p.BottomMarginInch()})
        EXPECT_EQ(m, 0.5F);
    EXPECT_EQ(p.PlannerFirstHour(), EncodeTime(8, 0, 0));
    EXPECT_EQ(p.CalendarLineLayout(), llFull);
    EXPECT_EQ(p.MiniCalendarLineLayout(), mllBoxed);
    expectMiniBorders(p, cbAll, cbTopBottom, cbNone);
    // The mini fonts are sized for the layout (10 → 8).
    EXPECT_EQ(p.MiniTitleFont().size(), 10);
    EXPECT_EQ(p.MiniHeadersFont().size(), 8);
    EXPECT_EQ(p.MiniCellFont().size(), 8);
    // Geometry follows: Letter landscape with half-inch margins.
    EXPECT_EQ(p.PageWidth(), 1056);
    EXPECT_EQ(p.PageHeight(), 816);
    EXPECT_EQ(p.Layout().main, (TRect{50, 50, 1006, 766}));

    EXPECT_EQ(p.HeadersStyle(), dsWhole);
    EXPECT_EQ(p.NumberPosition(), cnpCenter);
    EXPECT_EQ(p.TitleFont(), big);
    EXPECT_EQ(p.HeadersFont(), big);
    EXPECT_EQ(p.CellFont(), big);
}

// The line layout setters only touch the borders when the line layout really changes.
TEST(PageModel, ResetKeepsHandSetBordersWhenLineLayoutsAlreadyMatch)
{
    TCalendarPanel32 p;
    ASSERT_EQ(p.CalendarLineLayout(), llFull);
    p.SetMiniCalendarLineLayout(mllBoxed);
    p.SetCellBorder(cbTop);
    p.SetCalendarBorder(cbNone);
    p.SetHeadersBorder(cbBottom);
    p.SetMiniCellBorder(cbAll);
    p.SetMiniHeadersBorder(cbNone);
    p.ResetToDefaults();
    expectBorders(p, cbNone, cbBottom, cbTop);
    expectMiniBorders(p, cbAll, cbNone, cbAll);

    // A page whose line layouts differ gets the borders of llFull and mllBoxed.
    TCalendarPanel32 q;
    q.SetCalendarLineLayout(llCellsOnly);
    q.SetCellBorder(cbTop);
    q.SetMiniCalBorder(cbNone);
    q.ResetToDefaults();
    expectBorders(q, cbAll, cbAll, cbAll);
    expectMiniBorders(q, cbAll, cbTopBottom, cbNone);
}

TEST(PageModel, LineLayoutsSetBorders)
{
    struct Case
    {
        int lineLayout, outer, headers, cells;
    };
    const Case cases[] = {
        {llFull, cbAll, cbAll, cbAll},
        {llHeadersAndCells, cbNone, cbAll, cbAll},
        {llCellsOnly, cbNone, cbNone, cbAll},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "line layout " << c.lineLayout);
        TCalendarPanel32 p;
        p.SetCalendarLineLayout((c.lineLayout + 1) % 3);
        p.SetCalendarBorder(cbTopBottom);
        p.SetHeadersBorder(cbTopBottom);
        p.SetCellBorder(cbTopBottom);
        p.SetCalendarLineLayout(c.lineLayout);
        EXPECT_EQ(p.CalendarLineLayout(), c.lineLayout);
        expectBorders(p, c.outer, c.headers, c.cells);

        // Setting it again changes nothing, not even borders set by hand since.
        p.SetCalendarBorder(cbTop);
        p.SetHeadersBorder(cbBottom);
        p.SetCellBorder(cbNone);
        p.SetCalendarLineLayout(c.lineLayout);
        expectBorders(p, cbTop, cbBottom, cbNone);
    }
}

TEST(PageModel, MiniLineLayoutsSetBorders)
{
    struct Case
    {
        int lineLayout, outer, cells, headers;
    };
    const Case cases[] = {
        {mllFull, cbAll, cbAll, cbAll},
        {mllBoxed, cbAll, cbNone, cbTopBottom},
        {mllMinimal, cbNone, cbNone, cbTop},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mini line layout " << c.lineLayout);
        TCalendarPanel32 p;
        p.SetMiniCalendarLineLayout((c.lineLayout + 1) % 3);
        p.SetMiniCalBorder(cbBottom);
        p.SetMiniHeadersBorder(cbBottom);
        p.SetMiniCellBorder(cbBottom);
        p.SetMiniCalendarLineLayout(c.lineLayout);
        expectMiniBorders(p, c.outer, c.headers, c.cells);

        p.SetMiniCalBorder(cbTop);
        p.SetMiniHeadersBorder(cbTop);
        p.SetMiniCellBorder(cbTop);
        p.SetMiniCalendarLineLayout(c.lineLayout);
        expectMiniBorders(p, cbTop, cbTop, cbTop);
    }
}

TEST(PageModel, CellsOnlyThenCalendarBorderAll)
{
    TCalendarPanel32 p;
    p.SetCalendarLineLayout(llCellsOnly);
    expectBorders(p, cbNone, cbNone, cbAll);
    p.SetCalendarBorder(cbAll);
    EXPECT_EQ(p.CalendarBorder(), cbAll);
    EXPECT_EQ(p.HeadersBorder(), cbNone);
    EXPECT_EQ(p.CalendarLineLayout(), llCellsOnly);
}

TEST(PageModel, OrientationFollowsTheLayout)
{
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        TCalendarPanel32 p;
        p.SetCalendarLayout(layout);
        const bool landscape = layout >= 1 && layout <= 17 && layout % 2 == 1;
        EXPECT_EQ(p.CalendarOrientation(), landscape ? coLandscape : coPortrait);
        EXPECT_EQ(p.PageWidth(), landscape ? 1056 : 816);
        EXPECT_EQ(p.PageHeight(), landscape ? 816 : 1056);
        // Setting the orientation alone has no lasting effect.
        p.SetCalendarOrientation(landscape ? coPortrait : coLandscape);
        EXPECT_EQ(p.CalendarOrientation(), landscape ? coLandscape : coPortrait);
        EXPECT_EQ(p.PageWidth(), landscape ? 1056 : 816);
    }
    TCalendarPanel32 p;
    p.SetCalendarLayout(lopMC6MonthLS);
    EXPECT_EQ(p.CalendarOrientation(), coLandscape);
    p.SetCalendarOrientation(coPortrait);
    EXPECT_EQ(p.CalendarOrientation(), coLandscape);
}

TEST(PageModel, LayoutFamilies)
{
    const int families[kLayoutCount] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1,
                                        1, 1, 1, 1, 1, 1, 1, 2, 3, 4, 5};
    TCalendarPanel32 p;
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        p.SetCalendarLayout(layout);
        EXPECT_EQ(p.LayoutFamily(), families[layout]) << "layout " << layout;
    }
}

TEST(PageModel, HasDayCellsNeedsAVisiblePageWithCells)
{
    TCalendarPanel32 p;
    EXPECT_FALSE(p.HasDayCells()) << "a page never shown";
    p.show();
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        p.SetCalendarLayout(layout);
        const bool cells = layout <= 7 || layout >= 18;
        EXPECT_EQ(p.HasDayCells(), cells) << "layout " << layout;
    }
    p.hide();
    p.SetCalendarLayout(loFullCalendar);
    EXPECT_FALSE(p.HasDayCells());
}

// Setters that recompute the layout do so only on a real change.
TEST(PageModel, RelayoutSettersIgnoreTheCurrentValue)
{
    struct Case
    {
        const char *name;
        std::function<void(TCalendarPanel32 &)> same;
        std::function<void(TCalendarPanel32 &)> other;
    };
    const Case cases[] = {
        {"MainCalDay", [](auto &p) { p.SetMainCalDay(0); }, [](auto &p) { p.SetMainCalDay(5); }},
        {"MainCalMonth", [](auto &p) { p.SetMainCalMonth(1); },
         [](auto &p) { p.SetMainCalMonth(2); }},
        {"MainCalYear", [](auto &p) { p.SetMainCalYear(1997); },
         [](auto &p) { p.SetMainCalYear(1998); }},
        {"LeftMarginInch", [](auto &p) { p.SetLeftMarginInch(0.25F); },
         [](auto &p) { p.SetLeftMarginInch(0.3F); }},
        {"TopMarginInch", [](auto &p) { p.SetTopMarginInch(0.25F); },
         [](auto &p) { p.SetTopMarginInch(0.3F); }},
        {"RightMarginInch", [](auto &p) { p.SetRightMarginInch(0.25F); },
         [](auto &p) { p.SetRightMarginInch(0.3F); }},
        {"BottomMarginInch", [](auto &p) { p.SetBottomMarginInch(0.25F); },
         [](auto &p) { p.SetBottomMarginInch(0.3F); }},
        {"PlannerFirstHour", [](auto &p) { p.SetPlannerFirstHour(EncodeTime(8, 0, 0)); },
         [](auto &p) { p.SetPlannerFirstHour(EncodeTime(8, 0, 1)); }},
        {"CalendarLayout", [](auto &p) { p.SetCalendarLayout(loFullCalendar); },
         [](auto &p) { p.SetCalendarLayout(loWeek); }},
        {"CalendarOrientation", [](auto &p) { p.SetCalendarOrientation(coPortrait); },
         [](auto &p) { p.SetCalendarOrientation(coLandscape); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCalendarPanel32 p;
        changePaperUnseen(p);
        c.same(p);
        EXPECT_FALSE(recomputedForA4(p)) << "recomputed for the value it already had";
        c.other(p);
        EXPECT_TRUE(recomputedForA4(p)) << "a new value did not recompute the layout";
    }

    TCalendarPanel32 p;
    p.SettingsForReading().CalendarLayout = lopMC6MonthLS;
    p.SetPaperKind(0);
    EXPECT_EQ(p.PageWidth(), 816);
    p.SetPaperKind(1);
    EXPECT_EQ(p.PageWidth(), 1122);
    EXPECT_EQ(p.PageHeight(), 794);
}

// Margins compare as 32-bit floats: two spellings of the same float are the same margin,
// the neighbouring float is not.
TEST(PageModel, MarginsCompareExactlyAsFloats)
{
    TCalendarPanel32 p;
    p.SetLeftMarginInch(0.3F);
    EXPECT_EQ(p.Layout().main.left, 31); // round(28.8) + 2

    changePaperUnseen(p);
    p.SetLeftMarginInch(0.30000001F); // the same float as 0.3F
    p.SetLeftMarginInch(static_cast<float>(0.3));
    EXPECT_FALSE(recomputedForA4(p));

    const float next = std::nextafter(0.3F, 1.0F);
    ASSERT_NE(next, 0.3F);
    p.SetLeftMarginInch(next);
    EXPECT_TRUE(recomputedForA4(p));
    EXPECT_EQ(p.LeftMarginInch(), next);
}

TEST(PageModel, SameStyle)
{
    struct Case
    {
        const char *name;
        std::function<void(TCalendarPanel32 &)> change;
        bool same;
    };
    auto font = [](auto get, auto set, auto edit) {
        return [=](TCalendarPanel32 &p) {
            TFontDesc f = (p.*get)();
            edit(f);
            (p.*set)(&f);
        };
    };
    const auto bigger = [](TFontDesc &f) { f.setSize(f.size() + 7); };
    const auto renamed = [](TFontDesc &f) { f.name = "Arial"; };
    const auto italic = [](TFontDesc &f) { f.setStyle(TFontStyle::fsItalic, true); };
    const auto recolour = [](TFontDesc &f) { f.color = clRed; };
    using P = TCalendarPanel32;
    const Case cases[] = {
        {"nothing", [](P &) {}, true},
        {"TitleFont size", font(&P::TitleFont, &P::SetTitleFont, bigger), true},
        {"MiniCellFont size", font(&P::MiniCellFont, &P::SetMiniCellFont, bigger), true},
        {"NumberPosition", [](P &p) { p.SetNumberPosition(cnpCenter); }, true},
        {"CellBorder", [](P &p) { p.SetCellBorder(cbTop); }, true},
        {"CalendarBorder", [](P &p) { p.SetCalendarBorder(cbNone); }, true},
        {"HeadersBorder", [](P &p) { p.SetHeadersBorder(cbNone); }, true},
        {"MiniCalBorder", [](P &p) { p.SetMiniCalBorder(cbNone); }, true},
        {"MiniHeadersBorder", [](P &p) { p.SetMiniHeadersBorder(cbAll); }, true},
        {"MiniCellBorder", [](P &p) { p.SetMiniCellBorder(cbAll); }, true},
        {"month name case", [](P &p) { p.SetMonthName(1, "january"); }, false},
        {"day name", [](P &p) { p.SetDayName(7, "Sabbath"); }, false},
        {"TitleFont name", font(&P::TitleFont, &P::SetTitleFont, renamed), false},
        {"TitleFont style", font(&P::TitleFont, &P::SetTitleFont, italic), false},
        {"TitleFont colour", font(&P::TitleFont, &P::SetTitleFont, recolour), false},
        {"HeadersFont name", font(&P::HeadersFont, &P::SetHeadersFont, renamed), false},
        {"CellFont style", font(&P::CellFont, &P::SetCellFont, italic), false},
        {"MiniTitleFont colour", font(&P::MiniTitleFont, &P::SetMiniTitleFont, recolour), false},
        {"MiniHeadersFont name", font(&P::MiniHeadersFont, &P::SetMiniHeadersFont, renamed), false},
        {"MiniCellFont colour", font(&P::MiniCellFont, &P::SetMiniCellFont, recolour), false},
        {"PaperKind", [](P &p) { p.SetPaperKind(1); }, false},
        {"CalendarLayout", [](P &p) { p.SetCalendarLayout(loWeek); }, false},
        {"StartOfWeek", [](P &p) { p.SetStartOfWeek(2); }, false},
        {"MainCalDay", [](P &p) { p.SetMainCalDay(9); }, false},
        {"MainCalMonth", [](P &p) { p.SetMainCalMonth(9); }, false},
        {"MainCalYear", [](P &p) { p.SetMainCalYear(2009); }, false},
        {"TitleBGColor", [](P &p) { p.SetTitleBGColor(clRed); }, false},
        {"HeadersBGColor", [](P &p) { p.SetHeadersBGColor(clRed); }, false},
        {"HeadersStyle", [](P &p) { p.SetHeadersStyle(dsWhole); }, false},
        {"MiniCalBGColor", [](P &p) { p.SetMiniCalBGColor(clRed); }, false},
        {"MiniHeadersBGColor", [](P &p) { p.SetMiniHeadersBGColor(clRed); }, false},
        {"MiniHeadersStyle", [](P &p) { p.SetMiniHeadersStyle(dsWhole); }, false},
        {"TitleShowYear", [](P &p) { p.SetTitleShowYear(false); }, false},
        {"MiniShowYear", [](P &p) { p.SetMiniShowYear(false); }, false},
        {"LeftMarginInch", [](P &p) { p.SetLeftMarginInch(std::nextafter(0.25F, 1.0F)); }, false},
        {"TopMarginInch", [](P &p) { p.SetTopMarginInch(0.5F); }, false},
        {"RightMarginInch", [](P &p) { p.SetRightMarginInch(0.5F); }, false},
        {"BottomMarginInch", [](P &p) { p.SetBottomMarginInch(0.5F); }, false},
        {"PlannerFirstHour", [](P &p) { p.SetPlannerFirstHour(EncodeTime(9, 0, 0)); }, false},
        {"CalendarLineLayout", [](P &p) { p.SetCalendarLineLayout(llCellsOnly); }, false},
        {"MiniCalendarLineLayout", [](P &p) { p.SetMiniCalendarLineLayout(mllMinimal); }, false},
        {"UserTitle", [](P &p) { p.SetUserTitle("x"); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCalendarPanel32 a, b;
        a.SettingsForReading().Names = BuiltInNames(TNameLanguage::English);
        b.SettingsForReading().Names = BuiltInNames(TNameLanguage::English);
        ASSERT_TRUE(a.SameStyle(b));
        c.change(b);
        EXPECT_EQ(a.SameStyle(b), c.same);
        EXPECT_EQ(b.SameStyle(a), c.same);
    }
}

TEST(PageModel, AssignStyleCopiesTheStyleButNotBordersOrNumberPosition)
{
    TCalendarPanel32 src;
    src.ResetToDefaults(); // layout 3 with its mini fonts
    src.SetPaperKind(1);
    src.SetStartOfWeek(2);
    src.SetMonthName(2, "Février");
    src.SetDayName(3, "Dienstag");
    src.SetMainCalDay(12);
    src.SetMainCalMonth(7);
    src.SetMainCalYear(2001);
    TFontDesc f = TFontDesc::make("Arial", 20, uint8_t(TFontStyle::fsItalic), clNavy);
    src.SetTitleFont(&f);
    src.SetHeadersFont(&f);
    src.SetCellFont(&f);
    src.SetTitleBGColor(clYellow);
    src.SetHeadersBGColor(clAqua);
    src.SetHeadersStyle(dsFirstChar);
    src.SetMiniCalBGColor(clSilver);
    src.SetMiniHeadersBGColor(clGray);
    src.SetMiniHeadersStyle(dsWhole);
    src.SetTitleShowYear(false);
    src.SetMiniShowYear(false);
    src.SetLeftMarginInch(0.75F);
    src.SetTopMarginInch(0.6F);
    src.SetRightMarginInch(0.4F);
    src.SetBottomMarginInch(0.3F);
    src.SetPlannerFirstHour(EncodeTime(7, 15, 0));
    src.SetCalendarLineLayout(llCellsOnly);
    src.SetMiniCalendarLineLayout(mllMinimal);
    src.SetUserTitle("Holidays");
    // Not part of the style.
    src.SetNumberPosition(cnpCenter);
    src.SetCellBorder(cbTop);
    src.SetMiniCellBorder(cbBottom);

    TCalendarPanel32 dst;
    dst.AssignStyle(src);
    EXPECT_TRUE(dst.SameStyle(src));
    EXPECT_EQ(dst.Settings().Names, src.Settings().Names);
    EXPECT_EQ(dst.TitleFont(), f);
    EXPECT_EQ(dst.MiniTitleFont(), src.MiniTitleFont()); // copied with its size
    EXPECT_EQ(dst.MiniTitleFont().size(), 10);
    EXPECT_EQ(dst.UserTitle(), "Holidays");
    EXPECT_EQ(dst.CalendarLineLayout(), llCellsOnly);
    EXPECT_EQ(dst.MiniCalendarLineLayout(), mllMinimal);
    // The borders follow the changed line layouts, not the source's hand-set ones.
    expectBorders(dst, cbNone, cbNone, cbAll);
    expectMiniBorders(dst, cbNone, cbTop, cbNone);
    EXPECT_EQ(dst.NumberPosition(), cnpUpperRight);
    // The layout is recomputed: A4 landscape with the copied margins.
    EXPECT_EQ(dst.CalendarOrientation(), coLandscape);
    EXPECT_EQ(dst.PageWidth(), 1122);
    EXPECT_EQ(dst.PageHeight(), 794);
    EXPECT_EQ(dst.Layout().main, (TRect{74, 60, 1122 - 38 - 2, 794 - 29 - 2}));

    // A page that already has the source's line layouts keeps its own borders.
    TCalendarPanel32 same;
    same.SetCalendarLineLayout(llCellsOnly);
    same.SetCellBorder(cbBottom);
    same.AssignStyle(src);
    EXPECT_EQ(same.CellBorder(), cbBottom);
}

// On reset the mini fonts get a size by layout: title s, headers and cells 0.8 × s cut.
TEST(PageModel, MiniFontSizesByLayoutOnFontReset)
{
    struct Case
    {
        int title, body; // 0: the layout leaves the fonts alone
    };
    const Case sizes[kLayoutCount] = {
        {0, 0},   {0, 0},   {10, 8},  {10, 8},  {10, 8}, {10, 8}, {10, 8}, {10, 8},
        {18, 14}, {18, 14}, {18, 14}, {18, 14}, {12, 9}, {12, 9}, {10, 8}, {10, 8},
        {8, 6},   {8, 6},   {0, 0},   {0, 0},   {0, 0},  {0, 0},
    };
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        EXPECT_EQ(MiniTitleFontSize(layout), sizes[layout].title);
        TCalendarPanel32 p;
        const TFontDesc marker = TFontDesc::make("Times New Roman", 40, 0);
        p.SetMiniTitleFont(&marker);
        p.SetMiniHeadersFont(&marker);
        p.SetMiniCellFont(&marker);
        p.SetCalendarLayout(layout);
        EXPECT_EQ(p.MiniTitleFont().size(), 40) << "a layout change alone resized the fonts";
        p.RecalcLayout(true);
        const int title = sizes[layout].title ? sizes[layout].title : 40;
        const int body = sizes[layout].body ? sizes[layout].body : 40;
        EXPECT_EQ(p.MiniTitleFont().size(), title);
        EXPECT_EQ(p.MiniHeadersFont().size(), body);
        EXPECT_EQ(p.MiniCellFont().size(), body);
    }
}

TEST(PageModel, NamesOutsideTheTablesChangeNothing)
{
    TCalendarPanel32 p;
    p.SettingsForReading().Names = BuiltInNames(TNameLanguage::English);
    const TNameTables before = p.Settings().Names;
    for (const int index : {0, 13, -1, 100}) {
        std::string s = "keep";
        p.GetMonthName(index, s);
        EXPECT_EQ(s, "keep") << "month " << index;
        p.SetMonthName(index, "X");
    }
    for (const int index : {0, 8, -1}) {
        std::string s = "keep";
        p.GetDayName(index, s);
        EXPECT_EQ(s, "keep") << "day " << index;
        p.SetDayName(index, "X");
    }
    EXPECT_EQ(p.Settings().Names, before);

    p.SetMonthName(12, "Dec");
    p.SetDayName(7, "Sat");
    std::string s;
    p.GetMonthName(12, s);
    EXPECT_EQ(s, "Dec");
    p.GetDayName(7, s);
    EXPECT_EQ(s, "Sat");
    p.GetDayName(1, s);
    EXPECT_EQ(s, "Sunday");
}

TEST(PageModel, FontSettersIgnoreNull)
{
    TCalendarPanel32 p;
    const TFontDesc before = p.TitleFont();
    p.SetTitleFont(nullptr);
    p.SetMiniHeadersFont(nullptr);
    EXPECT_EQ(p.TitleFont(), before);
    const TFontDesc f = TFontDesc::make("Arial", 11, 0, clRed);
    p.SetTitleFont(&f);
    EXPECT_EQ(p.TitleFont(), f);
}

TEST(PageModel, PanelStateSetsPointingAndTheToolCursor)
{
    TCalendarPanel32 p;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    p.SetPanelState(psLabel);
    EXPECT_FALSE(p.Pointing());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    p.SetPanelState(psImage); // one tool after another keeps one cursor
    EXPECT_EQ(p.PanelState(), psImage);
    p.SetPanelState(psPointing);
    EXPECT_TRUE(p.Pointing());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
