// File > Export Calendar Year driven through the main window: the dialog, the choice of
// recurring dates, cancel and failure, and the same pages as the exporter's.
#include "app/Camain.h"
#include "app/PropertiesAnswer.h"
#include "app/YearExportCommand.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "objects/Gplabel.h"
#include "recurring/HolidaySets.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"
#include "recurring/Selrecu.h"
#include "richtext/WPRtfStorage.h"
#include "support/DiskSeam.h"
#include "support/ScriptedUi.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <unistd.h>

using namespace velmora;
using velmora::test::PropertiesAnswer;
using velmora::test::ScopedScriptedUi;

namespace {

QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString runTool(const QString &exe, const QStringList &args, int *code = nullptr)
{
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(60000);
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &file)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(runTool(tool("pdfinfo"), {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfPageText(const QString &file, int page)
{
    return runTool(tool("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                       QString::number(page), file, QStringLiteral("-")});
}

QByteArray bytesOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What a test asks of the dialog; the rest keeps its proposal.
struct Choices
{
    int months = 3;
    bool png = false;
    QString output = {};
    bool fill = false;
    bool keepObjects = true;
    QString pictures = {};
    bool photoPages = false;
};

class YearExportCommand : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScopedScriptedUi scripted;
    velmora::test::ScriptedUi &ui = scripted.ui();
    QString proposed;        // the output the dialog proposed on its last run
    QStringList dialogs;     // what ran: "export", "select"

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path());
    }
    void TearDown() override { SetAppFolder(QString()); }
    QString path(const QString &name) const { return dir.filePath(name); }

    // A new November 2026 month calendar with one text of its own.
    std::unique_ptr<TCalendarMain> startWithPage()
    {
        auto w = std::make_unique<TCalendarMain>();
        w->FirstActivation();
        w->RunPropertiesDialog = PropertiesAnswer([](TCalendarPanel32 &preview) {
            preview.ResetToDefaults();
            preview.SetCalendarLayout(loFullCalendar);
            preview.SetMainCalMonth(11);
            preview.SetMainCalYear(2026);
        });
        w->New1Click();
        w->CalendarPanel()->RenderToBitmap();
        AppendTextToDay(w->CalendarPanel()->Page(), 20, QStringLiteral("Recital"));
        return w;
    }

    // The dialog set as the user would and Export clicked.
    void answer(TCalendarMain &w, const Choices &c)
    {
        w.ExportYearHooks.dialog = [this, c](TExportYearDialog &d) {
            dialogs << QStringLiteral("export");
            proposed = d.Output->text();
            d.show();
            d.Months->setValue(c.months);
            d.Format->setCurrentIndex(c.png ? 1 : 0);
            if (!c.output.isEmpty()) {
                d.Output->clear();
                QTest::keyClicks(d.Output, c.output);
            }
            if (d.FillRecurring->isChecked() != c.fill)
                QTest::mouseClick(d.FillRecurring, Qt::LeftButton);
            d.KeepObjects->setChecked(c.keepObjects);
            d.PictureFolder->setText(c.pictures);
            d.PhotoPages->setChecked(c.photoPages);
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("ExportButton")), Qt::LeftButton);
            const bool ok = d.result() == QDialog::Accepted;
            d.hide();
            return ok;
        };
    }

    void writeStore(const std::vector<std::string> &lines) const
    {
        writeRecurLines(std::filesystem::path(path(QStringLiteral("QXRECUR.DAX")).toStdString()), lines);
    }

    void photos(const QStringList &names, const QList<QColor> &colors)
    {
        QDir().mkpath(path(QStringLiteral("photos")));
        for (qsizetype i = 0; i < names.size(); ++i) {
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(colors[i]);
            ASSERT_TRUE(image.save(path(QStringLiteral("photos/") + names[i])));
        }
    }

    // AddObject takes the rectangle at the window's zoom.
    static void placeAtPagePixels(TCalendarMain &w, std::unique_ptr<TGGraphicControl> object, const TRect &r)
    {
        const double z = w.CalendarPanel()->Zoom();
        w.CalendarPanel()->AddObject(std::move(object),
                                     TRect{int(r.left * z), int(r.top * z), int(r.right * z), int(r.bottom * z)});
    }

    QStringList files(const QString &folder = {}) const
    {
        return QDir(folder.isEmpty() ? dir.path() : folder)
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

} // namespace

TEST_F(YearExportCommand, DialogProposesTheMonthsAndChecksItsChoices)
{
    TExportYearDialog d(11, 2026, path(QStringLiteral("Calendar 2026.pdf")));
    d.show();
    EXPECT_EQ(d.Months->value(), 12);
    EXPECT_EQ(d.Months->minimum(), 1);
    EXPECT_EQ(d.Months->maximum(), 24);
    EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("Range"))->text(),
              QStringLiteral("November 2026 to October 2027"));
    d.Months->setValue(24);
    EXPECT_EQ(d.RangeText(), QStringLiteral("November 2026 to October 2028"));
    d.Months->setValue(3);

    // The photo options wait for a folder.
    EXPECT_FALSE(d.PhotoPages->isEnabled());
    EXPECT_FALSE(d.Fit->isEnabled());
    QTest::keyClicks(d.PictureFolder, path(QStringLiteral("photos")));
    EXPECT_TRUE(d.PhotoPages->isEnabled());
    EXPECT_TRUE(d.Fit->isEnabled());

    // PNG pictures: the name follows and the pages are numbered, a photo page each.
    d.Format->setCurrentIndex(1);
    EXPECT_EQ(d.Output->text(), path(QStringLiteral("Calendar 2026.png")));
    d.PhotoPages->setChecked(true);
    const QStringList pngs = d.OutputFiles();
    ASSERT_EQ(pngs.size(), 6);
    EXPECT_EQ(pngs.first(), path(QStringLiteral("Calendar 2026-01.png")));
    EXPECT_EQ(pngs.last(), path(QStringLiteral("Calendar 2026-06.png")));
    d.Format->setCurrentIndex(0);
    d.Output->setText(path(QStringLiteral("year")));
    EXPECT_EQ(d.Options().output, path(QStringLiteral("year.pdf"))) << "the format's suffix is added";
    EXPECT_TRUE(d.Options().photoPages);
    d.PictureFolder->clear();
    EXPECT_FALSE(d.Options().photoPages) << "no photo pages without photos";

    QPushButton *exportButton = d.findChild<QPushButton *>(QStringLiteral("ExportButton"));
    const auto refused = [&](const char *what) {
        SCOPED_TRACE(what);
        ui.messages.clear();
        d.setResult(QDialog::Rejected);
        QTest::mouseClick(exportButton, Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_TRUE(d.isVisible());
    };
    d.Output->clear();
    refused("no output");
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Choose the file to write.")});
    d.Output->setText(path(QStringLiteral("missing/year.pdf")));
    refused("no such folder");
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("missing"))) << ui.messages[0].toStdString();
    d.Output->setText(path(QStringLiteral("year.pdf")));
    QDir().mkpath(path(QStringLiteral("empty")));
    d.PictureFolder->setText(path(QStringLiteral("empty")));
    refused("a folder without pictures");
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(QStringLiteral("The folder "))) << ui.messages[0].toStdString();
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("holds no pictures")));
    d.PictureFolder->clear();

    // An existing file is replaced only when the user agrees.
    writeFile(path(QStringLiteral("year.pdf")), "earlier");
    ui.answers = {false};
    refused("replace refused");
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_TRUE(ui.questions[0].contains(QStringLiteral("year.pdf already exists")));
    ui.answers = {true};
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(bytesOf(path(QStringLiteral("year.pdf"))), QByteArray("earlier")) << "the dialog writes nothing";
}

TEST_F(YearExportCommand, RecurringDatesOfTheMonthsAreOfferedOnceAndFillOnlyTheirMonth)
{
    const std::vector<std::string> lines = {
        MakeRecurringEntry("Veterans", DayOfMonthFormula(11, 11)),
        MakeRecurringEntry("Easter", "#EASTER"),
        MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
        MakeRecurringEntry("NewYear", DayOfMonthFormula(1, 1)),
        MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)), // stored twice
        MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0)),
    };
    // November to January: Easter (spring) is not offered; the order is the store's.
    EXPECT_EQ(EntriesForMonths(lines, 11, 2026, 3),
              (std::vector<std::string>{lines[0], lines[2], lines[3], lines[5]}));
    EXPECT_EQ(EntriesForMonths(lines, 12, 2026, 1), (std::vector<std::string>{lines[2], lines[5]}));
    EXPECT_TRUE(EntriesForMonths({}, 1, 2027, 24).empty());

    // A chosen January holiday marks its observed day in December: New Year's Day 2028 is a
    // Saturday, kept on Friday 31 December 2027 in the United States.
    const HolidayCountry *us = FindHolidayCountry("US");
    ASSERT_NE(us, nullptr);
    std::string newYear;
    for (const CountryHoliday &h : us->holidays)
        if (h.line.find("New Year") != std::string::npos)
            newYear = h.line;
    ASSERT_FALSE(newYear.empty());
    TCalendarPage page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2027);
    page.RenderToImage(1.0);
    page.ComputeCellDays();
    FillMonthWithChosenDates(page, {{lines[0], lines[2], newYear}, us});
    const auto text = [&](int day) {
        QTextDocument doc;
        page.CellStore(page.CellOfDay(day)).loadIntoDocument(doc);
        return doc.toPlainText().trimmed();
    };
    EXPECT_EQ(text(25), QStringLiteral("Christmas"));
    EXPECT_TRUE(text(31).contains(QStringLiteral("(observed)"))) << text(31).toStdString();
    EXPECT_EQ(text(11), QString()) << "November's entry stays out of December";
}

TEST_F(YearExportCommand, MenuExportsTheChosenDatesAndLeavesThePageAsItWas)
{
    if (tool("pdfinfo").isEmpty() || tool("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    writeStore({MakeRecurringEntry("Veterans", DayOfMonthFormula(11, 11)),
                MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
                MakeRecurringEntry("NewYear", DayOfMonthFormula(1, 1)),
                MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0))});
    auto w = startWithPage();
    w->SetModified(false);
    QAction *item = w->action("mnuExportCalendarYear");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Export Calendar Year…"));
    EXPECT_TRUE(item->isEnabled());

    answer(*w, {.months = 3, .output = path(QStringLiteral("out/year.pdf")), .fill = true});
    QDir().mkpath(path(QStringLiteral("out")));
    QStringList offered;
    w->ExportYearHooks.select = [&](TSelectRecurringDates &s) {
        dialogs << QStringLiteral("select");
        for (int i = 0; i < s.list()->count(); ++i)
            offered << s.list()->item(i)->text().trimmed();
        // Leave Rent out.
        for (int i = 0; i < s.list()->count(); ++i)
            if (s.list()->item(i)->text().startsWith(QStringLiteral("Rent")))
                s.list()->item(i)->setSelected(false);
        return true;
    };
    item->trigger();
    EXPECT_EQ(dialogs, (QStringList{QStringLiteral("export"), QStringLiteral("select")}));
    EXPECT_EQ(offered.size(), 4);
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();
    const QString out = path(QStringLiteral("out/year.pdf"));
    ASSERT_EQ(pdfPages(out), 3);
    const char *titles[] = {"November 2026", "December 2026", "January 2027"};
    const char *own[] = {"Veterans", "Christmas", "NewYear"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(titles[i]);
        const QString text = pdfPageText(out, i + 1);
        EXPECT_TRUE(text.contains(QLatin1String(titles[i])));
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(text.count(QLatin1String(own[j])), i == j ? 1 : 0) << own[j];
        EXPECT_EQ(text.count(QStringLiteral("Rent")), 0) << "left out in the choice";
        EXPECT_EQ(text.count(QStringLiteral("Recital")), i == 0 ? 1 : 0);
    }
    EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList{QStringLiteral("year.pdf")});

    // The page on screen is untouched.
    EXPECT_EQ(w->CalendarPanel()->MainCalMonth(), 11);
    EXPECT_EQ(w->CalendarPanel()->MainCalYear(), 2026);
    EXPECT_FALSE(w->Modified());
    const TCalendarPage &shown = w->CalendarPanel()->Page();
    EXPECT_EQ(shown.CellStore(shown.CellOfDay(11)).rtfBytes().find("Veterans"), std::string::npos);

    // The folder is remembered for the next export, also by a new window.
    w.reset();
    auto again = startWithPage();
    answer(*again, {.months = 1});
    again->action("mnuExportCalendarYear")->trigger();
    EXPECT_EQ(QFileInfo(proposed).absolutePath(), path(QStringLiteral("out")));
    EXPECT_EQ(QFileInfo(proposed).fileName(), QStringLiteral("Calendar 2026.pdf"));

    // No page on screen, no command.
    again->SetModified(false);
    again->mnuCloseClick();
    EXPECT_FALSE(again->action("mnuExportCalendarYear")->isEnabled());
}

TEST_F(YearExportCommand, CancelLeavesNoFileAndEarlierFilesAsTheyWere)
{
    auto w = startWithPage();
    for (bool png : {false, true}) {
        SCOPED_TRACE(png ? "png" : "pdf");
        const QString earlier = path(png ? QStringLiteral("year-01.png") : QStringLiteral("year.pdf"));
        writeFile(earlier, "earlier");
        ui.answers = {true}; // replace it
        answer(*w, {.months = 6, .png = png, .output = path(QStringLiteral("year"))});
        int calls = 0;
        w->ExportYearHooks.progress = [&](int done, int) {
            ++calls;
            if (done == 3) { // the progress dialog's own Cancel, while the fourth page is due
                auto *progress = w->findChild<QProgressDialog *>(QStringLiteral("YearExportProgress"));
                EXPECT_NE(progress, nullptr);
                if (progress != nullptr)
                    if (auto *cancel = progress->findChild<QPushButton *>())
                        cancel->click();
            }
            return true;
        };
        w->action("mnuExportCalendarYear")->trigger();
        EXPECT_EQ(calls, 4);
        EXPECT_TRUE(ui.messages.isEmpty()) << "a cancel is no error";
        EXPECT_EQ(bytesOf(earlier), QByteArray("earlier"));
        QStringList left = files();
        left.removeAll(QStringLiteral("QX.ini"));
        EXPECT_EQ(left, QStringList{QFileInfo(earlier).fileName()});
        QFile::remove(earlier);
    }
    // The busy cursor is gone.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(YearExportCommand, FailuresAreToldAndLeaveNothing)
{
    auto w = startWithPage();
    const auto exportAs = [&](const Choices &c) {
        ui.messages.clear();
        answer(*w, c);
        w->action("mnuExportCalendarYear")->trigger();
        return ui.messages.join(QLatin1Char('|'));
    };

    // A picture that cannot be read.
    QDir().mkpath(path(QStringLiteral("broken")));
    writeFile(path(QStringLiteral("broken/a.jpg")), "no picture");
    QString message = exportAs({.output = path(QStringLiteral("photo.pdf")), .pictures = path(QStringLiteral("broken"))});
    EXPECT_TRUE(message.startsWith(QStringLiteral("The calendar was not exported.\nCannot read the picture")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("a.jpg")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("photo.pdf"))));

    // A full disk at the output: the earlier file stays.
    writeFile(path(QStringLiteral("full.pdf")), "earlier");
    ui.answers = {true};
    {
        velmora::test::TFullDisk disk(1000);
        message = exportAs({.months = 2, .output = path(QStringLiteral("full.pdf"))});
    }
    EXPECT_TRUE(message.contains(QStringLiteral("Cannot write"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("full.pdf")));
    EXPECT_EQ(bytesOf(path(QStringLiteral("full.pdf"))), QByteArray("earlier"));

    // A folder that may not be written to; root may write anywhere but /proc.
    const QString locked = geteuid() == 0 ? QStringLiteral("/proc") : path(QStringLiteral("locked"));
    if (geteuid() != 0) {
        QDir().mkpath(locked);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QStringList before = files(locked);
    message = exportAs({.months = 2, .png = true, .output = locked + QStringLiteral("/velmora-year.png")});
    if (geteuid() != 0)
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(message.contains(QStringLiteral("Cannot write"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("velmora-year-01.png"))) << message.toStdString();
    EXPECT_EQ(files(locked), before);

    // Filling with recurring dates when there are none.
    message = exportAs({.output = path(QStringLiteral("dates.pdf")), .fill = true});
    EXPECT_TRUE(message.contains(QStringLiteral("no recurring dates"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("dates.pdf"))));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(YearExportCommand, PhotosInNameOrderAndDesignObjectsOnRequest)
{
    photos({QStringLiteral("b.png"), QStringLiteral("A.png"), QStringLiteral("c.png")},
           {Qt::green, Qt::red, Qt::blue});
    auto w = startWithPage();
    auto label = std::make_unique<TGPLabel>();
    label->SetCaption("Kept");
    placeAtPagePixels(*w, std::move(label), TRect{40, 700, 200, 740});

    // Over the band: red, green, blue by name; the label drawn last, over the grid.
    answer(*w, {.months = 3, .png = true, .output = path(QStringLiteral("band.png")),
                .pictures = path(QStringLiteral("photos"))});
    w->action("mnuExportCalendarYear")->trigger();
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();
    TCalendarPage &page = w->CalendarPanel()->Page();
    page.RenderToImage(1.0);
    const TRect title = page.TitleRect();
    const QPoint inBand((title.left + title.right) / 2, (title.top + title.bottom) / 2);
    const QRgb expected[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    QImage withLabel;
    for (int i = 0; i < 3; ++i) {
        const QImage image(path(QStringLiteral("band-0%1.png").arg(i + 1)));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.pixel(inBand), expected[i]) << "page " << i + 1;
        if (i == 0)
            withLabel = image;
    }

    // Without the objects the label's place shows the grid alone.
    answer(*w, {.months = 1, .png = true, .output = path(QStringLiteral("bare.png")), .keepObjects = false,
                .pictures = path(QStringLiteral("photos"))});
    w->action("mnuExportCalendarYear")->trigger();
    const QImage bare(path(QStringLiteral("bare.png")));
    ASSERT_EQ(bare.size(), withLabel.size());
    const QRect labelArea(40, 700, 160, 40);
    EXPECT_NE(bare.copy(labelArea), withLabel.copy(labelArea));
    EXPECT_EQ(bare.pixel(inBand), qRgb(255, 0, 0));

    // Photo pages: a picture page before each month.
    answer(*w, {.months = 2, .png = true, .output = path(QStringLiteral("own.png")),
                .pictures = path(QStringLiteral("photos")), .photoPages = true});
    w->action("mnuExportCalendarYear")->trigger();
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("own-0%1.png").arg(i)))) << i;
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("own-05.png"))));
    const QImage second(path(QStringLiteral("own-03.png")));
    EXPECT_EQ(second.pixel(second.width() / 2, second.height() / 2), qRgb(0, 255, 0));
}

// The program and the exporter, given the same document, dates and photos, make the same
// pages: the same text on each and the same pictures of them.
TEST_F(YearExportCommand, SamePagesAsTheExporter)
{
    if (tool("pdfinfo").isEmpty() || tool("pdftotext").isEmpty() || tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    writeStore({MakeRecurringEntry("Veterans", DayOfMonthFormula(11, 11)),
                MakeRecurringEntry("Christmas", DayOfMonthFormula(25, 12)),
                MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0))});
    photos({QStringLiteral("1.png"), QStringLiteral("2.png")}, {Qt::darkCyan, Qt::darkYellow});
    auto w = startWithPage();
    auto label = std::make_unique<TGPLabel>();
    label->SetCaption("Family");
    placeAtPagePixels(*w, std::move(label), TRect{40, 700, 200, 740});
    ui.fileAnswers = {path(QStringLiteral("doc.QXF"))};
    ASSERT_TRUE(w->mnuSaveAsClick());

    answer(*w, {.months = 3, .output = path(QStringLiteral("gui.pdf")), .fill = true,
                .pictures = path(QStringLiteral("photos"))});
    w->ExportYearHooks.select = [](TSelectRecurringDates &) { return true; };
    w->action("mnuExportCalendarYear")->trigger();
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join(QLatin1Char('|')).toStdString();

    int code = -1;
    QProcess exporter;
    exporter.setWorkingDirectory(dir.path());
    exporter.start(QString::fromStdString(velmora::test::exportExe()),
                   {QStringLiteral("--months"), QStringLiteral("3"), QStringLiteral("--recurring"),
                    path(QStringLiteral("QXRECUR.DAX")), QStringLiteral("--pictures"), path(QStringLiteral("photos")),
                    path(QStringLiteral("doc.QXF")), path(QStringLiteral("cli.pdf"))});
    ASSERT_TRUE(exporter.waitForFinished(90000));
    code = exporter.exitCode();
    ASSERT_EQ(code, 0) << exporter.readAllStandardError().toStdString();

    const QString gui = path(QStringLiteral("gui.pdf")), cli = path(QStringLiteral("cli.pdf"));
    ASSERT_EQ(pdfPages(gui), 3);
    EXPECT_EQ(pdfPages(cli), 3);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(pdfPageText(gui, p), pdfPageText(cli, p)) << "page " << p;
    EXPECT_TRUE(pdfPageText(gui, 1).contains(QStringLiteral("Family")));
    runTool(tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("24"), QStringLiteral("-png"), gui,
                               path(QStringLiteral("gui"))});
    runTool(tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("24"), QStringLiteral("-png"), cli,
                               path(QStringLiteral("cli"))});
    for (int p = 1; p <= 3; ++p) {
        const QImage a(path(QStringLiteral("gui-%1.png").arg(p))), b(path(QStringLiteral("cli-%1.png").arg(p)));
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(a, b) << "page " << p;
    }
}
