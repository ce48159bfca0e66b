#pragma once
#include <string>

namespace velmora::test {
// Committed sample files.
inline std::string fixture(const std::string &name)
{
    return std::string(VELMORA_FIXTURES) + "/" + name;
}
// The data that ships beside the program (icon libraries, textures, clip art, samples).
inline std::string shippedData(const std::string &name)
{
    return std::string(VELMORA_DATA) + "/" + name;
}
// Desktop integration files (desktop entry, MIME types, metainfo).
inline std::string distFile(const std::string &name)
{
    return std::string(VELMORA_DIST) + "/" + name;
}
inline std::string exportExe()
{
    return VELMORA_EXPORT_EXE;
}
} // namespace velmora::test
