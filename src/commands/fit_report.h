#pragma once

#include "engine/fit_figures.h"

#include <string>

namespace tavex::command {

// A variable that may lose this many decimal digits, half of what a double
// holds, makes the fit worth a warning.
inline constexpr double kDigitsLostWarning = 8.0;

// The line under the coefficients, each figure with two significant digits:
// "Fit reproduces the table to 2.4E-12. Condition: x 8.5E+18, y 3.1E+02",
// the conditions scaled (VariableFit::scaledCondition).
// A figure that is not finite reads "INF", and the first sentence
// "Fit does not reproduce the table." when the reproduction is not finite.
std::string FitLine(const FitFigures& figures);

// Whether some variable may lose kDigitsLostWarning digits or more, or has
// a basis singular in exact arithmetic.
bool FitNeedsWarning(const FitFigures& figures);

// The advice that goes with the warning, a sentence for each cause: "x may
// lose 19 decimal digits, y 9; a number holds about 16. Use fewer values, the
// trigonometric kind for periodic data, or a narrower interval." ("all
// decimal digits" when the scaled condition is infinite), then each
// variable's singularity. Empty when no warning is needed.
std::string FitAdvice(const FitFigures& figures);

} // namespace tavex::command
