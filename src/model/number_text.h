#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How numbers become text and text becomes numbers, everywhere in the program.
// "." is always the decimal point, whatever the process locale says: these
// helpers never consult it.
namespace tavex {

// The number with which the text begins: optional sign, digits with an optional
// "." and fraction, optional exponent (e or E, optional sign, digits). Blanks
// (space, tab, line feed) anywhere in the text are skipped first, so "1 2" is 12.
// A text that does not begin with a number gives 0 ("abc", "", "-", ".").
// A magnitude beyond the double range gives an infinity of the same sign; one
// too small for it gives zero.
double LeadingNumber(std::string_view text);

// What the user is told when LeadingNumber reads only part of a text, or
// none of it: "read as 1: the decimal point is '.'" for "1,5", "read as 2:
// 'x' is not part of a number" for "2x", "read as 0: 'abc' is not a number".
// Empty when the whole text is the number (blanks allowed) or is blank.
std::string PartReadNote(std::string_view text);

// The leading number rounded to the nearest integer, a tie going to the even
// one (2.5 gives 2, 3.5 gives 4). Saturates at the int64 range; NaN gives 0.
std::int64_t IndexFromText(std::string_view text);

// Rounds to the nearest integer, ties to even, saturating at the int64 range.
std::int64_t RoundHalfEven(double value);

// The standard text of a number: rounded to 15 significant digits, trailing
// zeros dropped, a leading zero before the point ("0.5"), exponent form
// ("1E+15", "1.5E-05") when the decimal exponent is below -4 or above 14.
// Negative zero is "0"; non-finite values are "inf", "-inf" and "nan".
std::string TextOfNumber(double value);

// Writes the standard text into buffer, which must hold kMaxNumberText chars;
// returns the number of chars written. The allocation-free form of TextOfNumber.
inline constexpr int kMaxNumberText = 32;
int WriteNumberText(double value, char* buffer);

} // namespace tavex
