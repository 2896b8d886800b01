#pragma once

#include "engine/fit_figures.h"

#include <string>

namespace tavex::command {

// A variable that may lose this many decimal digits, half of what a double
// holds, makes the fit worth a warning.
inline constexpr double kDigitsLostWarning = 8.0;

// An expansion that reaches ten times the table's largest value between the
// values has stopped following the table there.
inline constexpr double kSwingWarning = 10.0;

// The line under the coefficients, each figure with two significant digits:
// "Fit reproduces the table to 2.4E-12; between the values it reaches 1.1
// times the table's largest value. Condition: x 8.5E+18, y 3.1E+02", the
// conditions scaled (VariableFit::scaledCondition). A swing of 0.1 up to 100
// reads as a plain number, others as "3.3E+10"; without a swing (a table of
// zeros) the part about the values between is left out. A figure that is not
// finite reads "INF", and the first part "Fit does not reproduce the table"
// when the reproduction is not finite.
std::string FitLine(const FitFigures& figures);

// Whether some variable may lose kDigitsLostWarning digits or more, the
// swing reaches kSwingWarning, or a basis is singular in exact arithmetic.
bool FitNeedsWarning(const FitFigures& figures);

// The advice that goes with the warning, a sentence for each cause: "x may
// lose 19 decimal digits, y 9; a number holds about 16. Use fewer values, the
// trigonometric kind for periodic data, or a narrower interval." ("all
// decimal digits" when the condition is infinite), then the swing, then each
// variable's singularity. Empty when no warning is needed.
std::string FitAdvice(const FitFigures& figures);

} // namespace tavex::command
