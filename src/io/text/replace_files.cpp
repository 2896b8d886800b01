#include "io/text/replace_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
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

constexpr std::size_t kSuffixDigits = 16;

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name beside the target that nothing else uses: a dot, so that a listing
// hides it, the target's name, a tag ("tmp" or "old") and a random suffix of
// 16 hexadecimal digits.
std::string SideName(const std::string& target, const char* tag)
{
    std::random_device random;
    const auto bits = (static_cast<unsigned long long>(random()) << 32) | random();
    char suffix[kSuffixDigits + 1];
    std::snprintf(suffix, sizeof suffix, "%016llx", bits);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return folder + "." + BaseName(target) + "." + tag + "-" + suffix;
}

// Whether an entry of the target's folder is a side file of that target.
bool IsSideNameOf(const std::string& entry, const std::string& base)
{
    const std::string head = "." + base + ".";
    if (entry.size() != head.size() + 4 + kSuffixDigits || entry.compare(0, head.size(), head) != 0)
        return false;
    const std::string tag = entry.substr(head.size(), 4);
    if (tag != "tmp-" && tag != "old-")
        return false;
    return entry.find_first_not_of("0123456789abcdef", head.size() + 4) == std::string::npos;
}

// Takes the lock that tells a side file in use; false when another
// replacement, in this process or another, holds it.
bool Lock(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Removes the side files of the target that no living replacement holds:
// those of a save killed or cut off before it ended.
void RemoveEndedSideFiles(const std::string& target)
{
    const std::string directory = DirectoryOf(target);
    const std::string base = BaseName(target);
    DIR* folder = ::opendir(directory.c_str());
    if (folder == nullptr)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (!IsSideNameOf(name, base))
            continue;
        const std::string path = directory + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (Lock(fd))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(folder);
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
            Lock(fd); // a fresh file: nobody else holds it
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
    // Unlinked while still locked, so that no other replacement takes them for ended ones.
    for (Staged& s : staged_) {
        if (!s.temporary.empty())
            ::unlink(s.temporary.c_str());
        s.temporary.clear();
        if (!s.backup.empty())
            ::unlink(s.backup.c_str());
        s.backup.clear();
        for (int* fd : {&s.fd, &s.backupFd}) {
            if (*fd >= 0)
                ::close(*fd);
            *fd = -1;
        }
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
    RemoveEndedSideFiles(s.target);
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
#ifdef __linux__
    // Start the writing to the disk now; Commit waits for it. Elsewhere
    // Commit's flush does all of it.
    ::sync_file_range(s.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return FileOutcome::Success();
}

FileOutcome FileReplacement::Commit()
{
    // The temporary files stay open, and locked, until they are renamed.
    for (Staged& s : staged_) {
        const int error = ::fsync(s.fd) != 0 ? errno : 0;
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
                s.backupFd = ::open(candidate.c_str(), O_RDONLY | O_CLOEXEC);
                if (s.backupFd >= 0)
                    Lock(s.backupFd);
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

} // namespace tavex
