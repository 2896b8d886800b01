#include "io/replace_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavex {

namespace {

// A target's temporary file and the hard link that keeps its old content
// until every target has been replaced.
struct Staged {
    std::string temporary;
    std::string backup;
    bool hadTarget = false;
    mode_t mode = 0;
};

FileOutcome WriteFailure(const std::string& path, int error)
{
    return FileOutcome::Failure(path + ": cannot write: " + std::strerror(error));
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Names beside the target that nothing else uses: a dot, so that a listing
// hides them, the target's name, a tag and a random suffix.
class SideNames final {
public:
    std::string Next(const std::string& target, const char* tag)
    {
        const std::size_t slash = target.rfind('/');
        const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random_()));
        return target.substr(0, start) + "." + target.substr(start) + "." + tag + "-" + suffix;
    }

private:
    std::mt19937_64 random_{std::random_device{}()};
};

constexpr int kNameAttempts = 100;

int CreateTemporary(const std::string& target, SideNames& names, std::string& created)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = names.Next(target, "tmp");
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            created = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Returns 0 or the errno of the failure.
int WriteAndFlush(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd) != 0)
        return errno;
    return 0;
}

void SyncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void RemoveLeftovers(const std::vector<Staged>& staged)
{
    for (const Staged& s : staged) {
        if (!s.temporary.empty())
            ::unlink(s.temporary.c_str());
        if (!s.backup.empty())
            ::unlink(s.backup.c_str());
    }
}

} // namespace

FileOutcome ReplaceFilesTogether(std::span<const FileContent> files)
{
    std::vector<Staged> staged(files.size());
    SideNames names;

    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& target = files[i].path;
        Staged& s = staged[i];
        const int fd = CreateTemporary(target, names, s.temporary);
        if (fd < 0) {
            const int error = errno;
            RemoveLeftovers(staged);
            return WriteFailure(target, error);
        }
        struct stat info {};
        if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            s.hadTarget = true;
            s.mode = info.st_mode & 07777;
            ::fchmod(fd, s.mode);
        }
        int error = WriteAndFlush(fd, files[i].bytes);
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error != 0) {
            RemoveLeftovers(staged);
            return WriteFailure(target, error);
        }
    }

    // Keep the old contents reachable until every new one is in place. Where
    // the file system has no hard links, the old content cannot be put back.
    for (std::size_t i = 0; i + 1 < files.size(); ++i) {
        if (!staged[i].hadTarget)
            continue;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::string candidate = names.Next(files[i].path, "old");
            if (::link(files[i].path.c_str(), candidate.c_str()) == 0) {
                staged[i].backup = candidate;
                break;
            }
            if (errno != EEXIST)
                break;
        }
    }

    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::rename(staged[i].temporary.c_str(), files[i].path.c_str()) == 0) {
            staged[i].temporary.clear();
            continue;
        }
        const int error = errno;
        for (std::size_t j = 0; j < i; ++j) {
            Staged& done = staged[j];
            if (!done.backup.empty()) {
                if (::rename(done.backup.c_str(), files[j].path.c_str()) == 0)
                    done.backup.clear();
            } else if (!done.hadTarget) {
                ::unlink(files[j].path.c_str());
            }
        }
        RemoveLeftovers(staged);
        return WriteFailure(files[i].path, error);
    }

    for (std::size_t i = 0; i < files.size(); ++i)
        SyncDirectory(DirectoryOf(files[i].path));
    RemoveLeftovers(staged);
    return FileOutcome::Success();
}

} // namespace tavex
