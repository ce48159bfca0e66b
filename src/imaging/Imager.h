#pragma once
// The picture file loader: reads a picture file of any kind we know into a TPicture.
// Bitmaps (BMP, DIB, RLE), icons, JPEG/JIF, GIF and PNG go through Qt's readers; TGA and PCX
// through our own decoders; WMF and EMF are kept as metafiles; SVG becomes an EMF of ours so
// it stays vectors.
#include "imaging/Picture.h"

#include <QString>

namespace velmora {

// The kind of a picture file by its extension: 0 any other or none, 1 JPG, 2 GIF, 3 JIF,
// 4 BMP, 5 DIB, 6 RLE, 7 TGA, 8 PCX.
int PictureFileKind(const QString &path);

// Decodes bytes as the named extension says (upper or lower case, without the dot); an
// empty or unknown extension is recognised by content. An empty picture and a reason on
// failure.
TPicture LoadPictureBytes(const QByteArray &bytes, const QString &extension, QString *error = nullptr);

// An SVG drawing recorded as an EMF of its own size.
QByteArray SvgToEmf(const QByteArray &svg, QString *error = nullptr);

class TSmartImage {
public:
    // False (and an empty picture) when the file cannot be read or decoded.
    bool LoadPictureFile(const QString &path);
    const TPicture &picture() const { return current; }
    const QString &errorText() const { return error; }

private:
    TPicture current;
    QString error;
};

} // namespace velmora
