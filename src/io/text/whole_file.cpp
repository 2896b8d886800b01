#include "io/text/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

FileBytes::~FileBytes()
{
    if (data_ != nullptr)
        ::munmap(data_, capacity_);
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0))
{
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept
{
    if (this != &other) {
        if (data_ != nullptr)
            ::munmap(data_, capacity_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

bool FileBytes::Reserve(std::size_t capacity)
{
    void* pages = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        return false;
    if (data_ != nullptr) {
        std::memcpy(pages, data_, size_);
        ::munmap(data_, capacity_);
    }
    data_ = static_cast<char*>(pages);
    capacity_ = capacity;
    return true;
}

// Reads from fd until its end; size is a hint, as the file may grow or
// shrink while it is read.
FileOutcome ReadOpenFile(int fd, std::size_t size, const std::string& path, FileBytes& bytes)
{
    constexpr char kTooLarge[] = ": cannot read: the file is too large to hold in memory";
    if (!bytes.Reserve(size + 1))
        return FileOutcome::Failure(path + kTooLarge);
    for (;;) {
        if (bytes.size_ == bytes.capacity_ && !bytes.Reserve(bytes.capacity_ * 2))
            return FileOutcome::Failure(path + kTooLarge);
        const ssize_t got = ::read(fd, bytes.data_ + bytes.size_, bytes.capacity_ - bytes.size_);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            bytes = FileBytes();
            return Failure(path, error);
        }
        if (got == 0)
            return FileOutcome::Success();
        bytes.size_ += static_cast<std::size_t>(got);
    }
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
    FileOutcome outcome = ReadOpenFile(fd.get(), static_cast<std::size_t>(info.st_size), path, bytes);
    if (!outcome.ok)
        bytes = FileBytes();
    return outcome;
}

} // namespace tavex
