#pragma once
#include <cstdint>

namespace velmora {

// The page's tool: pointing, or one of the five drawing tools. Never stored.
enum TLPanelState : int32_t {
    psPointing = 0,
    psLabel = 1,
    psImage = 2,
    psRichLabel = 3,
    psSuperText = 4,
    psFlatCalendar = 5,
};

} // namespace velmora
