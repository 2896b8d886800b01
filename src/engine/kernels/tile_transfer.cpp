#include "engine/kernels/tile_transfer.h"

#include "engine/kernels/line_kernels.h"

#include <algorithm>
#include <new>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TAVEX_HAVE_AVX2_TRANSFER 1
#endif

namespace tavex {

namespace {

// Moving values never changes them, so each instruction set may move them its
// own way: only the speed differs.

// Rows of a tile from entries lying side by side in memory (lines along any
// index but the first): row k of lanes [lane0, lane0 + count) comes from
// source + entry(k) * stride, entry(k) = origin[k] (or k when origin is null).
template <bool kGather>
[[gnu::always_inline]] inline void CopyRows(double* tile, double* table, std::size_t base, std::size_t count,
                                            std::size_t lane0, int order, std::size_t stride, const int* origin)
{
    for (int k = 0; k < order; ++k) {
        const std::size_t entry = origin ? static_cast<std::size_t>(origin[k]) : static_cast<std::size_t>(k);
        double* row = tile + static_cast<std::size_t>(k) * kTileLanes + lane0;
        double* values = table + base + entry * stride;
        for (std::size_t i = 0; i < count; ++i) {
            if constexpr (kGather)
                row[i] = values[i];
            else
                values[i] = row[i];
        }
    }
}

// Lines along the first index: line l of [0, count) holds its entries one
// after the other at base + l * lineStride. The tile holds them transposed.
template <bool kGather>
[[gnu::always_inline]] inline void TransposeScalar(double* tile, double* table, std::size_t base, std::size_t count,
                                                   std::size_t lane0, int order, std::size_t lineStride,
                                                   const int* origin, std::size_t firstLine)
{
    for (std::size_t l = firstLine; l < count; ++l) {
        double* line = table + base + l * lineStride;
        double* column = tile + lane0 + l;
        for (int k = 0; k < order; ++k) {
            const std::size_t entry = origin ? static_cast<std::size_t>(origin[k]) : static_cast<std::size_t>(k);
            if constexpr (kGather)
                column[static_cast<std::size_t>(k) * kTileLanes] = line[entry];
            else
                line[entry] = column[static_cast<std::size_t>(k) * kTileLanes];
        }
    }
}

void CopyRowsBaseline(bool gather, double* tile, double* table, std::size_t base, std::size_t count,
                      std::size_t lane0, int order, std::size_t stride, const int* origin)
{
    if (gather)
        CopyRows<true>(tile, table, base, count, lane0, order, stride, origin);
    else
        CopyRows<false>(tile, table, base, count, lane0, order, stride, origin);
}

void TransposeBaseline(bool gather, double* tile, double* table, std::size_t base, std::size_t count,
                       std::size_t lane0, int order, std::size_t lineStride, const int* origin, const int*)
{
    if (gather)
        TransposeScalar<true>(tile, table, base, count, lane0, order, lineStride, origin, 0);
    else
        TransposeScalar<false>(tile, table, base, count, lane0, order, lineStride, nullptr, 0);
}

#ifdef TAVEX_HAVE_AVX2_TRANSFER
[[gnu::target("avx2")]] void CopyRowsAvx2(bool gather, double* tile, double* table, std::size_t base,
                                          std::size_t count, std::size_t lane0, int order, std::size_t stride,
                                          const int* origin)
{
    if (gather)
        CopyRows<true>(tile, table, base, count, lane0, order, stride, origin);
    else
        CopyRows<false>(tile, table, base, count, lane0, order, stride, origin);
}

// 4 x 4 blocks: four entries of four lines in, four tile rows of four lanes out.
[[gnu::target("avx2")]] inline void Transpose4(__m256d& r0, __m256d& r1, __m256d& r2, __m256d& r3)
{
    const __m256d t0 = _mm256_unpacklo_pd(r0, r1);
    const __m256d t1 = _mm256_unpackhi_pd(r0, r1);
    const __m256d t2 = _mm256_unpacklo_pd(r2, r3);
    const __m256d t3 = _mm256_unpackhi_pd(r2, r3);
    r0 = _mm256_permute2f128_pd(t0, t2, 0x20);
    r1 = _mm256_permute2f128_pd(t1, t3, 0x20);
    r2 = _mm256_permute2f128_pd(t0, t2, 0x31);
    r3 = _mm256_permute2f128_pd(t1, t3, 0x31);
}

// rowOfEntry: the tile row that entry e goes to (the inverse of origin), or
// null for the natural order.
[[gnu::target("avx2")]] void TransposeAvx2(bool gather, double* tile, double* table, std::size_t base,
                                           std::size_t count, std::size_t lane0, int order, std::size_t lineStride,
                                           const int* origin, const int* rowOfEntry)
{
    const std::size_t fullLanes = count / 4 * 4;
    const int fullEntries = order / 4 * 4;
    for (std::size_t l = 0; l < fullLanes; l += 4) {
        double* line = table + base + l * lineStride;
        double* column = tile + lane0 + l;
        for (int e = 0; e < fullEntries; e += 4) {
            const std::size_t at = static_cast<std::size_t>(e);
            if (gather) {
                __m256d r0 = _mm256_loadu_pd(line + at);
                __m256d r1 = _mm256_loadu_pd(line + lineStride + at);
                __m256d r2 = _mm256_loadu_pd(line + 2 * lineStride + at);
                __m256d r3 = _mm256_loadu_pd(line + 3 * lineStride + at);
                Transpose4(r0, r1, r2, r3);
                const auto row = [&](int q) { return static_cast<std::size_t>(rowOfEntry[e + q]) * kTileLanes; };
                _mm256_storeu_pd(column + row(0), r0);
                _mm256_storeu_pd(column + row(1), r1);
                _mm256_storeu_pd(column + row(2), r2);
                _mm256_storeu_pd(column + row(3), r3);
            } else {
                __m256d r0 = _mm256_loadu_pd(column + at * kTileLanes);
                __m256d r1 = _mm256_loadu_pd(column + (at + 1) * kTileLanes);
                __m256d r2 = _mm256_loadu_pd(column + (at + 2) * kTileLanes);
                __m256d r3 = _mm256_loadu_pd(column + (at + 3) * kTileLanes);
                Transpose4(r0, r1, r2, r3);
                _mm256_storeu_pd(line + at, r0);
                _mm256_storeu_pd(line + lineStride + at, r1);
                _mm256_storeu_pd(line + 2 * lineStride + at, r2);
                _mm256_storeu_pd(line + 3 * lineStride + at, r3);
            }
        }
        // The entries beyond the last block of four, lane by lane.
        for (std::size_t q = 0; q < 4; ++q) {
            for (int e = fullEntries; e < order; ++e) {
                const std::size_t row = gather ? static_cast<std::size_t>(rowOfEntry[e]) : static_cast<std::size_t>(e);
                double& cell = column[row * kTileLanes + q];
                double& value = line[q * lineStride + static_cast<std::size_t>(e)];
                if (gather)
                    cell = value;
                else
                    value = cell;
            }
        }
    }
    if (gather)
        TransposeScalar<true>(tile, table, base, count, lane0, order, lineStride, origin, fullLanes);
    else
        TransposeScalar<false>(tile, table, base, count, lane0, order, lineStride, nullptr, fullLanes);
}
#endif

using CopyRowsFunction = void (*)(bool, double*, double*, std::size_t, std::size_t, std::size_t, int, std::size_t,
                                  const int*);
using TransposeFunction = void (*)(bool, double*, double*, std::size_t, std::size_t, std::size_t, int, std::size_t,
                                   const int*, const int*);

struct Transfers {
    CopyRowsFunction copyRows;
    TransposeFunction transpose;
};

const Transfers& BestTransfers()
{
    static const Transfers transfers = [] {
#ifdef TAVEX_HAVE_AVX2_TRANSFER
        if (BestKernelIsa() != KernelIsa::kBaseline)
            return Transfers{CopyRowsAvx2, TransposeAvx2};
#endif
        return Transfers{CopyRowsBaseline, TransposeBaseline};
    }();
    return transfers;
}

} // namespace

void AlignedDoubleDelete::operator()(double* p) const
{
    ::operator delete[](p, std::align_val_t{64});
}

TileBuffer MakeTile(int order)
{
    const std::size_t count = static_cast<std::size_t>(order) * kTileLanes;
    return TileBuffer(new (std::align_val_t{64}) double[count]);
}

void GatherTile(double* tile, const double* table, const LaneLayout& layout, std::size_t first,
                std::size_t last, const LuFactors& factors)
{
    const int order = factors.order;
    const auto used = static_cast<int>(last - first);
    if (used < kTileLanes)
        for (int k = 0; k < order; ++k)
            std::fill(tile + k * kTileLanes + used, tile + (k + 1) * kTileLanes, 0.0);
    const Transfers& transfers = BestTransfers();
    // Only read, though the transfer functions share one signature for both ways.
    double* source = const_cast<double*>(table);
    layout.ForEachStretch(first, last, [&](std::size_t base, std::size_t count, std::size_t lane0) {
        if (layout.lanesContiguous())
            transfers.copyRows(true, tile, source, base, count, lane0, order, layout.entryStride(),
                               factors.rowOrigin.data());
        else
            transfers.transpose(true, tile, source, base, count, lane0, order, layout.laneStride(),
                                factors.rowOrigin.data(), factors.rowOfEntry.data());
    });
}

void ScatterTile(const double* tile, double* table, const LaneLayout& layout, std::size_t first,
                 std::size_t last, int order)
{
    const Transfers& transfers = BestTransfers();
    double* rows = const_cast<double*>(tile); // only read
    layout.ForEachStretch(first, last, [&](std::size_t base, std::size_t count, std::size_t lane0) {
        if (layout.lanesContiguous())
            transfers.copyRows(false, rows, table, base, count, lane0, order, layout.entryStride(), nullptr);
        else
            transfers.transpose(false, rows, table, base, count, lane0, order, layout.laneStride(), nullptr, nullptr);
    });
}

} // namespace tavex
