#pragma once

#include <cstddef>
#include <string_view>

namespace tavex {

// How a number may be written where it is read.
struct ScanRules {
    // Blanks (space, tab, line feed) before and between the characters of the
    // number are skipped: " 1 2" is 12. Otherwise the number starts at once.
    bool blanksInside = false;
    // May stand between two digits of the integer part ("1,000" with ","),
    // as the user's own way of grouping digits; left out of the value.
    std::string_view groupSeparator;
};

struct NumberScan {
    bool found = false; // the text begins with a number
    std::size_t end = 0; // where the number ends in the text
    double value = 0.0; // beyond the double range: an infinity of its sign, or zero
};

// The one reader of decimal numbers, with "." as the decimal point whatever
// the locale: the number at the start of the text, [sign] digits [. digits]
// [e|E [sign] digits], with at least one digit before the exponent; an
// exponent without digits is not part of it ("1e" is 1, ending before "e").
// The words "inf" and "nan" are no numbers.
NumberScan ScanNumber(std::string_view text, const ScanRules& rules = {});

// The text is one number and nothing else, after the rules: blanks are
// allowed around it only when the rules allow them inside.
bool IsWholeNumber(std::string_view text, const ScanRules& rules = {});

} // namespace tavex
