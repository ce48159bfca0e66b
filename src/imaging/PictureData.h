#pragma once
// The stored form of a picture object's graphic inside documents: the class name as a short
// string, a 32-bit byte count, then a BMP file ("TBitmap") or a placeable WMF or an EMF
// ("TMetafile"). Plain bytes in and out.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

enum class StoredGraphic { Empty, Bitmap, Metafile };

struct StoredPicture {
    StoredGraphic kind = StoredGraphic::Empty;
    std::string bytes; // the BMP file or the metafile; empty for an empty bitmap
};

// Empty output for an empty picture (nothing is written then).
std::string EncodePictureData(const StoredPicture &picture);

// False with a reason for data that is not one of the two graphics or is damaged.
bool DecodePictureData(std::span<const uint8_t> data, StoredPicture &picture, std::string &error);

// Placeable metafile header for a WMF of the given box (in units, unitsPerInch a inch).
std::string PlaceableHeader(int width, int height, int unitsPerInch);

// Whether bytes are a metafile a picture may hold: an EMF, or a placeable WMF whose header
// checksum matches.
bool IsStorableMetafile(std::string_view bytes);

} // namespace velmora
