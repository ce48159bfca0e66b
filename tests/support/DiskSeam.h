#pragma once
// A disk that fills up on demand, for the atomic-write tests of every writer.
#include "common/AtomicFile.h"

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace velmora::test {

class TFullDisk : public TDiskSeam
{
public:
    enum class Mode {
        RefuseWrite, // the write that does not fit gets what fits, the next ENOSPC
        LoseBytes,   // writes report success but bytes beyond room never arrive
        FailSync,    // every write succeeds, the sync reports ENOSPC (late allocation)
        ShortWrites, // at most `room` bytes a call, nothing lost
    };
    explicit TFullDisk(std::size_t room, Mode mode = Mode::RefuseWrite) : room_(room), mode_(mode)
    {
        previous_ = SetDiskSeam(this);
    }
    ~TFullDisk() override { SetDiskSeam(previous_); }
    TFullDisk(const TFullDisk &) = delete;
    TFullDisk &operator=(const TFullDisk &) = delete;

    ssize_t write(int fd, const void *data, std::size_t size) override
    {
        if (mode_ == Mode::FailSync)
            return TDiskSeam::write(fd, data, size);
        if (mode_ == Mode::ShortWrites)
            return TDiskSeam::write(fd, data, std::min(size, room_));
        const std::size_t fits = std::min(size, room_ - std::min(room_, used_));
        if (fits == 0 && mode_ == Mode::RefuseWrite) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t n = fits == 0 ? 0 : TDiskSeam::write(fd, data, fits);
        if (n > 0)
            used_ += std::size_t(n);
        return mode_ == Mode::LoseBytes ? ssize_t(size) : n;
    }
    int sync(int fd) override
    {
        if (mode_ == Mode::FailSync) {
            errno = ENOSPC;
            return -1;
        }
        return TDiskSeam::sync(fd);
    }

private:
    std::size_t room_;
    std::size_t used_ = 0;
    Mode mode_;
    TDiskSeam *previous_ = nullptr;
};

// A really small disk: a tmpfs of the given size mounted on the folder, where the machine
// allows mounting (tests skip otherwise). Unmounted again when it goes.
class TSmallDisk
{
public:
    TSmallDisk(const std::filesystem::path &at, std::size_t bytes) : at_(at)
    {
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = ::mount("velmora-test", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~TSmallDisk()
    {
        if (mounted_)
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    // Fills the disk until only about `left` bytes remain free.
    void fillLeaving(std::size_t left) const
    {
        const int fd = ::open((at_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string block(4096, 'x');
        for (;;) {
            if (::write(fd, block.data(), block.size()) != ssize_t(block.size()))
                break;
        }
        // Give back whole pages until the room is there.
        off_t size = ::lseek(fd, 0, SEEK_END);
        size = size > off_t(left) ? size - off_t(left) : 0;
        (void)::ftruncate(fd, size);
        ::close(fd);
    }

private:
    std::filesystem::path at_;
    bool mounted_ = false;
};

inline std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeBytes(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Names in the folder besides the given one: a failed save must leave no temporary.
inline int otherFiles(const std::filesystem::path &folder, const std::filesystem::path &keep)
{
    int n = 0;
    for (const auto &e : std::filesystem::directory_iterator(folder))
        n += e.path().filename() == keep.filename() ? 0 : 1;
    return n;
}

} // namespace velmora::test
