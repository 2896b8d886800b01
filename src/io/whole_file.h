#pragma once

#include "io/file_outcome.h"

#include <string>

namespace tavex {

// Reads the whole file into bytes. On failure the message names the file and
// the reason ("No such file or directory", "Is a directory", ...) and bytes
// is left empty.
FileOutcome ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace tavex
