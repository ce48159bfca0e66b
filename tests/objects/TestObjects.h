#pragma once
// A small design object for tests: a filled rectangle that streams one colour of its own.
#include "common/ComponentStream.h"
#include "objects/GGraphc.h"
#include "objects/Gbasepnl.h"

#include <QMenu>
#include <QPaintEvent>

#include <functional>
#include <string>
#include <vector>

#include <ostream>

namespace velmora {
// Readable rectangles in failure messages.
inline void PrintTo(const TRect &r, std::ostream *os)
{
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
} // namespace velmora

namespace velmora::test {

class TTestBox : public TGGraphicControl
{
public:
    static constexpr const char *kClassName = "TTestBox";
    TColor fill = clBlue;
    int drawings = 0; // DrawingFinished calls
    int printed = 0;  // PrintObject calls

    std::string className() const override { return kClassName; }
    void Paint(TCanvas &canvas) override;
    void DrawingFinished() override { ++drawings; }
    void PrintObject(TReportCanvas &, double, double) override { ++printed; }
    bool readProperty(const std::string &name, TReader &reader) override;
    void writeProperties(TWriter &writer) const override;
};

// Registers TTestBox once and as the label tool's class of the panel.
void UseTestBoxes(TGBasePanel &panel);

// The bare panel with what tests look at: the page-click flag and the areas repainted.
class TProbePanel : public TGBasePanel
{
public:
    using TGBasePanel::IsPageClick;
    std::vector<QRect> painted;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A panel the size of a letter page at 96 pixels per inch, with a test clock and menus that
// are recorded instead of shown.
class TTestPanel
{
public:
    TTestPanel();
    TProbePanel panel;
    int64_t now = 1000;
    int changes = 0;
    QMenu *lastMenu = nullptr;
    int menusShown = 0;

    TTestBox *add(int left, int top, int width, int height);
    TTestBox *box(int index) const { return static_cast<TTestBox *>(panel.Object(index)); }
    QStringList menuTexts() const;
    QAction *menuAction(const QString &text) const;
    // Triggers a menu entry by its shown text; false when it is missing or disabled.
    bool trigger(const QString &text);

    // Mouse and keys in page pixels; the clock advances by `ms` before each event.
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {},
               int ms = 0);
    void move(QPoint p, int ms = 0); // with whatever buttons are down
    void hover(QPoint p);            // no button down
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {},
                 int ms = 0);
    void click(QPoint p, Qt::KeyboardModifiers k = {});
    void drag(QPoint from, QPoint to, int holdMs = 200);
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {});
};

TRect rectOf(const TGGraphicControl &o);
// Names of the properties a component record stores, in stream order.
std::vector<std::string> storedNames(const TBytes &bytes);

} // namespace velmora::test
