#pragma once
// The cursors shown while objects are edited. "HANDGRAB" (a closed hand, over the selection
// frame) and "HANDPOINT" (a pointing hand, over objects and while a band is dragged) are
// our own and drawn here; the others are the system's.
#include "objects/DesignTypes.h"

#include <QCursor>

#include <string_view>

namespace velmora {

QCursor CursorFor(TScreenCursor kind);

// Our own cursors by their resource names; the default cursor for any other name.
QCursor NamedCursor(std::string_view name);

} // namespace velmora
