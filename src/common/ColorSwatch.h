#pragma once
// The sixteen standard colours as the colour lists offer them, and their little swatches.
#include "common/Color.h"

#include <QIcon>

#include <array>
#include <utility>

namespace velmora {

using TNamedColor = std::pair<TColor, const char *>;

// Black, maroon, ... white: the classic sixteen, in the order the lists show them.
const std::array<TNamedColor, 16> &StandardColors();
QIcon ColorSwatch(TColor color);

} // namespace velmora
