#pragma once

#include "io/text/file_outcome.h"
#include "io/text/text_sink.h"

#include <span>
#include <string>
#include <string_view>
#include <functional>
#include <vector>

namespace tavex {

// Replaces a set of files with new contents, all of them or none.
//
// Stage writes a content to a temporary file beside its target and sets the
// system writing it to the disk, so that the caller can lay out the next
// content meanwhile. Commit flushes every staged file to the disk and renames
// them over their targets in the order staged; a target that existed keeps
// its permissions, and a target that is a symbolic link stays one (the file
// it points to is replaced). When a rename fails, the targets already replaced are put
// back as they were (from hard links kept for the purpose). A replacement
// that is not committed removes its temporary files.
//
// A replacement killed before it ended leaves its temporary files behind.
// Each holds a lock while its replacement lives, so the next replacement of
// the same target can tell them apart from those of a save still running,
// and removes them before it stages its own.
//
// The message of a failure names the file and the reason (permission denied,
// no space left on the device, ...).
class FileReplacement final {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    FileOutcome Stage(const std::string& target, std::string_view bytes);
    // The content comes from write, which hands it to the sink piece by piece.
    FileOutcome Stage(const std::string& target, const std::function<void(const TextSink&)>& write);
    FileOutcome Commit();

private:
    struct Staged {
        std::string name;   // as the caller gave it, for messages
        std::string target; // the file replaced: behind a symbolic link, the file it points to
        std::string temporary;
        std::string backup;
        bool hadTarget = false;
        int fd = -1;       // the temporary file, open and locked until it is renamed or removed
        int backupFd = -1; // the backup, open and locked the same way
    };

    void RemoveLeftovers();

    std::vector<Staged> staged_;
};

} // namespace tavex
