#include "calendar/CalendarPage.h"
#include "common/ReportCanvas.h"
#include "objects/GGraphc.h"
#include "objects/ObjectHost.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace velmora;

namespace {

TEST(RenderTarget, ScreenScalesAndPaperGoesThroughInches)
{
    const TRenderTarget screen = TRenderTarget::Screen(0.5);
    EXPECT_EQ(screen.map({26, 26, 790, 1030}), (TRect{13, 13, 395, 515}));
    // Ties round to even, as the page's geometry does everywhere.
    EXPECT_EQ(TRenderTarget::Screen(0.5).map({1, 3, 5, 7}), (TRect{0, 2, 2, 4}));
    EXPECT_EQ(screen.fontScale(), 0.5);

    // 96 page pixels are an inch: at 600 dpi with half an inch of offset.
    const TRenderTarget paper = TRenderTarget::Paper(600, 0.5, 0.25);
    EXPECT_EQ(paper.map({0, 0, 96, 192}), (TRect{300, 150, 900, 1350}));
    EXPECT_EQ(paper.fontScale(), 1.0);
    EXPECT_TRUE(paper.objects);
    EXPECT_FALSE(screen.objects);
}

// Counts the object's printing and painting.
class Probe final : public TGGraphicControl
{
public:
    int printed = 0;
    int painted = 0;
    std::string className() const override { return "TProbe"; }
    void Paint(TCanvas &) override { ++painted; }
    void PrintObject(TReportCanvas &, double, double) override { ++printed; }
};

TEST(Renderer, PaperKeepsTheScreensCellTableAndPrintsObjectsInInches)
{
    TCalendarPage page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(2);
    page.SetMainCalYear(2027);
    auto probe = std::make_unique<Probe>();
    probe->SetBounds(10, 10, 50, 20);
    Probe *p = static_cast<Probe *>(page.Objects().Adopt(std::move(probe)));

    const QImage screen = page.RenderToImage(0.5);
    EXPECT_EQ(screen.size(), QSize(408, 528));
    const TDayCellTable afterScreen = page.Cells();
    const int cell = page.CellOfDay(14);
    ASSERT_GT(cell, 0);
    EXPECT_EQ(p->painted, 0); // screen pictures leave the objects to the view
    EXPECT_EQ(p->printed, 0);

    QImage paper(850 * 3, 1100 * 3, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        page.Render(painter, TRenderTarget::Paper(300));
    }
    EXPECT_EQ(p->printed, 1);
    EXPECT_EQ(p->painted, 0);
    // The hit rectangles still belong to the half-size screen picture.
    EXPECT_EQ(page.Cells().cell(cell).rTotal, afterScreen.cell(cell).rTotal);

    // A picture with objects paints them at their on-screen bounds.
    TRenderTarget withObjects = TRenderTarget::Screen(1.0);
    withObjects.objects = true;
    QImage full(816, 1056, QImage::Format_RGB32);
    QPainter painter(&full);
    page.Render(painter, withObjects);
    EXPECT_EQ(p->painted, 1);
}

// A host that records what the objects ask of it.
class RecordingHost final : public TObjectHost
{
public:
    int selectionsCleared = 0;
    int changes = 0;
    void ObjectBoundsChanged(TGGraphicControl &) override {}
    void UnselectObject(TGGraphicControl &) override {}
    void ClearSelection() override { ++selectionsCleared; }
    void DrawHandlesOf(TCanvas &, const TGGraphicControl &) override {}
    void InvalidateRect(const TRect &) override {}
    void FireLabelChanged() override { ++changes; }
    bool Printing() const override { return false; }
    void BringObjectToFront(TGGraphicControl *) override {}
    void SendObjectToBack(TGGraphicControl *) override {}
    void ClipboardAction(TClipboardKind, TGGraphicControl *) override {}
    TGGraphicControl *CloneObject(TGGraphicControl &) override { return nullptr; }
    int UnzoomedWidth() const override { return 816; }
    int UnzoomedHeight() const override { return 1056; }
    const TFontDesc &PanelFont() const override { return font; }
    std::optional<TFontDesc> ChooseObjectFont(const TFontDesc &) override { return std::nullopt; }
    std::optional<TColor> ChooseObjectColor(TColor) override { return std::nullopt; }
    std::optional<std::string> EditLabelText(const std::string &) override { return std::nullopt; }
    bool EditLabelEffects(TGBaseLabel &) override { return false; }
    TFontDesc font;
};

TEST(ObjectLayer, ObjectsWithoutAViewSkipWhatOnlyAViewCanDo)
{
    TObjectLayer layer;
    TGGraphicControl *o = layer.Adopt(std::make_unique<Probe>());
    // No view: centring, copying and deleting need one and do nothing.
    o->SetBounds(0, 0, 100, 20);
    o->CenterHorizontally();
    o->Copy();
    o->Delete();
    EXPECT_EQ(layer.Count(), 1);
    EXPECT_EQ(o->Left(), 0);

    // With a view, objects report to it, and clearing the layer drops the selection first.
    RecordingHost host;
    layer.SetHost(&host);
    o->CenterHorizontally();
    EXPECT_EQ(o->Left(), 816 / 2 - 50);
    EXPECT_GT(host.changes, 0);
    layer.Clear();
    EXPECT_EQ(host.selectionsCleared, 1);
    EXPECT_EQ(layer.Count(), 0);
}

} // namespace
