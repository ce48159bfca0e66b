#include "imaging/GreyPng.h"

#include <QIODevice>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace velmora {

namespace {
void writeToDevice(png_structp png, png_bytep data, png_size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, "write failed");
}

void flushDevice(png_structp) {}

// libpng reports through longjmp: nothing with a destructor may live across it.
bool writeRows(png_structp png, png_infop info, const QImage &grey, QIODevice *device,
               png_bytep *rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, device, writeToDevice, flushDevice);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(grey.width()), png_uint_32(grey.height()), 8,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    if (grey.dotsPerMeterX() > 0 || grey.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(grey.dotsPerMeterX()), png_uint_32(grey.dotsPerMeterY()),
                     PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}
} // namespace

bool WriteGreyPng(const QImage &grey, QIODevice *device)
{
    if (grey.format() != QImage::Format_Grayscale8 || grey.isNull() || device == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_bytep> rows(size_t(grey.height()));
    for (int y = 0; y < grey.height(); ++y)
        rows[size_t(y)] = const_cast<png_bytep>(grey.constScanLine(y));
    const bool ok = writeRows(png, info, grey, device, rows.data());
    png_destroy_write_struct(&png, &info);
    return ok;
}

} // namespace velmora
