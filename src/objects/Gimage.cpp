#include "objects/Gimage.h"

#include "common/Canvas.h"
#include "common/ReportCanvas.h"
#include "objects/ObjectFiler.h"
#include "objects/ObjectHost.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <string_view>

namespace velmora {

namespace {

constexpr std::array<std::string_view, 6> kBorderNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                       "bsDialog", "bsToolWindow", "bsSizeToolWin"};

} // namespace

void RegisterImageObject()
{
    RegisterDesignObject<TGImage>(TGImage::kClassName);
}

TGImage::TGImage()
{
    SetBounds(0, 0, kDefaultSize, kDefaultSize);
}

void TGImage::SetAutoSize(bool on)
{
    if (on == autoSize_ && stretch_ == !on) return;
    autoSize_ = on;
    if (Reading()) return;
    stretch_ = !on;
    fitToPicture();
    Invalidate();
}

void TGImage::SetStretch(bool on)
{
    if (on == stretch_ && autoSize_ == !on) return;
    stretch_ = on;
    if (Reading()) return;
    autoSize_ = !on;
    fitToPicture();
    Invalidate();
}

void TGImage::SetSizing(bool stretch, bool autoSize)
{
    stretch_ = stretch;
    autoSize_ = autoSize && !stretch;
    fitToPicture();
    Invalidate();
}

void TGImage::SetBorderStyle(TBorderStyle style)
{
    if (style == borderStyle_) return;
    borderStyle_ = style;
    Invalidate();
}

void TGImage::SetPicture(const TPicture &picture)
{
    picture_ = picture;
    pictureChanged();
}

void TGImage::pictureChanged()
{
    cache_ = QImage();
    fitToPicture();
    Invalidate();
}

bool TGImage::Opaque() const
{
    return picture_.kind() == TPicture::Bitmap && !picture_.isEmpty() &&
           !picture_.image().hasAlphaChannel() && picture_.size() == QSize(Width(), Height());
}

void TGImage::fitToPicture()
{
    if (Reading()) return;
    BoundsChanged();
}

void TGImage::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    if (!autoSize_ || Reading()) return;
    const QSize own = picture_.size();
    if (own.width() <= 0 || own.height() <= 0) return;
    // Bounds are kept at factor 1, so the picture's own size is the stored size; on screen
    // it shows at that size times the zoom, rounded to the nearest pixel.
    if (Width() != own.width() || Height() != own.height())
        SetBounds(Left(), Top(), own.width(), own.height());
}

void TGImage::Loaded()
{
    TGGraphicControl::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("LoadImage", QStringLiteral("Load Image From Disk"), [this] { LoadImageFromDisk(); });
    m.addSeparator();
    m.add("Border", QStringLiteral("Border"), [this] { ToggleBorder(); }).checkable = true;
    m.add("StretchToFit", QStringLiteral("Stretch to Fit"), [this] { ToggleStretch(); })
        .checkable = true;
    m.add("AutoSize", QStringLiteral("AutoSize"), [this] { ToggleAutoSize(); }).checkable = true;
    PopupShowing();
}

void TGImage::PopupShowing()
{
    TObjectMenu &m = PopupMenu();
    if (TMenuEntry *e = m.find("Border")) e->checked = borderStyle_ == bsSingle;
    if (TMenuEntry *e = m.find("StretchToFit")) e->checked = stretch_;
    if (TMenuEntry *e = m.find("AutoSize")) e->checked = autoSize_;
}

void TGImage::ToggleBorder()
{
    SetBorderStyle(borderStyle_ == bsSingle ? bsNone : bsSingle);
    NotifyChanged();
}

void TGImage::ToggleStretch()
{
    // Keeps the object's size, and on its own does not count as a change of the document.
    stretch_ = !stretch_;
    autoSize_ = !stretch_;
    Invalidate();
}

void TGImage::ToggleAutoSize()
{
    autoSize_ = !autoSize_;
    stretch_ = !autoSize_;
    pictureChanged();
    NotifyChanged();
}

void TGImage::LoadImageFromDisk()
{
    if (Parent() != nullptr) Parent()->ChooseObjectPicture(*this);
}

void TGImage::TakeChosenPicture(const TPicture &picture, bool stretch, bool autoSize)
{
    picture_ = picture;
    stretch_ = stretch;
    autoSize_ = autoSize && !stretch;
    pictureChanged();
    NotifyChanged();
}

const QImage &TGImage::screenImage(QSize size) const
{
    if (cache_.size() != size) {
        cache_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        if (cache_.isNull()) return cache_;
        // The object covers the page beneath it, as a picture on white paper would.
        cache_.fill(Qt::white);
        QPainter p(&cache_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        picture_.draw(p, QRectF(0, 0, size.width(), size.height()));
    }
    return cache_;
}

void TGImage::Paint(TCanvas &canvas)
{
    const TRect r = ScreenRect();
    if (r.width() > 0 && r.height() > 0) {
        const TRect client{r.left, r.top, r.right, r.bottom};
        if (picture_.isEmpty()) {
            canvas.setPen(clBlack);
            canvas.setBrushSolid(clWhite);
            canvas.rectangle(client);
        } else {
            const QImage &shown = screenImage(QSize(r.width(), r.height()));
            if (!shown.isNull()) canvas.painter().drawImage(QPoint(r.left, r.top), shown);
        }
        if (borderStyle_ == bsSingle) {
            canvas.setPen(clBlack);
            canvas.setBrushClear();
            canvas.rectangle(client);
        }
    }
    DrawHandles(canvas);
}

void TGImage::PrintObject(TReportCanvas &report, double xOffset, double yOffset)
{
    const double l = PixelsToInches(Left()) + xOffset;
    const double t = PixelsToInches(Top()) + yOffset;
    const TRect r = report.inchRect(l, t, l + PixelsToInches(Width()), t + PixelsToInches(Height()));
    if (!picture_.isEmpty()) {
        QPainter &p = report.painter();
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        // Metafiles are played as drawing commands, so they stay vectors on paper and in PDF.
        picture_.draw(p, QRectF(r.left, r.top, r.width(), r.height()));
        p.restore();
    }
    if (borderStyle_ == bsSingle) {
        TCanvas &c = report.canvas();
        // As thick as one screen pixel, so the border looks on paper as it does on screen.
        c.setPen(clBlack, std::max(1, report.dpi() / 96));
        c.setBrushClear();
        c.rectangle(r);
    }
}

bool TGImage::readProperty(const std::string &name, TReader &reader)
{
    if (TGGraphicControl::readProperty(name, reader)) return true;
    if (SameIdent(name, "AutoSize")) {
        SetAutoSize(reader.readBoolean());
    } else if (SameIdent(name, "BorderStyle")) {
        borderStyle_ = TBorderStyle(reader.readEnum(kBorderNames));
    } else if (SameIdent(name, "Picture.Data")) {
        const TBytes data = reader.readBinary();
        QString error;
        TPicture picture = TPicture::fromPictureData(
            QByteArray(reinterpret_cast<const char *>(data.data()), qsizetype(data.size())), &error);
        if (picture.kind() == TPicture::Empty && !data.empty())
            throw EReadError("Picture: " + error.toStdString());
        picture_ = std::move(picture);
        cache_ = QImage();
    } else if (SameIdent(name, "Stretch")) {
        SetStretch(reader.readBoolean());
    } else {
        return false;
    }
    return true;
}

void TGImage::writeProperties(TWriter &writer) const
{
    TGGraphicControl::writeProperties(writer);
    if (autoSize_) {
        writer.writePropertyName("AutoSize");
        writer.writeBoolean(true);
    }
    writer.writePropertyName("BorderStyle");
    if (borderStyle_ >= 0 && size_t(borderStyle_) < kBorderNames.size())
        writer.writeIdent(kBorderNames[size_t(borderStyle_)]);
    else
        writer.writeInteger(borderStyle_);
    if (picture_.kind() != TPicture::Empty) {
        const QByteArray data = picture_.toPictureData();
        writer.writePropertyName("Picture.Data");
        writer.writeBinary(std::string_view(data.constData(), size_t(data.size())));
    }
    if (!stretch_) {
        writer.writePropertyName("Stretch");
        writer.writeBoolean(false);
    }
}

} // namespace velmora
