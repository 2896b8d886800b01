#include "io/text/delimited_text.h"

#include "io/text/field_reader.h"

namespace tavex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The separator of the first line that holds more than blanks, outside quotes.
Separator FindSeparator(std::string_view text)
{
    std::size_t start = 0;
    for (;;) {
        while (start < text.size() && (IsBlank(text[start]) || IsLineEnd(text[start])))
            ++start;
        if (start >= text.size())
            return Separator::Blanks;
        bool semicolon = false, comma = false, tab = false, inQuotes = false;
        std::size_t i = start;
        for (; i < text.size() && !IsLineEnd(text[i]); ++i) {
            const char c = text[i];
            if (c == '"')
                inQuotes = !inQuotes;
            else if (!inQuotes) {
                semicolon |= c == ';';
                comma |= c == ',';
                tab |= c == '\t';
            }
        }
        // A line of separators alone is an empty row, which the reader skips too.
        if (text.substr(start, i - start).find_first_not_of(" \t;,") == std::string_view::npos) {
            start = i;
            continue;
        }
        if (semicolon)
            return Separator::Semicolon;
        if (comma)
            return Separator::Comma;
        return tab ? Separator::Tab : Separator::Blanks;
    }
}

char SeparatorChar(Separator separator)
{
    switch (separator) {
    case Separator::Semicolon: return ';';
    case Separator::Comma: return ',';
    case Separator::Tab: return '\t';
    case Separator::Blanks: break;
    }
    return '\0';
}

std::string FieldPlace(std::size_t number) { return "field " + std::to_string(number); }

} // namespace

std::string Unquoted(const DelimitedField& field)
{
    std::string text(field.text);
    if (!field.quoted)
        return text;
    std::string single;
    single.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        single += text[i];
        if (text[i] == '"')
            ++i; // the second of the pair
    }
    return single;
}

DelimitedRows::DelimitedRows(std::string_view text) : text_(text)
{
    if (text_.starts_with(kByteOrderMark))
        pos_ = kByteOrderMark.size();
    separator_ = FindSeparator(text_.substr(pos_));
    separatorChar_ = SeparatorChar(separator_);
}

bool DelimitedRows::IsTrimmed(char c) const
{
    return c == ' ' || (c == '\t' && separatorChar_ != '\t');
}

bool DelimitedRows::AtLineEnd() const
{
    return pos_ >= text_.size() || IsLineEnd(text_[pos_]);
}

void DelimitedRows::ConsumeLineEnd()
{
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

bool DelimitedRows::Next(std::vector<DelimitedField>& fields)
{
    for (;;) {
        if (pos_ >= text_.size())
            return false;
        rowLine_ = line_;
        fields.clear();
        if (separatorChar_ == '\0') {
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
            while (!AtLineEnd()) {
                fields.push_back(ReadField(fields.size() + 1));
                while (pos_ < text_.size() && IsBlank(text_[pos_]))
                    ++pos_;
            }
        } else if (!AtLineEnd()) {
            for (;;) {
                fields.push_back(ReadField(fields.size() + 1));
                if (pos_ >= text_.size() || text_[pos_] != separatorChar_)
                    break;
                ++pos_;
            }
        }
        ConsumeLineEnd();
        bool empty = true;
        for (const DelimitedField& field : fields)
            empty = empty && field.text.empty() && !field.quoted;
        if (!empty)
            return true;
    }
}

DelimitedField DelimitedRows::ReadField(std::size_t number)
{
    while (pos_ < text_.size() && IsTrimmed(text_[pos_]))
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '"')
        return ReadQuoted(number);
    const std::size_t start = pos_;
    const char separator = separatorChar_;
    if (separator == '\0') {
        while (pos_ < text_.size() && !IsBlank(text_[pos_]) && !IsLineEnd(text_[pos_]))
            ++pos_;
        return {text_.substr(start, pos_ - start), false};
    }
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == separator || IsLineEnd(c))
            break;
        ++pos_;
    }
    std::size_t stop = pos_;
    while (stop > start && IsTrimmed(text_[stop - 1]))
        --stop;
    return {text_.substr(start, stop - start), false};
}

DelimitedField DelimitedRows::ReadQuoted(std::size_t number)
{
    const std::size_t start = ++pos_;
    for (;;) {
        while (pos_ < text_.size() && text_[pos_] != '"' && !IsLineEnd(text_[pos_]))
            ++pos_;
        if (AtLineEnd())
            throw FieldError(line_, FieldPlace(number) + " has a double quote that is not closed on its line");
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
            pos_ += 2;
            continue;
        }
        break;
    }
    const DelimitedField field{text_.substr(start, pos_ - start), true};
    ++pos_;
    if (separatorChar_ == '\0') {
        if (!AtLineEnd() && !IsBlank(text_[pos_]))
            throw FieldError(line_, FieldPlace(number) + " holds more after its closing double quote");
        return field;
    }
    while (pos_ < text_.size() && IsTrimmed(text_[pos_]))
        ++pos_;
    if (!AtLineEnd() && text_[pos_] != separatorChar_)
        throw FieldError(line_, FieldPlace(number) + " holds more after its closing double quote");
    return field;
}

} // namespace tavex
