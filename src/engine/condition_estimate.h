#pragma once

#include "engine/lu_factors.h"
#include "engine/square_matrix.h"

namespace tavex {

// ||B||_1 times a Hager-Higham estimate of ||B^-1||_1 from factors = FactorBasis(B),
// in O(n^2): the estimate of ||B^-1||_1 is a lower bound, in practice within a
// factor of 3 and mostly exact. +inf when B is singular or not all finite, or
// the product overflows.
double EstimateCondition(const SquareMatrix& basis, const LuFactors& factors);

// The same for B D, D = diag(1 / max_i |B_ij|): every basis function scaled to
// a largest magnitude of 1 over the values, which takes the units of x out of
// the figure (the powers of a variable running to 100 are no worse than those
// of one running to 1). ||B D||_1 is exact; ||D^-1 B^-1||_1 is estimated from
// the same factors. +inf when EstimateCondition is, or a column is all zeros.
double EstimateScaledCondition(const SquareMatrix& basis, const LuFactors& factors);

} // namespace tavex
