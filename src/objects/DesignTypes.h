#pragma once
// Small types shared by the object host, the selection frame and the design objects.
#include <QPoint>
#include <Qt>

#include <chrono>
#include <cstdint>
#include <functional>

namespace velmora {

// One mouse event as the host routes it: the point is in page pixels at the current zoom.
struct TMouseInfo
{
    int x = 0;
    int y = 0;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    bool shift = false;
    QPoint global;

    bool leftDown() const { return buttons.testFlag(Qt::LeftButton); }
};

// The cursors the host shows while objects are edited.
enum class TScreenCursor {
    Default,
    Drag,
    NoDrop,
    SizeNWSE,
    SizeNESW,
    SizeNS,
    SizeWE,
    HandGrab,
    HandPoint,
};

// The border of text objects; documents name it by identifier ("bsNone", "bsSingle"). The
// further values of the shared enumeration are never set but are kept when read.
enum TBorderStyle : int32_t {
    bsNone = 0,
    bsSingle = 1,
    bsSizeable = 2,
    bsDialog = 3,
    bsToolWindow = 4,
    bsSizeToolWin = 5,
};

enum TClipboardKind : int { ckCut = 0, ckCopy = 1, ckPaste = 2, ckDelete = 3 };

// Milliseconds from any fixed start. The drag and paste rules compare times, so tests
// replace the source to control time exactly.
using TTickSource = std::function<int64_t()>;

inline int64_t SteadyTicks()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace velmora
