// Makes the sample calendars of the "Samples" folder with the program's own page, cell
// text, recurring dates and icon library code:
//   make_samples DATA_FOLDER
// reads the icon libraries in DATA_FOLDER and writes DATA_FOLDER/Samples/*.QXF. Every page
// is dated, so the samples stay the same whenever they are made again.
#include "calendar/CalendarTypes.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "calendar/NameTables.h"
#include "calendar/gcalflat.h"
#include "imaging/IconImage.h"
#include "imaging/IconLibrary.h"
#include "imaging/Imager.h"
#include "objects/Gimage.h"
#include "objects/Gplabel.h"
#include "objects/gsstext.h"
#include "recurring/RecurFill.h"
#include "recurring/RecurStore.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"

#include <QApplication>
#include <QDir>
#include <QTextCharFormat>
#include <QTextDocument>

#include <cstdio>
#include <functional>

using namespace velmora;

namespace {

QString dataFolder;

void setUp(TCalendarPanel32 &page, int layout, int month, int year, const std::string &title)
{
    page.ResetToDefaults();
    TCalendarSettings &s = page.SettingsForReading();
    s.CalendarLayout = layout;
    s.MainCalMonth = month;
    s.MainCalYear = year;
    s.MainCalDay = 1;
    s.UserTitle = title;
    page.RecalcLayout(true);
    page.RenderToBitmap(); // fills the day cell table that the day lookups use
}

void holidays(TCalendarPanel32 &page)
{
    const TCalendarSettings &s = page.Settings();
    PutEntryTexts(EntriesForMonth(predefinedHolidayEntries(), s.MainCalYear, s.MainCalMonth),
                  s.MainCalYear, s.MainCalMonth, [&](int day, const std::string &text) {
                      AppendTextToDay(page, day, QString::fromLatin1(text.c_str()));
                  });
}

// An icon of a shipped library put into a day's cell, as dropping it from the palette does.
void icon(TCalendarPanel32 &page, TWPRichText &editor, int day, const char *library, int index)
{
    const int cell = page.CellOfDay(day);
    const TIconLibrary lib = TIconLibrary::fromFile((dataFolder + QLatin1String(library)).toStdString());
    const QImage image = ExtractIconImage(lib, index, 32);
    if (cell < 1 || image.isNull()) {
        std::fprintf(stderr, "no icon %d in %s for day %d\n", index, library, day);
        std::exit(1);
    }
    editor.LoadFromStore(page.CellStore(cell));
    editor.moveCursor(QTextCursor::End);
    editor.InsertPicture(image);
    editor.SaveToStore(page.CellStore(cell));
}

// Puts a design object on the page. Documents name their objects as reading does, so a
// sample reads back to the same bytes.
template <class T> T *place(TCalendarPanel32 &page, std::unique_ptr<T> object, const TRect &rect)
{
    const int index = page.ObjectCount();
    auto *placed = static_cast<T *>(page.AddObject(std::move(object), rect));
    placed->SetName("Component" + std::to_string(index));
    return placed;
}

void familyMonth(TCalendarPanel32 &page, TWPRichText &editor)
{
    setUp(page, loFullCalendar, 12, 2026, "The Family in December");
    holidays(page);
    icon(page, editor, 24, "holiday.icl", 0);
    icon(page, editor, 25, "holiday.icl", 4);
    icon(page, editor, 31, "holiday.icl", 15);
    icon(page, editor, 6, "events.icl", 0);
    AppendTextToDay(page, 6, QStringLiteral("Grandma's birthday"));
    icon(page, editor, 12, "activity.icl", 13);
    AppendTextToDay(page, 12, QStringLiteral("School concert"));
    icon(page, editor, 19, "misc2.icl", 0);
    AppendTextToDay(page, 19, QStringLiteral("Vet for Rex"));
    for (int day : {5, 12, 19, 26}) AppendTextToDay(page, day, QStringLiteral("Swimming 10:00"));
}

void schoolWeek(TCalendarPanel32 &page, TWPRichText &)
{
    setUp(page, loWeek, 9, 2026, "School Week");
    page.SettingsForReading().MainCalDay = 7;
    page.SettingsForReading().StartOfWeek = 2; // weeks start on Monday
    page.RecalcLayout(false);
    page.RenderToBitmap();
    const char *plan[][3] = {{"Maths", "English", "Football practice"},
                             {"Science", "History", "Piano lesson"},
                             {"Maths", "Art", "Homework club"},
                             {"French", "Geography", "Swimming"},
                             {"English", "Music", "Movie night"}};
    for (int d = 0; d < 5; ++d)
        for (const char *lesson : plan[d]) AppendTextToDay(page, 7 + d, QString::fromLatin1(lesson));
}

void birthdays(TCalendarPanel32 &page, TWPRichText &editor)
{
    setUp(page, loFC6Before6After, 6, 2027, "Birthdays");
    const std::pair<int, const char *> days[] = {{3, "Anna 7"}, {9, "Dad"}, {17, "Leo 12"},
                                                 {22, "Aunt Mary"}, {28, "Wedding anniversary"}};
    for (const auto &[day, who] : days) {
        icon(page, editor, day, "events.icl", day == 28 ? 10 : 0);
        AppendTextToDay(page, day, QString::fromLatin1(who));
    }
    // A text label with a shadow under the title, as the label tool places one.
    auto *label = place(page, std::make_unique<TGPLabel>(), {228, 272, 588, 314});
    TFontDesc font;
    font.name = "Arial";
    font.setSize(22);
    font.style = 1; // bold
    font.color = 0x002020C0;  // red, 0x00BBGGRR
    label->SetFont(font);
    label->SetCaption("Many happy returns!");
    label->SetDepthShadow(3);
    label->SetColorShadow(0x00C0C0C0);
}

void frenchYear(TCalendarPanel32 &page, TWPRichText &)
{
    setUp(page, loMC12Month, 1, 2027, "Calendrier 2027");
    TCalendarSettings &s = page.SettingsForReading();
    s.Names = BuiltInNames(TNameLanguage::French);
    s.StartOfWeek = 2;
    page.RecalcLayout(false);
}

// A line in a cell by its number, looking as day texts do; planners number their rows.
void cellText(TCalendarPanel32 &page, int cell, const QString &text)
{
    QTextDocument doc;
    page.CellStore(cell).loadIntoDocument(doc);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Arial")});
    format.setFontPointSize(10);
    appendParagraph(doc, text, format);
    page.CellStore(cell).saveFromDocument(doc);
}

void dayPlanner(TCalendarPanel32 &page, TWPRichText &)
{
    setUp(page, loDay10, 3, 2027, "Monday Plan");
    page.SettingsForReading().MainCalDay = 15;
    page.RecalcLayout(false);
    page.RenderToBitmap();
    // Rows from 8 am, the notes last.
    cellText(page, 2, QStringLiteral("Team meeting"));
    cellText(page, 4, QStringLiteral("Call the plumber"));
    cellText(page, 5, QStringLiteral("Lunch with Sam"));
    cellText(page, 8, QStringLiteral("Dentist"));
    cellText(page, 11, QStringLiteral("Buy flowers for Mum"));
}

// A picture object holding a file of the shipped clip art, stretched over its rectangle.
void clipArt(TCalendarPanel32 &page, const char *file, const TRect &rect)
{
    TSmartImage loader;
    const QString path = dataFolder + QStringLiteral("ClipArt/") + QString::fromLatin1(file);
    if (!loader.LoadPictureFile(path)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(loader.errorText()));
        std::exit(1);
    }
    auto image = std::make_unique<TGImage>();
    image->SetPicture(loader.picture());
    image->SetSizing(true, false);
    place(page, std::move(image), rect);
}

void landscapePhotoMonth(TCalendarPanel32 &page, TWPRichText &)
{
    setUp(page, LOFullCalendarLS, 7, 2027, "Summer by the Sea");
    page.SettingsForReading().PaperKind = 1; // A4
    page.RecalcLayout(false);
    page.RenderToBitmap();
    // Pictures at both ends of the title band, clear of the title in its middle.
    const TRect title = page.TitleRect();
    const int side = title.bottom - title.top - 12;
    clipArt(page, "Sailboat.emf", {title.left + 12, title.top + 6, title.left + 12 + side, title.bottom - 6});
    clipArt(page, "Sun.wmf", {title.right - 12 - side, title.top + 6, title.right - 12, title.bottom - 6});
    for (int day : {4, 11, 18, 25}) AppendTextToDay(page, day, QStringLiteral("Beach day"));
    AppendTextToDay(page, 14, QStringLiteral("Fireworks"));
}

void gradientTitle(TCalendarPanel32 &page, TWPRichText &)
{
    // The plain title gives way to a SuperText one over the same band.
    setUp(page, loFullCalendar, 10, 2027, " ");
    const TRect title = page.TitleRect();
    auto text = std::make_unique<TGSuperText>();
    TFontDesc font;
    font.name = "Arial";
    font.setSize(60);
    font.style = 1; // bold
    text->SetFont(font);
    text->SetCaptionText("October 2027");
    text->SetSurfaceType(stGradientFill);
    text->SetFillDirection(gdDown);
    text->SetGradientFromColor(0x0000D7FF); // gold, 0x00BBGGRR
    text->SetGradientToColor(0x00000080);   // maroon
    text->SetOutlineColor(0x00003366);
    text->SetShadowDepth(4);
    text->SetShadowcolor(0x00A0A0A0);
    auto *placed = place(page, std::move(text), title);
    // Sized as the tool sizes it, which leaves a fifth of the text's width spare on the
    // right; the letters, not the box, are centred in the band.
    placed->FitToText();
    placed->SetBounds((title.left + title.right) / 2 - placed->Width() * 5 / 12,
                      (title.top + title.bottom - placed->Height()) / 2, placed->Width(), placed->Height());
    holidays(page);
    AppendTextToDay(page, 31, QStringLiteral("Pumpkin carving"));
}

// A floating mini calendar of one month with a drop shadow.
void miniMonth(TCalendarPanel32 &page, int month, int year, const TRect &rect)
{
    auto mini = std::make_unique<TGFlatCalendar>();
    mini->SetMonth(month);
    mini->SetYear(year);
    mini->SetShowYear(true);
    mini->SetStartOfWeek(1);
    mini->SetTitleBGcolor(0x00F0E0C0); // light blue, 0x00BBGGRR
    mini->SetDayNameBGColor(0x00F0E0C0);
    mini->SetShadowDepth(4);
    mini->SetShadowColor(0x00808080);
    place(page, std::move(mini), rect);
}

void floatingMinis(TCalendarPanel32 &page, TWPRichText &)
{
    // July 2027 leaves the first four cells of its first row empty: last and next month
    // float there, two cells each.
    setUp(page, loFullCalendar, 7, 2027, "");
    const TDayCellTable &cells = page.Cells();
    const TRect first = cells.cell(1).rTotal;
    const TRect second = cells.cell(2).rTotal;
    const TRect third = cells.cell(3).rTotal;
    const TRect fourth = cells.cell(4).rTotal;
    miniMonth(page, 6, 2027, {first.left + 6, first.top + 4, second.right - 6, first.bottom - 4});
    miniMonth(page, 8, 2027, {third.left + 6, third.top + 4, fourth.right - 6, third.bottom - 4});
    holidays(page);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples DATA_FOLDER\n");
        return 2;
    }
    dataFolder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const QString out = dataFolder + QStringLiteral("Samples/");
    QDir().mkpath(out);
    const std::pair<const char *, std::function<void(TCalendarPanel32 &, TWPRichText &)>> samples[] = {
        {"Family Month", familyMonth}, {"School Week", schoolWeek}, {"Birthdays", birthdays},
        {"French Year", frenchYear},   {"Day Planner", dayPlanner},
        {"Summer Landscape", landscapePhotoMonth}, {"Gradient Title", gradientTitle},
        {"Floating Minis", floatingMinis}};
    for (const auto &[name, make] : samples) {
        TCalendarPanel32 page;
        TWPRichText editor;
        make(page, editor);
        const QString path = out + QString::fromLatin1(name) + QStringLiteral(".QXF");
        try {
            SaveToFile(page, path, &page.DocumentObjects());
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), e.what());
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
