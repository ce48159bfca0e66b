#include "TestObjects.h"

#include "common/Canvas.h"
#include "objects/ObjectFiler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace velmora::test {

void TTestBox::Paint(TCanvas &canvas)
{
    canvas.setBrushSolid(fill);
    canvas.fillRect(ScreenRect());
    DrawHandles(canvas);
}

bool TTestBox::readProperty(const std::string &name, TReader &reader)
{
    if (TGGraphicControl::readProperty(name, reader)) return true;
    if (name != "Fill") return false;
    fill = reader.readColor();
    return true;
}

void TTestBox::writeProperties(TWriter &writer) const
{
    TGGraphicControl::writeProperties(writer);
    writer.writePropertyName("Fill");
    writer.writeColor(fill);
}

void TProbePanel::paintEvent(QPaintEvent *event)
{
    painted.push_back(event->rect());
    TGBasePanel::paintEvent(event);
}

void UseTestBoxes(TGBasePanel &panel)
{
    RegisterDesignObject<TTestBox>(TTestBox::kClassName);
    panel.SetToolClass(psLabel, TTestBox::kClassName);
}

TTestPanel::TTestPanel()
{
    panel.resize(816, 1056);
    UseTestBoxes(panel);
    panel.SetTickSource([this] { return now; });
    panel.LabelChangedEvent = [this] { ++changes; };
    panel.SetPopupHook([this](QMenu &menu, const QPoint &) {
        lastMenu = &menu;
        ++menusShown;
    });
}

TTestBox *TTestPanel::add(int left, int top, int width, int height)
{
    auto box = std::make_unique<TTestBox>();
    box->Loaded();
    auto *placed = static_cast<TTestBox *>(
        panel.AddObject(std::move(box), {left, top, left + width, top + height}));
    return placed;
}

QStringList TTestPanel::menuTexts() const
{
    QStringList texts;
    if (lastMenu != nullptr)
        for (const QAction *a : lastMenu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

QAction *TTestPanel::menuAction(const QString &text) const
{
    if (lastMenu == nullptr) return nullptr;
    for (QAction *a : lastMenu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

bool TTestPanel::trigger(const QString &text)
{
    QAction *a = menuAction(text);
    if (a == nullptr || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

void TTestPanel::press(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers k, int ms)
{
    now += ms;
    QTest::mousePress(&panel, b, k, p);
}

void TTestPanel::move(QPoint p, int ms)
{
    now += ms;
    QTest::mouseMove(&panel, p);
}

void TTestPanel::hover(QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, panel.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&panel, &e);
}

void TTestPanel::release(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers k, int ms)
{
    now += ms;
    QTest::mouseRelease(&panel, b, k, p);
}

void TTestPanel::click(QPoint p, Qt::KeyboardModifiers k)
{
    press(p, Qt::LeftButton, k);
    release(p, Qt::LeftButton, k, 20);
}

void TTestPanel::drag(QPoint from, QPoint to, int holdMs)
{
    press(from);
    move(from + (to - from) / 2, holdMs / 2);
    move(to, holdMs / 2);
    release(to);
}

void TTestPanel::key(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(&panel, k, mods);
}

TRect rectOf(const TGGraphicControl &o)
{
    return o.BoundsRect();
}

std::vector<std::string> storedNames(const TBytes &bytes)
{
    TReader r(bytes);
    r.readComponentHeader();
    std::vector<std::string> names;
    while (!r.atEndOfList()) {
        names.push_back(r.readPropertyName());
        r.skipValue();
    }
    return names;
}

} // namespace velmora::test
