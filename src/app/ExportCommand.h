#pragma once
// The headless exporter: turns a calendar page into PNG, BMP or PDF files from the
// command line, with the same drawing as the program.
#include <QString>
#include <QStringList>

class QIODevice;
class QImage;

namespace velmora {

// The picture as PNG output stores it: 8-bit grey when every pixel is grey (the same
// pixels in a third of the data), otherwise unchanged.
QImage PngPicture(const QImage &image);
// Writes the picture as PNG with the compression the exporter uses: fast, a little larger.
bool WritePng(const QImage &image, QIODevice *device);

// Runs the exporter on its arguments (without the program name). Messages go to the given
// streams' callbacks; returns the process exit code: 0 done, 1 unreadable input, 2 bad
// options or unwritable output.
int RunExport(const QStringList &arguments, QString &out, QString &err);

} // namespace velmora
