#include "io/replace_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tavex {

namespace {

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

// A name beside the target that nothing else uses: a dot, so that a listing
// hides it, the target's name, a tag and a random suffix.
std::string SideName(const std::string& target, const char* tag)
{
    std::random_device random;
    const auto bits = (static_cast<unsigned long long>(random()) << 32) | random();
    const std::size_t slash = target.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", bits);
    return target.substr(0, start) + "." + target.substr(start) + "." + tag + "-" + suffix;
}

// A symbolic link is kept and the file it points to replaced, as writing
// through the link would; the temporary file must then lie beside that file.
std::string FileBehind(const std::string& target)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return target;
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr)
        return target;
    std::string path(resolved);
    std::free(resolved);
    return path;
}

constexpr int kNameAttempts = 100;

int CreateTemporary(const std::string& target, std::string& created)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = SideName(target, "tmp");
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
int WriteAll(int fd, std::string_view bytes)
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

} // namespace

FileReplacement::~FileReplacement()
{
    RemoveLeftovers();
}

void FileReplacement::RemoveLeftovers()
{
    for (Staged& s : staged_) {
        if (s.fd >= 0)
            ::close(s.fd);
        s.fd = -1;
        if (!s.temporary.empty())
            ::unlink(s.temporary.c_str());
        s.temporary.clear();
        if (!s.backup.empty())
            ::unlink(s.backup.c_str());
        s.backup.clear();
    }
    staged_.clear();
}

FileOutcome FileReplacement::Stage(const std::string& target, std::string_view bytes)
{
    return Stage(target, [bytes](const TextSink& sink) { sink(bytes); });
}

FileOutcome FileReplacement::Stage(const std::string& target, const std::function<void(const TextSink&)>& write)
{
    Staged& s = staged_.emplace_back();
    s.name = target;
    s.target = FileBehind(target);
    s.fd = CreateTemporary(s.target, s.temporary);
    if (s.fd < 0) {
        const int error = errno;
        RemoveLeftovers();
        return WriteFailure(target, error);
    }
    struct stat info {};
    if (::stat(s.target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        s.hadTarget = true;
        ::fchmod(s.fd, info.st_mode & 07777);
    }
    // After a failed write the rest of the content is laid out for nothing,
    // which is simpler than stopping the writer and costs only time.
    int error = 0;
    write([&](std::string_view piece) {
        if (error == 0)
            error = WriteAll(s.fd, piece);
    });
    if (error != 0) {
        RemoveLeftovers();
        return WriteFailure(target, error);
    }
    // Start the writing to the disk now; Commit waits for it.
    ::sync_file_range(s.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    return FileOutcome::Success();
}

FileOutcome FileReplacement::Commit()
{
    for (Staged& s : staged_) {
        int error = ::fsync(s.fd) != 0 ? errno : 0;
        if (::close(s.fd) != 0 && error == 0)
            error = errno;
        s.fd = -1;
        if (error != 0) {
            const std::string name = s.name;
            RemoveLeftovers();
            return WriteFailure(name, error);
        }
    }

    // Keep the old contents reachable until every new one is in place. Where
    // the file system has no hard links, an old content cannot be put back.
    for (std::size_t i = 0; i + 1 < staged_.size(); ++i) {
        Staged& s = staged_[i];
        if (!s.hadTarget)
            continue;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::string candidate = SideName(s.target, "old");
            if (::link(s.target.c_str(), candidate.c_str()) == 0) {
                s.backup = candidate;
                break;
            }
            if (errno != EEXIST)
                break;
        }
    }

    for (std::size_t i = 0; i < staged_.size(); ++i) {
        Staged& s = staged_[i];
        if (::rename(s.temporary.c_str(), s.target.c_str()) == 0) {
            s.temporary.clear();
            continue;
        }
        const int error = errno;
        for (std::size_t j = 0; j < i; ++j) {
            Staged& done = staged_[j];
            if (!done.backup.empty()) {
                if (::rename(done.backup.c_str(), done.target.c_str()) == 0)
                    done.backup.clear();
            } else if (!done.hadTarget) {
                ::unlink(done.target.c_str());
            }
        }
        const std::string name = s.name;
        RemoveLeftovers();
        return WriteFailure(name, error);
    }

    for (const Staged& s : staged_)
        SyncDirectory(DirectoryOf(s.target));
    RemoveLeftovers();
    return FileOutcome::Success();
}

FileOutcome ReplaceFilesTogether(std::span<const FileContent> files)
{
    FileReplacement replacement;
    for (const FileContent& file : files)
        if (FileOutcome staged = replacement.Stage(file.path, file.bytes); !staged.ok)
            return staged;
    return replacement.Commit();
}

} // namespace tavex
