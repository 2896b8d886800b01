#pragma once

#include "io/file_outcome.h"

#include <span>
#include <string>
#include <string_view>

namespace tavex {

struct FileContent {
    std::string path;
    std::string_view bytes;
};

// Replaces every file with its new content, or none of them.
//
// Each content goes to a temporary file beside its target, is flushed to the
// disk, and only when all are written are they renamed over the targets, in
// order; a target that existed keeps its permissions. When a rename fails
// the targets already renamed are put back as they were (from hard links
// kept for the purpose) and every temporary file is removed.
//
// The message of a failure names the file and the reason (permission denied,
// no space left on the device, ...).
FileOutcome ReplaceFilesTogether(std::span<const FileContent> files);

} // namespace tavex
