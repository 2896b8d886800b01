#include "engine/kernels/line_kernels.h"

#include <cassert>
#include <cstddef>

namespace tavex {

namespace {

// Vectors of 2, 4 and 8 doubles: SSE2, AVX2 and AVX-512 registers.
using V2 = double __attribute__((vector_size(16)));
using V4 = double __attribute__((vector_size(32)));
using V8 = double __attribute__((vector_size(64)));

template <typename Vec>
Vec* At(double* tile, int row, int lane)
{
    return reinterpret_cast<Vec*>(tile + static_cast<std::ptrdiff_t>(row) * kTileLanes + lane);
}

// kCount vectors of Vec cover one pass over part of the lanes; enough of them
// to hide the latency of the additions, few enough to stay in registers.
template <typename Vec, int kCount>
[[gnu::always_inline]] inline void ForwardPass(double* tile, int order, const double* lu,
                                               const unsigned char* stepSkipped, int lane)
{
    for (int k = 1; k < order; ++k) {
        Vec* rowK = At<Vec>(tile, k, lane);
        Vec a[kCount];
#pragma GCC unroll 16
        for (int v = 0; v < kCount; ++v)
            a[v] = rowK[v];
        const double* multipliers = lu + static_cast<std::ptrdiff_t>(k) * order;
        for (int r = 0; r < k; ++r) {
            if (stepSkipped[r])
                continue;
            const double f = multipliers[r];
            const Vec* rowR = At<Vec>(tile, r, lane);
#pragma GCC unroll 16
            for (int v = 0; v < kCount; ++v)
                a[v] = a[v] - f * rowR[v];
        }
#pragma GCC unroll 16
        for (int v = 0; v < kCount; ++v)
            rowK[v] = a[v];
    }
}

template <typename Vec, int kCount>
[[gnu::always_inline]] inline void BackRow(double* tile, int order, const double* lu, int k, int lane)
{
    const double* u = lu + static_cast<std::ptrdiff_t>(k) * order;
    Vec s[kCount];
#pragma GCC unroll 16
    for (int v = 0; v < kCount; ++v)
        s[v] = Vec{}; // the sum starts from +0, as in the one-line form
    for (int j = k + 1; j < order; ++j) {
        const double a = u[j];
        const Vec* rowJ = At<Vec>(tile, j, lane);
#pragma GCC unroll 16
        for (int v = 0; v < kCount; ++v)
            s[v] = s[v] + a * rowJ[v];
    }
    const double d = u[k];
    Vec* rowK = At<Vec>(tile, k, lane);
#pragma GCC unroll 16
    for (int v = 0; v < kCount; ++v)
        rowK[v] = (rowK[v] - s[v]) / d;
}

// Row k - 1 of a tile starts with the term of row k, so it waits for row k's
// divisions; a second tile's row k, independent of them, fills that wait.
template <typename Vec, int kCount>
[[gnu::always_inline]] inline void BackPass(double* tile, double* second, int order, const double* lu, int stopRow,
                                            int lane)
{
    for (int k = order - 1; k > stopRow; --k) {
        BackRow<Vec, kCount>(tile, order, lu, k, lane);
        if (second)
            BackRow<Vec, kCount>(second, order, lu, k, lane);
    }
}

// Baseline: two passes of 16 lanes in eight SSE2 registers each.
void ForwardBaseline(double* tile, int order, const double* lu, const unsigned char* skipped)
{
    ForwardPass<V2, 8>(tile, order, lu, skipped, 0);
    ForwardPass<V2, 8>(tile, order, lu, skipped, 16);
}

void BackBaseline(double* tile, double* second, int order, const double* lu, int stopRow)
{
    BackPass<V2, 8>(tile, second, order, lu, stopRow, 0);
    BackPass<V2, 8>(tile, second, order, lu, stopRow, 16);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_KERNELS 1

[[gnu::target("avx2")]] void ForwardAvx2(double* tile, int order, const double* lu, const unsigned char* skipped)
{
    ForwardPass<V4, 8>(tile, order, lu, skipped, 0);
}

[[gnu::target("avx2")]] void BackAvx2(double* tile, double* second, int order, const double* lu, int stopRow)
{
    BackPass<V4, 8>(tile, second, order, lu, stopRow, 0);
}

[[gnu::target("avx512f")]] void ForwardAvx512(double* tile, int order, const double* lu, const unsigned char* skipped)
{
    ForwardPass<V8, 4>(tile, order, lu, skipped, 0);
}

[[gnu::target("avx512f")]] void BackAvx512(double* tile, double* second, int order, const double* lu, int stopRow)
{
    BackPass<V8, 4>(tile, second, order, lu, stopRow, 0);
}
#endif

static_assert(kTileLanes == 32, "the passes above cover 32 lanes");

} // namespace

std::vector<KernelIsa> SupportedKernelIsas()
{
    std::vector<KernelIsa> isas{KernelIsa::kBaseline};
#ifdef TAVEX_HAVE_WIDE_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        isas.push_back(KernelIsa::kAvx2);
    if (__builtin_cpu_supports("avx512f"))
        isas.push_back(KernelIsa::kAvx512);
#endif
    return isas;
}

KernelIsa BestKernelIsa()
{
    static const KernelIsa best = SupportedKernelIsas().back();
    return best;
}

void ForwardEliminateTile(double* tile, int order, const double* lu, const unsigned char* stepSkipped,
                          KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_KERNELS
    case KernelIsa::kAvx512: return ForwardAvx512(tile, order, lu, stepSkipped);
    case KernelIsa::kAvx2: return ForwardAvx2(tile, order, lu, stepSkipped);
#endif
    default: return ForwardBaseline(tile, order, lu, stepSkipped);
    }
}

void BackSubstituteTiles(double* tile, double* second, int order, const double* lu, int stopRow, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_KERNELS
    case KernelIsa::kAvx512: return BackAvx512(tile, second, order, lu, stopRow);
    case KernelIsa::kAvx2: return BackAvx2(tile, second, order, lu, stopRow);
#endif
    default: return BackBaseline(tile, second, order, lu, stopRow);
    }
}

} // namespace tavex
