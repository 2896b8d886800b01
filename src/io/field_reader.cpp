#include "io/field_reader.h"

#include "io/number_field.h"

#include <algorithm>
#include <charconv>

namespace tavex {

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
    const char* first = text_.data() + pos_;
    const char* last = text_.data() + end_;
    // from_chars would also take "inf", "nan" and "infinity", which are the
    // slow path's to judge; and a number that does not end the field (as
    // "1e5x" or "1.5e") is its leading number, which the slow path finds.
    const char lead = *first == '-' && first + 1 < last ? first[1] : *first;
    if ((lead >= '0' && lead <= '9') || lead == '.') {
        const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
        if (error == std::errc() && (end == last || IsBlankOrLineEnd(*end) || *end == ',')) {
            pos_ = static_cast<std::size_t>(end - text_.data());
            EndField();
            return true;
        }
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
