#pragma once
// Icon resources of single icon files (.ico), 16-bit icon libraries and programs (NE: .icl,
// old .dll/.exe) and 32/64-bit programs and libraries (PE: .dll, .exe). The reader works
// on bytes only; every offset and length is checked against the bytes present, so a
// damaged file yields fewer icons (or none), never a crash or an unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

enum class TIconFileKind { None, Ico, Ne, Pe };

// One picture of an icon as its directory describes it: a DIB (info header, palette, colour
// bits, AND mask) or a PNG stream.
struct TIconImage
{
    int width = 0;  // from the directory; 0 there means 256
    int height = 0;
    int colorCount = 0;
    int bitCount = 0;
    bool png = false;
    std::vector<uint8_t> data;
};

// A decoded picture: width × height pixels, top row first, 0xAARRGGBB, not premultiplied.
struct TIconBitmap
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

class TIconLibrary
{
public:
    TIconLibrary() = default;
    // Reads the icon directory of any supported container; anything else has no icons.
    static TIconLibrary fromBytes(std::vector<uint8_t> bytes);
    // An unreadable or oversized file has no icons.
    static TIconLibrary fromFile(const std::string &path);

    TIconFileKind kind() const { return kind_; }
    int count() const { return static_cast<int>(icons_.size()); }
    // All pictures of the icon at a 0-based index (in file order); empty when out of range.
    std::vector<TIconImage> images(int index) const;
    // The picture of an icon that suits the given size best: the closest size, then the
    // most colours.
    std::optional<TIconImage> bestImage(int index, int size) const;

private:
    struct TImageRef
    {
        int width, height, colorCount, bitCount;
        size_t offset, size;
    };
    using TIconRefs = std::vector<TImageRef>;

    void readIco();
    void readNe(size_t header);
    void readPe(size_t header);
    void addGroup(size_t offset, size_t size, const std::map<int, TImageRef> &icons);
    TIconImage imageOf(const TImageRef &ref) const;

    std::vector<uint8_t> bytes_;
    TIconFileKind kind_ = TIconFileKind::None;
    std::vector<TIconRefs> icons_;
    size_t entriesRead_ = 0; // group entries, against the file's size
};

// Decodes an icon DIB (colour bits at 1, 4, 8, 24 or 32 bits with the AND mask below them);
// nothing for anything it cannot read safely.
std::optional<TIconBitmap> DecodeIconDib(std::span<const uint8_t> dib);

} // namespace velmora
