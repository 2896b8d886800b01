#pragma once

#include "engine/square_matrix.h"
#include "model/table4.h"

#include <array>

namespace tavex::testing {

// The one-line algorithm as written down, step by step: elimination with row
// exchanges applied to the matrix and every line at once, then back
// substitution. Slow and plain: the yardstick for the fast solver.
bool ReferenceSolveAlongVariable(Table4& coef, int i, const std::array<int, 4>& upper, SquareMatrix a);

} // namespace tavex::testing
