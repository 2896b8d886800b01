#include "io/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace tavex {

namespace {

FileOutcome Failure(const std::string& path, int error)
{
    return FileOutcome::Failure(path + ": cannot read: " + std::strerror(error));
}

// Closes the descriptor however the reading ends.
class Descriptor final {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

// Reads from fd until its end; size is a hint, as the file may grow or
// shrink while it is read.
FileOutcome ReadOpenFile(int fd, std::size_t size, const std::string& path, FileBytes& bytes)
{
    std::size_t capacity = size + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t filled = 0;
    for (;;) {
        if (filled == capacity) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::memcpy(larger.get(), data.get(), filled);
            data = std::move(larger);
            capacity *= 2;
        }
        const ssize_t got = ::read(fd, data.get() + filled, capacity - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Failure(path, errno);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.data_ = std::move(data);
    bytes.size_ = filled;
    return FileOutcome::Success();
}

FileOutcome ReadWholeFile(const std::string& path, FileBytes& bytes)
{
    bytes = FileBytes();
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return Failure(path, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Failure(path, errno);
    // A directory, a device or a pipe is no problem file; a pipe could also
    // keep the reader waiting for ever.
    if (S_ISDIR(info.st_mode))
        return Failure(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        return FileOutcome::Failure(path + ": cannot read: not a regular file");

    try {
        return ReadOpenFile(fd.get(), static_cast<std::size_t>(info.st_size), path, bytes);
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(path + ": cannot read: the file is too large to hold in memory");
    }
}

} // namespace tavex
