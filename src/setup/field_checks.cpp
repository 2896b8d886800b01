#include "setup/field_checks.h"

#include "model/number_text.h"

#include <cmath>
#include <limits>

namespace tavex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads digits from pos on; returns how many were read.
std::size_t ReadDigits(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos - start;
}

bool HasSyntaxOfNumber(std::string_view text, std::string_view group)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;

    std::size_t mantissaDigits = ReadDigits(text, pos);
    // A group separator counts only between two digits of the integer part.
    while (mantissaDigits > 0 && !group.empty() && text.substr(pos, group.size()) == group
           && pos + group.size() < text.size() && IsDigit(text[pos + group.size()])) {
        pos += group.size();
        mantissaDigits += ReadDigits(text, pos);
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        mantissaDigits += ReadDigits(text, pos);
    }
    if (mantissaDigits == 0)
        return false;

    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        if (ReadDigits(text, pos) == 0)
            return false;
    }
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos == text.size();
}

} // namespace

bool IsNumberInUserFormat(std::string_view text, const NumberFormat& format)
{
    // A separator that is the decimal point itself cannot group digits.
    const std::string_view group = format.groupSeparator == "." ? std::string_view() : format.groupSeparator;
    if (!HasSyntaxOfNumber(text, group))
        return false;
    return std::isfinite(LeadingNumber(text));
}

bool IsAcceptableLimit(std::string_view text, const NumberFormat& format)
{
    return IsNumberInUserFormat(text, format);
}

bool IsAcceptableValueCount(std::string_view text, const NumberFormat& format)
{
    if (!IsNumberInUserFormat(text, format))
        return false;
    const double count = LeadingNumber(text);
    return count >= 2.0 && count - 1.0 <= static_cast<double>(std::numeric_limits<int>::max());
}

} // namespace tavex
