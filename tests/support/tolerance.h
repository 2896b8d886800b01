#pragma once

#include <limits>

namespace tavex::testing {

inline constexpr double kEps = std::numeric_limits<double>::epsilon();

// How far a computed figure may stray: `epsilons` roundings of a result of
// size `scale` (the sum of the terms' magnitudes, say), times the condition
// number of the step it came through. One rule, so a tolerance says what it
// allows for rather than a factor tuned until the test passed.
constexpr double Tolerance(double epsilons, double scale = 1.0, double condition = 1.0)
{
    return epsilons * kEps * scale * condition;
}

} // namespace tavex::testing
