#include "imaging/RasterImage.h"

namespace velmora {

std::string checkPictureSize(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        return "The picture has no size.";
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return "The picture is larger than 30,000 pixels a side.";
    if (uint64_t(width) * uint64_t(height) * 4 > kMaxPictureBytes)
        return "The picture would need more than 256 MiB.";
    return {};
}

uint8_t ByteReader::u8()
{
    if (at >= data.size()) {
        over = true;
        return 0;
    }
    return data[at++];
}

uint16_t ByteReader::u16()
{
    const uint16_t lo = u8();
    return static_cast<uint16_t>(lo | (u8() << 8));
}

uint32_t ByteReader::u32()
{
    const uint32_t lo = u16();
    return lo | (uint32_t(u16()) << 16);
}

std::span<const uint8_t> ByteReader::bytes(std::size_t n)
{
    if (n > remaining()) {
        over = true;
        at = data.size();
        return {};
    }
    auto s = data.subspan(at, n);
    at += n;
    return s;
}

} // namespace velmora
