#pragma once

#include "model/problem_model.h"

#include <optional>

namespace tavex {

// The value of the expansion at the point whose coordinates (the variables'
// own values) are `point`; no value while isComputed is false.
//
// The sum is nested, the last variable outermost and variable 0 innermost;
// each level takes its kind's argument at the coordinate (the center comes
// off there) and adds its terms by AddTerm (level_sum.h): powers by Horner's
// scheme over descending j, the trigonometric functions over ascending j
// with the running angle built by repeated addition.
//
// A trigonometric variable with period 0 gives NaN: no finite value is
// passed off as the answer.
std::optional<double> Evaluate(const ProblemModel& model, const PerVariable<double>& point);

} // namespace tavex
