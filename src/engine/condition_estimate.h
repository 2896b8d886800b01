#pragma once

#include "engine/lu_factors.h"
#include "engine/square_matrix.h"

namespace tavex {

// ||B||_1 times a Hager-Higham estimate of ||B^-1||_1 from factors = FactorBasis(B),
// in O(n^2): the estimate of ||B^-1||_1 is a lower bound, in practice within a
// factor of 3 and mostly exact. +inf when B is singular or not all finite, or
// the product overflows.
double EstimateCondition(const SquareMatrix& basis, const LuFactors& factors);

} // namespace tavex
