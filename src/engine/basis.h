#pragma once

#include "engine/square_matrix.h"
#include "engine/variable_basis.h"

namespace tavex {

// The basis matrix of one variable: row k holds its kind's basis functions at
// value k, k = 0..count-1 (engine/kinds). threads: as many as may share the
// rows (0: all the machine has).
SquareMatrix BuildBasisMatrix(const VariableBasis& basis, int threads = 1);

} // namespace tavex
