#pragma once

#include "model/problem_model.h"

#include <optional>
#include <span>
#include <vector>

namespace tavex {

// The expansion with all variables but one (a slice) or two (a sheet) held
// at a point: the fixed variables are summed out of the coefficients once
// (one partial contraction), so that the free ones can then be sampled as
// often as a plot needs at the cost of a one- or two-variable expansion.
// Coordinates are the variables' own values, not offsets from the centers.
// Values agree with Evaluate at the same point to rounding (relative 1e-12
// of the sum of the terms' magnitudes), not bit for bit: each level is
// summed by Evaluate's operations, but the free variables come last. A
// trigonometric variable with period 0 makes every coefficient and value NaN.
// No value depends on the number of threads.

struct Slice {
    int variable = 0;
    std::vector<double> coef; // coef[j]: the coefficient of basis function j of the free variable
};

struct Sheet {
    int first = 0, second = 0;
    int firstCount = 0, secondCount = 0;
    std::vector<double> coef; // coef[i + firstCount * j]
};

// Nothing while the problem holds no computed coefficients. The free
// variables are among 0..lastVar (and differ); their coordinates in point
// are not read. A large table is shared out among the machine's threads.
std::optional<Slice> SliceAlong(const ProblemModel& model, int variable, const PerVariable<double>& point);
std::optional<Sheet> SheetAlong(const ProblemModel& model, int first, int second,
                                const PerVariable<double>& point);

// The slice's values at the coordinates xs of its free variable; model is
// the one the slice was taken from (kinds, centers, periods).
std::vector<double> SampleSlice(const ProblemModel& model, const Slice& slice, std::span<const double> xs);

// The sheet's values on the grid xs (first variable) by ys (second): value
// [i + xs.size() * j] at (xs[i], ys[j]).
std::vector<double> SampleSheet(const ProblemModel& model, const Sheet& sheet, std::span<const double> xs,
                                std::span<const double> ys);

} // namespace tavex
