#include "objects/Gprichl.h"

#include "common/Canvas.h"
#include "common/ReportCanvas.h"
#include "objects/ObjectFiler.h"
#include "objects/ObjectHost.h"
#include "richtext/WPMasterRichText.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <string_view>

namespace velmora {
namespace {

constexpr int kCreationWidth = 190;
constexpr int kCreationHeight = 33;
constexpr std::array<std::string_view, 6> kBorderNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                       "bsDialog", "bsToolWindow", "bsSizeToolWin"};

} // namespace

TRichTextEditorRunner &RichTextEditorRunner()
{
    static TRichTextEditorRunner runner;
    return runner;
}

void RegisterRichTextLabel()
{
    RegisterDesignObject<TGPRichBaseLabel>(TGPRichBaseLabel::kClassName);
}

TGPRichBaseLabel::TGPRichBaseLabel()
{
    SetBounds(0, 0, kCreationWidth, kCreationHeight);
    DoubleClickAction = [this] { Edit(); };
}

TGPRichBaseLabel::~TGPRichBaseLabel() = default;

void TGPRichBaseLabel::SetRTFText(const TWPRtfStorage &store)
{
    store_.assign(store);
    Invalidate();
    if (!Reading()) NotifyChanged();
}

void TGPRichBaseLabel::SetTransparent(bool on)
{
    if (on == transparent_) return;
    transparent_ = on;
    updateCheckMarks();
    Invalidate();
}

void TGPRichBaseLabel::SetBGColor(TColor color)
{
    if (color == bgColor_) return;
    bgColor_ = color;
    Invalidate();
    if (!Reading()) NotifyChanged();
}

void TGPRichBaseLabel::SetBorderStyle(int style)
{
    if (style == borderStyle_) return;
    borderStyle_ = style;
    updateCheckMarks();
    Invalidate();
    if (!Reading()) NotifyChanged();
}

int TGPRichBaseLabel::ZoomPercentOf(float factor)
{
    // Truncating the single-precision factor times 100 would give 69 for 0.7: the text
    // would be drawn smaller than the box it sits in.
    return static_cast<int>(std::floor(static_cast<double>(factor) * 100.0 + 1e-4));
}

void TGPRichBaseLabel::Loaded()
{
    master_ = TWPMasterRichText::Find(TWPMasterRichText::kMasterName);
    if (!master_) throw ENoMasterWPRich();
    TGGraphicControl::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("Transparent", QStringLiteral("Transparent"), [this] {
         SetTransparent(!transparent_);
         NotifyChanged();
     }).checkable = true;
    m.add("BackgroundColor", QStringLiteral("Background Color"), [this] { ChooseBGColor(); });
    m.add("Border", QStringLiteral("Border"), [this] {
         SetBorderStyle(borderStyle_ == bsSingle ? bsNone : bsSingle);
     }).checkable = true;
    m.add("Edit", QStringLiteral("Edit"), [this] { Edit(); });
    updateCheckMarks();
}

void TGPRichBaseLabel::updateCheckMarks()
{
    if (TMenuEntry *e = PopupMenu().find("Transparent")) e->checked = transparent_;
    if (TMenuEntry *e = PopupMenu().find("Border")) e->checked = borderStyle_ == bsSingle;
}

void TGPRichBaseLabel::PopupShowing()
{
    updateCheckMarks();
}

void TGPRichBaseLabel::ChooseBGColor()
{
    if (Parent() == nullptr) return;
    const std::optional<TColor> chosen = Parent()->ChooseObjectColor(bgColor_);
    if (!chosen) return;
    SetBGColor(*chosen);
    NotifyChanged();
    SetTransparent(false);
    Invalidate();
}

void TGPRichBaseLabel::DrawOn(TCanvas &canvas)
{
    if (!master_) return;
    const TRect r = ScreenRect();
    const TRect client{0, 0, r.width(), r.height()};
    canvas.setPen(clBlack);
    const TColor fill = transparent_ ? clWhite : bgColor_;
    master_->SetBackgroundColor(fill);
    if (!transparent_) {
        canvas.setBrushSolid(bgColor_);
        canvas.fillRect(client);
    }
    master_->SetDocument(store_);
    master_->SetZoomPercent(ZoomPercentOf(ZoomFactor()));
    master_->PaintInto(canvas.painter(), QRectF(0, 0, client.right, client.bottom));
    if (borderStyle_ == bsSingle) {
        canvas.setPen(clBlack);
        canvas.setBrushClear();
        canvas.rectangle(client);
    }
}

void TGPRichBaseLabel::Paint(TCanvas &canvas)
{
    const TRect r = ScreenRect();
    QPainter &p = canvas.painter();
    p.save();
    p.translate(r.left, r.top);
    DrawOn(canvas);
    p.restore();
    DrawHandles(canvas);
}

void TGPRichBaseLabel::PrintObject(TReportCanvas &report, double xOffset, double yOffset)
{
    if (!master_) return;
    // Paper shows the label at its stored size whatever the screen's zoom; the text goes
    // onto it as text (it stays sharp and can be searched), not as a picture.
    const double x0 = PixelsToInches(Left()) + xOffset;
    const double y0 = PixelsToInches(Top()) + yOffset;
    const TRect bounds = report.inchRect(x0, y0, x0 + PixelsToInches(Width()),
                                         y0 + PixelsToInches(Height()));
    TCanvas &c = report.canvas();
    if (!transparent_) {
        c.setBrushSolid(bgColor_);
        c.fillRect(bounds);
    }
    master_->SetBackgroundColor(transparent_ ? clWhite : bgColor_);
    master_->SetDocument(store_);
    const double scale = report.dpi() / 96.0;
    master_->PaintScaled(report.painter(),
                         QRectF(bounds.left, bounds.top, bounds.width(), bounds.height()), scale);
    if (borderStyle_ == bsSingle) {
        // As thick as one screen pixel, so the border looks on paper as it does on screen.
        c.setPen(clBlack, std::max(1, report.dpi() / 96));
        c.setBrushClear();
        c.rectangle(bounds);
    }
}

void TGPRichBaseLabel::PrepareForDrawing(const TObjectHost &)
{
    SetTransparent(false);
    SetBorderStyle(bsSingle);
}

bool TGPRichBaseLabel::Edit()
{
    const TRichTextEditorRunner &run = RichTextEditorRunner();
    return run && run(*this);
}

bool TGPRichBaseLabel::readProperty(const std::string &name, TReader &r)
{
    if (TGGraphicControl::readProperty(name, r)) return true;
    if (SameIdent(name, "RTFText.Data")) {
        const TBytes data = r.readBinary();
        TWPRtfStorage store;
        store.setRtfBytes(std::string(data.begin(), data.end()));
        SetRTFText(store);
    } else if (SameIdent(name, "BorderStyle")) {
        SetBorderStyle(r.readEnum(kBorderNames));
    } else if (SameIdent(name, "Transparent")) {
        SetTransparent(r.readBoolean());
    } else if (SameIdent(name, "BGColor")) {
        SetBGColor(r.readColor());
    } else {
        return false;
    }
    return true;
}

void TGPRichBaseLabel::writeProperties(TWriter &w) const
{
    TGGraphicControl::writeProperties(w);
    if (!store_.isEmpty()) {
        w.writePropertyName("RTFText.Data");
        w.writeBinary(std::string_view(store_.rtfBytes()));
    }
    w.writePropertyName("BorderStyle");
    if (borderStyle_ >= 0 && size_t(borderStyle_) < kBorderNames.size())
        w.writeIdent(kBorderNames.at(size_t(borderStyle_)));
    else
        w.writeInteger(borderStyle_);
    w.writePropertyName("Transparent");
    w.writeBoolean(transparent_);
    w.writePropertyName("BGColor");
    w.writeColor(bgColor_);
}

} // namespace velmora
