#pragma once

#include "io/file_outcome.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tavex {

// The bytes of a file, read into memory at once. A copy in memory rather than
// a mapping: a file cut short by another program while it is parsed must not
// take the reader down.
class FileBytes final {
public:
    std::string_view view() const { return {data_.get(), size_}; }

private:
    friend FileOutcome ReadOpenFile(int fd, std::size_t size, const std::string& path, FileBytes& bytes);
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

// Reads the whole file. On failure the message names the file and the reason
// ("No such file or directory", "Is a directory", ...) and bytes is empty.
FileOutcome ReadWholeFile(const std::string& path, FileBytes& bytes);

} // namespace tavex
