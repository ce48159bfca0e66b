#include "imaging/PcxDecoder.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

constexpr std::size_t kHeaderSize = 128;

// The colours of the standard 16-colour display, for files written without a palette.
constexpr std::array<uint32_t, 16> kDefaultEga = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};

uint32_t rgb(const uint8_t *p) { return 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]; }

} // namespace

DecodeResult decodePcx(std::span<const uint8_t> bytes)
{
    DecodeResult result;
    if (bytes.size() < kHeaderSize || bytes[0] != 0x0A) {
        result.error = "This is not a PCX picture.";
        return result;
    }
    ByteReader in(bytes);
    in.skip(1);
    const int version = in.u8();
    const int encoding = in.u8();
    const int bits = in.u8();
    const int xMin = in.u16(), yMin = in.u16(), xMax = in.u16(), yMax = in.u16();
    const int width = xMax - xMin + 1;
    const int height = yMax - yMin + 1;
    in.seek(65);
    const int planes = in.u8();
    const int bytesPerLine = in.u16();

    const bool knownLayout = (bits == 1 && planes >= 1 && planes <= 4)
        || ((bits == 2 || bits == 4) && planes >= 1 && planes <= 2)
        || (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
    if (!knownLayout || encoding > 1) {
        result.error = "Unsupported PCX pixel layout.";
        return result;
    }
    if (auto err = checkPictureSize(width, height); !err.empty()) {
        result.error = err;
        return result;
    }
    if (int64_t(bytesPerLine) * 8 < int64_t(width) * bits) {
        result.error = "The PCX scan lines are shorter than the picture.";
        return result;
    }

    // Decode every plane of every line into one buffer; runs may cross the plane and line
    // ends, as some writers let them.
    const std::size_t lineBytes = std::size_t(bytesPerLine) * std::size_t(planes);
    const std::size_t total = lineBytes * std::size_t(height);
    if (total > kMaxPictureBytes) {
        result.error = "The picture would need more than 256 MiB.";
        return result;
    }
    // Nothing is allocated that the input cannot fill: two bytes give at most 63.
    const std::size_t input = bytes.size() - kHeaderSize;
    if (total > (encoding == 0 ? input : input / 2 * 63 + 63)) {
        result.error = "The PCX pixels are truncated.";
        return result;
    }
    std::vector<uint8_t> raw(total);
    std::size_t pos = kHeaderSize, out = 0;
    if (encoding == 0) {
        if (bytes.size() - kHeaderSize < total) {
            result.error = "The PCX pixels are truncated.";
            return result;
        }
        std::copy_n(bytes.begin() + kHeaderSize, total, raw.begin());
        out = total;
    } else {
        while (out < total && pos < bytes.size()) {
            uint8_t c = bytes[pos++];
            std::size_t run = 1;
            if ((c & 0xC0) == 0xC0) {
                run = c & 0x3F;
                if (pos >= bytes.size())
                    break;
                c = bytes[pos++];
            }
            run = std::min(run, total - out);
            std::fill_n(raw.begin() + std::ptrdiff_t(out), run, c);
            out += run;
        }
        if (out < total) {
            result.error = "The PCX pixels are truncated.";
            return result;
        }
    }

    // Palette: 8-bit single-plane pictures carry 256 colours after the pixels (marker 12);
    // smaller ones use the 16 header entries, or the standard colours when the writer's
    // version says it stored none.
    std::vector<uint32_t> palette;
    const int indexBits = bits * planes;
    if (bits == 8 && planes == 1) {
        if (bytes.size() >= kHeaderSize + 769 && bytes[bytes.size() - 769] == 0x0C) {
            for (int i = 0; i < 256; ++i)
                palette.push_back(rgb(bytes.data() + bytes.size() - 768 + i * 3));
        } else {
            for (uint32_t i = 0; i < 256; ++i)
                palette.push_back(0xFF000000u | (i << 16) | (i << 8) | i);
        }
    } else if (indexBits == 1) {
        palette = {0xFF000000u, 0xFFFFFFFFu};
    } else if (indexBits <= 8) {
        const bool headerPalette = version != 3;
        for (int i = 0; i < 16; ++i)
            palette.push_back(headerPalette ? rgb(bytes.data() + 16 + i * 3) : kDefaultEga[std::size_t(i)]);
        palette.resize(std::size_t(1) << indexBits, 0xFF000000u);
    }

    RasterImage &img = result.image;
    img.width = width;
    img.height = height;
    img.pixels.resize(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t *line = raw.data() + std::size_t(y) * lineBytes;
        uint32_t *dst = img.pixels.data() + std::size_t(y) * std::size_t(width);
        if (bits == 8 && planes >= 3) {
            for (int x = 0; x < width; ++x) {
                const uint8_t r = line[x], g = line[bytesPerLine + x], b = line[2 * bytesPerLine + x];
                const uint32_t a = planes == 4 ? line[3 * bytesPerLine + x] : 255;
                dst[x] = (a << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            unsigned index = 0;
            for (int p = 0; p < planes; ++p) {
                const uint8_t *plane = line + std::size_t(p) * std::size_t(bytesPerLine);
                const int bitPos = x * bits;
                const unsigned v = (plane[bitPos / 8] >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
                index |= v << (p * bits);
            }
            dst[x] = palette[index];
        }
    }
    if (planes == 4 && bits == 8)
        for (uint32_t c : img.pixels)
            if ((c >> 24) != 255) {
                img.hasAlpha = true;
                break;
            }
    return result;
}

} // namespace velmora
