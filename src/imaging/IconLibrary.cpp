#include "imaging/IconLibrary.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>

namespace velmora {

namespace {

constexpr int kRtIcon = 3;
constexpr int kRtGroupIcon = 14;
// Real icon containers are far smaller; a larger file is not read into memory at all.
constexpr std::uintmax_t kMaxFileSize = 256u * 1024u * 1024u;
// Pictures larger than this are not icons and would only cost memory.
constexpr int kMaxIconSide = 1024;

// Bounds-checked little-endian access: a read past the end yields nothing.
class TBytes
{
public:
    explicit TBytes(std::span<const uint8_t> b) : b_(b) {}
    size_t size() const { return b_.size(); }
    bool has(size_t offset, size_t length) const
    {
        return offset <= b_.size() && length <= b_.size() - offset;
    }
    std::optional<uint32_t> u8(size_t at) const
    {
        if (!has(at, 1)) return std::nullopt;
        return b_[at];
    }
    std::optional<uint32_t> u16(size_t at) const
    {
        if (!has(at, 2)) return std::nullopt;
        return uint32_t(b_[at]) | uint32_t(b_[at + 1]) << 8;
    }
    std::optional<uint32_t> u32(size_t at) const
    {
        if (!has(at, 4)) return std::nullopt;
        return uint32_t(b_[at]) | uint32_t(b_[at + 1]) << 8 | uint32_t(b_[at + 2]) << 16 |
               uint32_t(b_[at + 3]) << 24;
    }

private:
    std::span<const uint8_t> b_;
};

struct TLocation
{
    size_t offset, size;
};

// The icon picture entries of an icon directory (.ico) or group directory (RT_GROUP_ICON):
// 6 bytes of header, then entries of 16 (file) or 14 (resource) bytes.
struct TDirEntry
{
    int width, height, colorCount, bitCount;
    uint32_t size;
    uint32_t ref; // file offset (.ico) or RT_ICON id (group)
};

std::vector<TDirEntry> readDirectory(const TBytes &b, size_t at, size_t end, size_t entrySize,
                                     size_t limit = SIZE_MAX)
{
    std::vector<TDirEntry> entries;
    const auto reserved = b.u16(at), type = b.u16(at + 2), count = b.u16(at + 4);
    if (!reserved || !type || !count || *reserved != 0 || *type != 1) return entries;
    for (size_t i = 0; i < *count && i < limit; ++i) {
        const size_t e = at + 6 + i * entrySize;
        if (e + entrySize > end || !b.has(e, entrySize)) break;
        TDirEntry d;
        d.width = int(*b.u8(e));
        d.height = int(*b.u8(e + 1));
        d.colorCount = int(*b.u8(e + 2));
        d.bitCount = int(*b.u16(e + 6));
        d.size = *b.u32(e + 8);
        d.ref = entrySize == 16 ? *b.u32(e + 12) : *b.u16(e + 12);
        entries.push_back(d);
    }
    return entries;
}

} // namespace

TIconLibrary TIconLibrary::fromBytes(std::vector<uint8_t> bytes)
{
    TIconLibrary lib;
    lib.bytes_ = std::move(bytes);
    const TBytes b(lib.bytes_);
    if (b.u16(0) == 0x5A4Du) { // "MZ"
        const auto header = b.u32(0x3C);
        if (!header) return lib;
        if (b.u16(*header) == 0x454Eu) // "NE"
            lib.readNe(*header);
        else if (b.u32(*header) == 0x00004550u) // "PE\0\0"
            lib.readPe(*header);
    } else {
        lib.readIco();
    }
    if (lib.icons_.empty()) lib.kind_ = TIconFileKind::None;
    return lib;
}

TIconLibrary TIconLibrary::fromFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || std::uintmax_t(size) > kMaxFileSize) return {};
    in.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char *>(bytes.data()), size)) return {};
    return fromBytes(std::move(bytes));
}

void TIconLibrary::readIco()
{
    const TBytes b(bytes_);
    TIconRefs refs;
    for (const TDirEntry &d : readDirectory(b, 0, b.size(), 16)) {
        if (d.size == 0 || !b.has(d.ref, d.size)) continue;
        refs.push_back({d.width, d.height, d.colorCount, d.bitCount, d.ref, d.size});
    }
    if (refs.empty()) return;
    icons_.push_back(std::move(refs));
    kind_ = TIconFileKind::Ico;
}

void TIconLibrary::addGroup(size_t offset, size_t size, const std::map<int, TImageRef> &icons)
{
    const TBytes b(bytes_);
    TIconRefs refs;
    // Groups of a sound file never share their 14-byte entries, so all of them together
    // hold at most one entry per 14 bytes; a damaged table that points many groups at the
    // same bytes must not multiply the work without end.
    const size_t budget = bytes_.size() / 14 - std::min(bytes_.size() / 14, entriesRead_);
    const std::vector<TDirEntry> entries = readDirectory(b, offset, offset + size, 14, budget);
    entriesRead_ += entries.size();
    for (const TDirEntry &d : entries) {
        const auto found = icons.find(int(d.ref));
        if (found == icons.end()) continue;
        TImageRef ref = found->second;
        ref.width = d.width;
        ref.height = d.height;
        ref.colorCount = d.colorCount;
        ref.bitCount = d.bitCount;
        refs.push_back(ref);
    }
    // A group whose pictures are all missing cannot be drawn; it is left out rather than
    // shown as a hole.
    if (!refs.empty()) icons_.push_back(std::move(refs));
}

void TIconLibrary::readNe(size_t header)
{
    const TBytes b(bytes_);
    const auto tableOffset = b.u16(header + 0x24);
    if (!tableOffset) return;
    size_t at = header + *tableOffset;
    const auto shift = b.u16(at);
    // Offsets are stored in units of 1 << shift; larger shifts cannot address a real file.
    if (!shift || *shift > 24) return;
    at += 2;
    std::vector<TLocation> groups;
    std::map<int, TImageRef> icons;
    // Each type block is at least 8 bytes long, so the walk ends within the file. A cut
    // table still yields the icons read before the cut.
    for (bool more = true; more;) {
        const auto type = b.u16(at), count = b.u16(at + 2);
        if (!type || *type == 0 || !count) break;
        at += 8;
        for (size_t i = 0; i < *count; ++i, at += 12) {
            const auto off = b.u16(at), len = b.u16(at + 2), id = b.u16(at + 6);
            if (!off || !len || !id) {
                more = false;
                break;
            }
            const size_t offset = size_t(*off) << *shift, size = size_t(*len) << *shift;
            if (size == 0 || !b.has(offset, size)) continue;
            if (*type == (0x8000u | kRtGroupIcon))
                groups.push_back({offset, size});
            else if (*type == (0x8000u | kRtIcon) && (*id & 0x8000u) != 0)
                icons.try_emplace(int(*id & 0x7FFFu), TImageRef{0, 0, 0, 0, offset, size});
        }
    }
    for (const TLocation &g : groups) addGroup(g.offset, g.size, icons);
    if (!icons_.empty()) kind_ = TIconFileKind::Ne;
}

void TIconLibrary::readPe(size_t header)
{
    const TBytes b(bytes_);
    const auto sectionCount = b.u16(header + 6), optionalSize = b.u16(header + 20);
    const size_t optional = header + 24;
    const auto magic = b.u16(optional);
    if (!sectionCount || !optionalSize || !magic) return;
    const size_t dirCountAt = *magic == 0x20Bu ? 108 : 92;
    const auto dirCount = b.u32(optional + dirCountAt);
    if (!dirCount || *dirCount < 3 || dirCountAt + 4 + 3 * 8 > *optionalSize) return;
    const auto resourceRva = b.u32(optional + dirCountAt + 4 + 2 * 8);
    if (!resourceRva || *resourceRva == 0) return;

    struct TSection { uint32_t va, vsize, rawSize, raw; };
    std::vector<TSection> sections;
    const size_t table = optional + *optionalSize;
    for (size_t i = 0; i < *sectionCount; ++i) {
        const size_t s = table + i * 40;
        if (!b.has(s, 40)) break;
        sections.push_back({*b.u32(s + 12), *b.u32(s + 8), *b.u32(s + 16), *b.u32(s + 20)});
    }
    const auto fileOffset = [&](uint32_t rva) -> std::optional<size_t> {
        for (const TSection &s : sections) {
            const uint32_t span = std::max(s.vsize, s.rawSize);
            if (rva >= s.va && rva - s.va < span) return size_t(s.raw) + (rva - s.va);
        }
        return std::nullopt;
    };
    const auto rootAt = fileOffset(*resourceRva);
    if (!rootAt) return;
    const size_t root = *rootAt;

    // A directory's entries: (name or id, offset of the entry's target from the root).
    const auto entries = [&](size_t dir) {
        std::vector<std::pair<uint32_t, uint32_t>> list;
        const auto named = b.u16(dir + 12), ids = b.u16(dir + 14);
        if (!named || !ids) return list;
        const size_t n = size_t(*named) + *ids;
        if (!b.has(dir + 16, n * 8)) return list;
        for (size_t i = 0; i < n; ++i)
            list.emplace_back(*b.u32(dir + 16 + i * 8), *b.u32(dir + 20 + i * 8));
        return list;
    };
    // The data of the first language of a named resource.
    const auto dataOf = [&](uint32_t target) -> std::optional<TLocation> {
        if ((target & 0x80000000u) == 0) return std::nullopt;
        const auto languages = entries(root + (target & 0x7FFFFFFFu));
        if (languages.empty() || (languages.front().second & 0x80000000u) != 0)
            return std::nullopt;
        const size_t leaf = root + languages.front().second;
        const auto rva = b.u32(leaf), size = b.u32(leaf + 4);
        if (!rva || !size || *size == 0) return std::nullopt;
        const auto at = fileOffset(*rva);
        if (!at || !b.has(*at, *size)) return std::nullopt;
        return TLocation{*at, *size};
    };

    std::vector<TLocation> groups;
    std::map<int, TImageRef> icons;
    bool seen[2] = {false, false};
    for (const auto &[type, target] : entries(root)) {
        if ((type & 0x80000000u) != 0 || (type != kRtIcon && type != kRtGroupIcon)) continue;
        if ((target & 0x80000000u) == 0) continue;
        // A type listed twice is damage; walking it again would only repeat the work.
        bool &done = seen[type == kRtIcon ? 0 : 1];
        if (done) continue;
        done = true;
        for (const auto &[name, nameTarget] : entries(root + (target & 0x7FFFFFFFu))) {
            const auto data = dataOf(nameTarget);
            if (!data) continue;
            if (type == kRtGroupIcon)
                groups.push_back(*data);
            else if ((name & 0x80000000u) == 0)
                icons.try_emplace(int(name & 0xFFFFu),
                                  TImageRef{0, 0, 0, 0, data->offset, data->size});
        }
    }
    for (const TLocation &g : groups) addGroup(g.offset, g.size, icons);
    if (!icons_.empty()) kind_ = TIconFileKind::Pe;
}

TIconImage TIconLibrary::imageOf(const TImageRef &ref) const
{
    TIconImage image;
    image.width = ref.width == 0 ? 256 : ref.width;
    image.height = ref.height == 0 ? 256 : ref.height;
    image.colorCount = ref.colorCount;
    image.bitCount = ref.bitCount;
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(ref.offset);
    image.data.assign(first, first + static_cast<std::ptrdiff_t>(ref.size));
    static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    image.png = image.data.size() >= 8 &&
                std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.data.begin());
    return image;
}

std::vector<TIconImage> TIconLibrary::images(int index) const
{
    std::vector<TIconImage> result;
    if (index < 0 || index >= count()) return result;
    for (const TImageRef &ref : icons_[size_t(index)]) result.push_back(imageOf(ref));
    return result;
}

std::optional<TIconImage> TIconLibrary::bestImage(int index, int size) const
{
    if (index < 0 || index >= count()) return std::nullopt;
    const TIconRefs &refs = icons_[size_t(index)];
    const auto side = [](int w) { return w == 0 ? 256 : w; };
    const auto better = [&](const TImageRef &a, const TImageRef &b) {
        const int da = std::abs(side(a.width) - size), db = std::abs(side(b.width) - size);
        if (da != db) return da < db;
        return a.bitCount > b.bitCount;
    };
    return imageOf(*std::min_element(refs.begin(), refs.end(), better));
}

std::optional<TIconBitmap> DecodeIconDib(std::span<const uint8_t> dib)
{
    const TBytes b(dib);
    const auto headerSize = b.u32(0), width = b.u32(4), doubledHeight = b.u32(8),
               bits = b.u16(14), compression = b.u32(16), used = b.u32(32);
    if (!headerSize || !width || !doubledHeight || !bits || !compression || !used) return {};
    if (*headerSize < 40 || *compression != 0) return {};
    const auto w = int32_t(*width), h = int32_t(*doubledHeight) / 2;
    if (w <= 0 || h <= 0 || w > kMaxIconSide || h > kMaxIconSide) return {};
    const int bpp = int(*bits);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return {};

    size_t paletteSize = 0;
    if (bpp <= 8) {
        // The table is as long as the header says, even when that is more than the bits
        // can index; the colour bits follow it.
        paletteSize = *used != 0 ? std::min<size_t>(*used, 256) : size_t(1) << bpp;
    }
    const size_t paletteAt = *headerSize;
    const size_t xorAt = paletteAt + paletteSize * 4;
    const size_t xorStride = (size_t(w) * size_t(bpp) + 31) / 32 * 4;
    const size_t andStride = (size_t(w) + 31) / 32 * 4;
    const size_t andAt = xorAt + xorStride * size_t(h);
    if (!b.has(xorAt, xorStride * size_t(h))) return {};
    // Some writers leave the mask off 32-bit pictures, whose alpha says everything anyway.
    const bool hasMask = b.has(andAt, andStride * size_t(h));
    if (!hasMask && bpp != 32) return {};

    TIconBitmap out;
    out.width = w;
    out.height = h;
    out.pixels.resize(size_t(w) * size_t(h));
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const size_t row = xorAt + size_t(h - 1 - y) * xorStride; // rows are stored bottom-up
        for (int x = 0; x < w; ++x) {
            uint32_t argb = 0;
            if (bpp <= 8) {
                const size_t bit = size_t(x) * size_t(bpp);
                const uint32_t byte = *b.u8(row + bit / 8);
                const uint32_t index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index < paletteSize) {
                    const size_t p = paletteAt + index * 4;
                    argb = 0xFF000000u | *b.u8(p + 2) << 16 | *b.u8(p + 1) << 8 | *b.u8(p);
                } else {
                    argb = 0xFF000000u;
                }
            } else {
                const size_t p = row + size_t(x) * size_t(bpp / 8);
                const uint32_t alpha = bpp == 32 ? *b.u8(p + 3) : 0xFFu;
                anyAlpha = anyAlpha || (bpp == 32 && alpha != 0);
                argb = alpha << 24 | *b.u8(p + 2) << 16 | *b.u8(p + 1) << 8 | *b.u8(p);
            }
            out.pixels[size_t(y) * size_t(w) + size_t(x)] = argb;
        }
    }
    if (bpp == 32 && !anyAlpha) // an all-zero alpha channel means the mask decides
        for (uint32_t &p : out.pixels) p |= 0xFF000000u;
    if (hasMask && (bpp != 32 || !anyAlpha)) {
        for (int y = 0; y < h; ++y) {
            const size_t row = andAt + size_t(h - 1 - y) * andStride;
            for (int x = 0; x < w; ++x)
                if ((*b.u8(row + size_t(x) / 8) >> (7 - x % 8)) & 1u)
                    out.pixels[size_t(y) * size_t(w) + size_t(x)] = 0;
        }
    }
    return out;
}

} // namespace velmora
