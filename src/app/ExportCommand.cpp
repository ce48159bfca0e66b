#include "app/ExportCommand.h"

#include "calendar/CalendarDocument.h"
#include "calendar/CalendarPage.h"
#include "calendar/DayText.h"
#include "calendar/DocumentDump.h"
#include "calendar/DocumentFile.h"
#include "imaging/GreyPng.h"
#include "imaging/Imager.h"
#include "objects/Gimage.h"
#include "calendar/YearExport.h"
#include "objects/ObjectFiler.h"
#include "objects/ObjectLayer.h"
#include "recurring/IcsMonths.h"
#include "recurring/MonthFill.h"
#include "richtext/WPMasterRichText.h"
#include "recurring/RecurStore.h"
#include "common/AtomicFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QSaveFile>

#include <memory>
#include <optional>

namespace velmora {

namespace {

const char *kUsage =
    "Usage: velmora-export [options] [DOCUMENT.QXF] OUTPUT\n"
    "       velmora-export DOCUMENT.QXF COPY.QXF\n"
    "       velmora-export --dump FILE.QXF|FILE.QXS\n"
    "Renders a calendar page, or a saved document, to OUTPUT (.png, .bmp or .pdf).\n"
    "With a .QXF output the document is read and written back unchanged; design objects\n"
    "of kinds this program does not know are kept as they are.\n"
    "--dump prints a document or style sheet as indented text, one value a line; a damaged\n"
    "file prints what could be read, then the error, and exits with 1.\n"
    "\n"
    "Options:\n"
    "  --layout N            page layout 0..21\n"
    "  --month N             month 1..12\n"
    "  --year N              year 1..9999\n"
    "  --day N               day of the month (planners start there)\n"
    "  --week-start DAY      sunday or monday\n"
    "  --paper KIND          letter or a4\n"
    "  --zoom F              0.2..1.0 in tenths (PNG and BMP only)\n"
    "  --language L          month and day names: en, fr, de, es or it\n"
    "  --title TEXT          a title of your own\n"
    "  --style FILE.QXS      apply a style sheet before rendering\n"
    "  --recurring FILE.DAX  write the recurring dates of each month into its day cells\n"
    "  --ics FILE.ics        write the events of an iCalendar file into each month's cells\n"
    "  --months N            N consecutive months: N pages of one PDF, or N numbered\n"
    "                        pictures (name-01.png, name-02.png, ...)\n"
    "  --picture FILE@X,Y,W,H  place a picture object: left, top, width and height in\n"
    "                        page pixels at 96 per inch; may be repeated\n"
    "  --with-objects        draw the design objects into PNG and BMP output too (PDF\n"
    "                        always has them)\n"
    "  --pictures DIR        a photo calendar: each month gets the next picture of DIR\n"
    "                        (by name) over the area above its grid\n"
    "  --photo-pages         with --pictures: each picture on a page of its own before\n"
    "                        its month\n"
    "  --fit MODE            with --pictures: cover (fill, cropping; the default) or\n"
    "                        contain (the whole picture)\n"
    "  --dump FILE           print FILE (.QXF or .QXS) as text; takes no other options\n"
    "  --help                show this text\n";

struct ExportOptions
{
    std::optional<int> layout, month, year, day, weekStart, paper, months;
    std::optional<double> zoom;
    std::optional<TNameLanguage> language;
    std::optional<QString> title;
    std::optional<QString> style;
    std::optional<QString> recurring;
    std::optional<QString> dump;
    int pageOptions = 0; // options that change the page, counted
    std::optional<QString> ics;
    struct Picture
    {
        QString file;
        TRect bounds;
    };
    std::vector<Picture> pictures;
    bool withObjects = false;
    std::optional<QString> pictureFolder;
    bool photoPages = false;
    std::optional<TPictureFit> fit;
    QString input;
    QString output;
};

class UsageError
{
public:
    explicit UsageError(QString m) : message(std::move(m)) {}
    QString message;
};

int intArg(const QString &name, const QString &value, int lo, int hi)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok || v < lo || v > hi)
        throw UsageError(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                             .arg(name).arg(lo).arg(hi).arg(value));
    return v;
}

// FILE@X,Y,W,H; the file name may itself hold an "@", the last one separates.
ExportOptions::Picture pictureArg(const QString &value)
{
    const qsizetype at = value.lastIndexOf(QLatin1Char('@'));
    const QStringList numbers = at < 0 ? QStringList() : value.mid(at + 1).split(QLatin1Char(','));
    if (at <= 0 || numbers.size() != 4)
        throw UsageError(QStringLiteral("--picture is FILE@X,Y,W,H, not \"%1\"").arg(value));
    const int x = intArg(QStringLiteral("--picture X"), numbers[0], -10000, 10000);
    const int y = intArg(QStringLiteral("--picture Y"), numbers[1], -10000, 10000);
    const int w = intArg(QStringLiteral("--picture W"), numbers[2], 1, 10000);
    const int h = intArg(QStringLiteral("--picture H"), numbers[3], 1, 10000);
    return {value.left(at), TRect{x, y, x + w, y + h}};
}

ExportOptions parse(const QStringList &args, bool &help)
{
    ExportOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
            return o;
        }
        if (a == QLatin1String("--with-objects")) {
            o.withObjects = true;
            ++o.pageOptions;
            continue;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            if (!o.input.isEmpty())
                throw UsageError(QStringLiteral("too many file names given"));
            o.input = o.output;
            o.output = a;
            continue;
        }
        if (a == QLatin1String("--photo-pages")) {
            o.photoPages = true;
            ++o.pageOptions;
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError(QStringLiteral("%1 needs a value").arg(a));
        const QString v = args.at(++i);
        if (a == QLatin1String("--dump")) {
            if (o.dump)
                throw UsageError(QStringLiteral("--dump takes one file"));
            o.dump = v;
            continue;
        }
        ++o.pageOptions;
        if (a == QLatin1String("--layout")) o.layout = intArg(a, v, 0, 21);
        else if (a == QLatin1String("--month")) o.month = intArg(a, v, 1, 12);
        else if (a == QLatin1String("--year")) o.year = intArg(a, v, 1, 9999);
        else if (a == QLatin1String("--day")) o.day = intArg(a, v, 1, 31);
        else if (a == QLatin1String("--months")) o.months = intArg(a, v, 1, 1200);
        else if (a == QLatin1String("--week-start")) {
            if (v == QLatin1String("sunday")) o.weekStart = 1;
            else if (v == QLatin1String("monday")) o.weekStart = 2;
            else throw UsageError(QStringLiteral("--week-start is sunday or monday"));
        } else if (a == QLatin1String("--paper")) {
            if (v == QLatin1String("letter")) o.paper = 0;
            else if (v == QLatin1String("a4")) o.paper = 1;
            else throw UsageError(QStringLiteral("--paper is letter or a4"));
        } else if (a == QLatin1String("--zoom")) {
            bool ok = false;
            const double z = v.toDouble(&ok);
            const double tenths = z * 10;
            if (!ok || z < 0.2 - 1e-9 || z > 1.0 + 1e-9 || std::abs(tenths - std::round(tenths)) > 1e-6)
                throw UsageError(QStringLiteral("--zoom is one of 0.2, 0.3, ... 1.0"));
            o.zoom = z;
        } else if (a == QLatin1String("--language")) {
            static const QStringList codes = {"en", "fr", "de", "es", "it"};
            const auto idx = codes.indexOf(v);
            if (idx < 0)
                throw UsageError(QStringLiteral("--language is en, fr, de, es or it"));
            o.language = static_cast<TNameLanguage>(idx);
        } else if (a == QLatin1String("--title")) {
            o.title = v;
        } else if (a == QLatin1String("--style")) {
            o.style = v;
        } else if (a == QLatin1String("--recurring")) {
            o.recurring = v;
        } else if (a == QLatin1String("--ics")) {
            o.ics = v;
        } else if (a == QLatin1String("--picture")) {
            o.pictures.push_back(pictureArg(v));
        } else if (a == QLatin1String("--pictures")) {
            o.pictureFolder = v;
        } else if (a == QLatin1String("--fit")) {
            if (v == QLatin1String("cover")) o.fit = TPictureFit::Cover;
            else if (v == QLatin1String("contain")) o.fit = TPictureFit::Contain;
            else throw UsageError(QStringLiteral("--fit is cover or contain"));
        } else {
            throw UsageError(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if ((o.photoPages || o.fit) && !o.pictureFolder)
        throw UsageError(QStringLiteral("--photo-pages and --fit go with --pictures"));
    if (o.dump) {
        if (o.pageOptions > 0 || !o.output.isEmpty())
            throw UsageError(QStringLiteral("--dump takes no other options or files"));
        const QString suffix = QFileInfo(*o.dump).suffix().toUpper();
        if (suffix != QLatin1String("QXF") && suffix != QLatin1String("QXS"))
            throw UsageError(QStringLiteral("--dump reads a Calendar file (*.QXF) or style sheet (*.QXS)"));
        return o;
    }
    if (o.output.isEmpty())
        throw UsageError(QStringLiteral("no output file given (see --help)"));
    if (!o.input.isEmpty() && QFileInfo(o.input).suffix().toUpper() != QLatin1String("QXF"))
        throw UsageError(QStringLiteral("the document must be a Calendar file (*.QXF)"));
    return o;
}

enum class Format { Png, Bmp, Pdf, Document };

Format formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return Format::Png;
    if (suffix == QLatin1String("bmp")) return Format::Bmp;
    if (suffix == QLatin1String("pdf")) return Format::Pdf;
    if (suffix == QLatin1String("qxf")) return Format::Document;
    throw UsageError(QStringLiteral("the output must end in .png, .bmp, .pdf or .qxf"));
}

void applyOptions(TCalendarPage &page, const ExportOptions &o)
{
    TCalendarSettings &s = page.SettingsForReading();
    if (o.layout) s.CalendarLayout = *o.layout;
    if (o.month) s.MainCalMonth = *o.month;
    if (o.year) s.MainCalYear = *o.year;
    if (o.day) s.MainCalDay = *o.day;
    if (o.weekStart) s.StartOfWeek = *o.weekStart;
    if (o.paper) s.PaperKind = static_cast<uint8_t>(*o.paper);
    if (o.language) s.Names = BuiltInNames(*o.language);
    if (o.title) s.UserTitle = o.title->toStdString();
    // The day must exist in the chosen month, or the planners would start elsewhere.
    s.MainCalDay = std::clamp(s.MainCalDay, 1, std::max(1, DaysInMonth(s.MainCalYear, s.MainCalMonth)));
    page.RecalcLayout(o.layout.has_value());
}

// The zoom of pictures, as the program's zoom would hold it.
double pictureZoom(const ExportOptions &o)
{
    return o.zoom ? double(static_cast<float>(*o.zoom)) : 1.0;
}

// The --ics events of every month this run writes, read before anything is written.
std::optional<TIcsMonths> icsEvents;

// Writes the month's recurring dates and --ics events into the page's day cells. A later page
// of a run starts with empty cells: the texts already there belong to an earlier month's days.
void fillRecurring(TCalendarPage &page, const std::optional<QString> &store, bool laterPage)
{
    if (!store && !icsEvents)
        return;
    if (laterPage)
        page.ClearAllCells();
    page.ComputeCellDays();
    TDayTextAppender cells(page);
    const auto append = [&cells](int day, const QString &text) { cells.append(day, text); };
    if (icsEvents)
        icsEvents->put(page.MainCalMonth(), page.MainCalYear(), append);
    if (store)
        FillCalendarWithAllRecurringDates(std::filesystem::path(store->toStdString()),
                                          page.MainCalMonth(), page.MainCalYear(), append);
    cells.write();
}

class WriteError
{
public:
    explicit WriteError(QString m) : message(std::move(m)) {}
    QString message;
};

// Reads every --picture file before anything is written, and places them on the page.
QString placePictures(TCalendarPage &page, const ExportOptions &o)
{
    TObjectLayer &layer = page.Objects();
    for (const ExportOptions::Picture &p : o.pictures) {
        TSmartImage loader;
        if (!loader.LoadPictureFile(p.file))
            return QStringLiteral("cannot read the picture %1: %2").arg(p.file, loader.errorText());
        auto image = std::make_unique<TGImage>();
        image->Loaded();
        image->SetPicture(loader.picture());
        image->SetName(layer.FreeName("Special", 1));
        image->SetBounds(p.bounds.left, p.bounds.top, p.bounds.width(), p.bounds.height());
        layer.Adopt(std::move(image));
    }
    return {};
}

// The whole output or nothing: a full disk or a read-only folder leaves any earlier file
// as it was and no partial one.
void commit(const QString &path, const QByteArray &bytes)
{
    try {
        WriteFileAtomic(path, bytes);
    } catch (const TAtomicWriteError &e) {
        throw WriteError(QString::fromUtf8(e.what()).replace(QStringLiteral("Unable to write to"),
                                                                  QStringLiteral("cannot write")));
    }
}

void writeRaster(TCalendarPage &page, double zoom, const QString &path, Format format,
                 const std::optional<QString> &recurring, bool laterPage, bool withObjects)
{
    fillRecurring(page, recurring, laterPage);
    QImage image = page.RenderToImage(zoom);
    if (withObjects) {
        // The objects as the screen shows them at this zoom.
        page.Objects().SetZoom(static_cast<float>(zoom));
        QPainter painter(&image);
        page.RenderObjects(painter, TRenderTarget::Screen(zoom),
                           TRect{0, 0, image.width(), image.height()});
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !(format == Format::Png ? WritePng(image, &buffer) : image.save(&buffer, "BMP")))
        throw WriteError(QStringLiteral("cannot encode %1").arg(path));
    commit(path, bytes);
}


// What a load left out, as exporter messages.
QString loadNotes(const TCalendarDocument &document, const QString &path)
{
    const QString message = document.LoadReportMessage(path);
    if (message.isEmpty())
        return {};
    QString notes;
    for (const QString &line : message.split(QLatin1Char('\n')))
        notes += QStringLiteral("velmora-export: ") + line + QLatin1Char('\n');
    return notes;
}

// The design objects of a document being copied: read with the names they carry and
// written back in their order, records of unknown classes among them byte for byte.
class TCopiedObjects final : public TDocumentObjects
{
public:
    void writeObjects(TWriter &w) const override
    {
        for (const Entry &e : entries_) {
            if (e.object)
                w.writeComponent(*e.object, e.object->Name());
            else
                w.writeRawBytes(e.record);
        }
    }
    TStreamable *createObject(const std::string &className) override
    {
        return createStoredObject(TComponentHeader{className, {}});
    }
    TStreamable *createStoredObject(const TComponentHeader &header) override
    {
        if (!DesignObjectClasses().contains(header.className))
            return nullptr;
        pending_ = DesignObjectClasses().create(header.className);
        pending_->SetName(header.name);
        pending_->SetReading(true);
        return pending_.get();
    }
    void objectLoaded(TStreamable *) override
    {
        pending_->SetReading(false);
        pending_->Loaded();
        entries_.push_back({std::move(pending_), {}});
    }
    void discardObject(TStreamable *) override { pending_.reset(); }
    bool keepRecord(std::span<const uint8_t> record) override
    {
        entries_.push_back({nullptr, TBytes(record.begin(), record.end())});
        return true;
    }

private:
    struct Entry
    {
        std::unique_ptr<TGGraphicControl> object; // null for a kept record
        TBytes record;
    };
    std::vector<Entry> entries_;
    std::unique_ptr<TGGraphicControl> pending_;
};

int copyDocument(const ExportOptions &o, QString &err)
{
    TCalendarPage page; // also registers the object classes documents hold
    page.ResetToDefaults();
    TCalendarDocument document(page);
    TCopiedObjects objects;
    try {
        document.Open(o.input, &objects);
        err += loadNotes(document, o.input);
    } catch (const std::exception &) {
        err += QStringLiteral("velmora-export: ") +
               DocumentOpenErrorMessage(o.input).replace(QLatin1Char('\r'), QString()) +
               QLatin1Char('\n');
        return 1;
    }
    try {
        WriteFileAtomically(o.output, DocumentBytes(page, &objects));
    } catch (const std::exception &e) {
        err += QStringLiteral("velmora-export: ") + QString::fromStdString(e.what()) +
               QLatin1Char('\n');
        return 2;
    }
    return 0;
}

int dumpFile(const QString &path, QString &out, QString &err)
{
    TBytes bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::exception &) {
        err = QStringLiteral("velmora-export: cannot read %1\n").arg(path);
        return 1;
    }
    const TDumpResult dump = DumpCalendarFile(
        bytes, IsStyleSheetName(path) ? TDumpKind::StyleSheet : TDumpKind::Document);
    out = QString::fromStdString(dump.text);
    if (dump.ok())
        return 0;
    err = QStringLiteral("velmora-export: %1 is damaged: %2 at byte %3\n")
              .arg(path, QString::fromStdString(dump.error))
              .arg(dump.errorOffset);
    return 1;
}

} // namespace

QImage PngPicture(const QImage &image)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        return image;
    // One pass: each row is checked and copied at once, and the copy is dropped at the first
    // pixel that is not grey.
    const int width = image.width(), height = image.height();
    QImage grey(width, height, QImage::Format_Grayscale8);
    if (grey.isNull())
        return image;
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = grey.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p) || qAlpha(p) != 255)
                return image;
            out[x] = uchar(qBlue(p));
        }
    }
    grey.setDotsPerMeterX(image.dotsPerMeterX());
    grey.setDotsPerMeterY(image.dotsPerMeterY());
    return grey;
}

bool WritePng(const QImage &image, QIODevice *device)
{
    const QImage picture = PngPicture(image);
    if (picture.format() == QImage::Format_Grayscale8)
        return WriteGreyPng(picture, device);
    QImageWriter writer(device, "PNG");
    // Qt maps quality 80..89 to zlib level 1: most of the size of level 6 at a fraction of
    // the time for drawn pages of large flat areas.
    writer.setQuality(85);
    return writer.write(picture);
}

int RunExport(const QStringList &arguments, QString &out, QString &err)
{
    // Rich text labels draw through a master, as they do in the program's window.
    const std::shared_ptr<TWPMasterRichText> master = TWPMasterRichText::Create();
    bool help = false;
    ExportOptions options;
    Format format = Format::Png;
    try {
        options = parse(arguments, help);
        if (help) {
            out = QString::fromLatin1(kUsage);
            return 0;
        }
        if (options.dump)
            return dumpFile(*options.dump, out, err);
        format = formatOf(options.output);
        if (format == Format::Document) {
            if (options.input.isEmpty())
                throw UsageError(QStringLiteral("a .QXF output is a copy of DOCUMENT.QXF: give both"));
            if (options.pageOptions > 0)
                throw UsageError(QStringLiteral("a document copy takes no other options"));
        }
        if (options.zoom && format == Format::Pdf)
            throw UsageError(QStringLiteral("--zoom applies to PNG and BMP output only"));
    } catch (const UsageError &e) {
        err = QStringLiteral("velmora-export: ") + e.message + QLatin1Char('\n');
        return 2;
    }

    if (format == Format::Document)
        return copyDocument(options, err);

    TCalendarPage page;
    page.ResetToDefaults();
    TCalendarDocument document(page);
    if (!options.input.isEmpty()) {
        try {
            document.Open(options.input);
            err += loadNotes(document, options.input);
        } catch (const std::exception &) {
            err += QStringLiteral("velmora-export: ") +
                   DocumentOpenErrorMessage(options.input).replace(QLatin1Char('\r'), QString()) +
                   QLatin1Char('\n');
            return 1;
        }
    }
    if (options.style) {
        if (!IsStyleSheetName(*options.style)) {
            err = QStringLiteral("velmora-export: ") + QString::fromLatin1(kStyleOpenExtensionMessage) +
                  QLatin1Char('\n');
            return 2;
        }
        try {
            LoadStyleSheet(page, *options.style);
        } catch (const std::exception &) {
            err += QStringLiteral("velmora-export: ") +
                   StyleSheetOpenErrorMessage(*options.style).replace(QLatin1Char('\r'), QString()) +
                   QLatin1Char('\n');
            return 1;
        }
    }
    if (const QString failed = placePictures(page, options); !failed.isEmpty()) {
        err = QStringLiteral("velmora-export: ") + failed + QLatin1Char('\n');
        return 1;
    }
    applyOptions(page, options);
    const int months = options.months.value_or(1);
    try {
        icsEvents.reset();
        if (options.ics)
            icsEvents.emplace(options.ics->toStdString(), page.MainCalMonth(), page.MainCalYear(), months);
    } catch (const IcsImportError &e) {
        err = QStringLiteral("velmora-export: %1: %2\n").arg(*options.ics, QString::fromUtf8(e.what()));
        return 1;
    }
    QStringList written;
    try {
        if (format == Format::Pdf || (options.pictureFolder && format == Format::Png)) {
            // Year and photo calendars come from the same run as the program's own export.
            TYearExportOptions year;
            year.output = options.output;
            year.pdf = format == Format::Pdf;
            year.months = months;
            year.pngZoom = pictureZoom(options);
            year.picturesDir = options.pictureFolder.value_or(QString());
            year.photoPages = options.photoPages;
            year.fit = options.fit.value_or(TPictureFit::Cover);
            // Pictures carry the design objects only when asked, as single pages do.
            year.keepObjects = year.pdf || options.withObjects;
            if (options.recurring || icsEvents)
                year.fillMonth = [&options](TCalendarPage &p) { fillRecurring(p, options.recurring, false); };
            const TYearExportResult r = ExportCalendarYear(page, year);
            if (!r.ok()) {
                err = QStringLiteral("velmora-export: ") + r.error + QLatin1Char('\n');
                return r.writeFailed ? 2 : 1;
            }
        } else {
            if (options.pictureFolder)
                throw WriteError(QStringLiteral("--pictures makes PDF or PNG output"));
            for (int i = 0; i < months; ++i) {
                if (i > 0)
                    StepToNextMonth(page);
                const QString name = NumberedName(options.output, i + 1, months);
                writeRaster(page, pictureZoom(options), name, format, options.recurring, i > 0,
                            options.withObjects);
                written << name;
            }
        }
    } catch (const RecurStoreError &) {
        for (const QString &f : written)
            QFile::remove(f);
        err = QStringLiteral("velmora-export: cannot read the recurring dates in %1\n")
                  .arg(*options.recurring);
        return 1;
    } catch (const WriteError &e) {
        // Nothing half-written stays behind: earlier pictures of this run go too.
        for (const QString &f : written)
            QFile::remove(f);
        err = QStringLiteral("velmora-export: ") + e.message + QLatin1Char('\n');
        return 2;
    }
    return 0;
}

} // namespace velmora
