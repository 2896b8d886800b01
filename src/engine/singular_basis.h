#pragma once

#include "engine/variable_basis.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// Why the basis matrix of one variable is singular in exact arithmetic, with
// what to do about it; empty when it is not. It is read from the first
// `basis.count` values, the center and the period alone, never from the
// computed matrix: a basis of 40 powers is ill-conditioned, not singular, and
// a singular trigonometric basis can look well conditioned once rounded. The
// text names the variable as `name`, which must not be empty, and begins with
// a lower-case word of its own: "with 12 equally spaced values over one
// period, sin(6*angle) is 0 at every value: use an odd number of values, or
// move the center by half a step".
std::string BasisSingularity(const VariableBasis& basis, std::string_view name);

// The rules of the kinds (engine/kinds).
// Powers: two equal values.
std::string RepeatedValueSingularity(std::vector<double> values, std::string_view name);
// Angles, with t_k = (x_k - center) / period the values' angles in turns: two
// angles a whole number of turns apart (equal rows), or, for an even count 2P
// with distinct angles, angles that add up to an odd multiple of half a turn.
std::string AngleSingularity(const std::vector<double>& values, double center, double period,
                             std::string_view name);

} // namespace tavex
