#include "calendar/YearExport.h"

#include "calendar/CalendarPage.h"
#include "calendar/MonthGrid.h"
#include "common/AtomicFile.h"
#include "common/DateValue.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <filesystem>
#include <future>
#include <memory>

namespace velmora {

namespace {

constexpr int kPdfDpi = 600;

struct Failure
{
    QString message;
    bool write = true;
};
struct Cancelled
{
};

QRectF rectOf(const TRect &r)
{
    return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The area above the month's grid in page pixels at factor 1: the title band down to the
// day names. Empty for layouts without a title band (minis alone).
QRectF bandArea(TCalendarPage &page)
{
    page.RenderToImage(1.0); // the title and day-name rectangles come from a drawing
    const TRect t = page.TitleRect();
    if (t.isAllZero() || t.right <= t.left || t.bottom <= t.top)
        return {};
    const TRect d = page.DayNamesRect();
    const int bottom = !d.isAllZero() && d.top > t.top ? d.top : t.bottom;
    return QRectF(t.left, t.top, t.right - t.left, bottom - t.top);
}

// The page's printable area (inside the margins) in page pixels.
QRectF photoPageArea(const TCalendarPage &page)
{
    return rectOf(page.Layout().main);
}

// The pictures of the months. While one month's page is drawn and compressed, the next
// month's picture is decoded on another thread: decoding a camera photo costs about as much
// as the rest of the page.
class Pictures
{
public:
    Pictures(const TYearExportOptions &o, int months) : options_(o), months_(months)
    {
        if (o.picturesDir.isEmpty())
            return;
        QString error;
        files_ = PictureFilesIn(o.picturesDir, &error);
        if (files_.isEmpty())
            throw Failure{error, false};
    }
    ~Pictures()
    {
        if (next_.image.valid())
            next_.image.wait();
    }
    Pictures(const Pictures &) = delete;
    Pictures &operator=(const Pictures &) = delete;

    bool any() const { return !files_.isEmpty(); }
    // The picture of month index, at the resolution it is shown at, for an area in page
    // pixels.
    QImage forMonth(int index, QSizeF areaPagePixels, int dpi)
    {
        Loaded loaded;
        if (next_.image.valid()) {
            const bool same = next_.index == index && next_.area == areaPagePixels && next_.dpi == dpi;
            Loaded early = next_.image.get();
            if (same)
                loaded = std::move(early);
        }
        if (loaded.image.isNull() && loaded.error.isEmpty())
            loaded = load(index, areaPagePixels, dpi);
        // Most pages have the same area: the next month's picture is begun now.
        if (index + 1 < months_) {
            next_.index = index + 1;
            next_.area = areaPagePixels;
            next_.dpi = dpi;
            next_.image = std::async(std::launch::async,
                                     [this, index, areaPagePixels, dpi] { return load(index + 1, areaPagePixels, dpi); });
        }
        if (loaded.image.isNull())
            throw Failure{loaded.error, false};
        return std::move(loaded.image);
    }

private:
    struct Loaded
    {
        QImage image;
        QString error;
    };
    Loaded load(int index, QSizeF areaPagePixels, int dpi) const
    {
        const QString &path = files_.at(index % files_.size());
        Loaded l;
        QString error;
        l.image = LoadPictureForPrint(
            path, QSizeF(areaPagePixels.width() / kPagePpi, areaPagePixels.height() / kPagePpi),
            options_.fit, dpi, &error);
        if (l.image.isNull())
            l.error = QStringLiteral("cannot read the picture %1: %2").arg(QDir::toNativeSeparators(path), error);
        return l;
    }

    const TYearExportOptions &options_;
    int months_;
    QStringList files_;
    struct
    {
        int index = -1;
        QSizeF area;
        int dpi = 0;
        std::future<Loaded> image;
    } next_;
};

void drawPicture(QPainter &painter, const QImage &image, const QRectF &box, TPictureFit fit)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(box);
    painter.drawImage(PictureTarget(image.size(), box, fit), image);
    painter.restore();
}

QRectF scaled(const QRectF &r, double f)
{
    return QRectF(r.x() * f, r.y() * f, r.width() * f, r.height() * f);
}

// One surface the pages go onto: a PDF, or one picture file per page.
class Sink
{
public:
    virtual ~Sink() = default;
    // Begins a page of the page's paper; the painter draws at dpi() with page pixels scaled
    // by factor().
    virtual QPainter &begin(const TCalendarPage &page) = 0;
    virtual void end() = 0;
    virtual void finish() = 0;
    virtual void discard() = 0;
    virtual int dpi() const = 0;
    virtual bool paper() const = 0;
    double factor() const { return double(dpi()) / kPagePpi; }
    QStringList written;
};

QPageLayout paperOf(const TCalendarPage &page)
{
    return QPageLayout(QPageSize(page.PaperKind() == 1 ? QPageSize::A4 : QPageSize::Letter),
                       page.CalendarOrientation() == coLandscape ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

// QPdfWriter reports no failed write: the document is made in memory and written whole,
// atomically, so a full disk is an error and never a half file.
class PdfSink final : public Sink
{
public:
    explicit PdfSink(const QString &path) : path_(path), buffer_(&bytes_)
    {
        buffer_.open(QIODevice::WriteOnly);
        pdf_ = std::make_unique<QPdfWriter>(&buffer_);
        pdf_->setResolution(kPdfDpi);
        pdf_->setCreator(QStringLiteral("Velmora"));
        pdf_->setTitle(QStringLiteral("Calendar"));
    }
    ~PdfSink() override { discard(); }
    QPainter &begin(const TCalendarPage &page) override
    {
        pdf_->setPageLayout(paperOf(page));
        if (!painter_.isActive()) {
            if (!painter_.begin(pdf_.get()))
                throw Failure{QStringLiteral("cannot write %1").arg(path_)};
        } else {
            pdf_->newPage();
        }
        return painter_;
    }
    void end() override {}
    void finish() override
    {
        if (painter_.isActive() && !painter_.end())
            throw Failure{QStringLiteral("cannot write %1").arg(path_)};
        pdf_.reset();
        buffer_.close();
        try {
            WriteFileAtomic(path_, bytes_);
        } catch (const TAtomicWriteError &e) {
            throw Failure{QString::fromUtf8(e.what()).replace(QStringLiteral("Unable to write to"),
                                                               QStringLiteral("cannot write"))};
        }
        written << path_;
    }
    void discard() override
    {
        if (painter_.isActive())
            painter_.end();
        pdf_.reset();
    }
    int dpi() const override { return kPdfDpi; }
    bool paper() const override { return true; }

private:
    QString path_;
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
};

// Each page goes whole to a hidden file beside its name; only a run that reaches its end
// puts them in place, so a cancel or a failure part-way leaves earlier files of those names
// as they were.
class PngSink final : public Sink
{
public:
    PngSink(const QString &path, int count, double zoom) : path_(path), count_(count), zoom_(zoom) {}
    ~PngSink() override { discard(); }
    QPainter &begin(const TCalendarPage &page) override
    {
        image_ = QImage(std::max(1, RoundEven(page.Layout().width * zoom_)),
                        std::max(1, RoundEven(page.Layout().height * zoom_)), QImage::Format_RGB32);
        image_.fill(Qt::white);
        painter_.begin(&image_);
        return painter_;
    }
    void end() override
    {
        painter_.end();
        const QString name = NumberedName(path_, ++index_, count_);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !image_.save(&buffer, "PNG"))
            throw Failure{QStringLiteral("cannot encode %1").arg(name)};
        image_ = QImage();
        const QString staged = stagedName(name);
        try {
            WriteFileAtomic(staged, bytes);
        } catch (const TAtomicWriteError &e) {
            throw Failure{QString::fromUtf8(e.what())
                              .replace(staged, name)
                              .replace(QStringLiteral("Unable to write to"), QStringLiteral("cannot write"))};
        }
        staged_ << staged;
        names_ << name;
    }
    void finish() override
    {
        for (qsizetype i = 0; i < staged_.size(); ++i) {
            std::error_code ec;
            std::filesystem::rename(QFile::encodeName(staged_[i]).toStdString(),
                                    QFile::encodeName(names_[i]).toStdString(), ec);
            if (ec)
                throw Failure{QStringLiteral("cannot write %1: %2")
                                  .arg(names_[i], QString::fromStdString(ec.message()))};
            written << names_[i];
        }
        staged_.clear();
    }
    void discard() override
    {
        if (painter_.isActive())
            painter_.end();
        for (const QString &f : staged_)
            QFile::remove(f);
        staged_.clear();
    }
    int dpi() const override { return RoundEven(kPagePpi * zoom_); }
    bool paper() const override { return false; }
    double zoom() const { return zoom_; }

private:
    static QString stagedName(const QString &name)
    {
        const QFileInfo info(name);
        return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".part"));
    }
    QString path_;
    int count_;
    double zoom_;
    int index_ = 0;
    QStringList staged_;
    QStringList names_;
    QImage image_;
    QPainter painter_;
};

} // namespace

QStringList PictureFilesIn(const QString &dir, QString *error)
{
    const QDir folder(dir);
    if (!folder.exists()) {
        if (error)
            *error = QStringLiteral("the picture folder %1 does not exist").arg(QDir::toNativeSeparators(dir));
        return {};
    }
    static const QStringList kinds = {
        QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.jif"),
        QStringLiteral("*.png"), QStringLiteral("*.gif"),  QStringLiteral("*.bmp"),
        QStringLiteral("*.dib"), QStringLiteral("*.rle"),  QStringLiteral("*.tga"),
        QStringLiteral("*.pcx"), QStringLiteral("*.wmf"),  QStringLiteral("*.emf"),
        QStringLiteral("*.svg"), QStringLiteral("*.webp")};
    QStringList names = folder.entryList(kinds, QDir::Files | QDir::Readable, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    for (const QString &n : names)
        paths << folder.filePath(n);
    if (paths.isEmpty() && error)
        *error = QStringLiteral("the folder %1 holds no pictures").arg(QDir::toNativeSeparators(dir));
    return paths;
}

void StepToNextMonth(TCalendarPage &page)
{
    TCalendarSettings &s = page.SettingsForReading();
    const TMonthYear next = AddMonths(s.MainCalMonth, s.MainCalYear, 1);
    s.MainCalMonth = next.month;
    s.MainCalYear = next.year;
    s.MainCalDay = std::min(std::max(1, s.MainCalDay), DaysInMonth(next.year, next.month));
    page.RecalcLayout(false);
}

QString NumberedName(const QString &path, int index, int count)
{
    if (count == 1)
        return path;
    const QFileInfo info(path);
    const int width = count >= 100 ? (count >= 1000 ? 4 : 3) : 2;
    const QString dir = info.path() == QLatin1String(".") && !path.startsWith(QLatin1String("./"))
                            ? QString()
                            : info.path() + QLatin1Char('/');
    return dir + info.completeBaseName() + QStringLiteral("-%1.").arg(index, width, 10, QLatin1Char('0')) +
           info.suffix();
}

TYearExportResult ExportCalendarYear(TCalendarPage &page, const TYearExportOptions &o)
{
    TYearExportResult result;
    const int months = std::max(1, o.months);
    std::unique_ptr<Sink> sink;
    try {
        Pictures pictures(o, months);
        const bool ownPages = pictures.any() && o.photoPages;
        const int total = months * (ownPages ? 2 : 1);
        if (o.pdf)
            sink = std::make_unique<PdfSink>(o.output);
        else
            sink = std::make_unique<PngSink>(o.output, total, o.pngZoom);
        const double zoom = sink->paper() ? 1.0 : o.pngZoom;
        if (!sink->paper())
            page.Objects().SetZoom(zoom);
        const auto target = [&] {
            TRenderTarget t = sink->paper() ? TRenderTarget::Paper(sink->dpi())
                                            : TRenderTarget::Screen(zoom);
            t.objects = false; // drawn after any picture, so they stay on top
            return t;
        };
        const double f = sink->paper() ? sink->factor() : zoom;
        int done = 0;
        const auto step = [&] {
            if (o.progress && !o.progress(done, total))
                throw Cancelled{};
            ++done;
        };
        for (int i = 0; i < months; ++i) {
            if (i > 0) {
                StepToNextMonth(page);
                // Texts already in the cells belong to the previous month's days.
                page.ClearAllCells();
            }
            if (o.fillMonth) {
                page.ComputeCellDays();
                o.fillMonth(page);
            }
            QRectF band;
            if (pictures.any() && !ownPages) {
                band = bandArea(page);
                if (band.isEmpty())
                    band = photoPageArea(page); // nothing above a grid: the picture is the page
            }
            if (ownPages) {
                step();
                QPainter &p = sink->begin(page);
                const QRectF area = photoPageArea(page);
                drawPicture(p, pictures.forMonth(i, area.size(), sink->paper() ? kPrintPictureDpi : sink->dpi()),
                            scaled(area, f), o.fit);
                sink->end();
            }
            step();
            QPainter &p = sink->begin(page);
            page.Render(p, target());
            if (!band.isEmpty())
                drawPicture(p, pictures.forMonth(i, band.size(), sink->paper() ? kPrintPictureDpi : sink->dpi()),
                            scaled(band, f), o.fit);
            if (o.keepObjects) {
                TRenderTarget t = target();
                t.objects = true;
                page.RenderObjects(p, t, {0, 0, RoundEven(page.Layout().width * zoom),
                                          RoundEven(page.Layout().height * zoom)});
            }
            sink->end();
        }
        sink->finish();
        if (o.progress)
            o.progress(total, total);
        result.written = sink->written;
    } catch (const Cancelled &) {
        if (sink)
            sink->discard();
        result.cancelled = true;
    } catch (const Failure &e) {
        if (sink)
            sink->discard();
        result.error = e.message;
        result.writeFailed = e.write;
    } catch (...) {
        if (sink)
            sink->discard();
        throw;
    }
    return result;
}

} // namespace velmora
