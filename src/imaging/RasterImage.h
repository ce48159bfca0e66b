#pragma once
// Decoded pictures as plain pixels, shared by our own decoders, and the caps every decoder
// checks before it allocates anything.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// A damaged header can claim any size; nothing larger than this is ever decoded.
constexpr int kMaxPictureSide = 30000;
constexpr uint64_t kMaxPictureBytes = 256ull * 1024 * 1024;

// Pixels top-down, 0xAARRGGBB (not premultiplied).
struct RasterImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;

    uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

struct DecodeResult {
    RasterImage image;
    std::string error; // empty on success
    bool ok() const { return error.empty(); }
};

// The first reason to refuse a picture of this size, or empty when it may be decoded.
std::string checkPictureSize(int64_t width, int64_t height);

// Bounds-checked little-endian reading of a byte span; reads past the end give zero and set
// the overrun flag, so a parser checks once at the end of a structure instead of at each field.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : data(bytes) {}
    std::size_t size() const { return data.size(); }
    std::size_t pos() const { return at; }
    std::size_t remaining() const { return at < data.size() ? data.size() - at : 0; }
    bool overrun() const { return over; }
    void seek(std::size_t p) { at = p; if (p > data.size()) over = true; }
    void skip(std::size_t n) { seek(at + n); }
    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    int16_t i16() { return static_cast<int16_t>(u16()); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    std::span<const uint8_t> bytes(std::size_t n);

private:
    std::span<const uint8_t> data;
    std::size_t at = 0;
    bool over = false;
};

} // namespace velmora
