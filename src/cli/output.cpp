#include "output.h"

namespace tavex::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

} // namespace

void LineWriter::Line(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(' ');
    buffer_.append(line.substr(0, end == std::string_view::npos ? 0 : end + 1));
    buffer_ += '\n';
    if (buffer_.size() >= kFlushSize)
        Flush();
}

void LineWriter::Lines(std::string_view lines)
{
    if (buffer_.size() + lines.size() > kFlushSize)
        Flush();
    if (lines.size() >= kFlushSize) {
        if (std::fwrite(lines.data(), 1, lines.size(), stream_) != lines.size())
            failed_ = true;
        return;
    }
    buffer_.append(lines);
}

bool LineWriter::Flush()
{
    if (!buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(stream_) != 0)
        failed_ = true;
    return !failed_;
}

void ReportError(std::string_view message)
{
    std::fprintf(stderr, "tavex-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

} // namespace tavex::cli
