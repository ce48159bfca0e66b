#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "calendar/YearExport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <utility>
#include <vector>

using namespace velmora;

namespace {

class YearExport : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    TCalendarPage page;

    void SetUp() override
    {
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(11);
        page.SetMainCalYear(2026);
        page.RenderToImage(1.0);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void picture(const QString &name, QColor color)
    {
        QDir().mkpath(path(QStringLiteral("photos")));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(path(QStringLiteral("photos/") + name)));
    }
    TYearExportOptions pngs(int months)
    {
        TYearExportOptions o;
        o.output = path(QStringLiteral("page.png"));
        o.pdf = false;
        o.months = months;
        o.pngZoom = 0.5;
        return o;
    }
    static QRgb centre(const QString &file, const QRectF &r)
    {
        return QImage(file).pixel(int(r.center().x()), int(r.center().y()));
    }
};

} // namespace

TEST_F(YearExport, MonthsRunInOrderAcrossTheYearEndWithTheCellsOfEachMonthOnly)
{
    AppendTextToDay(page, 5, QStringLiteral("Only in November"));
    std::vector<std::pair<int, int>> filled;
    TYearExportOptions o = pngs(3);
    o.fillMonth = [&](TCalendarPage &p) {
        filled.emplace_back(p.MainCalMonth(), p.MainCalYear());
        EXPECT_EQ(p.HasCellText(), filled.size() == 1) << "later months start with empty cells";
    };
    const TYearExportResult r = ExportCalendarYear(page, o);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(filled, (std::vector<std::pair<int, int>>{{11, 2026}, {12, 2026}, {1, 2027}}));
    EXPECT_EQ(r.written, (QStringList{path(QStringLiteral("page-01.png")), path(QStringLiteral("page-02.png")),
                                      path(QStringLiteral("page-03.png"))}));
    for (const QString &f : r.written)
        EXPECT_FALSE(QImage(f).isNull());
}

TEST_F(YearExport, PicturesGoToTheMonthsInNameOrderOverTheBandOrOnTheirOwnPages)
{
    picture(QStringLiteral("c.png"), Qt::blue);
    picture(QStringLiteral("A.png"), Qt::red);
    picture(QStringLiteral("b.jpg"), Qt::green);
    QFile notes(path(QStringLiteral("photos/notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    EXPECT_EQ(PictureFilesIn(path(QStringLiteral("photos"))).size(), 3);

    TYearExportOptions o = pngs(4);
    o.picturesDir = path(QStringLiteral("photos"));
    page.RenderToImage(0.5);
    const TRect t = page.TitleRect();
    const QRectF band(t.left, t.top, t.right - t.left, t.bottom - t.top);
    TYearExportResult r = ExportCalendarYear(page, o);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.written.size(), 4);
    EXPECT_EQ(centre(r.written[0], band), qRgb(255, 0, 0));
    const QRgb green = centre(r.written[1], band);
    EXPECT_TRUE(qGreen(green) > 200 && qRed(green) < 60 && qBlue(green) < 60);
    EXPECT_EQ(centre(r.written[2], band), qRgb(0, 0, 255));
    EXPECT_EQ(centre(r.written[3], band), qRgb(255, 0, 0)) << "the pictures start over";

    // A picture page before each month page.
    for (const QString &f : r.written)
        QFile::remove(f);
    page.SetMainCalMonth(11);
    page.SetMainCalYear(2026);
    o.months = 2;
    o.photoPages = true;
    o.fit = TPictureFit::Contain;
    r = ExportCalendarYear(page, o);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.written.size(), 4);
    const QImage first(r.written[0]);
    EXPECT_EQ(first.pixel(first.width() / 2, first.height() / 2), qRgb(255, 0, 0));
    // Contain leaves the paper white around a picture of another shape.
    EXPECT_EQ(first.pixel(first.width() / 2, 2), qRgb(255, 255, 255));
    EXPECT_NE(QImage(r.written[1]).pixel(first.width() / 2, first.height() / 2), qRgb(255, 0, 0));
}

TEST_F(YearExport, CancelAndFailuresLeaveNoFiles)
{
    for (bool pdf : {false, true}) {
        SCOPED_TRACE(pdf ? "pdf" : "png");
        TYearExportOptions o = pngs(12);
        o.pdf = pdf;
        if (pdf)
            o.output = path(QStringLiteral("year.pdf"));
        o.progress = [](int done, int) { return done < 3; };
        const TYearExportResult r = ExportCalendarYear(page, o);
        EXPECT_TRUE(r.cancelled);
        EXPECT_TRUE(r.written.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
    TYearExportOptions o = pngs(2);
    o.picturesDir = path(QStringLiteral("nothing-here"));
    TYearExportResult r = ExportCalendarYear(page, o);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains(QStringLiteral("nothing-here")));

    QDir().mkpath(path(QStringLiteral("broken")));
    QFile bad(path(QStringLiteral("broken/a.jpg")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no picture");
    bad.close();
    o.picturesDir = path(QStringLiteral("broken"));
    o.pdf = true;
    o.output = path(QStringLiteral("photo.pdf"));
    r = ExportCalendarYear(page, o);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains(QStringLiteral("a.jpg")));
    EXPECT_FALSE(QFile::exists(o.output));
}

// Numbered pictures are put in place only when the whole run has been written: a picture
// that fails in the second month leaves the earlier files of those names as they were.
TEST_F(YearExport, AFailurePartWayLeavesEarlierNumberedPicturesAlone)
{
    picture(QStringLiteral("a.png"), Qt::red);
    QFile bad(path(QStringLiteral("photos/b.jpg")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no picture");
    bad.close();
    QFile earlier(path(QStringLiteral("page-01.png")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();

    TYearExportOptions o = pngs(3);
    o.picturesDir = path(QStringLiteral("photos"));
    const TYearExportResult r = ExportCalendarYear(page, o);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains(QStringLiteral("b.jpg"))) << r.error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page-01.png")});
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
}
