// Photo calendars from the exporter: --pictures with --months, --photo-pages and --fit, and
// what it says and leaves behind when the pictures or the output fail.
#include "support/ExporterRun.h"
#include "calendar/CalendarPage.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velmora;

namespace {

class ExportPhotoCalendar : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(path("photos"));
        // Name order ignores case: A, b, C.
        const std::pair<const char *, QColor> photos[] = {
            {"photos/b.png", Qt::green}, {"photos/C.png", Qt::blue}, {"photos/A.png", Qt::red}};
        for (const auto &[name, color] : photos) {
            QImage image(300, 200, QImage::Format_RGB32);
            image.fill(color);
            ASSERT_TRUE(image.save(path(name)));
        }
        QImage magenta(20, 20, QImage::Format_RGB32);
        magenta.fill(Qt::magenta);
        ASSERT_TRUE(magenta.save(path("magenta.png")));
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    int run(const QStringList &args, QString *err = nullptr) const
    {
        const test::ExporterRun r = test::runExporter(args, dir.path(), runtime.path());
        if (err)
            *err = r.err;
        return r.code;
    }
    QStringList outputs() const
    {
        QStringList f = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        f.removeAll(QStringLiteral("magenta.png"));
        return f;
    }
    static QString tool(const char *name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }
    static QString toolOutput(const QString &exe, const QStringList &args)
    {
        QProcess p;
        p.start(exe, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QTemporaryDir dir;
    QTemporaryDir runtime;
};

} // namespace

TEST_F(ExportPhotoCalendar, PagesAndMonthOrderAcrossTheYearEnd)
{
    if (tool("pdfinfo").isEmpty() || tool("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    const QStringList months{"--months", "3", "--month", "11", "--year", "2026", "--pictures", "photos"};
    QString err;
    ASSERT_EQ(run(months + QStringList{"band.pdf"}, &err), 0) << err.toStdString();
    ASSERT_EQ(run(months + QStringList{"--photo-pages", "--fit", "contain", "own.pdf"}, &err), 0)
        << err.toStdString();
    const auto pages = [&](const QString &file) {
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(toolOutput(tool("pdfinfo"), {path(file)}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    const auto text = [&](const QString &file, int page) {
        return toolOutput(tool("pdftotext"), {"-f", QString::number(page), "-l", QString::number(page),
                                              path(file), "-"})
            .trimmed();
    };
    EXPECT_EQ(pages("band.pdf"), 3);
    EXPECT_EQ(pages("own.pdf"), 6);
    const char *titles[] = {"November 2026", "December 2026", "January 2027"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(titles[i]);
        EXPECT_TRUE(text("band.pdf", i + 1).contains(QLatin1String(titles[i])));
        EXPECT_EQ(text("own.pdf", 2 * i + 1), QString()) << "a page of its photo alone";
        EXPECT_TRUE(text("own.pdf", 2 * i + 2).contains(QLatin1String(titles[i])));
    }
}

TEST_F(ExportPhotoCalendar, PicturesInNameOrderAndObjectsOnlyWhenAsked)
{
    const QStringList args{"--months", "4", "--zoom", "0.5", "--pictures", "photos",
                           "--picture", "magenta.png@300,700,80,60"};
    QString err;
    ASSERT_EQ(run(args + QStringList{"page.png"}, &err), 0) << err.toStdString();
    ASSERT_EQ(run(args + QStringList{"--with-objects", "--months", "1", "drawn.png"}, &err), 0) << err.toStdString();
    TCalendarPage page;
    page.ResetToDefaults();
    page.RenderToImage(0.5);
    const TRect t = page.TitleRect();
    const QPoint band((t.left + t.right) / 2, (t.top + t.bottom) / 2);
    const QRgb order[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        const QImage image(path(QStringLiteral("page-0%1.png").arg(i + 1)));
        ASSERT_FALSE(image.isNull()) << i;
        EXPECT_EQ(image.pixel(band), order[i]) << "page " << i + 1 << ": the pictures by name, then over again";
    }
    // The placed picture (page pixels 300,700 at zoom 0.5: 170,370) only with --with-objects.
    EXPECT_NE(QImage(path("page-01.png")).pixel(170, 370), qRgb(255, 0, 255));
    EXPECT_EQ(QImage(path("drawn.png")).pixel(170, 370), qRgb(255, 0, 255));
}

TEST_F(ExportPhotoCalendar, BadFoldersPicturesAndOptionsExitWithoutFiles)
{
    QFile earlier(path("year.pdf"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    QDir().mkpath(path("empty"));
    QDir().mkpath(path("broken"));
    QFile bad(path("broken/a.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();

    struct Case
    {
        QStringList args;
        int code;
        const char *message;
    };
    const Case cases[] = {
        {{"--months", "2", "--pictures", "missing", "year.pdf"}, 1, "missing does not exist"},
        {{"--months", "2", "--pictures", "empty", "year.pdf"}, 1, "holds no pictures"},
        {{"--months", "2", "--pictures", "broken", "year.pdf"}, 1, "cannot read the picture"},
        {{"--months", "2", "--pictures", "broken", "--photo-pages", "year.png"}, 1, "a.jpg"},
        {{"--months", "2", "--photo-pages", "year.pdf"}, 2, "go with --pictures"},
        {{"--months", "2", "--fit", "contain", "year.pdf"}, 2, "go with --pictures"},
        {{"--pictures", "photos", "--fit", "stretch", "year.pdf"}, 2, "--fit is cover or contain"},
        {{"--pictures", "photos", "year.bmp"}, 2, "PDF or PNG"},
        {{"--months", "2", "--pictures", "photos", "/proc/velmora-year.pdf"}, 2, "cannot write"},
        {{"--months", "2", "--pictures", "photos", "/proc/velmora-year.png"}, 2, "velmora-year-01.png"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QString err;
        EXPECT_EQ(run(c.args, &err), c.code);
        EXPECT_TRUE(err.startsWith(QStringLiteral("velmora-export: "))) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.message))) << err.toStdString();
        EXPECT_EQ(outputs(), QStringList{QStringLiteral("year.pdf")});
        QFile f(path("year.pdf"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("earlier"));
    }
}
