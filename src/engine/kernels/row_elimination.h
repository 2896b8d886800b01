#pragma once

namespace tavex {

// row[j] = row[j] - f * pivot[j] for j in [from, n): the one loop of the
// factorisation that grows with the cube of the order, built for the widest
// vectors the processor has. Each entry gets one product and one difference,
// so the width changes nothing in the result.
void EliminateRow(double* row, const double* pivot, double f, int from, int n);

} // namespace tavex
