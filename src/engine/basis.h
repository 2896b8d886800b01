#pragma once

#include "engine/square_matrix.h"

#include <vector>

namespace tavex {

// The basis of one variable with m + 1 values:
//   polynomial:     phi_j(x) = u^j,                       u = x - center
//   trigonometric:  1, sin u, cos u, sin 2u, cos 2u, ...  u = 2 pi (x - center) / period
// so an even count ends on a sine.

// 2 pi / period, formed as (8 atan(1)) / period, for a trigonometric variable; 1 otherwise.
// With the default period piValue + piValue it is exactly 1.
double AngleFactor(bool trigonometric, double period);

// Row k holds the basis functions at values[k], k = 0..order-1. Powers come
// from repeated multiplication and multiple angles from repeated addition,
// never from pow() or p * u, so that every build gives the same matrix.
// threads: as many as may share the rows (0: all the machine has).
SquareMatrix BuildBasisMatrix(const std::vector<double>& values, int order, bool trigonometric,
                              double center, double angleFactor, int threads = 1);

} // namespace tavex
