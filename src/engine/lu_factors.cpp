#include "engine/lu_factors.h"

#include "engine/kernels/row_elimination.h"

#include <cmath>
#include <numeric>
#include <utility>

namespace tavex {

namespace {

bool IsZeroPivot(double magnitude) { return magnitude == 0.0 || std::isnan(magnitude); }

} // namespace

LuFactors FactorBasis(SquareMatrix a)
{
    const int n = a.order();
    LuFactors factors;
    factors.order = n;
    factors.rowOrigin.resize(static_cast<std::size_t>(n));
    std::iota(factors.rowOrigin.begin(), factors.rowOrigin.end(), 0);
    factors.stepSkipped.assign(static_cast<std::size_t>(n), 0);

    for (int r = 0; r + 1 < n; ++r) {
        double largest = std::fabs(a(r, r));
        int pivotRow = r;
        for (int k = r + 1; k < n; ++k) {
            if (std::fabs(a(k, r)) > largest) {
                largest = std::fabs(a(k, r));
                pivotRow = k;
            }
        }
        if (IsZeroPivot(largest)) {
            factors.stepSkipped[static_cast<std::size_t>(r)] = 1;
            continue;
        }
        if (pivotRow != r) {
            std::swap_ranges(a.Row(r), a.Row(r) + n, a.Row(pivotRow));
            std::swap(factors.rowOrigin[static_cast<std::size_t>(r)],
                      factors.rowOrigin[static_cast<std::size_t>(pivotRow)]);
        }
        const double* pivot = a.Row(r);
        for (int k = r + 1; k < n; ++k) {
            double* row = a.Row(k);
            const double f = row[r] / pivot[r];
            EliminateRow(row, pivot, f, r, n);
            row[r] = f; // column r below the pivot is never read again: keep the multiplier there
        }
    }

    for (int k = n - 1; k >= 0; --k) {
        if (IsZeroPivot(a(k, k))) {
            factors.stopRow = k;
            break;
        }
    }
    factors.rowOfEntry.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        factors.rowOfEntry[static_cast<std::size_t>(factors.rowOrigin[static_cast<std::size_t>(k)])] = k;
    factors.lu = std::move(a);
    return factors;
}

} // namespace tavex
