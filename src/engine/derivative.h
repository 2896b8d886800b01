#pragma once

#include "model/problem_model.h"

#include <optional>

namespace tavex {

// The highest order of a partial derivative along one variable.
inline constexpr int kMaxDerivativeOrder = 9;

// The expansion of the partial derivative of the computed expansion, orders[v]
// times along variable v (0..kMaxDerivativeOrder; 0 beyond lastVar), as
// coefficients in the same functions: a problem like any other to evaluate,
// slice, list or export. Its variables are the problem's; a trigonometric
// one with an even count and an odd order has one function more, the cosine
// its top sine turns into. It holds no table of function values (all 0).
// No problem when its tables would not fit in memory.
std::optional<ProblemModel> Derivative(const ProblemModel& model, const PerVariable<int>& orders);

} // namespace tavex
