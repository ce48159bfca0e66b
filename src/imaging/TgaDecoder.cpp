#include "imaging/TgaDecoder.h"

#include <algorithm>

namespace velmora {

namespace {

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

uint32_t expand5(uint32_t v) { return (v << 3) | (v >> 2); }

// One stored value (colour-map entry or true-colour pixel) of 15, 16, 24 or 32 bits.
uint32_t colourOf(const uint8_t *p, int bits, bool useAlpha)
{
    switch (bits) {
    case 15:
    case 16: {
        const uint32_t v = p[0] | (p[1] << 8);
        const uint32_t a = (bits == 16 && useAlpha) ? ((v & 0x8000) ? 255 : 0) : 255;
        return argb(a, expand5((v >> 10) & 31), expand5((v >> 5) & 31), expand5(v & 31));
    }
    case 24: return argb(255, p[2], p[1], p[0]);
    default: return argb(useAlpha ? p[3] : 255, p[2], p[1], p[0]);
    }
}

struct Header {
    int idLength, mapType, type, mapFirst, mapLength, mapBits, width, height, bits, descriptor;
};

} // namespace

DecodeResult decodeTga(std::span<const uint8_t> bytes)
{
    DecodeResult result;
    ByteReader in(bytes);
    Header h{};
    h.idLength = in.u8();
    h.mapType = in.u8();
    h.type = in.u8();
    h.mapFirst = in.u16();
    h.mapLength = in.u16();
    h.mapBits = in.u8();
    in.skip(4); // x and y origin of the picture on a screen: no meaning for us
    h.width = in.u16();
    h.height = in.u16();
    h.bits = in.u8();
    h.descriptor = in.u8();
    if (in.overrun()) {
        result.error = "The TGA header is incomplete.";
        return result;
    }
    const bool rle = h.type >= 9;
    const int base = rle ? h.type - 8 : h.type;
    if ((h.type != 1 && h.type != 2 && h.type != 3 && h.type != 9 && h.type != 10 && h.type != 11)
        || h.mapType > 1) {
        result.error = "Unknown TGA picture type.";
        return result;
    }
    const int alphaBits = h.descriptor & 15;
    bool validDepth = false;
    switch (base) {
    case 1: validDepth = (h.bits == 8 || h.bits == 16) && h.mapType == 1; break;
    case 2: validDepth = h.bits == 15 || h.bits == 16 || h.bits == 24 || h.bits == 32; break;
    case 3: validDepth = h.bits == 8 || h.bits == 16; break;
    }
    if (!validDepth) {
        result.error = "Unsupported TGA pixel depth.";
        return result;
    }
    if (auto err = checkPictureSize(h.width, h.height); !err.empty()) {
        result.error = err;
        return result;
    }
    in.skip(std::size_t(h.idLength));

    // The colour map comes next whether or not the pictures uses it.
    std::vector<uint32_t> palette;
    if (h.mapType == 1) {
        if (h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32) {
            result.error = "Unsupported TGA colour map depth.";
            return result;
        }
        const std::size_t entry = std::size_t(h.mapBits + 7) / 8;
        auto map = in.bytes(entry * std::size_t(h.mapLength));
        if (in.overrun()) {
            result.error = "The TGA colour map is truncated.";
            return result;
        }
        palette.reserve(std::size_t(h.mapLength));
        for (int i = 0; i < h.mapLength; ++i)
            palette.push_back(colourOf(map.data() + std::size_t(i) * entry, h.mapBits, alphaBits > 0));
    }

    const int pixelBytes = (h.bits + 7) / 8;
    const bool useAlpha = alphaBits > 0 && (h.bits == 32 || h.bits == 16);
    auto convert = [&](const uint8_t *p) -> uint32_t {
        switch (base) {
        case 1: {
            const int index = (h.bits == 8 ? p[0] : (p[0] | (p[1] << 8))) - h.mapFirst;
            return index >= 0 && std::size_t(index) < palette.size() ? palette[std::size_t(index)]
                                                                    : 0xFF000000u;
        }
        case 3: {
            const uint32_t a = (h.bits == 16 && alphaBits > 0) ? p[1] : 255;
            return argb(a, p[0], p[0], p[0]);
        }
        default: return colourOf(p, h.bits, useAlpha);
        }
    };

    const std::size_t count = std::size_t(h.width) * std::size_t(h.height);
    // Nothing is allocated that the input cannot fill: a packet of 1 + pixelBytes bytes
    // gives at most 128 pixels.
    const std::size_t most = rle ? in.remaining() / std::size_t(1 + pixelBytes) * 128 + 128
                                 : in.remaining() / std::size_t(pixelBytes);
    if (count > most) {
        result.error = "The TGA pixels are truncated.";
        return result;
    }
    RasterImage &img = result.image;
    img.width = h.width;
    img.height = h.height;
    img.pixels.resize(count);
    std::vector<uint32_t> &linear = img.pixels;
    if (!rle) {
        auto data = in.bytes(count * std::size_t(pixelBytes));
        if (in.overrun()) {
            result.error = "The TGA pixels are truncated.";
            return result;
        }
        for (std::size_t i = 0; i < count; ++i)
            linear[i] = convert(data.data() + i * std::size_t(pixelBytes));
    } else {
        // Packets run on across scan lines, so the stream is decoded as one long row.
        std::size_t done = 0;
        while (done < count) {
            const uint8_t packet = in.u8();
            const std::size_t n = std::min<std::size_t>((packet & 0x7F) + 1u, count - done);
            if (packet & 0x80) {
                auto px = in.bytes(std::size_t(pixelBytes));
                if (in.overrun())
                    break;
                const uint32_t c = convert(px.data());
                std::fill_n(linear.begin() + std::ptrdiff_t(done), n, c);
            } else {
                auto px = in.bytes(n * std::size_t(pixelBytes));
                if (in.overrun())
                    break;
                for (std::size_t i = 0; i < n; ++i)
                    linear[done + i] = convert(px.data() + i * std::size_t(pixelBytes));
            }
            done += n;
        }
        if (done < count) {
            result.error = "The TGA pixels are truncated.";
            return result;
        }
    }

    // Bit 4: pixels run right to left; bit 5: the first row is the top one.
    const bool rightToLeft = h.descriptor & 0x10;
    const bool topDown = h.descriptor & 0x20;
    const auto rowAt = [&](int y) { return img.pixels.begin() + std::ptrdiff_t(y) * h.width; };
    if (!topDown)
        for (int y = 0; y < h.height / 2; ++y)
            std::swap_ranges(rowAt(y), rowAt(y + 1), rowAt(h.height - 1 - y));
    if (rightToLeft)
        for (int y = 0; y < h.height; ++y)
            std::reverse(rowAt(y), rowAt(y + 1));
    bool anyAlpha = false, anyVisible = false;
    for (const uint32_t c : img.pixels) {
        anyAlpha |= (c >> 24) != 255;
        anyVisible |= (c >> 24) != 0;
    }
    // Writers that fill the alpha channel with zeros while claiming alpha bits are common;
    // such pictures are meant to be opaque.
    if (anyAlpha && !anyVisible) {
        for (auto &c : img.pixels)
            c |= 0xFF000000u;
        anyAlpha = false;
    }
    img.hasAlpha = anyAlpha;
    return result;
}

} // namespace velmora
