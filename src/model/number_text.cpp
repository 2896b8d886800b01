#include "model/number_text.h"

#include "base/number_scan.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tavex {

double LeadingNumber(std::string_view text)
{
    const NumberScan scan = ScanNumber(text, {.blanksInside = true, .groupSeparator = {}});
    return scan.found ? scan.value : 0.0;
}

std::string PartReadNote(std::string_view text)
{
    const NumberScan scan = ScanNumber(text, {.blanksInside = true, .groupSeparator = {}});
    const std::size_t rest = text.find_first_not_of(" \t\n", scan.end);
    if (rest == std::string_view::npos)
        return {};
    const auto quoted = [](std::string_view part) {
        constexpr std::size_t kLongest = 16;
        std::string shown(1, '\'');
        shown.append(part.substr(0, kLongest));
        shown.append(part.size() > kLongest ? "...'" : "'");
        return shown;
    };
    if (!scan.found)
        return "read as 0: " + quoted(text.substr(rest)) + " is not a number";
    const std::string read = "read as " + TextOfNumber(scan.value) + ": ";
    // "1,5": the comma of a decimal-comma locale, followed by the fraction.
    if (text[rest] == ',' && rest + 1 < text.size() && text[rest + 1] >= '0' && text[rest + 1] <= '9')
        return read + "the decimal point is '.'";
    return read + quoted(text.substr(rest)) + " is not part of a number";
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
        if (*p >= '0' && *p <= '9')
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
