#include "imaging/IconLibraryWriter.h"

#include <algorithm>
#include <cctype>

namespace velmora {

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kRtIcon = 0x8003;
constexpr uint16_t kRtGroupIcon = 0x800E;
// Moveable, pure and discardable: what resource compilers give icon data.
constexpr uint16_t kResourceFlags = 0x1C30;
constexpr size_t kNeHeaderAt = 0x40;
constexpr size_t kNeHeaderSize = 0x40;

void put8(Bytes &b, size_t at, uint32_t v)
{
    if (b.size() < at + 1) b.resize(at + 1);
    b[at] = uint8_t(v);
}
void put16(Bytes &b, size_t at, uint32_t v)
{
    put8(b, at, v & 0xFFu);
    put8(b, at + 1, (v >> 8) & 0xFFu);
}
void put32(Bytes &b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFFu);
    put16(b, at + 2, v >> 16);
}
void append(Bytes &b, const Bytes &more) { b.insert(b.end(), more.begin(), more.end()); }

void checkPicture(const TIconBitmap &bitmap)
{
    if (bitmap.width < 1 || bitmap.height < 1 || bitmap.width > 256 || bitmap.height > 256)
        throw TIconWriteError("an icon picture must be 1 to 256 pixels on each side");
    if (bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height))
        throw TIconWriteError("an icon picture's pixels do not match its size");
}

std::string resourceName(const std::string &name)
{
    std::string upper = name.substr(0, 255);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

// The 14-byte group entries naming RT_ICON ids firstId, firstId + 1, ...
Bytes groupDirectory(const std::vector<TIconBitmap> &pictures, const std::vector<Bytes> &dibs,
                     int firstId)
{
    Bytes b;
    put16(b, 0, 0);
    put16(b, 2, 1);
    put16(b, 4, uint32_t(pictures.size()));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const size_t e = 6 + 14 * i;
        put8(b, e, uint32_t(pictures[i].width & 0xFF)); // 256 is stored as 0
        put8(b, e + 1, uint32_t(pictures[i].height & 0xFF));
        put8(b, e + 2, 0);
        put8(b, e + 3, 0);
        put16(b, e + 4, 1);
        put16(b, e + 6, 32);
        put32(b, e + 8, uint32_t(dibs[i].size()));
        put16(b, e + 12, uint32_t(firstId + int(i)));
    }
    return b;
}

struct TResource
{
    uint16_t id; // 0x8000 | number, or the name's offset from the resource table
    const Bytes *data;
};

} // namespace

std::vector<uint8_t> EncodeIconDib(const TIconBitmap &bitmap)
{
    checkPicture(bitmap);
    const size_t w = size_t(bitmap.width), h = size_t(bitmap.height);
    const size_t xorStride = w * 4;
    const size_t andStride = (w + 31) / 32 * 4;
    Bytes b;
    put32(b, 0, 40);
    put32(b, 4, uint32_t(w));
    put32(b, 8, uint32_t(2 * h)); // colour bits and mask, one above the other
    put16(b, 12, 1);
    put16(b, 14, 32);
    put32(b, 16, 0);
    put32(b, 20, uint32_t((xorStride + andStride) * h));
    b.resize(40, 0);
    b.reserve(40 + (xorStride + andStride) * h);
    for (size_t y = h; y-- > 0;) // rows are stored bottom-up
        for (size_t x = 0; x < w; ++x) {
            const uint32_t argb = bitmap.pixels[y * w + x];
            b.push_back(uint8_t(argb));
            b.push_back(uint8_t(argb >> 8));
            b.push_back(uint8_t(argb >> 16));
            b.push_back(uint8_t(argb >> 24));
        }
    for (size_t y = h; y-- > 0;) {
        Bytes row(andStride, 0);
        for (size_t x = 0; x < w; ++x)
            if ((bitmap.pixels[y * w + x] >> 24) < 0x80u) row[x / 8] |= uint8_t(0x80u >> (x % 8));
        append(b, row);
    }
    return b;
}

std::vector<uint8_t> WriteIconLibrary(const std::vector<TIconEntry> &icons,
                                      const std::string &moduleName)
{
    std::vector<std::vector<Bytes>> dibs;
    std::vector<Bytes> groups;
    size_t pictureCount = 0;
    for (const TIconEntry &icon : icons) {
        if (icon.pictures.empty()) throw TIconWriteError("an icon needs at least one picture");
        std::vector<Bytes> encoded;
        for (const TIconBitmap &p : icon.pictures) encoded.push_back(EncodeIconDib(p));
        groups.push_back(groupDirectory(icon.pictures, encoded, int(pictureCount) + 1));
        pictureCount += encoded.size();
        dibs.push_back(std::move(encoded));
    }
    // Ids carry the 0x8000 flag and counts are 16 bits wide.
    if (pictureCount > 0x7FFF || icons.size() > 0x7FFF)
        throw TIconWriteError("too many icons for one library");

    // The resource table: alignment shift, the RT_ICON and RT_GROUP_ICON blocks, the end
    // mark, then the group names.
    const size_t typeBlocks = (pictureCount > 0 ? 8 + 12 * pictureCount : 0) +
                              (icons.empty() ? 0 : 8 + 12 * icons.size());
    const size_t namesAt = 2 + typeBlocks + 2;
    Bytes names;
    std::vector<TResource> pictures, groupRes;
    for (size_t g = 0, id = 1; g < icons.size(); ++g) {
        for (const Bytes &dib : dibs[g]) pictures.push_back({uint16_t(0x8000u | id++), &dib});
        const std::string name = resourceName(icons[g].name);
        if (name.empty()) {
            groupRes.push_back({uint16_t(0x8000u | (g + 1)), &groups[g]});
        } else {
            const size_t offset = namesAt + names.size();
            if (offset > 0x7FFF) throw TIconWriteError("icon names too long for one library");
            groupRes.push_back({uint16_t(offset), &groups[g]});
            names.push_back(uint8_t(name.size()));
            names.insert(names.end(), name.begin(), name.end());
        }
    }
    names.push_back(0);
    const size_t resourceTableSize = namesAt + names.size();

    const std::string module = resourceName(moduleName.empty() ? "ICONS" : moduleName);
    Bytes resident;
    resident.push_back(uint8_t(module.size()));
    resident.insert(resident.end(), module.begin(), module.end());
    resident.push_back(0); // ordinal 0
    resident.push_back(0);
    resident.push_back(0); // end of table
    const std::string description = module + " icon library";
    Bytes nonresident;
    nonresident.push_back(uint8_t(description.size()));
    nonresident.insert(nonresident.end(), description.begin(), description.end());
    nonresident.push_back(0);
    nonresident.push_back(0);
    nonresident.push_back(0);

    const size_t resourceAt = kNeHeaderSize; // offsets below are from the NE header
    const size_t residentAt = resourceAt + resourceTableSize;
    const size_t importsAt = residentAt + resident.size(); // no module references
    const size_t entryAt = importsAt + 1;
    const size_t nonresidentAt = kNeHeaderAt + entryAt + 2; // this one is from the file start
    const size_t dataStart = nonresidentAt + nonresident.size();

    // The smallest alignment that lets 16-bit offsets and lengths reach every resource.
    size_t dataEnd = 0;
    int shift = 4;
    for (;; ++shift) {
        if (shift > 15) throw TIconWriteError("icon library too large");
        const size_t unit = size_t(1) << shift;
        size_t at = (dataStart + unit - 1) / unit * unit;
        bool fits = true;
        for (const auto *list : {&pictures, &groupRes})
            for (const TResource &r : *list) {
                const size_t units = (r.data->size() + unit - 1) / unit;
                if (at / unit > 0xFFFF || units > 0xFFFF) fits = false;
                at += units * unit;
            }
        if (fits) {
            dataEnd = at;
            break;
        }
    }
    const size_t unit = size_t(1) << shift;

    Bytes b;
    b.reserve(dataEnd);
    // The DOS header: just enough for loaders to find the new header.
    put16(b, 0, 0x5A4D);
    put16(b, 2, uint32_t(kNeHeaderAt % 512));
    put16(b, 4, 1);
    put16(b, 8, 4); // header paragraphs
    put16(b, 0x18, 0x40);
    put32(b, 0x3C, uint32_t(kNeHeaderAt));
    const size_t ne = kNeHeaderAt;
    put16(b, ne, 0x454E);
    put8(b, ne + 2, 5);
    put8(b, ne + 3, 10);
    put16(b, ne + 0x04, uint32_t(entryAt));
    put16(b, ne + 0x06, 1);
    put16(b, ne + 0x0C, 0x8000); // a library module
    put16(b, ne + 0x20, uint32_t(nonresident.size()));
    put16(b, ne + 0x22, uint32_t(resourceAt)); // no segments
    put16(b, ne + 0x24, uint32_t(resourceAt));
    put16(b, ne + 0x26, uint32_t(residentAt));
    put16(b, ne + 0x28, uint32_t(importsAt));
    put16(b, ne + 0x2A, uint32_t(importsAt));
    put32(b, ne + 0x2C, uint32_t(nonresidentAt));
    put16(b, ne + 0x32, uint32_t(shift));
    put16(b, ne + 0x34, uint32_t(pictures.size() + groupRes.size()));
    put8(b, ne + 0x36, 2); // Windows
    put16(b, ne + 0x3E, 0x030A);

    size_t at = ne + resourceAt;
    put16(b, at, uint32_t(shift));
    at += 2;
    size_t dataAt = (dataStart + unit - 1) / unit * unit;
    std::vector<std::pair<size_t, const Bytes *>> placed;
    const auto typeBlock = [&](uint16_t type, const std::vector<TResource> &list) {
        if (list.empty()) return;
        put16(b, at, type);
        put16(b, at + 2, uint32_t(list.size()));
        put32(b, at + 4, 0);
        at += 8;
        for (const TResource &r : list) {
            const size_t units = (r.data->size() + unit - 1) / unit;
            put16(b, at, uint32_t(dataAt / unit));
            put16(b, at + 2, uint32_t(units));
            put16(b, at + 4, kResourceFlags);
            put16(b, at + 6, r.id);
            put32(b, at + 8, 0);
            at += 12;
            placed.emplace_back(dataAt, r.data);
            dataAt += units * unit;
        }
    };
    typeBlock(kRtIcon, pictures);
    typeBlock(kRtGroupIcon, groupRes);
    put16(b, at, 0);
    at += 2;
    b.resize(at);
    append(b, names);
    append(b, resident);
    b.push_back(0); // imported names: empty
    b.push_back(0); // entry table: no bundles
    b.push_back(0);
    append(b, nonresident);
    for (const auto &[offset, data] : placed) {
        b.resize(offset, 0);
        append(b, *data);
    }
    b.resize(dataEnd, 0);
    return b;
}

std::vector<uint8_t> WriteIcoFile(const std::vector<TIconBitmap> &pictures)
{
    if (pictures.empty()) throw TIconWriteError("an icon needs at least one picture");
    if (pictures.size() > 0xFFFF) throw TIconWriteError("too many pictures for one icon");
    std::vector<Bytes> dibs;
    for (const TIconBitmap &p : pictures) dibs.push_back(EncodeIconDib(p));
    Bytes b;
    put16(b, 0, 0);
    put16(b, 2, 1);
    put16(b, 4, uint32_t(pictures.size()));
    size_t data = 6 + 16 * pictures.size();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const size_t e = 6 + 16 * i;
        put8(b, e, uint32_t(pictures[i].width & 0xFF));
        put8(b, e + 1, uint32_t(pictures[i].height & 0xFF));
        put16(b, e + 2, 0);
        put16(b, e + 4, 1);
        put16(b, e + 6, 32);
        put32(b, e + 8, uint32_t(dibs[i].size()));
        put32(b, e + 12, uint32_t(data));
        data += dibs[i].size();
    }
    for (const Bytes &d : dibs) append(b, d);
    return b;
}

} // namespace velmora
