// Writes the fuzz seed corpora with our own writers, so that every seed is a file this
// program really produces:  fuzz_make_corpus tests/fuzz/corpus
// Existing files of the same names are replaced; other files are left alone.
#include "app/Preferences.h"
#include "calendar/Calpanel32.h"
#include "calendar/DayText.h"
#include "calendar/DocumentFile.h"
#include "common/AtomicFile.h"
#include "common/IniFile.h"
#include "objects/GGraphc.h"
#include "calendar/gcalflat.h"
#include "imaging/Imager.h"
#include "objects/Gimage.h"
#include "objects/Gplabel.h"
#include "objects/Gprichl.h"
#include "objects/gsstext.h"
#include "richtext/WPMasterRichText.h"
#include "richtext/WPRtfStorage.h"
#include "recurring/RecurFormula.h"
#include "recurring/RecurStore.h"
#include "richtext/RtfWriter.h"
#include "support/IconFiles.h"

#include <QApplication>
#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

fs::path root;

void put(const std::string &parser, const std::string &name, std::span<const uint8_t> bytes)
{
    fs::create_directories(root / parser);
    WriteFileAtomic(root / parser / name, bytes);
}

void put(const std::string &parser, const std::string &name, std::string_view bytes)
{
    put(parser, name, std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
}

// One page holding every kind of design object, so that mutations reach each reader.
void everyObject()
{
    // Rich text labels draw through the program's one hidden master.
    const auto master = TWPMasterRichText::Create();
    TCalendarPanel32 page;
    page.ResetToDefaults();
    TObjectLayer &layer = page.Objects();
    auto place = [&](const char *kind, int left, int top, int width, int height) {
        TGGraphicControl *o = layer.CreateObject(kind);
        o->SetBounds(left, top, width, height);
        layer.ObjectLoaded(o);
        return o;
    };

    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, qRgb(x * 30, y * 30, 120));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
    }
    auto *image = static_cast<TGImage *>(place(TGImage::kClassName, 20, 20, 80, 60));
    image->SetPicture(LoadPictureBytes(png, QStringLiteral("png")));
    image->SetStretch(true);

    auto *rich = static_cast<TGPRichBaseLabel *>(place(TGPRichBaseLabel::kClassName, 120, 20, 190, 33));
    QTextDocument text;
    text.setHtml(QStringLiteral("<b>Fair</b> at <i>ten</i>"));
    TWPRtfStorage store;
    store.saveFromDocument(text);
    rich->SetRTFText(store);

    auto *super = static_cast<TGSuperText *>(place(TGSuperText::kClassName, 20, 100, 300, 80));
    super->SetCaptionText("Super");
    super->SetSurfaceType(stGradientFill);
    super->SetShadowDepth(4);
    auto *textured = static_cast<TGSuperText *>(place(TGSuperText::kClassName, 20, 200, 300, 80));
    textured->SetCaptionText("Tile");
    textured->SetImage(tile);
    textured->SetSurfaceType(stBrushImage);

    auto *month = static_cast<TGFlatCalendar *>(place(TGFlatCalendar::kClassName, 340, 20, 160, 120));
    month->SetMonth(2);
    month->SetYear(2024);
    month->SetShadowDepth(3);
    month->SetStartOfWeek(2);
    page.AttachObjects();
    const TBytes bytes = DocumentBytes(page, &page.DocumentObjects());
    put("document", "every_object.QXF", bytes);
    put("stream", "every_object.QXF", bytes);
    put("document_dump", "every_object.QXF", bytes);
}

void documents()
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    const TBytes plain = DocumentBytes(page, &page.DocumentObjects());
    put("document", "default.QXF", plain);
    put("stream", "default.QXF", plain);
    put("stylesheet", "default.QXS", StyleSheetBytes(page.Settings()));

    page.SetCalendarLayout(5);
    page.SetMainCalYear(2024);
    page.SetMainCalMonth(2);
    page.SetUserTitle("Leap month");
    page.RenderToBitmap();
    AppendTextToDay(page, 29, QStringLiteral("Leap day"));
    AppendTextToDay(page, 14, QStringLiteral("Valentine's Day \u00e9t\u00e9"));
    auto *label = page.Objects().CreateObject(TGPLabel::kClassName);
    label->SetCaption("Hello");
    label->SetBounds(40, 30, 120, 24);
    page.Objects().ObjectLoaded(label);
    page.AttachObjects();
    const TBytes rich = DocumentBytes(page, &page.DocumentObjects());
    put("document", "cells_title_label.QXF", rich);
    put("stream", "cells_title_label.QXF", rich);
    put("stylesheet", "layout5_leap.QXS", StyleSheetBytes(page.Settings()));
    TWriter objects;
    page.Objects().WriteObjects(objects);
    put("stream", "object_clipboard.bin", objects.bytes());
    everyObject();
}

void rtf()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Plain text"));
    put("rtf", "plain.rtf", writeRtf(doc));

    QTextDocument styled;
    QTextCursor c(&styled);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(200, 20, 20));
    c.insertText(QStringLiteral("Bold red "), bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontFamilies({QStringLiteral("Liberation Serif")});
    italic.setFontPointSize(18);
    c.insertText(QStringLiteral("italic serif \u20ac \u4e2d\t{braces}\\"), italic);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setLeftMargin(12);
    c.insertBlock(centred);
    QTextCharFormat under;
    under.setFontUnderline(true);
    under.setFontStrikeOut(true);
    under.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    under.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral("under\u2028line"), under);
    put("rtf", "styled.rtf", writeRtf(styled));

    QTextDocument picture;
    QImage dot(3, 2, QImage::Format_ARGB32);
    dot.fill(QColor(10, 120, 200));
    picture.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("dot")), dot);
    QTextCursor pc(&picture);
    pc.insertText(QStringLiteral("Picture: "));
    QTextImageFormat image;
    image.setName(QStringLiteral("dot"));
    image.setWidth(30);
    pc.insertImage(image);
    put("rtf", "picture.rtf", writeRtf(picture));
}

void ini(const fs::path &scratch)
{
    const fs::path file = scratch / "QX.ini";
    fs::remove(file);
    TPreferences prefs = DefaultPreferences("/opt/velmora/");
    prefs.fontName = "Liberation Sans";
    SavePreferences(file, prefs);
    SavePlacement(file, "TCalendarMain", 96, TPlacement{TRect{10, 20, 810, 620}, false});
    SavePlacement(file, "TCalendarProperties", 144, TPlacement{TRect{0, 0, 400, 300}, true});
    TIniFile(file).writeSection("MRU", {{"F0", "/home/a/one.QXF"}, {"F1", "/home/a/two.QXF"}});
    const TBytes bytes = ReadWholeFile(QString::fromStdString(file.string()));
    put("ini", "QX.ini", bytes);
}

void recurring(const fs::path &scratch)
{
    std::vector<std::string> lines = predefinedHolidayEntries();
    lines.push_back(MakeRecurringEntry("Rent", DayOfMonthFormula(1, 0)));
    lines.push_back(MakeRecurringEntry("Last Friday", SpecialFormula(5, 5, 0)));
    lines.push_back(MakeRecurringEntry("Leap", DayOfMonthFormula(29, 2)));
    lines.push_back(MakeRecurringEntry("Gym", DaysOfWeekFormula({false, true, false, true, false, true, false})));
    lines.push_back(MakeRecurringEntry("Any day 2nd", SpecialFormula(1, 7, 3)));
    const fs::path file = scratch / "QXRECUR.DAX";
    writeRecurLines(file, lines);
    put("recurring", "holidays_and_formulas.DAX",
        ReadWholeFile(QString::fromStdString(file.string())));
}

void icons()
{
    using namespace velmora::test;
    const std::vector<std::vector<Picture>> two = {{taggedPicture(16, 1), taggedPicture(32, 2)},
                                                   {taggedPicture(16, 3)}};
    put("icon", "two_sizes.ico", icoFile(two[0]));
    QImage png(16, 16, QImage::Format_ARGB32);
    png.fill(QColor(0, 128, 0, 200));
    put("icon", "png.ico", icoFile({pngPicture(png)}));
    put("icon", "palette.ico",
        icoFile({dibPicture(16, 16, 4, {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
                            [](int x, int y) { return uint32_t((x + y) % 4); },
                            [](int x, int) { return x == 0; })}));
    put("icon", "library.icl", neFile(two));
    put("icon", "program.dll", peFile(two));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_corpus CORPUS-FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    root = argv[1];
    const fs::path scratch = fs::temp_directory_path() / "velmora-corpus-scratch";
    fs::create_directories(scratch);
    documents();
    rtf();
    ini(scratch);
    recurring(scratch);
    icons();
    fs::remove_all(scratch);
    return 0;
}
