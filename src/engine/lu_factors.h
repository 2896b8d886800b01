#pragma once

#include "engine/square_matrix.h"

#include <vector>

namespace tavex {

// Gaussian elimination with row pivoting of one basis matrix, kept so that it
// can be applied to any number of right-hand sides.
//
// Elimination, step r = 0..n-2: the pivot is the first row at or below r with
// the strictly largest |A(k, r)|; a pivot of zero or NaN skips the step (no
// exchange, no elimination). Otherwise rows r and p are exchanged over every
// column and, for each k > r, f = A(k, r) / A(r, r) and A(k, j) -= f * A(r, j)
// for j = r..n-1.
//
// Applying the steps to a right-hand side b, exchange then eliminate, step by
// step, does to each entry exactly this: it starts as b[rowOrigin[k]] and gets
// y_k = y_k - L(k, r) * y_r subtracted for every unskipped r < k in increasing
// order, where L keeps each multiplier in its row as that row travels with the
// exchanges. So the exchanges can all be done when b is read, and the entries
// can be eliminated in any order that keeps r increasing per entry: the result
// is bit-identical to the step-by-step elimination.
struct LuFactors {
    int order = 0;
    // Upper triangle with diagonal: the eliminated matrix U. Strictly lower
    // triangle: the multipliers L(k, r), exchanged along with their rows.
    SquareMatrix lu{1};
    // Entry k of the eliminated system comes from entry rowOrigin[k] of b.
    std::vector<int> rowOrigin;
    // Its inverse: entry e of b goes to row rowOfEntry[e].
    std::vector<int> rowOfEntry;
    // Step r did nothing because its pivot was zero or NaN.
    std::vector<unsigned char> stepSkipped;
    // The back substitution runs for rows n-1 down to stopRow + 1 and stops at
    // the first zero (or NaN) diagonal entry, stopRow; -1 when there is none.
    int stopRow = -1;

    bool singular() const { return stopRow >= 0; }
};

LuFactors FactorBasis(SquareMatrix a);

} // namespace tavex
