#include "common/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace fs = std::filesystem;

namespace {

TDiskSeam systemSeam;
TDiskSeam *currentSeam = &systemSeam;

std::string reasonOf(int error)
{
    return std::strerror(error);
}

fs::path resolveLink(const fs::path &target)
{
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    // A dangling link still names where the file should go.
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

class TempFile
{
public:
    explicit TempFile(fs::path path) : path_(std::move(path)) {}
    ~TempFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int open(mode_t mode)
    {
        // O_EXCL after the unlink: a link planted under the temporary's name is never followed.
        ::unlink(path_.c_str());
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        return fd_;
    }
    int fd() const { return fd_; }
    int close()
    {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }
    void committed() { committed_ = true; }

private:
    fs::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

void syncFolder(const fs::path &folder)
{
    // Makes the rename itself durable; a folder that cannot be opened or synced (some
    // network file systems) does not make the saved data wrong.
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

TAtomicWriteError::TAtomicWriteError(const fs::path &target, const std::string &reason)
    : std::runtime_error("Unable to write to " + target.string() + ": " + reason), target_(target)
{
}

ssize_t TDiskSeam::write(int fd, const void *data, std::size_t size)
{
    return ::write(fd, data, size);
}

int TDiskSeam::sync(int fd)
{
    return ::fsync(fd);
}

TDiskSeam *SetDiskSeam(TDiskSeam *seam)
{
    TDiskSeam *previous = currentSeam == &systemSeam ? nullptr : currentSeam;
    currentSeam = seam != nullptr ? seam : &systemSeam;
    return previous;
}

fs::path AtomicTempPath(const fs::path &target)
{
    fs::path temp = target;
    temp += ".tmp";
    return temp;
}

void RemoveStaleTemporary(const fs::path &target)
{
    const fs::path temp = AtomicTempPath(resolveLink(target));
    std::error_code ec;
    // Only a plain file: whatever else carries the name is not ours.
    if (fs::is_regular_file(fs::symlink_status(temp, ec))) fs::remove(temp, ec);
}

void WriteFileAtomic(const fs::path &target, std::string_view bytes)
{
    WriteFileAtomic(target, std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
}

void WriteFileAtomic(const QString &target, const QByteArray &bytes)
{
    WriteFileAtomic(fs::path(QFile::encodeName(target).toStdString()),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void RemoveStaleTemporary(const QString &target)
{
    RemoveStaleTemporary(fs::path(QFile::encodeName(target).toStdString()));
}

void WriteFileAtomic(const fs::path &givenTarget, std::span<const uint8_t> bytes)
{
    const fs::path target = resolveLink(givenTarget);
    const auto fail = [&givenTarget](int error) { throw TAtomicWriteError(givenTarget, reasonOf(error)); };

    mode_t mode = 0666;
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        if (!S_ISREG(old.st_mode)) fail(EISDIR);
        mode = old.st_mode & 07777;
    }

    TempFile temp(AtomicTempPath(target));
    if (temp.open(mode) < 0) fail(errno);
    // The umask shaped the new file's mode; a replaced file keeps exactly its old one.
    if (replacing && ::fchmod(temp.fd(), mode) != 0) fail(errno);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = currentSeam->write(temp.fd(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) fail(ENOSPC); // no progress: the device took nothing
        done += static_cast<std::size_t>(n);
    }
    // File systems that allocate late report a full disk only here.
    if (currentSeam->sync(temp.fd()) != 0) fail(errno);
    struct stat written {};
    if (::fstat(temp.fd(), &written) != 0) fail(errno);
    if (written.st_size != static_cast<off_t>(bytes.size())) fail(EIO);
    if (temp.close() != 0) fail(errno);
    if (::rename(AtomicTempPath(target).c_str(), target.c_str()) != 0) fail(errno);
    temp.committed();
    syncFolder(target.parent_path());
}

} // namespace velmora
