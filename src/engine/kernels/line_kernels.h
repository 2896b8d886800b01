#pragma once

#include <vector>

namespace tavex {

// The solve of many lines at once: a tile holds order rows of kTileLanes
// doubles, row k holding entry k of kTileLanes lines side by side, so that the
// inner loops run across lines and every line sees exactly the operations of
// the one-line algorithm, in the same order. Tiles are 64-byte aligned.
inline constexpr int kTileLanes = 32;

// The kernels are built for several instruction sets; the widest the processor
// has is used. Every set gives bit-identical results: no fused multiply-add,
// the same operations in the same order, only more lanes per instruction.
enum class KernelIsa { kBaseline, kAvx2, kAvx512 };

std::vector<KernelIsa> SupportedKernelIsas();
KernelIsa BestKernelIsa();

// Forward elimination on a tile whose rows were read in rowOrigin order:
// row k gets y_k - L(k, r) * y_r for every unskipped r < k, r increasing.
// lu is the row-major order x order factor matrix.
void ForwardEliminateTile(double* tile, int order, const double* lu, const unsigned char* stepSkipped,
                          KernelIsa isa = BestKernelIsa());

// Back substitution, rows order-1 down to stopRow + 1: s = sum of U(k, j) * y_j
// for j = k+1.. in increasing order starting from 0, then y_k = (y_k - s) / U(k, k).
// Two tiles at once run faster than one after the other; second may be null.
void BackSubstituteTiles(double* tile, double* second, int order, const double* lu, int stopRow,
                         KernelIsa isa = BestKernelIsa());

} // namespace tavex
