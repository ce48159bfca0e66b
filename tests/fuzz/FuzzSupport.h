#pragma once
// Shared by the fuzz targets: the one application object that fonts and painting need, and
// inputs handed to readers that only take a file name. Header-only, so that a target stays
// one source file that the libFuzzer build and the corpus replay compile alike.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace velmora::fuzz {

inline void quietMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

// Offscreen, silent, created on the first input and kept for the whole run. Every few
// hundred inputs the pending events and timers run, as the program's event loop would run
// them: Qt trims its font and glyph caches on a timer, and without it a run over a million
// inputs naming random faces grows until it reaches the memory cap.
inline void EnsureApplication()
{
    static QApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString dir = QDir::tempPath() + QStringLiteral("/velmora-fuzz-runtime-%1").arg(getuid());
            QDir().mkpath(dir);
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
        }
        qInstallMessageHandler(quietMessages);
        static int argc = 1;
        static char name[] = "velmora-fuzz";
        static char *argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    static unsigned inputs = 0;
    if (++inputs % 256 == 0)
        app->processEvents();
}

// Loads the font database and the faces pages use by default, and the fallback for a face
// the system lacks: once per process, so that no input is charged with it.
inline void WarmFonts()
{
    (void)QFontDatabase::families();
    for (const char *family : {"Times New Roman", "Arial", "Courier New", "velmora-no-such-face"})
        (void)QFontMetrics(QFont(QString::fromLatin1(family), 12)).height();
    (void)QFontMetrics(QFont()).height();
}

// The input as a file that lives in memory only: no disk traffic at a million runs, and
// nothing left behind when a run dies. The same descriptor is reused for every input.
class TMemoryFile
{
public:
    explicit TMemoryFile(std::span<const uint8_t> bytes)
    {
        static const int fd = memfd_create("velmora-fuzz", MFD_CLOEXEC);
        fd_ = fd;
        if (fd_ < 0 || ftruncate(fd_, 0) != 0)
            return;
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = pwrite(fd_, bytes.data() + done, bytes.size() - done, off_t(done));
            if (n <= 0)
                return;
            done += size_t(n);
        }
        ok_ = true;
    }
    bool ok() const { return ok_; }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }
    QString qpath() const { return QString::fromStdString(path()); }

private:
    int fd_ = -1;
    bool ok_ = false;
};

inline std::span<const uint8_t> bytesOf(const uint8_t *data, size_t size)
{
    return {data, size};
}

// Something the optimiser cannot drop, so that decoding work is really done.
inline void consume(const QImage &image)
{
    static volatile int sink = 0;
    if (!image.isNull())
        sink = sink + image.pixel(0, 0) % 2;
}

} // namespace velmora::fuzz

// A target that draws says so with this line after its includes: Qt and the fonts are then
// started before the first input (libFuzzer, and the replay test, call it once), so that the
// one-second limit measures the input, not the start of the process.
#define VELMORA_FUZZ_STARTS_QT                                                                    \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                          \
    {                                                                                             \
        velmora::fuzz::EnsureApplication();                                                       \
        velmora::fuzz::WarmFonts();                                                               \
        return 0;                                                                                 \
    }
