#pragma once

#include "engine/kernels/lane_layout.h"
#include "engine/lu_factors.h"
#include "engine/square_matrix.h"
#include "model/problem_model.h"
#include "model/table4.h"

#include <array>
#include <cstddef>
#include <vector>

namespace tavex {

// Solves A y = b for every selected line b of the table and writes y over it:
// the elimination of `factors`, then the back substitution, which stops at
// factors.stopRow when the system is singular (the entries above it solved,
// the others not). Each line gets exactly the operations of the one-line
// algorithm in the same order, so the result does not depend on `threads`
// (0: all the machine has) or on how the lines are grouped.
void ApplyFactors(Table4& table, const LineSelection& lines, const LuFactors& factors, int threads);

// How a big table is cut when it is solved two variables at a time: from
// fuseFromValues values on, in blocks of about blockValues values, which stay
// in the processor's caches between the two variables.
struct SolveBlocking {
    std::size_t fuseFromValues = std::size_t{1} << 20;
    std::size_t blockValues = std::size_t{1} << 17;
};

// The solve along variables 0, 1, ... in turn, factors[i] for variable i,
// every dimension running 0..upper[d]: the same result as ApplyFactors for
// each variable after the other. A big table is taken two variables at a
// time, block by block, so that each block is read from memory once for both.
void ApplyFactorsAlongVariables(Table4& table, const PerVariable<int>& upper,
                                const std::vector<LuFactors>& factors, int threads,
                                const SolveBlocking& blocking = {});

// Transforms coef along its index i with basisMatrix, which it consumes.
// Returns true ("singular") when the back substitution met a zero pivot.
bool SolveAlongVariable(Table4& coef, int i, const PerVariable<int>& upper,
                        SquareMatrix basisMatrix, int threads);

} // namespace tavex
