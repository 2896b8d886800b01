#include "engine/line_kernels.h"

#include <cstddef>

// The hot loops, built for several instruction sets and chosen at load time,
// so that one binary runs everywhere and uses the widest vectors it finds.
// No fused multiply-add in any of them: every product is rounded before its sum.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TAVEX_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define TAVEX_KERNEL
#endif

namespace tavex {

namespace {

// Eight doubles: one AVX-512 register, two AVX2 or four SSE2 registers.
using Block = double __attribute__((vector_size(64)));
constexpr int kBlocks = kTileLanes / 8;
static_assert(kTileLanes % 8 == 0);

Block* RowBlocks(double* tile, int row)
{
    return reinterpret_cast<Block*>(__builtin_assume_aligned(tile + static_cast<std::ptrdiff_t>(row) * kTileLanes, 64));
}

} // namespace

TAVEX_KERNEL
void ForwardEliminateTile(double* tile, int order, const double* lu, const unsigned char* stepSkipped)
{
    static_assert(kBlocks == 4);
    for (int k = 1; k < order; ++k) {
        Block* rowK = RowBlocks(tile, k);
        Block a0 = rowK[0], a1 = rowK[1], a2 = rowK[2], a3 = rowK[3];
        const double* multipliers = lu + static_cast<std::ptrdiff_t>(k) * order;
        for (int r = 0; r < k; ++r) {
            if (stepSkipped[r])
                continue;
            const double f = multipliers[r];
            const Block* rowR = RowBlocks(tile, r);
            a0 = a0 - f * rowR[0];
            a1 = a1 - f * rowR[1];
            a2 = a2 - f * rowR[2];
            a3 = a3 - f * rowR[3];
        }
        rowK[0] = a0; rowK[1] = a1; rowK[2] = a2; rowK[3] = a3;
    }
}

TAVEX_KERNEL
void BackSubstituteTile(double* tile, int order, const double* lu, int stopRow)
{
    for (int k = order - 1; k > stopRow; --k) {
        const double* u = lu + static_cast<std::ptrdiff_t>(k) * order;
        Block s0 = {}, s1 = {}, s2 = {}, s3 = {};
        for (int j = k + 1; j < order; ++j) {
            const double a = u[j];
            const Block* rowJ = RowBlocks(tile, j);
            s0 = s0 + a * rowJ[0];
            s1 = s1 + a * rowJ[1];
            s2 = s2 + a * rowJ[2];
            s3 = s3 + a * rowJ[3];
        }
        const double d = u[k];
        Block* rowK = RowBlocks(tile, k);
        rowK[0] = (rowK[0] - s0) / d;
        rowK[1] = (rowK[1] - s1) / d;
        rowK[2] = (rowK[2] - s2) / d;
        rowK[3] = (rowK[3] - s3) / d;
    }
}

} // namespace tavex
