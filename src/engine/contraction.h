#pragma once

#include "engine/level_sum.h"
#include "model/problem_model.h"

namespace tavex {

// The nested sum of the coefficients, the last variable outermost and
// variable 0 innermost, each level taking its terms as `levels` says: at a
// point (Evaluate), or with the integrals of the functions as weights.
// Level v holds BasisOf(model, v).count weights when it is weighted.
double ContractCoefficients(const ProblemModel& model, const PerVariable<Level>& levels);

} // namespace tavex
