#pragma once

#include <cmath>
#include <string_view>

namespace tavex {

// The "*" shorthand of a center or period entry. Only the text "*" itself
// counts: an asterisk with a blank around it is not the shorthand.
inline constexpr std::string_view kStarEntry = "*";
inline bool IsStarEntry(std::string_view entry) { return entry == kStarEntry; }

// Pi as the program has always computed it: four times the arc tangent of 1.
inline double PiValue()
{
    static const double piValue = 4.0 * std::atan(1.0);
    return piValue;
}

// What "*" stands for: the middle of the interval for a center, 2 pi for a period.
inline double StarCenter(double lowerLimit, double upperLimit) { return (lowerLimit + upperLimit) / 2.0; }
inline double StarPeriod() { return PiValue() + PiValue(); }

} // namespace tavex
