#include "imaging/MetafileHeader.h"

#include "imaging/RasterImage.h"

namespace velmora {

namespace {
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
}

uint16_t placeableChecksum(std::span<const uint8_t> header)
{
    uint16_t sum = 0;
    for (std::size_t i = 0; i + 1 < 20 && i + 1 < header.size(); i += 2)
        sum ^= uint16_t(header[i] | (header[i + 1] << 8));
    return sum;
}

MetafileKind metafileKind(std::span<const uint8_t> bytes)
{
    ByteReader in(bytes);
    const uint32_t first = in.u32();
    if (in.overrun())
        return MetafileKind::Unknown;
    if (first == 1 && bytes.size() >= 88) {
        in.seek(40);
        if (in.u32() == kEmfSignature)
            return MetafileKind::Emf;
    }
    if (first == kPlaceableKey && bytes.size() >= 22 + 18)
        return MetafileKind::PlaceableWmf;
    in.seek(0);
    const uint16_t type = in.u16();
    const uint16_t headerWords = in.u16();
    const uint16_t version = in.u16();
    if (bytes.size() >= 18 && (type == 1 || type == 2) && headerWords == 9
        && (version == 0x0100 || version == 0x0300))
        return MetafileKind::Wmf;
    return MetafileKind::Unknown;
}

MetafileInfo metafileInfo(std::span<const uint8_t> bytes)
{
    MetafileInfo info;
    info.kind = metafileKind(bytes);
    ByteReader in(bytes);
    if (info.kind == MetafileKind::PlaceableWmf) {
        in.skip(6);
        const int left = in.i16(), top = in.i16(), right = in.i16(), bottom = in.i16();
        const int inch = in.u16();
        in.skip(4);
        info.checksumOk = in.u16() == placeableChecksum(bytes);
        if (inch > 0) {
            info.width = std::abs(right - left) * 96.0 / inch;
            info.height = std::abs(bottom - top) * 96.0 / inch;
        }
    } else if (info.kind == MetafileKind::Emf) {
        in.seek(24);
        const int32_t left = in.i32(), top = in.i32(), right = in.i32(), bottom = in.i32();
        // The frame is in hundredths of a millimetre.
        info.width = std::abs(double(right) - left) * 96.0 / 2540.0;
        info.height = std::abs(double(bottom) - top) * 96.0 / 2540.0;
    }
    return info;
}

} // namespace velmora
