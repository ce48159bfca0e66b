// velmora-export --ics: each month's events of an iCalendar file in its day cells.
#include "support/ExporterRun.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velmora::test;

namespace {

struct ExportResult
{
    int code = -1;
    QString err;
};

ExportResult exportWith(const QTemporaryDir &dir, const QStringList &args)
{
    const ExporterRun r =
        runExporter(args, {}, dir.path(), {{QStringLiteral("TZ"), QStringLiteral("UTC")}});
    if (!r.finished)
        return {};
    return {r.code, r.err};
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ExportIcs, EachMonthGetsItsEventsAndBadFilesWriteNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ics = dir.filePath("events.ics");
    write(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
               "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Choir rehearsal\r\nDTSTART;VALUE=DATE:20270104\r\n"
               "RRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"
               "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Valentine dinner\r\nDTSTART;VALUE=DATE:20270214\r\n"
               "END:VEVENT\r\nEND:VCALENDAR\r\n");
    const QString pdf = dir.filePath("out.pdf");
    ExportResult r = exportWith(dir, {"--month", "1", "--year", "2027", "--months", "2", "--ics", ics, pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        auto pageText = [&](int page) {
            QProcess p;
            p.start(pdftotext, {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
            p.waitForFinished(30000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        const QString january = pageText(1);
        const QString february = pageText(2);
        EXPECT_TRUE(january.contains(QLatin1String("Choir rehearsal")));
        EXPECT_FALSE(january.contains(QLatin1String("Valentine dinner")));
        EXPECT_TRUE(february.contains(QLatin1String("Choir rehearsal")));
        EXPECT_TRUE(february.contains(QLatin1String("Valentine dinner")));
    }

    QFile::remove(pdf);
    write(ics, "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Cut sh");
    r = exportWith(dir, {"--ics", ics, pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("not an iCalendar file"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}
