// The text label's turning, what it paints and prints, and how documents store it.
#include "objects/Gplabel.h"

#include "TestObjects.h"
#include "common/ReportCanvas.h"
#include "objects/ObjectFiler.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

// A printer stand-in that records each piece of text drawn: where its cell's corner lands
// on paper, which way its baseline runs, and its colour.
class TTextRecorder : public QPaintDevice
{
public:
    struct Draw
    {
        QPointF corner;
        QPointF baseline; // unit vector along the text
        QColor color;
    };
    static constexpr int kDpi = 600;
    std::vector<Draw> draws;

    QPaintEngine *paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmWidth || m == PdmHeight) return 8 * kDpi;
        if (m == PdmDpiX || m == PdmDpiY || m == PdmPhysicalDpiX || m == PdmPhysicalDpiY)
            return kDpi;
        if (m == PdmDevicePixelRatioScaled) return int(QPaintDevice::devicePixelRatioFScale());
        return m == PdmDepth ? 32 : m == PdmDevicePixelRatio ? 1 : 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TTextRecorder &owner) : QPaintEngine(AllFeatures), owner_(owner) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawRects(const QRectF *, int) override {}
        Type type() const override { return User; }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QTransform t = state->transform();
            const QPointF origin = t.map(QPointF(0, 0));
            const QPointF along = t.map(QPointF(1, 0)) - origin;
            const qreal ascent = item.ascent();
            owner_.draws.push_back({t.map(p - QPointF(0, ascent)), along, state->pen().color()});
        }

    private:
        TTextRecorder &owner_;
    };
    mutable Engine engine_{*this};
};

std::vector<TTextRecorder::Draw> printLabel(TGBaseLabel &label)
{
    TTextRecorder device;
    QPainter painter(&device);
    TReportCanvas report(painter, TTextRecorder::kDpi);
    label.PrintObject(report, 0.0, 0.0);
    return device.draws;
}

QImage renderLabel(TGBaseLabel &label)
{
    label.UpdateLayout(); // the label may grow to its text
    QImage image(label.Width() + 20, label.Height() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter, TFontDesc::kFontPpi);
    // Whole pixels of one colour only: the copies' edges can then be compared exactly.
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    label.Paint(canvas);
    return image;
}

// The smallest rectangle holding every pixel of the colour; left, top, right, bottom
// inclusive.
QRect inkOf(const QImage &image, QRgb rgb)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == rgb) box |= QRect(x, y, 1, 1);
    return box;
}

constexpr QRgb kRgbBlue = 0x0000FF;
constexpr QRgb kRgbRed = 0xFF0000;
constexpr QRgb kRgbLime = 0x00FF00;

// A big bold letter in blue on a red shadow and a lime highlight.
void colourEffects(TGBaseLabel &label)
{
    label.SetCaption("H");
    label.SetFont(TFontDesc::make("Arial", 30, uint8_t(TFontStyle::fsBold), clBlue));
    label.SetColorShadow(clRed);
    label.SetColorHighlight(clLime);
    label.SetBounds(5, 5, 80, 60);
}

TEST(LabelAngle, OnlyQuarterTurnsAreTaken)
{
    TTestPanel t;
    auto *label = static_cast<TGPLabel *>(t.panel.AddObject(std::make_unique<TGPLabel>(),
                                                            {10, 10, 152, 43}));
    label->SetAlignment(taCenter);
    t.changes = 0;
    label->SetAngle(45);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(rectOf(*label), (TRect{10, 10, 152, 43}));
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(t.changes, 0);

    label->SetAngle(90);
    EXPECT_EQ(label->Angle(), 90);
    EXPECT_EQ(rectOf(*label), (TRect{10, 10, 43, 152}));
    EXPECT_EQ(label->Alignment(), taLeftJustify);
    label->SetAngle(0);
    EXPECT_EQ(rectOf(*label), (TRect{10, 10, 152, 43}));

    // Half a turn changes neither size nor alignment, yet the document has changed.
    t.changes = 0;
    label->SetAngle(180);
    EXPECT_GT(t.changes, 0);
}

TEST(LabelPaint, CopiesLieAtTheirOffsetsFromTheText)
{
    TGPLabel plain;
    colourEffects(plain);
    const QRect text = inkOf(renderLabel(plain), kRgbBlue);
    ASSERT_FALSE(text.isEmpty());

    TGPLabel label;
    colourEffects(label);
    label.SetDirectionShadow(sdDownRight);
    label.SetDepthShadow(3);
    label.SetDirectionHighlight(hdUpLeft);
    label.SetDepthHighlight(1);
    const QImage image = renderLabel(label);
    // The highlight takes the corner, the text sits one pixel right and down of it, the
    // shadow three further.
    EXPECT_EQ(inkOf(image, kRgbLime).topLeft(), text.topLeft());
    EXPECT_EQ(inkOf(image, kRgbBlue), text.translated(1, 1));
    EXPECT_EQ(inkOf(image, kRgbRed).bottomRight(), text.bottomRight() + QPoint(4, 4));
}

TEST(LabelPaint, WithoutDepthOnlyTheTextShowsOnScreenAndPaper)
{
    TGPLabel label;
    colourEffects(label);
    const QImage image = renderLabel(label);
    EXPECT_FALSE(inkOf(image, kRgbBlue).isEmpty());
    EXPECT_TRUE(inkOf(image, kRgbRed).isEmpty());
    EXPECT_TRUE(inkOf(image, kRgbLime).isEmpty());

    std::vector<TTextRecorder::Draw> draws = printLabel(label);
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_EQ(draws[0].color, QColor(Qt::blue));

    // A depth without a direction puts nothing on paper either.
    label.SetDepthShadow(4);
    label.SetDirectionShadow(sdNone);
    label.SetDepthHighlight(2);
    EXPECT_EQ(printLabel(label).size(), 2U);
    label.SetDirectionShadow(sdDown);
    draws = printLabel(label);
    ASSERT_EQ(draws.size(), 3U);
    EXPECT_EQ(draws[0].color, QColor(Qt::red));
    EXPECT_EQ(draws[1].color, QColor(Qt::green));
    EXPECT_EQ(draws[2].color, QColor(Qt::blue));
}

TEST(LabelPaint, TurnedTextRunsUpTheLabel)
{
    TGPLabel label;
    colourEffects(label);
    label.SetCaption("HHHH");
    label.SetBounds(5, 5, 60, 40);
    label.SetAngle(90);
    const QRect ink = inkOf(renderLabel(label), kRgbBlue);
    EXPECT_GT(ink.height(), 2 * ink.width());
    const std::vector<TTextRecorder::Draw> draws = printLabel(label);
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_NEAR(draws[0].baseline.x(), 0.0, 1e-9);
    EXPECT_NEAR(draws[0].baseline.y(), -1.0, 1e-9);
}

TEST(LabelPaint, EmptyCaptionKeepsAMinimumSize)
{
    TGPLabel label;
    label.SetCaption("");
    label.SetBounds(0, 0, 3, 3);
    renderLabel(label);
    EXPECT_GT(label.Width(), 0);
    EXPECT_GE(label.Height(), label.Layout().main.height());
    EXPECT_GT(label.Layout().main.height(), 10);
    label.SetBounds(0, 0, 0, -4);
    EXPECT_EQ(label.Width(), 1);
    EXPECT_EQ(label.Height(), 1);
}

TEST(LabelPrint, PlacedInInchesFromTheStoredPosition)
{
    TGPLabel label;
    label.SetBounds(96, 48, 142, 33);
    label.SetFont(TFontDesc::make("Arial", 10, 0, clBlack));
    const auto draws = printLabel(label);
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_NEAR(draws[0].corner.x(), 600.0, 1.0);
    EXPECT_NEAR(draws[0].corner.y(), 300.0, 1.0);

    // The zoom on screen is no matter for paper.
    TTestPanel t;
    auto *shown = static_cast<TGPLabel *>(t.panel.AddObject(std::make_unique<TGPLabel>(),
                                                            {96, 48, 238, 81}));
    t.panel.SetZoom(0.5F);
    t.panel.grab();
    const auto zoomed = printLabel(*shown);
    ASSERT_EQ(zoomed.size(), 1U);
    EXPECT_EQ(zoomed[0].corner, draws[0].corner);
    t.panel.SetZoom(1.0F);
    EXPECT_EQ(rectOf(*shown), (TRect{96, 48, 238, 81}));
}

TEST(LabelStream, NewLabelStoresOnlyWhatDiffersFromTheDefaults)
{
    TGPLabel label;
    TWriter w;
    w.writeComponent(label, "Special1");
    EXPECT_THAT(storedNames(w.bytes()),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable", "Caption",
                            "Font.Color", "Font.Height", "Font.Name", "Transparent", "BackColor",
                            "BorderStyle"));
}

// Every property away from its default, written as another program would write it.
TBytes fullRecord()
{
    TWriter w;
    w.writeComponentHeader("TGPLabel", "Special2");
    const auto prop = [&w](std::string_view name) { w.writePropertyName(name); };
    prop("Left"), w.writeInteger(12);
    prop("Top"), w.writeInteger(300);
    prop("Width"), w.writeInteger(200); // wider than tall although turned: the user made it so
    prop("Height"), w.writeInteger(40);
    prop("Locked"), w.writeBoolean(true);
    prop("Unselectable"), w.writeBoolean(false);
    prop("Alignment"), w.writeIdent("taCenter");
    prop("DepthHighlight"), w.writeInteger(2);
    prop("DepthShadow"), w.writeInteger(15);
    prop("DirectionHighlight"), w.writeIdent("hdright");
    prop("DirectionShadow"), w.writeIdent("sdDownLeft");
    prop("colorHighlight"), w.writeInteger(0x123456);
    prop("colorShadow"), w.writeIdent("clNavy");
    prop("Angle"), w.writeInteger(90);
    prop("Caption"), w.writeString("Gr\xFC\xDF" "e");
    prop("Font.Color"), w.writeIdent("clWindowText");
    prop("Font.Height"), w.writeInteger(-27);
    prop("Font.Name"), w.writeString("Times New Roman");
    prop("Font.Pitch"), w.writeIdent("fpVariable");
    prop("Font.Style"), w.writeSet({"fsBold", "fsUnderline"});
    prop("Transparent"), w.writeBoolean(false);
    prop("BackColor"), w.writeInteger(0x00ABCDEF);
    prop("BorderStyle"), w.writeIdent("bsSingle");
    w.endProperties();
    w.endChildren();
    return w.takeBytes();
}

TEST(LabelStream, EveryPropertyReadsAndWritesBackUnchanged)
{
    RegisterTextLabel();
    const TBytes original = fullRecord();
    TReader r(original);
    const std::unique_ptr<TGGraphicControl> object = ReadDesignObject(r);
    auto &label = dynamic_cast<TGPLabel &>(*object);
    EXPECT_EQ(label.BoundsRect(), (TRect{12, 300, 212, 340}));
    EXPECT_EQ(label.Alignment(), taCenter);
    EXPECT_EQ(label.Angle(), 90);
    EXPECT_EQ(label.DepthShadow(), 15);
    EXPECT_EQ(label.HighlightOffset(), (TPixelOffset{2, 0}));
    EXPECT_EQ(label.ShadowOffset(), (TPixelOffset{-15, 15}));
    EXPECT_EQ(label.Caption(), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(label.Font().color, clWindowText);
    EXPECT_EQ(label.Font().style, 5);
    EXPECT_EQ(label.colorHighlight(), 0x123456);
    EXPECT_EQ(label.BackColor(), 0xABCDEF);
    EXPECT_EQ(label.BorderStyle(), bsSingle);

    TWriter w;
    w.writeComponent(label, "Special2");
    EXPECT_EQ(w.bytes(), original);
}

TEST(LabelStream, ClearedCaptionStaysClearedAfterReading)
{
    RegisterTextLabel();
    TGPLabel label;
    label.SetCaption("");
    TWriter w;
    w.writeComponent(label, "Special1");
    TReader r(w.bytes());
    EXPECT_EQ(ReadDesignObject(r)->Caption(), "");
}

} // namespace
} // namespace velmora::test
