#pragma once

#include "engine/kernels/line_kernels.h"

#include <algorithm>
#include <cstddef>

namespace tavex {

// The products of the fit figures' stages, built for several instruction sets
// (line_kernels.h): every value is a sum over ascending j from +0, a product
// and an addition a step, lane by lane, no fused multiply-add, so that the
// width of the vectors changes nothing in it.

// The rebuild: product := basis * tile over a tile's kTileLanes lanes, basis
// row-major order x order.
void MultiplyTile(const double* tile, double* product, int order, const double* basis, KernelIsa isa);

// The largest |rebuilt - table| and |table| seen, and a probe that is 0 while
// every difference is finite and NaN from the first one that is not.
struct DifferenceTally {
    double largestDifference = 0.0;
    double largestValue = 0.0;
    double probe = 0.0;

    // Maxima are exact and a NaN survives any sum, so the tally does not
    // depend on how the lanes were shared out or how wide the vectors are.
    void Merge(const DifferenceTally& other)
    {
        largestDifference = std::max(largestDifference, other.largestDifference);
        largestValue = std::max(largestValue, other.largestValue);
        probe += other.probe;
    }
};

// Tallies `count` values of every product row, from lane lane0, against the
// table's values of the same lines, which lie side by side from
// table + k * entryStride for row k.
void TallyTile(const double* product, const double* table, std::size_t entryStride, int order, std::size_t lane0,
               std::size_t count, DifferenceTally& tally, KernelIsa isa);

// The swing: a row-major weight matrix times lanes of values,
// out[l + outStride k] = sum over j of w(k, j) in[l + inStride j], l < lanes,
// with w(k, j) = weights[k weightStride + j].
struct LaneProduct {
    const double* in;
    std::size_t inStride;
    const double* weights;
    std::size_t weightStride;
    int rows, columns;
    std::size_t lanes;
    double* out;
    std::size_t outStride;
};

void MultiplyLanes(const LaneProduct& p, KernelIsa isa);

} // namespace tavex
