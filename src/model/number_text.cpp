#include "model/number_text.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tavex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Copies the number at the start of text, blanks removed, into out: the longest
// prefix of the form [sign] digits [. digits] [e [sign] digits] with at least one
// mantissa digit. An exponent without digits is not part of the number.
// Returns false when the text does not begin with a number.
bool ExtractNumber(std::string_view text, std::string& out)
{
    out.clear();
    std::size_t i = 0;
    const auto skipBlanks = [&] { while (i < text.size() && IsBlank(text[i])) ++i; };
    const auto peek = [&]() -> char { skipBlanks(); return i < text.size() ? text[i] : '\0'; };

    char c = peek();
    if (c == '+' || c == '-') {
        if (c == '-')
            out.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (IsDigit(c = peek())) { out.push_back(c); ++i; ++mantissaDigits; }
    if (c == '.') {
        out.push_back('.');
        ++i;
        while (IsDigit(c = peek())) { out.push_back(c); ++i; ++mantissaDigits; }
    }
    if (mantissaDigits == 0)
        return false;
    if (c == 'e' || c == 'E') {
        const std::size_t mantissaEnd = out.size();
        out.push_back('e');
        ++i;
        c = peek();
        if (c == '+' || c == '-') {
            out.push_back(c);
            ++i;
        }
        int exponentDigits = 0;
        while (IsDigit(c = peek())) { out.push_back(c); ++i; ++exponentDigits; }
        if (exponentDigits == 0)
            out.resize(mantissaEnd);
    }
    return true;
}

// from_chars reports a result outside the double range without a value: decide
// between an infinity and a zero from the sign of the exponent's effect.
double OutOfRangeValue(std::string_view number)
{
    const bool negative = !number.empty() && number.front() == '-';
    const std::size_t e = number.find('e');
    bool tiny = false;
    if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-')
        tiny = true;
    // A mantissa of zeros never overflows; from_chars only lands here for a
    // nonzero mantissa whose exponent is too large or too small.
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
}

double ParseNumber(std::string_view number)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        return OutOfRangeValue(number);
    assert(error == std::errc() && end == number.data() + number.size());
    (void)end;
    return value;
}

// The fast path for the common case of a clean number: no blanks, no "+".
// Returns false when the slow path must decide.
bool ParseCleanNumber(std::string_view text, double& value)
{
    if (text.empty() || text.front() == '+')
        return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc())
        return false;
    // from_chars takes "inf" and "nan", which are no numbers here; and a blank
    // right after the number might join it to more digits ("1 2").
    const char lead = (*first == '-') ? (text.size() > 1 ? first[1] : '\0') : *first;
    if (!IsDigit(lead) && lead != '.')
        return false;
    if (end != last && (IsBlank(*end) || *end == 'e' || *end == 'E' || *end == '.'))
        return false;
    return true;
}

} // namespace

double LeadingNumber(std::string_view text)
{
    double value = 0.0;
    if (ParseCleanNumber(text, value))
        return value;
    thread_local std::string number;
    if (!ExtractNumber(text, number))
        return 0.0;
    return ParseNumber(number);
}

std::int64_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<std::int64_t>::min();
    // nearbyint rounds in the current mode, which this program never changes
    // from round-to-nearest-even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int64_t IndexFromText(std::string_view text)
{
    return RoundHalfEven(LeadingNumber(text));
}

int WriteNumberText(double value, char* buffer)
{
    int n = 0;
    if (std::isnan(value)) {
        for (const char c : {'n', 'a', 'n'})
            buffer[n++] = c;
        return n;
    }
    if (std::signbit(value) && value != 0.0)
        buffer[n++] = '-';
    if (std::isinf(value)) {
        for (const char c : {'i', 'n', 'f'})
            buffer[n++] = c;
        return n;
    }
    if (value == 0.0) {
        buffer[n++] = '0';
        return n;
    }

    // The 15-digit rounding in one conversion; its trailing zeros go below.
    char scientific[kMaxNumberText];
    const double magnitude = std::fabs(value);
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                      std::chars_format::scientific, 14);
    assert(result.ec == std::errc());
    const char* e = std::find(scientific, result.ptr, 'e');
    char digits[16];
    int digitCount = 0;
    for (const char* p = scientific; p != e; ++p)
        if (IsDigit(*p))
            digits[digitCount++] = *p;
    while (digitCount > 1 && digits[digitCount - 1] == '0')
        --digitCount;
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);

    // The layout of %.15G: fixed notation for decimal exponents -4 to 14.
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            buffer[n++] = '0';
            buffer[n++] = '.';
            for (int z = -1; z > exponent; --z)
                buffer[n++] = '0';
            for (int d = 0; d < digitCount; ++d)
                buffer[n++] = digits[d];
        } else {
            for (int d = 0; d <= exponent; ++d)
                buffer[n++] = d < digitCount ? digits[d] : '0';
            if (digitCount > exponent + 1) {
                buffer[n++] = '.';
                for (int d = exponent + 1; d < digitCount; ++d)
                    buffer[n++] = digits[d];
            }
        }
        return n;
    }
    buffer[n++] = digits[0];
    if (digitCount > 1) {
        buffer[n++] = '.';
        for (int d = 1; d < digitCount; ++d)
            buffer[n++] = digits[d];
    }
    buffer[n++] = 'E';
    buffer[n++] = exponent < 0 ? '-' : '+';
    const int absExponent = exponent < 0 ? -exponent : exponent;
    if (absExponent < 10)
        buffer[n++] = '0';
    n = static_cast<int>(std::to_chars(buffer + n, buffer + kMaxNumberText, absExponent).ptr - buffer);
    return n;
}

std::string TextOfNumber(double value)
{
    char buffer[kMaxNumberText];
    return std::string(buffer, static_cast<std::size_t>(WriteNumberText(value, buffer)));
}

} // namespace tavex
