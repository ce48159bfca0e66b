#pragma once
// Recognising metafiles and reading their size from the header, on plain bytes.
#include <cstdint>
#include <span>

namespace velmora {

enum class MetafileKind { Unknown, Wmf, PlaceableWmf, Emf };

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

struct MetafileInfo {
    MetafileKind kind = MetafileKind::Unknown;
    double width = 0, height = 0; // pixels at 96 per inch; 0 when the file does not say
    bool checksumOk = false;      // placeable header only
};

MetafileKind metafileKind(std::span<const uint8_t> bytes);
MetafileInfo metafileInfo(std::span<const uint8_t> bytes);

// The 16-bit exclusive-or of the first ten words of a placeable header.
uint16_t placeableChecksum(std::span<const uint8_t> header);

} // namespace velmora
