#pragma once

#include <string_view>

namespace tavex {

// The "*" shorthand of a center or period entry. Only the text "*" itself
// counts: an asterisk with a blank around it is not the shorthand.
inline constexpr std::string_view kStarEntry = "*";
inline bool IsStarEntry(std::string_view entry) { return entry == kStarEntry; }

// What "*" stands for: the middle of the interval for a center, 2 pi for a period.
inline double StarCenter(double lowerLimit, double upperLimit) { return (lowerLimit + upperLimit) / 2.0; }
inline double StarPeriod(double piValue) { return piValue + piValue; }

} // namespace tavex
