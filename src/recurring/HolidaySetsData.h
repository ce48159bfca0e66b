#pragma once
// The text of HolidaySets.txt, built into the program (generated at configure time).
#include <string_view>

namespace velmora {
extern const std::string_view kHolidaySetsTable;
}
