#include "imaging/PictureData.h"

#include "imaging/MetafileHeader.h"
#include "imaging/RasterImage.h"

namespace velmora {

namespace {

void putLe(std::string &out, uint32_t v, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::span<const uint8_t> asBytes(std::string_view s)
{
    return {reinterpret_cast<const uint8_t *>(s.data()), s.size()};
}

} // namespace

std::string EncodePictureData(const StoredPicture &picture)
{
    if (picture.kind == StoredGraphic::Empty)
        return {};
    const std::string name = picture.kind == StoredGraphic::Bitmap ? "TBitmap" : "TMetafile";
    std::string out;
    out.reserve(name.size() + 5 + picture.bytes.size());
    out.push_back(static_cast<char>(name.size()));
    out += name;
    putLe(out, static_cast<uint32_t>(picture.bytes.size()), 4);
    out += picture.bytes;
    return out;
}

bool IsStorableMetafile(std::string_view bytes)
{
    const auto span = asBytes(bytes);
    const MetafileKind kind = metafileKind(span);
    if (kind == MetafileKind::Emf)
        return true;
    return kind == MetafileKind::PlaceableWmf && metafileInfo(span).checksumOk;
}

bool DecodePictureData(std::span<const uint8_t> data, StoredPicture &picture, std::string &error)
{
    picture = {};
    ByteReader in(data);
    const std::size_t nameLength = in.u8();
    const auto nameBytes = in.bytes(nameLength);
    const uint32_t count = in.u32();
    if (in.overrun()) {
        error = "The picture data is truncated.";
        return false;
    }
    const std::string name(reinterpret_cast<const char *>(nameBytes.data()), nameBytes.size());
    if (name != "TBitmap" && name != "TMetafile") {
        error = "The picture holds an unknown kind of graphic.";
        return false;
    }
    if (count > in.remaining()) {
        error = "The picture data is truncated.";
        return false;
    }
    const auto body = in.bytes(count);
    std::string bytes(reinterpret_cast<const char *>(body.data()), body.size());
    if (name == "TBitmap") {
        if (!bytes.empty() && (bytes.size() < 14 || bytes.compare(0, 2, "BM") != 0)) {
            error = "The stored bitmap is not a BMP file.";
            return false;
        }
        picture.kind = StoredGraphic::Bitmap;
    } else {
        if (!IsStorableMetafile(bytes)) {
            error = "The stored metafile is damaged.";
            return false;
        }
        picture.kind = StoredGraphic::Metafile;
    }
    picture.bytes = std::move(bytes);
    return true;
}

std::string PlaceableHeader(int width, int height, int unitsPerInch)
{
    std::string h;
    putLe(h, kPlaceableKey, 4);
    putLe(h, 0, 2);
    putLe(h, 0, 2);
    putLe(h, 0, 2);
    putLe(h, static_cast<uint32_t>(width) & 0xFFFF, 2);
    putLe(h, static_cast<uint32_t>(height) & 0xFFFF, 2);
    putLe(h, static_cast<uint32_t>(unitsPerInch), 2);
    putLe(h, 0, 4);
    putLe(h, placeableChecksum(asBytes(h)), 2);
    return h;
}

} // namespace velmora
