#include "io/text/field_reader.h"

#include "base/number_scan.h"
#include "io/text/number_field.h"

#include <algorithm>

namespace tavex {

std::string QuotedForMessage(std::string_view field)
{
    constexpr std::size_t kShown = 24;
    std::string shown = "\"";
    for (std::size_t i = 0; i < field.size() && i < kShown; ++i)
        shown += (static_cast<unsigned char>(field[i]) < 0x20) ? '?' : field[i];
    if (field.size() > kShown)
        shown += "...";
    return shown + "\"";
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlankOrLineEnd(char c) { return IsBlank(c) || IsLineEnd(c); }

} // namespace

FieldReader::FieldReader(std::string_view text) : text_(text), end_(text.size())
{
    while (end_ > 0 && IsBlankOrLineEnd(text_[end_ - 1]))
        --end_;
}

void FieldReader::SkipBlanks()
{
    while (pos_ < end_ && IsBlank(text_[pos_]))
        ++pos_;
}

bool FieldReader::AtEnd()
{
    SkipBlanks();
    return pos_ >= end_;
}

int FieldReader::LastLine() const
{
    const std::string_view body = text_.substr(0, end_);
    int lines = 1;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\n' || (body[i] == '\r' && (i + 1 == body.size() || body[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

void FieldReader::ConsumeLineEnd()
{
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

void FieldReader::EndField()
{
    SkipBlanks();
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',')
        ++pos_;
    else if (IsLineEnd(text_[pos_]))
        ConsumeLineEnd();
    // Anything else begins the next field, so "1 2" holds two numbers.
}

std::string_view FieldReader::NumberField()
{
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < end_) {
        const char c = text_[pos_];
        if (IsBlankOrLineEnd(c) || c == ',')
            break;
        ++pos_;
    }
    const std::string_view field = text_.substr(start, pos_ - start);
    EndField();
    return field;
}

bool FieldReader::NextNumber(double& value)
{
    if (AtEnd())
        return false;
    // A number that ends its field, as nearly all do, is read where it stands;
    // anything else is the field's leading number, or one of the words for a
    // value that is not finite.
    const NumberScan scan = ScanNumber(text_.substr(pos_, end_ - pos_));
    const std::size_t after = pos_ + scan.end;
    if (scan.found && (after == end_ || IsBlankOrLineEnd(text_[after]) || text_[after] == ',')) {
        value = scan.value;
        pos_ = after;
        EndField();
        return true;
    }
    value = NumberFromField(NumberField());
    return true;
}

std::string_view FieldReader::TextField()
{
    SkipBlanks();
    std::string_view field;
    if (pos_ < end_ && text_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        std::size_t close = start;
        while (close < end_ && text_[close] != '"' && !IsLineEnd(text_[close]))
            ++close;
        if (close >= end_ || text_[close] != '"')
            throw FieldError(line_, "a quoted text has no closing quote");
        field = text_.substr(start, close - start);
        pos_ = close + 1;
        while (pos_ < end_ && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < end_ && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
            ++pos_;
        std::size_t stop = pos_;
        while (stop > start && IsBlank(text_[stop - 1]))
            --stop;
        field = text_.substr(start, stop - start);
    }
    EndField();
    return field;
}

} // namespace tavex
