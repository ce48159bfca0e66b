#pragma once
#include <string>

namespace velmora::test {
// Committed sample files.
inline std::string fixture(const std::string &name)
{
    return std::string(VELMORA_FIXTURES) + "/" + name;
}
inline std::string exportExe()
{
    return VELMORA_EXPORT_EXE;
}
} // namespace velmora::test
