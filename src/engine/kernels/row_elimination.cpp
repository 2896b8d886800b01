#include "engine/kernels/row_elimination.h"

namespace tavex {

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void EliminateRow(double* row, const double* pivot, double f, int from, int n)
{
    for (int j = from; j < n; ++j)
        row[j] = row[j] - f * pivot[j];
}

} // namespace tavex
