#pragma once
// Small icon containers made in code: icon pictures (DIB or PNG), .ico files, NE icon
// libraries and PE programs with icon resources.
#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes &b, size_t at, uint32_t v)
{
    if (b.size() < at + 2) b.resize(at + 2);
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
inline void put32(Bytes &b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFFu);
    put16(b, at + 2, v >> 16);
}
inline void append(Bytes &b, const Bytes &more) { b.insert(b.end(), more.begin(), more.end()); }
inline void alignTo(Bytes &b, size_t unit) { b.resize((b.size() + unit - 1) / unit * unit); }

// One picture: the bytes and what the directory says about it.
struct Picture
{
    int width = 0, height = 0, bitCount = 0;
    Bytes bytes;
};

// A DIB picture. pixel(x, y) gives 0xAARRGGBB for 24/32 bits and a palette index below
// that; masked(x, y) sets the AND mask bit (transparent).
inline Picture dibPicture(int w, int h, int bpp, const std::vector<uint32_t> &palette,
                          const std::function<uint32_t(int, int)> &pixel,
                          const std::function<bool(int, int)> &masked)
{
    Picture p{w, h, bpp, {}};
    Bytes &b = p.bytes;
    put32(b, 0, 40);
    put32(b, 4, uint32_t(w));
    put32(b, 8, uint32_t(2 * h));
    put16(b, 12, 1);
    put16(b, 14, uint32_t(bpp));
    put32(b, 16, 0);
    put32(b, 32, uint32_t(palette.size()));
    b.resize(40);
    for (uint32_t c : palette) {
        b.push_back(uint8_t(c));
        b.push_back(uint8_t(c >> 8));
        b.push_back(uint8_t(c >> 16));
        b.push_back(0);
    }
    const size_t xorStride = (size_t(w) * size_t(bpp) + 31) / 32 * 4;
    const size_t andStride = (size_t(w) + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(xorStride, 0);
        for (int x = 0; x < w; ++x) {
            const uint32_t v = pixel(x, y);
            if (bpp <= 8) {
                const size_t bit = size_t(x) * size_t(bpp);
                row[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
            } else {
                const size_t at = size_t(x) * size_t(bpp / 8);
                row[at] = uint8_t(v);
                row[at + 1] = uint8_t(v >> 8);
                row[at + 2] = uint8_t(v >> 16);
                if (bpp == 32) row[at + 3] = uint8_t(v >> 24);
            }
        }
        append(b, row);
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(andStride, 0);
        for (int x = 0; x < w; ++x)
            if (masked(x, y)) row[size_t(x) / 8] |= uint8_t(0x80u >> (x % 8));
        append(b, row);
    }
    return p;
}

// A 32-bit picture whose colour encodes the position and a tag, with alpha.
inline uint32_t tagPixel(int x, int y, int tag)
{
    return 0x80000000u | uint32_t(tag) << 16 | uint32_t(x) << 8 | uint32_t(y);
}
inline Picture taggedPicture(int size, int tag)
{
    return dibPicture(size, size, 32, {}, [tag](int x, int y) { return tagPixel(x, y, tag); },
                      [](int, int) { return false; });
}

inline Picture pngPicture(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {image.width(), image.height(), 32, Bytes(data.begin(), data.end())};
}

inline Bytes icoFile(const std::vector<Picture> &pictures)
{
    Bytes b;
    put16(b, 0, 0);
    put16(b, 2, 1);
    put16(b, 4, uint32_t(pictures.size()));
    size_t data = 6 + 16 * pictures.size();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture &p = pictures[i];
        const size_t e = 6 + 16 * i;
        put16(b, e, uint32_t(p.width & 0xFF) | uint32_t(p.height & 0xFF) << 8);
        put16(b, e + 4, 1);
        put16(b, e + 6, uint32_t(p.bitCount));
        put32(b, e + 8, uint32_t(p.bytes.size()));
        put32(b, e + 12, uint32_t(data));
        data += p.bytes.size();
    }
    for (const Picture &p : pictures) append(b, p.bytes);
    return b;
}

// A group directory naming RT_ICON ids firstId, firstId + 1, ...
inline Bytes groupDirectory(const std::vector<Picture> &pictures, int firstId)
{
    Bytes b;
    put16(b, 0, 0);
    put16(b, 2, 1);
    put16(b, 4, uint32_t(pictures.size()));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture &p = pictures[i];
        const size_t e = 6 + 14 * i;
        put16(b, e, uint32_t(p.width & 0xFF) | uint32_t(p.height & 0xFF) << 8);
        put16(b, e + 4, 1);
        put16(b, e + 6, uint32_t(p.bitCount));
        put32(b, e + 8, uint32_t(p.bytes.size()));
        put16(b, e + 12, uint32_t(firstId + int(i)));
    }
    return b;
}

struct Resource
{
    int type, id;
    Bytes data;
};

// The resources of icons: RT_ICON entries first, then one RT_GROUP_ICON per icon.
inline std::vector<Resource> iconResources(const std::vector<std::vector<Picture>> &icons)
{
    std::vector<Resource> pictures, groups;
    int nextId = 1;
    for (size_t g = 0; g < icons.size(); ++g) {
        groups.push_back({14, int(g) + 1, groupDirectory(icons[g], nextId)});
        for (const Picture &p : icons[g]) pictures.push_back({3, nextId++, p.bytes});
    }
    pictures.insert(pictures.end(), groups.begin(), groups.end());
    return pictures;
}

inline Bytes neFile(const std::vector<std::vector<Picture>> &icons, int shift = 4)
{
    const std::vector<Resource> res = iconResources(icons);
    Bytes b;
    put16(b, 0, 0x5A4D);
    put32(b, 0x3C, 0x40);
    put16(b, 0x40, 0x454E);
    put16(b, 0x40 + 0x24, 0x40);
    size_t at = 0x80;
    put16(b, at, uint32_t(shift));
    at += 2;
    std::vector<size_t> nameInfo;
    for (int type : {3, 14}) {
        size_t count = 0;
        for (const Resource &r : res) count += r.type == type ? 1 : 0;
        put16(b, at, 0x8000u | uint32_t(type));
        put16(b, at + 2, uint32_t(count));
        put32(b, at + 4, 0);
        at += 8;
        for (const Resource &r : res)
            if (r.type == type) {
                nameInfo.push_back(at);
                put16(b, at + 6, 0x8000u | uint32_t(r.id));
                at += 12;
            }
    }
    put16(b, at, 0);
    size_t k = 0;
    for (int type : {3, 14})
        for (const Resource &r : res)
            if (r.type == type) {
                alignTo(b, size_t(1) << shift);
                const size_t unit = size_t(1) << shift;
                put16(b, nameInfo[k], uint32_t(b.size() / unit));
                put16(b, nameInfo[k] + 2, uint32_t((r.data.size() + unit - 1) / unit));
                append(b, r.data);
                ++k;
            }
    alignTo(b, size_t(1) << shift);
    return b;
}

inline Bytes peFile(const std::vector<std::vector<Picture>> &icons)
{
    const std::vector<Resource> res = iconResources(icons);
    constexpr uint32_t kVa = 0x1000, kRaw = 0x200;
    // The resource section: type directory, name directories, language directories, data
    // entries, then the data.
    Bytes r;
    const auto directory = [&](size_t at, size_t ids) {
        put16(r, at + 12, 0);
        put16(r, at + 14, uint32_t(ids));
    };
    std::vector<Resource> byType[2];
    for (const Resource &x : res) byType[x.type == 14 ? 1 : 0].push_back(x);
    directory(0, 2);
    size_t cursor = 32;
    size_t typeDir[2];
    for (int t = 0; t < 2; ++t) {
        typeDir[t] = cursor;
        put32(r, 16 + size_t(t) * 8, t == 0 ? 3u : 14u);
        put32(r, 20 + size_t(t) * 8, 0x80000000u | uint32_t(cursor));
        directory(cursor, byType[t].size());
        cursor += 16 + 8 * byType[t].size();
    }
    std::vector<size_t> dataEntries;
    for (int t = 0; t < 2; ++t)
        for (size_t i = 0; i < byType[t].size(); ++i) {
            put32(r, typeDir[t] + 16 + i * 8, uint32_t(byType[t][i].id));
            put32(r, typeDir[t] + 20 + i * 8, 0x80000000u | uint32_t(cursor));
            directory(cursor, 1);
            put32(r, cursor + 16, 0x409);
            put32(r, cursor + 20, uint32_t(cursor + 24));
            dataEntries.push_back(cursor + 24);
            cursor += 24 + 16;
        }
    r.resize(cursor);
    size_t k = 0;
    for (int t = 0; t < 2; ++t)
        for (const Resource &x : byType[t]) {
            alignTo(r, 4);
            put32(r, dataEntries[k], kVa + uint32_t(r.size()));
            put32(r, dataEntries[k] + 4, uint32_t(x.data.size()));
            append(r, x.data);
            ++k;
        }
    alignTo(r, 0x200);

    Bytes b;
    put16(b, 0, 0x5A4D);
    put32(b, 0x3C, 0x40);
    put32(b, 0x40, 0x4550);
    put16(b, 0x44, 0x14C);
    put16(b, 0x46, 1);
    put16(b, 0x54, 224);
    const size_t opt = 0x58;
    put16(b, opt, 0x10B);
    put32(b, opt + 92, 16);
    put32(b, opt + 96 + 16, kVa);
    put32(b, opt + 96 + 20, uint32_t(r.size()));
    const size_t section = opt + 224;
    const char name[] = ".rsrc";
    for (size_t i = 0; i < 5; ++i) put16(b, section + i, uint8_t(name[i]));
    put32(b, section + 8, uint32_t(r.size()));
    put32(b, section + 12, kVa);
    put32(b, section + 16, uint32_t(r.size()));
    put32(b, section + 20, kRaw);
    b.resize(kRaw);
    append(b, r);
    return b;
}

inline void writeFile(const std::string &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace velmora::test
