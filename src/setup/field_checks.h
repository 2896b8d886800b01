#pragma once

#include <string>
#include <string_view>

namespace tavex {

// The user's way of writing numbers, as far as the entry checks care. The
// decimal point is always "." while the program runs; the group separator is
// the user's (empty when the locale has none).
struct NumberFormat {
    std::string groupSeparator;
};

// The text is one number in the user's format and nothing else: blanks around
// it, an optional sign, digits with group separators only between digits, an
// optional "." with a fraction, an optional exponent; at least one digit, and
// a value within the double range. "1,000" passes with the group separator
// ","; it is still read as 1 (the leading number stops at the separator).
bool IsNumberInUserFormat(std::string_view text, const NumberFormat& format);

// The checks run when the focus is about to leave a panel field. The center
// and period boxes have none.
bool IsAcceptableLimit(std::string_view text, const NumberFormat& format);
// A number of at least 2 whose count minus one fits the 32-bit value index.
bool IsAcceptableValueCount(std::string_view text, const NumberFormat& format);

} // namespace tavex
