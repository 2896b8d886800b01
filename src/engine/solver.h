#pragma once

#include "engine/lu_factors.h"
#include "engine/square_matrix.h"
#include "model/table4.h"

#include <array>

namespace tavex {

// The lines of a table along one dimension: for every combination of the other
// indices, each running 0..upper[d], the upper[axis] + 1 entries whose index on
// `axis` runs 0..upper[axis]. Entries the storage holds beyond `upper` take no part.
struct LineSelection {
    int axis = 0;
    std::array<int, 4> upper{};
};

// Solves A y = b for every selected line b of the table and writes y over it:
// the elimination of `factors`, then the back substitution, which stops at
// factors.stopRow when the system is singular (the entries above it solved,
// the others not). Each line gets exactly the operations of the one-line
// algorithm in the same order, so the result does not depend on `threads`
// (0: all the machine has) or on how the lines are grouped.
void ApplyFactors(Table4& table, const LineSelection& lines, const LuFactors& factors, int threads);

// Transforms coef along its index i with basisMatrix, which it consumes.
// Returns true ("singular") when the back substitution met a zero pivot.
bool SolveAlongVariable(Table4& coef, int i, const std::array<int, 4>& upper,
                        SquareMatrix basisMatrix, int threads);

} // namespace tavex
