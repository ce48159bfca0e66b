#pragma once
// The one way files reach the disk. Bytes go to a temporary file beside the target
// (<target>.tmp); every write, the sync and the size on disk are checked before the
// temporary is renamed over the target. Any failure removes the temporary, leaves the old
// target byte for byte as it was and throws TAtomicWriteError.
//
// Small outputs are the dangerous ones: a buffered writer reports success for bytes that
// only reach the disk when it is closed, and a full disk then truncates the file without a
// word. Hence no buffering here, and the sync before the size check.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <sys/types.h>

class QByteArray;
class QString;

namespace velmora {

class TAtomicWriteError : public std::runtime_error
{
public:
    // what() is "Unable to write to <path>: <reason>".
    TAtomicWriteError(const std::filesystem::path &target, const std::string &reason);
    const std::filesystem::path &target() const { return target_; }

private:
    std::filesystem::path target_;
};

// A symbolic link is followed: the file it points to is replaced, the link stays.
// A new file gets the permissions the umask allows; a replaced one keeps its own.
void WriteFileAtomic(const std::filesystem::path &target, std::span<const uint8_t> bytes);
void WriteFileAtomic(const std::filesystem::path &target, std::string_view bytes);
// For Qt callers: the path in the file system's encoding, the bytes as they are.
void WriteFileAtomic(const QString &target, const QByteArray &bytes);

// The temporary a save uses; one left by a killed program is removed with
// RemoveStaleTemporary, which is harmless when there is none.
std::filesystem::path AtomicTempPath(const std::filesystem::path &target);
void RemoveStaleTemporary(const std::filesystem::path &target);
void RemoveStaleTemporary(const QString &target);

// Where the bytes really go. Tests install their own to make the disk fill at a chosen
// byte or the sync fail; the default calls the system.
class TDiskSeam
{
public:
    virtual ~TDiskSeam() = default;
    // As ::write: the count written (possibly short), or -1 with errno set.
    virtual ssize_t write(int fd, const void *data, std::size_t size);
    // As ::fsync: 0, or -1 with errno set.
    virtual int sync(int fd);
};

// Installs a seam (nullptr restores the system's); returns the previous one.
TDiskSeam *SetDiskSeam(TDiskSeam *seam);

} // namespace velmora
