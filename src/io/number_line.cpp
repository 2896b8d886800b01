#include "io/number_line.h"

#include "model/number_text.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>

namespace tavex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The standard text of a finite nonzero magnitude, as WriteNumberText gives
// it, from a single conversion: the 15-digit rounding with its trailing zeros
// dropped is the shortest round-trip form whenever that has at most 15 digits
// (the value lies within half a unit of the 17th digit of it), and it is what
// WriteNumberText falls back to otherwise. Saves a file about twice as fast.
int WriteMagnitudeText(double magnitude, char* buffer)
{
    char scientific[kMaxNumberText];
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

    int n = 0;
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
    return static_cast<int>(std::to_chars(buffer + n, buffer + kMaxNumberText, absExponent).ptr - buffer);
}

} // namespace

int WriteNumberTextFast(double value, char* buffer)
{
    if (!std::isfinite(value) || value == 0.0)
        return WriteNumberText(value, buffer);
    if (value < 0.0) {
        buffer[0] = '-';
        return 1 + WriteMagnitudeText(-value, buffer + 1);
    }
    return WriteMagnitudeText(value, buffer);
}

void AppendPrintedNumber(std::string& out, double value)
{
    char buffer[kMaxNumberText + 2];
    // The sign decides from the text, so that -0, which is written "0", gets its blank.
    const int length = WriteNumberTextFast(value, buffer + 1);
    const bool negative = buffer[1] == '-';
    if (!negative)
        buffer[0] = ' ';
    buffer[length + 1] = ' ';
    out.append(negative ? buffer + 1 : buffer, static_cast<std::size_t>(negative ? length + 1 : length + 2));
}

void AppendNumberLine(std::string& out, double value)
{
    AppendPrintedNumber(out, value);
    out += kLineEnd;
}

} // namespace tavex
