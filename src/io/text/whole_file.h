#pragma once

#include "io/text/file_outcome.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavex {

// The bytes of a file, read into memory at once. A copy in memory rather than
// a mapping of the file: a file cut short by another program while it is
// parsed must not take the reader down.
class FileBytes final {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;

    std::string_view view() const { return {data_, size_}; }

private:
    friend FileOutcome ReadOpenFile(int fd, std::size_t size, const std::string& path, FileBytes& bytes);

    // Pages of its own, straight from the system: a file of tens of megabytes
    // is read about twice as fast into them as into the heap's.
    bool Reserve(std::size_t capacity);

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Reads the whole file. On failure the message names the file and the reason
// ("No such file or directory", "Is a directory", ...) and bytes is empty.
FileOutcome ReadWholeFile(const std::string& path, FileBytes& bytes);

} // namespace tavex
