#pragma once

#include "engine/basis.h"
#include "engine/kinds/powers.h"
#include "engine/kinds/trigonometric.h"

#include <vector>

namespace tavex {

// A variable's basis from a list of values, as BasisOf gives one of a problem.
inline VariableBasis BasisOfValues(const std::vector<double>& values, int order, bool trigonometric, double center,
                                   double period)
{
    return {trigonometric ? &TrigonometricKind() : &PowersKind(), center, period, &values, order, true};
}

inline SquareMatrix BasisMatrixOf(const std::vector<double>& values, int order, bool trigonometric, double center,
                                  double period)
{
    return BuildBasisMatrix(BasisOfValues(values, order, trigonometric, center, period));
}

} // namespace tavex
