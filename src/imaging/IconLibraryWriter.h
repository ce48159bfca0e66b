#pragma once
// Writes 16-bit (NE) icon libraries, the ".icl" files the icon palette shows, and single
// icon files. Every picture is stored as a 32-bit DIB with its alpha channel plus an AND
// mask made from that alpha, so readers that know only masks still see the outline.
#include "imaging/IconLibrary.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {

struct TIconEntry
{
    // The group's resource name; empty gives the icon a numeric id. Names are stored
    // upper-cased, as resource compilers do, and cut to 255 characters.
    std::string name;
    std::vector<TIconBitmap> pictures; // each 1..256 pixels square or not
};

class TIconWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The DIB of one picture as it sits in an icon resource (height doubled, bottom-up rows,
// colour bits then AND mask). Throws TIconWriteError for a picture of no or too many pixels.
std::vector<uint8_t> EncodeIconDib(const TIconBitmap &bitmap);

// An NE module holding the icons in order: one RT_GROUP_ICON per entry, one RT_ICON per
// picture. moduleName goes into the resident name table. Throws TIconWriteError when an
// entry has no pictures or the library cannot be addressed by a 16-bit resource table.
std::vector<uint8_t> WriteIconLibrary(const std::vector<TIconEntry> &icons,
                                      const std::string &moduleName = "ICONS");

// A single .ico file of the pictures of one icon.
std::vector<uint8_t> WriteIcoFile(const std::vector<TIconBitmap> &pictures);

} // namespace velmora
