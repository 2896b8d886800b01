#include "io/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavex {

namespace {

FileOutcome Failure(const std::string& path, int error)
{
    return FileOutcome::Failure(path + ": cannot read: " + std::strerror(error));
}

} // namespace

FileOutcome ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Failure(path, error);
    }
    // A directory, a device or a pipe is no problem file; a pipe could also
    // keep the reader waiting for ever.
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode))
            return Failure(path, EISDIR);
        return FileOutcome::Failure(path + ": cannot read: not a regular file");
    }
    // The size is a hint: the file may change while it is read.
    std::string content;
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size())
            content.resize(content.size() * 2);
        const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return Failure(path, error);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    content.resize(filled);
    bytes = std::move(content);
    return FileOutcome::Success();
}

} // namespace tavex
