#pragma once

#include <string>
#include <utility>

namespace tavex {

// How reading or writing a file ended. A failure carries one line for the
// user that names the file and what is wrong with it.
struct FileOutcome {
    bool ok = true;
    std::string message;

    static FileOutcome Success() { return {}; }
    static FileOutcome Failure(std::string message) { return {false, std::move(message)}; }
};

} // namespace tavex
