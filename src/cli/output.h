#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tavex::cli {

// Writes lines to a stream through one large buffer, each without the blanks
// at its end (the list box and the printer keep them, a terminal needs not).
class LineWriter final {
public:
    explicit LineWriter(std::FILE* stream) : stream_(stream) {}
    ~LineWriter() { Flush(); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void Line(std::string_view line);
    // Whole lines already trimmed and ended, as they stand.
    void Lines(std::string_view lines);
    // False when the stream could not take everything written.
    bool Flush();

private:
    std::FILE* stream_;
    std::string buffer_;
    bool failed_ = false;
};

// "tavex-cli: <message>" on standard error.
void ReportError(std::string_view message);

} // namespace tavex::cli
