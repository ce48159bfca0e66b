// The velmora-export command line, run as a separate process.
#include "support/ExporterRun.h"
#include "app/ExportCommand.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "calendar/HandMadeDocument.h"
#include "imaging/GreyPng.h"
#include "objects/Gplabel.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"

#include "app/ExportCommand.h"
#include "support/DiskSeam.h"
#include "support/ImageProbe.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

using namespace velmora;
using namespace velmora::test;

namespace {

using ExportRun = ExporterRun;

class Export : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString &name) const { return dir.filePath(name); }

    ExportRun run(const QStringList &args) const
    {
        const ExporterRun r = runExporter(args, dir.path(), runtime.path());
        if (!r.finished)
            ADD_FAILURE() << "velmora-export did not finish: " << args.join(' ').toStdString();
        return r;
    }

    QStringList files() const
    {
        return QDir(dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir dir;
    QTemporaryDir runtime;
};

struct PdfInfo
{
    int pages = -1;
    double width = 0; // points
    double height = 0;
};

// Pages and the first page's size in points, from pdfinfo or, without it, from the file.
PdfInfo pdfInfo(const QString &file)
{
    PdfInfo info;
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {file});
        p.waitForFinished(30000);
        const QString text = QString::fromLocal8Bit(p.readAllStandardOutput());
        const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
        const auto size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                .match(text);
        if (pages.hasMatch()) info.pages = pages.captured(1).toInt();
        if (size.hasMatch()) {
            info.width = size.captured(1).toDouble();
            info.height = size.captured(2).toDouble();
        }
        return info;
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return info;
    const QString bytes = QString::fromLatin1(f.readAll());
    info.pages = int(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
    const auto box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"))
            .match(bytes);
    if (box.hasMatch()) {
        info.width = box.captured(1).toDouble();
        info.height = box.captured(2).toDouble();
    }
    return info;
}

QSize imageSize(const QString &file)
{
    return QImage(file).size();
}

// The exporter's picture of a page drawn here with the same settings.
QImage renderHere(int layout, int month, int year, int day,
                  std::optional<TDateTime> firstHour = std::nullopt)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    TCalendarSettings &s = page.SettingsForReading();
    s.CalendarLayout = layout;
    s.MainCalMonth = month;
    s.MainCalYear = year;
    s.MainCalDay = day;
    if (firstHour) s.PlannerFirstHour = *firstHour;
    page.RecalcLayout(true);
    return page.RenderToBitmap();
}

} // namespace

TEST_F(Export, Help)
{
    const ExportRun r = run({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: velmora-export")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("--months")) << r.out.toStdString();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(files(), QStringList{});
}

TEST_F(Export, BadOptionsAreRefusedWithOneLine)
{
    const QStringList cases[] = {
        {"--layout", "22", "out.png"},
        {"--layout", "x", "out.png"},
        {"--layout", "-1", "out.png"},
        {"--month", "13", "out.png"},
        {"--month", "0", "out.png"},
        {"--year", "0", "out.png"},
        {"--day", "32", "out.png"},
        {"--months", "0", "out.png"},
        {"--zoom", "0.55", "out.png"},
        {"--zoom", "1.5", "out.png"},
        {"--zoom", "0.1", "out.png"},
        {"--zoom", "0.5", "out.pdf"},
        {"--paper", "legal", "out.png"},
        {"--week-start", "tuesday", "out.png"},
        {"--language", "nl", "out.png"},
        {"--bogus", "1", "out.png"},
        {"out.png", "--layout"},
        {"out.txt"},
        {"out"},
        {"one.png", "two.png"},
        {},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ExportRun r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith("velmora-export: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith('\n'));
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(files(), QStringList{}) << "something was written";
    }
}

TEST_F(Export, UnwritableOutputLeavesNothing)
{
    QDir(dir.path()).mkdir("taken.png"); // a folder where the picture should go
    const QStringList cases[] = {
        {path("missing/out.png")},
        {path("missing/out.pdf")},
        {path("missing/out.bmp")},
        {"--months", "3", path("missing/out.png")},
        {"--months", "3", path("missing/out.pdf")},
        {path("taken.png")},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ExportRun r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith("velmora-export: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(files(), QStringList{"taken.png"});
        EXPECT_FALSE(QFileInfo::exists(path("missing")));
        EXPECT_TRUE(QFileInfo(path("taken.png")).isDir());
    }
}

// When a later picture of a series cannot be written, the earlier ones go too.
TEST_F(Export, FailedSeriesRemovesItsEarlierPictures)
{
    QDir(dir.path()).mkdir("out-02.png");
    const ExportRun r = run({"--months", "3", "out.png"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_EQ(files(), QStringList{"out-02.png"});
}

TEST_F(Export, PictureSizes)
{
    struct Case
    {
        QStringList args;
        QSize size;
    };
    const Case cases[] = {
        {{"--layout", "17", "--month", "1", "--year", "2027", "out.png"}, {1056, 816}},
        {{"--layout", "0", "out.png"}, {816, 1056}},
        {{"out.png"}, {1056, 816}}, // the reset page: layout 3, Letter landscape
        {{"--zoom", "0.5", "out.png"}, {528, 408}},
        {{"--zoom", "0.5", "--layout", "0", "out.bmp"}, {408, 528}},
        {{"--paper", "a4", "--layout", "0", "out.png"}, {794, 1122}},
        {{"--paper", "a4", "--layout", "21", "out.png"}, {794, 1122}},
        {{"--paper", "a4", "--layout", "9", "out.png"}, {1122, 794}},
        {{"--paper", "a4", "--zoom", "0.5", "out.png"}, {561, 397}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const QString name = c.args.back();
        QFile::remove(path(name));
        const ExportRun r = run(c.args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(imageSize(path(name)), c.size);
    }
}

TEST_F(Export, PdfPages)
{
    struct Case
    {
        QStringList args;
        int pages;
        double width, height; // points
    };
    const Case cases[] = {
        {{"--layout", "17", "--month", "1", "--year", "2027", "out.pdf"}, 1, 792, 612},
        {{"--layout", "0", "out.pdf"}, 1, 612, 792},
        {{"--months", "3", "--layout", "1", "out.pdf"}, 3, 792, 612},
        {{"--paper", "a4", "--layout", "0", "out.pdf"}, 1, 595.3, 841.9},
        {{"--paper", "a4", "--layout", "3", "out.pdf"}, 1, 841.9, 595.3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QFile::remove(path("out.pdf"));
        const ExportRun r = run(c.args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(files(), QStringList{"out.pdf"});
        const PdfInfo info = pdfInfo(path("out.pdf"));
        EXPECT_EQ(info.pages, c.pages);
        EXPECT_NEAR(info.width, c.width, 1.0);
        EXPECT_NEAR(info.height, c.height, 1.0);
    }
}

TEST_F(Export, MonthSeriesOfPictures)
{
    const ExportRun r = run({"--months", "3", "--layout", "0", "--month", "12", "--year", "1997",
                             "--day", "1", "out.png"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(files(), (QStringList{"out-01.png", "out-02.png", "out-03.png"}));
    // The series runs across the year end: the second picture is January 1998.
    const QImage second(path("out-02.png"));
    ASSERT_EQ(second.size(), QSize(816, 1056));
    const QImage january = renderHere(loFullCalendar, 1, 1998, 1);
    const QImage december = renderHere(loFullCalendar, 12, 1997, 1);
    // Main rectangle (50, 50, 766, 1006): the title band and the first two rows of days.
    const QRect head(QPoint(50, 50), QPoint(765, 500));
    EXPECT_TRUE(sameArea(second, january, head));
    EXPECT_FALSE(sameArea(second, december, head));
    EXPECT_TRUE(sameArea(QImage(path("out-01.png")), december, head));
}

// An exported day planner starts at the page's first hour, as on screen.
TEST_F(Export, DayPlannerStartsAtPlannerFirstHour)
{
    const ExportRun r =
        run({"--layout", "20", "--month", "1", "--year", "1997", "--day", "1", "day.png"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage exported(path("day.png"));
    ASSERT_EQ(exported.size(), QSize(816, 1056));
    const QImage eight = renderHere(loDay10, 1, 1997, 1, EncodeTime(8, 0, 0));
    const QImage halfPastNine = renderHere(loDay10, 1, 1997, 1, EncodeTime(9, 30, 0));
    // Main rectangle (50, 50, 766, 1006); label column up to 50 + round(715 × 0.15) = 157.
    const QRect labels(QPoint(51, 50), QPoint(156, 1004));
    EXPECT_TRUE(sameArea(exported, eight, labels));
    EXPECT_FALSE(sameArea(exported, halfPastNine, labels));
}

// The PDF page carries the calendar in printer pixels at the page's place: at 600 dpi the
// landscape main rectangle (50, 50, 1006, 766) becomes (312, 312, 6288, 4788) (halves to
// even), framed by the calendar border on (312, 312)..(6287, 4787): a line one screen pixel
// wide (6 printer pixels), centred there and closed at the corners.
TEST_F(Export, PdfDrawsTheCalendarWhereThePageSays)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
    const ExportRun r = run({"--layout", "1", "--month", "1", "--year", "1997", "out.pdf"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    auto crop = [&](int x, int y) {
        const QString base = path(QStringLiteral("crop-%1-%2").arg(x).arg(y));
        QProcess p;
        p.start(pdftoppm, {"-r", "600", "-x", QString::number(x), "-y", QString::number(y), "-W",
                           "60", "-H", "60", "-gray", "-singlefile", path("out.pdf"), base});
        p.waitForFinished(60000);
        return QImage(base + ".pgm");
    };
    const QImage topLeft = crop(282, 282); // corner at (30, 30) of the crop
    ASSERT_EQ(topLeft.size(), QSize(60, 60));
    EXPECT_EQ(darkInRow(topLeft, 30, 0, 59), 33);
    EXPECT_EQ(darkInColumn(topLeft, 30, 0, 59), 33);
    EXPECT_EQ(darkInRow(topLeft, 27, 0, 59), 33);
    EXPECT_EQ(darkInRow(topLeft, 26, 0, 59), 0);
    EXPECT_EQ(darkInColumn(topLeft, 26, 0, 59), 0);

    const QImage bottomRight = crop(6257, 4757); // corner at (30, 30) of the crop
    ASSERT_EQ(bottomRight.size(), QSize(60, 60));
    EXPECT_EQ(darkInRow(bottomRight, 30, 0, 59), 33);
    EXPECT_EQ(darkInColumn(bottomRight, 30, 0, 59), 33);
    EXPECT_EQ(darkInRow(bottomRight, 33, 0, 59), 0);
    EXPECT_EQ(darkInColumn(bottomRight, 33, 0, 59), 0);
}

TEST_F(Export, DocumentsStyleSheetsAndRecurringDates)
{
    // A saved document with a cell text, restyled by a style sheet.
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2026);
    page.RenderToBitmap();
    AppendTextToDay(page, 3, QStringLiteral("Recital"));
    SaveToFile(page, path("doc.QXF"));
    page.SetUserTitle("Styled");
    page.SetCalendarLayout(LOFullCalendarLS);
    SaveStyleSheet(page, path("wide.QXS"));
    writeRecurLines(std::filesystem::path(path("QXRECUR.DAX").toStdString()),
                    {MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12))});

    ExportRun r = run({"--style", path("wide.QXS"), "--recurring", path("QXRECUR.DAX"),
                       path("doc.QXF"), path("out.pdf")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const PdfInfo info = pdfInfo(path("out.pdf"));
    EXPECT_NEAR(info.width, 792, 1.0); // the style sheet's landscape layout
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess p;
        p.start(pdftotext, {path("out.pdf"), QStringLiteral("-")});
        p.waitForFinished(30000);
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QStringLiteral("Recital")));
        EXPECT_TRUE(text.contains(QStringLiteral("Christmas")));
        EXPECT_TRUE(text.contains(QStringLiteral("December 2026")));
    }

    // Unreadable inputs: exit 1, a message, no output.
    QFile::remove(path("out.pdf"));
    QFile bad(path("bad.QXF"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a calendar");
    bad.close();
    r = run({path("bad.QXF"), path("out.pdf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Unable to open")));
    r = run({"--style", path("bad.QXF"), path("out.pdf")});
    EXPECT_EQ(r.code, 2);
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

namespace {
void writeBytes(const QString &file, const TBytes &bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
}
} // namespace

TEST_F(Export, DocumentCopiesKeepEveryByte)
{
    // Saved by the program: a drawn label keeps its "Special" name, a cell its text.
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetUserTitle("Copy me");
    page.CellStore(9).setRtfBytes("{\\rtf1\\ansi nine\\par}");
    auto label = std::make_unique<TGPLabel>();
    label->SetCaption("Drawn");
    page.AddObject(std::move(label), TRect{20, 30, 140, 60});
    SaveToFile(page, path("saved.QXF"), &page.DocumentObjects());
    // From another writer: a class we do not know between two labels.
    writeBytes(path("foreign.QXF"),
               documentWith(page, {labelRecord("First", "Component0", 10), foreignRecord(),
                                   labelRecord("Second", "Special4", 200)}));

    for (const char *name : {"saved.QXF", "foreign.QXF"}) {
        SCOPED_TRACE(name);
        const ExportRun r = run({path(name), path("copy.QXF")});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(ReadWholeFile(path("copy.QXF")), ReadWholeFile(path(name)));
        QFile::remove(path("copy.QXF"));
    }

    // A document the program cannot read is not copied.
    writeBytes(path("bad.QXF"), TBytes{1, 2, 3});
    ExportRun r = run({path("bad.QXF"), path("copy.QXF")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Unable to open")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("copy.QXF")));
    // A copy needs its source and takes no page options.
    for (const QStringList &args : {QStringList{"copy.QXF"},
                                    QStringList{"--layout", "3", path("saved.QXF"), "copy.QXF"}}) {
        r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("copy.QXF")));
}

TEST_F(Export, DumpPrintsTheFileAndStopsAtDamage)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    const TBytes doc = documentWith(page, {labelRecord("First", "Component0", 10), foreignRecord()});
    writeBytes(path("doc.QXF"), doc);
    SaveStyleSheet(page, path("look.qxs"));

    ExportRun r = run({"--dump", path("doc.QXF")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out.startsWith("Document\n  Version = 3\n  Kind = 1\n  Settings\n"));
    EXPECT_TRUE(r.out.contains("\n    Cell 42: RTF 0 bytes\n"));
    EXPECT_TRUE(r.out.contains("\nObjects\n  TGPLabel \"Component0\"\n"));
    EXPECT_TRUE(r.out.endsWith("  TGStarShape \"Special7\"\n"
                               "    Left = 40\n    Points = (5, 2.5, \"x\")\n"
                               "    Style = [fsBold, fsItalic]\n    Image.Data = <binary 6 bytes>\n"
                               "    Kind = skStar\n    TGStarPoint \"P1\"\n      X = 1000\n"))
        << r.out.toStdString();

    r = run({"--dump", path("look.qxs")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("Style sheet\n  Version = 1\n  Kind = 2\n"));

    writeBytes(path("cut.QXF"), TBytes(doc.begin(), doc.begin() + 200));
    r = run({"--dump", path("cut.QXF")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.startsWith("Document\n  Version = 3\n"));
    EXPECT_TRUE(r.out.contains(QRegularExpression("\nError at byte \\d+: Stream read error\n$")))
        << r.out.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("velmora-export: "));

    r = run({"--dump", path("missing.QXF")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    for (const QStringList &args : {QStringList{"--dump", path("doc.QXF"), "out.png"},
                                    QStringList{"--layout", "2", "--dump", path("doc.QXF")},
                                    QStringList{"--dump", "notes.txt"}}) {
        r = run(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
    }
    r = run({"--help"});
    EXPECT_TRUE(r.out.contains("--dump FILE")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("COPY.QXF"));
}

// Each page of a run gets its own month's recurring dates and no earlier month's, also
// across a year end; a document's own cell texts stay on its first page.
TEST_F(Export, RecurringDatesOfEachMonthOnlyOnItsPage)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    writeRecurLines(std::filesystem::path(path("QXRECUR.DAX").toStdString()),
                    {MakeRecurringEntry("Veterans", DayOfMonthFormula(11, 11)),
                     MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
                     MakeRecurringEntry("NewYear", DayOfMonthFormula(1, 1)),
                     MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0)),
                     MakeRecurringEntry("Gym", DaysOfWeekFormula({false, true, false, false, false, false, false}))});
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(11);
    page.SetMainCalYear(2026);
    page.ComputeCellDays();
    AppendTextToDay(page, 20, QStringLiteral("Recital"));
    SaveToFile(page, path("doc.QXF"));

    const ExportRun r = run({"--months", "3", "--recurring", path("QXRECUR.DAX"), path("doc.QXF"),
                             path("out.pdf")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_EQ(pdfInfo(path("out.pdf")).pages, 3);
    auto pageText = [&](int n) {
        QProcess p;
        p.start(pdftotext, {"-f", QString::number(n), "-l", QString::number(n), path("out.pdf"), "-"});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    struct Expect
    {
        const char *title;
        int mondays;
        QStringList present, absent;
    };
    const Expect pages[] = {
        {"November 2026", 5, {"Veterans", "Recital"}, {"Christmas", "NewYear"}},
        {"December 2026", 4, {"Christmas"}, {"Veterans", "NewYear", "Recital"}},
        {"January 2027", 4, {"NewYear"}, {"Veterans", "Christmas", "Recital"}},
    };
    for (int i = 0; i < 3; ++i) {
        const QString text = pageText(i + 1);
        SCOPED_TRACE(pages[i].title);
        EXPECT_TRUE(text.contains(QLatin1String(pages[i].title)));
        for (const QString &w : pages[i].present)
            EXPECT_EQ(text.count(w), 1) << w.toStdString();
        for (const QString &w : pages[i].absent)
            EXPECT_EQ(text.count(w), 0) << w.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("Rent")), 1);
        EXPECT_EQ(text.count(QStringLiteral("Gym")), pages[i].mondays);
    }
}

// Pages drawn only in grey are stored as 8-bit grey, with exactly the drawn pixels.
TEST_F(Export, GreyPagesAreStoredAsGrey)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    const QImage drawn = page.RenderToBitmap();
    const QImage grey = PngPicture(drawn);
    EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(grey.convertToFormat(QImage::Format_RGB32), drawn);

    page.SetTitleBGColor(clRed);
    const QImage coloured = page.RenderToBitmap();
    EXPECT_EQ(PngPicture(coloured).format(), QImage::Format_RGB32);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WritePng(coloured, &buffer));
    EXPECT_EQ(QImage::fromData(buffer.data(), "PNG").convertToFormat(QImage::Format_RGB32), coloured);

    const ExportRun r = run({"--month", "1", "--year", "2027", "out.png"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage read(path("out.png"));
    EXPECT_EQ(read.format(), QImage::Format_Grayscale8);
    page.ResetToDefaults();
    page.SetMainCalMonth(1);
    page.SetMainCalYear(2027);
    page.RecalcLayout(false);
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page.RenderToBitmap());
}

// Grey pages skip Qt's writer (it loads every image plugin) but must give its very bytes:
// the golden pages and any earlier output compare byte for byte.
TEST_F(Export, GreyPngBytesAreThoseOfQtsWriter)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    std::vector<QImage> pages;
    for (const int layout : {int(loFullCalendar), int(loMC60MonthLS), int(lo2Week)}) {
        page.SetCalendarLayout(layout);
        page.RecalcLayout(false);
        pages.push_back(PngPicture(page.RenderToBitmap()));
    }
    QImage noise(37, 5, QImage::Format_Grayscale8); // odd width, every row filter worth trying
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.scanLine(y)[x] = uchar((x * 73 + y * 151) ^ (x * y));
    pages.push_back(noise);
    QImage unresolved = noise.copy();
    unresolved.setDotsPerMeterX(0);
    unresolved.setDotsPerMeterY(0);
    pages.push_back(unresolved);

    for (const QImage &grey : pages) {
        ASSERT_EQ(grey.format(), QImage::Format_Grayscale8);
        QBuffer ours, qts;
        ours.open(QIODevice::WriteOnly);
        qts.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WriteGreyPng(grey, &ours));
        QImageWriter writer(&qts, "PNG");
        writer.setQuality(85);
        ASSERT_TRUE(writer.write(grey));
        EXPECT_EQ(ours.data(), qts.data()) << grey.width() << "x" << grey.height();
        EXPECT_EQ(QImage::fromData(ours.data(), "PNG"), grey);
    }

    // Not grey, or a device that takes nothing: refused, nothing thrown.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteGreyPng(pages[0].convertToFormat(QImage::Format_RGB32), &buffer));
    EXPECT_FALSE(WriteGreyPng(QImage(), &buffer));
    EXPECT_TRUE(buffer.data().isEmpty());
    QBuffer closed;
    EXPECT_FALSE(WriteGreyPng(pages[0], &closed));
}

// A full disk at any point of the output: the exit code says so, an earlier file of the
// same name stays byte for byte, and no partial file or temporary is left.
TEST_F(Export, FullDiskKeepsEarlierOutputAndFails)
{
    for (const QString &name : {QStringLiteral("out.png"), QStringLiteral("out.bmp"), QStringLiteral("out.pdf")}) {
        SCOPED_TRACE(name.toStdString());
        QString out, err;
        // The size of the output that will not fit, made beside it first.
        const QString probe = path(QStringLiteral("probe.") + QFileInfo(name).suffix());
        ASSERT_EQ(RunExport({"--month", "4", probe}, out, err), 0) << err.toStdString();
        const std::size_t size = fileBytes(probe.toStdString()).size();
        QFile::remove(probe);
        ASSERT_EQ(RunExport({"--month", "3", path(name)}, out, err), 0) << err.toStdString();
        const std::string before = fileBytes(path(name).toStdString());
        for (const std::size_t room : {std::size_t(0), std::size_t(1), size / 3, size - 1}) {
            test::TFullDisk disk(room);
            err.clear();
            EXPECT_EQ(RunExport({"--month", "4", path(name)}, out, err), 2) << "room " << room;
            EXPECT_TRUE(err.contains(QStringLiteral("No space left on device"))) << err.toStdString();
            EXPECT_TRUE(fileBytes(path(name).toStdString()) == before) << "room " << room;
        }
        {
            test::TFullDisk disk(0, test::TFullDisk::Mode::FailSync);
            EXPECT_EQ(RunExport({"--month", "4", path(name)}, out, err), 2);
        }
        EXPECT_TRUE(fileBytes(path(name).toStdString()) == before);
        EXPECT_EQ(files().size(), 1);
        QFile::remove(path(name));
    }
}

TEST_F(Export, RealFullDiskGivesNonZeroExitAndNoFile)
{
    QDir(dir.path()).mkdir(QStringLiteral("disk"));
    const std::string disk = path(QStringLiteral("disk")).toStdString();
    test::TSmallDisk small(disk, 64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    small.fillLeaving(8 * 1024);
    for (const QString &name : {QStringLiteral("disk/out.png"), QStringLiteral("disk/out.pdf")}) {
        SCOPED_TRACE(name.toStdString());
        const ExportRun r = run({path(name)});
        EXPECT_NE(r.code, 0);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path(name)));
    }
    EXPECT_EQ(QDir(path(QStringLiteral("disk"))).entryList(QDir::Files), QStringList{"filler"});
}
